#pragma once
// A play clock the test moves by hand, read by the players' threads too.

#include <atomic>
#include <cstdint>

#include "render/common/play_clock.h"

class SteppedClock : public PlayClock {
 public:
  std::int64_t NowSeconds() const override { return tick_ / 1000; }
  std::uint32_t TickMs() const override { return tick_; }
  void Advance(std::uint32_t ms) { tick_ += ms; }

 private:
  std::atomic<std::uint32_t> tick_{5000};
};
