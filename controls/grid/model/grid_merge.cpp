// Autosizing, merged blocks and sorting. A merged block lives in its cells: the origin
// (top-left) cell holds the block, every other cell names the origin, and every cell of
// it carries the block-member flag. The operations here keep that consistent: blocks lie
// inside the grid, do not overlap, and move with their cells when the shape changes.
#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include <QStringView>

#include "controls/grid/model/grid_model.h"

namespace {

void ClearMergeFields(CGridCellBase& cell) {
  cell.SetMergeRange(CCellBlock());
  cell.SetMergeOrigin(-1, -1);
  cell.SetInMergedBlock(false);
}

// -1 or 1 at the first code unit (unsigned 16-bit) that differs, a prefix first; 0 when
// equal.
int CompareCodeUnits(QStringView left, QStringView right) {
  const auto [l, r] = std::mismatch(left.utf16(), left.utf16() + left.size(), right.utf16(),
                                    right.utf16() + right.size());
  const bool leftEnded = l == left.utf16() + left.size();
  const bool rightEnded = r == right.utf16() + right.size();
  if (leftEnded || rightEnded) return leftEnded == rightEnded ? 0 : (leftEnded ? -1 : 1);
  return *l < *r ? -1 : 1;
}

// Orders rows by a compare function of the sort column's cells; the pivot is the cell.
struct CellOrder {
  const GridModel& grid;
  GridCompareFunc compare;
  int col;
  LPARAM value;

  const CGridCellBase* Key(int row) const { return grid.GetCell(row, col); }
  int Compare(const CGridCellBase* a, const CGridCellBase* b) const { return compare(a, b, value); }
  void Exchange(int, int) {}
};

// The same order as CellOrder with CompareCellText, from the texts read once: each text
// travels with its row, and the pivot is a view of the pivot cell's text, whose buffer
// stays where it is while the strings are exchanged.
struct TextOrder {
  std::vector<QString> texts;
  int first;

  QStringView Key(int row) const { return texts[static_cast<std::size_t>(row - first)]; }
  static int Compare(QStringView a, QStringView b) { return CompareCodeUnits(a, b); }
  void Exchange(int a, int b) {
    std::swap(texts[static_cast<std::size_t>(a - first)],
              texts[static_cast<std::size_t>(b - first)]);
  }
};

// Once rows have been sorted, the cells of consecutive rows lie anywhere in memory, and
// a walk over them would wait for memory at every cell. The walk asks for the cells
// kAheadRows rows on, and for the cell arrays of the rows twice as far, so that those
// waits overlap.
constexpr std::size_t kAheadRows = 4;

// Calls visit(row, col, cell) for every stored cell of rows low to high, row by row,
// until it returns false; false then.
template <typename Rows, typename Visit>
bool VisitCells(const Rows& rows, int low, int high, Visit visit) {
  const std::size_t first = static_cast<std::size_t>(std::max(low, 0));
  const std::size_t end = high < 0 ? 0 : std::min(static_cast<std::size_t>(high) + 1, rows.size());
  for (std::size_t row = first; row < end; ++row) {
    if (row + 2 * kAheadRows < end) __builtin_prefetch(rows[row + 2 * kAheadRows].data());
    if (row + kAheadRows < end) {
      for (const auto& cell : rows[row + kAheadRows]) __builtin_prefetch(cell.get());
    }
    const auto& cells = rows[row];
    for (std::size_t col = 0; col < cells.size(); ++col) {
      if (cells[col] != nullptr &&
          !visit(static_cast<int>(row), static_cast<int>(col), *cells[col])) {
        return false;
      }
    }
  }
  return true;
}

}  // namespace

int CompareCellText(const CGridCellBase* a, const CGridCellBase* b, LPARAM) {
  return a != nullptr && b != nullptr ? CompareCodeUnits(a->GetText(), b->GetText()) : 0;
}

// ------------------------------------------------------------------ autosizing

