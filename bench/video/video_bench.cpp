// Every picture of a 1280 x 720, 10 s MPEG-4 clip (made at start with the ffmpeg
// program) decoded without pacing, handed to the renderer and drawn into a 256 x 128
// picture, against `ffmpeg -i clip -f null -` with its default threads, in the same
// run. Goal: at least half the ffmpeg program's frame rate.

#include <benchmark/benchmark.h>

#include <QImage>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/support/ratio_reporter.h"
#include "render/video/grab_renderer.h"
#include "render/video/media_input.h"
#include "render/video/stream_decoder.h"

namespace {

constexpr int kFrames = 300;        // 10 s at 30 frames a second
constexpr double kGoalRatio = 2.0;  // our time at most twice ffmpeg's
const char* const kOwnName = "DecodeAndDraw/iterations:3/real_time";
const char* const kFfmpegName = "FfmpegNullOutput/iterations:3/real_time";

std::string clipPath;

int Shell(const std::string& command) { return std::system(command.c_str()); }

// One pass over the clip: every picture decoded, kept by the renderer and drawn.
int DecodeAndDrawOnce() {
  const std::atomic<bool> stop{false};
  MediaInput input;
  StreamDecoder decoder;
  if (!input.Open(QString::fromStdString(clipPath), &stop) || !decoder.Open(input.Format())) {
    return -1;
  }
  CGrabRenderer renderer;
  renderer.SetYv12Mode(true);
  if (!renderer.CheckMediaType(decoder.PixelFormat(), decoder.Width(), decoder.Height())) return -1;
  renderer.SetMediaType(decoder.PixelFormat(), decoder.Width(), decoder.Height());
  QImage area(256, 128, QImage::Format_RGB32);
  int frames = 0;
  TimedStep step;
  while (decoder.Next(&step)) {
    if (!renderer.DoRenderSample(decoder.Frame()) || renderer.DrawCurrent(area, 256, 128) != 1) {
      return -1;
    }
    ++frames;
  }
  benchmark::DoNotOptimize(area.constBits());
  return frames;
}

void DecodeAndDraw(benchmark::State& state) {
  for (auto _ : state) {
    if (DecodeAndDrawOnce() != kFrames) state.SkipWithError("the clip did not play whole");
  }
}

void FfmpegNullOutput(benchmark::State& state) {
  for (auto _ : state) {
    if (Shell("ffmpeg -v error -i '" + clipPath + "' -f null -") != 0) {
      state.SkipWithError("ffmpeg failed");
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  QTemporaryDir dir;
  clipPath = dir.filePath("clip.avi").toStdString();
  if (!dir.isValid() ||
      Shell("ffmpeg -v error -y -f lavfi -i testsrc2=s=1280x720:r=30:d=10 -c:v mpeg4 -q:v 4 '" +
            clipPath + "'") != 0) {
    std::fprintf(stderr, "cannot make the clip with the ffmpeg program\n");
    return 1;
  }
  benchmark::RegisterBenchmark("DecodeAndDraw", DecodeAndDraw)
      ->Iterations(3)
      ->UseRealTime()
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("FfmpegNullOutput", FfmpegNullOutput)
      ->Iterations(3)
      ->UseRealTime()
      ->Unit(benchmark::kMillisecond);
  return RunGoalBenchmarks(argc, argv, [&](RatioReporter& reporter) {
    const double own = reporter.Seconds(kOwnName);
    const double ffmpeg = reporter.Seconds(kFfmpegName);
    if (own > 0 && ffmpeg > 0) {
      std::printf("decode and draw: %.0f frames/s; ffmpeg program: %.0f frames/s; %.0f %%\n",
                  kFrames / own, kFrames / ffmpeg, 100 * ffmpeg / own);
    }
    reporter.Goal(
        "decode and draw of 1280x720 MPEG-4 against the ffmpeg program's decode "
        "(time ratio; at least half its frame rate)",
        reporter.Ratio(kOwnName, kFfmpegName), kGoalRatio);
  });
}
