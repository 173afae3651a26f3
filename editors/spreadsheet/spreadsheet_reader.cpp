#include "editors/spreadsheet/spreadsheet_reader.h"

#include <cstring>

#include "editors/spreadsheet/worksheet_grid.h"
#include "editors/spreadsheet/xls_reader.h"
#include "editors/spreadsheet/xlsx_reader.h"
#include "model/common/regular_file.h"

namespace {

constexpr char kCompoundFileSignature[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
constexpr char kZipSignature[] = "PK\x03\x04";

}  // namespace

WorksheetTexts ReadFirstWorksheet(const QString& path) {
  UniqueFd file;
  std::int64_t size = 0;
  if (OpenRegularFile(path, &file, &size) != 0) return FailedRead(SpreadsheetError::Unreadable);
  char head[sizeof kCompoundFileSignature - 1] = {};
  if (size < static_cast<std::int64_t>(sizeof head)) {
    return FailedRead(SpreadsheetError::NotSpreadsheet);
  }
  if (file.ReadAll(head, sizeof head, 0) != 0) return FailedRead(SpreadsheetError::Unreadable);
  // The libraries open the file again by name: through the descriptor checked here,
  // so that they read this regular file whatever happens to the path meanwhile.
  const QString opened = QStringLiteral("/proc/self/fd/%1").arg(file.Get());
  if (std::memcmp(head, kCompoundFileSignature, sizeof head) == 0) {
    return ReadXlsWorksheet(opened);
  }
  if (std::memcmp(head, kZipSignature, sizeof kZipSignature - 1) == 0) {
    return ReadXlsxWorksheet(opened);
  }
  return FailedRead(SpreadsheetError::NotSpreadsheet);
}
