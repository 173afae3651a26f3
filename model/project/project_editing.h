#pragma once
// Adding and removing programs and areas, and emptying screens and the project. Each
// is the model half of a project-tree operation: the view updates its items after
// the model call. Every call that frees records first clears CurrentSelection and
// drops the CanvasAreaList and PlayList entries that point at them, so no global is
// left pointing at a freed record (the view's items that show them go next).

#include <cstdint>

#include "model/project/project_records.h"

// Appends a zero-filled program to the screen: number the count of the screen's
// programs + 1, name the language text 1009 of IDD_MAIN_DIALOG followed by that
// number (cut to the name's capacity).
ProgramRecord& AddProgram(ScreenRecord& screen);

// Appends a zero-filled area of the given kind (1-7) to the program: number the
// highest AreaNo of the program + 1, a kind record of its kind, and fresh GUID texts
// for the area and, for a single-line area, its text. Returns null, adding nothing,
// for any other kind.
AreaRecord* AddArea(ProgramRecord& program, std::int32_t areaType);

// Frees an area of its program. False when the area is not in its owner program.
[[nodiscard]] bool RemoveArea(AreaRecord& area);

// Frees a program of its screen with its areas. False when the program is not in
// its owner screen.
[[nodiscard]] bool RemoveProgram(ProgramRecord& program);

// Swaps a program with its previous (up) or next sibling in its screen's list, or an
// area within its program's list. False, changing nothing, when there is no such
// neighbour or the record is not in its owner's list.
[[nodiscard]] bool MoveProgram(ProgramRecord& program, bool up);
[[nodiscard]] bool MoveArea(AreaRecord& area, bool up);

// Frees every program and area of the screen; the screen stays in ScreenList.
void ClearScreenPrograms(ScreenRecord& screen);

// Removes a screen from ScreenList with everything it owns. False when it is not in
// the list.
[[nodiscard]] bool RemoveScreen(ScreenRecord& screen);

// Frees every screen, program and area and empties ScreenList and ScreenGroupList.
// CurrentScreenNo stays as it is.
void ClearProjectModel();
