#pragma once
// The one random source of the process (random entry effects and whatever else
// draws lots): the program seeds it once at start; tests seed it or put a source of
// their own in its place. GUI thread only, like its callers.

#include <cstdint>

class RandomSource {
 public:
  virtual ~RandomSource() = default;
  // The next value, uniformly distributed over 32 bits.
  virtual std::uint32_t Next() = 0;
  // A value in 0..bound-1; 0 when bound is 1 or less.
  int Below(int bound);
};

// The source every caller uses: the one set by SetProcessRandom, else the built-in
// generator.
RandomSource& ProcessRandom();
// Seeds the built-in generator (the program passes the time at start).
void SeedProcessRandom(std::uint64_t seed);
// Puts source in place of the built-in generator until it is called with nullptr;
// the caller keeps ownership and keeps source alive meanwhile.
void SetProcessRandom(RandomSource* source);
