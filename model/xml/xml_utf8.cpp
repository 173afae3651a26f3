#include "model/xml/xml_utf8.h"

#include <algorithm>
#include <vector>

namespace {

constexpr char32_t kReplacement = u'?';
constexpr char32_t kMaxCodePoint = 0x10FFFF;

// Length of the sequence a lead byte opens, and the value bits it carries; 0 for a
// byte that cannot open one.
int SequenceLength(unsigned char lead, char32_t* bits) {
  if (lead < 0x80) return *bits = lead, 1;
  if (lead < 0xC0) return 0;  // continuation byte out of place
  if (lead < 0xE0) return *bits = lead & 0x1F, 2;
  if (lead < 0xF0) return *bits = lead & 0x0F, 3;
  if (lead < 0xF8) return *bits = lead & 0x07, 4;
  return 0;
}

// Decodes one character at bytes[0]; sets *used to the bytes it consumed.
char32_t DecodeOne(const char* bytes, qsizetype count, qsizetype* used) {
  char32_t value = 0;
  int length = SequenceLength(static_cast<unsigned char>(bytes[0]), &value);
  *used = 1;
  if (length == 0) return kReplacement;
  for (int i = 1; i < length; ++i) {
    if (*used >= count) return kReplacement;  // cut off by the end of the input
    auto next = static_cast<unsigned char>(bytes[*used]);
    if (!(next & 0x80)) return kReplacement;  // ends the sequence, not consumed
    value = (value << 6) | (next & 0x3F);
    ++*used;
  }
  return value > kMaxCodePoint ? kReplacement : value;
}

int Utf8Length(char32_t value) {
  return value < 0x80 ? 1 : value < 0x800 ? 2 : value < 0x10000 ? 3 : 4;
}

void EncodeOne(char32_t value, int length, char* out) {
  static constexpr unsigned char kLeads[] = {0, 0, 0xC0, 0xE0, 0xF0};
  for (int i = length - 1; i > 0; --i) {
    out[i] = static_cast<char>(0x80 | (value & 0x3F));
    value >>= 6;
  }
  out[0] = static_cast<char>(length == 1 ? value : (kLeads[length] | value));
}

}  // namespace

qsizetype Utf8ToWide(const char* bytes, qsizetype count, char16_t* out) {
  qsizetype pos = 0;
  qsizetype units = 0;
  while (pos < count) {
    qsizetype used = 0;
    char32_t value = DecodeOne(bytes + pos, count - pos, &used);
    if (value == 0) break;
    pos += used;
    if (value >= 0x10000) {
      if (out) {
        out[units] = static_cast<char16_t>(0xD800 | ((value - 0x10000) >> 10));
        out[units + 1] = static_cast<char16_t>(0xDC00 | (value & 0x3FF));
      }
      units += 2;
    } else {
      if (out) out[units] = static_cast<char16_t>(value);
      ++units;
    }
  }
  return out ? pos : units;
}

qsizetype WideToUtf8(QStringView text, char* out, qsizetype capacity) {
  qsizetype written = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    char32_t value = text[i].unicode();
    if (value < 0x80) {  // the common case, one byte
      if (out) {
        if (written >= capacity) break;
        out[written] = static_cast<char>(value);
      }
      ++written;
      continue;
    }
    if (QChar::isHighSurrogate(value) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
      value = QChar::surrogateToUcs4(text[i].unicode(), text[i + 1].unicode());
      ++i;
    } else if (QChar::isSurrogate(value)) {
      value = kReplacement;
    }
    int length = Utf8Length(value);
    if (out) {
      if (written + length > capacity) break;
      EncodeOne(value, length, out + written);
    }
    written += length;
  }
  return written;
}

qsizetype WriteUtf8Slices(QStringView text, const std::function<bool(QByteArrayView)>& write) {
  constexpr qsizetype kSliceUnits = 32768;
  std::vector<char> buffer(kSliceUnits * 3);  // a unit takes at most 3 bytes
  qsizetype written = 0;
  for (qsizetype at = 0; at < text.size();) {
    qsizetype end = std::min(text.size(), at + kSliceUnits);
    if (end < text.size() && text[end - 1].isHighSurrogate()) --end;
    const qsizetype count =
        WideToUtf8(text.sliced(at, end - at), buffer.data(), static_cast<qsizetype>(buffer.size()));
    if (!write(QByteArrayView(buffer.data(), count))) return -1;
    written += count;
    at = end;
  }
  return written;
}
