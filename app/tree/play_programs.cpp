#include "app/tree/play_programs.h"

#include "model/project/project_globals.h"
#include "model/project/selection.h"

namespace {

void AppendPlayProgram(ProgramRecord& program) {
  ProgramSendItem item{&program, {}};
  for (const auto& area : program.Areas) item.Areas.push_back(area.get());
  PlayList.push_back(std::move(item));
}

}  // namespace

int CollectPlayPrograms(const TreeItemRef* selection, int flag) {
  PlayList.clear();
  if (!selection) return 0;
  if (flag == 1) {
    ProgramRecord* program = selection->Program();
    if (const AreaRecord* area = selection->Area()) program = area->OwnerProgram;
    if (!program) return 0;
    AppendPlayProgram(*program);
    return 1;
  }
  ScreenRecord* screen = ScreenOf(*selection);
  if (!screen || screen->Programs.empty()) return 0;
  for (const auto& program : screen->Programs) AppendPlayProgram(*program);
  return 1;
}
