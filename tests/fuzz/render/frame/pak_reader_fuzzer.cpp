// Feeds arbitrary bytes to the frame-file readers as a file: every header must be
// either refused or read to its end without reading or writing out of bounds.

#include <QImage>
#include <QTemporaryFile>

#include <cstddef>
#include <cstdint>

#include "render/frame/pak_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  QTemporaryFile file;
  if (!file.open()) return 0;
  file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
  file.flush();

  CPakReader reader;
  if (!reader.Open(file.fileName()) || reader.ReadHeader(0) == 0) return 0;
  const PakFileHeader& header = reader.Header();
  // Targets smaller and larger than the frames, as players have them.
  QImage target(header.Width / 2 + 1, header.Height + 1, QImage::Format_RGB32);
  int width = 0;
  int height = 0;
  while (reader.DrawNextFrame(&width, &height, target) == 1) {
  }
  return 0;
}
