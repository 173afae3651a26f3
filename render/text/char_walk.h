#pragma once
// The character walk the rich-text renderers share: one cell per character (a
// surrogate pair is one character) in text order, each measured in its own format
// by the rich text's own measure, so the renderers draw what the lines were broken
// by; and the runs of cells that draw in one call.

#include <cstddef>
#include <vector>

#include "render/text/char_cell.h"
#include "render/text/rich_text.h"

enum class WalkKind {
  kPage,  // paragraph marks and tabs have the cell height of their font
  // Paragraph marks and tabs have cell height 0, so the text is one line; the mark
  // that ends a table cell, not its row, is a tab, as the cells of a row stood apart.
  kSingleLine,
};

// Walks were given up when a cell would start this far right.
constexpr int kMaxWalkWidth = 1 << 30;

// The cells of [start, end) of text, the first at x 0, each at the end of the one
// before; a tab reaches the next multiple of 48 pixels; a picture wider than
// widthLimit is scaled down to it. False when the text is wider than kMaxWalkWidth.
[[nodiscard]] bool WalkCells(RichText& text, int start, int end, WalkKind kind,
                             std::vector<RtfCharCell>& cells, int widthLimit = kMaxWalkWidth);

// The cell of the paragraph mark at pos (a line of no characters), at x 0.
RtfCharCell WalkMark(RichText& text, int pos);

// Where the cells of a walk end: X + Width of the last one, 0 for none.
int CellsEnd(const std::vector<RtfCharCell>& cells);

// The UTF-16 units of text a cell of a walk stands for: those of its Text, one for a
// tab, a paragraph mark or a line break.
int CellLength(const RtfCharCell& cell);

// Cells [first, last) of one run: neighbours of the same format (IsSameCharFormat);
// a cell without text (a tab, a paragraph mark) is a run of its own.
struct CellRun {
  std::size_t first;
  std::size_t last;
};
std::vector<CellRun> SplitRuns(const std::vector<RtfCharCell>& cells, std::size_t first,
                               std::size_t last);
