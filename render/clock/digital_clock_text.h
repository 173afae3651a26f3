#pragma once
// The texts of the digital clock: date, weekday and time of day, formatted by our
// own code (never by the locale), with the Chinese words as they always were.

#include <QString>

#include <ctime>
#include <optional>

struct ClockFields {
  int year = 1970;
  int month = 1;    // 1-12
  int day = 1;      // 1-31
  int hour = 0;     // 0-23
  int minute = 0;
  int second = 0;
  int weekday = 0;  // 0 Monday .. 6 Sunday
};

ClockFields ClockFieldsOf(const std::tm& time);

struct DateParts {
  bool year = false;
  bool month = false;
  bool day = false;
};

struct TimeParts {
  bool hour = false;
  bool minute = false;
  bool second = false;
};

// The date in format 0-7; empty when no part is shown; nullopt for another format
// (the caller keeps the text it had).
std::optional<QString> DateText(const ClockFields& fields, DateParts shown, int format);

// The weekday in style 0 (星期一), 1 (Monday) or 2 (Mon.); empty when not shown;
// nullopt for another style.
std::optional<QString> WeekdayText(const ClockFields& fields, bool shown, int style);

// The time of day in format 0-6; nullopt for another format.
std::optional<QString> TimeText(const ClockFields& fields, TimeParts shown, int format);
