#pragma once
// What the analog clock, the digital clock and the countdown share: the shown time
// with its offset, local time, the one-second pass and the font of a record.

#include <QFont>

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <iterator>
#include <optional>

#include "render/common/play_clock.h"

// A clock or countdown area reports one finished pass when more than this many
// milliseconds have passed since its start tick.
constexpr std::uint32_t kClockPassMs = 1000;

// True once more than kClockPassMs have passed since startTick.
bool ClockPassOver(const PlayClock& clock, std::uint32_t startTick);

// The offset of a clock in seconds: (hours x 60 + minutes) x 60, in 64 bits.
std::int64_t ClockOffsetSeconds(int hours, int minutes);

// The time an analog clock shows: now plus the offset when timeLagType is 0, minus
// it otherwise.
std::int64_t AnalogClockSeconds(std::int64_t now, int timeLagType, int hours, int minutes);
// The time a digital clock shows: now plus the offset when timeLagType is 1, minus
// it otherwise (the opposite reading of the analog clock's; both are kept as the
// editors label them).
std::int64_t DigitalClockSeconds(std::int64_t now, int timeLagType, int hours, int minutes);

// seconds since 1970 as local time (TZ); nullopt when it cannot be represented.
std::optional<std::tm> LocalTime(std::int64_t seconds);

// The font of a record's text: face from a field of `capacity` units, size in
// points at 96 pixels an inch, weight 700 when bold else 400, italic, underline.
QFont RecordTextFont(const char16_t* face, std::size_t capacity, int points, int bold,
                     int italic, int underline);

// The font of a record's ShowStrFont_ fields.
template <typename Record>
QFont ShowStrFont(const Record& info) {
  return RecordTextFont(info.ShowStrFont_FontName, std::size(info.ShowStrFont_FontName),
                        info.ShowStrFont_FontSize, info.ShowStrFont_FontBold,
                        info.ShowStrFont_FontItalic, info.ShowStrFont_FontUnderLine);
}
