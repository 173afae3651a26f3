#include "model/common/split_string.h"

void SplitString(const QString& text, const QString& separator, QStringList& parts) {
  parts.clear();
  if (text.isEmpty()) return;
  if (separator.isEmpty()) {
    parts.append(text);
    return;
  }
  qsizetype start = 0;
  for (qsizetype found = text.indexOf(separator); found >= 0;
       found = text.indexOf(separator, start)) {
    parts.append(text.mid(start, found - start));
    start = found + separator.size();
  }
  parts.append(text.mid(start));
}
