#include "sdk/generate/bit_planes.h"

#include <array>
#include <atomic>
#include <cstring>

#include "model/common/little_endian.h"

#if defined(__x86_64__)
#include <immintrin.h>
#define KQ_HAVE_SSSE3_PATH 1
#endif

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

std::atomic<bool> vectorAllowed{true};

#ifdef KQ_HAVE_SSSE3_PATH
// Byte shuffles that gather the bytes of one channel (offset 0 blue, 1 green, 2 red
// in a pixel) of 16 pixels from the three 16-byte parts of their 48 bytes; lanes of
// other parts are zeroed (0x80).
struct ChannelShuffles {
  alignas(16) std::uint8_t lanes[3][16];
};
constexpr ChannelShuffles MakeShuffles(int channelOffset) {
  ChannelShuffles shuffles{};
  for (int part = 0; part < 3; ++part) {
    for (int pixel = 0; pixel < 16; ++pixel) {
      const int byte = 3 * pixel + channelOffset;
      shuffles.lanes[part][pixel] =
          static_cast<std::uint8_t>(byte / 16 == part ? byte % 16 : 0x80);
    }
  }
  return shuffles;
}
// Planes red, green, blue.
constexpr ChannelShuffles kShuffles[3] = {MakeShuffles(2), MakeShuffles(1), MakeShuffles(0)};

// The lit bits of 16 pixels of one channel, bit i for pixel i.
__attribute__((target("ssse3"))) inline unsigned LitBitsOf16(const __m128i* parts,
                                                            const __m128i* lanes) {
  const __m128i channel =
      _mm_or_si128(_mm_or_si128(_mm_shuffle_epi8(parts[0], lanes[0]),
                                _mm_shuffle_epi8(parts[1], lanes[1])),
                   _mm_shuffle_epi8(parts[2], lanes[2]));
  return static_cast<unsigned>(_mm_movemask_epi8(channel));
}

// Converts the whole 32-pixel groups of a row into one plane row; returns how many
// pixels that was. The lit bits stream through a carry, so every byte but the last
// is written whole; the bits before the first pixel are not lit and come out 1.
__attribute__((target("ssse3"))) int ConvertGroupsOf32(std::uint8_t* out,
                                                       const __m128i* lanes,
                                                       const std::uint8_t* pixels,
                                                       int width, int startBit) {
  std::uint64_t carry = 0;
  int x = 0;
  for (; x + 32 <= width; x += 32) {
    const auto* group = reinterpret_cast<const __m128i*>(pixels + x * kPixelBytes);
    const __m128i first[3] = {_mm_loadu_si128(group), _mm_loadu_si128(group + 1),
                              _mm_loadu_si128(group + 2)};
    const __m128i second[3] = {_mm_loadu_si128(group + 3), _mm_loadu_si128(group + 4),
                               _mm_loadu_si128(group + 5)};
    const std::uint64_t lit = LitBitsOf16(first, lanes) | LitBitsOf16(second, lanes) << 16;
    const std::uint64_t bits = lit << startBit | carry;
    WriteLe32(out + x / 8, ~bits);
    carry = bits >> 32;
  }
  if (x > 0 && startBit != 0) {
    out[x / 8] = static_cast<std::uint8_t>(out[x / 8] & ~static_cast<unsigned>(carry));
  }
  return x;
}

// Converts the whole 32-pixel groups of a row into every plane, one plane after the
// other (the row stays in the cache); returns how many pixels that was.
__attribute__((target("ssse3"))) int ConvertGroupsOf32(std::uint8_t* const* rows,
                                                       int colorType,
                                                       const std::uint8_t* pixels,
                                                       int width, int startBit) {
  int done = 0;
  for (int plane = 0; plane < colorType; ++plane) {
    __m128i lanes[3];
    for (int part = 0; part < 3; ++part) {
      lanes[part] =
          _mm_load_si128(reinterpret_cast<const __m128i*>(kShuffles[plane].lanes[part]));
    }
    done = ConvertGroupsOf32(rows[plane], lanes, pixels, width, startBit);
  }
  return done;
}

bool UseVectorPath() {
  static const bool supported = __builtin_cpu_supports("ssse3");
  return supported && vectorAllowed.load(std::memory_order_relaxed);
}
#endif

// Converts one picture row into the rows at rows[0..colorType).
void ConvertRow(std::uint8_t* const* rows, int colorType, const std::uint8_t* pixels,
                int width, int startBit) {
  // Channel c of the planes red, green, blue is byte 2 - c of a pixel.
  int x = 0;
#ifdef KQ_HAVE_SSSE3_PATH
  if (UseVectorPath()) x = ConvertGroupsOf32(rows, colorType, pixels, width, startBit);
#endif
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

void AllowVectorBitPlanes(bool allowed) { vectorAllowed.store(allowed); }

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
