// One step of every entry effect, averaged over a whole 15-step transition, on a
// 1920 x 1080 and a 256 x 64 area, against a memcpy of one frame of the same size
// (W x H x 4 bytes) in the same run. Goal: every effect at most 4x the memcpy at
// 1920 x 1080.

#include <benchmark/benchmark.h>

#include <QImage>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "render/effects/transition_codes.h"
#include "render/effects/transition_effect.h"

namespace {

constexpr int kSpeed = 5;  // 15 steps, the fastest setting
constexpr double kGoalRatio = 4.0;
constexpr int kRepetitions = 3;
constexpr size_t kPageBytes = 4096;
const std::pair<int, int> kSizes[] = {{1920, 1080}, {256, 64}};

QImage Picture(int width, int height, QRgb color) {
  QImage picture(width, height, QImage::Format_RGB32);
  picture.fill(color);
  return picture;
}

std::string SizeName(int width, int height) {
  return std::to_string(width) + "x" + std::to_string(height);
}

// Times the steps alone (manual time): setting a transition up copies a whole frame.
void Transition(benchmark::State& state, int effect, int width, int height) {
  const QImage fresh = Picture(width, height, qRgb(10, 20, 255));
  QImage target = Picture(width, height, qRgb(200, 100, 7));
  TransitionEffect transition;
  int steps = 0;
  for (auto _ : state) {
    transition.Init(&fresh, &target, width, height, kSpeed, effect);
    const auto start = std::chrono::steady_clock::now();
    while (transition.Step() != 0) ++steps;
    benchmark::DoNotOptimize(target.constBits());
    state.SetIterationTime(
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  state.counters["steps"] = steps;
}

// The reference: one memcpy of a frame between page-aligned buffers (at some distances
// apart the C library's copy of a small frame takes a slow path, see CopyPixels).
void FrameCopy(benchmark::State& state, int width, int height) {
  const size_t bytes = size_t{4} * static_cast<size_t>(width) * static_cast<size_t>(height);
  const size_t rounded = (bytes + kPageBytes - 1) / kPageBytes * kPageBytes;
  const std::unique_ptr<void, decltype(&std::free)> from(std::aligned_alloc(kPageBytes, rounded),
                                                         &std::free);
  const std::unique_ptr<void, decltype(&std::free)> to(std::aligned_alloc(kPageBytes, rounded),
                                                       &std::free);
  if (from == nullptr || to == nullptr) {
    state.SkipWithError("no memory");
    return;
  }
  std::memset(from.get(), 0x55, bytes);
  std::memset(to.get(), 0xAA, bytes);
  int copies = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    std::memcpy(to.get(), from.get(), bytes);
    benchmark::DoNotOptimize(to.get());
    state.SetIterationTime(
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    ++copies;
  }
  state.counters["steps"] = copies;
}

// Seconds per step (or per copy) by benchmark, the least of the repetitions: the
// machine may be shared, and the least is the figure least disturbed by others.
std::map<std::string, double> secondsPerStep;

class PerStepReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      const auto steps = run.counters.find("steps");
      if (run.run_type != Run::RT_Iteration || steps == run.counters.end() ||
          steps->second.value <= 0) {
        continue;
      }
      const double seconds = run.real_accumulated_time / steps->second.value;
      const auto [known, added] = secondsPerStep.emplace(run.run_name.str(), seconds);
      if (!added) known->second = std::min(known->second, seconds);
    }
    ConsoleReporter::ReportRuns(runs);
  }
};

std::string TransitionName(int effect, int width, int height) {
  return "Transition/" + std::to_string(effect) + "/" + SizeName(width, height);
}

std::string CopyName(int width, int height) { return "FrameCopy/" + SizeName(width, height); }

// The name under which a run of the benchmark registered as name is reported.
std::string RunName(const std::string& name) {
  return name + "/repeats:" + std::to_string(kRepetitions) + "/manual_time";
}

}  // namespace

int main(int argc, char** argv) {
  for (const auto& [width, height] : kSizes) {
    benchmark::RegisterBenchmark(CopyName(width, height).c_str(), FrameCopy, width, height)
        ->UseManualTime()
        ->Repetitions(kRepetitions)
        ->Unit(benchmark::kMicrosecond);
    for (int effect = kFirstDrawnEffect; effect <= kLastDrawnEffect; ++effect) {
      benchmark::RegisterBenchmark(TransitionName(effect, width, height).c_str(), Transition,
                                   effect, width, height)
          ->UseManualTime()
          ->Repetitions(kRepetitions)
          ->Unit(benchmark::kMicrosecond);
    }
  }
  benchmark::Initialize(&argc, argv);
  PerStepReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);

  int worstEffect = 0;
  double worstRatio = 0;
  for (const auto& [width, height] : kSizes) {
    const double copy = secondsPerStep[RunName(CopyName(width, height))];
    if (copy <= 0) continue;
    std::printf("%s: memcpy of a frame %.1f us\n", SizeName(width, height).c_str(), copy * 1e6);
    for (int effect = kFirstDrawnEffect; effect <= kLastDrawnEffect; ++effect) {
      const auto found = secondsPerStep.find(RunName(TransitionName(effect, width, height)));
      if (found == secondsPerStep.end()) continue;
      const double ratio = found->second / copy;
      std::printf("  effect %2d: %8.1f us a step, %.2fx the memcpy\n", effect,
                  found->second * 1e6, ratio);
      if (width == kSizes[0].first && ratio > worstRatio) {
        worstRatio = ratio;
        worstEffect = effect;
      }
    }
  }
  if (worstEffect != 0) {
    std::printf("goal slowest effect step (%d) at %s: %.2fx (limit %gx) %s\n", worstEffect,
                SizeName(kSizes[0].first, kSizes[0].second).c_str(), worstRatio, kGoalRatio,
                worstRatio <= kGoalRatio ? "PASS" : "FAIL");
  }
  benchmark::Shutdown();
  return 0;
}
