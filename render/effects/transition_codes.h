#pragma once
// The entry effect numbers the editors offer and the project stores, and the code the
// controller card knows each by: the program builder translates with this table.

#include <array>

inline constexpr int kNoEffect = 0;
inline constexpr int kRandomEffect = 1;
inline constexpr int kFirstDrawnEffect = 2;
inline constexpr int kLastDrawnEffect = 38;

// The card's code of effect n at index n, for n = 0 to kLastDrawnEffect.
inline constexpr std::array<int, kLastDrawnEffect + 1> kEffectControllerCodes = {
    1,  99, 2,  4, 3, 5,  97, 96, 94, 95, 6,  12, 13, 14, 15, 16, 17, 61, 62, 50,
    51, 52, 53, 8, 9, 10, 11, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31};
