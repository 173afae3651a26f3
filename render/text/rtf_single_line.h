#pragma once
// A page of the single-line renderer, for the renderer and its tests.

#include <cstddef>
#include <vector>

#include "render/text/cell_painter.h"
#include "render/text/char_cell.h"

// Draws cells [first, last) of a single line as one page of width x height: the
// characters centred as a whole horizontally (cut on both sides when wider than the
// page), each run centred vertically by its own cell height.
void DrawSingleLinePage(CellPainter& painter, const std::vector<RtfCharCell>& cells,
                        std::size_t first, std::size_t last, int width, int height);
