#pragma once
// The answer of the reader child (reader_child.h) to its parent: one WorksheetTexts in
// a bounded form, little-endian throughout:
//   "KQW1"                        4 bytes
//   error                         u8: 0 None, 1 Unreadable, 2 NotSpreadsheet, 3 Damaged,
//                                 4 PasswordProtected, 5 NoWorksheet
// and, only when error is None:
//   lastRow, lastColumn           u16 each, 1..kMaxImportRows and 1..kMaxImportColumns
//   rowsLeftOut, columnsLeftOut   u32 each; not 0 only when lastRow (lastColumn) is at
//                                 its bound
//   lastRow x lastColumn texts    row by row, each a u32 count of UTF-16 code units (at
//                                 most kMaxCellTextUnits) and the units, or a u32 with
//                                 the high bit set over the index (row by row, from 0)
//                                 of an earlier cell that carries the same non-empty
//                                 text itself: a text shared by many cells (a shared
//                                 string) crosses once and is held once
// Nothing follows; the whole answer is at most kMaxAnswerBytes.

#include <QByteArray>
#include <QByteArrayView>

#include <cstdint>

#include "editors/spreadsheet/spreadsheet_reader.h"

// The most characters a cell holds in Excel.
inline constexpr std::int64_t kMaxCellTextUnits = 32767;
// The whole answer: 25,000 cells averaging some 600 characters, far more than a table
// on a screen shows; a larger worksheet is refused as damaged.
inline constexpr std::int64_t kMaxAnswerBytes = std::int64_t{32} << 20;

// The answer for result. A result that does not fit the bounds above is answered as
// Damaged.
[[nodiscard]] QByteArray EncodeWorksheetAnswer(const WorksheetTexts& result);

// The result an answer carries; Damaged when it is malformed, breaks a bound or has
// bytes after its end. Each count is checked before anything is allocated for it.
[[nodiscard]] WorksheetTexts DecodeWorksheetAnswer(QByteArrayView answer);
