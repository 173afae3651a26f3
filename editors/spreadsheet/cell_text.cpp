#include "editors/spreadsheet/cell_text.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

#include <cmath>

namespace {

constexpr double kLargestWholeDouble = 9007199254740992.0;  // 2^53
constexpr qint64 kSecondsPerDay = 86400;
// Serial of 9999-12-31 in the 1900 system; later days have no four-digit year.
constexpr double kLastSerial = 2958466.0;

const QString kDateForm = QStringLiteral("yyyy-MM-dd");
const QString kTimeForm = QStringLiteral("HH:mm:ss");
const QString kDateTimeForm = QStringLiteral("yyyy-MM-dd HH:mm:ss");

NumberKind BuiltInKind(int id) {
  if (id >= 14 && id <= 17) return NumberKind::Date;
  if ((id >= 18 && id <= 21) || (id >= 45 && id <= 47)) return NumberKind::Time;
  if (id == 22) return NumberKind::DateTime;
  return NumberKind::Number;
}

// The day a serial's whole part names: the 1900 system counts 1900-02-29, a day that
// never was, so its serials from 61 on are one ahead of the days since 1899-12-31.
QDate SerialDay(qint64 days, bool date1904) {
  if (date1904) return QDate(1904, 1, 1).addDays(days);
  return days < 61 ? QDate(1899, 12, 31).addDays(days) : QDate(1899, 12, 30).addDays(days);
}

}  // namespace

QString NumberText(double value) {
  if (std::trunc(value) == value && std::fabs(value) <= kLargestWholeDouble) {
    return QString::number(static_cast<qint64>(value));
  }
  return QString::number(value, 'g', 15);
}

NumberKind FormatKind(int id, QStringView code) {
  if (code.isEmpty()) return BuiltInKind(id);
  bool date = false, time = false, month = false;
  for (qsizetype i = 0; i < code.size(); ++i) {
    const char16_t c = QChar::toLower(code[i].unicode());
    if (c == u';') break;
    if (c == u'"' || c == u'[') {
      const qsizetype end = code.indexOf(c == u'"' ? u'"' : u']', i + 1);
      if (end < 0) break;
      i = end;
    } else if (c == u'\\' || c == u'_' || c == u'*') {
      ++i;  // an escaped, spacing or fill character
    } else if (c == u'y' || c == u'd') {
      date = true;
    } else if (c == u'h' || c == u's') {
      time = true;
    } else if (c == u'm') {
      month = true;  // minutes beside hours or seconds, else months
    }
  }
  date |= month && !time;
  if (date && time) return NumberKind::DateTime;
  if (date) return NumberKind::Date;
  return time ? NumberKind::Time : NumberKind::Number;
}

QString SerialText(double serial, NumberKind kind, bool date1904) {
  if (kind == NumberKind::Number || !(serial >= 0 && serial < kLastSerial)) {
    return NumberText(serial);
  }
  const qint64 seconds = std::llround(serial * kSecondsPerDay);
  const QDate day = SerialDay(seconds / kSecondsPerDay, date1904);
  const QTime clock = QTime(0, 0).addSecs(seconds % kSecondsPerDay);
  switch (kind) {
    case NumberKind::Date: return day.toString(kDateForm);
    case NumberKind::Time: return clock.toString(kTimeForm);
    default: return QDateTime(day, clock).toString(kDateTimeForm);
  }
}

QString IsoDateText(const QString& iso) {
  if (iso.contains(u'T')) {
    const QDateTime moment = QDateTime::fromString(iso, Qt::ISODateWithMs);
    return moment.isValid() ? moment.toString(kDateTimeForm) : iso;
  }
  if (const QDate day = QDate::fromString(iso, Qt::ISODate); day.isValid()) {
    return day.toString(kDateForm);
  }
  const QTime clock = QTime::fromString(iso, Qt::ISODateWithMs);
  return clock.isValid() ? clock.toString(kTimeForm) : iso;
}
