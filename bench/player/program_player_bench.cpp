// The program of program_scene.h (16 areas of every kind on a 1920 x 1080 screen), played
// 1000 ticks of 30 ms on a play clock the benchmark moves. Prints the GUI thread's CPU
// time per tick (median, 99th percentile, maximum) and, in the same run, a copy of one
// picture of the screen's size. Goal: a median of at most 5 ms a tick.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "bench/player/program_scene.h"
#include "bench/support/ratio_reporter.h"
#include "render/common/fake_play_clock.h"
#include "render/player/program_player.h"

namespace {

constexpr int kTicks = 1000;
constexpr std::uint32_t kTickMs = 30;
constexpr double kGoalSeconds = 0.005;

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

double medianSeconds = 0;

void BM_ProgramTick(benchmark::State& state) {
  Scene scene;
  for (auto _ : state) {
    std::vector<double> seconds = scene.Play();
    std::sort(seconds.begin(), seconds.end());
    medianSeconds = seconds[seconds.size() / 2];
    state.counters["median_ms"] = medianSeconds * 1e3;
    state.counters["p99_ms"] = seconds[seconds.size() * 99 / 100] * 1e3;
    state.counters["max_ms"] = seconds.back() * 1e3;
  }
}

void BM_CopyPicture(benchmark::State& state) {
  const QImage source = FilledPicture(kSceneWidth, kSceneHeight, qRgb(1, 2, 3));
  QImage target(kSceneWidth, kSceneHeight, QImage::Format_RGB32);
  for (auto _ : state) {
    std::memcpy(target.bits(), source.constBits(), static_cast<std::size_t>(source.sizeInBytes()));
    benchmark::ClobberMemory();
  }
}

BENCHMARK(BM_ProgramTick)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyPicture)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const double copySeconds = reporter.Seconds("BM_CopyPicture");
  std::printf("median tick %.3f ms CPU = %.1f picture copies of %.3f ms\n", medianSeconds * 1e3,
              copySeconds > 0 ? medianSeconds / copySeconds : 0, copySeconds * 1e3);
  reporter.Goal("program_tick_median_of_5ms", medianSeconds / kGoalSeconds, 1);
  reporter.PrintGoals();
  benchmark::Shutdown();
  return 0;
}
