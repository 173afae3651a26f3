#include "model/xml/xml_document.h"

#include <algorithm>
#include <cstring>

#include "model/common/atomic_file.h"
#include "model/common/regular_file.h"
#include "model/xml/xml_escape.h"
#include "model/xml/xml_scanner.h"
#include "model/xml/xml_utf8.h"

namespace {

// An error text cut before its first line break.
QString FirstLine(const QString& text) {
  qsizetype cut = 0;
  while (cut < text.size() && text[cut] != u'\r' && text[cut] != u'\n') ++cut;
  return text.left(cut);
}

QString SystemErrorText(int error) {
  char buffer[256];
  return FirstLine(QString::fromLocal8Bit(strerror_r(error, buffer, sizeof buffer)));
}

}  // namespace

// The empty text is not well-formed; the parse only sets up the table and status.
XmlDocument::XmlDocument() { static_cast<void>(Parse()); }

bool XmlDocument::SetDocument(const QString& text) {
  text_ = text;
  status_.clear();
  return Parse();
}

bool XmlDocument::ReadFile(const QString& path, qint64 maxBytes) {
  QByteArray bytes;
  if (const int error = ReadRegularFile(path, &bytes, std::min<qint64>(maxBytes, kMaxTextLength))) {
    status_ = SystemErrorText(error);
    return false;
  }
  const qsizetype units = Utf8ToWide(bytes.constData(), bytes.size(), nullptr);
  QString decoded(units, Qt::Uninitialized);
  Utf8ToWide(bytes.constData(), bytes.size(), reinterpret_cast<char16_t*>(decoded.data()));
  text_ = std::move(decoded);
  status_ = QStringLiteral("%1 bytes to %2 wide chars").arg(bytes.size()).arg(units);
  return true;
}

bool XmlDocument::WriteFile(const QString& path) {
  AtomicFile file(path);
  const qsizetype size =
      file.Open()
          ? WriteUtf8Slices(text_, [&file](QByteArrayView bytes) { return file.Write(bytes); })
          : -1;
  if (size < 0 || !file.Commit()) {
    status_ = FirstLine(file.ErrorText());
    return false;
  }
  status_ = QStringLiteral("%1 wide chars to %2 bytes").arg(text_.size()).arg(size);
  return true;
}

void XmlDocument::ResetPosition() {
  parent_ = 0;
  current_ = 0;
  child_ = 0;
}

void XmlDocument::Fail(const QString& message) {
  illFormed_ = true;
  if (status_.isEmpty()) status_ = message;
}

bool XmlDocument::Parse() {
  const QString kept = status_;
  status_.clear();
  illFormed_ = false;
  ResetPosition();
  elements_.clear();
  elements_.reserve(static_cast<size_t>(std::min(text_.size(), kMaxTextLength) / 64 + 8));
  elements_.emplace_back();
  if (text_.size() > kMaxTextLength) {
    Fail(QStringLiteral("Document too large"));
  } else if (text_.isEmpty()) {
    status_ = QStringLiteral("Empty document");
  } else {
    ParseElements();
    elements_[0].length = static_cast<int>(text_.size());
    const int root = elements_[0].firstChild;
    if (root == 0) {
      status_ = QStringLiteral("No root element");
    } else if (elements_[root].nextSibling != 0) {
      status_ = QStringLiteral("Root element has sibling");
    }
  }
  ResetPosition();
  if (!kept.isEmpty()) status_ = status_.isEmpty() ? kept : kept + QStringLiteral(", ") + status_;
  const int root = elements_[0].firstChild;
  return !illFormed_ && root != 0 && elements_[root].nextSibling == 0;
}