bool GridModel::AutoSizeColumn(int col, int style) {
  if (col < 0 || col >= colCount_ || GetColumnWidth(col) <= 0) return false;
  if (style == 0) style = autoSizeStyle_;
  const int first = (style & 1) != 0 ? 0 : fixedRows_;
  const int last = (style & 2) != 0 ? rowCount_ - 1 : fixedRows_ - 1;
  if (virtualMode_) SendCacheHintToParent(CCellBlock(first, col, last, col));
  int width = 0;
  for (int row = first; row <= last; ++row) {
    if (const CGridCellBase* cell = GetCell(row, col)) {
      width = std::max(width, cell->GetCellExtent().width());
    }
  }
  if (virtualMode_) SendCacheHintToParent(CCellBlock());
  colWidths_[static_cast<std::size_t>(col)] = width;
  UpdateScrollBars();
  return true;
}

bool GridModel::AutoSizeRow(int row) {
  if (row < 0 || row >= rowCount_ || GetRowHeight(row) <= 0) return false;
  if (virtualMode_) SendCacheHintToParent(CCellBlock(row, 0, row, colCount_ - 1));
  int height = 0;
  for (int col = 0; col < colCount_; ++col) {
    if (const CGridCellBase* cell = GetCell(row, col)) {
      height = std::max(height, cell->GetCellExtent().height());
    }
  }
  if (virtualMode_) SendCacheHintToParent(CCellBlock());
  rowHeights_[static_cast<std::size_t>(row)] = height;
  UpdateScrollBars();
  return true;
}

int GridModel::GetMergedWidth(int row, int col) const {
  const CCellID origin = GetMergeOriginOf(row, col);
  const CGridCellBase* cell = StoredCell(origin.row, origin.col);
  if (cell == nullptr || !cell->GetMergeRange().SpansCells()) return GetColumnWidth(col);
  const CCellBlock block = cell->GetMergeRange();
  std::int64_t sum = 0;
  for (int c = block.minCol; c <= block.maxCol; ++c) sum += std::max(GetColumnWidth(c), 0);
  return static_cast<int>(std::min<std::int64_t>(sum, INT32_MAX));
}

int GridModel::GetMergedHeight(int row, int col) const {
  const CCellID origin = GetMergeOriginOf(row, col);
  const CGridCellBase* cell = StoredCell(origin.row, origin.col);
  if (cell == nullptr || !cell->GetMergeRange().SpansCells()) return GetRowHeight(row);
  const CCellBlock block = cell->GetMergeRange();
  std::int64_t sum = 0;
  for (int r = block.minRow; r <= block.maxRow; ++r) sum += std::max(GetRowHeight(r), 0);
  return static_cast<int>(std::min<std::int64_t>(sum, INT32_MAX));
}

// ------------------------------------------------------------------ merging

CCellID GridModel::GetMergeOriginOf(int row, int col) const {
  const CGridCellBase* cell = StoredCell(row, col);
  return cell != nullptr && cell->IsMergedIntoOther() ? cell->GetMergeOrigin() : CCellID(row, col);
}

void GridModel::MarkBlock(const CCellBlock& block) {
  for (int row = block.minRow; row <= block.maxRow; ++row) {
    for (int col = block.minCol; col <= block.maxCol; ++col) {
      CGridCellBase* cell = StoredCell(row, col);
      if (cell == nullptr) continue;
      cell->SetInMergedBlock(true);
      if (row == block.minRow && col == block.minCol) {
        cell->SetMergeRange(block);
      } else {
        cell->SetMergeOrigin(block.minRow, block.minCol);
      }
    }
  }
}

void GridModel::ClearBlock(const CCellBlock& block) {
  for (int row = block.maxRow; row >= block.minRow; --row) {
    for (int col = block.maxCol; col >= block.minCol; --col) {
      if (CGridCellBase* cell = StoredCell(row, col)) ClearMergeFields(*cell);
    }
  }
}

