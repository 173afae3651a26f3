#pragma once
// The preview's countdown: the time left until a target date and time (after it,
// the time since), with an optional fixed text, in days, hours, minutes and seconds
// with unit words, composed from the element table the card gets for the same record.
// Dates are OLE automation dates: days since 1899-12-30 00:00.

#include <QImage>

#include <cstdint>
#include <optional>

#include "model/project/area_records.h"
#include "render/clock/layout_drawing.h"
#include "render/common/play_clock.h"
#include "render/raster/color_ref.h"

// Spans longer than this many days are out of range (the whole span of dates from
// the year 100 to 9999).
constexpr double kMaxCountdownDays = 3615897;

// The OLE date of a local date and time; nullopt when a field lies outside its
// calendar range (year 100-9999, month 1-12, the month's days, 0-23, 0-59, 0-59).
// Nothing is normalised: 31 April is refused, not taken for 1 May.
std::optional<double> OleDate(int year, int month, int day, int hour, int minute, int second);

// The parts of a span, each with the sign of the span.
struct CountdownParts {
  std::int64_t days = 0;
  std::int64_t hours = 0;    // -23..23
  std::int64_t minutes = 0;  // -59..59
  std::int64_t seconds = 0;  // -59..59
};

// The parts of a span of days, rounded to the nearest second (half a second away
// from zero).
CountdownParts SplitSpan(double days);

// The numbers the countdown's elements show: days as they are, hours, minutes and
// seconds in at least two digits, the larger parts not shown folded into the first
// part shown.
ElementValues CountdownValues(const CountdownParts& parts, const TimeAreaInfo& info);

// The state the area player keeps for one countdown area.
struct CountdownState {
  int width = 1;
  int height = 1;
  ColorRef background = 0;
  const TimeAreaInfo* info = nullptr;  // read in place; the caller keeps it alive
  int lastSecond = -1;
  std::uint32_t startTick = 0;
  const PlayClock* clock = nullptr;    // must outlive the state
  std::optional<ScreenColors> colors;  // of the area's screen; none: all channels
  CachedClockLayout<TimeAreaInfo> layout{&LayOutCountdown};
};

// A state for an area of width x height on a screen of colors, its pass starting now.
CountdownState MakeCountdownState(int width, int height, const TimeAreaInfo* info,
                                  const PlayClock& clock,
                                  std::optional<ScreenColors> colors = std::nullopt);

// Fills area (a Format_RGB32 picture of the area's size) with the background and
// composes the countdown when the second of now has changed. Returns 0 when it has
// just drawn and more than 1000 ms have passed since the state's start tick, else 1.
int DrawCountdown(QImage& area, CountdownState& state);
