#pragma once
// The colours of a vertical gradient drawn one pixel row at a time: the components are
// kept as single-precision floats, each row takes the current colour (each component
// truncated) and then every component advances by its step.

#include <vector>

#include "render/raster/color_ref.h"

struct GradientSteps {
  float red = 0;
  float green = 0;
  float blue = 0;
};

// The colours of `rows` rows from `start`; none for a count below 1.
std::vector<ColorRef> GradientRows(ColorRef start, GradientSteps steps, int rows);
