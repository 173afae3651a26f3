#include "sdk/generate/bit_planes.h"

#include <array>
#include <atomic>
#include <bit>
#include <cstring>

#include "model/common/little_endian.h"

#if defined(__x86_64__)
#include <immintrin.h>
#define KQ_HAVE_X86_VECTORS 1
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
std::atomic<bool> wideVectorAllowed{true};

#ifdef KQ_HAVE_X86_VECTORS
// Streams the lit bits of a row's 64-pixel groups into the first Planes plane rows
// from startBit on. Every byte but the last is written whole, so the bits before the
// first pixel, which are not lit, come out 1; Finish clears the lit bits carried into
// the last byte. The plane count is a template argument so that the carries stay in
// registers.
template <int Planes>
class GroupWriter {
 public:
  GroupWriter(std::uint8_t* const* rows, int startBit) : startBit_(startBit) {
    for (int plane = 0; plane < Planes; ++plane) out_[plane] = rows[plane];
  }

  // lit: bit i for pixel x + i, x a multiple of 64.
  void Write(int plane, int x, std::uint64_t lit) {
    // x86 is little-endian: the 8 bytes go out in the planes' bit order.
    const std::uint64_t bits = ~(lit << startBit_ | carry_[plane]);
    std::memcpy(out_[plane] + x / 8, &bits, sizeof bits);
    carry_[plane] = startBit_ != 0 ? lit >> (64 - startBit_) : 0;
  }

  // x: the pixels written.
  void Finish(int x) {
    if (x == 0 || startBit_ == 0) return;
    for (int plane = 0; plane < Planes; ++plane) {
      out_[plane][x / 8] = static_cast<std::uint8_t>(out_[plane][x / 8] & ~carry_[plane]);
    }
  }

 private:
  std::uint8_t* out_[Planes];  // copies: stores through them cannot change them
  std::uint64_t carry_[Planes] = {};
  int startBit_;
};

// 256-bit vectors: the top bits of 64 pixels' 192 bytes come as three words of 64
// bytes each. The bits of the channel at byte offset c of a pixel (0 blue, 1 green,
// 2 red) are those of bytes 3p + c: in word k, which starts at byte 64k, the
// positions j with (64k + j) mod 3 = c.
constexpr std::uint64_t ChannelMask(int offset, int word) {
  std::uint64_t mask = 0;
  for (int j = 0; j < 64; ++j) {
    if ((64 * word + j) % 3 == offset) mask |= std::uint64_t{1} << j;
  }
  return mask;
}
struct ChannelMasks {
  std::uint64_t words[3];
  int firstCount;   // pixels whose channel byte lies in word 0
  int secondCount;  // in words 0 and 1
};
constexpr ChannelMasks MakeMasks(int offset) {
  const std::uint64_t first = ChannelMask(offset, 0);
  const std::uint64_t second = ChannelMask(offset, 1);
  return {{first, second, ChannelMask(offset, 2)},
          std::popcount(first),
          std::popcount(first) + std::popcount(second)};
}
// Planes red, green, blue.
constexpr ChannelMasks kMasks[3] = {MakeMasks(2), MakeMasks(1), MakeMasks(0)};

// The top bits of 64 bytes, bit i for byte i.
__attribute__((target("avx2"))) inline std::uint64_t TopBitsOf64(const std::uint8_t* bytes) {
  const auto low = static_cast<std::uint32_t>(
      _mm256_movemask_epi8(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(bytes))));
  const auto high = static_cast<std::uint32_t>(
      _mm256_movemask_epi8(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(bytes + 32))));
  return low | std::uint64_t{high} << 32;
}

// Converts the whole 64-pixel groups of a row: one move-mask per 32 bytes, then one
// bit extract per word and plane. Returns how many pixels that was.
template <int Planes>
__attribute__((target("avx2,bmi2"))) int ConvertGroupsOf64(std::uint8_t* const* rows,
                                                           const std::uint8_t* pixels, int width,
                                                           int startBit) {
  GroupWriter<Planes> writer(rows, startBit);
  int x = 0;
  for (; x + 64 <= width; x += 64) {
    const std::uint8_t* group = pixels + x * kPixelBytes;
    const std::uint64_t words[3] = {TopBitsOf64(group), TopBitsOf64(group + 64),
                                    TopBitsOf64(group + 128)};
#pragma GCC unroll 3
    for (int plane = 0; plane < Planes; ++plane) {
      constexpr ChannelMasks kPlaneMasks[3] = {kMasks[0], kMasks[1], kMasks[2]};
      const ChannelMasks& masks = kPlaneMasks[plane];
      writer.Write(plane, x,
                   _pext_u64(words[0], masks.words[0]) |
                       _pext_u64(words[1], masks.words[1]) << masks.firstCount |
                       _pext_u64(words[2], masks.words[2]) << masks.secondCount);
    }
  }
  writer.Finish(x);
  return x;
}