void XmlDocument::ParseElements() {
  std::vector<int> open;  // indexes of the elements not yet closed, innermost last
  open.reserve(6);
  qsizetype pos = 0;
  for (;;) {
    XmlNode node = ScanMarkup(text_, &pos);
    switch (node.kind) {
      case XmlNodeKind::End: {
        if (open.empty()) return;
        const Element& innermost = elements_[open.back()];
        Fail(QStringLiteral("Element '%1' at offset %2 not ended")
                 .arg(NameOf(open.back()))
                 .arg(innermost.start));
        for (int index : open) CloseNotEnded(index);  // outermost first
        return;
      }
      case XmlNodeKind::StartTag:
      case XmlNodeKind::EmptyTag: {
        int index = AddElement(open.empty() ? 0 : open.back(), node.start, node.length);
        if (node.kind == XmlNodeKind::StartTag) open.push_back(index);
        break;
      }
      case XmlNodeKind::EndTag: {
        const QStringView name = XmlNameAt(text_, node.start + 2);
        auto match = open.rbegin();
        while (match != open.rend() && NameOf(*match) != name) ++match;
        if (match == open.rend()) {
          Fail(QStringLiteral("No start tag for end tag '%1' at offset %2")
                   .arg(name)
                   .arg(node.start));
          break;
        }
        const auto matched = open.end() - (match - open.rbegin()) - 1;
        if (matched + 1 != open.end()) {
          Fail(QStringLiteral("End tag '%1' at offset %2 does not match start tag '%3' at "
                              "offset %4")
                   .arg(name)
                   .arg(node.start + 1)
                   .arg(NameOf(open.back()))
                   .arg(elements_[open.back()].start));
          for (auto inner = matched + 1; inner != open.end(); ++inner) CloseNotEnded(*inner);
        }
        CompleteElement(*matched, node.start + node.length, node.length);
        open.erase(matched, open.end());
        break;
      }
      case XmlNodeKind::Error: Fail(node.error); break;
      default: break;
    }
  }
}

int XmlDocument::AddElement(int parent, qsizetype start, qsizetype startTagLength) {
  const int index = static_cast<int>(elements_.size());
  Element& element = elements_.emplace_back();
  element.start = static_cast<int>(start);
  element.startTagLength = static_cast<int>(startTagLength);
  element.length = element.startTagLength;
  LinkAfter(index, 0, parent);
  return index;
}

void XmlDocument::CompleteElement(int index, qsizetype endTagEnd, qsizetype endTagLength) {
  Element& element = elements_[index];
  element.length = static_cast<int>(endTagEnd - element.start);
  element.endTagLength = static_cast<int>(endTagLength);
}

// Ends an element at its start tag; its children follow it as siblings. Its parent
// is still open, so the element is that parent's last child.
void XmlDocument::CloseNotEnded(int index) {
  Element& element = elements_[index];
  element.notEnded = true;
  element.length = element.startTagLength;
  element.endTagLength = 0;
  const int first = element.firstChild;
  if (first == 0) return;
  const int last = elements_[first].previousSibling;
  for (int child = first; child != 0; child = elements_[child].nextSibling) {
    elements_[child].parent = element.parent;
  }
  const int parentFirst = elements_[element.parent].firstChild;
  elements_[last].nextSibling = element.nextSibling;
  if (element.nextSibling != 0) {
    elements_[element.nextSibling].previousSibling = last;
  } else {
    elements_[parentFirst].previousSibling = last;
  }
  element.nextSibling = first;
  elements_[first].previousSibling = index;
  element.firstChild = 0;
}

QStringView XmlDocument::NameOf(int index) const {
  return XmlNameAt(text_, elements_[index].start + 1);
}

int XmlDocument::LastChild(int index) const {
  const int first = elements_[index].firstChild;
  return first == 0 ? 0 : elements_[first].previousSibling;
}

// Links index into the children of parent after previous (0: as the last child).
void XmlDocument::LinkAfter(int index, int previous, int parent) {
  elements_[index].parent = parent;
  const int first = elements_[parent].firstChild;
  if (first == 0) {
    elements_[parent].firstChild = index;
    elements_[index].previousSibling = index;
    elements_[index].nextSibling = 0;
    return;
  }
  if (previous == 0) previous = elements_[first].previousSibling;
  const int next = elements_[previous].nextSibling;
  elements_[index].previousSibling = previous;
  elements_[index].nextSibling = next;
  elements_[previous].nextSibling = index;
  elements_[next != 0 ? next : first].previousSibling = index;
}