bool GridModel::MergeCells(int minRow, int minCol, int maxRow, int maxCol) {
  const CCellBlock block(minRow, minCol, maxRow, maxCol);
  if (virtualMode_ || !IsCellRangeValid(block) || maxRow >= rowCount_ || maxCol >= colCount_) {
    return false;
  }
  UnmergeRange(minRow, minCol, maxRow, maxCol);
  // One cell is no block: it stays unmerged (a lone member would never be drawn).
  if (!block.SpansCells()) return true;
  MarkBlock(block);
  for (int row = minRow; row <= maxRow; ++row) {
    for (int col = minCol; col <= maxCol; ++col) {
      if (row == minRow && col == minCol) continue;
      if (CGridCellBase* cell = StoredCell(row, col)) cell->SetText(QString());
      SetCellModified(row, col);
    }
  }
  Refresh();
  return true;
}

void GridModel::UnmergeRange(int minRow, int minCol, int maxRow, int maxCol) {
  const CCellBlock range(std::max(minRow, 0), std::max(minCol, 0), std::min(maxRow, rowCount_ - 1),
                         std::min(maxCol, colCount_ - 1));
  if (!IsCellRangeValid(range)) return;
  for (int row = range.minRow; row <= range.maxRow; ++row) {
    for (int col = range.minCol; col <= range.maxCol; ++col) {
      CGridCellBase* cell = StoredCell(row, col);
      if (cell == nullptr || cell->IsNotMerged()) continue;
      // A member resolves to its origin, so its whole block is split.
      const CCellID originId = GetMergeOriginOf(row, col);
      const CGridCellBase* origin = StoredCell(originId.row, originId.col);
      if (origin != nullptr && origin->GetMergeRange().SpansCells()) {
        ClearBlock(origin->GetMergeRange());
      }
      ClearMergeFields(*cell);
    }
  }
  Refresh();
}

void GridModel::UnmergeSelection() {
  const CCellBlock bounds = GetSelectionBounds();
  UnmergeRange(bounds.minRow, bounds.minCol, bounds.maxRow, bounds.maxCol);
}

void GridModel::ShiftSpan(int& first, int& last, BlockShift shift, int index) {
  switch (shift) {
    case BlockShift::kInsert:
      // A row inserted at or before the first moves the block; one inside widens it.
      if (index <= first) ++first;
      if (index <= last) ++last;
      break;
    case BlockShift::kDelete:
      if (index < first) --first;
      if (index <= last) --last;
      break;
    case BlockShift::kClip: last = std::min(last, index - 1); break;
  }
}

std::vector<CCellBlock> GridModel::MergedBlocks() const {
  std::vector<CCellBlock> blocks;
  for (int row = 0; row < static_cast<int>(rows_.size()); ++row) {
    for (const auto& cell : rows_[static_cast<std::size_t>(row)]) {
      if (cell != nullptr && !cell->IsMergedIntoOther() && cell->GetMergeRange().SpansCells()) {
        blocks.push_back(cell->GetMergeRange());
      }
    }
  }
  return blocks;
}

void GridModel::RestoreBlocks(const std::vector<CCellBlock>& blocks, bool rows, BlockShift shift,
                              int index) {
  if (blocks.empty()) return;
  for (auto& cells : rows_) {
    for (auto& cell : cells) {
      if (cell != nullptr) ClearMergeFields(*cell);
    }
  }
  for (CCellBlock block : blocks) {
    if (rows) {
      ShiftSpan(block.minRow, block.maxRow, shift, index);
    } else {
      ShiftSpan(block.minCol, block.maxCol, shift, index);
    }
    if (IsCellRangeValid(block) && block.SpansCells()) MarkBlock(block);
  }
}

// ------------------------------------------------------------------ sorting

bool GridModel::SortColumn(int col, bool ascending) {
  return SortColumnWith(compareFunction_ != nullptr ? compareFunction_ : CompareCellText, col,
                        ascending);
}

bool GridModel::SortColumnWith(GridCompareFunc compare, int col, bool ascending) {
  if (BlockMeetsRows(fixedRows_, rowCount_ - 1)) return false;
  if (sortColumn_ >= 0) RedrawCell(0, sortColumn_);
  sortColumn_ = col;
  RedrawCell(0, col);
  sortAscending_ = ascending;
  ClearSelection();
  const bool sorted = SortRange(compare, col, ascending, 0, fixedRows_, rowCount_ - 1);
  Refresh();
  return sorted;
}