// 512-bit vectors with byte permutes: a plane's 64 channel bytes of a group, bytes
// 3p + c of its three vectors, are gathered by one two-vector permute from the first
// two and one masked permute from the third; one mask move then gives their top bits.
struct PlanePermutes {
  std::uint8_t fromFirstTwo[64];  // byte 3p + c of vectors 0 and 1 (index bit 6 picks 1)
  std::uint8_t fromThird[64];     // byte 3p + c - 128 of vector 2
  std::uint64_t third;            // the pixels p whose byte lies in vector 2
};
constexpr PlanePermutes MakePermutes(int offset) {
  PlanePermutes permutes{};
  for (int p = 0; p < 64; ++p) {
    const int byte = 3 * p + offset;
    permutes.fromFirstTwo[p] = static_cast<std::uint8_t>(byte % 128);
    permutes.fromThird[p] = static_cast<std::uint8_t>(byte % 64);
    if (byte >= 128) permutes.third |= std::uint64_t{1} << p;
  }
  return permutes;
}
// Planes red, green, blue.
constexpr PlanePermutes kPermutes[3] = {MakePermutes(2), MakePermutes(1), MakePermutes(0)};

template <int Planes>
__attribute__((target("avx512f,avx512bw,avx512vbmi"))) int ConvertGroupsOf64Wide(
    std::uint8_t* const* rows, const std::uint8_t* pixels, int width, int startBit) {
  __m512i fromFirstTwo[Planes];
  __m512i fromThird[Planes];
  for (int plane = 0; plane < Planes; ++plane) {
    fromFirstTwo[plane] = _mm512_loadu_si512(kPermutes[plane].fromFirstTwo);
    fromThird[plane] = _mm512_loadu_si512(kPermutes[plane].fromThird);
  }
  GroupWriter<Planes> writer(rows, startBit);
  int x = 0;
  for (; x + 64 <= width; x += 64) {
    const std::uint8_t* group = pixels + x * kPixelBytes;
    const __m512i first = _mm512_loadu_si512(group);
    const __m512i second = _mm512_loadu_si512(group + 64);
    const __m512i third = _mm512_loadu_si512(group + 128);
#pragma GCC unroll 3
    for (int plane = 0; plane < Planes; ++plane) {
      const __m512i fromTwo = _mm512_permutex2var_epi8(first, fromFirstTwo[plane], second);
      const __m512i channel = _mm512_mask_permutexvar_epi8(
          fromTwo, _cvtu64_mask64(kPermutes[plane].third), fromThird[plane], third);
      writer.Write(plane, x, _cvtmask64_u64(_mm512_movepi8_mask(channel)));
    }
  }
  writer.Finish(x);
  return x;
}

bool UseWideVectors() {
  static const bool supported =
      __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512vbmi");
  return supported && wideVectorAllowed.load(std::memory_order_relaxed);
}

template <int Planes>
int ConvertVectorGroupsOf(std::uint8_t* const* rows, const std::uint8_t* pixels, int width,
                          int startBit) {
  if (UseWideVectors()) {
    return ConvertGroupsOf64Wide<Planes>(rows, pixels, width, startBit);
  }
  return ConvertGroupsOf64<Planes>(rows, pixels, width, startBit);
}

int ConvertVectorGroups(std::uint8_t* const* rows, int colorType, const std::uint8_t* pixels,
                        int width, int startBit) {
  switch (colorType) {
    case 1: return ConvertVectorGroupsOf<1>(rows, pixels, width, startBit);
    case 2: return ConvertVectorGroupsOf<2>(rows, pixels, width, startBit);
    default: return ConvertVectorGroupsOf<3>(rows, pixels, width, startBit);
  }
}

bool UseVectorPath() {
  static const bool supported = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("bmi2");
  return supported && vectorAllowed.load(std::memory_order_relaxed);
}
#endif

// Converts one picture row into the rows at rows[0..colorType).
void ConvertRow(std::uint8_t* const* rows, int colorType, const std::uint8_t* pixels, int width,
                int startBit) {
  // Channel c of the planes red, green, blue is byte 2 - c of a pixel.
  int x = 0;
#ifdef KQ_HAVE_X86_VECTORS
  if (UseVectorPath()) x = ConvertVectorGroups(rows, colorType, pixels, width, startBit);
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

void AllowWideVectorBitPlanes(bool allowed) { wideVectorAllowed.store(allowed); }

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
