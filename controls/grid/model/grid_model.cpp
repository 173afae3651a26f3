#include "controls/grid/model/grid_model.h"

#include <QGuiApplication>
#include <QStyleHints>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <new>

#include "controls/support/sys_color.h"

namespace {

int ClampToInt(std::int64_t value) {
  return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                   std::numeric_limits<int>::max()));
}

// The sum of sizes[first, last), in 64 bits and clamped to the int range.
int SumOf(const std::vector<int>& sizes, int first, int last) {
  std::int64_t sum = 0;
  for (int i = std::max(first, 0); i < last && i < static_cast<int>(sizes.size()); ++i) {
    sum += sizes[static_cast<std::size_t>(i)];
  }
  return ClampToInt(sum);
}

int SizeAt(const std::vector<int>& sizes, int index) {
  return index >= 0 && index < static_cast<int>(sizes.size())
             ? sizes[static_cast<std::size_t>(index)]
             : -1;
}

// The first index from `start` whose offset (the sizes passed from `start`) reaches
// the position, at most count - 1; walks from the index and offset of the last answer.
int FirstAtPosition(const std::vector<int>& sizes, int start, int count, int position, int* index,
                    std::int64_t* offset) {
  if (*index < start || *index >= std::max(count, start + 1)) {
    *index = start;
    *offset = 0;
  }
  while (*index > start && *offset - SizeAt(sizes, *index - 1) >= position) {
    *offset -= SizeAt(sizes, --*index);
  }
  while (*offset < position && *index < count - 1) *offset += SizeAt(sizes, (*index)++);
  return *index;
}

PixelRect RectOf(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom) {
  return {ClampToInt(left), ClampToInt(top), ClampToInt(right), ClampToInt(bottom)};
}

void Fill(QPainter& painter, const PixelRect& rect, ColorRef color) {
  if (!rect.IsEmpty()) painter.fillRect(rect.ToQRect(), QColor::fromRgb(ColorRefToQRgb(color)));
}

}  // namespace

GridModel::GridModel() {
  crWindowText_ = SysColor(COLOR_WINDOWTEXT);
  crWindowColour_ = SysColor(COLOR_WINDOW);
  cr3DFace_ = SysColor(COLOR_3DFACE);
  crShadow_ = SysColor(COLOR_BTNSHADOW);
  for (CGridDefaultCell* cell :
       {&cellDefault_, &cellFixedColDef_, &cellFixedRowDef_, &cellFixedRowColDef_}) {
    cell->SetGrid(this);
    cell->SetTextColor(crWindowText_);
    cell->SetBackColor(cell == &cellDefault_ ? crWindowColour_ : cr3DFace_);
  }
  gridBkColor_ = crShadow_;
  if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
    wheelScrollLines_ = app->styleHints()->wheelScrollLines();
  }
}

GridModel::~GridModel() = default;

void GridModel::SetVirtualMode(bool on) {
  if (rowCount_ == 0 && colCount_ == 0) virtualMode_ = on;
}

// ------------------------------------------------------------------ default cells

CGridDefaultCell* GridModel::GetDefaultCell(bool fixedRow, bool fixedCol) {
  if (fixedRow && fixedCol) return &cellFixedRowColDef_;
  if (fixedRow) return &cellFixedRowDef_;
  if (fixedCol) return &cellFixedColDef_;
  return &cellDefault_;
}

const CGridDefaultCell* GridModel::GetDefaultCell(bool fixedRow, bool fixedCol) const {
  return const_cast<GridModel*>(this)->GetDefaultCell(fixedRow, fixedCol);
}

void GridModel::SetGridFont(const LogFontW& font) {
  for (CGridDefaultCell* cell :
       {&cellDefault_, &cellFixedRowDef_, &cellFixedColDef_, &cellFixedRowColDef_}) {
    cell->SetFont(&font);
  }
  Refresh();
}

void SetGridFixedCellColor(GridModel& grid) {
  for (const auto& [fixedRow, fixedCol] :
       {std::pair(true, false), std::pair(false, true), std::pair(true, true)}) {
    grid.GetDefaultCell(fixedRow, fixedCol)->SetBackColor(MakeColorRef(180, 220, 244));
  }
}

