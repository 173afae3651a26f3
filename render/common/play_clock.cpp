#include "render/common/play_clock.h"

#include <chrono>

namespace {

class SystemClock final : public PlayClock {
 public:
  std::int64_t NowSeconds() const override {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::seconds>(now).count();
  }
  std::uint32_t TickMs() const override {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    // The low 32 bits of the count: it wraps as the Windows tick count does.
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
  }
};

}  // namespace

PlayClock& SystemPlayClock() {
  static SystemClock clock;
  return clock;
}
