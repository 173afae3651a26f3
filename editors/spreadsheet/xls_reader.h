#pragma once
// The first worksheet of a compound-file workbook (.xls, BIFF), read through libfreexl.

#include <QString>

#include "editors/spreadsheet/spreadsheet_reader.h"

// path names the file for libfreexl to open; the caller has checked that it is a
// regular file. Booleans arrive as 1 and 0, since libfreexl gives them as integers.
[[nodiscard]] WorksheetTexts ReadXlsWorksheet(const QString& path);
