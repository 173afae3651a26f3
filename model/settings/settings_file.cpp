#include "model/settings/settings_file.h"

#include <limits>

#include "model/common/app_dir.h"
#include "model/settings/ini_file.h"

QString ReadIniString(const QString& section, const QString& key, const QString& fileName) {
  return ReadIniValue(GetAppDir() + fileName, section, key).value_or(QString());
}

bool WriteIniString(const QString& section, const QString& key, const QString& value,
                    const QString& fileName) {
  return WriteIniValue(GetAppDir() + fileName, section, key, value);
}

int ParseIniInt(const QString& text) {
  QStringView digits = QStringView(text).trimmed();
  bool negative = digits.startsWith(u'-');
  if (negative || digits.startsWith(u'+')) digits = digits.mid(1);
  constexpr long long kLimit = std::numeric_limits<int>::max() + 1LL;
  long long value = 0;
  for (QChar c : digits) {
    if (c < u'0' || c > u'9') break;
    value = std::min(value * 10 + (c.unicode() - u'0'), kLimit);
  }
  value = negative ? -value : std::min(value, kLimit - 1);
  return static_cast<int>(value);
}

int ReadIniInt(const QString& section, const QString& key, const QString& fileName) {
  return ParseIniInt(ReadIniString(section, key, fileName));
}

bool WriteIniInt(const QString& section, const QString& key, int value, const QString& fileName) {
  return WriteIniString(section, key, QString::number(value), fileName);
}
