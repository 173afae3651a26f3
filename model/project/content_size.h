#pragma once
// The content (inner) size of an area: the size every renderer, player, editor and the
// program builder draw its content at, and so the size of its frame files.

#include "model/project/project_records.h"

struct ContentSize {
  int width = 1;
  int height = 1;
};

// The area's rectangle, less 2 x BorderWidth on each side's axis when IsUseBorder is
// set, each side at least 1. Computed in 64-bit arithmetic, so values from a file
// cannot overflow; a side too large for an int is clamped to the int range.
ContentSize AreaContentSize(const AreaRecord& area);