void GridModel::OnSysColorChange() {
  const ColorRef windowText = SysColor(COLOR_WINDOWTEXT);
  const ColorRef window = SysColor(COLOR_WINDOW);
  for (CGridDefaultCell* cell :
       {&cellDefault_, &cellFixedRowDef_, &cellFixedColDef_, &cellFixedRowColDef_}) {
    if (cell->GetTextColor() == crWindowText_) cell->SetTextColor(windowText);
    if (cell->GetBackColor() == crWindowColour_) cell->SetBackColor(window);
  }
  if (gridBkColor_ == crShadow_) gridBkColor_ = SysColor(COLOR_BTNSHADOW);
  crWindowText_ = windowText;
  crWindowColour_ = window;
  cr3DFace_ = SysColor(COLOR_3DFACE);
  crShadow_ = SysColor(COLOR_BTNSHADOW);
}

// ------------------------------------------------------------------ shape and cells

std::unique_ptr<CGridCellBase> GridModel::CreateCell(int row, int col) {
  std::unique_ptr<CGridCellBase> cell =
      cellFactory_ ? cellFactory_() : std::make_unique<CGridCell>();
  if (cell == nullptr) return nullptr;
  cell->SetGrid(this);
  cell->SetCoords(row, col);
  PlaceCell(*cell, row, col);
  if (const CGridDefaultCell* defaultCell = cell->GetDefaultCell()) {
    cell->SetFormat(defaultCell->GetFormat());
  }
  return cell;
}

void GridModel::PlaceCell(CGridCellBase& cell, int row, int col) const {
  std::uint32_t state = cell.GetState();
  if (col < fixedCols_) state |= GVIS_FIXED | GVIS_FIXEDCOL;
  if (row < fixedRows_) state |= GVIS_FIXED | GVIS_FIXEDROW;
  cell.SetState(state);
}

void GridModel::DestroyCell(int row, int col) {
  if (StoredCell(row, col) == nullptr) return;
  (void)SetCellState(row, col, 0);  // the cell exists (checked above)
  rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)].reset();
}

CGridCellBase* GridModel::GetCell(int row, int col) const {
  if (virtualMode_ && IsValid(row, col)) {
    // The owner's answer changes the grid's one display cell, not the grid itself.
    return const_cast<GridModel*>(this)->FillVirtualCell(row, col);
  }
  return StoredCell(row, col);
}

CGridCellBase* GridModel::StoredCell(int row, int col) const {
  if (!IsValid(row, col) || virtualMode_ || row >= static_cast<int>(rows_.size())) {
    return nullptr;
  }
  const auto& cells = rows_[static_cast<std::size_t>(row)];
  return col < static_cast<int>(cells.size()) ? cells[static_cast<std::size_t>(col)].get()
                                              : nullptr;
}

bool GridModel::SetCellState(int row, int col, std::uint32_t state) {
  if (!IsValid(row, col)) return false;
  if ((state & GVIS_SELECTED) != 0) {
    selectedCells_.insert(CCellID(row, col));
  } else {
    selectedCells_.erase(CCellID(row, col));
  }
  CGridCellBase* cell = StoredCell(row, col);
  if (cell == nullptr) return false;
  cell->SetState(state);
  return true;
}

std::uint32_t GridModel::GetCellState(int row, int col) const {
  const CGridCellBase* cell = StoredCell(row, col);
  return cell != nullptr ? cell->GetState() : 0;
}

void GridModel::SetCellModified(int row, int col) {
  if (col < 0 || col == sortColumn_) {
    if (sortColumn_ >= 0) RedrawCell(0, sortColumn_);
    sortColumn_ = -1;
  }
  // A cell outside the grid has no state to mark; the grid still counts as modified.
  if (row >= 0 && col >= 0) (void)SetCellState(row, col, GetCellState(row, col) | GVIS_MODIFIED);
  modified_ = true;
}

void GridModel::FinishShapeChange() {
  SetCellModified(-1, -1);
  UpdateScrollBars();
  Refresh();
}

bool GridModel::SetRowCount(int rows) {
  if (rows < 0) return false;
  if (rows == rowCount_) return true;
  ResetTopLeftCache();
  if (rows < fixedRows_) fixedRows_ = rows;
  if (focusCell_.row >= rows) focusCell_ = CCellID();
  bool grown = true;
  if (rows < rowCount_) {
    const std::vector<CCellBlock> blocks = MergedBlocks();
    for (int row = rows; row < rowCount_ && !virtualMode_; ++row) {
      for (int col = 0; col < colCount_; ++col) DestroyCell(row, col);
    }
    if (!virtualMode_) rows_.resize(static_cast<std::size_t>(rows));
    rowHeights_.resize(static_cast<std::size_t>(rows));
    rowCount_ = rows;
    RestoreBlocks(blocks, true, BlockShift::kClip, rows);
  } else {
    grown = GrowRows(rows);
  }
  FinishShapeChange();
  return grown;
}

