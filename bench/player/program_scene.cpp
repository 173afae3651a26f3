#include "bench/player/program_scene.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

#include "bench/support/ratio_reporter.h"
#include "model/common/app_paths.h"
#include "model/common/bounded_text.h"
#include "model/common/guid_text.h"
#include "model/project/project_editing.h"
#include "model/project/project_globals.h"
#include "render/frame/pak_file.h"
#include "render/frame/pak_writer.h"

namespace {

constexpr int kAreaWidth = 480;
constexpr int kAreaHeight = 270;
// Entry effects: push left, blinds rightwards, stretch from the left.
constexpr int kEffects[] = {2, 23, 31};

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
  if (!FilledPicture(kAreaWidth, kAreaHeight, color).save(path))
    std::fprintf(stderr, "no %s\n", qPrintable(name));
  return path;
}

void Fill(AreaRecord& area, int i, const QString& pagesGuid, const QString& stripGuid,
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

// A frame file of three pages of a size; its GUID text.
QString WritePages(int width, int height) {
  return WriteFrames({FilledPicture(width, height, qRgb(200, 40, 40)),
                      FilledPicture(width, height, qRgb(40, 200, 40)),
                      FilledPicture(width, height, qRgb(40, 40, 200))},
                     width);
}

void AddEveryKind(ProgramRecord& program) {
  const QString pagesGuid = WritePages(kAreaWidth, kAreaHeight);
  std::vector<QImage> strip;
  for (int i = 0; i < 4; ++i)
    strip.push_back(FilledPicture(kAreaWidth, kAreaHeight, qRgb(255, 60 * i, 0)));
  const QString stripGuid = WriteFrames(strip, 200);
  const QString backPath = SavePicture(QStringLiteral("back.png"), qRgb(0, 90, 90));
  const QString picturePath = SavePicture(QStringLiteral("picture.png"), qRgb(90, 0, 90));

  const int kinds[16] = {2, 2, 2, 1, 1, 4, 5, 6, 7, 7, 2, 2, 2, 2, 2, 2};
  for (int i = 0; i < 16; ++i) {
    AreaRecord& area = *AddArea(program, kinds[i]);
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
}

void AddPagesAndClock(ProgramRecord& program, bool changing) {
  constexpr int kPageWidth = 480;
  constexpr int kPageHeight = 240;
  const QString guid = WritePages(kPageWidth, kPageHeight);
  for (int i = 0; i < 16; ++i) {
    AreaRecord& area = *AddArea(program, kImageTextArea);
    area.AreaRect_Left = i % 4 * kPageWidth;
    area.AreaRect_Top = i / 4 * kPageHeight;
    area.AreaRect_Right = area.AreaRect_Left + kPageWidth;
    area.AreaRect_Bottom = area.AreaRect_Top + kPageHeight;
    if (i % 2 == 0) {  // still borders on eight, without room
      area.IsUseBorder = 1;
      area.BorderValue = i % 8;
      area.BorderColor = 0x00FFFF;
    }
    FileItem page{};
    CopyBoundedText(page.guid, guid);
    page.InStyle = changing ? kEffects[i % 3] : 0;
    page.InSpeed = 2;
    page.DelayTime = changing ? 0 : 100000;  // still: each page stays for the whole run
    std::get<std::vector<FileItem>>(area.Kind).push_back(page);
  }
  AreaRecord& clock = *AddArea(program, kDigitalClockArea);
  clock.AreaRect_Top = 4 * kPageHeight;
  clock.AreaRect_Right = 480;
  clock.AreaRect_Bottom = kSceneHeight;
}

}  // namespace

QImage FilledPicture(int width, int height, QRgb color) {
  QImage picture(width, height, QImage::Format_RGB32);
  picture.fill(color);
  for (int y = 0; y < height; y += 8) {
    for (int x = 0; x < width; x += 2) picture.setPixel(x, y, qRgb(0, 0, 0));
  }
  return picture;
}

double ThreadCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

ProgramScene::ProgramScene(SceneContent content) {
  ::setenv("QUENDRA_HOME", folder_.path().toLocal8Bit().constData(), 1);
  QDir().mkpath(AppFolderPath(AppFolder::Temp));
  QDir().mkpath(AppFolderPath(AppFolder::UserData));
  ScreenRecord& screen = ScreenList.emplace_back();
  screen.LedWidth = kSceneWidth;
  screen.LedHeight = kSceneHeight;
  screen.LedColor = 2;  // full colour: every channel reduced at 128, as the card shows it
  ProgramRecord* program = &AddProgram(screen);
  program->StopType = 2;  // until stopped
  program->IsUseBorder = 1;
  program->BorderValue = 3;
  program->BorderStyle = 1;
  if (content == SceneContent::kEveryKind) {
    AddEveryKind(*program);
  } else {
    AddPagesAndClock(*program, content == SceneContent::kChangingPagesAndClock);
  }
  item_.Program = program;
  for (const auto& area : program->Areas) item_.Areas.push_back(area.get());
}

ProgramScene::~ProgramScene() {
  ClearProjectModel();
  ::unsetenv("QUENDRA_HOME");
}

namespace {

constexpr double kTickGoalSeconds = 0.005;
void CopyPicture(benchmark::State& state) {
  const QImage source = FilledPicture(kSceneWidth, kSceneHeight, qRgb(1, 2, 3));
  QImage target(kSceneWidth, kSceneHeight, QImage::Format_RGB32);
  for (auto _ : state) {
    std::memcpy(target.bits(), source.constBits(), static_cast<std::size_t>(source.sizeInBytes()));
    benchmark::ClobberMemory();
  }
}

}  // namespace

void RegisterTickRun(const std::string& name, std::function<std::vector<double>()> playTicks) {
  benchmark::RegisterBenchmark(("BM_" + name).c_str(),
                               [playTicks](benchmark::State& state) {
                                 for (auto _ : state) {
                                   std::vector<double> seconds = playTicks();
                                   if (seconds.empty()) return state.SkipWithError("no ticks");
                                   std::sort(seconds.begin(), seconds.end());
                                   state.SetIterationTime(seconds[seconds.size() / 2]);
                                   state.counters["p99_ms"] =
                                       seconds[seconds.size() * 99 / 100] * 1e3;
                                   state.counters["max_ms"] = seconds.back() * 1e3;
                                 }
                               })
      ->Iterations(1)
      ->UseManualTime()
      ->Unit(benchmark::kMillisecond);
}

std::string TickRunName(const std::string& name) {
  return "BM_" + name + "/iterations:1/manual_time";
}

int RunTickBenchmark(int argc, char** argv, const std::string& goalName,
                     std::function<std::vector<double>()> playTicks,
                     const std::function<void(RatioReporter&)>& moreGoals) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QGuiApplication app(argc, argv);
  RegisterTickRun("Tick", std::move(playTicks));
  benchmark::RegisterBenchmark("BM_CopyPicture", CopyPicture)->Unit(benchmark::kMicrosecond);
  return RunGoalBenchmarks(argc, argv, [&](RatioReporter& reporter) {
    const double tickSeconds = reporter.Seconds(TickRunName("Tick"));
    const double copySeconds = reporter.Seconds("BM_CopyPicture");
    std::printf("median tick %.3f ms CPU = %.1f picture copies of %.3f ms\n", tickSeconds * 1e3,
                copySeconds > 0 ? tickSeconds / copySeconds : 0, copySeconds * 1e3);
    reporter.Goal(goalName, tickSeconds / kTickGoalSeconds, 1);
    if (moreGoals) moreGoals(reporter);
  });
}
