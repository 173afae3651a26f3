#include "sdk/bit_planes.h"

#include <array>
#include <cstring>

namespace {

constexpr int kPixelBytes = 3;  // blue, green, red

// Bit i of the result is the top bit of byte i of v.
inline unsigned TopBits(std::uint64_t v) {
  return static_cast<unsigned>((((v >> 7) & 0x0101010101010101ULL) * 0x0102040810204080ULL) >> 56);
}

// For the top bits of 4 pixels' 12 bytes (bit 3p + c is channel c of pixel p, c = 0
// blue, 1 green, 2 red), the pixels' lit bits per channel: red in bits 0-3, green
// in 4-7, blue in 8-11.
constexpr std::array<std::uint16_t, 4096> MakeChannelTable() {
  std::array<std::uint16_t, 4096> table{};
  for (unsigned index = 0; index < 4096; ++index) {
    unsigned value = 0;
    for (unsigned pixel = 0; pixel < 4; ++pixel) {
      value |= ((index >> (3 * pixel + 2)) & 1U) << pixel;
      value |= ((index >> (3 * pixel + 1)) & 1U) << (4 + pixel);
      value |= ((index >> (3 * pixel)) & 1U) << (8 + pixel);
    }
    table[index] = static_cast<std::uint16_t>(value);
  }
  return table;
}
constexpr std::array<std::uint16_t, 4096> kChannelTable = MakeChannelTable();

// The lit bits of 8 pixels (24 bytes) per channel: [0] red, [1] green, [2] blue.
inline std::array<unsigned, 3> LitBitsOf8(const std::uint8_t* pixels) {
  std::uint64_t words[3];
  std::memcpy(words, pixels, sizeof words);
  const unsigned tops = TopBits(words[0]) | TopBits(words[1]) << 8 | TopBits(words[2]) << 16;
  const unsigned low = kChannelTable[tops & 0xFFF];
  const unsigned high = kChannelTable[tops >> 12];
  return {(low & 0xF) | (high & 0xF) << 4, (low >> 4 & 0xF) | (high & 0xF0),
          (low >> 8 & 0xF) | (high >> 4 & 0xF0)};
}

// Clears the lit bits, shifted to startBit, in byte and the byte after it.
inline void ClearLit(std::uint8_t* byte, unsigned lit, int startBit) {
  const unsigned shifted = lit << startBit;
  byte[0] = static_cast<std::uint8_t>(byte[0] & ~shifted);
  if (startBit != 0) byte[1] = static_cast<std::uint8_t>(byte[1] & ~(shifted >> 8));
}

// Converts one picture row into the rows at rows[0..colorType).
void ConvertRow(std::uint8_t* const* rows, int colorType, const std::uint8_t* pixels,
                int width, int startBit) {
  // Channel c of the planes red, green, blue is byte 2 - c of a pixel.
  int x = 0;
  for (; x + 8 <= width; x += 8) {
    const std::array<unsigned, 3> lit = LitBitsOf8(pixels + x * kPixelBytes);
    const int offset = (startBit + x) / 8;
    for (int plane = 0; plane < colorType; ++plane) {
      ClearLit(rows[plane] + offset, lit[plane], startBit);
    }
  }
  for (; x < width; ++x) {
    const std::uint8_t* pixel = pixels + x * kPixelBytes;
    const int bit = startBit + x;
    for (int plane = 0; plane < colorType; ++plane) {
      if (pixel[2 - plane] & 0x80) {
        rows[plane][bit / 8] = static_cast<std::uint8_t>(rows[plane][bit / 8] & ~(1U << (bit % 8)));
      }
    }
  }
}

}  // namespace

std::int64_t PlaneRowBytes(std::int64_t x, std::int64_t width) {
  return (x + width + 7) / 8 - x / 8;
}

bool DibToBitPlanes(std::uint8_t* output, std::size_t planeSize, int colorType,
                    const std::uint8_t* bits, int width, int height, std::size_t stride,
                    int startBit) {
  if (colorType < 1 || colorType > 3 || startBit < 0 || startBit > 7) return false;
  if (width < 1 || height < 1 || stride < std::size_t(width) * kPixelBytes) return false;
  const std::int64_t rowBytes = PlaneRowBytes(startBit, width);
  if (std::int64_t(planeSize) / height < rowBytes) return false;
  for (int y = 0; y < height; ++y) {
    // Output rows run from the top of the picture, the last stored row.
    const std::uint8_t* pixels = bits + std::size_t(height - 1 - y) * stride;
    std::uint8_t* rows[3];
    for (int plane = 0; plane < colorType; ++plane) {
      rows[plane] = output + plane * planeSize + y * rowBytes;
    }
    ConvertRow(rows, colorType, pixels, width, startBit);
  }
  return true;
}

std::int64_t GetPageDataSize(const CardRect& area, int colorType, int frameCount,
                             std::int64_t& planeSize) {
  planeSize = PlaneRowBytes(area.left, area.Width()) * area.Height();
  return (planeSize * colorType + 8) * frameCount;
}
