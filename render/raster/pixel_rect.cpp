#include "render/raster/pixel_rect.h"

#include <algorithm>

PixelRect PixelRect::Intersected(const PixelRect& other) const {
  PixelRect result{std::max(left, other.left), std::max(top, other.top),
                   std::min(right, other.right), std::min(bottom, other.bottom)};
  if (result.IsEmpty()) return {};
  return result;
}
