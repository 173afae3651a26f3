#include "controls/grid/table/grid_table_file.h"

#include <algorithm>
#include <cstdint>

#include "controls/grid/model/grid_model.h"
#include "render/table/table_file.h"

namespace {

// Format of header cells and of the default grid's cells: centred both ways.
constexpr std::uint32_t kCentredFormat = 0x1 | 0x4;
// Body cells of the default grid: 4 x 4, this text colour on black.
constexpr int kDefaultGridCells = 4;
constexpr ColorRef kDefaultGridTextColor = 0x8241E2;

// The font a body cell is written with: its own, else its default cell's, else zeros.
LogFontW CellFontOf(const GridModel& grid, const CGridCellBase* cell, int row, int col) {
  const LogFontW* font = cell != nullptr ? cell->GetFont()
                                         : grid.GetDefaultCell(row < grid.GetFixedRowCount(),
                                                               col < grid.GetFixedColumnCount())
                                               ->GetFont();
  return font != nullptr ? *font : LogFontW{};
}

TableFile TableOfGrid(const GridModel& grid) {
  TableFile table;
  const int rows = std::max(grid.GetRowCount() - 1, 0);
  const int cols = std::max(grid.GetColumnCount() - 1, 0);
  table.Resize(rows, cols);
  for (int row = 0; row < rows; ++row) table.rowHeights[row] = grid.GetRowHeight(row + 1);
  for (int col = 0; col < cols; ++col) table.colWidths[col] = grid.GetColumnWidth(col + 1);
  for (int row = 0; row < rows; ++row) {
    for (int col = 0; col < cols; ++col) {
      TableFileCell& cell = table.Cell(row, col);
      const CGridCellBase* source = grid.GetCell(row + 1, col + 1);
      cell.text = grid.GetCellText(row + 1, col + 1);
      cell.font = CellFontOf(grid, source, row + 1, col + 1);
      if (source == nullptr) continue;
      cell.format = source->GetFormat();
      cell.textColor = source->GetTextColor();
      cell.backColor = source->GetBackColor();
      const CCellBlock block = source->GetMergeRange();
      if (source->IsMergedIntoOther() || !block.SpansCells()) continue;
      // Only the block's top-left cell carries it; the cells it covers are hidden.
      cell.mergedRows = std::min(rows, block.maxRow) - block.minRow;
      cell.mergedCols = std::min(cols, block.maxCol) - block.minCol;
      for (int r = std::max(block.minRow, 1); r <= std::min(rows, block.maxRow); ++r) {
        for (int c = std::max(block.minCol, 1); c <= std::min(cols, block.maxCol); ++c) {
          if (r != block.minRow || c != block.minCol) table.Cell(r - 1, c - 1).visible = 0;
        }
      }
    }
  }
  return table;
}

[[nodiscard]] bool BuildDefaultGrid(GridModel& grid) {
  if (!StartTableGrid(grid, kDefaultGridCells, kDefaultGridCells)) return false;
  for (int row = 1; row <= kDefaultGridCells; ++row) {
    for (int col = 1; col <= kDefaultGridCells; ++col) {
      if (!grid.SetCellBackColor(row, col, 0) ||
          !grid.SetCellTextColor(row, col, kDefaultGridTextColor) ||
          !grid.SetCellFormat(row, col, kCentredFormat)) {
        return false;
      }
    }
  }
  return true;
}

// Sets one body cell from its record and merges its block, kept within the table.
[[nodiscard]] bool FillCell(GridModel& grid, const TableFile& table, int row, int col) {
  const TableFileCell& source = table.Cell(row, col);
  CGridCellBase* cell = grid.GetCell(row + 1, col + 1);
  if (cell == nullptr) return false;
  cell->SetText(source.text);
  grid.SetCellModified(row + 1, col + 1);
  cell->SetFont(&source.font);
  cell->SetFormat(source.format);
  cell->SetBackColor(source.backColor);
  cell->SetTextColor(source.textColor);
  const int extraRows = std::clamp(source.mergedRows, 0, table.Rows() - 1 - row);
  const int extraCols = std::clamp(source.mergedCols, 0, table.Columns() - 1 - col);
  return (extraRows == 0 && extraCols == 0) ||
         grid.MergeCells(row + 1, col + 1, row + 1 + extraRows, col + 1 + extraCols);
}

[[nodiscard]] bool FillGrid(GridModel& grid, const TableFile& table) {
  if (!StartTableGrid(grid, table.Rows(), table.Columns())) return false;
  // Negative sizes are ignored: those rows and columns keep the default size.
  for (int row = 0; row < table.Rows(); ++row) {
    const int height = table.rowHeights[row];
    if (height >= 0 && !grid.SetRowHeight(row + 1, height)) return false;
  }
  for (int col = 0; col < table.Columns(); ++col) {
    const int width = table.colWidths[col];
    if (width >= 0 && !grid.SetColumnWidth(col + 1, width)) return false;
  }
  // Cells in file order; the visible flags are not read, merging hides the covered cells.
  for (int row = 0; row < table.Rows(); ++row) {
    for (int col = 0; col < table.Columns(); ++col) {
      if (!FillCell(grid, table, row, col)) return false;
    }
  }
  return true;
}

}  // namespace

bool StartTableGrid(GridModel& grid, int rows, int cols) {
  grid.DeleteAllItems();
  if (!grid.SetFixedRowCount(1) || !grid.SetFixedColumnCount(1) || !grid.SetRowCount(rows + 1) ||
      !grid.SetColumnCount(cols + 1) || !grid.SetRowHeight(0, kHeaderCellSize) ||
      !grid.SetColumnWidth(0, kHeaderCellSize)) {
    return false;
  }
  SetGridFixedCellColor(grid);
  bool numbered = true;
  for (int i = 1; i <= rows; ++i) {
    numbered = grid.SetCellFormat(i, 0, kCentredFormat) &&
               grid.SetCellText(i, 0, QString::number(i)) && numbered;
  }
  for (int i = 1; i <= cols; ++i) {
    numbered = grid.SetCellFormat(0, i, kCentredFormat) &&
               grid.SetCellText(0, i, QString::number(i)) && numbered;
  }
  return numbered;
}

int SaveTableFile(const GridModel& grid, const QString& path) {
  return WriteTableFile(path, TableOfGrid(grid)) ? 1 : 0;
}

int LoadTableFile(GridModel& grid, const QString& path) {
  TableFile table;
  bool built = false;
  switch (ReadTableFile(path, &table)) {
    case TableRead::Damaged: return 0;
    case TableRead::NoTable: built = BuildDefaultGrid(grid); break;
    case TableRead::Ok:
      if (table.Rows() == 0 && table.Columns() == 0) return 1;
      built = FillGrid(grid, table);
      break;
  }
  grid.UpdateScrollBars();
  return built ? 1 : 0;
}
