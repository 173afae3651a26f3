#include "model/xml/xml_scanner.h"

namespace {

XmlNode Node(XmlNodeKind kind, qsizetype start, qsizetype end, qsizetype* pos) {
  *pos = end;
  return {kind, start, end - start, {}};
}

// A bad character after "<": the node runs through the next ">" after "from".
XmlNode Incorrect(QStringView text, qsizetype start, const char* what, qsizetype* pos,
                  qsizetype from = -1) {
  qsizetype close = text.indexOf(u'>', from < 0 ? start + 1 : from);
  XmlNode node = Node(XmlNodeKind::Error, start, close < 0 ? text.size() : close + 1, pos);
  node.error = QStringLiteral("Incorrect %1 at offset %2").arg(QLatin1String(what)).arg(start);
  return node;
}

XmlNode Unterminated(QStringView text, qsizetype start, const char* what, qsizetype* pos) {
  XmlNode node = Node(XmlNodeKind::Error, start, text.size(), pos);
  node.error = QStringLiteral("%1 at offset %2 unterminated").arg(QLatin1String(what)).arg(start);
  return node;
}

// A node that ends with the terminator, searched from "from".
XmlNode UpTo(QStringView text, qsizetype start, qsizetype from, QStringView terminator,
             XmlNodeKind kind, const char* what, qsizetype* pos) {
  qsizetype end = text.indexOf(terminator, from);
  if (end < 0) return Unterminated(text, start, what, pos);
  return Node(kind, start, end + terminator.size(), pos);
}

bool IsNameStart(QChar c) {
  char16_t u = c.unicode();
  return u == u':' || u == u'_' || (u > 0x40 && u < 0x5B) || u > 0x60;
}

bool IsNameStop(QChar c) {
  return IsXmlSpace(c) || c == u'<' || c == u'>' || c == u'=' || c == u'\\' || c == u'/' ||
         c == u'?' || c == u'!';
}

// A ">" outside quotes, from "from"; -1 when the text ends first.
qsizetype CloseOutsideQuotes(QStringView text, qsizetype from) {
  QChar quote;
  for (qsizetype i = from; i < text.size(); ++i) {
    QChar c = text[i];
    if (!quote.isNull()) {
      if (c == quote) quote = QChar();
    } else if (c == u'"' || c == u'\'') {
      quote = c;
    } else if (c == u'>') {
      return i;
    }
  }
  return -1;
}

XmlNode StartTag(QStringView text, qsizetype start, qsizetype* pos) {
  qsizetype i = start + 1;
  while (i < text.size() && !IsXmlSpace(text[i]) && text[i] != u'/' && text[i] != u'>') ++i;
  const qsizetype nameEnd = i;
  qsizetype closingQuote = -1;
  bool afterEquals = false;
  QChar quote;
  for (; i < text.size(); ++i) {
    QChar c = text[i];
    if (!quote.isNull()) {
      if (c == quote) quote = QChar(), closingQuote = i;
    } else if (c == u'>') {
      // "/>" ends an empty element only when the "/" follows the name, a blank or a
      // closing quote; otherwise it belongs to an unquoted value ("<a b=1/>").
      qsizetype slash = i - 1;
      bool empty = text[slash] == u'/' &&
                   (slash == nameEnd || IsXmlSpace(text[slash - 1]) || slash - 1 == closingQuote);
      return Node(empty ? XmlNodeKind::EmptyTag : XmlNodeKind::StartTag, start, i + 1, pos);
    } else if (c == u'=') {
      afterEquals = true;
    } else if (!IsXmlSpace(c)) {
      if (afterEquals && (c == u'"' || c == u'\'')) quote = c;
      afterEquals = false;
    }
  }
  return Unterminated(text, start, "Element tag", pos);
}

// A comment or processing instruction that opens at i inside a document type
// declaration: the offset of its last character, -1 when the text ends inside it, i
// itself when neither opens there.
qsizetype SkipSubsetNode(QStringView text, qsizetype i) {
  QStringView ahead = text.mid(i);
  qsizetype end = i;
  if (ahead.startsWith(u"<!--")) {
    end = text.indexOf(u"-->", i + 4);
    if (end >= 0) end += 2;
  } else if (ahead.startsWith(u"<?")) {
    end = text.indexOf(u"?>", i + 2);
    if (end >= 0) end += 1;
  }
  return end;
}

// "<!D...": nested declarations ("<" ... ">", quotes skipped inside) up to the
// first ">" outside them. Comments and processing instructions are skipped whole,
// so quotes and ">" in them end nothing.
XmlNode Doctype(QStringView text, qsizetype start, qsizetype* pos) {
  bool nested = false;
  QChar quote;
  for (qsizetype i = start + 2; i < text.size(); ++i) {
    QChar c = text[i];
    if (!quote.isNull()) {
      if (c == quote) quote = QChar();
    } else if (c == u'<') {
      QStringView ahead = text.mid(i);
      if (ahead.startsWith(u"<![") || ahead.startsWith(u"<!D")) {
        return Incorrect(text, start, "! tag", pos, i + 1);
      }
      const qsizetype end = SkipSubsetNode(text, i);
      if (end < 0) break;
      if (end == i) nested = true;
      i = end;
    } else if (nested && (c == u'"' || c == u'\'')) {
      quote = c;
    } else if (c == u'>') {
      if (!nested) return Node(XmlNodeKind::Doctype, start, i + 1, pos);
      nested = false;
    }
  }
  return Unterminated(text, start, "Doctype", pos);
}

XmlNode Bang(QStringView text, qsizetype start, qsizetype* pos) {
  if (start + 2 >= text.size()) return Unterminated(text, start, "tag", pos);
  QChar c = text[start + 2];
  if (c == u'-') {
    if (start + 3 >= text.size()) return Unterminated(text, start, "Comment", pos);
    if (text[start + 3] != u'-') return Incorrect(text, start, "comment tag", pos);
    return UpTo(text, start, start + 4, u"-->", XmlNodeKind::Comment, "Comment", pos);
  }
  if (c == u'[') {
    if (start + 3 >= text.size()) return Unterminated(text, start, "CDATA Section", pos);
    if (text[start + 3] != u'C') return Incorrect(text, start, "tag", pos);
    return UpTo(text, start, start + 3, u"]]>", XmlNodeKind::Cdata, "CDATA Section", pos);
  }
  if (c == u'D') return Doctype(text, start, pos);
  if (c == u'E' || c == u'A' || c == u'N') {
    qsizetype close = CloseOutsideQuotes(text, start + 2);
    if (close < 0) return Unterminated(text, start, "tag", pos);
    return Node(XmlNodeKind::Declaration, start, close + 1, pos);
  }
  return Incorrect(text, start, "! tag", pos);
}

XmlNode CharacterData(QStringView text, qsizetype start, qsizetype* pos) {
  qsizetype end = text.indexOf(u'<', start);
  if (end < 0) end = text.size();
  qsizetype i = start;
  while (i < end && IsXmlSpace(text[i])) ++i;
  return Node(i == end ? XmlNodeKind::Whitespace : XmlNodeKind::Text, start, end, pos);
}

}  // namespace

XmlNode ScanMarkup(QStringView text, qsizetype* pos) {
  const qsizetype start = *pos;
  if (start >= text.size()) return {XmlNodeKind::End, start, 0, {}};
  if (text[start] != u'<') return CharacterData(text, start, pos);
  if (start + 1 >= text.size()) return Unterminated(text, start, "tag", pos);
  QChar c = text[start + 1];
  if (c == u'/') {
    return UpTo(text, start, start + 2, u">", XmlNodeKind::EndTag, "Element end tag", pos);
  }
  if (c == u'?') {
    return UpTo(text, start, start + 2, u"?>", XmlNodeKind::Instruction, "Processing instruction",
                pos);
  }
  if (c == u'!') return Bang(text, start, pos);
  if (IsNameStart(c)) return StartTag(text, start, pos);
  return Incorrect(text, start, "tag name character", pos);
}

QStringView XmlNameAt(QStringView text, qsizetype from) {
  qsizetype begin = from;
  while (begin < text.size() && IsXmlSpace(text[begin])) ++begin;
  qsizetype end = begin;
  while (end < text.size() && !IsNameStop(text[end])) ++end;
  if (end == begin && end < text.size()) ++end;  // a lone stop character
  return text.mid(begin, end - begin);
}
