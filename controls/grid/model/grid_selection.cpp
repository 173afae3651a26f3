// The grid's hit tests and its selection: which cell lies under a point, and which cells
// are selected (the selected-cell set, kept in step with the cells' selected bits).
#include <algorithm>
#include <cstdint>
#include <vector>

#include "controls/grid/model/grid_model.h"

namespace {

// The index whose span holds v: from `first`, starting at `start`, adding sizes until the
// sum exceeds v; -1 when the indexes run out.
int IndexAt(const GridModel& grid, bool rows, int v, int first, std::int64_t start) {
  const int count = rows ? grid.GetRowCount() : grid.GetColumnCount();
  for (int i = std::max(first, 0); i < count; ++i) {
    start += rows ? grid.GetRowHeight(i) : grid.GetColumnWidth(i);
    if (start > v) return i;
  }
  return -1;
}

}  // namespace

// ------------------------------------------------------------------ hit tests

CCellID GridModel::GetCellFromPoint(QPoint point, bool allowFixed) {
  const CCellID topLeft = GetFirstVisibleCell();
  if (!allowFixed && !IsValid(topLeft)) return {};
  const int fixedWidth = GetFixedColumnWidth();
  const int fixedHeight = GetFixedRowHeight();
  auto index = [&](bool rows, int v, int fixedSize, int first) {
    if (v < 0 || (!allowFixed && v < fixedSize)) return -1;
    return v < fixedSize ? IndexAt(*this, rows, v, 0, 0)
                         : IndexAt(*this, rows, v, first, fixedSize);
  };
  CCellID cell(index(true, point.y(), fixedHeight, topLeft.row),
               index(false, point.x(), fixedWidth, topLeft.col));
  if (const CGridCellBase* stored = StoredCell(cell.row, cell.col);
      stored != nullptr && stored->IsMergedIntoOther()) {
    cell = stored->GetMergeOrigin();
  }
  return cell;
}

bool GridModel::IsOverRowDivider(QPoint point) {
  if (point.x() >= GetFixedColumnWidth()) return false;
  const CCellID cell = GetCellFromPoint(point, true);
  QPoint origin;
  if (!GetCellOrigin(cell.row, cell.col, &origin)) return false;
  return (point.y() < origin.y() + kResizeCaptureRange && cell.row != 0) ||
         point.y() > origin.y() + GetMergedHeight(cell.row, cell.col) - kResizeCaptureRange;
}

bool GridModel::IsOverColumnDivider(QPoint point) {
  if (point.y() >= GetFixedRowHeight()) return false;
  const CCellID cell = GetCellFromPoint(point, true);
  QPoint origin;
  if (!GetCellOrigin(cell.row, cell.col, &origin)) return false;
  return (point.x() < origin.x() + kResizeCaptureRange && cell.col != 0) ||
         point.x() > origin.x() + GetMergedWidth(cell.row, cell.col) - kResizeCaptureRange;
}

// ------------------------------------------------------------------ selection

bool GridModel::IsCellSelected(int row, int col) const {
  if (!enableSelection_) return false;
  if (virtualMode_) return selectedCells_.contains(CCellID(row, col));
  return (GetCellState(row, col) & GVIS_SELECTED) != 0;
}

void GridModel::SetSelectedBit(int row, int col, bool selected) {
  const std::uint32_t state = GetCellState(row, col);
  (void)SetCellState(
      row, col,
      selected ? state | GVIS_SELECTED
               : state & ~GVIS_SELECTED);  // the selected set changes even where no cell is stored
}

void GridModel::RedrawSelectionCell(int row, int col, bool forceRepaint) {
  PixelRect rect;
  if (!forceRepaint) {
    RedrawCell(row, col);
  } else if (CellRedrawRect(row, col, &rect)) {
    RepaintRect({rect.left, rect.top, rect.right + 1, rect.bottom + 1});
  }
}

