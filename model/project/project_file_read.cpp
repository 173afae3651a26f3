// Loading a project file. The file is read into fresh records first; the model and
// the files under UserData and Temp change only once the document has proved to be
// a project, so a damaged file leaves everything as it was.

#include <QDate>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <list>
#include <vector>

#include "model/common/app_paths.h"
#include "model/common/atomic_file.h"
#include "model/common/bounded_text.h"
#include "model/common/file_system.h"
#include "model/common/guid_text.h"
#include "model/common/regular_file.h"
#include "model/project/base64_file.h"
#include "model/project/project_file.h"
#include "model/project/project_file_fields.h"
#include "model/project/project_file_reader.h"
#include "model/project/project_globals.h"
#include "model/project/project_limits.h"
#include "model/project/screen_limits.h"
#include "model/xml/xml_document.h"

namespace {

[[nodiscard]] bool Find(XmlDocument& doc, const char16_t* name) {
  return doc.FindElement(QString::fromUtf16(name));
}

template <typename Record>
Record ReadRecord(const XmlDocument& doc, std::span<const AttributeField<Record>> fields) {
  Record record{};
  ReadAttributes(doc, fields, record);
  return record;
}

// Lock date defaults: a year before 1970 becomes this year, a month or day 0 becomes 1.
void ApplyLockDefaults(ScreenRecord& screen) {
  if (screen.Year < 1970) screen.Year = QDate::currentDate().year();
  if (screen.Month == 0) screen.Month = 1;
  if (screen.Day == 0) screen.Day = 1;
  screen.LockState = 0;
}

// A kind with one required element. False when it is missing.
template <typename Info>
[[nodiscard]] bool ReadSingleKind(XmlDocument& doc, const char16_t* name,
                                  std::span<const AttributeField<Info>> fields, AreaRecord& area) {
  if (!Find(doc, name)) return false;
  area.Kind = ReadRecord(doc, fields);
  return true;
}

// A kind with one element per item, each item admitted by the reader and checked by
// `check`.
template <typename Item, typename Check>
void ReadListKind(ProjectReader& reader, XmlDocument& doc, const char16_t* name,
                  std::span<const AttributeField<Item>> fields, AreaRecord& area, Check check) {
  std::vector<Item> items;
  while (Find(doc, name) && reader.Admit(items.size(), kMaxEntriesPerArea)) {
    items.push_back(ReadRecord(doc, fields));
    check(items.back());
  }
  area.Kind = std::move(items);
}

bool IsAsciiLetterOrDigit(QChar c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}

// Whether a queued file needs writing: not when its text does not decode (skipped,
// not failed), when it is empty and the file holds something (empty is also what a
// save writes for a source it could not read), or when the file already holds its
// bytes (left alone, so its time stays and nothing is written).
bool NeedsWriting(const QString& text, const QString& path, QByteArray* bytes) {
  if (!DecodeBase64Text(text, bytes)) return false;
  if (bytes->isEmpty() && QFileInfo(path).size() > 0) return false;
  return !RegularFileHolds(path, *bytes);
}

// Reads and parses the file and enters its LEDS. False for a file that cannot be
// read or is not well-formed (a cut file is not), or has no LEDS root.
[[nodiscard]] bool OpenProjectDocument(XmlDocument& doc, const QString& path) {
  return doc.ReadFile(path) && doc.Parse() && Find(doc, u"LEDS") && doc.EnterElement();
}

// The screen numbers of the current Group. False past kMaxScreens of them.
[[nodiscard]] bool ReadGroupScreens(XmlDocument& doc, ScreenGroup& group) {
  while (Find(doc, u"LED")) {
    if (group.ScreenNos.size() == kMaxScreens) return false;
    group.ScreenNos.push_back(ParseIntAttribute(doc.GetAttribute(QStringLiteral("LEDNO"))));
  }
  return true;
}

// The Group elements from the position on, appended to groups. False past
// kMaxScreenGroups groups or kMaxScreens screens in one.
[[nodiscard]] bool ReadGroupList(XmlDocument& doc, std::list<ScreenGroup>& groups) {
  for (std::size_t read = 0; Find(doc, u"Group"); ++read) {
    if (read == kMaxScreenGroups) return false;
    ScreenGroup& group = groups.emplace_back(doc.GetAttribute(QStringLiteral("GroupName")));
    if (!doc.EnterElement()) break;
    if (!ReadGroupScreens(doc, group)) return false;
    if (!doc.LeaveElement()) break;
  }
  return true;
}

// Appends the groups of LEDS/GroupList; false as ReadGroupList, with the groups read
// so far appended.
[[nodiscard]] bool ReadGroupsInto(XmlDocument& doc, std::list<ScreenGroup>& groups) {
  doc.ResetPosition();
  bool within = true;
  if (Find(doc, u"LEDS") && doc.EnterElement() && Find(doc, u"GroupList") && doc.EnterElement()) {
    within = ReadGroupList(doc, groups);
  }
  doc.ResetPosition();
  return within;
}

}  // namespace

