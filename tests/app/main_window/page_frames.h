#pragma once
// What the send tests compare: the frames of a frame file as pictures, and a card's
// frame against one of them as a red and green screen shows it.

#include <QImage>

#include <vector>

#include "render/frame/pak_file.h"
#include "render/frame/pak_frame_reader.h"
#include "tests/support/display_data_codec.h"

namespace apptest {

// The frames of the frame file of the content whose GUID text is name.
inline std::vector<QImage> FrameFileFrames(const QString& name) {
  std::vector<QImage> frames;
  PakFrameReader reader;
  if (!reader.Open(PakFramePath(name)) || reader.ReadHeader() != PakCheck::Ok) {
    return frames;
  }
  while (reader.ReadNextFrame()) frames.push_back(reader.Frame().ToImage());
  return frames;
}

// Pixels of the card's frame (planes of the whole area, two colours) that differ from
// the picture's red and green channels, each lit at 128 or more; -1 when the planes
// cannot be read.
inline int WrongPixels(const emu::PageFrame& frame, const QImage& picture) {
  std::vector<std::uint8_t> pixels;
  if (!emu::PlanesToPixels(frame.planes, 0, picture.width(), picture.height(), 2, pixels).empty())
    return -1;
  int wrong = 0;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      const QRgb pixel = picture.pixel(x, y);
      const int lit = (qRed(pixel) >= 128 ? 1 : 0) | (qGreen(pixel) >= 128 ? 2 : 0);
      wrong += pixels[std::size_t(y) * picture.width() + x] != lit;
    }
  }
  return wrong;
}

}  // namespace apptest
