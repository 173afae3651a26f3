// Start-up of the main program: from the exec of Quendra to its first mapped window,
// on a virtual X display of the benchmark's own, with no saved project (the default
// screen) and with a saved project of 100 areas, against a minimal Qt program that
// shows a QMainWindow, built with the same flags, in the same run. Each start gets a
// fresh runtime folder and is killed once its window is mapped; one untimed start of
// each warms the caches first. Goals: at most 4x the minimal program's start without
// a project, 6x with it. Also said: the shared objects each had mapped by then, and
// how many of them are FFmpeg's (none, unless a video plays).

#include <benchmark/benchmark.h>
#include <sys/stat.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <optional>
#include <string>
#include <vector>

#include "bench/app/virtual_display.h"
#include "bench/project/bench_project.h"
#include "bench/support/ratio_reporter.h"
#include "model/common/app_paths.h"
#include "model/common/file_system.h"
#include "model/project/project_editing.h"
#include "model/project/project_file.h"
#include "model/settings/program_save_path.h"

namespace {

constexpr int kStarts = 10;  // in each repetition
constexpr int kProjectAreas = 100;
constexpr double kEmptyLimit = 4;
constexpr double kProjectLimit = 6;

struct Setting {
  VirtualDisplay* display = nullptr;
  QString work;  // the benchmark's temporary folder
  bool homesMade = false;
  int runtimeFolders = 0;
};
Setting setting;

enum class Home { None, Empty, Project };

QString HomeFolder(Home home) {
  return setting.work + (home == Home::Project ? QStringLiteral("/project-home/")
                                               : QStringLiteral("/empty-home/"));
}

// A program folder with the program's language files and data beside it.
bool MakeHome(const QString& home) {
  const QString programFolder = QCoreApplication::applicationDirPath();
  return QDir().mkpath(home) &&
         QFile::link(programFolder + QStringLiteral("/language"),
                     home + QStringLiteral("language")) &&
         QFile::link(programFolder + QStringLiteral("/Data"), home + QStringLiteral("Data"));
}

// The project home holds a saved project of kProjectAreas areas, which the program
// loads at start.
bool MakeProjectHome() {
  const QString home = HomeFolder(Home::Project);
  if (!MakeHome(home)) return false;
  qputenv("QUENDRA_HOME", QFile::encodeName(home));
  const QString path = AppFilePath(AppFolder::Project, QStringLiteral("bench.kqprj"));
  bool made = CreateDirTree(AppFolderPath(AppFolder::UserData)) &&
              CreateDirTree(AppFolderPath(AppFolder::Project));
  if (made) {
    BuildBenchProject(kProjectAreas);
    made = SaveProjectXml(path) == 1 && SetProgramSavePath(path);
    ClearProjectModel();
  }
  qunsetenv("QUENDRA_HOME");
  return made;
}

// The environment of one start: X11, and for Quendra its program folder and a fresh
// runtime folder of its own; none when that folder cannot be made.
std::optional<std::vector<std::string>> StartEnvironment(Home home) {
  const QString runtime =
      setting.work + QStringLiteral("/runtime-%1").arg(++setting.runtimeFolders);
  if (::mkdir(QFile::encodeName(runtime).constData(), 0700) != 0) return std::nullopt;
  std::vector<std::string> env{"QT_QPA_PLATFORM=xcb", "XDG_RUNTIME_DIR=" + runtime.toStdString(),
                               "XDG_DATA_HOME=" + (setting.work + "/data").toStdString(),
                               "XDG_CONFIG_HOME=" + (setting.work + "/config").toStdString()};
  if (home != Home::None) env.push_back("QUENDRA_HOME=" + HomeFolder(home).toStdString());
  return env;
}

// One start of program; negative seconds when it could not be made or showed no window.
VirtualDisplay::Start StartOnce(const std::string& program, Home home) {
  const std::optional<std::vector<std::string>> env = StartEnvironment(home);
  return env ? setting.display->StartToWindow(program, *env) : VirtualDisplay::Start{};
}

void StartToWindow(benchmark::State& state, const char* program, Home home) {
  if (setting.display == nullptr || !setting.display->Ready()) {
    return state.SkipWithError("no virtual display");
  }
  if (home != Home::None && !setting.homesMade) {
    return state.SkipWithError("the program folders could not be made");
  }
  const std::string path = (QCoreApplication::applicationDirPath() + '/' + program).toStdString();
  VirtualDisplay::Start start = StartOnce(path, home);
  for (auto _ : state) {
    start = StartOnce(path, home);
    if (start.seconds < 0) return state.SkipWithError("no window came up");
    state.SetIterationTime(start.seconds);
  }
  state.counters["libraries"] = start.libraries;
  state.counters["ffmpeg_libraries"] = start.ffmpegLibraries;
}

BENCHMARK_CAPTURE(StartToWindow, minimal_qt, "minimal_qt_window", Home::None)
    ->UseManualTime()
    ->Iterations(kStarts)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(StartToWindow, quendra_empty, "Quendra", Home::Empty)
    ->UseManualTime()
    ->Iterations(kStarts)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(StartToWindow, quendra_100_areas, "Quendra", Home::Project)
    ->UseManualTime()
    ->Iterations(kStarts)
    ->Unit(benchmark::kMillisecond);

std::string RunName(const char* name) {
  return std::string("StartToWindow/") + name + "/iterations:" + std::to_string(kStarts) +
         "/manual_time";
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  QTemporaryDir work;
  setting.work = work.path();
  setting.homesMade = MakeHome(HomeFolder(Home::Empty)) && MakeProjectHome();
  VirtualDisplay display;
  setting.display = &display;
  return RunGoalBenchmarks(argc, argv, [](RatioReporter& reporter) {
    reporter.Goal("start_to_window_vs_minimal_qt",
                  reporter.Ratio(RunName("quendra_empty"), RunName("minimal_qt")), kEmptyLimit);
    reporter.Goal("start_to_window_with_100_areas_vs_minimal_qt",
                  reporter.Ratio(RunName("quendra_100_areas"), RunName("minimal_qt")),
                  kProjectLimit);
  });
}
