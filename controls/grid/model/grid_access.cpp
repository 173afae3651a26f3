// Inserting and deleting rows and columns, and reading and setting single cells,
// including the display cell that stands in for every place in virtual mode.
#include <new>
#include <utility>

#include "controls/grid/model/grid_model.h"

namespace {

// Format of the cells of a new column: DT_CENTER | DT_VCENTER.
constexpr std::uint32_t kNewColumnFormat = 0x05;

template <typename T>
void InsertAt(std::vector<T>& items, int index, T item) {
  items.insert(items.begin() + index, std::move(item));
}

template <typename T>
void EraseAt(std::vector<T>& items, int index) {
  items.erase(items.begin() + index);
}

}  // namespace

// ------------------------------------------------------------------ shape

int GridModel::InsertRow(int index) {
  if (index != -1 && (index < fixedRows_ || index >= rowCount_)) return -1;
  ResetTopLeftCache();
  ClearSelection();
  if (colCount_ == 0 && !SetColumnCount(1)) return -1;
  if (index == -1) index = rowCount_;
  const std::vector<CCellBlock> blocks = MergedBlocks();
  try {
    std::vector<std::unique_ptr<CGridCellBase>> cells;
    if (!virtualMode_) {
      cells.resize(static_cast<std::size_t>(colCount_));
      for (int col = 0; col < colCount_; ++col) {
        cells[static_cast<std::size_t>(col)] = CreateCell(index, col);
      }
      rows_.reserve(rows_.size() + 1);
    }
    rowHeights_.reserve(rowHeights_.size() + 1);
    // Nothing below throws: both vectors have room.
    if (!virtualMode_) InsertAt(rows_, index, std::move(cells));
    InsertAt(rowHeights_, index, 0);
  } catch (const std::bad_alloc&) {
    ReportOutOfMemory();
    return -1;
  }
  ++rowCount_;
  RestoreBlocks(blocks, true, BlockShift::kInsert, index);
  if (CGridCellBase* first = StoredCell(index, 0)) {
    first->SetText(QString());
    SetCellModified(index, 0);
  }
  rowHeights_[static_cast<std::size_t>(index)] = cellFixedRowDef_.GetHeight();
  UpdateScrollBars();
  SetCellModified(-1, -1);
  return index;
}

int GridModel::InsertColumn(int index) {
  if (index != -1 && (index < fixedCols_ || index > colCount_)) return -1;
  if (index == colCount_) index = -1;
  ResetTopLeftCache();
  ClearSelection();
  if (rowCount_ == 0 && !SetRowCount(1)) return -1;
  if (index == -1) index = colCount_;
  const std::vector<CCellBlock> blocks = MergedBlocks();
  try {
    std::vector<std::unique_ptr<CGridCellBase>> cells(virtualMode_ ? 0 : rows_.size());
    for (std::size_t row = 0; row < cells.size(); ++row) {
      cells[row] = CreateCell(static_cast<int>(row), index);
      rows_[row].reserve(rows_[row].size() + 1);
    }
    colWidths_.reserve(colWidths_.size() + 1);
    // Nothing below throws: every vector has room.
    for (std::size_t row = 0; row < cells.size(); ++row) {
      InsertAt(rows_[row], index, std::move(cells[row]));
    }
    InsertAt(colWidths_, index, 0);
  } catch (const std::bad_alloc&) {
    ReportOutOfMemory();
    return -1;
  }
  ++colCount_;
  RestoreBlocks(blocks, false, BlockShift::kInsert, index);
  CGridCellBase* first = StoredCell(0, index);
  if (first != nullptr) {
    first->SetText(QString());
    SetCellModified(0, index);
  }
  for (int row = 0; row < rowCount_; ++row) {
    if (CGridCellBase* cell = StoredCell(row, index)) cell->SetFormat(kNewColumnFormat);
  }
  // An empty text measures as its default cell's default width.
  colWidths_[static_cast<std::size_t>(index)] =
      first != nullptr ? first->GetTextExtent(QString()).width() : 0;
  UpdateScrollBars();
  SetCellModified(-1, -1);
  return index;
}

bool GridModel::DeleteRow(int row) {
  if (row < 0 || row >= rowCount_) return false;
  ClearSelection();
  const std::vector<CCellBlock> blocks = MergedBlocks();
  if (!virtualMode_) {
    for (int col = 0; col < colCount_; ++col) DestroyCell(row, col);
    EraseAt(rows_, row);
  }
  EraseAt(rowHeights_, row);
  --rowCount_;
  RestoreBlocks(blocks, true, BlockShift::kDelete, row);
  if (row < fixedRows_) --fixedRows_;
  UpdateScrollBars();
  SetCellModified(-1, -1);
  return true;
}

bool GridModel::DeleteColumn(int col) {
  if (col < 0 || col >= colCount_) return false;
  ClearSelection();
  const std::vector<CCellBlock> blocks = MergedBlocks();
  if (!virtualMode_) {
    for (int row = 0; row < rowCount_; ++row) {
      DestroyCell(row, col);
      EraseAt(rows_[static_cast<std::size_t>(row)], col);
    }
  }
  EraseAt(colWidths_, col);
  --colCount_;
  RestoreBlocks(blocks, false, BlockShift::kDelete, col);
  if (col < fixedCols_) --fixedCols_;
  UpdateScrollBars();
  SetCellModified(-1, -1);
  return true;
}

