// Feeds arbitrary bytes to the RTF reader, bounds what it read as a page keeps it,
// and feeds that to the writer and the reader again: nothing may read out of
// bounds, overflow or run away, and the bound holds.

#include <QByteArrayView>

#include <cstddef>
#include <cstdint>

#include "render/text/rtf_reader.h"
#include "render/text/rtf_writer.h"
#include "render/text/text_bounds.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  RichParagraphs read =
      ReadRtf(QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
  // Bounded as a page keeps it; for odd sizes in a small room, so that cuts are
  // reached as well as the breaking of long lines.
  const qsizetype room = size % 2 ? static_cast<qsizetype>(size % 64) : kMaxRichTextUnits;
  BoundParagraphs(read, room);
  qsizetype units = read.empty() ? 0 : static_cast<qsizetype>(read.size()) - 1;
  for (const RichParagraph& paragraph : read) {
    for (const RichRun& run : paragraph.runs) units += run.text.size() - run.text.count(kLineBreak);
  }
  if (units > room) std::abort();
  ReadRtf(WriteRtf(read));
  return 0;
}
