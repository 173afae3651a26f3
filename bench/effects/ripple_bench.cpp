// One step of the water ripple (propagation and refraction) over a 640 x 480 picture
// with waves everywhere, and in the same run a copy of its pixel buffer. Goal: a step
// in at most 5 % of the 30 ms timer, 1.5 ms.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QWidget>

#include <cstdio>
#include <cstring>
#include <vector>

#include "bench/support/ratio_reporter.h"
#include "render/effects/ripple.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr double kStepBudgetSeconds = 1.5e-3;

QImage Picture() {
  QImage picture(kWidth, kHeight, QImage::Format_RGB32);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) picture.setPixel(x, y, qRgb(x % 256, y % 256, x ^ y));
  }
  return picture;
}

void Step(benchmark::State& state) {
  QWidget window;
  CRipple ripple;
  if (!ripple.Init(&window, Picture())) state.SkipWithError("cannot bind the ripple");
  for (int y = 20; y < kHeight; y += 40) {
    for (int x = 20; x < kWidth; x += 40) ripple.Drop(x, y, 600);
  }
  for (auto _ : state) ripple.RippleTimerProc();
}

void CopyPixels(benchmark::State& state) {
  const std::size_t bytes = std::size_t((kWidth * 3 + 3) / 4 * 4) * kHeight;
  std::vector<std::uint8_t> from(bytes, 7), to(bytes);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), bytes);
    benchmark::DoNotOptimize(to.data());
  }
}

}  // namespace

BENCHMARK(Step)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(CopyPixels)->Unit(benchmark::kMicrosecond)->UseRealTime();

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  return RunGoalBenchmarks(argc, argv, [&](RatioReporter& reporter) {
    const double step = reporter.Seconds("Step/real_time");
    std::printf("ripple step %.1f us, pixel copy %.1f us, step / copy %.2f\n", step * 1e6,
                reporter.Seconds("CopyPixels/real_time") * 1e6,
                reporter.Ratio("Step/real_time", "CopyPixels/real_time"));
    reporter.Goal("ripple_step_vs_1.5ms_budget", step / kStepBudgetSeconds, 1);
  });
}
