#include "device/settings/screen_size.h"

#include <algorithm>

namespace {

// value * newSize / oldSize, cut towards zero.
std::int32_t Scaled(std::int32_t value, std::int32_t newSize, std::int32_t oldSize) {
  return static_cast<std::int32_t>(std::int64_t{value} * newSize / oldSize);
}

// One side of a rectangle, scaled: the near edge at least `border` and at most one
// dot before the far limit, the far edge at most `size` - `border` and past the near.
void RescaleSpan(std::int32_t& nearEdge, std::int32_t& farEdge, std::int32_t newSize,
                 std::int32_t oldSize, std::int32_t border) {
  const std::int32_t limit = newSize - border;
  nearEdge = std::min(std::max(Scaled(nearEdge, newSize, oldSize), border), limit - 1);
  nearEdge = std::max(nearEdge, 0);
  farEdge = std::min(Scaled(farEdge, newSize, oldSize), limit);
  if (farEdge <= nearEdge) farEdge = nearEdge + 1;
}

}  // namespace

int ClampedModuleCount(std::optional<int> typed) {
  return std::clamp(typed.value_or(kMinModuleCount), kMinModuleCount, kMaxModuleCount);
}

int SteppedModuleCount(int count, int delta, int maxCount) {
  if (delta > 0) return count < maxCount ? count + 1 : count;
  return std::max(kMinModuleCount, count - 1);
}

int MaxModulesWithinDots(int moduleSize) {
  return moduleSize > 0 ? std::max(kMinModuleCount, kMaxScreenDots / moduleSize) : kMinModuleCount;
}

int ModulesForDots(int dots, int moduleSize) {
  if (moduleSize <= 0) return kMinModuleCount;
  const int needed = (std::max(dots, 0) + moduleSize - 1) / moduleSize;
  return std::clamp(needed, kMinModuleCount, kMaxModuleCount);
}

int FittingModuleCount(int count, int moduleSize, std::int32_t otherDots, bool across) {
  if (moduleSize <= 0) return count;
  const auto fits = [&](int modules) {
    const std::int64_t dots = std::int64_t{modules} * moduleSize;
    return across ? IsDrivableScreenSize(dots, otherDots) : IsDrivableScreenSize(otherDots, dots);
  };
  count = std::min(count, kMaxScreenSide / moduleSize);
  while (count > kMinModuleCount && !fits(count)) --count;
  return std::max(count, kMinModuleCount);
}

void FitModuleCounts(ScreenRecord& screen) {
  screen.WidthModuleNum = FittingModuleCount(screen.WidthModuleNum, screen.ModuleWidth,
                                             screen.HeightModuleNum * screen.ModuleHeight, true);
  screen.HeightModuleNum = FittingModuleCount(screen.HeightModuleNum, screen.ModuleHeight,
                                              screen.WidthModuleNum * screen.ModuleWidth, false);
}

void RescaleAreas(ScreenRecord& screen, std::int32_t oldWidth, std::int32_t oldHeight) {
  if (oldWidth <= 0 || oldHeight <= 0) return;
  if (screen.LedWidth == oldWidth && screen.LedHeight == oldHeight) return;
  for (const auto& program : screen.Programs) {
    const std::int32_t border = program->BorderWidth;
    for (const auto& area : program->Areas) {
      RescaleSpan(area->AreaRect_Left, area->AreaRect_Right, screen.LedWidth, oldWidth, border);
      RescaleSpan(area->AreaRect_Top, area->AreaRect_Bottom, screen.LedHeight, oldHeight, border);
    }
  }
}
