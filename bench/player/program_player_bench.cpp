// A program of 16 areas of 480 x 270 on a 1920 x 1080 screen, played 1000 ticks of
// 30 ms on a play clock the benchmark moves: image-text areas of three frame-file pages
// under running entry effects (push, blinds, stretch), two scrolling lines, a digital
// and an analog clock, a countdown, a files area with a picture and one with a GIF;
// backgrounds on four areas, borders on eight and the program border. Prints the GUI
// thread's CPU time per tick (median, 99th percentile, maximum) and, in the same run, a
// copy of one picture of the screen's size. Goal: a median of at most 5 ms a tick.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <vector>

#include "bench/support/ratio_reporter.h"
#include "model/common/app_paths.h"
#include "model/common/bounded_text.h"
#include "model/common/guid_text.h"
#include "model/project/project_editing.h"
#include "model/project/project_globals.h"
#include "render/common/fake_play_clock.h"
#include "render/frame/pak_file.h"
#include "render/frame/pak_writer.h"
#include "render/player/program_player.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kAreaWidth = 480;
constexpr int kAreaHeight = 270;
constexpr int kTicks = 1000;
constexpr std::uint32_t kTickMs = 30;
constexpr double kGoalSeconds = 0.005;
// Entry effects: push left, blinds rightwards, stretch from the left.
constexpr int kEffects[] = {2, 23, 31};

double ThreadCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

QImage Filled(int width, int height, QRgb color) {
  QImage picture(width, height, QImage::Format_RGB32);
  picture.fill(color);
  for (int y = 0; y < height; y += 8) {
    for (int x = 0; x < width; x += 2) picture.setPixel(x, y, qRgb(0, 0, 0));
  }
  return picture;
}

// A frame file of the pictures under a fresh GUID text; the GUID text.
QString WriteFrames(const std::vector<QImage>& frames, int lastExtent) {
  const QString guid = NewGuidText();
  PakWriter writer;
  bool written = writer.Open(PakFramePath(guid), frames[0].width(), frames[0].height(), 0);
  for (const QImage& frame : frames)
    written = written && writer.AppendFrame(Dib24::FromImage(frame));
  if (!(written && writer.Finish(lastExtent))) std::fprintf(stderr, "frame file not written\n");
  return guid;
}

QString SavePicture(const QString& name, QRgb color) {
  const QString path = AppFilePath(AppFolder::UserData, name);
  if (!Filled(kAreaWidth, kAreaHeight, color).save(path))
    std::fprintf(stderr, "no %s\n", qPrintable(name));
  return path;
}

class Scene {
 public:
  Scene() {
    ::setenv("QUENDRA_HOME", folder_.path().toLocal8Bit().constData(), 1);
    QDir().mkpath(AppFolderPath(AppFolder::Temp));
    QDir().mkpath(AppFolderPath(AppFolder::UserData));
    ScreenRecord& screen = ScreenList.emplace_back();
    screen.LedWidth = kWidth;
    screen.LedHeight = kHeight;
    screen.LedColor = 2;  // full colour: no colour reduction
    program_ = &AddProgram(screen);
    program_->StopType = 2;  // until stopped
    program_->IsUseBorder = 1;
    program_->BorderValue = 3;
    program_->BorderStyle = 1;
    const std::vector<QImage> pages = {Filled(kAreaWidth, kAreaHeight, qRgb(200, 40, 40)),
                                       Filled(kAreaWidth, kAreaHeight, qRgb(40, 200, 40)),
                                       Filled(kAreaWidth, kAreaHeight, qRgb(40, 40, 200))};
    const QString pagesGuid = WriteFrames(pages, kAreaWidth);
    std::vector<QImage> strip;
    for (int i = 0; i < 4; ++i)
      strip.push_back(Filled(kAreaWidth, kAreaHeight, qRgb(255, 60 * i, 0)));
    const QString stripGuid = WriteFrames(strip, 200);
    const QString backPath = SavePicture(QStringLiteral("back.png"), qRgb(0, 90, 90));
    const QString picturePath = SavePicture(QStringLiteral("picture.png"), qRgb(90, 0, 90));

    const int kinds[16] = {2, 2, 2, 1, 1, 4, 5, 6, 7, 7, 2, 2, 2, 2, 2, 2};
    for (int i = 0; i < 16; ++i) {
      AreaRecord& area = *AddArea(*program_, kinds[i]);
      area.AreaRect_Left = i % 4 * kAreaWidth;
      area.AreaRect_Top = i / 4 * kAreaHeight;
      area.AreaRect_Right = area.AreaRect_Left + kAreaWidth;
      area.AreaRect_Bottom = area.AreaRect_Top + kAreaHeight;
      if (i % 2 == 0) {  // borders on eight areas, without room: content at full size
        area.IsUseBorder = 1;
        area.BorderValue = i % 8;
        area.BorderStyle = 1 + i % 2;
        area.BorderColor = 0x00FFFF;
      }
      if (i % 4 == 1) {  // backgrounds on four
        area.IsUseBack = 1;
        BackgroundItem back{};
        back.FileType = 4;
        back.DelayTime = 5;
        CopyBoundedText(back.FilePath, backPath);
        area.Backgrounds.push_back(back);
      }
      Fill(area, i, pagesGuid, stripGuid, picturePath);
    }
    item_.Program = program_;
    for (const auto& area : program_->Areas) item_.Areas.push_back(area.get());
  }
  ~Scene() {
    ClearProjectModel();
    ::unsetenv("QUENDRA_HOME");
  }

  std::vector<double> Play() {
    CProgramPlayer player(&item_, &target_, clock_);
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
  static void Fill(AreaRecord& area, int i, const QString& pagesGuid, const QString& stripGuid,
                   const QString& picturePath) {
    if (auto* pages = std::get_if<std::vector<FileItem>>(&area.Kind)) {
      FileItem page{};
      CopyBoundedText(page.guid, pagesGuid);
      page.InStyle = kEffects[i % 3];
      page.InSpeed = 2;
      pages->push_back(page);  // stay 0: the effects follow one another
    } else if (auto* line = std::get_if<SingleLineAreaInfo>(&area.Kind)) {
      CopyBoundedText(line->guid, stripGuid);
      line->InStyle = 6;
      line->InSpeed = i;
      line->PageCount = 3 * kAreaWidth + 200;
    } else if (auto* files = std::get_if<std::vector<FileAreaItem>>(&area.Kind)) {
      FileAreaItem file{};
      file.FileType = i == 8 ? 4 : 3;
      file.DelayTime = 5;
      CopyBoundedText(file.FilePath, i == 8 ? picturePath : QStringLiteral(QUENDRA_BENCH_GIF));
      files->push_back(file);
    }
  }

  QTemporaryDir folder_;
  ProgramRecord* program_ = nullptr;
  ProgramSendItem item_{};
  QImage target_{kWidth, kHeight, QImage::Format_RGB32};
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
  const QImage source = Filled(kWidth, kHeight, qRgb(1, 2, 3));
  QImage target(kWidth, kHeight, QImage::Format_RGB32);
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
