// Feeds arbitrary bytes to the GIF delay reader: it must walk any of them to an end
// without reading out of bounds, and find no more images than the bytes can hold.

#include <QBuffer>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "render/raster/gif_delays.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  QBuffer buffer;
  buffer.setData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  if (!buffer.open(QIODevice::ReadOnly)) return 0;
  // An image takes at least its separator and 9 descriptor bytes.
  if (GifFrameDelays(buffer).size() > size / 10) std::abort();
  return 0;
}
