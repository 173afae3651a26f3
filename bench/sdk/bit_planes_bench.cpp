// DibToBitPlanes on a 1024 x 256 three-colour picture against a memcpy of the same
// input bytes: pixels per second of each and the ratio of their times (goal: at most
// 2), for the vector conversion the processor gets and for the portable one.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "bench/support/ratio_reporter.h"
#include "render/raster/dib24.h"
#include "sdk/generate/bit_planes.h"

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 256;
constexpr double kPixels = double(kWidth) * kHeight;

const Dib24& Picture() {
  static const Dib24 picture = [] {
    Dib24 made(kWidth, kHeight);
    for (std::int64_t i = 0; i < made.SizeInBytes(); ++i) {
      made.Bits()[i] = static_cast<std::uint8_t>(i * 37 + i / 1000);
    }
    return made;
  }();
  return picture;
}

void Convert(benchmark::State& state, bool vector) {
  AllowVectorBitPlanes(vector);
  const Dib24& picture = Picture();
  const std::size_t planeSize = std::size_t(kWidth / 8) * kHeight;
  std::vector<std::uint8_t> planes(planeSize * 3);
  for (auto _ : state) {
    std::memset(planes.data(), 0xFF, planes.size());
    if (!DibToBitPlanes(planes.data(), planeSize, 3, picture.Bits(), kWidth, kHeight,
                        picture.Stride(), 0)) {
      state.SkipWithError("conversion failed");
    }
    benchmark::DoNotOptimize(planes.data());
  }
  AllowVectorBitPlanes(true);
  state.counters["pixels_per_s"] =
      benchmark::Counter(kPixels, benchmark::Counter::kIsIterationInvariantRate);
}

void Copy(benchmark::State& state) {
  const Dib24& picture = Picture();
  std::vector<std::uint8_t> copy(picture.SizeInBytes());
  for (auto _ : state) {
    std::memcpy(copy.data(), picture.Bits(), copy.size());
    benchmark::DoNotOptimize(copy.data());
  }
  state.counters["pixels_per_s"] =
      benchmark::Counter(kPixels, benchmark::Counter::kIsIterationInvariantRate);
}

}  // namespace

BENCHMARK_CAPTURE(Convert, vector, true)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Convert, portable, false)->Unit(benchmark::kMicrosecond);
BENCHMARK(Copy)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
  return RunGoalBenchmarks(argc, argv, [&](RatioReporter& reporter) {
    const double portable = reporter.Ratio("Convert/portable", "Copy");
    std::printf("portable conversion / memcpy %.2f\n", portable);
    reporter.Goal("bit_planes_vs_memcpy", reporter.Ratio("Convert/vector", "Copy"), 2);
  });
}