bool GridModel::GrowRows(int rows) {
  const int height = cellDefault_.GetHeight();
  try {
    rowHeights_.reserve(static_cast<std::size_t>(rows));
    if (!virtualMode_) rows_.reserve(static_cast<std::size_t>(rows));
    while (rowCount_ < rows) {
      if (!virtualMode_) {
        std::vector<std::unique_ptr<CGridCellBase>> cells(static_cast<std::size_t>(colCount_));
        for (int col = 0; col < colCount_; ++col) {
          cells[static_cast<std::size_t>(col)] = CreateCell(rowCount_, col);
        }
        rows_.push_back(std::move(cells));
      }
      rowHeights_.push_back(height);
      ++rowCount_;
    }
  } catch (const std::bad_alloc&) {
    // The rows made so far stay; a row left half made is dropped with its cells.
    ReportOutOfMemory();
    return false;
  }
  return true;
}

bool GridModel::SetColumnCount(int cols) {
  if (cols < 0) return false;
  if (cols == colCount_) return true;
  ResetTopLeftCache();
  if (cols < fixedCols_) fixedCols_ = cols;
  if (focusCell_.col >= cols) focusCell_ = CCellID();
  bool grown = true;
  if (cols < colCount_) {
    const std::vector<CCellBlock> blocks = MergedBlocks();
    for (int row = 0; row < rowCount_ && !virtualMode_; ++row) {
      for (int col = cols; col < colCount_; ++col) DestroyCell(row, col);
      rows_[static_cast<std::size_t>(row)].resize(static_cast<std::size_t>(cols));
    }
    colWidths_.resize(static_cast<std::size_t>(cols));
    colCount_ = cols;
    RestoreBlocks(blocks, false, BlockShift::kClip, cols);
  } else {
    grown = GrowColumns(cols);
  }
  FinishShapeChange();
  return grown;
}

bool GridModel::GrowColumns(int cols) {
  const int width = cellFixedColDef_.GetWidth();
  try {
    colWidths_.reserve(static_cast<std::size_t>(cols));
    // Row by row, so that the cells of a row lie together in memory and a step to
    // another row touches few pages.
    for (int row = 0; row < static_cast<int>(rows_.size()); ++row) {
      auto& cells = rows_[static_cast<std::size_t>(row)];
      cells.reserve(static_cast<std::size_t>(cols));
      for (int col = colCount_; col < cols; ++col) cells.push_back(CreateCell(row, col));
    }
  } catch (const std::bad_alloc&) {
    // The count stays at the columns every row got, and no row keeps a cell beyond it.
    // (colWidths_ has room for them unless its reserve was what failed, with none made.)
    std::size_t made = rows_.empty() ? colWidths_.size() : static_cast<std::size_t>(cols);
    for (const auto& cells : rows_) made = std::min(made, cells.size());
    for (auto& cells : rows_) cells.resize(made);
    colWidths_.resize(made, width);
    colCount_ = static_cast<int>(made);
    ReportOutOfMemory();
    return false;
  }
  colWidths_.resize(static_cast<std::size_t>(cols), width);
  colCount_ = cols;
  return true;
}

bool GridModel::SetFixedRowCount(int fixedRows) {
  if (fixedRows < 0) return false;
  if (fixedRows == fixedRows_) return true;
  ResetTopLeftCache();
  if (rowCount_ < fixedRows && !SetRowCount(fixedRows)) return false;
  for (int row = std::min(fixedRows, fixedRows_);
       row < std::max(fixedRows, fixedRows_) && !virtualMode_; ++row) {
    for (int col = 0; col < colCount_; ++col) {
      CGridCellBase* cell = StoredCell(row, col);
      if (cell == nullptr) continue;
      const std::uint32_t state = cell->GetState();
      if (fixedRows > fixedRows_) {
        cell->SetState(state | GVIS_FIXED | GVIS_FIXEDROW);
      } else if (col < fixedCols_) {
        cell->SetState(state & ~GVIS_FIXEDROW);
        continue;
      } else {
        cell->SetState(state & ~(GVIS_FIXED | GVIS_FIXEDROW));
      }
      cell->SetBackColor(kDefaultColor);
      cell->SetTextColor(kDefaultColor);
    }
  }
  fixedRows_ = fixedRows;
  Refresh();
  return true;
}

