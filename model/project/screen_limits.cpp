#include "model/project/screen_limits.h"

namespace {

// Bytes of a 24-bit picture row, padded to 4 bytes.
std::int64_t PictureRowBytes(std::int64_t width) { return (width * 24 + 31) / 32 * 4; }

// A module count times its module side within one side's bound.
bool ModulesFit(std::int32_t count, std::int32_t moduleSide) {
  return count >= 0 && moduleSide >= 0 &&
         std::int64_t{count} * moduleSide <= std::int64_t{kMaxScreenSide};
}

}  // namespace

bool IsDrivableScreenSize(std::int64_t width, std::int64_t height) {
  return width >= 1 && height >= 1 && width <= kMaxScreenSide && height <= kMaxScreenSide &&
         PictureRowBytes(width) * height <= kMaxScreenPictureBytes;
}

bool IsDrivableScreen(const ScreenRecord& screen) {
  return IsDrivableScreenSize(screen.LedWidth, screen.LedHeight) && screen.LedColor >= 0 &&
         screen.LedColor <= kMaxLedColor && ModulesFit(screen.WidthModuleNum, screen.ModuleWidth) &&
         ModulesFit(screen.HeightModuleNum, screen.ModuleHeight);
}
