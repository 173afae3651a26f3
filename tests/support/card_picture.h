#pragma once
// What the card shows of a decoded program at one moment, composed from the display
// data by the card's own rules: pages their first frame's planes; clocks and
// countdowns their element tables, numbers filled in from the card's clock; the analog
// clock its face planes (the card draws the hands from its own time, which is left
// out here); water borders standing still, each side's strip repeated from the
// rectangle's top-left corner. Every area is cut at its rectangle.

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/display_data_codec.h"

namespace emu {

// The card's clock: a local date and time.
struct CardClock {
  int year = 2000, month = 1, day = 1, hour = 0, minute = 0, second = 0;
  int weekday = 0;  // 0 Sunday
};

// The screen of data showing program: one byte a pixel, rows from the top, bit 0 red
// lit, bit 1 green, bit 2 blue. Returns an empty text, or what cannot be shown (a
// glyph outside the glyph data, a clock with a time offset, an unknown element).
std::string ComposeProgram(const DisplayData& data, const DisplayProgram& program,
                           const CardClock& now, std::vector<std::uint8_t>& pixels);

}  // namespace emu
