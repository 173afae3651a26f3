#pragma once
// Helpers of the page and border generator tests: reading the cards' planes back
// pixel by pixel, and GIF files written byte by byte (Qt has no GIF writer).

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstdint>
#include <vector>

namespace pagetest {

// Whether pixel (x, y) is lit (a 0 bit) in a plane of rows rowBytes long whose first
// pixel is at bit startBit, least significant bit first.
inline bool Lit(const std::uint8_t* plane, int rowBytes, int startBit, int x, int y) {
  const int bit = startBit + x;
  return ((plane[y * rowBytes + bit / 8] >> (bit % 8)) & 1) == 0;
}

inline void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  ASSERT_EQ(file.write(bytes), bytes.size());
}

// One GIF frame over the whole picture: colour indices from the top row (0 black,
// 1 red, 2 green, 3 blue) and the delay in hundredths of a second.
struct GifFrame {
  std::vector<std::uint8_t> pixels;
  int delay = 0;
};

inline QByteArray U16(int value) {
  return QByteArray{1, static_cast<char>(value & 0xFF)}.append(static_cast<char>(value >> 8));
}

// LZW data of 3-bit codes, least significant bit first; a clear code (4) before every
// two pixels keeps the code width from growing, then the end code (5).
inline QByteArray GifImageData(const std::vector<std::uint8_t>& pixels) {
  QByteArray packed;
  unsigned buffer = 0;
  int bits = 0;
  const auto put = [&](unsigned code) {
    buffer |= code << bits;
    for (bits += 3; bits >= 8; bits -= 8, buffer >>= 8) packed.append(static_cast<char>(buffer));
  };
  for (size_t i = 0; i < pixels.size(); ++i) {
    if (i % 2 == 0) put(4);
    put(pixels[i]);
  }
  put(5);
  if (bits > 0) packed.append(static_cast<char>(buffer));
  QByteArray data(1, char{2});  // minimum code size for 4 colours
  for (qsizetype at = 0; at < packed.size(); at += 255) {
    data.append(static_cast<char>(packed.mid(at, 255).size())).append(packed.mid(at, 255));
  }
  return data.append(char{0});
}

// A GIF89a with a 4-colour table; with extras, a looping application extension and a
// comment come before the first frame's graphic control, as in many files.
inline QByteArray MakeGif(int width, int height, const std::vector<GifFrame>& frames,
                          bool extras = false) {
  QByteArray gif = QByteArray("GIF89a") + U16(width) + U16(height);
  gif.append(
      QByteArray::fromHex("810000"
                          "000000ff000000ff000000ff"));
  if (extras)
    gif.append(QByteArray::fromHex("21ff0b") + "NETSCAPE2.0" +
               QByteArray::fromHex("030100000021fe0568656c6c6f00"));
  for (const GifFrame& frame : frames) {
    gif.append(QByteArray::fromHex("21f90404") + U16(frame.delay) + QByteArray(2, 0));
    gif.append(QByteArray(1, 0x2C) + U16(0) + U16(0) + U16(width) + U16(height) + QByteArray(1, 0));
    gif.append(GifImageData(frame.pixels));
  }
  return gif.append(char{0x3B});
}

}  // namespace pagetest
