#pragma once
// The table renderer: the table file of a table page drawn into its frame file, one
// frame per page of rows.

#include "model/project/area_items.h"

// Renders "UserData/<guid>.kqg" of the page into "Temp/<guid>.pak" at the inner size
// width x height: BackColor 0, LastExtent width. The columns drawn are the longest run
// from the left that fits the width (else the first alone), centred; rows fill pages
// from the top, and a row taller than the page gets a page of its own, cut at the
// bottom. The outline and grid lines take the item's LineColor; each visible cell is
// filled with its back colour inside the lines and its text drawn aliased, aligned by
// its format bits 0x1 (centre), 0x2 (right) and 0x4 (centre vertically), wrapped at
// words and clipped to the cell. A table file that is missing, not a table or damaged
// gives one black frame. Returns the number of frames written; 0 when the item's GUID
// text is not one, the size is not a picture size, or the frame file cannot be written
// (it is then removed). GUI thread only (fonts).
[[nodiscard]] int RenderTablePak(const FileItem& item, int width, int height);
