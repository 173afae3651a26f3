#include "editors/spreadsheet/xls_reader.h"

#include <QFile>

#include <freexl.h>

#include <algorithm>
#include <memory>

#include "editors/spreadsheet/cell_text.h"
#include "editors/spreadsheet/worksheet_grid.h"

namespace {

struct XlsCloser {
  void operator()(const void* handle) const { freexl_close(handle); }
};
using XlsHandle = std::unique_ptr<const void, XlsCloser>;

using Opener = int (*)(const char*, const void**);

// Opens with the given libfreexl opener; the handle is kept for closing even when the
// open fails, as libfreexl asks.
bool Open(Opener opener, const QString& path, XlsHandle* handle) {
  const void* raw = nullptr;
  const int status = opener(QFile::encodeName(path).constData(), &raw);
  handle->reset(raw);
  return status == FREEXL_OK;
}

// libfreexl reports the obfuscation flag only from its metadata pass.
bool IsObfuscated(const QString& path, bool* obfuscated) {
  XlsHandle handle;
  unsigned int password = 0;
  if (!Open(freexl_open_info, path, &handle) ||
      freexl_get_info(handle.get(), FREEXL_BIFF_PASSWORD, &password) != FREEXL_OK) {
    return false;
  }
  *obfuscated = password == FREEXL_BIFF_OBFUSCATED;
  return true;
}

QString ValueText(const FreeXL_CellValue& value) {
  switch (value.type) {
    case FREEXL_CELL_INT: return QString::number(value.value.int_value);
    case FREEXL_CELL_DOUBLE: return NumberText(value.value.double_value);
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
    case FREEXL_CELL_TIME:  // libfreexl writes these in the import's own forms
      return value.value.text_value ? QString::fromUtf8(value.value.text_value) : QString();
    default: return {};
  }
}

}  // namespace

WorksheetTexts ReadXlsWorksheet(const QString& path) {
  bool obfuscated = false;
  if (!IsObfuscated(path, &obfuscated)) return FailedRead(SpreadsheetError::Damaged);
  if (obfuscated) return FailedRead(SpreadsheetError::PasswordProtected);
  XlsHandle handle;
  unsigned int sheets = 0;
  if (!Open(freexl_open, path, &handle) ||
      freexl_get_info(handle.get(), FREEXL_BIFF_SHEET_COUNT, &sheets) != FREEXL_OK) {
    return FailedRead(SpreadsheetError::Damaged);
  }
  if (sheets == 0) return FailedRead(SpreadsheetError::NoWorksheet);
  unsigned int rows = 0;
  unsigned short columns = 0;
  if (freexl_select_active_worksheet(handle.get(), 0) != FREEXL_OK ||
      freexl_worksheet_dimensions(handle.get(), &rows, &columns) != FREEXL_OK) {
    return FailedRead(SpreadsheetError::Damaged);
  }
  // The dimensions are counts: the last used row and column, counted from 1.
  WorksheetGrid grid;
  grid.Use(rows, columns);
  const unsigned int keptRows = std::min<unsigned int>(rows, kMaxImportRows);
  const unsigned short keptColumns = std::min<unsigned short>(columns, kMaxImportColumns);
  for (unsigned int row = 0; row < keptRows; ++row) {
    for (unsigned short column = 0; column < keptColumns; ++column) {
      FreeXL_CellValue value{};
      if (freexl_get_cell_value(handle.get(), row, column, &value) != FREEXL_OK) {
        return FailedRead(SpreadsheetError::Damaged);
      }
      grid.Set(row + 1, column + 1, ValueText(value));
    }
  }
  return grid.Finish();
}
