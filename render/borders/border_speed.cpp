#include "render/borders/border_speed.h"

#include <algorithm>

const std::array<float, kSpeedSettings> BorderSpeedTable = {
    4.0f,  3.0f,  2.0f,  1.5f,  1.2f,  1.1f,  1.0f,  0.95f, 0.9f,  0.85f, 0.8f,
    0.75f, 0.7f,  0.65f, 0.6f,  0.55f, 0.5f,  0.45f, 0.4f,  0.35f, 0.3f,  0.28f,
    0.26f, 0.24f, 0.22f, 0.2f,  0.19f, 0.18f, 0.17f, 0.16f, 0.15f, 0.14f};

float SpeedOfSetting(int setting) {
  return BorderSpeedTable[static_cast<std::size_t>(std::clamp(setting, 0, kSpeedSettings - 1))];
}
