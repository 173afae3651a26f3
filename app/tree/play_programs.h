#pragma once
// Choosing the programs the preview plays.

#include "model/project/project_records.h"

// Fills PlayList from the selection, emptying it first. Flag 1: the selected program,
// or the program of the selected area, with its areas; 0 for a screen. Flag 0: every
// program of the selection's screen, whatever its check, each with its areas; 0 when
// the screen has no program. Model order throughout. Returns 1, or 0 with PlayList
// empty (also without a selection).
int CollectPlayPrograms(const TreeItemRef* selection, int flag);
