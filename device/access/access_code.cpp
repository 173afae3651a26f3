#include "device/access/access_code.h"

QString AdministratorCode(const QDate& day) {
  const int number = day.day() * 10000 + day.month() * 100 + day.year() % 100;
  return QStringLiteral("led") + QString::number(number);
}

bool AccessCodeMatches(int mode, const QString& code, const QDate& today) {
  switch (mode) {
    case kAccessScreenParams:
    case kAccessBootLogo: return code == QStringView(kFixedAccessCode);
    case kAccessAdministrator: return code == AdministratorCode(today);
    default: return false;
  }
}
