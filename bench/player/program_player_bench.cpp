// The program of program_scene.h (16 areas of every kind on a 1920 x 1080 screen), played
// 1000 ticks of 30 ms on a play clock the benchmark moves. Prints the GUI thread's CPU
// time per tick (median, 99th percentile, maximum) and, in the same run, a copy of one
// picture of the screen's size. Goal: a median of at most 5 ms a tick.

#include <QImage>

#include <cstdio>
#include <vector>

#include "bench/player/program_scene.h"
#include "render/common/fake_play_clock.h"
#include "render/player/program_player.h"

namespace {

constexpr int kTicks = 1000;
constexpr std::uint32_t kTickMs = 30;

class Scene {
 public:
  std::vector<double> Play() {
    CProgramPlayer player(&program_.Item(), &target_, clock_);
    std::vector<double> seconds;
    seconds.reserve(kTicks);
    for (int tick = 0; tick < kTicks; ++tick) {
      const double start = ThreadCpuSeconds();
      if (player.Step() == 0) std::fprintf(stderr, "the program ended\n");
      seconds.push_back(ThreadCpuSeconds() - start);
      clock_.Advance(kTickMs);
    }
    return seconds;
  }

 private:
  ProgramScene program_;
  QImage target_{kSceneWidth, kSceneHeight, QImage::Format_RGB32};
  FakePlayClock clock_{0, 1000};
};

}  // namespace

int main(int argc, char** argv) {
  return RunTickBenchmark(argc, argv, "program_tick_median_of_5ms", [] {
    Scene scene;
    return scene.Play();
  });
}
