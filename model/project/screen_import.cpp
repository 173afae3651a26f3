#include "model/project/screen_import.h"

#include <algorithm>
#include <tuple>
#include <utility>

#include "model/project/numbering.h"
#include "model/project/project_editing.h"
#include "model/project/project_file_reader.h"
#include "model/project/project_globals.h"

namespace {

// Copies every setting of `from` into `to`; the logo entries and programs of both
// stay where they are. All other fields are plain data, which a move copies.
void CopyScreenSettings(ScreenRecord& to, ScreenRecord& from) {
  std::vector<FileItem> toLogos = std::move(to.LogoFiles);
  ProgramList toPrograms = std::move(to.Programs);
  std::vector<FileItem> fromLogos = std::move(from.LogoFiles);
  ProgramList fromPrograms = std::move(from.Programs);
  to = std::move(from);
  from.LogoFiles = std::move(fromLogos);
  from.Programs = std::move(fromPrograms);
  to.LogoFiles = std::move(toLogos);
  to.Programs = std::move(toPrograms);
}

// Moves the programs of `from` to the end of the screen's and points their and their
// areas' owner links at their new place.
void AdoptPrograms(ScreenRecord& screen, ScreenRecord& from) {
  for (auto& program : from.Programs) {
    program->OwnerScreen = &screen;
    for (auto& area : program->Areas) {
      area->OwnerProgram = program.get();
      area->OwnerScreen = &screen;
    }
    screen.Programs.push_back(std::move(program));
  }
  from.Programs.clear();
}

}  // namespace

bool FreeScreenBranch(const TreeItemRef& screenItem) {
  ScreenRecord* screen = screenItem.Screen();
  if (screen == nullptr) return false;
  ClearScreenPrograms(*screen);
  return true;
}

int FreeImportedScreen(ScreenImport& import) {
  import.Screen.reset();
  return 1;
}

int ReplaceCurrentScreen(ScreenImport& import) {
  if (!import.Screen) return 0;
  const auto current =
      std::find_if(ScreenList.begin(), ScreenList.end(),
                   [](const ScreenRecord& s) { return s.LedNo == CurrentScreenNo; });
  if (current == ScreenList.end()) return 0;
  ScreenRecord& screen = *current;
  ClearScreenPrograms(screen);
  // A replaced screen keeps its number, its tree item and its boot logo: the file
  // carries no logo, so taking its flags would switch off the logo the screen keeps.
  auto keptFields = [](ScreenRecord& s) {
    return std::tie(s.LedNo, s.TreeItem, s.LogoLeft, s.LogoTop, s.LogoRight, s.LogoBottom,
                    s.IsShowLogoStart, s.IsShowLogoNoProgram);
  };
  const std::tuple<std::int32_t, TreeItemHandle, std::int32_t, std::int32_t, std::int32_t,
                   std::int32_t, std::int32_t, std::int32_t>
      kept = keptFields(screen);
  CopyScreenSettings(screen, *import.Screen);
  keptFields(screen) = kept;
  AdoptPrograms(screen, *import.Screen);
  return 1;
}

int AppendImportedScreen(ScreenImport& import) {
  if (!import.Screen) return 0;
  ScreenRecord& screen = ScreenList.emplace_back();
  CopyScreenSettings(screen, *import.Screen);
  screen.TreeItem = nullptr;
  screen.LedNo = NextScreenNo();
  screen.LogoRight = 0;  // the default rectangle for the screen's size
  screen.LogoBottom = 0;
  ApplyLogoDefaults(screen);
  screen.IsShowLogoStart = 1;
  screen.IsShowLogoNoProgram = 1;
  AdoptPrograms(screen, *import.Screen);
  return 1;
}
