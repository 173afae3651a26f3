#include "render/common/preview_colors.h"

#include "model/project/project_records.h"

std::optional<ScreenColors> PreviewColors(const ScreenRecord* screen) {
  if (screen == nullptr) return std::nullopt;
  return ScreenColorsOf(screen->LedColor);
}
