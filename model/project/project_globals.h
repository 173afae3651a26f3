#pragma once
// The globals of the project model and of the views that point into it. They are
// read and changed on the GUI thread only. Whoever frees records clears the entries
// that point at them first (project_editing.h does so for every record it frees).

#include <cstdint>
#include <list>
#include <vector>

#include "model/project/project_records.h"
#include "model/project/screen_group.h"
#include "model/project/send_job.h"

// The screens in tree order. A linked list, so that an element's address stays valid
// while it is in the list: programs, areas and tree items point at it.
extern std::list<ScreenRecord> ScreenList;

extern std::list<ScreenGroup> ScreenGroupList;

// The reference of the selected tree item, or null. Written by the tree's selection
// handler.
extern TreeItemRef* CurrentSelection;

// LedNo of the current screen.
extern std::int32_t CurrentScreenNo;

// The programs the preview plays, from head to end.
extern std::vector<ProgramSendItem> PlayList;

// The areas of the program on the preview canvas, in drawing order (last on top).
extern std::vector<AreaRecord*> CanvasAreaList;

// The colour picker's palette: 1 single colour, 2 two colours.
extern std::int32_t PaletteKind;

// Sets PaletteKind from a screen's colour type: 0 gives 1, 1 gives 2; any other type
// leaves it unchanged.
void UpdatePaletteKind(std::int32_t ledColor);