void GridModel::DeleteAllItems() {
  ClearSelection();
  rowHeights_.clear();
  colWidths_.clear();
  for (int row = 0; row < rowCount_ && !virtualMode_; ++row) {
    for (int col = 0; col < colCount_; ++col) DestroyCell(row, col);
  }
  rows_.clear();
  selectedCells_.clear();
  focusCell_ = CCellID();
  rowCount_ = colCount_ = fixedRows_ = fixedCols_ = 0;
  UpdateScrollBars();
  SetCellModified(-1, -1);
}

// ------------------------------------------------------------------ cells

bool GridModel::SetCell(int row, int col, std::unique_ptr<CGridCellBase>& cell) {
  if (virtualMode_ || !IsValid(row, col) || row >= static_cast<int>(rows_.size()) ||
      col >= static_cast<int>(rows_[static_cast<std::size_t>(row)].size())) {
    return false;
  }
  if (cell != nullptr) cell->SetCoords(row, col);
  std::swap(rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)], cell);
  return true;
}

CGridCellBase* GridModel::FillVirtualCell(int row, int col) {
  if (virtualCell_ == nullptr) virtualCell_ = std::make_unique<CGridCell>();
  const bool fixedRow = row < fixedRows_;
  const bool fixedCol = col < fixedCols_;
  const CGridDefaultCell* defaultCell = GetDefaultCell(fixedRow, fixedCol);
  GridDisplayInfo display;
  GridCellInfo& info = display.item;
  info.row = row;
  info.col = col;
  info.mask = 0xFFFFFFFF;
  info.format = defaultCell->GetFormat();
  info.image = defaultCell->GetImage();
  info.backColor = defaultCell->GetBackColor();
  info.textColor = defaultCell->GetTextColor();
  info.param = defaultCell->GetData();
  if (const LogFontW* font = defaultCell->GetFont()) info.font = *font;
  info.margin = static_cast<std::uint32_t>(defaultCell->GetMargin());
  if (IsCellSelected(row, col)) info.state |= GVIS_SELECTED;
  if (fixedRow) info.state |= GVIS_FIXED | GVIS_FIXEDROW;
  if (fixedCol) info.state |= GVIS_FIXED | GVIS_FIXEDCOL;
  if (CCellID(row, col) == focusCell_) info.state |= GVIS_FOCUSED;
  if (callback_) {
    callback_(&info, callbackParam_);
  } else {
    SendDisplayRequestToParent(&display);
  }
  CGridCell& cell = *virtualCell_;
  cell.SetState(info.state);
  cell.SetImage(info.image);
  cell.SetFormat(info.format);
  cell.SetData(info.param);
  cell.SetBackColor(info.backColor);
  cell.SetTextColor(info.textColor);
  cell.SetFont(&info.font);
  cell.SetMargin(static_cast<int>(info.margin));
  cell.SetText(info.text);
  cell.SetGrid(this);
  return &cell;
}

bool GridModel::GetCellInfo(GridCellInfo* info) const {
  const CGridCellBase* cell = info != nullptr ? GetCell(info->row, info->col) : nullptr;
  if (cell == nullptr) return false;
  if ((info->mask & GVIF_TEXT) != 0) info->text = cell->GetText();
  if ((info->mask & GVIF_PARAM) != 0) info->param = cell->GetData();
  if ((info->mask & GVIF_IMAGE) != 0) info->image = cell->GetImage();
  if ((info->mask & GVIF_STATE) != 0) info->state = cell->GetState();
  if ((info->mask & GVIF_FORMAT) != 0) info->format = cell->GetFormat();
  if ((info->mask & GVIF_BKCLR) != 0) info->backColor = cell->GetBackColor();
  if ((info->mask & GVIF_FGCLR) != 0) info->textColor = cell->GetTextColor();
  if ((info->mask & GVIF_FONT) != 0) {
    if (const LogFontW* font = cell->GetFont()) info->font = *font;
  }
  if ((info->mask & GVIF_MARGIN) != 0) info->margin = static_cast<std::uint32_t>(cell->GetMargin());
  return true;
}

QString GridModel::GetCellText(int row, int col) const {
  const CGridCellBase* cell = GetCell(row, col);
  return cell != nullptr ? cell->GetText() : QString();
}

bool GridModel::SetCellText(int row, int col, const QString& text) {
  CGridCellBase* cell = StoredCell(row, col);
  if (cell == nullptr) return false;
  cell->SetText(text);
  SetCellModified(row, col);
  return true;
}

bool GridModel::SetCellFormat(int row, int col, std::uint32_t format) {
  CGridCellBase* cell = StoredCell(row, col);
  if (cell != nullptr) cell->SetFormat(format);
  return cell != nullptr;
}

bool GridModel::SetCellBackColor(int row, int col, ColorRef color) {
  CGridCellBase* cell = StoredCell(row, col);
  if (cell != nullptr) cell->SetBackColor(color);
  return cell != nullptr;
}

bool GridModel::SetCellTextColor(int row, int col, ColorRef color) {
  CGridCellBase* cell = StoredCell(row, col);
  if (cell != nullptr) cell->SetTextColor(color);
  return cell != nullptr;
}

bool GridModel::IsCellEditable(const CCellID& cell) const {
  const CGridCellBase* stored = GetCell(cell.row, cell.col);
  return editable_ && (stored == nullptr || !stored->IsReadOnly());
}
