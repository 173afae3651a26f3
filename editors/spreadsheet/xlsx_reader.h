#pragma once
// The first worksheet of an .xlsx workbook: the workbook part that the package's
// relationships name, its first sheet that is a worksheet, shared strings and the
// number formats of the cell styles.

#include <QString>

#include "editors/spreadsheet/spreadsheet_reader.h"

// path names the zip file; the caller has checked that it is a regular file.
[[nodiscard]] WorksheetTexts ReadXlsxWorksheet(const QString& path);
