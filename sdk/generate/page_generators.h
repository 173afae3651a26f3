#pragma once
// The pages of an image-text area and a program's water border as card bit planes.
//
// A page generator renders every frame of its page at the area's full size and
// fills page.FrameCount and page.Data: the 8-byte index entries of all frames
// (effect, speed, stay time, height, width), then the planes of all frames in the
// same order, start bit = area.left mod 8. On failure it returns a KQ_ code and
// leaves the page without frames. Every generator also answers -18 for an area that
// is no picture (negative left, or a size Dib24 cannot hold), -16 for a colorType
// other than 1-3, and -12 for a page of more than a gigabyte.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "sdk/Corvanix.h"
#include "sdk/program/program_set.h"

// An index entry, little-endian: effect (1), speed (1), stay time (2), height (2),
// width (2).
constexpr std::size_t kIndexEntryBytes = 8;

// A frame file (".pak"). 0, -12 unreadable, -13 not a frame file or its frames do
// not match the area or the file's size (also a file of 0 frames). The last frame's
// index entry carries the file's LastExtent as its height for effects 94 and 95 and
// as its width for 96 and 97, when it lies within the frame.
[[nodiscard]] int GeneratePakPages(const CardRect& area, PageEntry& page, int colorType);

// A still picture stretched to the area: one frame. 0, -12, -16.
[[nodiscard]] int GenerateImagePage(const CardRect& area, PageEntry& page, int colorType);

// An animated GIF, every frame stretched to the area, effect 93 and stay 0. Speed:
// the page's when 1 or more, 5 for a single frame, else the first frame's stored
// delay (hundredths of a second) x 10 / 30. 0, -12, -16, or -18 when its frames
// times its canvas, or times the area, pass kMaxGifComposedPixels.
[[nodiscard]] int GenerateGifPages(const CardRect& area, PageEntry& page, int colorType);

// The water-border block (kind code 15) of a program around area: replaces block
// and returns its length, or a negative KQ_ code (-12 strip file missing or
// unreadable or a built-in number out of its family, -16 strip not 32 pixels wide
// or thicker than 8, or colorType not 1-3).
[[nodiscard]] int GenerateWaterBorder(std::vector<std::uint8_t>& block, const CardRect& area,
                                      const WaterBorderInfo& info, int colorType);
