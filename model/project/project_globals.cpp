#include "model/project/project_globals.h"

std::list<ScreenRecord> ScreenList;
std::list<ScreenGroup> ScreenGroupList;
TreeItemRef* CurrentSelection = nullptr;
std::int32_t CurrentScreenNo = 0;
std::vector<ProgramSendItem> PlayList;
std::vector<AreaRecord*> CanvasAreaList;
// Two colours until a screen says otherwise, as the main window starts.
std::int32_t PaletteKind = 2;

void UpdatePaletteKind(std::int32_t ledColor) {
  if (ledColor == 0) PaletteKind = 1;
  if (ledColor == 1) PaletteKind = 2;
}
