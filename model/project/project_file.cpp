#include "model/project/project_file.h"

#include <QFileInfo>

#include <variant>

#include "model/common/app_paths.h"
#include "model/common/bounded_text.h"
#include "model/common/guid_text.h"
#include "model/project/base64_file.h"
#include "model/project/project_file_fields.h"
#include "model/project/project_file_writer.h"
#include "model/project/project_globals.h"
#include "model/xml/xml_document.h"
#include "model/xml/xml_file_writer.h"

namespace {

// A media file larger than this cannot be embedded: its Base64 text would outgrow
// the document.
constexpr qint64 kMaxEmbeddedBytes = XmlDocument::kMaxTextLength / 4 * 3;

// The Base64 text of an embedded source; empty when the GUID text cannot name a file
// or the file cannot be read.
QString EmbeddedText(const char16_t* guid, QStringView extension) {
  QString text;
  if (!IsGuidText(QString::fromUtf16(guid))) return text;
  if (!FileToBase64(EmbeddedSourcePath(guid, extension), &text)) return QString();
  return text;
}

// The Base64 text of the media file at a stored path; empty when it cannot be read.
// A file too big to embed fails the writing.
QString MediaText(ProjectWriter& out, const QString& storedPath) {
  const QString path = FromStoredPath(storedPath);
  if (QFileInfo(path).size() > kMaxEmbeddedBytes) {
    out.Fail();
    return QString();
  }
  QString text;
  if (!FileToBase64(path, &text)) return QString();
  return text;
}

// An entry that names a media file; with media embedded, written with the file's
// Base64 text under a fresh GUID text (guidOf gives the entry's GUID field).
template <typename Entry, typename GuidOf>
void AddMediaEntry(ProjectWriter& out, const char16_t* name,
                   std::span<const AttributeField<Entry>> fields, Entry entry, GuidOf guidOf) {
  if (!out.EmbedsMedia()) {
    out.Add(name, fields, entry);
    return;
  }
  CopyBoundedText(guidOf(entry), NewGuidText());
  out.Add(name, fields, entry, MediaText(out, ReadBoundedText(entry.FilePath)));
}

void WriteAreaKind(ProjectWriter& out, const AreaRecord& area) {
  if (const auto* info = std::get_if<SingleLineAreaInfo>(&area.Kind)) {
    out.Add(u"SingleLineArea", SingleLineFields(), *info, EmbeddedText(info->guid, u".rtf"));
  } else if (const auto* pages = std::get_if<std::vector<FileItem>>(&area.Kind)) {
    for (const FileItem& page : *pages) {
      out.Add(u"ImageWordArea", FileItemFields(), page,
              EmbeddedText(page.guid, PageSourceExtension(page)));
    }
  } else if (const auto* words = std::get_if<std::vector<FlashWordItem>>(&area.Kind)) {
    for (const FlashWordItem& word : *words) out.Add(u"FlashWordArea", FlashWordFields(), word);
  } else if (const auto* digital = std::get_if<DigitalClockAreaInfo>(&area.Kind)) {
    out.Add(u"DigitalClockArea", DigitalClockFields(), *digital);
  } else if (const auto* clock = std::get_if<ClockAreaInfo>(&area.Kind)) {
    out.Add(u"ClockArea", ClockFields(), *clock);
  } else if (const auto* countdown = std::get_if<TimeAreaInfo>(&area.Kind)) {
    out.Add(u"TimeArea", TimeFields(), *countdown);
  } else if (const auto* files = std::get_if<std::vector<FileAreaItem>>(&area.Kind)) {
    for (const FileAreaItem& file : *files) {
      AddMediaEntry(
          out, u"FileArea", FileAreaFields(), file,
          [](FileAreaItem & entry) -> auto& { return entry.Guid; });
    }
  }
}

void WriteScreen(ProjectWriter& out, const ScreenRecord& screen) {
  WriteScreenSettings(out, screen);
  out.Add(u"LogoInfo", LogoFields(), screen);
  out.Enter();
  for (const FileItem& logo : screen.LogoFiles) {
    out.Add(u"File", FileItemFields(), logo,
            LogoEmbedsSource(logo) ? EmbeddedText(logo.guid, u".rtf") : QString());
  }
  out.Leave();
  for (const auto& program : screen.Programs) WriteProgram(out, *program, program->Areas);
  out.Leave();
}

}  // namespace

ProjectWriter::ProjectWriter(const QString& path, bool embedMedia)
    : doc_(path), embedMedia_(embedMedia) {}

void WriteScreenSettings(ProjectWriter& out, const ScreenRecord& screen) {
  out.Add(u"LED", LedFields(), screen);
  out.Enter();
  out.Add(u"OnOffTimeInfo", OnOffTimeFields(), screen);
  out.Add(u"BrightnessTimeInfo", BrightnessTimeFields(), screen);
  out.Add(u"LockTimeInfo", LockTimeFields(), screen);
}

void WriteArea(ProjectWriter& out, const AreaRecord& area) {
  out.Add(u"Area", AreaFields(), area);
  out.Enter();
  WriteAreaKind(out, area);
  for (const BackgroundItem& back : area.Backgrounds) {
    if (back.FileType == kFlashBackground) {
      out.Add(u"Backgroud", BackgroundFields(), back);
    } else {
      AddMediaEntry(
          out, u"Backgroud", BackgroundFields(), back,
          [](BackgroundItem & entry) -> auto& { return entry.guid; });
    }
  }
  out.Leave();
}

int SaveProjectXml(const QString& path) {
  ProjectWriter out(path, false);
  out.AddPlain(u"LEDS");
  out.Enter();
  out.AddPlain(u"FileFlag", QStringLiteral("kqprj"));
  for (const ScreenRecord& screen : ScreenList) WriteScreen(out, screen);
  out.Check(WriteScreenGroups(out.Doc()));
  return out.Finish() ? 1 : 0;
}

bool WriteScreenGroups(XmlFileWriter& doc) {
  if (!doc.AppendElement(QStringLiteral("GroupList")) || !doc.EnterElement()) return false;
  for (const ScreenGroup& group : ScreenGroupList) {
    if (!doc.AppendElement(QStringLiteral("Group")) ||
        !doc.SetAttribute(QStringLiteral("GroupName"), group.GroupName) || !doc.EnterElement()) {
      return false;
    }
    for (std::int32_t ledNo : group.ScreenNos) {
      if (!doc.AppendElement(QStringLiteral("LED")) ||
          !doc.SetIntAttribute(QStringLiteral("LEDNO"), ledNo)) {
        return false;
      }
    }
    if (!doc.LeaveElement()) return false;
  }
  return doc.LeaveElement();
}
