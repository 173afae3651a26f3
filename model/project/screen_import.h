#pragma once
// Moving a screen read from a single-screen file into the project, in place of the
// current screen or as a new screen, and freeing what a screen branch or an import
// record owns. These are the model halves: every record freed is first dropped from
// CurrentSelection, CanvasAreaList and PlayList; afterwards the view rebuilds the
// screen's branch from the model (program items checked by CheckState, then their
// area items), expands it and selects the screen item, which runs the selection
// handler.

#include "model/project/project_records.h"
#include "model/project/screen_file.h"

// Frees every program and area of the screen that a screen item shows; the screen
// stays in ScreenList. False, nothing freed, for a reference that is not a screen's.
[[nodiscard]] bool FreeScreenBranch(const TreeItemRef& screenItem);

// Frees the import record's screen with the programs and areas it still owns (none
// once merged). Returns 1.
[[nodiscard]] int FreeImportedScreen(ScreenImport& import);

// Replaces the screen whose LedNo is CurrentScreenNo with the imported one: its
// programs and areas are freed, it takes every setting from LedName through
// IsShowLogoNoProgram from the import except LedNo and its tree item, keeps its boot
// logo (rectangle, both flags, entries), and the imported programs move under it in
// order.
// Returns 1; 0, changing nothing, when nothing was read or there is no such screen.
// The import record keeps its screen's settings, without programs.
[[nodiscard]] int ReplaceCurrentScreen(ScreenImport& import);

// Appends the imported screen with its programs to ScreenList as a new screen: its
// LedNo one above the highest in ScreenList, the imported number included; the logo
// rectangle at the right end of the screen (64 x 32 at most), both logo flags on,
// no logo entries and no tree item yet. Returns 1; 0 when nothing was read. The
// import record keeps its screen's settings, without programs.
[[nodiscard]] int AppendImportedScreen(ScreenImport& import);