void GridModel::SetSelectedRange(int minRow, int minCol, int maxRow, int maxCol, bool forceRepaint,
                                 bool select) {
  if (!enableSelection_) return;
  ShowWaitCursor(true);
  struct CursorGuard {
    GridModel* grid;
    ~CursorGuard() { grid->ShowWaitCursor(false); }
  } guard{this};
  const CCellBlock visible = HasWindow() ? GetVisibleCellBlock() : CCellBlock();
  auto inVisible = [&](const CCellID& cell) {
    return IsCellRangeValid(visible) && visible.Contains(cell.row, cell.col);
  };
  for (int* bound : {&minRow, &maxRow}) {
    if (*bound >= 0 && *bound < fixedRows_) *bound = fixedRows_;
  }
  for (int* bound : {&minCol, &maxCol}) {
    if (*bound >= 0 && *bound < fixedCols_) *bound = fixedCols_;
  }
  const CCellBlock range(minRow, minCol, maxRow, maxCol);
  const bool allBounds = minRow >= 0 && minCol >= 0 && maxRow >= 0 && maxCol >= 0;
  if (select) {
    // Copied: clearing a bit removes the cell from the set.
    for (const CCellID& cell : std::vector<CCellID>(selectedCells_.begin(), selectedCells_.end())) {
      if (!IsValid(cell)) {
        selectedCells_.erase(cell);
        continue;
      }
      SetSelectedBit(cell.row, cell.col, false);
      if (!range.Contains(cell.row, cell.col) && inVisible(cell)) {
        RedrawSelectionCell(cell.row, cell.col, forceRepaint);
      }
    }
    if (!(listMode_ && singleRowSelection_)) {
      if (minRow < 0) return;
      for (const CCellID& cell : allBounds ? prevSelectedCells_ : std::set<CCellID>()) {
        if (!IsValid(cell)) continue;
        SetSelectedBit(cell.row, cell.col, true);
        RedrawSelectionCell(cell.row, cell.col, forceRepaint);
      }
    }
  }
  if (!IsCellRangeValid(range) || maxRow >= rowCount_ || maxCol >= colCount_) return;
  for (int row = minRow; row <= maxRow; ++row) {
    for (int col = minCol; col <= maxCol; ++col) {
      if (selectedCells_.contains(CCellID(row, col)) == select) continue;
      SetSelectedBit(row, col, select);
      if (inVisible(CCellID(row, col))) RedrawSelectionCell(row, col, forceRepaint);
    }
  }
}

void GridModel::SelectAllCells() {
  if (enableSelection_) SetSelectedRange(fixedRows_, fixedCols_, rowCount_ - 1, colCount_ - 1);
}

void GridModel::SelectColumns(const CCellID& cell) {
  if (!enableSelection_ || !IsValid(cell) || cell.col < fixedCols_) return;
  const int first = singleColSelection_ ? cell.col : std::min(selectionStartCell_.col, cell.col);
  const int last = singleColSelection_ ? cell.col : std::max(selectionStartCell_.col, cell.col);
  SetSelectedRange(fixedRows_, first, rowCount_ - 1, last);
}

void GridModel::SelectRows(const CCellID& cell, bool forceRepaint, bool select) {
  if (!enableSelection_ || !IsValid(cell) || cell.row < fixedRows_) return;
  const bool single = listMode_ && singleRowSelection_;
  const int first = single ? cell.row : std::min(selectionStartCell_.row, cell.row);
  const int last = single ? cell.row : std::max(selectionStartCell_.row, cell.row);
  SetSelectedRange(first, fixedCols_, last, colCount_ - 1, forceRepaint, select);
}

void GridModel::SelectCells(const CCellID& cell, bool forceRepaint, bool select) {
  if (!enableSelection_ || !IsValid(cell) || cell.row < fixedRows_ || cell.col < fixedCols_) {
    return;
  }
  const CCellID& start = selectionStartCell_;
  SetSelectedRange(std::min(start.row, cell.row), std::min(start.col, cell.col),
                   std::max(start.row, cell.row), std::max(start.col, cell.col), forceRepaint,
                   select);
}

void GridModel::ExtendSelectionTo(const CCellID& cell) {
  switch (mouseMode_) {
    case MOUSE_SELECT_ALL: SelectAllCells(); break;
    case MOUSE_SELECT_COL: SelectColumns(cell); break;
    case MOUSE_SELECT_ROW: SelectRows(cell); break;
    case MOUSE_SELECT_CELLS: SelectCells(cell); break;
    default: break;
  }
}

void GridModel::ClearSelection() {
  prevSelectedCells_.clear();
  SetSelectedRange(-1, -1, -1, -1);
  SetFocusCell(-1, -1);
}

CCellBlock GridModel::GetSelectionBounds() const {
  CCellBlock bounds(rowCount_, colCount_, -1, -1);
  for (const CCellID& cell : selectedCells_) {
    bounds.minRow = std::min(bounds.minRow, cell.row);
    bounds.minCol = std::min(bounds.minCol, cell.col);
    bounds.maxRow = std::max(bounds.maxRow, cell.row);
    bounds.maxCol = std::max(bounds.maxCol, cell.col);
  }
  return bounds;
}
