#pragma once
// The programs that the preview's benchmarks play on a 1920 x 1080 screen in a
// temporary program folder (QUENDRA_HOME while the scene lives), with a running
// program border:
// - every kind: 16 areas of 480 x 270: image-text areas of three frame-file pages under
//   running entry effects (push, blinds, stretch), two scrolling lines, a digital and
//   an analog clock, a countdown, a files area with a picture and one with a GIF;
//   backgrounds on four areas, borders on eight;
// - pages and a clock: 16 image-text areas of 480 x 240 with one frame file of three
//   pages each, either still (shown at once, staying) or changing (the entry effects
//   of every kind, one after another), still borders on eight, and below them a
//   digital clock of 480 x 120.

#include <QImage>
#include <QTemporaryDir>

#include <functional>
#include <string>
#include <vector>

#include "bench/support/ratio_reporter.h"
#include "model/project/send_job.h"

constexpr int kSceneWidth = 1920;
constexpr int kSceneHeight = 1080;

enum class SceneContent { kEveryKind, kStillPagesAndClock, kChangingPagesAndClock };

class ProgramScene {
 public:
  explicit ProgramScene(SceneContent content = SceneContent::kEveryKind);
  ~ProgramScene();
  ProgramScene(const ProgramScene&) = delete;
  ProgramScene& operator=(const ProgramScene&) = delete;

  // The program with its areas in drawing order.
  const ProgramSendItem& Item() const { return item_; }

 private:
  QTemporaryDir folder_;
  ProgramSendItem item_{};
};

// A picture of color with a sparse grid of black pixels (keyed copies have work to do).
QImage FilledPicture(int width, int height, QRgb color);

// CPU seconds the calling thread has used.
double ThreadCpuSeconds();

// Registers the run BM_<name>: playTicks once a repetition (the CPU seconds of each
// tick), timed by its median tick, with the 99th percentile and the maximum. The
// reporter knows it as TickRunName(name).
void RegisterTickRun(const std::string& name, std::function<std::vector<double>()> playTicks);
std::string TickRunName(const std::string& name);

// The main of a preview tick benchmark: the tick run "Tick" of playTicks and, in the
// same run, a copy of one picture of the screen's size, with the runs registered
// before; ends with the goal line goalName: a median tick (of the repetitions'
// medians) of at most 5 ms, then the goals moreGoals collects.
int RunTickBenchmark(int argc, char** argv, const std::string& goalName,
                     std::function<std::vector<double>()> playTicks,
                     const std::function<void(RatioReporter&)>& moreGoals = {});