void ApplyLogoDefaults(ScreenRecord& screen) {
  if (screen.LogoRight == 0) {
    screen.LogoRight = screen.LedWidth;
    screen.LogoLeft = screen.LedWidth > 64 ? screen.LedWidth - 64 : 0;
  }
  if (screen.LogoBottom == 0) {
    screen.LogoTop = 0;
    screen.LogoBottom = screen.LedHeight >= 32 ? 32 : screen.LedHeight;
  }
}

QString StoredFileExtension(QStringView storedPath) {
  const QStringView name =
      storedPath.mid(std::max(storedPath.lastIndexOf(u'/'), storedPath.lastIndexOf(u'\\')) + 1);
  const qsizetype dot = name.lastIndexOf(u'.');
  if (dot < 0) return QString();
  const QStringView letters = name.mid(dot + 1);
  if (letters.isEmpty() || letters.size() > 10 ||
      !std::all_of(letters.begin(), letters.end(), IsAsciiLetterOrDigit)) {
    return QString();
  }
  return name.mid(dot).toString();
}

ProjectReader::ProjectReader(Mode mode) : mode_(mode) {
  if (mode_ == Mode::kImport) TakeProjectGuids();
}

void ProjectReader::ReadScreenSettings(XmlDocument& doc, ScreenRecord& screen) {
  ReadAttributes(doc, LedFields(), screen);
  if (!Step(doc.EnterElement())) return;
  if (Find(doc, u"OnOffTimeInfo")) ReadAttributes(doc, OnOffTimeFields(), screen);
  if (Find(doc, u"BrightnessTimeInfo")) ReadAttributes(doc, BrightnessTimeFields(), screen);
  if (Find(doc, u"LockTimeInfo")) ReadAttributes(doc, LockTimeFields(), screen);
  ApplyLockDefaults(screen);
}

bool ProjectReader::Admit(std::size_t held, std::size_t limit) {
  withinLimits_ = withinLimits_ && held < limit && ++records_ <= kMaxRecordsPerFile;
  return withinLimits_;
}

void ProjectReader::ReadLogo(XmlDocument& doc, ScreenRecord& screen) {
  ReadAttributes(doc, LogoFields(), screen);
  ApplyLogoDefaults(screen);
  if (!Step(doc.EnterElement())) return;
  while (Find(doc, u"File") && Admit(screen.LogoFiles.size(), kMaxEntriesPerArea)) {
    FileItem logo = ReadRecord(doc, FileItemFields());
    if (LogoEmbedsSource(logo)) {
      QueueFile(doc, logo.guid, QStringLiteral(".rtf"));
    } else {
      CheckGuid(logo.guid);
    }
    screen.LogoFiles.push_back(logo);
  }
  Step(doc.LeaveElement());
}

void ProjectReader::ReadPrograms(XmlDocument& doc, ScreenRecord& screen) {
  while (Find(doc, u"Program") && Admit(screen.Programs.size(), kMaxProgramsPerScreen)) {
    auto program = std::make_unique<ProgramRecord>();
    ReadAttributes(doc, ProgramFields(), *program);
    program->OwnerScreen = &screen;
    if (!Step(doc.EnterElement())) return;
    while (Find(doc, u"Area") && Admit(program->Areas.size(), kMaxAreasPerProgram)) {
      ReadArea(doc, *program);
    }
    Step(doc.LeaveElement());
    screen.Programs.push_back(std::move(program));
  }
}

