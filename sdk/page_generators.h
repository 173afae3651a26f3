#pragma once
// The pages of an image-text area and a program's water border as card bit planes.
//
// A page generator renders every frame of its page at the area's full size and
// fills page.FrameCount and page.Data: the 8-byte index entries of all frames
// (effect, speed, stay time, height, width), then the planes of all frames in the
// same order, start bit = area.left mod 8. On failure it returns a KQ_ code and
// leaves the page without frames.

#include <cstdint>
#include <vector>

#include "sdk/Corvanix.h"
#include "sdk/program_set.h"

// A frame file (".pak"). 0, -12 unreadable, -13 not a frame file or its frames do
// not match the area or the file's size.
int GeneratePakPages(const CardRect& area, PageEntry& page, int colorType);

// A still picture stretched to the area: one frame. 0, -12, -16.
int GenerateImagePage(const CardRect& area, PageEntry& page, int colorType);

// An animated GIF, every frame stretched to the area. 0, -12, -16.
int GenerateGifPages(const CardRect& area, PageEntry& page, int colorType);

// The water-border block (kind code 15) of a program around area: replaces block
// and returns its length, or a negative KQ_ code (-12 strip file missing or
// unreadable, -16 strip not 32 pixels wide or thicker than 8).
int GenerateWaterBorder(std::vector<std::uint8_t>& block, const CardRect& area,
                        const WaterBorderInfo& info, int colorType);
