#include "render/raster/screen_picture.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

int Shifted(int value, int by) {
  return static_cast<int>(std::clamp<std::int64_t>(
      std::int64_t{value} - by, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

}  // namespace

PixelRect ScreenPicture::ToPicture(const PixelRect& onScreen) const {
  return {Shifted(onScreen.left, origin.x()), Shifted(onScreen.top, origin.y()),
          Shifted(onScreen.right, origin.x()), Shifted(onScreen.bottom, origin.y())};
}

PixelRect ScreenPicture::Covered() const {
  return {origin.x(), origin.y(), origin.x() + image.width(), origin.y() + image.height()};
}
