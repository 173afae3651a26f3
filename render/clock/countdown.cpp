#include "render/clock/countdown.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

#include "render/clock/clock_time.h"
#include "render/raster/fill_rect.h"

namespace {

// Half a second in days: the span is rounded to the nearest second.
constexpr double kHalfSecondDays = 0.5 / 86400;

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[static_cast<std::size_t>(month - 1)];
}

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
std::int64_t DaysFromCivil(std::int64_t year, int month, int day) {
  year -= month <= 2;
  const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
  const std::int64_t yearOfEra = year - era * 400;
  const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

// 1899-12-30, day 0 of OLE dates, counted from 1970-01-01.
const std::int64_t kOleEpoch = DaysFromCivil(1899, 12, 30);

QString Padded(std::int64_t value) { return QString::number(value).rightJustified(2, u'0'); }

// The parts of the span from now to the state's target; all 0 when the target is not
// a date or the span is out of range.
CountdownParts PartsToTarget(const TimeAreaInfo& info, double now) {
  const std::optional<double> target =
      OleDate(info.nYear, info.nMonth, info.nDay, info.nHour, info.nMinute, info.nSecond);
  if (!target) return {};
  const double span = *target - now;
  if (std::fabs(span) > kMaxCountdownDays) return {};
  return SplitSpan(span);
}

}  // namespace

std::optional<double> OleDate(int year, int month, int day, int hour, int minute, int second) {
  if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1 ||
      day > DaysInMonth(year, month) || hour < 0 || hour > 23 || minute < 0 || minute > 59 ||
      second < 0 || second > 59) {
    return std::nullopt;
  }
  const double days = static_cast<double>(DaysFromCivil(year, month, day) - kOleEpoch);
  return days + (hour * 3600 + minute * 60 + second) / 86400.0;
}

CountdownParts SplitSpan(double days) {
  const double rounded = days >= 0 ? days + kHalfSecondDays : days - kHalfSecondDays;
  return {static_cast<std::int64_t>(rounded), static_cast<std::int64_t>(rounded * 24) % 24,
          static_cast<std::int64_t>(rounded * 1440) % 60,
          static_cast<std::int64_t>(rounded * 86400) % 60};
}

ElementValues CountdownValues(const CountdownParts& parts, const TimeAreaInfo& info) {
  const std::int64_t days = std::llabs(parts.days);
  const std::int64_t hours = std::llabs(parts.hours);
  const std::int64_t minutes = std::llabs(parts.minutes);
  const std::int64_t seconds = std::llabs(parts.seconds);
  const bool showDay = info.IsShowDay != 0;
  const bool showHour = info.IsShowHour != 0;
  const bool showMinute = info.IsShowMinute != 0;
  // Each part shown carries the larger parts that are not shown above it.
  const std::int64_t allHours = hours + days * 24;
  std::int64_t second = seconds + (minutes + allHours * 60) * 60;
  if (showMinute) {
    second = seconds;
  } else if (showHour) {
    second = seconds + minutes * 60;
  } else if (showDay) {
    second = seconds + (minutes + hours * 60) * 60;
  }
  ElementValues values;
  values.digits = {
      {kKindDay, QString::number(days)},
      {kKindHour12, Padded(showDay ? hours : allHours)},
      {kKindMinute,
       Padded(showHour ? minutes : (showDay ? minutes + hours * 60 : minutes + allHours * 60))},
      {kKindSecond, Padded(second)}};
  return values;
}

CountdownState MakeCountdownState(int width, int height, const TimeAreaInfo* info,
                                  const PlayClock& clock, std::optional<ScreenColors> colors) {
  CountdownState state;
  state.width = std::max(width, 1);
  state.height = std::max(height, 1);
  state.info = info;
  state.startTick = clock.TickMs();
  state.clock = &clock;
  state.colors = colors;
  return state;
}

int DrawCountdown(QImage& area, CountdownState& state) {
  if (state.info == nullptr || state.clock == nullptr) return 1;
  const std::optional<std::tm> now = LocalTime(state.clock->NowSeconds());
  const std::optional<double> nowDate =
      now ? OleDate(now->tm_year + 1900, now->tm_mon + 1, now->tm_mday, now->tm_hour, now->tm_min,
                    now->tm_sec)
          : std::nullopt;
  const int second = nowDate ? now->tm_sec : -1;
  if (second == state.lastSecond) return 1;
  state.lastSecond = second;
  // A present that is no date counts nothing: every part shows 0.
  const CountdownParts parts = nowDate ? PartsToTarget(*state.info, *nowDate) : CountdownParts{};
  FillRect(area, PixelRectOfSize(state.width, state.height), state.background);
  DrawClockLayout(area, state.layout.Get(*state.info, state.width, state.height),
                  CountdownValues(parts, *state.info), state.colors);
  return ClockPassOver(*state.clock, state.startTick) ? 0 : 1;
}
