#pragma once
// The first worksheet of a BIFF8 workbook (.xls of Excel 97 and later): the stream
// "Workbook" of its compound file, its globals (date system, number formats, cell
// formats, shared strings, sheets) and the cells of the first worksheet. A formula
// cell gives the result the file stores.

#include <QString>

#include "editors/spreadsheet/spreadsheet_reader.h"

// path names the compound file; the caller has checked that it is a regular file.
// NotSpreadsheet when the file holds no workbook stream or one of an older BIFF
// (Excel 5 and 95).
[[nodiscard]] WorksheetTexts ReadXlsWorksheet(const QString& path);
