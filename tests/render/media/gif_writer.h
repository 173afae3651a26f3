#pragma once
// Writes small GIFs for tests: every frame one colour of a four-colour table, with the
// delay (hundredths of a second) its Graphic Control Extension stores.

#include <QByteArray>

#include <cstdint>
#include <vector>

namespace giftest {

enum Color : std::uint8_t { kBlack, kRed, kLime, kBlue };

struct Frame {
  Color color;
  int delay;
};

// The LZW codes are 3 bits wide: a clear code after every two pixels keeps them so.
inline QByteArray ImageData(Color color, int pixels) {
  constexpr int kClear = 4, kEnd = 5;
  std::vector<int> codes{kClear};
  for (int i = 0; i < pixels; ++i) {
    if (i > 0 && i % 2 == 0) codes.push_back(kClear);
    codes.push_back(color);
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

inline QByteArray Gif(const std::vector<Frame>& frames, int width = 4, int height = 2) {
  auto le16 = [](int value) { return QByteArray{} + char(value & 0xFF) + char(value >> 8); };
  QByteArray gif = "GIF89a" + le16(width) + le16(height) + QByteArray("\x81\0\0", 3);
  gif += QByteArray("\0\0\0\xFF\0\0\0\xFF\0\0\0\xFF", 12);
  for (const Frame& frame : frames) {
    gif += QByteArray("\x21\xF9\x04\x04", 4) + le16(frame.delay) + QByteArray(2, '\0');
    gif += "\x2C" + le16(0) + le16(0) + le16(width) + le16(height) + QByteArray(1, '\0');
    gif += ImageData(frame.color, width * height);
  }
  return gif + "\x3B";
}

}  // namespace giftest
