// Feeds arbitrary bytes, as a file in memory opened by its path, to one of our own
// workbook readers in process, where coverage guides the fuzzing; every result must
// keep the promises of WorksheetTexts. FUZZ_XLS chooses the reader: the compound-file
// and BIFF8 reader (.xls) or the .xlsx reader.
#include <sys/mman.h>

#include <cstddef>
#include <cstdint>

#include "editors/spreadsheet/xls_reader.h"
#include "editors/spreadsheet/xlsx_reader.h"
#include "model/common/unique_fd.h"
#include "tests/fuzz/editors/spreadsheet/worksheet_texts_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const UniqueFd file(memfd_create("spreadsheet", MFD_CLOEXEC));
  if (!file.Valid() || file.WriteAll(data, size) != 0) return 0;
  const QString path = QStringLiteral("/proc/self/fd/%1").arg(file.Get());
  CheckWorksheetTexts(FUZZ_XLS ? ReadXlsWorksheet(path) : ReadXlsxWorksheet(path));
  return 0;
}
