// Feeds arbitrary bytes to the table file reader; a table it accepts is written back
// and must read again as the same table.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "render/table/table_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TableFile table;
  const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  if (DecodeTableFile(bytes, &table) != TableRead::Ok) return 0;
  TableFile again;
  if (DecodeTableFile(EncodeTableFile(table), &again) != TableRead::Ok ||
      again.rowHeights != table.rowHeights || again.colWidths != table.colWidths ||
      again.cells.size() != table.cells.size()) {
    std::abort();
  }
  return 0;
}
