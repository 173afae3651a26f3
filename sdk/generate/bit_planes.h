#pragma once
// The cards' picture format: 1-bit planes, one per colour channel (red, then green,
// then blue; colour type 1 has red only, 2 red and green, 3 all three). A plane has
// one row of R bytes per picture row, top row first. Bits run least significant
// first and a row's first pixel sits at bit (left column mod 8) of its first byte,
// so bytes line up with the screen's 8-pixel columns. A lit pixel (channel value 128
// or more) is a 0 bit; every other bit, including those before the first and after
// the last pixel of a row, is 1.

#include <cstddef>
#include <cstdint>

#include "sdk/program/program_set.h"

// R: bytes of one plane row of a picture w pixels wide whose left edge is at screen
// column x (both >= 0).
std::int64_t PlaneRowBytes(std::int64_t x, std::int64_t width);

// Converts a bottom-up 24-bit picture (bytes blue, green, red; rows stride bytes
// apart) into colorType planes at output, output + planeSize and output +
// 2 x planeSize, with the first pixel of each row at startBit. The caller fills the
// planes with 0xFF first; then the bits outside the pixels stay 1. Returns false,
// writing nothing, when colorType is not 1-3, startBit not 0-7, a size is not
// positive, stride is shorter than a row, or planeSize cannot hold the rows.
[[nodiscard]] bool DibToBitPlanes(std::uint8_t* output, std::size_t planeSize, int colorType,
                                  const std::uint8_t* bits, int width, int height,
                                  std::size_t stride, int startBit);

// Whether the conversion may use the processor's vector instructions where it has
// them (the default); tests turn it off to check the portable conversion too.
void AllowVectorBitPlanes(bool allowed);

// Whether the vector conversion may use 512-bit vectors where the processor has them
// (the default); tests turn it off to check the 256-bit conversion too.
void AllowWideVectorBitPlanes(bool allowed);

// The bytes of a page of frameCount frames of area in colorType planes, one 8-byte
// index entry a frame: (R x h x colorType + 8) x frameCount. planeSize gets R x h.
std::int64_t GetPageDataSize(const CardRect& area, int colorType, int frameCount,
                             std::int64_t& planeSize);
