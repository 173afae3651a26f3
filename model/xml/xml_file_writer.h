#pragma once
// Writes an XML file front to back, with the very text that XmlDocument's edits give
// a document built the same way from the declaration line alone (AppendElement,
// SetAttribute, EnterElement and LeaveElement in that order): every element ends its
// own line with CR LF, one without children is "<name/>" or "<name>text</name>", and
// one with children has its start tag, its children and its end tag on lines of their
// own. The text never exists whole: it is converted to UTF-8 and written a slice at a
// time, into a file that takes the place of path only when Commit succeeds.

#include <QString>
#include <QStringView>

#include <memory>
#include <vector>

class AtomicFile;

class XmlFileWriter {
 public:
  explicit XmlFileWriter(const QString& path);
  ~XmlFileWriter();  // a writing not committed leaves path as it was
  XmlFileWriter(const XmlFileWriter&) = delete;
  XmlFileWriter& operator=(const XmlFileWriter&) = delete;

  // Starts <name>text</name> (or <name/>) after the current element, or as the first
  // child of the element just entered, and makes it current. Each call below returns
  // false once the writing has failed: the text would grow beyond what XmlDocument's
  // edits allow (XmlDocument::EditLimit()), or the file could not be written.
  [[nodiscard]] bool AppendElement(QStringView name, const QString& text = QString());
  // Adds an attribute to the element just appended (a name at most once; false when
  // there is none, as after LeaveElement).
  [[nodiscard]] bool SetAttribute(QStringView name, QStringView value);
  [[nodiscard]] bool SetIntAttribute(QStringView name, int value);
  // One level down into the element just appended; false when there is none.
  [[nodiscard]] bool EnterElement();
  // Ends the element entered last and makes it current; false at the document level.
  [[nodiscard]] bool LeaveElement();
  // Makes the writing fail: Commit will leave path as it was.
  void Fail() { failed_ = true; }
  // Ends every element still open and puts the file in place of path. False when the
  // writing failed at any point; path is then unchanged.
  [[nodiscard]] bool Commit();

 private:
  struct OpenElement {
    QString name;
    QString text;
    bool hasChildren = false;
  };

  void Put(QStringView piece);
  void PutEscaped(QStringView text, bool attribute);
  void EndStartTag(OpenElement& parent);
  void EndElement(const OpenElement& element);
  void EndAppended();
  void Flush();

  QString path_;
  std::unique_ptr<AtomicFile> file_;  // opened at the first slice written
  QString buffer_;                    // text not yet written
  qsizetype length_ = 0;              // of the whole text so far, in UTF-16 units
  std::vector<OpenElement> entered_;  // the elements entered, outermost first
  OpenElement appended_;              // the element just appended, start tag still open
  bool hasAppended_ = false;
  bool failed_ = false;
};
