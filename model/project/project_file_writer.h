#pragma once
// Writing the elements of a project document, shared by the project file and the
// single-screen file, which differ only in their root and in the media files that
// the single-screen file carries.

#include <QString>

#include <span>

#include "model/project/project_file_fields.h"
#include "model/project/project_records.h"
#include "model/xml/xml_document.h"

// Builds the document element by element; remembers whether anything failed (an
// append that would outgrow the document's limit, a media file too big to embed).
class ProjectWriter {
 public:
  // With embedMedia, the media files of files-area entries and of backgrounds other
  // than flash backgrounds go into the document as Base64, each entry under a fresh
  // GUID text (the records keep theirs).
  explicit ProjectWriter(bool embedMedia);

  XmlDocument& Doc() { return doc_; }
  bool Ok() const { return ok_; }
  bool EmbedsMedia() const { return embedMedia_; }
  void Fail() { ok_ = false; }

  template <typename Record>
  void Add(const char16_t* name, std::span<const AttributeField<Record>> fields,
           const Record& record, const QString& text = QString()) {
    AddPlain(name, text);
    WriteAttributes(doc_, fields, record);
  }

  void AddPlain(const char16_t* name, const QString& text = QString()) {
    ok_ = doc_.AppendElement(QString::fromUtf16(name), text) && ok_;
  }

  // The writing ends: true when the whole document was built and written to path.
  bool WriteTo(const QString& path) { return ok_ && doc_.WriteFile(path); }

 private:
  XmlDocument doc_;
  bool embedMedia_;
  bool ok_ = true;
};

// Adds LED with the screen's attributes, enters it and adds OnOffTimeInfo,
// BrightnessTimeInfo and LockTimeInfo. The position stays inside LED.
void WriteScreenSettings(ProjectWriter& out, const ScreenRecord& screen);

// Adds Area with its attributes, its kind elements and its Backgroud elements.
void WriteArea(ProjectWriter& out, const AreaRecord& area);

// Adds Program with its attributes and the given areas (records or pointers to
// them) in order.
template <typename Areas>
void WriteProgram(ProjectWriter& out, const ProgramRecord& program, const Areas& areas) {
  out.Add(u"Program", ProgramFields(), program);
  out.Doc().EnterElement();
  for (const auto& area : areas) WriteArea(out, *area);
  out.Doc().LeaveElement();
}
