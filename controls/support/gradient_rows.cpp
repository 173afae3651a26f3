#include "controls/support/gradient_rows.h"

#include <algorithm>

namespace {

int Truncated(float component) { return static_cast<int>(std::clamp(component, 0.0f, 255.0f)); }

}  // namespace

std::vector<ColorRef> GradientRows(ColorRef start, GradientSteps steps, int rows) {
  std::vector<ColorRef> colors;
  float red = static_cast<float>(ColorRefRed(start));
  float green = static_cast<float>(ColorRefGreen(start));
  float blue = static_cast<float>(ColorRefBlue(start));
  for (int row = 0; row < rows; ++row) {
    colors.push_back(MakeColorRef(Truncated(red), Truncated(green), Truncated(blue)));
    red += steps.red;
    green += steps.green;
    blue += steps.blue;
  }
  return colors;
}
