// Editing a parsed document in place: new elements and attributes, with every
// element position kept right.
#include "model/xml/xml_document.h"

#include <algorithm>

#include "model/xml/xml_escape.h"
#include "model/xml/xml_scanner.h"

namespace {

const QString kLineEnd = QStringLiteral("\r\n");

// The longest text an edit may leave; lowered only by tests.
qsizetype editLimit = XmlDocument::kMaxTextLength;

}  // namespace

XmlDocument::ScopedEditLimit::ScopedEditLimit(qsizetype limit) : previous_(editLimit) {
  editLimit = std::clamp<qsizetype>(limit, 0, kMaxTextLength);
}

XmlDocument::ScopedEditLimit::~ScopedEditLimit() { editLimit = previous_; }

qsizetype XmlDocument::EditLimit() { return editLimit; }

// Moves a point over whitespace when only whitespace stands between it and the
// next markup (or the end), so a new element starts its own line.
qsizetype XmlDocument::SkipWhitespaceToMarkup(qsizetype point) const {
  qsizetype i = point;
  while (i < text_.size() && IsXmlSpace(text_[i])) ++i;
  return i == text_.size() || text_[i] == u'<' ? i : point;
}

// Replaces [at, at + oldLength) by with. anchor is the deepest element that holds the
// edit: it and its ancestors grow when they contain the place, and the elements after
// it (later children of each of them, with their subtrees) move. In document order
// the table is ordered by start within every child list, so each list is walked from
// its end only as far as the elements that move.
bool XmlDocument::ReplaceText(int anchor, qsizetype at, qsizetype oldLength, const QString& with) {
  const qsizetype delta = with.size() - oldLength;
  if (text_.size() + delta > EditLimit()) return false;
  text_.replace(at, oldLength, with);
  const qsizetype oldEnd = at + oldLength;
  for (int index = anchor;; index = elements_[index].parent) {
    Element& element = elements_[index];
    if (index != 0 && element.start < at && element.End() > at) element.length += delta;
    const int first = element.firstChild;
    for (int child = LastChild(index); child != 0 && elements_[child].start >= oldEnd;
         child = child == first ? 0 : elements_[child].previousSibling) {
      ShiftSubtree(child, static_cast<int>(delta));
    }
    if (index == 0) break;
  }
  elements_[0].length = static_cast<int>(text_.size());
  return true;
}

void XmlDocument::ShiftSubtree(int index, int delta) {
  std::vector<int> pending{index};
  while (!pending.empty()) {
    const int next = pending.back();
    pending.pop_back();
    elements_[next].start += delta;
    for (int child = elements_[next].firstChild; child != 0; child = elements_[child].nextSibling) {
      pending.push_back(child);
    }
  }
}

bool XmlDocument::AppendElement(const QString& name, const QString& text) {
  const int nameLength = static_cast<int>(name.size());
  QString markup = u'<' + name;
  if (text.isEmpty()) {
    markup.append(u"/>");
  } else {
    markup.append(u'>').append(EscapeXmlText(text, false)).append(u"</").append(name).append(u'>');
  }
  const int elementLength = static_cast<int>(markup.size());
  markup.append(kLineEnd);

  const Element& parent = elements_[parent_];
  qsizetype at = 0;
  qsizetype replaced = 0;  // characters of the old text the insertion replaces
  qsizetype lead = 0;      // characters put in front of the new element
  bool emptyParent = false;
  if (current_ != 0) {
    at = SkipWhitespaceToMarkup(elements_[current_].End());
  } else if (parent.firstChild != 0) {
    at = SkipWhitespaceToMarkup(elements_[LastChild(parent_)].End());
  } else if (parent_ == 0) {
    at = text_.size();
  } else if (!parent.notEnded && parent.endTagLength == 0) {
    // <P a="1"/> becomes <P a="1"> CR LF markup </P>
    emptyParent = true;
    at = parent.start + parent.startTagLength - 2;
    replaced = 1;
    markup = u'>' + kLineEnd + markup + QStringLiteral("</") + NameOf(parent_).toString();
    lead = 1 + kLineEnd.size();
  } else if (parent.notEnded || parent.length == parent.startTagLength + parent.endTagLength) {
    at = parent.start + parent.startTagLength;
    markup.prepend(kLineEnd);
    lead = kLineEnd.size();
  } else {
    at = SkipWhitespaceToMarkup(parent.End() - parent.endTagLength);
  }
  const int parentNameLength = static_cast<int>(NameOf(parent_).size());
  if (!ReplaceText(parent_, at, replaced, markup)) return false;
  if (emptyParent) {
    elements_[parent_].startTagLength -= 1;
    elements_[parent_].endTagLength = parentNameLength + 3;
  }

  const int index = static_cast<int>(elements_.size());
  Element& element = elements_.emplace_back();
  element.start = static_cast<int>(at + lead);
  element.length = elementLength;
  element.startTagLength = text.isEmpty() ? nameLength + 3 : nameLength + 2;
  element.endTagLength = text.isEmpty() ? 0 : nameLength + 3;
  LinkAfter(index, current_, parent_);
  current_ = index;
  child_ = 0;
  return true;
}

bool XmlDocument::SetAttribute(const QString& name, const QString& value) {
  if (current_ == 0) return false;
  const QString quoted = u'"' + EscapeXmlText(value, true) + u'"';
  const AttributeSpan span = FindAttributeSpan(elements_[current_], name);
  qsizetype at = span.insertAt;
  qsizetype oldLength = 0;
  QString with = u' ' + name + u'=' + quoted;
  if (span.found && span.hasValue) {
    at = span.valueStart;
    oldLength = span.valueEnd - span.valueStart;
    with = quoted;
  } else if (span.found) {
    at = span.nameEnd;
    with = u'=' + quoted;
  }
  if (!ReplaceText(current_, at, oldLength, with)) return false;
  elements_[current_].startTagLength += static_cast<int>(with.size() - oldLength);
  return true;
}

bool XmlDocument::SetIntAttribute(const QString& name, int value) {
  return SetAttribute(name, QString::number(value));
}
