#pragma once
// The one rule for a screen's size, whatever it comes from (the basic page, a found
// card, a card's settings read back, a project or single-screen file). A screen past
// it is refused and nothing is made of it.
//
// Where the figures come from:
// - the card's settings and display data hold widths, heights and coordinates in
//   16-bit fields, so a side is 1-65535 pixels;
// - every area's content reaches the card's data as frames of 24-bit pictures of the
//   area's size, and the controller library refuses a frame past 256 MiB (Dib24's
//   bound). An area may cover the whole screen, so a screen whose 24-bit picture
//   passes that is one no card's data can show: about 89 million pixels (65535 x
//   1365, or 9458 x 9458).
// - colour types are the card's 1-4 (LedColor 0-3);
// - module counts and module sides are not negative, and each count times its module
//   side stays within a side's bound, so the size the basic page computes from them
//   fits too.

#include <cstdint>

#include "model/project/project_records.h"

constexpr std::int32_t kMaxScreenSide = 65535;
constexpr std::int64_t kMaxScreenPictureBytes = std::int64_t{256} * 1024 * 1024;
constexpr std::int32_t kMaxLedColor = 3;

// Whether a screen of width x height pixels can be driven: each side 1-65535 and its
// 24-bit picture (rows padded to 4 bytes) at most kMaxScreenPictureBytes.
bool IsDrivableScreenSize(std::int64_t width, std::int64_t height);

// Whether the screen's size, colour type and module counts follow the rule above.
bool IsDrivableScreen(const ScreenRecord& screen);
