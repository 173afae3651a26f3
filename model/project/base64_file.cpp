#include "model/project/base64_file.h"

#include <QFile>

#include "model/common/atomic_file.h"
#include "model/common/regular_file.h"

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// The 6-bit value of an alphabet character, -1 for "=", -2 for anything else.
int SextetOf(char16_t c) {
  if (c >= u'A' && c <= u'Z') return c - u'A';
  if (c >= u'a' && c <= u'z') return c - u'a' + 26;
  if (c >= u'0' && c <= u'9') return c - u'0' + 52;
  if (c == u'+') return 62;
  if (c == u'/') return 63;
  return c == u'=' ? -1 : -2;
}

bool IsTrailingJunk(char16_t c) {
  return c == u'\t' || c == u' ' || c == u'\n' || c == u'\r' || c == u'-';
}

}  // namespace

long long Base64Encode(const unsigned char* data, long long count, char16_t* text) {
  if (data == nullptr || count <= 0) return -1;
  long long out = 0;
  for (long long i = 0; i < count; i += 3) {
    const long long left = count - i;
    const unsigned value = (unsigned{data[i]} << 16) |
                           (left > 1 ? unsigned{data[i + 1]} << 8 : 0u) |
                           (left > 2 ? unsigned{data[i + 2]} : 0u);
    text[out++] = static_cast<char16_t>(kAlphabet[(value >> 18) & 63]);
    text[out++] = static_cast<char16_t>(kAlphabet[(value >> 12) & 63]);
    text[out++] = left > 1 ? static_cast<char16_t>(kAlphabet[(value >> 6) & 63]) : u'=';
    text[out++] = left > 2 ? static_cast<char16_t>(kAlphabet[value & 63]) : u'=';
  }
  text[out] = 0;
  return out;
}

long long Base64Decode(const char16_t* text, long long length, unsigned char* bytes) {
  if (text == nullptr || length < 0) return -1;
  for (long long i = 0; i < length; ++i) {
    if (text[i] > 127) return -2;
  }
  long long begin = 0;
  while (begin < length && (text[begin] == u'\t' || text[begin] == u' ')) ++begin;
  long long end = length;
  while (end - begin > 4 && IsTrailingJunk(text[end - 1])) --end;
  if ((end - begin) % 4 != 0) return -2;
  long long count = 0;
  for (long long i = begin; i < end; i += 4) {
    int sextets[4];
    for (int k = 0; k < 4; ++k) sextets[k] = SextetOf(text[i + k]);
    if (sextets[0] < 0 || sextets[1] < 0) return -2;
    bytes[count++] = static_cast<unsigned char>((sextets[0] << 2) | (sextets[1] >> 4));
    if (sextets[2] == -1) return count;
    if (sextets[2] < 0) return -2;
    bytes[count++] = static_cast<unsigned char>(((sextets[1] & 15) << 4) | (sextets[2] >> 2));
    if (sextets[3] == -1) return count;
    if (sextets[3] < 0) return -2;
    bytes[count++] = static_cast<unsigned char>(((sextets[2] & 3) << 6) | sextets[3]);
  }
  return count;
}

QString Base64Text(const QByteArray& data) {
  if (data.isEmpty()) return QString();
  QString text((data.size() + 2) / 3 * 4 + 1, Qt::Uninitialized);
  const long long length = Base64Encode(reinterpret_cast<const unsigned char*>(data.constData()),
                                        data.size(), reinterpret_cast<char16_t*>(text.data()));
  text.truncate(length);
  return text;
}

bool DecodeBase64Text(const QString& text, QByteArray* data) {
  if (text.isEmpty()) {
    data->clear();
    return true;
  }
  data->resize(text.size() / 4 * 3 + 3);
  const long long count = Base64Decode(reinterpret_cast<const char16_t*>(text.utf16()), text.size(),
                                       reinterpret_cast<unsigned char*>(data->data()));
  if (count < 0) return false;
  data->truncate(count);
  return true;
}

bool FileToBase64(const QString& path, QString* text) {
  QByteArray data;
  if (ReadRegularFile(path, &data) != 0) return false;
  *text = Base64Text(data);
  return true;
}

bool Base64ToFile(const QString& text, const QString& path) {
  QByteArray data;
  if (!DecodeBase64Text(text, &data)) return false;
  if (data.isEmpty() && QFile(path).size() > 0) return true;
  return WriteFileAtomically(path, data);
}
