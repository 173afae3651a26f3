#include "render/text/code_page.h"

#include <iconv.h>

#include <cerrno>
#include <utility>

namespace {

// An iconv conversion descriptor, closed when it goes out of scope.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (valid()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  // Converts as much of *in as forms whole characters; returns iconv's errno
  // (0 when all of it was converted).
  [[nodiscard]] int Convert(const char** in, size_t* inLeft, char** out, size_t* outLeft) {
    const size_t result = iconv(cd_, const_cast<char**>(in), inLeft, out, outLeft);
    return result == static_cast<size_t>(-1) ? errno : 0;
  }

 private:
  iconv_t cd_;
};

QByteArray IconvName(int codePage) { return "CP" + QByteArray::number(codePage); }

}  // namespace

int CodePageForCharSet(int charSet, int ansiCodePage) {
  static constexpr std::pair<int, int> kTable[] = {
      {0, 1252},   {2, kSymbolCodePage}, {128, 932},  {129, 949},  {134, 936},
      {136, 950},  {161, 1253},          {162, 1254}, {163, 1258}, {177, 1255},
      {178, 1256}, {186, 1257},          {204, 1251}, {222, 874},  {238, 1250},
      {255, 437}};
  for (const auto& [set, page] : kTable) {
    if (set == charSet) return page;
  }
  return ansiCodePage;
}

void DecodeCodePage(QByteArrayView bytes, int codePage, QString& out) {
  if (bytes.isEmpty()) return;
  if (codePage == kSymbolCodePage) {
    for (char byte : bytes) out.append(QChar(0xF000 + static_cast<unsigned char>(byte)));
    return;
  }
  Converter converter("UTF-16LE", IconvName(codePage).constData());
  if (!converter.valid()) {
    out.append(QString::fromLatin1(bytes));
    return;
  }
  // At most two UTF-16 units per byte in every code page of the table.
  QByteArray buffer(bytes.size() * 4 + 4, Qt::Uninitialized);
  const char* in = bytes.data();
  size_t inLeft = static_cast<size_t>(bytes.size());
  while (inLeft > 0) {
    char* outStart = buffer.data();
    char* outPtr = outStart;
    size_t outLeft = static_cast<size_t>(buffer.size());
    const int error = converter.Convert(&in, &inLeft, &outPtr, &outLeft);
    out.append(reinterpret_cast<const QChar*>(outStart), (outPtr - outStart) / 2);
    if (error == EILSEQ || error == EINVAL) {  // a bad or cut-off byte sequence
      out.append(QChar::ReplacementCharacter);
      ++in;
      --inLeft;
    } else if (error != 0 && error != E2BIG) {
      break;
    }
  }
}

std::optional<QByteArray> EncodeCodePage(const QString& text, int codePage) {
  if (codePage == kSymbolCodePage) return std::nullopt;
  Converter converter(IconvName(codePage).constData(), "UTF-16LE");
  if (!converter.valid()) return std::nullopt;
  QByteArray result(text.size() * 4 + 4, Qt::Uninitialized);
  const char* in = reinterpret_cast<const char*>(text.utf16());
  size_t inLeft = static_cast<size_t>(text.size()) * 2;
  char* out = result.data();
  size_t outLeft = static_cast<size_t>(result.size());
  if (converter.Convert(&in, &inLeft, &out, &outLeft) != 0 || inLeft != 0) return std::nullopt;
  result.truncate(out - result.data());
  return result;
}
