// Feeds arbitrary bytes, as a file in memory opened by its path, to the import; every
// result must keep the promises of WorksheetTexts. FUZZ_XLS chooses the reader:
// - .xls: the whole import, whose reading runs in the reader child. libfreexl is not
//   ours and crafted files make it read out of bounds; what is ours is that nothing a
//   file does there reaches the importing process. libFuzzer sees no coverage in the
//   child, so this mutates its seeds (the .xls fixtures) without guidance.
// - .xlsx: our own reader, in process, where coverage guides the fuzzing.
#include <QCoreApplication>

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>

#include "editors/spreadsheet/xlsx_reader.h"
#include "model/common/unique_fd.h"
#include "tests/fuzz/editors/spreadsheet/worksheet_texts_check.h"

// The import finds the reader program beside the executable, through the application.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  static int count = *argc;
  static QCoreApplication application(count, *argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const UniqueFd file(memfd_create("spreadsheet", MFD_CLOEXEC));
  if (!file.Valid() || file.WriteAll(data, size) != 0) return 0;
  const QString path = QStringLiteral("/proc/self/fd/%1").arg(file.Get());
  CheckWorksheetTexts(FUZZ_XLS ? ReadFirstWorksheet(path) : ReadXlsxWorksheet(path));
  return 0;
}
