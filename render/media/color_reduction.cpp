#include "render/media/color_reduction.h"

#include "model/project/current_screen.h"
#include "render/raster/screen_colors.h"

void ReduceColors(QImage& picture, int ledColor) {
  ReduceColors(picture, ScreenColorsOf(ledColor));
}

std::optional<int> CurrentLedColor() {
  const ScreenRecord* screen = GetCurrentScreen();
  if (screen == nullptr) return std::nullopt;
  return screen->LedColor;
}

void ReduceColors(QImage& picture, std::optional<int> ledColor) {
  if (ledColor) ReduceColors(picture, *ledColor);
}
