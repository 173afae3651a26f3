#include "model/common/guid_text.h"

#include <QUuid>

QString NewGuidText() { return QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper(); }

bool IsGuidText(const QString& text) {
  if (text.size() != kGuidTextLength) return false;
  for (int i = 0; i < kGuidTextLength; ++i) {
    const char16_t c = text[i].unicode();
    const bool hyphenPlace = i == 8 || i == 13 || i == 18 || i == 23;
    const bool hex =
        (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
    if (hyphenPlace ? c != u'-' : !hex) return false;
  }
  return true;
}
