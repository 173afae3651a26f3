#include "model/xml/xml_file_writer.h"

#include <QByteArrayView>

#include "model/common/atomic_file.h"
#include "model/xml/xml_document.h"
#include "model/xml/xml_escape.h"
#include "model/xml/xml_utf8.h"

namespace {

// The text gathers to this many UTF-16 units before it goes to the file.
constexpr qsizetype kFlushUnits = 32768;

}  // namespace

XmlFileWriter::XmlFileWriter(const QString& path) : path_(path) {
  buffer_.reserve(2 * kFlushUnits);
  Put(XmlDocument::kDeclaration);
}

XmlFileWriter::~XmlFileWriter() = default;

void XmlFileWriter::Put(QStringView piece) {
  if (failed_) return;
  if (piece.size() > XmlDocument::EditLimit() - length_) {
    failed_ = true;
    return;
  }
  length_ += piece.size();
  buffer_.append(piece);
  if (buffer_.size() >= kFlushUnits) Flush();
}

void XmlFileWriter::PutEscaped(QStringView text, bool attribute) {
  if (failed_) return;
  const qsizetype before = buffer_.size();
  AppendEscapedXmlText(buffer_, text, attribute);
  const qsizetype added = buffer_.size() - before;
  if (added > XmlDocument::EditLimit() - length_) {
    failed_ = true;
    return;
  }
  length_ += added;
  if (buffer_.size() >= kFlushUnits) Flush();
}

// Converts and writes the buffer. It ends with a whole piece of the text, and every
// piece is followed by markup, so a surrogate unit at its end has no partner to wait
// for.
void XmlFileWriter::Flush() {
  if (!file_) {
    file_ = std::make_unique<AtomicFile>(path_);
    if (!file_->Open()) failed_ = true;
  }
  if (!failed_) {
    failed_ =
        WriteUtf8Slices(buffer_, [this](QByteArrayView bytes) { return file_->Write(bytes); }) < 0;
  }
  buffer_.resize(0);  // keeps the capacity
}

// The first child of parent follows: its start tag ends, and its text comes first.
void XmlFileWriter::EndStartTag(OpenElement& parent) {
  Put(u">");
  if (parent.text.isEmpty()) {
    Put(u"\r\n");
  } else {
    PutEscaped(parent.text, false);
  }
  parent.hasChildren = true;
}

void XmlFileWriter::EndElement(const OpenElement& element) {
  if (!element.hasChildren && element.text.isEmpty()) {
    Put(u"/>\r\n");
    return;
  }
  if (!element.hasChildren) {
    Put(u">");
    PutEscaped(element.text, false);
  }
  Put(u"</");
  Put(element.name);
  Put(u">\r\n");
}

void XmlFileWriter::EndAppended() {
  if (hasAppended_) EndElement(appended_);
  hasAppended_ = false;
}

bool XmlFileWriter::AppendElement(QStringView name, const QString& text) {
  EndAppended();
  if (!entered_.empty() && !entered_.back().hasChildren) EndStartTag(entered_.back());
  Put(u"<");
  Put(name);
  appended_ = OpenElement{name.toString(), text, false};
  hasAppended_ = true;
  return !failed_;
}

bool XmlFileWriter::SetAttribute(QStringView name, QStringView value) {
  if (!hasAppended_) return false;
  Put(u" ");
  Put(name);
  Put(u"=\"");
  PutEscaped(value, true);
  Put(u"\"");
  return !failed_;
}

bool XmlFileWriter::SetIntAttribute(QStringView name, int value) {
  return SetAttribute(name, QString::number(value));
}

bool XmlFileWriter::EnterElement() {
  if (!hasAppended_) return false;
  entered_.push_back(std::move(appended_));
  hasAppended_ = false;
  return !failed_;
}

bool XmlFileWriter::LeaveElement() {
  if (entered_.empty()) return false;
  EndAppended();
  EndElement(entered_.back());
  entered_.pop_back();
  return !failed_;
}

bool XmlFileWriter::Commit() {
  EndAppended();
  while (!entered_.empty()) {
    EndElement(entered_.back());
    entered_.pop_back();
  }
  if (!failed_) Flush();
  if (failed_) {
    file_.reset();  // removes the temporary file
    return false;
  }
  return file_->Commit();
}
