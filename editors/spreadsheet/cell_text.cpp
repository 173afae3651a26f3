#include "editors/spreadsheet/cell_text.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

#include <cmath>

namespace {

constexpr double kLargestWholeDouble = 9007199254740992.0;  // 2^53
const QString kDateForm = QStringLiteral("yyyy-MM-dd");
const QString kTimeForm = QStringLiteral("HH:mm:ss");
const QString kDateTimeForm = QStringLiteral("yyyy-MM-dd HH:mm:ss");

}  // namespace

QString NumberText(double value) {
  if (std::trunc(value) == value && std::fabs(value) <= kLargestWholeDouble) {
    return QString::number(static_cast<qint64>(value));
  }
  return QString::number(value, 'g', 15);
}

QString BooleanText(bool value) { return value ? QStringLiteral("TRUE") : QStringLiteral("FALSE"); }

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
