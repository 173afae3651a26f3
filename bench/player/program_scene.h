#pragma once
// The program that the preview's benchmarks play: 16 areas of 480 x 270 on a 1920 x 1080
// screen in a temporary program folder (QUENDRA_HOME while the scene lives):
// image-text areas of three frame-file pages under running entry effects (push,
// blinds, stretch), two scrolling lines, a digital and an analog clock, a countdown, a
// files area with a picture and one with a GIF; backgrounds on four areas, borders on
// eight and the program border.

#include <QImage>
#include <QTemporaryDir>

#include <functional>
#include <string>
#include <vector>

#include "model/project/send_job.h"

constexpr int kSceneWidth = 1920;
constexpr int kSceneHeight = 1080;

class ProgramScene {
 public:
  ProgramScene();
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

// The main of a preview tick benchmark: runs playTicks once a repetition (the CPU
// seconds of each tick), timed by its median tick, with the 99th percentile and the
// maximum, and in the same run a copy of one picture of the screen's size; ends with the
// goal line goalName: a median tick (of the repetitions' medians) of at most 5 ms.
int RunTickBenchmark(int argc, char** argv, const std::string& goalName,
                     std::function<std::vector<double>()> playTicks);
