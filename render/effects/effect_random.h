#pragma once
// The draw a random entry effect makes: the next non-negative number of the process's
// one random source, seeded from the time on first use. GUI thread only, like the
// preview that draws.

#include <cstdint>

std::uint32_t NextEffectRandom();

// Tests put a fixed sequence in place of the source; nullptr restores it.
using EffectRandomDraw = std::uint32_t (*)();
void SetEffectRandomDraw(EffectRandomDraw draw);
