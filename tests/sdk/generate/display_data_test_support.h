#pragma once
// Helpers of the display-data tests: owned program sets, page files in the test's
// program folder, and the set's data read back through the emulator's decoder.

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

#include "model/common/app_dir.h"
#include "render/frame/pak_writer.h"
#include "render/raster/dib24.h"
#include "sdk/Corvanix.h"
#include "sdk/generate/display_data.h"
#include "tests/support/display_data_codec.h"

namespace ddtest {

struct HandleDeleter {
  void operator()(ProgramSetTag* handle) const { KQ_DeleteProgram(handle); }
};
using OwnedProgram = std::unique_ptr<ProgramSetTag, HandleDeleter>;

inline const char16_t* Utf16(const QString& text) {
  return reinterpret_cast<const char16_t*>(text.utf16());
}

inline QString TestFile(const QString& name) { return GetAppDir() + name; }

// A picture whose pixels run through channel values on both sides of 128.
inline QImage Pattern(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      image.setPixel(
          x, y, qRgb((x * 37 + y * 11) % 256, (x * 5 + y * 71) % 256, (x * y * 13 + 127) % 256));
    }
  }
  return image;
}

// The channels of a pixel at 128 or more, as the decoder gives them (bit 0 red).
inline std::uint8_t LitBits(QRgb pixel, int colorType) {
  const int channels[3] = {qRed(pixel), qGreen(pixel), qBlue(pixel)};
  std::uint8_t bits = 0;
  for (int plane = 0; plane < colorType; ++plane) {
    if (channels[plane] >= 128) bits |= std::uint8_t(1 << plane);
  }
  return bits;
}

// Writes frames of one size into a frame file; returns its path.
inline QString WriteFrameFile(const QString& name, const std::vector<QImage>& frames,
                              int lastExtent = 0) {
  const QString path = TestFile(name);
  PakWriter writer;
  EXPECT_TRUE(writer.Open(path, frames.at(0).width(), frames.at(0).height(), 0));
  for (const QImage& frame : frames) EXPECT_TRUE(writer.AppendFrame(Dib24::FromImage(frame)));
  EXPECT_TRUE(writer.Finish(lastExtent));
  return path;
}

// The set's data after a generation that must succeed, decoded.
inline emu::DisplayData Generated(ProgramHandle handle, DisplaySnapshot* snapshot = nullptr) {
  DisplaySnapshot data;
  EXPECT_EQ(SnapshotDisplayData(handle, data), KQ_OK);
  emu::DisplayData decoded;
  if (!data) {
    ADD_FAILURE() << "no display data";
    return decoded;
  }
  EXPECT_EQ(emu::DecodeDisplayData(*data, decoded), "");
  if (snapshot) *snapshot = data;
  return decoded;
}

// Checks that a frame's planes are the picture thresholded at 128.
inline void ExpectFrameShows(const emu::PageFrame& frame, const emu::DisplayArea& area,
                             const QImage& picture, int colorType) {
  std::vector<std::uint8_t> pixels;
  ASSERT_EQ(emu::PlanesToPixels(frame.planes, area.left, picture.width(), picture.height(),
                                colorType, pixels),
            "");
  int wrong = 0;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      if (pixels[std::size_t(y) * picture.width() + x] != LitBits(picture.pixel(x, y), colorType)) {
        ++wrong;
      }
    }
  }
  EXPECT_EQ(wrong, 0);
}

}  // namespace ddtest
