#include "render/borders/strip_turns.h"

namespace {

// A width x height picture whose pixel (x, y) is source(sourcePoint(x, y)).
template <typename SourcePoint>
Dib24 Resample(const Dib24& source, int width, int height, SourcePoint sourcePoint) {
  if (source.IsNull()) return {};
  Dib24 turned(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const auto [sourceX, sourceY] = sourcePoint(x, y);
      turned.SetPixel(x, y, source.Pixel(sourceX, sourceY));
    }
  }
  return turned;
}

struct Point {
  int x;
  int y;
};

}  // namespace

Dib24 TurnHalf(const Dib24& picture) {
  const int w = picture.Width();
  const int h = picture.Height();
  return Resample(picture, w, h, [w, h](int x, int y) { return Point{w - 1 - x, h - 1 - y}; });
}

Dib24 TurnQuarterCounterClockwise(const Dib24& picture) {
  const int w = picture.Width();
  // The top row becomes the left column, its first pixel at the bottom.
  return Resample(picture, picture.Height(), w, [w](int x, int y) { return Point{w - 1 - y, x}; });
}

Dib24 TurnQuarterClockwise(const Dib24& picture) {
  const int h = picture.Height();
  // The top row becomes the right column, its first pixel at the top.
  return Resample(picture, h, picture.Width(), [h](int x, int y) { return Point{y, h - 1 - x}; });
}
