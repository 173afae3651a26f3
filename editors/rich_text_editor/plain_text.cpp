#include "editors/rich_text_editor/plain_text.h"

#include <QStringDecoder>

#include "render/text/code_page.h"

namespace {

constexpr QByteArrayView kUtf16Mark("\xFF\xFE");
constexpr QByteArrayView kUtf8Mark("\xEF\xBB\xBF");

}  // namespace

int LegacyCodePage(int languageIndex) {
  constexpr int kCodePages[] = {1252, 936, 1252, 950, 1251, 1254, 1256};
  return languageIndex >= 1 && languageIndex <= 6 ? kCodePages[languageIndex] : 1252;
}

QString DecodePlainText(QByteArrayView bytes, int languageIndex) {
  if (bytes.size() > kUtf16Mark.size() && bytes.startsWith(kUtf16Mark)) {
    QStringDecoder utf16(QStringConverter::Utf16LE, QStringConverter::Flag::Stateless);
    return utf16.decode(bytes.sliced(kUtf16Mark.size()));
  }
  if (bytes.startsWith(kUtf8Mark)) return QString::fromUtf8(bytes.sliced(kUtf8Mark.size()));
  QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
  QString text = utf8.decode(bytes);
  if (!utf8.hasError()) return text;
  text.clear();
  DecodeCodePage(bytes, LegacyCodePage(languageIndex), text);
  return text;
}
