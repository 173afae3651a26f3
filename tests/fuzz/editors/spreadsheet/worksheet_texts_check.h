#pragma once
// What every fuzzer of the import checks of a result: the promises of WorksheetTexts.

#include <cstdlib>

#include "editors/spreadsheet/spreadsheet_reader.h"

inline void RequireForFuzzing(bool holds) {
  if (!holds) std::abort();
}

inline void CheckWorksheetTexts(const WorksheetTexts& result) {
  if (result.error != SpreadsheetError::None) {
    RequireForFuzzing(result.texts.isEmpty() && result.lastRow == 0 && result.lastColumn == 0 &&
                      result.rowsLeftOut == 0 && result.columnsLeftOut == 0);
    return;
  }
  RequireForFuzzing(result.lastRow >= 1 && result.lastRow <= kMaxImportRows);
  RequireForFuzzing(result.lastColumn >= 1 && result.lastColumn <= kMaxImportColumns);
  RequireForFuzzing(result.rowsLeftOut >= 0 && result.columnsLeftOut >= 0);
  RequireForFuzzing(result.texts.size() ==
                    static_cast<qsizetype>(result.lastRow) * result.lastColumn);
}
