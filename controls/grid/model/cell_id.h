#pragma once
// A cell's place in a grid and a rectangle of cells. The table file and its renderer
// use them as well as the grid.

#include <compare>

struct CCellID {
  int row = -1;
  int col = -1;

  CCellID() = default;
  CCellID(int r, int c) : row(r), col(c) {}

  friend bool operator==(const CCellID&, const CCellID&) = default;
  friend auto operator<=>(const CCellID&, const CCellID&) = default;
};

// Minimum row, minimum column, maximum row, maximum column; -1 in any of them means
// that there is no range.
struct CCellBlock {
  int minRow = -1;
  int minCol = -1;
  int maxRow = -1;
  int maxCol = -1;

  CCellBlock() = default;
  CCellBlock(int r0, int c0, int r1, int c1) : minRow(r0), minCol(c0), maxRow(r1), maxCol(c1) {}

  bool Contains(int row, int col) const {
    return minRow <= row && row <= maxRow && minCol <= col && col <= maxCol;
  }
  // True when the block spans two cells or more (a merged block's origin holds one).
  bool SpansCells() const {
    return minRow >= 0 && minCol >= 0 && (maxRow - minRow + 1) * (maxCol - minCol + 1) >= 2;
  }

  friend bool operator==(const CCellBlock&, const CCellBlock&) = default;
};

// True when all four bounds are 0 or more and each minimum is not above its maximum.
inline bool IsCellRangeValid(const CCellBlock& range) {
  return range.minRow >= 0 && range.minCol >= 0 && range.maxRow >= 0 && range.maxCol >= 0 &&
         range.minRow <= range.maxRow && range.minCol <= range.maxCol;
}
