#include "model/xml/xml_escape.h"

#include <optional>

namespace {

struct NamedReference {
  QStringView name;  // with "&" and ";"
  QChar character;
};

constexpr NamedReference kNamedReferences[] = {
    {u"&lt;", u'<'}, {u"&amp;", u'&'}, {u"&gt;", u'>'}, {u"&apos;", u'\''}, {u"&quot;", u'"'},
};

// The semicolon of a numeric reference must follow within this many characters
// after "&#" or "&#x".
constexpr qsizetype kMaxNumberChars = 7;

int DigitValue(QChar c, int base) {
  char16_t u = c.unicode();
  int value = u >= u'0' && u <= u'9'   ? u - u'0'
              : u >= u'a' && u <= u'f' ? u - u'a' + 10
              : u >= u'A' && u <= u'F' ? u - u'A' + 10
                                       : 99;
  return value < base ? value : -1;
}

// The value of a numeric reference at text[0] ("&#..."), and its length through the
// ";"; nullopt when it is not one or its value is not a character.
std::optional<char32_t> NumericReference(QStringView text, qsizetype* length) {
  bool hex = text.size() > 2 && text[2] == u'x';
  int base = hex ? 16 : 10;
  qsizetype digits = hex ? 3 : 2;
  qsizetype semicolon = text.mid(digits, kMaxNumberChars + 1).indexOf(u';');
  if (semicolon < 0 || digits >= text.size() || DigitValue(text[digits], base) < 0) {
    return std::nullopt;
  }
  char32_t value = 0;
  for (qsizetype i = digits; i < digits + semicolon; ++i) {
    int digit = DigitValue(text[i], base);
    if (digit < 0) break;
    value = value * base + digit;
    if (value > 0x10FFFF) return std::nullopt;
  }
  if (value == 0 || QChar::isSurrogate(value)) return std::nullopt;
  *length = digits + semicolon + 1;
  return value;
}

}  // namespace

void AppendEscapedXmlText(QString& out, QStringView text, bool attribute) {
  qsizetype plain = 0;  // start of the characters not yet appended
  for (qsizetype i = 0; i < text.size(); ++i) {
    QStringView reference;
    switch (text[i].unicode()) {
      case u'<': reference = u"&lt;"; break;
      case u'&': reference = u"&amp;"; break;
      case u'>': reference = u"&gt;"; break;
      case u'\'': reference = attribute ? u"&apos;" : QStringView(); break;
      case u'"': reference = attribute ? u"&quot;" : QStringView(); break;
      default: break;
    }
    if (reference.isNull()) continue;
    out.append(text.sliced(plain, i - plain)).append(reference);
    plain = i + 1;
  }
  out.append(text.sliced(plain));
}

QString EscapeXmlText(QStringView text, bool attribute) {
  QString out;
  out.reserve(text.size() + text.size() / 10 + 7);
  AppendEscapedXmlText(out, text, attribute);
  return out;
}

QString UnescapeXmlText(QStringView text) {
  qsizetype amp = text.indexOf(u'&');
  if (amp < 0) return text.toString();
  QString out;
  out.reserve(text.size());
  qsizetype pos = 0;
  while (amp >= 0) {
    out.append(text.mid(pos, amp - pos));
    QStringView rest = text.mid(amp);
    qsizetype length = 1;
    std::optional<char32_t> value;
    for (const NamedReference& named : kNamedReferences) {
      if (rest.startsWith(named.name)) {
        value = named.character.unicode();
        length = named.name.size();
        break;
      }
    }
    if (!value && rest.startsWith(u"&#")) value = NumericReference(rest, &length);
    if (value) {
      out.append(QString::fromUcs4(&*value, 1));
    } else {
      out.append(u'&');
      length = 1;
    }
    pos = amp + length;
    amp = text.indexOf(u'&', pos);
  }
  out.append(text.mid(pos));
  return out;
}
