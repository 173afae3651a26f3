#pragma once
// The one clock of the preview: every clock image, player, stay time, GIF, video,
// transition and recorder reads the time through a PlayClock it is given, so that
// tests can drive time by hand.

#include <cstdint>

class PlayClock {
 public:
  virtual ~PlayClock() = default;
  // Wall time in seconds since 1970-01-01 00:00 UTC.
  virtual std::int64_t NowSeconds() const = 0;
  // A millisecond tick count that wraps after 2^32 ms (about 49.7 days), as the
  // Windows tick count did; only differences of two ticks mean anything.
  virtual std::uint32_t TickMs() const = 0;

  // Milliseconds since the tick `since`, correct across one wrap of the count.
  std::uint32_t ElapsedMs(std::uint32_t since) const { return TickMs() - since; }
};

// The system's clock: the real-time clock and a monotonic tick. One per process.
PlayClock& SystemPlayClock();
