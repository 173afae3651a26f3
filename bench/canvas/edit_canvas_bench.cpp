// The edit canvas over the players' program (bench/player/program_scene.h: 16 areas of
// every kind on a 1920 x 1080 screen), the second area hovered, drawn 1000 ticks of
// 30 ms on a play clock the benchmark moves. Prints the GUI thread's CPU time per tick
// (median, 99th percentile, maximum) and, in the same run, a copy of one picture of the
// screen's size. Goal: a median of at most 5 ms a tick.

#include <QImage>

#include <vector>

#include "bench/player/program_scene.h"
#include "model/project/project_globals.h"
#include "render/canvas/edit_canvas.h"
#include "render/common/fake_play_clock.h"
#include "render/common/preview_picture.h"
#include "render/raster/screen_picture.h"

namespace {

constexpr int kTicks = 1000;
constexpr std::uint32_t kTickMs = 30;

std::vector<double> DrawTicks() {
  ProgramScene scene;
  ScreenPicture picture{QImage(kSceneWidth, kSceneHeight, QImage::Format_RGB32), {}};
  picture.image.fill(qRgb(128, 128, 128));
  PreviewPicture = &picture;
  CanvasAreaList = scene.Item().Areas;
  FakePlayClock clock(0, 1000);
  std::vector<double> seconds;
  {
    CEditCanvas canvas(clock);
    static_cast<void>(canvas.Build(scene.Item().Program));
    canvas.SetHoveredArea(2);
    seconds.reserve(kTicks);
    for (int tick = 0; tick < kTicks; ++tick) {
      const double start = ThreadCpuSeconds();
      static_cast<void>(canvas.Draw());
      seconds.push_back(ThreadCpuSeconds() - start);
      clock.Advance(kTickMs);
    }
  }
  CanvasAreaList.clear();
  PreviewPicture = nullptr;
  return seconds;
}

}  // namespace

int main(int argc, char** argv) {
  return RunTickBenchmark(argc, argv, "edit_canvas_tick_median_of_5ms", DrawTicks);
}
