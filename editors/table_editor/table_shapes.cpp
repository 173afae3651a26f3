#include "editors/table_editor/table_shapes.h"

#include <algorithm>

#include "controls/grid/model/grid_model.h"
#include "controls/grid/table/grid_table_file.h"
#include "editors/spreadsheet/spreadsheet_reader.h"
#include "render/raster/gdi_text.h"
#include "render/table/table_file.h"

namespace {

// The point size a size of 0 or less stands for.
constexpr int kFallbackSize = 9;

// Makes a body cell a new cell (or an inserted one, by its text colour) with the text.
[[nodiscard]] bool SetBodyCell(GridModel& grid, int row, int col, ColorRef textColor,
                               const QString& text = {}) {
  return grid.SetCellText(row, col, text) && grid.SetCellBackColor(row, col, 0) &&
         grid.SetCellTextColor(row, col, textColor) && grid.SetCellFormat(row, col, kCentredFormat);
}

[[nodiscard]] bool SetRowCells(GridModel& grid, int row, ColorRef textColor) {
  for (int col = 1; col < grid.GetColumnCount(); ++col) {
    if (!SetBodyCell(grid, row, col, textColor)) return false;
  }
  return true;
}

[[nodiscard]] bool SetColumnCells(GridModel& grid, int col, ColorRef textColor) {
  for (int row = 1; row < grid.GetRowCount(); ++row) {
    if (!SetBodyCell(grid, row, col, textColor)) return false;
  }
  return true;
}

}  // namespace

int ShareOf(int total, int count, int i) {
  const auto share = [&](int n) { return static_cast<int>(std::int64_t{n} * total / count); };
  return share(i) - share(i - 1);
}

bool BuildNewTable(GridModel& grid, int rows, int cols, int width, int height) {
  if (!StartTableGrid(grid, rows, cols)) return false;
  for (int row = 1; row <= rows; ++row) {
    if (!SetRowCells(grid, row, kNewCellTextColor) ||
        !grid.SetRowHeight(row, ShareOf(height, rows, row))) {
      return false;
    }
  }
  for (int col = 1; col <= cols; ++col) {
    if (!grid.SetColumnWidth(col, ShareOf(width, cols, col))) return false;
  }
  grid.UpdateScrollBars();
  return true;
}

bool BuildImportedTable(GridModel& grid, const WorksheetTexts& sheet) {
  if (!StartTableGrid(grid, sheet.lastRow, sheet.lastColumn)) return false;
  for (int row = 1; row <= sheet.lastRow; ++row) {
    for (int col = 1; col <= sheet.lastColumn; ++col) {
      if (!SetBodyCell(grid, row, col, kNewCellTextColor, sheet.Text(row, col))) return false;
    }
  }
  grid.UpdateScrollBars();
  return true;
}

void NumberHeaders(GridModel& grid) {
  for (int row = 1; row < grid.GetRowCount(); ++row) {
    static_cast<void>(grid.SetCellFormat(row, 0, kCentredFormat));
    static_cast<void>(grid.SetCellText(row, 0, QString::number(row)));
  }
  for (int col = 1; col < grid.GetColumnCount(); ++col) {
    static_cast<void>(grid.SetCellFormat(0, col, kCentredFormat));
    static_cast<void>(grid.SetCellText(0, col, QString::number(col)));
  }
}

bool InsertBodyRow(GridModel& grid, int row) {
  if (row < 1 || grid.InsertRow(row) != row) return false;
  NumberHeaders(grid);
  return SetRowCells(grid, row, kInsertedCellTextColor);
}

bool InsertBodyColumn(GridModel& grid, int col) {
  if (col < 1 || grid.InsertColumn(col) != col) return false;
  NumberHeaders(grid);
  return SetColumnCells(grid, col, kInsertedCellTextColor);
}

bool DeleteBodyRows(GridModel& grid, int first, int last) {
  first = std::max(first, 1);
  last = std::min(last, grid.GetRowCount() - 1);
  for (int row = last; row >= first; --row) {
    if (!grid.DeleteRow(row)) return false;
  }
  if (grid.GetRowCount() < 2 &&
      (!grid.SetRowCount(2) || !SetRowCells(grid, 1, kNewCellTextColor))) {
    return false;
  }
  NumberHeaders(grid);
  return true;
}

bool DeleteBodyColumns(GridModel& grid, int first, int last) {
  first = std::max(first, 1);
  last = std::min(last, grid.GetColumnCount() - 1);
  for (int col = last; col >= first; --col) {
    if (!grid.DeleteColumn(col)) return false;
  }
  if (grid.GetColumnCount() < 2 &&
      (!grid.SetColumnCount(2) || !SetColumnCells(grid, 1, kNewCellTextColor))) {
    return false;
  }
  NumberHeaders(grid);
  return true;
}

bool ForEachSelectedCell(GridModel& grid, const std::function<void(CGridCellBase&)>& change) {
  const CCellBlock range = grid.GetSelectionBounds();
  if (!IsCellRangeValid(range)) return false;
  for (int row = range.minRow; row <= range.maxRow; ++row) {
    for (int col = range.minCol; col <= range.maxCol; ++col) {
      if (CGridCellBase* cell = grid.GetCell(row, col)) change(*cell);
    }
  }
  grid.Refresh();
  return true;
}

bool ChangeSelectedFonts(GridModel& grid, const std::function<void(LogFontW&)>& change) {
  return ForEachSelectedCell(grid, [&change](CGridCellBase& cell) {
    LogFontW font = cell.GetFont() != nullptr ? *cell.GetFont() : LogFontW{};
    change(font);
    cell.SetFont(&font);
  });
}

int FontHeightOfSize(int size) { return -MulDiv(size > 0 ? size : kFallbackSize, kLogPixelsY, 72); }

int FontSizeOfHeight(int height) { return -MulDiv(72, height, kLogPixelsY); }

LongTexts FindLongTexts(const GridModel& grid) {
  LongTexts found;
  for (int row = 1; row < grid.GetRowCount(); ++row) {
    for (int col = 1; col < grid.GetColumnCount(); ++col) {
      if (grid.GetCellText(row, col).size() < kTableTextCapacity) continue;
      if (found.count++ == 0) found.first = CCellID(row, col);
    }
  }
  return found;
}
