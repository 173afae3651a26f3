#include "render/media/color_reduction.h"

#include "model/project/current_screen.h"

namespace {

constexpr int kThreshold = 128;

QRgb OneColor(QRgb pixel) { return qRed(pixel) >= kThreshold ? qRgb(255, 0, 0) : qRgb(0, 0, 0); }

QRgb TwoColors(QRgb pixel) {
  return qRgb(qRed(pixel) >= kThreshold ? 255 : 0, qGreen(pixel) >= kThreshold ? 255 : 0, 0);
}

template <typename Reduce>
void ReduceEach(QImage& picture, Reduce reduce) {
  for (int y = 0; y < picture.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
    for (int x = 0; x < picture.width(); ++x) row[x] = reduce(row[x]);
  }
}

}  // namespace

void ReduceColors(QImage& picture, int ledColor) {
  if (picture.format() != QImage::Format_RGB32 && picture.format() != QImage::Format_ARGB32) {
    return;
  }
  if (ledColor == 0) ReduceEach(picture, OneColor);
  if (ledColor == 1) ReduceEach(picture, TwoColors);
}

std::optional<int> CurrentLedColor() {
  const ScreenRecord* screen = GetCurrentScreen();
  if (screen == nullptr) return std::nullopt;
  return screen->LedColor;
}

void ReduceColors(QImage& picture, std::optional<int> ledColor) {
  if (ledColor) ReduceColors(picture, *ledColor);
}
