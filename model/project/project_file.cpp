#include "model/project/project_file.h"

#include <variant>

#include "model/common/guid_text.h"
#include "model/project/base64_file.h"
#include "model/project/project_file_fields.h"
#include "model/project/project_globals.h"
#include "model/xml/xml_document.h"

namespace {

// Builds the document element by element; remembers whether any append failed (the
// text would have outgrown the document's limit).
class ProjectWriter {
 public:
  ProjectWriter() { doc_.SetDocument(XmlDocument::kDeclaration.toString()); }

  XmlDocument& Doc() { return doc_; }
  bool Ok() const { return ok_; }

  template <typename Record>
  void Add(const char16_t* name, std::span<const AttributeField<Record>> fields,
           const Record& record, const QString& text = QString()) {
    ok_ = doc_.AppendElement(QString::fromUtf16(name), text) && ok_;
    WriteAttributes(doc_, fields, record);
  }

  void AddPlain(const char16_t* name, const QString& text = QString()) {
    ok_ = doc_.AppendElement(QString::fromUtf16(name), text) && ok_;
  }

 private:
  XmlDocument doc_;
  bool ok_ = true;
};

// The Base64 text of an embedded source; empty when the GUID text cannot name a file
// or the file cannot be read.
QString EmbeddedText(const char16_t* guid, QStringView extension) {
  QString text;
  if (IsGuidText(QString::fromUtf16(guid))) FileToBase64(EmbeddedSourcePath(guid, extension), &text);
  return text;
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
    for (const FileAreaItem& file : *files) out.Add(u"FileArea", FileAreaFields(), file);
  }
}

void WriteArea(ProjectWriter& out, const AreaRecord& area) {
  out.Add(u"Area", AreaFields(), area);
  out.Doc().EnterElement();
  WriteAreaKind(out, area);
  for (const BackgroundItem& back : area.Backgrounds) out.Add(u"Backgroud", BackgroundFields(), back);
  out.Doc().LeaveElement();
}

void WriteScreen(ProjectWriter& out, const ScreenRecord& screen) {
  out.Add(u"LED", LedFields(), screen);
  out.Doc().EnterElement();
  out.Add(u"OnOffTimeInfo", OnOffTimeFields(), screen);
  out.Add(u"BrightnessTimeInfo", BrightnessTimeFields(), screen);
  out.Add(u"LockTimeInfo", LockTimeFields(), screen);
  out.Add(u"LogoInfo", LogoFields(), screen);
  out.Doc().EnterElement();
  for (const FileItem& logo : screen.LogoFiles) {
    out.Add(u"File", FileItemFields(), logo,
            LogoEmbedsSource(logo) ? EmbeddedText(logo.guid, u".rtf") : QString());
  }
  out.Doc().LeaveElement();
  for (const auto& program : screen.Programs) {
    out.Add(u"Program", ProgramFields(), *program);
    out.Doc().EnterElement();
    for (const auto& area : program->Areas) WriteArea(out, *area);
    out.Doc().LeaveElement();
  }
  out.Doc().LeaveElement();
}

}  // namespace

int SaveProjectXml(const QString& path) {
  ProjectWriter out;
  out.AddPlain(u"LEDS");
  out.Doc().EnterElement();
  out.AddPlain(u"FileFlag", QStringLiteral("kqprj"));
  for (const ScreenRecord& screen : ScreenList) WriteScreen(out, screen);
  WriteScreenGroups(out.Doc());
  return out.Ok() && out.Doc().WriteFile(path) ? 1 : 0;
}

void WriteScreenGroups(XmlDocument& doc) {
  doc.AppendElement(QStringLiteral("GroupList"));
  doc.EnterElement();
  for (const ScreenGroup& group : ScreenGroupList) {
    doc.AppendElement(QStringLiteral("Group"));
    doc.SetAttribute(QStringLiteral("GroupName"), group.GroupName);
    doc.EnterElement();
    for (std::int32_t ledNo : group.ScreenNos) {
      doc.AppendElement(QStringLiteral("LED"));
      doc.SetIntAttribute(QStringLiteral("LEDNO"), ledNo);
    }
    doc.LeaveElement();
  }
  doc.LeaveElement();
}
