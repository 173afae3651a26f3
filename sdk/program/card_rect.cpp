#include "sdk/program/card_rect.h"

bool ToCardRect(const AreaRect& rect, CardRect& out) {
  const std::int64_t right = std::int64_t{rect.X} + rect.Width - 1;
  const std::int64_t bottom = std::int64_t{rect.Y} + rect.Height - 1;
  if (rect.X < 0 || rect.Y < 0 || rect.Width < 1 || rect.Height < 1) return false;
  if (right > kMaxCardValue || bottom > kMaxCardValue) return false;
  out = {rect.X, rect.Y, static_cast<int>(right), static_cast<int>(bottom)};
  return true;
}
