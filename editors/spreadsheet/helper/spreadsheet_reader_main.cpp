// spreadsheet-reader: reads workbooks for the table editor's import in processes of their
// own (editors/spreadsheet/reader_child.h starts it):
//   spreadsheet-reader serve
// serves the reads sent on its standard input (editors/spreadsheet/reader_service.h):
// each reader reads the first worksheet of the workbook on its standard input and writes
// the answer (editors/spreadsheet/worksheet_answer.h) to its standard output, exiting
// with 0 once the whole answer is written, whatever it says, and 1 when writing fails.
// The service exits with 0 when its input ends, 1 when it fails, 2 for bad arguments.
#include <QString>

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

#include <string_view>

#include "editors/spreadsheet/reader_service.h"
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

namespace {

// What a reader of a large worksheet allocates, about: the cells' texts, the XML reader's
// buffers and the answer.
constexpr std::size_t kReaderHeapBytes = std::size_t{4} << 20;

// A forked reader faults on each page of heap it first writes, and a fault costs far
// more than making the pages ready at once (some twenty times more on a virtual
// machine). So the allocations of a typical reader come from the one heap, which keeps
// what it grew while the reader runs, and each reader grows it by that much in one call.
// Larger allocations are still mapped of their own, so that a large workbook's buffers
// leave no holes in the heap. Hints only: where the allocator or the system refuses them
// (the address sanitizer's allocator takes no options), the pages come one fault at a
// time.
void KeepOneHeap() {
  constexpr int kHeapAllocationBytes = 2 * static_cast<int>(kReaderHeapBytes);
  ::mallopt(M_MMAP_THRESHOLD, kHeapAllocationBytes);
  ::mallopt(M_TRIM_THRESHOLD, kHeapAllocationBytes);
}

void PopulateHeap() {
  void* const block = std::malloc(kReaderHeapBytes);
  if (!block) return;
  const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
  const auto start = (reinterpret_cast<std::uintptr_t>(block) + page - 1) / page * page;
  const auto end = (reinterpret_cast<std::uintptr_t>(block) + kReaderHeapBytes) / page * page;
  ::madvise(reinterpret_cast<void*>(start), end - start, MADV_POPULATE_WRITE);
  std::free(block);
}

int AnswerWorkbook(WorkbookKind kind) {
  PopulateHeap();
  // The readers open the file by name: the name of the descriptor, never a path.
  const QString file = QStringLiteral("/proc/self/fd/0");
  const WorksheetTexts result =
      kind == WorkbookKind::Xls ? ReadXlsWorksheet(file) : ReadXlsxWorksheet(file);
  const QByteArray answer = EncodeWorksheetAnswer(result);
  UniqueFd out(STDOUT_FILENO);
  return out.WriteAll(answer.constData(), static_cast<std::size_t>(answer.size())) == 0 &&
                 out.Close() == 0
             ? 0
             : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 || std::string_view(argv[1]) != "serve") return 2;
  KeepOneHeap();
  return ServeReaders(STDIN_FILENO, AnswerWorkbook);
}
