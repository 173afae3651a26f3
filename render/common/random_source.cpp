#include "render/common/random_source.h"

#include <random>

namespace {

class BuiltInRandom final : public RandomSource {
 public:
  std::uint32_t Next() override { return static_cast<std::uint32_t>(engine_()); }
  void Seed(std::uint64_t seed) { engine_.seed(seed); }

 private:
  std::mt19937_64 engine_;
};

BuiltInRandom& BuiltIn() {
  static BuiltInRandom source;
  return source;
}

RandomSource* replacement = nullptr;

}  // namespace

int RandomSource::Below(int bound) {
  if (bound <= 1) return 0;
  // Rejects the top values that would favour the low results.
  const std::uint32_t range = static_cast<std::uint32_t>(bound);
  const std::uint32_t limit = UINT32_MAX - UINT32_MAX % range;
  std::uint32_t value = Next();
  while (value >= limit) value = Next();
  return static_cast<int>(value % range);
}

RandomSource& ProcessRandom() { return replacement != nullptr ? *replacement : BuiltIn(); }

void SeedProcessRandom(std::uint64_t seed) { BuiltIn().Seed(seed); }

void SetProcessRandom(RandomSource* source) { replacement = source; }
