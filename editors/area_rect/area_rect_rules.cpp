#include "editors/area_rect/area_rect_rules.h"

#include <algorithm>

int ClampAreaPosition(int p, int l, int s, int b) {
  if (p + l > s - b) return std::max(s - b - l, b);
  return std::max(p, b);
}

AreaSpan ClampAreaLength(int p, int l, int s, int b) {
  if (l <= 2 * b) l = 2 * b + 1;
  if (p + l > s - b) {
    p = s - b - l;
    if (p < b) {
      p = b;
      l = std::max(s - 2 * b, 1);
    }
  }
  return {p, l};
}
