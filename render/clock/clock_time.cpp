#include "render/clock/clock_time.h"

#include <limits>

bool ClockPassOver(const PlayClock& clock, std::uint32_t startTick) {
  return clock.ElapsedMs(startTick) > kClockPassMs;
}

std::int64_t ClockOffsetSeconds(int hours, int minutes) {
  return (std::int64_t{hours} * 60 + minutes) * 60;
}

std::int64_t AnalogClockSeconds(std::int64_t now, int timeLagType, int hours, int minutes) {
  const std::int64_t offset = ClockOffsetSeconds(hours, minutes);
  return timeLagType == 0 ? now + offset : now - offset;
}

std::int64_t DigitalClockSeconds(std::int64_t now, int timeLagType, int hours, int minutes) {
  const std::int64_t offset = ClockOffsetSeconds(hours, minutes);
  return timeLagType == 1 ? now + offset : now - offset;
}

std::optional<std::tm> LocalTime(std::int64_t seconds) {
  if (seconds < std::numeric_limits<std::time_t>::min() ||
      seconds > std::numeric_limits<std::time_t>::max()) {
    return std::nullopt;
  }
  const std::time_t when = static_cast<std::time_t>(seconds);
  std::tm parts{};
  if (localtime_r(&when, &parts) == nullptr) return std::nullopt;
  return parts;
}
