#include "render/raster/screen_colors.h"

ScreenColors ScreenColorsOf(int ledColor) {
  switch (ledColor) {
    case 0: return {0xFF0000u};
    case 1: return {0xFFFF00u};
    default: return {0xFFFFFFu};
  }
}

void ReduceColors(QImage& picture, ScreenColors colors) {
  if (picture.format() != QImage::Format_RGB32 && picture.format() != QImage::Format_ARGB32) {
    return;
  }
  for (int y = 0; y < picture.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
    for (int x = 0; x < picture.width(); ++x) row[x] = ReducedPixel(row[x], colors);
  }
}
