#include "editors/spreadsheet/worksheet_grid.h"

#include <algorithm>

WorksheetGrid::WorksheetGrid()
    : cells_(static_cast<std::size_t>(kMaxImportRows) * kMaxImportColumns) {}

bool WorksheetGrid::Use(std::int64_t row, std::int64_t column) {
  lastRow_ = std::max(lastRow_, row);
  lastColumn_ = std::max(lastColumn_, column);
  return row >= 1 && column >= 1 && row <= kMaxImportRows && column <= kMaxImportColumns;
}

void WorksheetGrid::Set(std::int64_t row, std::int64_t column, QString text) {
  cells_[static_cast<std::size_t>((row - 1) * kMaxImportColumns + column - 1)] = std::move(text);
}

WorksheetTexts WorksheetGrid::Finish() const {
  WorksheetTexts result;
  result.lastRow = static_cast<int>(std::min<std::int64_t>(lastRow_, kMaxImportRows));
  result.lastColumn = static_cast<int>(std::min<std::int64_t>(lastColumn_, kMaxImportColumns));
  result.rowsLeftOut = lastRow_ - result.lastRow;
  result.columnsLeftOut = lastColumn_ - result.lastColumn;
  result.texts.reserve(static_cast<qsizetype>(result.lastRow) * result.lastColumn);
  for (int row = 0; row < result.lastRow; ++row) {
    const auto first = cells_.begin() + static_cast<std::ptrdiff_t>(row) * kMaxImportColumns;
    result.texts.append(QStringList(first, first + result.lastColumn));
  }
  return result;
}

WorksheetTexts FailedRead(SpreadsheetError error) {
  WorksheetTexts result;
  result.error = error;
  return result;
}
