// The programs of program_scene.h on a 1920 x 1080 screen, each played 1000 ticks of
// 30 ms on a play clock the benchmark moves; each prints the GUI thread's CPU time per
// tick (median, 99th percentile, maximum), and, in the same run, a copy of one picture
// of the screen's size. Goals: a median of at most 5 ms a tick for 16 areas of every
// kind; a median tick of 16 still pages and a clock at most a quarter of the same
// program with every page changing (still areas are not drawn again).

#include <QImage>

#include <cstdio>
#include <vector>

#include "bench/player/program_scene.h"
#include "render/common/fake_play_clock.h"
#include "render/player/program_player.h"

namespace {

constexpr int kTicks = 1000;
constexpr std::uint32_t kTickMs = 30;
constexpr double kStillLimit = 0.25;

class Scene {
 public:
  explicit Scene(SceneContent content) : program_(content) {}

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
  ScreenPicture target_{QImage(kSceneWidth, kSceneHeight, QImage::Format_RGB32), {}};
  FakePlayClock clock_{0, 1000};
};

std::function<std::vector<double>()> Playing(SceneContent content) {
  return [content] { return Scene(content).Play(); };
}

}  // namespace

int main(int argc, char** argv) {
  RegisterTickRun("StillTick", Playing(SceneContent::kStillPagesAndClock));
  RegisterTickRun("ChangingTick", Playing(SceneContent::kChangingPagesAndClock));
  return RunTickBenchmark(
      argc, argv, "program_tick_median_of_5ms", Playing(SceneContent::kEveryKind),
      [](RatioReporter& reporter) {
        reporter.Goal("program_tick_16_still_1_clock_vs_16_changing",
                      reporter.Ratio(TickRunName("StillTick"), TickRunName("ChangingTick")),
                      kStillLimit);
      });
}
