// spreadsheet-reader: reads a workbook for the table editor's import in a child process
// of its own (editors/spreadsheet/reader_child.h starts it):
//   spreadsheet-reader xls|xlsx
// reads the first worksheet of the workbook on its standard input and writes the answer
// (editors/spreadsheet/worksheet_answer.h) to its standard output. Exits with 0 once the
// whole answer is written, whatever it says; 2 for bad arguments, 1 when writing fails.
#include <QString>

#include <unistd.h>

#include <string_view>

#include "editors/spreadsheet/worksheet_answer.h"
#include "editors/spreadsheet/xls_reader.h"
#include "editors/spreadsheet/xlsx_reader.h"
#include "model/common/unique_fd.h"

// Under AddressSanitizer the parent cannot cap the address space (the sanitizer reserves
// terabytes of it), so the sanitizer's allocator bounds the reader instead: an
// allocation over 384 MiB fails as it would under the cap (the readers then report the
// file as damaged), and past 768 MiB resident (the sanitizer's shadow and quarantine
// included) the process ends. Leaks do not matter in a process that ends here.
extern "C" __attribute__((visibility("default"), used)) const char* __asan_default_options() {
  return "allocator_may_return_null=1:max_allocation_size_mb=384:hard_rss_limit_mb=768:"
         "detect_leaks=0";
}

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const std::string_view kind = argv[1];
  // The readers open the file by name: the name of the descriptor, never a path.
  const QString file = QStringLiteral("/proc/self/fd/0");
  WorksheetTexts result;
  if (kind == "xls") {
    result = ReadXlsWorksheet(file);
  } else if (kind == "xlsx") {
    result = ReadXlsxWorksheet(file);
  } else {
    return 2;
  }
  const QByteArray answer = EncodeWorksheetAnswer(result);
  UniqueFd out(STDOUT_FILENO);
  return out.WriteAll(answer.constData(), static_cast<std::size_t>(answer.size())) == 0 &&
                 out.Close() == 0
             ? 0
             : 1;
}