void ProjectReader::ReadArea(XmlDocument& doc, ProgramRecord& program) {
  auto area = std::make_unique<AreaRecord>();
  ReadAttributes(doc, AreaFields(), *area);
  CheckGuid(area->guid);
  area->OwnerProgram = &program;
  area->OwnerScreen = program.OwnerScreen;
  if (!Step(doc.EnterElement())) return;
  const std::size_t filesBefore = files_.size();
  const bool hasKind = ReadAreaKind(doc, *area);
  while (Find(doc, u"Backgroud") && Admit(area->Backgrounds.size(), kMaxEntriesPerArea)) {
    ReadBackground(doc, *area);
  }
  Step(doc.LeaveElement());
  if (!hasKind) {
    // Never keep an area without its kind record.
    files_.resize(filesBefore);
    complete_ = false;
    return;
  }
  program.Areas.push_back(std::move(area));
}

// The kind record of the area. False when a required kind element is missing.
bool ProjectReader::ReadAreaKind(XmlDocument& doc, AreaRecord& area) {
  switch (area.AreaType) {
    case kSingleLineArea: {
      if (!Find(doc, u"SingleLineArea")) return false;
      SingleLineAreaInfo info = ReadRecord(doc, SingleLineFields());
      QueueFile(doc, info.guid, QStringLiteral(".rtf"));
      area.Kind = info;
      return true;
    }
    case kImageTextArea:
      ReadListKind(*this, doc, u"ImageWordArea", FileItemFields(), area, [&](FileItem& page) {
        QueueFile(doc, page.guid, PageSourceExtension(page).toString());
      });
      return true;
    case kFlashWordArea:
      ReadListKind(*this, doc, u"FlashWordArea", FlashWordFields(), area,
                   [this](FlashWordItem& word) { CheckGuid(word.guid); });
      return true;
    case kDigitalClockArea:
      return ReadSingleKind(doc, u"DigitalClockArea", DigitalClockFields(), area);
    case kAnalogClockArea: return ReadSingleKind(doc, u"ClockArea", ClockFields(), area);
    case kCountdownArea: return ReadSingleKind(doc, u"TimeArea", TimeFields(), area);
    case kFilesArea:
      ReadListKind(*this, doc, u"FileArea", FileAreaFields(), area, [&](FileAreaItem& file) {
        if (mode_ == Mode::kImport) {
          RestoreMedia(doc, file.Guid, file.FilePath);
        } else {
          CheckGuid(file.Guid);
        }
      });
      return true;
    default: return true;  // a kind without settings
  }
}

void ProjectReader::ReadBackground(const XmlDocument& doc, AreaRecord& area) {
  BackgroundItem& back = area.Backgrounds.emplace_back(ReadRecord(doc, BackgroundFields()));
  if (mode_ == Mode::kImport && back.FileType != kFlashBackground) {
    RestoreMedia(doc, back.guid, back.FilePath);
  } else {
    CheckGuid(back.guid);
  }
}

void ProjectReader::QueueFile(const XmlDocument& doc, char16_t* guid, const QString& extension) {
  CheckGuid(guid, extension);
  files_.push_back({doc.GetText(), ReadBoundedText(guid, kNameCapacity), extension});
}

// An embedded media file goes to UserData/<guid><extension of the stored path>,
// and the entry then names that file, whether or not its text decodes.
void ProjectReader::RestoreMedia(const XmlDocument& doc, char16_t* guid, char16_t* filePath) {
  const QString extension = StoredFileExtension(ReadBoundedText(filePath, kPathCapacity));
  QueueFile(doc, guid, extension);
  const QString target = AppFilePath(AppFolder::UserData, files_.back().guid + extension);
  if (!CopyBoundedText(filePath, kPathCapacity, target)) complete_ = false;
}

void ProjectReader::CheckGuid(char16_t* guid, const std::optional<QString>& extension) {
  QString text = ReadBoundedText(guid, kNameCapacity);
  if (!IsGuidText(text) || IsTaken(text, extension)) {
    text = NewGuidText();
    CopyBoundedText(guid, kNameCapacity, text);
  }
  if (mode_ == Mode::kImport) taken_.insert(text.toUpper());
}

bool ProjectReader::IsTaken(const QString& guid, const std::optional<QString>& extension) const {
  if (mode_ != Mode::kImport) return false;
  if (taken_.contains(guid.toUpper())) return true;
  return extension && FileExists(AppFilePath(AppFolder::UserData, guid + *extension));
}

