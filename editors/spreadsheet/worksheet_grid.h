#pragma once
// Collects the cells of one worksheet as a reader meets them: every cell extends the
// used range, only those inside the import's bounds keep their text.

#include <QString>
#include <QStringList>

#include <cstdint>

#include "editors/spreadsheet/spreadsheet_reader.h"

class WorksheetGrid {
 public:
  WorksheetGrid();

  // Extends the used range to row and column (from 1) and tells whether the cell's
  // text is kept; a reader converts the value only then.
  bool Use(std::int64_t row, std::int64_t column);
  // Sets the text of a cell that Use kept.
  void Set(std::int64_t row, std::int64_t column, QString text);

  // The result: the used range cut to the bounds, its texts and what was left out.
  // The texts move into it, leaving the grid empty.
  WorksheetTexts Finish();

 private:
  QStringList cells_;  // kMaxImportRows x kMaxImportColumns, row by row
  std::int64_t lastRow_ = 1;
  std::int64_t lastColumn_ = 1;
};

// The result of a read that failed: the code and nothing else.
WorksheetTexts FailedRead(SpreadsheetError error);
