// A reader service whose readers run a shell script instead of reading the workbook:
//   fake_reader_service SCRIPT serve
// Each reader runs /bin/sh SCRIPT with the request's workbook and answer pipe as its
// standard input and output, so that a test can make readers misbehave in every way.
#include <unistd.h>

#include "editors/spreadsheet/reader_service.h"

namespace {

const char* script = nullptr;

int RunScript(WorkbookKind) {
  ::execl("/bin/sh", "sh", script, static_cast<char*>(nullptr));
  return 127;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  script = argv[1];
  return ServeReaders(STDIN_FILENO, RunScript);
}
