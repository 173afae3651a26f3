#include "model/project/selection.h"

#include "model/project/project_globals.h"

ScreenRecord* ScreenOf(const TreeItemRef& item) {
  if (ScreenRecord* screen = item.Screen()) return screen;
  if (const ProgramRecord* program = item.Program()) return program->OwnerScreen;
  if (const AreaRecord* area = item.Area()) return area->OwnerScreen;
  return nullptr;
}

void SelectTreeItem(TreeItemRef* item) {
  CurrentSelection = item;
  const ScreenRecord* screen = item ? ScreenOf(*item) : nullptr;
  if (!screen) return;
  CurrentScreenNo = screen->LedNo;
  UpdatePaletteKind(screen->LedColor);
}
