#pragma once
// Writing the elements of a project document, shared by the project file and the
// single-screen file, which differ only in their root and in the media files that
// the single-screen file carries.

#include <QString>

#include <span>

#include "model/project/project_file_fields.h"
#include "model/project/project_records.h"
#include "model/xml/xml_file_writer.h"

// Writes the document element by element into the file at path and checks every
// step: once an element, attribute or walk step fails (the text would outgrow the
// document's limit, or the file cannot be written) or a media file is too big to
// embed, the writing has failed and Finish leaves the file as it was.
class ProjectWriter {
 public:
  // With embedMedia, the media files of files-area entries and of backgrounds other
  // than flash backgrounds go into the document as Base64, each entry under a fresh
  // GUID text (the records keep theirs).
  ProjectWriter(const QString& path, bool embedMedia);

  XmlFileWriter& Doc() { return doc_; }
  bool EmbedsMedia() const { return embedMedia_; }
  void Fail() {
    ok_ = false;
    doc_.Fail();
  }
  // Takes the outcome of one step written straight into Doc().
  void Check(bool done) {
    if (!done) Fail();
  }

  // Adds the element with the record's attributes, in table order; they are left out
  // when the element could not be added.
  template <typename Record>
  void Add(const char16_t* name, std::span<const AttributeField<Record>> fields,
           const Record& record, const QString& text = QString()) {
    if (!AddPlain(name, text)) return;
    for (const AttributeField<Record>& field : fields) {
      if (!doc_.SetAttribute(field.name, field.write(record))) return Fail();
    }
  }

  bool AddPlain(const char16_t* name, const QString& text = QString()) {
    const bool added = doc_.AppendElement(name, text);
    Check(added);
    return added;
  }

  void Enter() { Check(doc_.EnterElement()); }
  void Leave() { Check(doc_.LeaveElement()); }

  // The writing ends: true when the whole document was built and written to path.
  [[nodiscard]] bool Finish() { return ok_ && doc_.Commit(); }

 private:
  XmlFileWriter doc_;
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
  out.Enter();
  for (const auto& area : areas) WriteArea(out, *area);
  out.Leave();
}
