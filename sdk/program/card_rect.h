#pragma once
// The rectangle of an area as the card's data holds it, and the one conversion from a
// caller's AreaRect into it.

#include <cstdint>

#include "sdk/Corvanix.h"

// The card's data fields hold 16-bit sizes and coordinates.
constexpr std::int64_t kMaxCardValue = 65535;

// Left, top, right and bottom, all inclusive.
struct CardRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left + 1; }
  int Height() const { return bottom - top + 1; }
};

// The inclusive rectangle of rect: right = X + Width - 1, bottom = Y + Height - 1.
// False, with out unchanged, when rect is empty, negative or beyond what the card's
// 16-bit fields hold.
[[nodiscard]] bool ToCardRect(const AreaRect& rect, CardRect& out);