bool GridModel::SetFixedColumnCount(int fixedCols) {
  if (fixedCols < 0) return false;
  if (fixedCols == fixedCols_) return true;
  ResetTopLeftCache();
  if (colCount_ < fixedCols && !SetColumnCount(fixedCols)) return false;
  for (int col = std::min(fixedCols, fixedCols_);
       col < std::max(fixedCols, fixedCols_) && !virtualMode_; ++col) {
    for (int row = 0; row < rowCount_; ++row) {
      CGridCellBase* cell = StoredCell(row, col);
      if (cell == nullptr) continue;
      const std::uint32_t state = cell->GetState();
      if (fixedCols > fixedCols_) {
        cell->SetState(state | GVIS_FIXED | GVIS_FIXEDCOL);
      } else if (row < fixedRows_) {
        cell->SetState(state & ~GVIS_FIXEDCOL);
        continue;
      } else {
        cell->SetState(state & ~(GVIS_FIXED | GVIS_FIXEDCOL));
      }
      cell->SetBackColor(kDefaultColor);
      cell->SetTextColor(kDefaultColor);
    }
  }
  fixedCols_ = fixedCols;
  Refresh();
  return true;
}

CCellID GridModel::SetFocusCell(CCellID cell) {
  if (cell == focusCell_) return focusCell_;
  const CCellID previous = focusCell_;
  if (cell.row != -1 && cell.row < fixedRows_) cell.row = fixedRows_;
  if (cell.col != -1 && cell.col < fixedCols_) cell.col = fixedCols_;
  focusCell_ = cell;
  if (IsValid(previous)) ShowFocus(previous, cell, false);
  if (IsValid(cell)) ShowFocus(cell, previous, true);
  return previous;
}

void GridModel::ShowFocus(const CCellID& cell, const CCellID& other, bool focused) {
  const std::uint32_t state = GetCellState(cell.row, cell.col);
  // A focus cell outside the grid (none yet) has no state to change.
  (void)SetCellState(cell.row, cell.col, focused ? state | GVIS_FOCUSED : state & ~GVIS_FOCUSED);
  RedrawCell(cell.row, cell.col);
  if (!trackFocusCell_) return;
  if (cell.col != other.col) {
    for (int row = 0; row < fixedRows_; ++row) RedrawCell(row, cell.col);
  }
  if (cell.row != other.row) {
    for (int col = 0; col < fixedCols_; ++col) RedrawCell(cell.row, col);
  }
}

// ------------------------------------------------------------------------- sizes

int GridModel::GetRowHeight(int row) const { return SizeAt(rowHeights_, row); }
int GridModel::GetColumnWidth(int col) const { return SizeAt(colWidths_, col); }

bool GridModel::SetRowHeight(int row, int height) {
  if (row < 0 || row >= rowCount_ || height < 0) return false;
  rowHeights_[static_cast<std::size_t>(row)] = height;
  UpdateScrollBars();
  return true;
}

bool GridModel::SetColumnWidth(int col, int width) {
  if (col < 0 || col >= colCount_ || width < 0) return false;
  colWidths_[static_cast<std::size_t>(col)] = width;
  UpdateScrollBars();
  return true;
}

int GridModel::GetFixedRowHeight() const { return SumOf(rowHeights_, 0, fixedRows_); }
int GridModel::GetFixedColumnWidth() const { return SumOf(colWidths_, 0, fixedCols_); }
int GridModel::GetGridHeight() const { return SumOf(rowHeights_, 0, rowCount_); }
int GridModel::GetGridWidth() const { return SumOf(colWidths_, 0, colCount_); }

void GridModel::ResetSizesToDefault() {
  std::fill(rowHeights_.begin(), rowHeights_.end(), cellDefault_.GetHeight());
  std::fill(colWidths_.begin(), colWidths_.end(), cellDefault_.GetWidth());
  UpdateScrollBars();
}

// ------------------------------------------------------------ places and visibility

bool GridModel::IsValid(int row, int col) const {
  return row >= 0 && row < rowCount_ && col >= 0 && col < colCount_;
}

