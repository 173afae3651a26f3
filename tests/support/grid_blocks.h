#pragma once
// Checks that a grid's merged blocks are consistent: every block lies inside the grid,
// no two overlap, every cell of an origin's block is a member naming that origin, and
// every member names an origin whose block contains it. Header only: a test that uses
// it links the grid model itself.

#include <QString>

#include <vector>

#include "controls/grid/model/grid_model.h"

namespace grid_test {

// An empty text when the blocks are consistent, else the first fault found.
inline QString BlockFault(const GridModel& grid) {
  const int rows = grid.GetRowCount();
  const int cols = grid.GetColumnCount();
  std::vector<int> owner(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols), 0);
  int blockNumber = 0;
  const auto at = [](int row, int col) { return QStringLiteral(" at (%1, %2)").arg(row).arg(col); };
  for (int row = 0; row < rows; ++row) {
    for (int col = 0; col < cols; ++col) {
      const CGridCellBase* cell = grid.GetCell(row, col);
      if (cell == nullptr || cell->IsMergedIntoOther()) continue;
      const CCellBlock block = cell->GetMergeRange();
      if (!block.SpansCells()) {
        if (!cell->IsNotMerged())
          return QStringLiteral("member flag without a block") + at(row, col);
        continue;
      }
      if (block.minRow != row || block.minCol != col || block.maxRow >= rows ||
          block.maxCol >= cols || !IsCellRangeValid(block)) {
        return QStringLiteral("block not at its origin or outside the grid") + at(row, col);
      }
      ++blockNumber;
      for (int r = block.minRow; r <= block.maxRow; ++r) {
        for (int c = block.minCol; c <= block.maxCol; ++c) {
          int& slot = owner[static_cast<std::size_t>(r) * static_cast<std::size_t>(cols) +
                            static_cast<std::size_t>(c)];
          if (slot != 0) return QStringLiteral("blocks overlap") + at(r, c);
          slot = blockNumber;
          const CGridCellBase* member = grid.GetCell(r, c);
          if (member == nullptr || member->IsNotMerged()) {
            return QStringLiteral("block cell not a member") + at(r, c);
          }
          if ((r != row || c != col) &&
              (!member->IsMergedIntoOther() || member->GetMergeOrigin() != CCellID(row, col) ||
               member->GetMergeRange().SpansCells())) {
            return QStringLiteral("member does not name its origin") + at(r, c);
          }
        }
      }
    }
  }
  // Every cell that names an origin lies in that origin's block.
  for (int row = 0; row < rows; ++row) {
    for (int col = 0; col < cols; ++col) {
      const CGridCellBase* cell = grid.GetCell(row, col);
      if (cell == nullptr || !cell->IsMergedIntoOther()) continue;
      const CCellID origin = cell->GetMergeOrigin();
      const CGridCellBase* head = grid.GetCell(origin.row, origin.col);
      if (head == nullptr || !head->GetMergeRange().Contains(row, col) ||
          owner[static_cast<std::size_t>(row) * static_cast<std::size_t>(cols) +
                static_cast<std::size_t>(col)] == 0) {
        return QStringLiteral("member outside its origin's block") + at(row, col);
      }
    }
  }
  return {};
}

// The blocks as the table file stores them: each origin's (row, column, rows, columns).
struct StoredBlock {
  int row;
  int col;
  int rows;
  int cols;
  friend bool operator==(const StoredBlock&, const StoredBlock&) = default;
};

inline std::vector<StoredBlock> StoredBlocks(const GridModel& grid) {
  std::vector<StoredBlock> blocks;
  for (int row = 0; row < grid.GetRowCount(); ++row) {
    for (int col = 0; col < grid.GetColumnCount(); ++col) {
      const CGridCellBase* cell = grid.GetCell(row, col);
      if (cell == nullptr || !cell->GetMergeRange().SpansCells()) continue;
      const CCellBlock block = cell->GetMergeRange();
      blocks.push_back(
          {row, col, block.maxRow - block.minRow + 1, block.maxCol - block.minCol + 1});
    }
  }
  return blocks;
}

}  // namespace grid_test
