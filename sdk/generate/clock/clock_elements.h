#pragma once
// The element table of clock and countdown blocks as the card reads it, with the glyph
// data behind it, and the time-zone field of the clocks.
//
// Element record, little-endian: x (2), y (2), kind (1), glyph offset (2), width
// (2), height (2), colour bits (1), zero (2).

#include <cstdint>
#include <vector>

#include "render/clock_layout/clock_layout.h"

// Bytes of one element record.
constexpr int kElementBytes = 14;

// The time-zone field of the clocks: the offset in minutes kept to 16 bits, with
// 0x8000 set when timeLagType is 0.
int TimeOffsetField(int timeLagType, int hours, int minutes);

// Appends the layout's element table and then the glyph data: the digit strip (when
// there is one, at offset 0, where every number element points), then each other
// element's strip in table order. KQ_ERR_DRAW when a strip would start past offset
// 65535, which the 16-bit field cannot hold.
[[nodiscard]] int AppendElements(std::vector<std::uint8_t>& block, const ClockLayout& layout);
