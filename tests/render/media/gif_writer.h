#pragma once
// Writes small GIFs for tests in a four-colour table: frames of one colour with the
// delay (hundredths of a second) their Graphic Control Extension stores, or images
// of any pixels at a place of the screen with a disposal method and a transparent
// colour, interlaced or not.

#include <QByteArray>

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace giftest {

enum Color : std::uint8_t { kBlack, kRed, kLime, kBlue };

struct Frame {
  Color color;
  int delay;
};

struct Image {
  int left, top, width, height;
  std::vector<Color> pixels;  // row by row
  int disposal = 0;
  int transparent = -1;  // the transparent colour, -1 for none
  bool interlaced = false;
};

// The LZW codes are 3 bits wide: a clear code after every two pixels keeps them so.
inline QByteArray ImageData(const std::vector<Color>& pixels) {
  constexpr int kClear = 4, kEnd = 5;
  std::vector<int> codes{kClear};
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    if (i > 0 && i % 2 == 0) codes.push_back(kClear);
    codes.push_back(pixels[i]);
  }
  codes.push_back(kEnd);
  QByteArray packed;
  int bits = 0, used = 0;
  for (const int code : codes) {
    bits |= code << used;
    for (used += 3; used >= 8; used -= 8, bits >>= 8) packed.append(char(bits & 0xFF));
  }
  if (used > 0) packed.append(char(bits & 0xFF));
  QByteArray blocks(1, 2);  // minimum code size
  for (int at = 0; at < packed.size(); at += 255) {
    const QByteArray block = packed.mid(at, 255);
    blocks.append(char(block.size())).append(block);
  }
  return blocks.append('\0');
}

inline QByteArray Le16(int value) { return QByteArray{} + char(value & 0xFF) + char(value >> 8); }

inline QByteArray Screen(int width, int height) {
  return "GIF89a" + Le16(width) + Le16(height) + QByteArray("\x81\0\0", 3) +
         QByteArray("\0\0\0\xFF\0\0\0\xFF\0\0\0\xFF", 12);
}

inline QByteArray Gif(const std::vector<Frame>& frames, int width = 4, int height = 2) {
  QByteArray gif = Screen(width, height);
  for (const Frame& frame : frames) {
    gif += QByteArray("\x21\xF9\x04\x04", 4) + Le16(frame.delay) + QByteArray(2, '\0');
    gif += "\x2C" + Le16(0) + Le16(0) + Le16(width) + Le16(height) + QByteArray(1, '\0');
    gif += ImageData(std::vector<Color>(width * height, frame.color));
  }
  return gif + "\x3B";
}

inline QByteArray Gif(const std::vector<Image>& images, int width, int height) {
  QByteArray gif = Screen(width, height);
  for (const Image& image : images) {
    const char flags = char(image.disposal << 2 | (image.transparent >= 0 ? 1 : 0));
    gif += QByteArray("\x21\xF9\x04", 3) + flags + Le16(10) + char(std::max(image.transparent, 0)) +
           '\0';
    gif += "\x2C" + Le16(image.left) + Le16(image.top) + Le16(image.width) + Le16(image.height) +
           char(image.interlaced ? 0x40 : 0);
    std::vector<Color> rows;  // in the order the file keeps them
    for (const auto& [start, step] :
         image.interlaced ? std::vector<std::pair<int, int>>{{0, 8}, {4, 8}, {2, 4}, {1, 2}}
                          : std::vector<std::pair<int, int>>{{0, 1}}) {
      for (int y = start; y < image.height; y += step) {
        rows.insert(rows.end(), image.pixels.begin() + y * image.width,
                    image.pixels.begin() + (y + 1) * image.width);
      }
    }
    gif += ImageData(rows);
  }
  return gif + "\x3B";
}

}  // namespace giftest
