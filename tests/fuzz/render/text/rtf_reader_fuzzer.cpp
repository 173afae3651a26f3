// Feeds arbitrary bytes to the RTF reader and what it read to the writer and the
// reader again: nothing may read out of bounds, overflow or run away.

#include <QByteArrayView>

#include <cstddef>
#include <cstdint>

#include "render/text/rtf_reader.h"
#include "render/text/rtf_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const RichParagraphs read =
      ReadRtf(QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
  ReadRtf(WriteRtf(read));
  return 0;
}
