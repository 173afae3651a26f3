#pragma once
// The values the pages' time and date pickers show for stored fields that may be out
// of range.

#include <QDate>
#include <QTime>

// The earliest year a date picker offers.
inline constexpr int kEarliestYear = 1900;

// The nearest time a picker can show: hours 0-23, minutes and seconds 0-59.
QTime NearestTime(int hour, int minute, int second);
// The nearest date a picker can show: year 1900 to 9999, month 1-12, the day within its
// month.
QDate NearestDate(int year, int month, int day);
