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

// Whether pixel (x, y) is lit in a plane of rows rowBytes long whose first pixel is at
// startBit: a lit pixel is a 0 bit, least significant bit first.
inline bool Lit(const std::uint8_t* plane, int rowBytes, int startBit, int x, int y) {
  const int bit = startBit + x;
  return ((plane[y * rowBytes + bit / 8] >> (bit % 8)) & 1) == 0;
}

inline void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  ASSERT_EQ(file.write(bytes), bytes.size());
}

// One GIF frame covering the whole picture: colour indices row by row from the top
// (0 black, 1 red, 2 green, 3 blue) and its delay in hundredths of a second.
struct GifFrame {
  std::vector<std::uint8_t> pixels;
  int delay = 0;
};

// Packs LZW codes of 3 bits least significant bit first. A clear code after every
// two pixels keeps the code table, and so the code width, from growing.
inline QByteArray GifImageData(const std::vector<std::uint8_t>& pixels) {
  constexpr int kClear = 4;
  constexpr int kEnd = 5;
  std::vector<int> codes;
  for (size_t i = 0; i < pixels.size(); ++i) {
    if (i % 2 == 0) codes.push_back(kClear);
    codes.push_back(pixels[i]);
  }
  codes.push_back(kEnd);
  QByteArray packed;
  unsigned buffer = 0;
  int bits = 0;
  for (int code : codes) {
    buffer |= static_cast<unsigned>(code) << bits;
    bits += 3;
    for (; bits >= 8; bits -= 8, buffer >>= 8) packed.append(static_cast<char>(buffer & 0xFF));
  }
  if (bits > 0) packed.append(static_cast<char>(buffer & 0xFF));
  QByteArray data(1, char{2});  // minimum code size: 4 colours
  for (qsizetype at = 0; at < packed.size(); at += 255) {
    const QByteArray block = packed.mid(at, 255);
    data.append(static_cast<char>(block.size())).append(block);
  }
  return data.append(char{0});
}

inline void AppendU16(QByteArray& bytes, int value) {
  bytes.append(static_cast<char>(value & 0xFF)).append(static_cast<char>((value >> 8) & 0xFF));
}

// A GIF89a of width x height with a 4-colour table and the frames in order. With
// extras, a looping application extension and a comment come before the first
// frame's delay, as many files have them.
inline QByteArray MakeGif(int width, int height, const std::vector<GifFrame>& frames,
                          bool extras = false) {
  QByteArray gif("GIF89a");
  AppendU16(gif, width);
  AppendU16(gif, height);
  gif.append(char(0x81)).append(char{0}).append(char{0});  // global table of 4 colours
  gif.append(QByteArray::fromHex("000000" "ff0000" "00ff00" "0000ff"));
  if (extras) {
    gif.append(QByteArray::fromHex("21ff0b")).append("NETSCAPE2.0");
    gif.append(QByteArray::fromHex("0301000000"));
    gif.append(QByteArray::fromHex("21fe05")).append("hello").append(char{0});
  }
  for (const GifFrame& frame : frames) {
    gif.append(QByteArray::fromHex("21f90404"));  // graphic control: keep the frame
    AppendU16(gif, frame.delay);
    gif.append(char{0}).append(char{0});
    gif.append(char(0x2C));
    AppendU16(gif, 0);
    AppendU16(gif, 0);
    AppendU16(gif, width);
    AppendU16(gif, height);
    gif.append(char{0});
    gif.append(GifImageData(frame.pixels));
  }
  return gif.append(char(0x3B));
}

}  // namespace pagetest
