#pragma once
// What the analog clock, the digital clock and the countdown share: the shown time
// with its offset, local time and the one-second pass.

#include <cstdint>
#include <ctime>
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