CCellID GridModel::GetFirstVisibleCell() {
  if (topLeftCell_.row >= 0 && topLeftCell_.col >= 0) return topLeftCell_;
  TopLeftHint& hint = topLeftHint_;
  topLeftCell_ = CCellID(FirstAtPosition(rowHeights_, fixedRows_, rowCount_, GetVertScrollPos(),
                                         &hint.row, &hint.rowOffset),
                         FirstAtPosition(colWidths_, fixedCols_, colCount_, GetHorzScrollPos(),
                                         &hint.col, &hint.colOffset));
  return topLeftCell_;
}

CCellBlock GridModel::GetVisibleCellBlock(PixelRect* rect) {
  const PixelRect client = GetClientRect();
  const CCellID topLeft = GetFirstVisibleCell();
  // From the first visible index, adds sizes until the edge is reached or they run out;
  // returns the last index reached and the far edge.
  auto reach = [](const std::vector<int>& sizes, int start, int count, std::int64_t edge,
                  int limit) {
    int index = start;
    for (; index < count; ++index) {
      edge += SizeAt(sizes, index);
      if (edge >= limit) {
        edge = limit;
        break;
      }
    }
    return std::pair<int, std::int64_t>(std::min(index, count - 1), edge);
  };
  const auto [maxRow, bottom] =
      reach(rowHeights_, topLeft.row, rowCount_, GetFixedRowHeight(), client.bottom);
  const auto [maxCol, right] =
      reach(colWidths_, topLeft.col, colCount_, GetFixedColumnWidth(), client.right);
  if (rect != nullptr) {
    *rect = RectOf(0, 0, std::min<std::int64_t>(right, client.right),
                   std::min<std::int64_t>(bottom, client.bottom));
  }
  return CCellBlock(topLeft.row, topLeft.col, maxRow, maxCol);
}

bool GridModel::GetCellOrigin(int row, int col, QPoint* origin) {
  if (!IsValid(row, col)) return false;
  const CCellID topLeft = GetFirstVisibleCell();
  auto offset = [](const std::vector<int>& sizes, int index, int fixedCount, int fixedSize,
                   int first) -> std::int64_t {
    if (index < fixedCount) return SumOf(sizes, 0, index);
    if (index >= first) return std::int64_t{fixedSize} + SumOf(sizes, first, index);
    return std::int64_t{fixedSize} - SumOf(sizes, index, first);
  };
  if (origin != nullptr) {
    *origin =
        QPoint(ClampToInt(offset(colWidths_, col, fixedCols_, GetFixedColumnWidth(), topLeft.col)),
               ClampToInt(offset(rowHeights_, row, fixedRows_, GetFixedRowHeight(), topLeft.row)));
  }
  return true;
}

bool GridModel::GetCellRect(int row, int col, PixelRect* rect) {
  const CGridCellBase* cell = StoredCell(row, col);
  if (cell != nullptr && cell->GetMergeRange().SpansCells()) {
    return GetCellRangeRect(cell->GetMergeRange(), rect);
  }
  QPoint origin;
  if (!GetCellOrigin(row, col, &origin)) return false;
  if (rect != nullptr) {
    *rect = RectOf(origin.x(), origin.y(), std::int64_t{origin.x()} + GetColumnWidth(col) - 1,
                   std::int64_t{origin.y()} + GetRowHeight(row) - 1);
  }
  return true;
}

bool GridModel::GetCellRangeRect(const CCellBlock& range, PixelRect* rect) {
  QPoint first;
  QPoint last;
  if (!GetCellOrigin(range.minRow, range.minCol, &first) ||
      !GetCellOrigin(range.maxRow, range.maxCol, &last)) {
    return false;
  }
  if (rect != nullptr) {
    *rect = RectOf(first.x(), first.y(), std::int64_t{last.x()} + GetColumnWidth(range.maxCol) - 1,
                   std::int64_t{last.y()} + GetRowHeight(range.maxRow) - 1);
  }
  return true;
}

bool GridModel::IsCellVisible(int row, int col) {
  if (!HasWindow()) return false;
  const CCellID topLeft = GetFirstVisibleCell();
  if (col >= fixedCols_ && col < topLeft.col) return false;
  if (row >= fixedRows_ && row < topLeft.row) return false;
  const PixelRect client = GetClientRect();
  // Adds sizes up to the target; false as soon as the running edge reaches the limit.
  auto reaches = [](const std::vector<int>& sizes, int index, int fixedCount, int fixedSize,
                    int first, int limit) {
    std::int64_t edge = index < fixedCount ? 0 : fixedSize;
    for (int i = index < fixedCount ? 0 : first; i <= index; ++i) {
      if (edge >= limit) return false;
      edge += SizeAt(sizes, i);
    }
    return true;
  };
  return reaches(colWidths_, col, fixedCols_, GetFixedColumnWidth(), topLeft.col, client.right) &&
         reaches(rowHeights_, row, fixedRows_, GetFixedRowHeight(), topLeft.row, client.bottom);
}

