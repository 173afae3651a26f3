// Feeds arbitrary bytes, named as a GIF, to the GIF frame composer: every frame it
// gives must be a 32-bit picture within kMaxGifPixels, and it must come to an end.

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "render/raster/gif_frames.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  if (!bytes.startsWith("GIF")) return 0;  // other pictures go to Qt's reader
  PictureFile file;
  GifFrames frames;
  if (!file.Take(bytes, QStringLiteral("fuzz.gif")) || !frames.Open(file)) return 0;
  // An image takes at least its separator, 9 descriptor bytes and a code size.
  for (std::size_t shown = 0;; ++shown) {
    const QImage frame = frames.Next();
    if (frame.isNull()) break;
    if (shown > size / 11 || frame.format() != QImage::Format_ARGB32 ||
        std::int64_t{frame.width()} * frame.height() > kMaxGifPixels) {
      std::abort();
    }
  }
  return 0;
}
