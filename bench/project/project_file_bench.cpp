// Saves and loads a project of 20 screens x 10 programs x 5 areas (1,000 areas): a
// single-line area and an image-text area of two pages with embedded rich-text
// sources, a digital clock, a flash-word area and a files area per program. The
// program folder is a temporary folder.
#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>

#include "model/common/app_paths.h"
#include "model/common/bounded_text.h"
#include "model/common/file_system.h"
#include "model/common/guid_text.h"
#include "model/project/project_editing.h"
#include "model/project/project_file.h"
#include "model/project/project_globals.h"

namespace {

constexpr int kScreens = 20;
constexpr int kProgramsPerScreen = 10;
constexpr int kSourceBytes = 2000;  // each embedded rich-text file, before Base64

void WriteSource(const char16_t* guid) {
  QFile file(AppFilePath(AppFolder::UserData, ReadBoundedText(guid, kNameCapacity) + QStringLiteral(".rtf")));
  if (file.open(QIODevice::WriteOnly)) file.write(QByteArray(kSourceBytes, 'r'));
}

void AddPrograms(ScreenRecord& screen) {
  for (int p = 0; p < kProgramsPerScreen; ++p) {
    ProgramRecord& program = AddProgram(screen);
    program.CheckState = p % 2;
    for (std::int32_t kind : {kSingleLineArea, kImageTextArea, kDigitalClockArea, kFlashWordArea, kFilesArea}) {
      AreaRecord* area = AddArea(program, kind);
      if (auto* info = std::get_if<SingleLineAreaInfo>(&area->Kind)) WriteSource(info->guid);
      if (auto* pages = std::get_if<std::vector<FileItem>>(&area->Kind)) {
        for (int i = 0; i < 2; ++i) {
          FileItem page{};
          CopyBoundedText(page.guid, NewGuidText());
          WriteSource(page.guid);
          pages->push_back(page);
        }
      }
      if (auto* words = std::get_if<std::vector<FlashWordItem>>(&area->Kind)) {
        FlashWordItem word{};
        word.ShowStr = QStringLiteral("Welcome");
        CopyBoundedText(word.guid, NewGuidText());
        words->push_back(word);
      }
      if (auto* files = std::get_if<std::vector<FileAreaItem>>(&area->Kind)) {
        FileAreaItem file{};
        CopyBoundedText(file.FilePath, u"/media/picture.png");
        CopyBoundedText(file.Guid, NewGuidText());
        files->push_back(file);
      }
    }
  }
}

void BuildProject() {
  ClearProjectModel();
  for (int s = 0; s < kScreens; ++s) {
    ScreenRecord& screen = ScreenList.emplace_back();
    CopyBoundedText(screen.LedName, QStringLiteral("LED%1").arg(s + 1));
    screen.LedNo = s + 1;
    screen.LedWidth = 512;
    screen.LedHeight = 32;
    AddPrograms(screen);
  }
}

QString ProjectPath() { return AppFilePath(AppFolder::Project, u"bench.kqprj"); }

void BM_SaveProject(benchmark::State& state) {
  BuildProject();
  for (auto _ : state) {
    if (SaveProjectXml(ProjectPath()) != 1) state.SkipWithError("save failed");
  }
  state.counters["bytes"] = static_cast<double>(QFileInfo(ProjectPath()).size());
}
BENCHMARK(BM_SaveProject)->Unit(benchmark::kMillisecond);

void BM_LoadProject(benchmark::State& state) {
  BuildProject();
  if (SaveProjectXml(ProjectPath()) != 1) state.SkipWithError("save failed");
  for (auto _ : state) {
    ClearProjectModel();
    if (LoadProjectXml(ProjectPath()) != 1) state.SkipWithError("load failed");
  }
  ClearProjectModel();
}
BENCHMARK(BM_LoadProject)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  QTemporaryDir home;
  qputenv("QUENDRA_HOME", QFile::encodeName(home.path() + QLatin1Char('/')));
  if (!CreateDirTree(AppFolderPath(AppFolder::UserData)) ||
      !CreateDirTree(AppFolderPath(AppFolder::Project))) {
    return 1;
  }
  std::printf("Project: %d screens x %d programs x 5 areas, %d-byte embedded sources\n", kScreens,
              kProgramsPerScreen, kSourceBytes);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
