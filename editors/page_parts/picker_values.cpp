#include "editors/page_parts/picker_values.h"

#include <algorithm>

QTime NearestTime(int hour, int minute, int second) {
  return QTime(std::clamp(hour, 0, 23), std::clamp(minute, 0, 59), std::clamp(second, 0, 59));
}

QDate NearestDate(int year, int month, int day) {
  const QDate first(std::clamp(year, kEarliestYear, 9999), std::clamp(month, 1, 12), 1);
  return first.addDays(std::clamp(day, 1, first.daysInMonth()) - 1);
}
