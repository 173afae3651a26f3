// The preview canvas in its edit view over the players' program (bench/player/
// program_scene.h: 16 areas of every kind on a 1920 x 1080 screen), shown offscreen in
// a 1280 x 800 view with the second area selected: 1000 timer ticks of 30 ms on a play
// clock the benchmark moves, each the edit canvas's frame, the outlines, the stretch
// and grid and the repaint of the window. Prints the GUI thread's CPU time per tick
// (median, 99th percentile) at zoom 1 and zoom 4, its share of the 30 ms frame, and its
// ratio to CEditCanvas::Draw alone over the same program. Goal: a median of at most
// 10 ms a tick at both zooms.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "app/canvas/preview_dialog.h"
#include "bench/player/program_scene.h"
#include "bench/support/ratio_reporter.h"
#include "controls/shell/program_messages.h"
#include "model/project/project_globals.h"
#include "render/canvas/edit_canvas.h"
#include "render/common/fake_play_clock.h"
#include "render/common/preview_picture.h"
#include "render/raster/screen_picture.h"

namespace {

constexpr int kTicks = 1000;
constexpr std::uint32_t kTickMs = 30;
constexpr double kFrameSeconds = 0.030;
constexpr double kGoalSeconds = 0.010;

struct TickTimes {
  double median = 0;
  double p99 = 0;
};

TickTimes Measure(FakePlayClock& clock, const std::function<void()>& tick) {
  std::vector<double> seconds;
  seconds.reserve(kTicks);
  for (int i = 0; i < kTicks; ++i) {
    const double start = ThreadCpuSeconds();
    tick();
    seconds.push_back(ThreadCpuSeconds() - start);
    clock.Advance(kTickMs);
  }
  std::sort(seconds.begin(), seconds.end());
  return {seconds[seconds.size() / 2], seconds[seconds.size() * 99 / 100]};
}

// A run is timed by its median tick.
void Report(benchmark::State& state, const TickTimes& times) {
  state.SetIterationTime(times.median);
  state.counters["p99_ms"] = times.p99 * 1e3;
}

void BM_EditCanvasDraw(benchmark::State& state) {
  for (auto _ : state) {
    ProgramScene scene;
    ScreenPicture picture{QImage(kSceneWidth, kSceneHeight, QImage::Format_RGB32), {}};
    picture.image.fill(qRgb(128, 128, 128));
    PreviewPicture = &picture;
    CanvasAreaList = scene.Item().Areas;
    FakePlayClock clock(0, 1000);
    {
      CEditCanvas canvas(clock);
      static_cast<void>(canvas.Build(scene.Item().Program));
      canvas.SetSelectedArea(2);
      canvas.MoveAreaToEnd();
      Report(state, Measure(clock, [&canvas] { static_cast<void>(canvas.Draw()); }));
    }
    CanvasAreaList.clear();
    PreviewPicture = nullptr;
  }
}

void BM_PreviewTick(benchmark::State& state) {
  const int zoomIndex = static_cast<int>(state.range(0));
  for (auto _ : state) {
    ProgramScene scene;
    CanvasAreaList = scene.Item().Areas;
    TreeItemRef selection = TreeItemRef::Of(*scene.Item().Program);
    CurrentSelection = &selection;
    FakePlayClock clock(0, 1000);
    {
      CPreviewDialog canvas(nullptr, clock);
      canvas.resize(1280, 800);
      canvas.show();
      canvas.SetCanvasSize(kSceneWidth, kSceneHeight, 1.0f);
      canvas.SetZoom(zoomIndex == 0 ? 1.0f : 4.0f);
      canvas.SetScroll(zoomIndex == 0 ? 0 : 1000, zoomIndex == 0 ? 0 : 600);
      SendMessage(canvas.Handle(), WM_TIMER, kCanvasBadgeTimer, 0);
      SendMessage(canvas.Handle(), UM_CANVAS_COMMAND, 0, 0);
      SendMessage(canvas.Handle(), UM_CANVAS_COMMAND, 1, 2);
      Report(state, Measure(clock, [&canvas] {
               SendMessage(canvas.Handle(), WM_TIMER, kCanvasFrameTimer, 0);
             }));
    }
    CurrentSelection = nullptr;
    CanvasAreaList.clear();
  }
}

BENCHMARK(BM_EditCanvasDraw)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PreviewTick)
    ->Arg(0)
    ->Arg(1)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  return RunGoalBenchmarks(argc, argv, [&](RatioReporter& reporter) {
    const double draw = reporter.Seconds("BM_EditCanvasDraw/iterations:1/manual_time");
    std::printf("CEditCanvas::Draw: median %.3f ms\n", draw * 1e3);
    double zoomTicks[2] = {};
    for (int zoom = 0; zoom < 2; ++zoom) {
      const double tick =
          reporter.Seconds("BM_PreviewTick/" + std::to_string(zoom) + "/iterations:1/manual_time");
      std::printf("tick at zoom %d: median %.3f ms (%.1f%% of 30 ms), %.2fx Draw\n",
                  zoom == 0 ? 1 : 4, tick * 1e3, 100 * tick / kFrameSeconds,
                  draw > 0 ? tick / draw : 0);
      zoomTicks[zoom] = tick;
    }
    reporter.Goal("preview_tick_zoom1_median_of_10ms", zoomTicks[0] / kGoalSeconds, 1);
    reporter.Goal("preview_tick_zoom4_median_of_10ms", zoomTicks[1] / kGoalSeconds, 1);
  });
}
