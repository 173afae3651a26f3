#include "editors/spreadsheet/spreadsheet_reader.h"

#include <cstring>

#include "editors/spreadsheet/reader_child.h"
#include "editors/spreadsheet/worksheet_grid.h"
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
  // The reader reads the regular file checked here, whatever happens to the path meanwhile.
  if (std::memcmp(head, kCompoundFileSignature, sizeof head) == 0) {
    return InstalledReaderService().Read(file.Get(), WorkbookKind::Xls);
  }
  if (std::memcmp(head, kZipSignature, sizeof kZipSignature - 1) == 0) {
    return InstalledReaderService().Read(file.Get(), WorkbookKind::Xlsx);
  }
  return FailedRead(SpreadsheetError::NotSpreadsheet);
}
