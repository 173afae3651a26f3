#pragma once
// The built-in border strips: 32-pixel repeating patterns, as many rows high as the
// border is thick, row 0 on the border's outer edge. Two families: 20 single-colour
// strips (pure red on black; the red takes the border's colour) and 26 multicolour
// strips. Thickness by family and number:
//   single colour: 1 (0-2), 2 (3-5), 3 (6-11), 4 (12-15), 7 (16-19);
//   multicolour:   1 (0), 2 (1-4), 3 (5-11), 4 (12-17), 7 (18-25).

#include "render/raster/color_ref.h"
#include "render/raster/dib24.h"

constexpr int kBorderStripLength = 32;
constexpr int kMaxBorderThickness = 7;
constexpr int kSingleColorStrips = 20;
constexpr int kMultiColorStrips = 26;

// The one colour of a strip that a border colour replaces.
constexpr ColorRef kRecolorableRed = MakeColorRef(255, 0, 0);

// The thickness of strip `number` of `family` (0 single colour, any other value
// multicolour); 0 when the family has no such number.
int BorderStripThickness(int family, int number);

// Strip `number` of `family` as a 32 x thickness picture; null when the family has
// no such number.
Dib24 BuiltInBorderStrip(int family, int number);

// Gives every pure red pixel of strip the colour `color`; all other pixels keep
// theirs. Pure red itself leaves the strip as it is.
void RecolorBorderStrip(Dib24& strip, ColorRef color);
