#include "editors/spreadsheet/worksheet_grid.h"

#include <algorithm>

WorksheetGrid::WorksheetGrid() : cells_(qsizetype{kMaxImportRows} * kMaxImportColumns) {}

bool WorksheetGrid::Use(std::int64_t row, std::int64_t column) {
  lastRow_ = std::max(lastRow_, row);
  lastColumn_ = std::max(lastColumn_, column);
  return row >= 1 && column >= 1 && row <= kMaxImportRows && column <= kMaxImportColumns;
}

void WorksheetGrid::Set(std::int64_t row, std::int64_t column, QString text) {
  cells_[(row - 1) * kMaxImportColumns + column - 1] = std::move(text);
}

WorksheetTexts WorksheetGrid::Finish() {
  WorksheetTexts result;
  result.lastRow = static_cast<int>(std::min<std::int64_t>(lastRow_, kMaxImportRows));
  result.lastColumn = static_cast<int>(std::min<std::int64_t>(lastColumn_, kMaxImportColumns));
  result.rowsLeftOut = lastRow_ - result.lastRow;
  result.columnsLeftOut = lastColumn_ - result.lastColumn;
  // The used rows close up in place: each cell moves to an index at most its own.
  for (int row = 1; row < result.lastRow && result.lastColumn < kMaxImportColumns; ++row) {
    const auto first = cells_.begin() + static_cast<qsizetype>(row) * kMaxImportColumns;
    std::move(first, first + result.lastColumn,
              cells_.begin() + static_cast<qsizetype>(row) * result.lastColumn);
  }
  cells_.resize(static_cast<qsizetype>(result.lastRow) * result.lastColumn);
  result.texts = std::move(cells_);
  cells_.clear();
  return result;
}

WorksheetTexts FailedRead(SpreadsheetError error) {
  WorksheetTexts result;
  result.error = error;
  return result;
}
