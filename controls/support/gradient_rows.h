#pragma once
// Vertical gradients drawn as one horizontal line per pixel row, the way the buttons
// and list boxes paint their hover and selection backgrounds: each band starts from a
// colour and moves each component by a total spread over its rows. Components are
// single-precision floats; a row's colour is the current value truncated, and the
// step is added after the row is drawn.

#include <QPainter>

#include <span>
#include <vector>

#include "render/raster/color_ref.h"
#include "render/raster/pixel_rect.h"

struct GradientBand {
  int rows = 0;
  ColorRef start = 0;
  // The change of red, green and blue over the band: each row steps by total / rows.
  float redTotal = 0;
  float greenTotal = 0;
  float blueTotal = 0;
};

// The colour of every row, band after band; a band of no rows adds none.
std::vector<ColorRef> GradientRows(std::span<const GradientBand> bands);

// Draws the rows downwards from rect.top, each from rect.left to rect.right (exclusive),
// clipped to the rectangle.
void DrawGradientRows(QPainter& painter, const PixelRect& rect, const std::vector<ColorRef>& rows);
