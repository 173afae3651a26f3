#pragma once
// Clock and countdown blocks: a layout of elements the card fills in from its own
// clock, with the glyph strips it draws them from; the analog clock adds its face as
// bit planes and its hands' colours and widths. Where text cannot be drawn
// (CanDrawText) the generators return KQ_ERR_DRAW.

#include <cstdint>
#include <vector>

#include "sdk/Corvanix.h"
#include "sdk/program/program_set.h"

// The countdown block (kind code 7): replaces block and returns its length, or a
// negative KQ_ code.
[[nodiscard]] int GenerateTimeArea(const CardRect& area, const TimeAreaInfo& info,
                     std::vector<std::uint8_t>& block);

// The digital-clock block (kind code 5) into block (the area's generated block).
// Returns 0 or a negative KQ_ code.
[[nodiscard]] int GenerateDigitalClockArea(const CardRect& area, const DigitalClockAreaInfo& info,
                             std::vector<std::uint8_t>& block);

// The analog-clock block (kind code 10): replaces block and returns its length, or a
// negative KQ_ code.
[[nodiscard]] int GenerateClockArea(std::vector<std::uint8_t>& block, const CardRect& area,
                      const ClockAreaInfo& info, int colorType);