void GridModel::UpdateScrollBars() { ResetTopLeftCache(); }

// ---------------------------------------------------------------------- painting

void GridModel::Refresh() {
  if (HasWindow() && allowDraw_) InvalidateAll();
}

bool GridModel::CellRedrawRect(int row, int col, PixelRect* rect) {
  return allowDraw_ && IsCellVisible(row, col) && GetCellRect(row, col, rect);
}

bool GridModel::RedrawCell(int row, int col, QPainter* painter) {
  PixelRect rect;
  if (!CellRedrawRect(row, col, &rect)) return false;
  if (painter == nullptr) {
    InvalidateRect({rect.left, rect.top, rect.right + 1, rect.bottom + 1});
    return true;
  }
  CGridCellBase* cell = GetCell(row, col);
  const bool drawn = cell == nullptr || cell->Draw(painter, row, col, rect, true);
  if (row >= fixedRows_ && col >= fixedCols_) {
    // The fill covered the cell's grid lines: draw them again.
    if (gridLines_ == GVL_HORZ || gridLines_ == GVL_BOTH) {
      Fill(*painter, {rect.left, rect.bottom, rect.right + 1, rect.bottom + 1}, gridLineColor_);
    }
    if (gridLines_ == GVL_VERT || gridLines_ == GVL_BOTH) {
      Fill(*painter, {rect.right, rect.top, rect.right + 1, rect.bottom + 1}, gridLineColor_);
    }
  }
  return drawn;
}

void GridModel::OnDraw(QPainter& painter, const PixelRect& clip) {
  if (!allowDraw_ || clip.IsEmpty()) return;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  PixelRect visibleRect;
  const CCellBlock visible = GetVisibleCellBlock(&visibleRect);
  EraseBackground(painter, clip, visibleRect);
  const int fixedHeight = GetFixedRowHeight();
  const int fixedWidth = GetFixedColumnWidth();
  if (virtualMode_) SendCacheHintToParent(visible);
  DrawGridLines(painter, visible, visibleRect);
  std::set<CCellID> drawnBlocks;
  DrawCellPass(painter, clip, visible.minRow, visible.maxRow, fixedHeight - 1, visible.minCol,
               visible.maxCol, fixedWidth - 1, drawnBlocks);
  DrawCellPass(painter, clip, visible.minRow, visible.maxRow, fixedHeight - 1, 0, fixedCols_ - 1,
               -1, drawnBlocks);
  DrawCellPass(painter, clip, 0, fixedRows_ - 1, -1, visible.minCol, visible.maxCol, fixedWidth - 1,
               drawnBlocks);
  DrawCellPass(painter, clip, 0, fixedRows_ - 1, -1, 0, fixedCols_ - 1, -1, drawnBlocks);
  if (virtualMode_) SendCacheHintToParent(CCellBlock());
  painter.restore();
}

void GridModel::EraseBackground(QPainter& painter, const PixelRect& clip,
                                const PixelRect& visibleRect) {
  const int fixedHeight = GetFixedRowHeight();
  const int fixedWidth = GetFixedColumnWidth();
  if (clip.left < fixedWidth && clip.top < fixedHeight) {
    Fill(painter, {clip.left, clip.top, fixedWidth, fixedHeight},
         cellFixedRowColDef_.GetBackColor());
  }
  if (clip.left < fixedWidth && clip.top < visibleRect.bottom) {
    Fill(painter, {clip.left, std::max(clip.top, fixedHeight), fixedWidth, visibleRect.bottom},
         cellFixedColDef_.GetBackColor());
  }
  if (clip.top < fixedHeight && clip.right > fixedWidth && clip.left < visibleRect.right) {
    Fill(painter, {fixedWidth, clip.top, visibleRect.right, fixedHeight},
         cellFixedRowDef_.GetBackColor());
  }
  PixelRect body = visibleRect.Intersected(clip);
  body.left = std::max(body.left, fixedWidth);
  body.top = std::max(body.top, fixedHeight);
  Fill(painter, body, cellDefault_.GetBackColor());
  if (visibleRect.right < clip.right) {
    Fill(painter, {visibleRect.right, clip.top, clip.right, clip.bottom}, gridBkColor_);
  }
  if (visibleRect.bottom < clip.bottom && clip.left < visibleRect.right) {
    Fill(painter, {clip.left, visibleRect.bottom, visibleRect.right, clip.bottom}, gridBkColor_);
  }
}

