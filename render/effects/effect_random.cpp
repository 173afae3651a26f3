#include "render/effects/effect_random.h"

#include <chrono>
#include <random>

namespace {

EffectRandomDraw replacement = nullptr;

std::uint32_t SeededDraw() {
  static std::mt19937 engine(static_cast<std::mt19937::result_type>(
      std::chrono::system_clock::now().time_since_epoch().count()));
  return engine();
}

}  // namespace

std::uint32_t NextEffectRandom() { return replacement != nullptr ? replacement() : SeededDraw(); }

void SetEffectRandomDraw(EffectRandomDraw draw) { replacement = draw; }
