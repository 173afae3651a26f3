#pragma once
// A PlayClock that only moves when told to, for tests and benchmarks.

#include <cstdint>

#include "render/common/play_clock.h"

class FakePlayClock : public PlayClock {
 public:
  explicit FakePlayClock(std::int64_t seconds = 0, std::uint32_t tickMs = 0)
      : seconds_(seconds), tickMs_(tickMs) {}

  std::int64_t NowSeconds() const override { return seconds_; }
  std::uint32_t TickMs() const override { return tickMs_; }

  void SetSeconds(std::int64_t seconds) { seconds_ = seconds; }
  void SetTickMs(std::uint32_t tickMs) { tickMs_ = tickMs; }
  // Moves the tick by ms (wrapping like the real count) and the wall time by the
  // whole seconds the tick crosses.
  void Advance(std::uint32_t ms) {
    const std::uint64_t carried = remainderMs_ + ms;
    seconds_ += static_cast<std::int64_t>(carried / 1000);
    remainderMs_ = static_cast<std::uint32_t>(carried % 1000);
    tickMs_ += ms;
  }

 private:
  std::int64_t seconds_;
  std::uint32_t tickMs_;
  std::uint32_t remainderMs_ = 0;
};
