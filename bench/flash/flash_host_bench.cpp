// The real Flash host with a 320 x 160 movie at 10 frames a second: time to the first
// frame, the cost of one capture, the CPU the helper and its browser engine spend
// while the movie plays for 10 s against the same seconds of an idle helper, and
// recording 50 frames against the movie's own 5 s.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <unistd.h>

#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <set>

#include "bench/support/ratio_reporter.h"
#include "render/flash/process_flash_host.h"
#include "render/flash/swf.h"
#include "render/frame/pak_file.h"
#include "tests/support/swf_writer.h"

namespace {

constexpr int kCpuSeconds = 10;
constexpr char kGoalName[] = "record_50_frames_vs_movie_5s";
constexpr double kGoalLimit = 1.5;
const QColor kSquare(255, 200, 0);

QString MoviePath() {
  static QTemporaryDir folder;
  const QString path = folder.path() + QStringLiteral("/movie.swf");
  if (!QFile::exists(path)) {
    TestMovie movie;
    movie.background = QColor(160, 0, 0);
    for (int frame = 1; frame <= 8; ++frame) movie.positions.push_back({frame * 20, frame * 10});
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) file.write(WriteTestMovie(movie));
  }
  return path;
}

bool WaitFor(const std::function<bool()>& condition, int limitMs) {
  const QDeadlineTimer deadline(limitMs);
  while (!condition()) {
    if (deadline.hasExpired()) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(2);
  }
  return true;
}

bool ShowsSquare(FlashHost& host) {
  QImage picture(320, 160, QImage::Format_RGB32);
  if (!host.Capture(picture)) return false;
  for (int y = 0; y < 160; ++y) {
    for (int x = 0; x < 320; ++x) {
      if (picture.pixel(x, y) == kSquare.rgb()) return true;
    }
  }
  return false;
}

std::unique_ptr<FlashHost> OpenHost(bool withMovie) {
  std::unique_ptr<FlashHost> host = MakeFlashHost();
  if (!host->Create({0, 0, 320, 160}, {320, 160})) return nullptr;
  if (withMovie && !host->SetMovie(MoviePath())) return nullptr;
  return host;
}

// CPU seconds (user and system) of every process below this one: the helper and the
// browser engine's processes.
double ChildrenCpuSeconds() {
  std::map<int, int> parents;
  std::map<int, double> seconds;
  const double tick = static_cast<double>(::sysconf(_SC_CLK_TCK));
  for (const QString& name : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
    bool number = false;
    const int pid = name.toInt(&number);
    if (!number) continue;
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) continue;
    const QByteArray line = stat.readAll();
    // The fields after the command name, which is in parentheses: state, ppid, ...
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13) continue;
    parents[pid] = fields[1].toInt();
    seconds[pid] = (fields[11].toDouble() + fields[12].toDouble()) / tick;
  }
  std::set<int> below = {static_cast<int>(::getpid())};
  double total = 0;
  for (bool grew = true; grew;) {
    grew = false;
    for (const auto& [pid, parent] : parents) {
      if (below.count(parent) && below.insert(pid).second) {
        total += seconds[pid];
        grew = true;
      }
    }
  }
  return total;
}

void BM_FirstFrame(benchmark::State& state) {
  for (auto _ : state) {
    std::unique_ptr<FlashHost> host = OpenHost(true);
    if (!host || !WaitFor([&] { return ShowsSquare(*host); }, 20000)) {
      state.SkipWithError("the movie did not play");
      return;
    }
  }
}

void BM_Capture(benchmark::State& state) {
  std::unique_ptr<FlashHost> host = OpenHost(true);
  if (!host) return state.SkipWithError("the movie did not play");
  QImage picture(320, 160, QImage::Format_RGB32);
  for (auto _ : state) {
    if (!host->Capture(picture)) return state.SkipWithError("capture failed");
  }
}

// CPU of the helper over kCpuSeconds, as a share of one processor.
void CpuWhile(benchmark::State& state, bool playing) {
  std::unique_ptr<FlashHost> host = OpenHost(playing);
  if (!host) return state.SkipWithError("the helper did not start");
  for (auto _ : state) {
    const double before = ChildrenCpuSeconds();
    QElapsedTimer wall;
    wall.start();
    WaitFor([&] { return wall.hasExpired(kCpuSeconds * 1000); }, kCpuSeconds * 1000 + 1000);
    state.counters["cpu_percent"] =
        100 * (ChildrenCpuSeconds() - before) / (static_cast<double>(wall.elapsed()) / 1000);
  }
}
void BM_PlayingCpu(benchmark::State& state) { CpuWhile(state, true); }
void BM_IdleHelperCpu(benchmark::State& state) { CpuWhile(state, false); }

void BM_Record50Frames(benchmark::State& state) {
  struct Recorder : CSwf {
    Recorder() {
      recordMode_ = 1;
      framePath_ = PakFramePath(QStringLiteral("0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9"));
    }
  };
  for (auto _ : state) {
    Recorder recorder;
    if (recorder.Open(320, MoviePath(), 160) != 1 || !recorder.SetPlayLength(0) ||
        recorder.Play() != 1 || !WaitFor([&] { return recorder.IsDone(); }, 60000) ||
        recorder.RecordFailed()) {
      return state.SkipWithError("the recording failed");
    }
  }
}

// The movie's own time for 50 frames at 10 a second.
void BM_MovieFiveSeconds(benchmark::State& state) {
  for (auto _ : state) QThread::msleep(5000);
}

BENCHMARK(BM_FirstFrame)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Capture)->Iterations(200)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_PlayingCpu)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK(BM_IdleHelperCpu)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK(BM_Record50Frames)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK(BM_MovieFiveSeconds)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  // The program folder of the frame files: a fresh one.
  QTemporaryDir home;
  ::setenv("QUENDRA_HOME", home.path().toLocal8Bit().constData(), 1);
  QDir(home.path()).mkpath(QStringLiteral("Temp"));
  QApplication app(argc, argv);
  if (!UseInstalledFlashPlayer()) {
    std::printf("flash-host or Ruffle is missing beside the benchmark\n");
    RatioReporter unmeasured;
    unmeasured.Goal(kGoalName, 0, kGoalLimit);
    unmeasured.PrintGoals();
    return 1;
  }
  return RunGoalBenchmarks(argc, argv, [&](RatioReporter& reporter) {
    reporter.Goal(kGoalName,
                  reporter.Ratio("BM_Record50Frames/iterations:1/real_time",
                                 "BM_MovieFiveSeconds/iterations:1/real_time"),
                  kGoalLimit);
  });
}