bool GridModel::BlockMeetsRows(int low, int high) const {
  // A block that meets the rows has a member cell in them.
  return !VisitCells(rows_, low, high,
                     [](int, int, const CGridCellBase& cell) { return cell.IsNotMerged(); });
}

bool GridModel::QuickSortRows(GridCompareFunc compare, int col, bool ascending, LPARAM value,
                              int low, int high) {
  if (high == -1) high = rowCount_ - 1;
  return !BlockMeetsRows(low, high) && SortRange(compare, col, ascending, value, low, high);
}

bool GridModel::SortRange(GridCompareFunc compare, int col, bool ascending, LPARAM value, int low,
                          int high) {
  if (compare == nullptr || virtualMode_ || col < 0 || col >= colCount_ || low < 0 ||
      high >= rowCount_ || high <= low) {
    return false;
  }
  SortRowsWith(compare, col, ascending, value, low, high);
  // The cells learn their places once the rows have stopped moving.
  VisitCells(rows_, low, high, [this](int row, int c, CGridCellBase& cell) {
    if (c < colCount_) cell.SetCoords(row, c);
    return true;
  });
  return true;
}

void GridModel::SortRowsWith(GridCompareFunc compare, int col, bool ascending, LPARAM value,
                             int low, int high) {
  if (compare == CompareCellText) {
    TextOrder order{{}, low};
    order.texts.reserve(static_cast<std::size_t>(high - low + 1));
    for (int row = low; row <= high; ++row) {
      const CGridCellBase* cell = StoredCell(row, col);
      if (cell == nullptr) break;  // a missing cell compares as equal to every other
      order.texts.push_back(cell->GetText());
    }
    if (order.texts.size() == static_cast<std::size_t>(high - low + 1)) {
      SortRows(order, ascending, low, high);
      return;
    }
  }
  CellOrder order{*this, compare, col, value};
  SortRows(order, ascending, low, high);
}

template <typename Order>
void GridModel::SortRows(Order& order, bool ascending, int low, int high) {
  // Whether a row's key lies before the pivot in the sort order, or after it.
  auto before = [&](const auto& key, const auto& pivot) {
    const int sign = order.Compare(key, pivot);
    return ascending ? sign < 0 : sign > 0;
  };
  auto after = [&](const auto& key, const auto& pivot) {
    const int sign = order.Compare(key, pivot);
    return ascending ? sign > 0 : sign < 0;
  };
  while (low < high) {
    // The pivot is the middle row's key object, wherever the exchanges move it.
    const auto pivot = order.Key(low + (high - low) / 2);
    int i = low;
    int j = high;
    while (i <= j) {
      while (i < high && before(order.Key(i), pivot)) ++i;
      while (j > low && after(order.Key(j), pivot)) --j;
      if (i > j) break;
      if (order.Compare(order.Key(i), order.Key(j)) != 0) {
        ExchangeRows(i, j);
        order.Exchange(i, j);
      }
      ++i;
      --j;
    }
    // The parts are disjoint, so sorting the smaller first gives the same exchanges.
    if (j - low < high - i) {
      if (low < j) SortRows(order, ascending, low, j);
      low = i;
    } else {
      if (i < high) SortRows(order, ascending, i, high);
      high = j;
    }
  }
}

void GridModel::ExchangeRows(int a, int b) {
  std::swap(rows_[static_cast<std::size_t>(a)], rows_[static_cast<std::size_t>(b)]);
  for (int col = 0; col < colCount_ && !selectedCells_.empty(); ++col) {
    // The selected-cell set follows the selected bits, which moved with the cells.
    const bool selectedA = selectedCells_.erase(CCellID(a, col)) != 0;
    if (selectedCells_.erase(CCellID(b, col)) != 0) selectedCells_.insert(CCellID(a, col));
    if (selectedA) selectedCells_.insert(CCellID(b, col));
  }
  std::swap(rowHeights_[static_cast<std::size_t>(a)], rowHeights_[static_cast<std::size_t>(b)]);
  if (focusCell_.row == a || focusCell_.row == b) focusCell_.row = focusCell_.row == a ? b : a;
}
