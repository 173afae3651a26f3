#pragma once
// The first worksheet of a spreadsheet file as cell texts, for the table editor's
// import. The reader is chosen by the file's first bytes, never by its name: a
// compound file (.xls, xls_reader.h) or a zip package (.xlsx, xlsx_reader.h). Either is read
// in a confined child process (reader_child.h). No formula is evaluated; a formula cell
// gives the result the file stores.

#include <QString>
#include <QStringList>

#include <cstdint>

// The largest table an import makes; the new-table dialog keeps to the same sizes.
inline constexpr int kMaxImportRows = 500;
inline constexpr int kMaxImportColumns = 50;

enum class SpreadsheetError {
  None,
  Unreadable,         // the file cannot be opened or read, or is not a regular file
  NotSpreadsheet,     // neither a compound file nor a zip package holding a workbook
  Damaged,            // a part is missing, malformed or larger than the reader takes,
                      // or the reader child failed (crash, limit, deadline, bad answer)
  PasswordProtected,  // the workbook is encrypted
  NoWorksheet,        // the workbook holds no worksheet
};

// Rows and columns are counted from 1. The used range's last row and column (each at
// least 1) are cut to kMaxImportRows and kMaxImportColumns; what lies beyond is counted
// in rowsLeftOut and columnsLeftOut. All or nothing: on an error every count is 0 and
// texts is empty.
struct WorksheetTexts {
  SpreadsheetError error = SpreadsheetError::None;
  int lastRow = 0;
  int lastColumn = 0;
  std::int64_t rowsLeftOut = 0;
  std::int64_t columnsLeftOut = 0;
  QStringList texts;  // lastRow x lastColumn, row by row; a cell without a value is empty

  // The text of row 1..lastRow, column 1..lastColumn.
  const QString& Text(int row, int column) const {
    return texts.at(static_cast<qsizetype>(row - 1) * lastColumn + column - 1);
  }
};

// Reads the first worksheet of the file at path.
[[nodiscard]] WorksheetTexts ReadFirstWorksheet(const QString& path);