void ProjectReader::Take(const char16_t* guid) {
  taken_.insert(ReadBoundedText(guid, kNameCapacity).toUpper());
}

void ProjectReader::TakeProjectGuids() {
  auto takeItems = [this](const auto& items, auto guidOf) {
    for (const auto& item : items) Take(guidOf(item));
  };
  for (const ScreenRecord& screen : ScreenList) {
    takeItems(screen.LogoFiles, [](const FileItem& logo) { return logo.guid; });
    for (const auto& program : screen.Programs) {
      for (const auto& area : program->Areas) {
        Take(area->guid);
        takeItems(area->Backgrounds, [](const BackgroundItem& back) { return back.guid; });
        if (const auto* info = std::get_if<SingleLineAreaInfo>(&area->Kind)) Take(info->guid);
        if (const auto* pages = std::get_if<std::vector<FileItem>>(&area->Kind)) {
          takeItems(*pages, [](const FileItem& page) { return page.guid; });
        }
        if (const auto* words = std::get_if<std::vector<FlashWordItem>>(&area->Kind)) {
          takeItems(*words, [](const FlashWordItem& word) { return word.guid; });
        }
        if (const auto* files = std::get_if<std::vector<FileAreaItem>>(&area->Kind)) {
          takeItems(*files, [](const FileAreaItem& file) { return file.Guid; });
        }
      }
    }
  }
}

bool ProjectReader::RestoreFiles() {
  if (files_.empty()) return true;
  // A folder that cannot be made fails each write below, which is reported.
  (void)CreateDirTree(AppFolderPath(AppFolder::UserData));
  const bool import = mode_ == Mode::kImport;
  bool ok = true;
  AtomicFileBatch batch;
  std::vector<QString> unchanged;  // GUID texts
  std::vector<QString> staged;     // GUID texts in the batch's order
  for (const PendingFile& file : files_) {
    const QString path = AppFilePath(AppFolder::UserData, file.guid + file.extension);
    QByteArray bytes;
    if (!NeedsWriting(file.text, path, &bytes)) {
      unchanged.push_back(file.guid);
    } else if (batch.Stage(path, bytes)) {
      staged.push_back(file.guid);
    } else {
      ok = false;
      if (import) return false;  // the batch removes what it staged
    }
  }
  if (!batch.Commit()) {
    ok = false;
    if (import) {
      for (const QString& path : batch.Committed()) QFile::remove(path);  // none existed before
      return false;
    }
  }
  staged.resize(batch.Committed().size());
  for (const auto* guids : {&unchanged, &staged}) {
    for (const QString& guid : *guids) {
      QFile::remove(AppFilePath(AppFolder::Temp, guid + QStringLiteral(".pak")));
    }
  }
  return ok;
}

int LoadProjectXml(const QString& path) {
  XmlDocument doc;
  if (!OpenProjectDocument(doc, path)) return 0;
  ProjectReader reader(ProjectReader::Mode::kProject);
  std::list<ScreenRecord> screens;
  while (Find(doc, u"LED")) {
    if (!reader.Admit(screens.size(), kMaxScreens)) return 0;
    ScreenRecord& screen = screens.emplace_back();
    reader.ReadScreenSettings(doc, screen);
    if (!IsDrivableScreen(screen)) return 0;
    if (Find(doc, u"LogoInfo")) reader.ReadLogo(doc, screen);
    reader.ReadPrograms(doc, screen);
    if (!doc.LeaveElement()) return 0;
  }
  if (screens.empty() || !reader.WithinLimits()) return 0;
  std::list<ScreenGroup> groups;
  if (!ReadGroupsInto(doc, groups)) return 0;
  const bool restored = reader.RestoreFiles();
  ScreenList.splice(ScreenList.end(), screens);
  ScreenGroupList.splice(ScreenGroupList.end(), groups);
  return reader.Complete() && restored ? 1 : 0;
}

bool IsProjectFile(const QString& path) {
  XmlDocument doc;
  return OpenProjectDocument(doc, path) && Find(doc, u"FileFlag") &&
         doc.GetText() == QStringLiteral("kqprj") && Find(doc, u"LED");
}

bool ReadScreenGroups(XmlDocument& doc) { return ReadGroupsInto(doc, ScreenGroupList); }
