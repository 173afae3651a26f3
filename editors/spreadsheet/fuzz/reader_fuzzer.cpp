// Feeds arbitrary bytes, as a file in memory opened by its path, to one of the two
// readers (FUZZ_XLS chooses); every result must keep the promises of WorksheetTexts.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "editors/spreadsheet/xls_reader.h"
#include "editors/spreadsheet/xlsx_reader.h"
#include "model/common/unique_fd.h"

namespace {

void Require(bool holds) {
  if (!holds) std::abort();
}

void CheckResult(const WorksheetTexts& result) {
  if (result.error != SpreadsheetError::None) {
    Require(result.texts.isEmpty() && result.lastRow == 0 && result.lastColumn == 0 &&
            result.rowsLeftOut == 0 && result.columnsLeftOut == 0);
    return;
  }
  Require(result.lastRow >= 1 && result.lastRow <= kMaxImportRows);
  Require(result.lastColumn >= 1 && result.lastColumn <= kMaxImportColumns);
  Require(result.rowsLeftOut >= 0 && result.columnsLeftOut >= 0);
  Require(result.texts.size() == static_cast<qsizetype>(result.lastRow) * result.lastColumn);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const UniqueFd file(memfd_create("spreadsheet", 0));
  if (!file.Valid() || file.WriteAll(data, size) != 0) return 0;
  const QString path = QStringLiteral("/proc/self/fd/%1").arg(file.Get());
  CheckResult(FUZZ_XLS ? ReadXlsWorksheet(path) : ReadXlsxWorksheet(path));
  return 0;
}
