// One preview tick of 16 keyed area borders of single-colour style 16 (7 pixels thick)
// and a program border on a 1920 x 1080 picture, and in the same run a fill of the
// whole picture. Goals: the tick at most the time of the fill, and no allocation per
// tick.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>

#include <array>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <new>
#include <string>

#include "bench/support/ratio_reporter.h"
#include "render/borders/border_renderer.h"
#include "render/raster/fill_rect.h"

namespace {

std::atomic<long> allocations{0};

}  // namespace

// Every allocation of the process is counted, so that a tick can be seen to make none.
void* operator new(std::size_t size) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
  throw std::bad_alloc();
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kAreas = 16;  // a 4 x 4 grid of areas
// The borders are reduced to a full-colour screen's colours, as the preview shows them.
const ScreenColors kFullColour = ScreenColorsOf(2);

struct Scene {
  Scene() {
    picture.image.fill(0xFF203040);
    for (int i = 0; i < kAreas; ++i) {
      const int column = i % 4;
      const int row = i / 4;
      areas[i] = {column * kWidth / 4 + 8, row * kHeight / 4 + 8, (column + 1) * kWidth / 4 - 8,
                  (row + 1) * kHeight / 4 - 8};
      borders[i].Init(LiveRect::Of(areas[i]), &picture, 0, 16, 1 + i % 2, MakeColorRef(255, 255, 0),
                      i % 32, kFullColour);
    }
    program.Init(LiveRect::Of(screen), &picture, 1, 24, 1, 0, 6, kFullColour);
  }
  void Tick() {
    for (CBorderRenderer& border : borders) border.Draw();
    program.Draw();
  }

  ScreenPicture picture{QImage(kWidth, kHeight, QImage::Format_RGB32), {}};
  std::array<PixelRect, kAreas> areas;
  std::array<CBorderRenderer, kAreas> borders;
  PixelRect screen = PixelRectOfSize(kWidth, kHeight);
  CBorderRenderer program;
};

long allocationsPerTick = -1;

void BM_BorderTick(benchmark::State& state) {
  auto scene = std::make_unique<Scene>();
  scene->Tick();  // anything allocated once on the first tick is not counted
  const long before = allocations.load();
  long ticks = 0;
  for (auto _ : state) {
    scene->Tick();
    benchmark::ClobberMemory();
    ++ticks;
  }
  allocationsPerTick = ticks > 0 ? (allocations.load() - before) / ticks : -1;
}

void BM_FillPicture(benchmark::State& state) {
  QImage picture(kWidth, kHeight, QImage::Format_RGB32);
  for (auto _ : state) {
    FillRect(picture, PixelRectOfSize(kWidth, kHeight), MakeColorRef(32, 48, 64));
    benchmark::ClobberMemory();
  }
}

BENCHMARK(BM_BorderTick)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FillPicture)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QGuiApplication app(argc, argv);
  return RunGoalBenchmarks(argc, argv, [](RatioReporter& reporter) {
    std::printf("goal border_tick_allocations: %ld per tick (limit 0) %s\n", allocationsPerTick,
                allocationsPerTick == 0 ? "PASS" : "FAIL");
    reporter.Goal("border_tick_vs_fill", reporter.Ratio("BM_BorderTick", "BM_FillPicture"), 1);
  });
}