void GridModel::DrawGridLines(QPainter& painter, const CCellBlock& visible,
                              const PixelRect& visibleRect) {
  const int fixedHeight = GetFixedRowHeight();
  const int fixedWidth = GetFixedColumnWidth();
  if (gridLines_ == GVL_VERT || gridLines_ == GVL_BOTH) {
    std::int64_t x = fixedWidth;
    for (int col = visible.minCol; col <= visible.maxCol; ++col) {
      if (GetColumnWidth(col) <= 0) continue;
      x += GetColumnWidth(col);
      Fill(painter, RectOf(x - 1, fixedHeight, x, visibleRect.bottom), gridLineColor_);
    }
  }
  if (gridLines_ == GVL_HORZ || gridLines_ == GVL_BOTH) {
    std::int64_t y = fixedHeight;
    for (int row = visible.minRow; row <= visible.maxRow; ++row) {
      if (GetRowHeight(row) <= 0) continue;
      y += GetRowHeight(row);
      Fill(painter, RectOf(fixedWidth, y - 1, visibleRect.right, y), gridLineColor_);
    }
  }
}

void GridModel::DrawCellPass(QPainter& painter, const PixelRect& clip, int firstRow, int lastRow,
                             int rowStart, int firstCol, int lastCol, int colStart,
                             std::set<CCellID>& drawnBlocks) {
  std::int64_t bottom = rowStart;
  for (int row = std::max(firstRow, 0); row <= lastRow; ++row) {
    const int height = GetRowHeight(row);
    if (height <= 0) continue;
    const std::int64_t top = bottom + 1;
    bottom = top + height - 1;
    if (top > clip.bottom) break;
    if (bottom < clip.top) continue;
    std::int64_t right = colStart;
    for (int col = std::max(firstCol, 0); col <= lastCol; ++col) {
      const int width = GetColumnWidth(col);
      if (width <= 0) continue;
      const std::int64_t left = right + 1;
      right = left + width - 1;
      if (left > clip.right) break;
      if (right < clip.left) continue;
      DrawCellAt(painter, row, col, RectOf(left, top, right, bottom), drawnBlocks);
    }
  }
}

void GridModel::DrawCellAt(QPainter& painter, int row, int col, const PixelRect& rect,
                           std::set<CCellID>& drawnBlocks) {
  CGridCellBase* cell = GetCell(row, col);
  if (cell == nullptr) return;
  const CCellID originId = cell->IsMergedIntoOther() ? cell->GetMergeOrigin() : CCellID(row, col);
  CGridCellBase* origin =
      originId == CCellID(row, col) ? cell : GetCell(originId.row, originId.col);
  if (origin == nullptr) return;
  const CCellBlock block = origin->GetMergeRange();
  if (!block.SpansCells()) {
    if (origin != cell) return;  // a member whose origin holds no block draws nothing
    cell->SetCoords(row, col);
    cell->Draw(&painter, row, col, rect, false);
    return;
  }
  PixelRect blockRect;
  if (drawnBlocks.insert(originId).second && GetCellRangeRect(block, &blockRect)) {
    origin->SetCoords(originId.row, originId.col);
    origin->Draw(&painter, originId.row, originId.col, blockRect, true);
  }
}

// ------------------------------------------------------------------ notifications

LRESULT GridModel::SendMessageToParent(int row, int col, int code) {
  GridNotify notify;
  notify.hdr.code = code;
  notify.row = row;
  notify.col = col;
  return NotifyOwner(&notify.hdr);
}

LRESULT GridModel::SendDisplayRequestToParent(GridDisplayInfo* info) {
  if (info == nullptr) return 0;
  info->hdr.code = GVN_GETDISPINFO;
  return NotifyOwner(&info->hdr);
}

LRESULT GridModel::SendCacheHintToParent(const CCellBlock& range) {
  GridCacheHint hint;
  hint.hdr.code = GVN_ODCACHEHINT;
  hint.range = range;
  return NotifyOwner(&hint.hdr);
}
