// Loading a project file. The file is read into fresh records first; the model and
// the files under UserData and Temp change only once the document has proved to be
// a project, so a damaged file leaves everything as it was.

#include <QDate>
#include <QFile>

#include <list>
#include <vector>

#include "model/common/app_paths.h"
#include "model/common/bounded_text.h"
#include "model/common/file_system.h"
#include "model/common/guid_text.h"
#include "model/project/base64_file.h"
#include "model/project/project_file.h"
#include "model/project/project_file_fields.h"
#include "model/project/project_globals.h"
#include "model/xml/xml_document.h"

namespace {

// An embedded source to restore once the load is accepted.
struct PendingSource {
  QString text;
  QString guid;  // checked
  QStringView extension;
};

struct LoadedProject {
  std::list<ScreenRecord> screens;
  std::list<ScreenGroup> groups;
  std::vector<PendingSource> sources;
  bool complete = true;  // false once an area had to be left out
};

bool Find(XmlDocument& doc, const char16_t* name) {
  return doc.FindElement(QString::fromUtf16(name));
}

// A GUID text from the file names files; one of any other form is replaced by a
// fresh GUID so that it can never point outside its folder.
template <std::size_t N>
void CheckGuid(char16_t (&guid)[N]) {
  if (!IsGuidText(ReadBoundedText(guid))) CopyBoundedText(guid, NewGuidText());
}

template <typename Record>
Record ReadRecord(const XmlDocument& doc, std::span<const AttributeField<Record>> fields) {
  Record record{};
  ReadAttributes(doc, fields, record);
  return record;
}

void QueueSource(LoadedProject& project, const XmlDocument& doc, const char16_t* guid,
                 QStringView extension) {
  project.sources.push_back({doc.GetText(), QString::fromUtf16(guid), extension});
}

// Lock date defaults: a year before 1970 becomes this year, a month or day 0 becomes 1.
void ApplyLockDefaults(ScreenRecord& screen) {
  if (screen.Year < 1970) screen.Year = QDate::currentDate().year();
  if (screen.Month == 0) screen.Month = 1;
  if (screen.Day == 0) screen.Day = 1;
  screen.LockState = 0;
}

// A logo rectangle left at 0 becomes the right end of the screen, 64 x 32 at most.
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

void ReadLogo(XmlDocument& doc, ScreenRecord& screen, LoadedProject& project) {
  ReadAttributes(doc, LogoFields(), screen);
  ApplyLogoDefaults(screen);
  doc.EnterElement();
  while (Find(doc, u"File")) {
    FileItem logo = ReadRecord(doc, FileItemFields());
    CheckGuid(logo.guid);
    if (LogoEmbedsSource(logo)) QueueSource(project, doc, logo.guid, u".rtf");
    screen.LogoFiles.push_back(logo);
  }
  doc.LeaveElement();
}

// A kind with one required element. False when it is missing.
template <typename Info>
bool ReadSingleKind(XmlDocument& doc, const char16_t* name,
                    std::span<const AttributeField<Info>> fields, AreaRecord& area) {
  if (!Find(doc, name)) return false;
  area.Kind = ReadRecord(doc, fields);
  return true;
}

// A kind with one element per item, each item checked by `check`.
template <typename Item, typename Check>
void ReadListKind(XmlDocument& doc, const char16_t* name,
                  std::span<const AttributeField<Item>> fields, AreaRecord& area, Check check) {
  std::vector<Item> items;
  while (Find(doc, name)) {
    items.push_back(ReadRecord(doc, fields));
    check(items.back());
  }
  area.Kind = std::move(items);
}

// The kind record of the area. False when a required kind element is missing.
bool ReadAreaKind(XmlDocument& doc, AreaRecord& area, LoadedProject& project) {
  switch (area.AreaType) {
    case kSingleLineArea: {
      if (!Find(doc, u"SingleLineArea")) return false;
      SingleLineAreaInfo info = ReadRecord(doc, SingleLineFields());
      CheckGuid(info.guid);
      QueueSource(project, doc, info.guid, u".rtf");
      area.Kind = info;
      return true;
    }
    case kImageTextArea:
      ReadListKind(doc, u"ImageWordArea", FileItemFields(), area, [&](FileItem& page) {
        CheckGuid(page.guid);
        QueueSource(project, doc, page.guid, PageSourceExtension(page));
      });
      return true;
    case kFlashWordArea:
      ReadListKind(doc, u"FlashWordArea", FlashWordFields(), area,
                   [](FlashWordItem& word) { CheckGuid(word.guid); });
      return true;
    case kDigitalClockArea:
      return ReadSingleKind(doc, u"DigitalClockArea", DigitalClockFields(), area);
    case kAnalogClockArea:
      return ReadSingleKind(doc, u"ClockArea", ClockFields(), area);
    case kCountdownArea:
      return ReadSingleKind(doc, u"TimeArea", TimeFields(), area);
    case kFilesArea:
      ReadListKind(doc, u"FileArea", FileAreaFields(), area,
                   [](FileAreaItem& file) { CheckGuid(file.Guid); });
      return true;
    default:
      return true;  // a kind without settings
  }
}

void ReadArea(XmlDocument& doc, ProgramRecord& program, LoadedProject& project) {
  auto area = std::make_unique<AreaRecord>();
  ReadAttributes(doc, AreaFields(), *area);
  CheckGuid(area->guid);
  area->OwnerProgram = &program;
  area->OwnerScreen = program.OwnerScreen;
  doc.EnterElement();
  const std::size_t sourcesBefore = project.sources.size();
  const bool hasKind = ReadAreaKind(doc, *area, project);
  while (Find(doc, u"Backgroud")) {
    area->Backgrounds.push_back(ReadRecord(doc, BackgroundFields()));
    CheckGuid(area->Backgrounds.back().guid);
  }
  doc.LeaveElement();
  if (!hasKind) {
    // Never keep an area without its kind record.
    project.sources.resize(sourcesBefore);
    project.complete = false;
    return;
  }
  program.Areas.push_back(std::move(area));
}

void ReadScreen(XmlDocument& doc, LoadedProject& project) {
  ScreenRecord& screen = project.screens.emplace_back();
  ReadAttributes(doc, LedFields(), screen);
  doc.EnterElement();
  if (Find(doc, u"OnOffTimeInfo")) ReadAttributes(doc, OnOffTimeFields(), screen);
  if (Find(doc, u"BrightnessTimeInfo")) ReadAttributes(doc, BrightnessTimeFields(), screen);
  if (Find(doc, u"LockTimeInfo")) ReadAttributes(doc, LockTimeFields(), screen);
  ApplyLockDefaults(screen);
  if (Find(doc, u"LogoInfo")) ReadLogo(doc, screen, project);
  while (Find(doc, u"Program")) {
    auto program = std::make_unique<ProgramRecord>();
    ReadAttributes(doc, ProgramFields(), *program);
    program->OwnerScreen = &screen;
    doc.EnterElement();
    while (Find(doc, u"Area")) ReadArea(doc, *program, project);
    doc.LeaveElement();
    screen.Programs.push_back(std::move(program));
  }
  doc.LeaveElement();
}

// Reads and parses the file and enters its LEDS. False for a file that cannot be
// read or is not well-formed (a cut file is not), or has no LEDS root.
bool OpenProjectDocument(XmlDocument& doc, const QString& path) {
  return doc.ReadFile(path) && doc.Parse() && Find(doc, u"LEDS") && doc.EnterElement();
}

void ReadGroupsInto(XmlDocument& doc, std::list<ScreenGroup>& groups) {
  doc.ResetPosition();
  if (Find(doc, u"LEDS") && doc.EnterElement() && Find(doc, u"GroupList") && doc.EnterElement()) {
    while (Find(doc, u"Group")) {
      ScreenGroup& group = groups.emplace_back(doc.GetAttribute(QStringLiteral("GroupName")));
      doc.EnterElement();
      while (Find(doc, u"LED")) {
        group.ScreenNos.push_back(ParseIntAttribute(doc.GetAttribute(QStringLiteral("LEDNO"))));
      }
      doc.LeaveElement();
    }
  }
  doc.ResetPosition();
}

// Writes the embedded sources and deletes their frame files, which are rendered
// again from the restored sources.
void RestoreSources(const std::vector<PendingSource>& sources) {
  if (sources.empty()) return;
  CreateDirTree(AppFolderPath(AppFolder::UserData));
  for (const PendingSource& source : sources) {
    Base64ToFile(source.text, AppFilePath(AppFolder::UserData, source.guid + source.extension.toString()));
    QFile::remove(AppFilePath(AppFolder::Temp, source.guid + QStringLiteral(".pak")));
  }
}

}  // namespace

int LoadProjectXml(const QString& path) {
  XmlDocument doc;
  if (!OpenProjectDocument(doc, path)) return 0;
  LoadedProject project;
  while (Find(doc, u"LED")) ReadScreen(doc, project);
  if (project.screens.empty()) return 0;
  ReadGroupsInto(doc, project.groups);
  RestoreSources(project.sources);
  ScreenList.splice(ScreenList.end(), project.screens);
  ScreenGroupList.splice(ScreenGroupList.end(), project.groups);
  return project.complete ? 1 : 0;
}

bool IsProjectFile(const QString& path) {
  XmlDocument doc;
  return OpenProjectDocument(doc, path) && Find(doc, u"FileFlag") &&
         doc.GetText() == QStringLiteral("kqprj") && Find(doc, u"LED");
}

void ReadScreenGroups(XmlDocument& doc) { ReadGroupsInto(doc, ScreenGroupList); }
