#include "render/raster/blend_rect.h"

#include <algorithm>
#include <cstdint>

namespace {

// One channel: (source * alpha + dest * (255 - alpha) + 127) / 255.
std::uint32_t BlendChannel(std::uint32_t source, std::uint32_t dest, std::uint32_t alpha) {
  return (source * alpha + dest * (255 - alpha) + 127) / 255;
}

}  // namespace

void BlendRect(QImage& target, const PixelRect& rect, ColorRef color, int alpha) {
  if (target.format() != QImage::Format_RGB32 && target.format() != QImage::Format_ARGB32) return;
  const PixelRect part = rect.Intersected(PixelRectOfSize(target.width(), target.height()));
  if (part.IsEmpty()) return;
  const auto a = static_cast<std::uint32_t>(std::clamp(alpha, 0, 255));
  const auto red = static_cast<std::uint32_t>(ColorRefRed(color));
  const auto green = static_cast<std::uint32_t>(ColorRefGreen(color));
  const auto blue = static_cast<std::uint32_t>(ColorRefBlue(color));
  for (int y = part.top; y < part.bottom; ++y) {
    auto* line = reinterpret_cast<QRgb*>(target.scanLine(y));
    for (int x = part.left; x < part.right; ++x) {
      const QRgb pixel = line[x];
      line[x] = (pixel & 0xFF000000u) | (BlendChannel(red, qRed(pixel), a) << 16) |
                (BlendChannel(green, qGreen(pixel), a) << 8) | BlendChannel(blue, qBlue(pixel), a);
    }
  }
}