bool XmlDocument::FindElement(const QString& name) {
  if (elements_.empty()) return false;
  int candidate = current_ != 0 ? elements_[current_].nextSibling : elements_[parent_].firstChild;
  for (; candidate != 0; candidate = elements_[candidate].nextSibling) {
    if (name.isEmpty() || NameOf(candidate) == name) {
      current_ = candidate;
      parent_ = elements_[candidate].parent;
      child_ = 0;
      return true;
    }
  }
  return false;
}

bool XmlDocument::EnterElement() {
  if (current_ == 0) return false;
  parent_ = current_;
  current_ = child_;
  child_ = 0;
  return true;
}

bool XmlDocument::LeaveElement() {
  if (parent_ == 0) return false;
  child_ = current_;
  current_ = parent_;
  parent_ = elements_[parent_].parent;
  return true;
}

XmlDocument::AttributeSpan XmlDocument::FindAttributeSpan(const Element& element,
                                                          QStringView name) const {
  const QStringView text(text_);
  const qsizetype end = element.start + element.startTagLength;
  auto endsName = [&](QChar c) {
    return c == u'=' || c == u'>' || c == u'/' || c == u'?' || IsXmlSpace(c);
  };
  auto skipSpace = [&](qsizetype i) {
    while (i < end && IsXmlSpace(text[i])) ++i;
    return i;
  };
  AttributeSpan span;
  qsizetype i = element.start + 1;
  while (i < end && !IsXmlSpace(text[i]) && text[i] != u'/' && text[i] != u'>') ++i;
  span.insertAt = i;
  for (i = skipSpace(i); i < end && !(text[i] == u'/' || text[i] == u'>' || text[i] == u'?');
       i = skipSpace(i)) {
    const qsizetype nameStart = i;
    while (i < end && !endsName(text[i])) ++i;
    span.nameEnd = span.insertAt = i;
    const QStringView itemName = text.mid(nameStart, i - nameStart);
    qsizetype j = skipSpace(i);
    span.hasValue = j < end && text[j] == u'=';
    if (span.hasValue) {
      j = span.valueStart = skipSpace(j + 1);
      if (j < end && (text[j] == u'"' || text[j] == u'\'')) {
        qsizetype close = text.mid(0, end).indexOf(text[j], j + 1);
        span.valueEnd = close < 0 ? end : close + 1;
        span.value = text.mid(j + 1, (close < 0 ? end : close) - j - 1);
      } else {
        while (j < end && !IsXmlSpace(text[j]) && text[j] != u'>') ++j;
        span.valueEnd = j;
        span.value = text.mid(span.valueStart, j - span.valueStart);
      }
      i = span.insertAt = span.valueEnd;
    }
    if (itemName == name) {
      span.found = true;
      return span;
    }
    if (i == nameStart) ++i;  // always make progress
  }
  span.hasValue = false;
  return span;
}

QString XmlDocument::GetAttribute(const QString& name) const {
  if (current_ == 0) return {};
  AttributeSpan span = FindAttributeSpan(elements_[current_], name);
  return span.found && span.hasValue ? UnescapeXmlText(span.value) : QString();
}

QString XmlDocument::GetText() const {
  if (current_ == 0) return {};
  const Element& element = elements_[current_];
  if (element.firstChild != 0 || element.endTagLength == 0) return {};
  const qsizetype from = element.start + element.startTagLength;
  const qsizetype to = element.End() - element.endTagLength;
  const QStringView bounded = QStringView(text_).left(to);
  const QStringView content = bounded.mid(from);
  if (!content.contains(u'<')) return UnescapeXmlText(content);
  QString out;
  qsizetype pos = from;
  for (XmlNode node = ScanMarkup(bounded, &pos); node.kind != XmlNodeKind::End;
       node = ScanMarkup(bounded, &pos)) {
    const QStringView part = bounded.mid(node.start, node.length);
    if (node.kind == XmlNodeKind::Text) {
      out.append(UnescapeXmlText(part));
    } else if (node.kind == XmlNodeKind::Cdata) {
      constexpr qsizetype kOpen = 9;   // "<![CDATA["
      constexpr qsizetype kClose = 3;  // "]]>"
      if (part.size() >= kOpen + kClose) out.append(part.mid(kOpen, part.size() - kOpen - kClose));
    }
  }
  return out;
}
