#include "render/dial/dial_marks.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>

#include "render/raster/fill_rect.h"

namespace {

// π as the card's clocks have always been laid out with; the last digits differ
// from the true value and are kept so that the marks land where they always did.
constexpr float kPi = 3.1415926525f;

// Marks are never wider than this; wider ones could not be told apart on any face.
constexpr int kMaxMarkWidth = 1 << 20;

// A coordinate truncated toward zero, when it is one a picture can have.
std::optional<int> Truncated(float value) {
  if (!std::isfinite(value) || std::fabs(value) > 1e9f) return std::nullopt;
  return static_cast<int>(value);
}

float Theta(int mark) { return static_cast<float>(mark) * 2 * kPi / 60; }

void RoundMarks(float cx, float cy, float radius, std::vector<DialMark>& marks) {
  for (int i = 0; i < 60; ++i) {
    const bool hour = i % 5 == 0;
    if (i == 15 || i == 45) {
      marks.push_back({i == 15 ? cx + radius : cx - radius, cy, hour});
      continue;
    }
    const float t = std::tan(Theta(i));
    const float dy = radius * radius / std::sqrt((t * radius) * (t * radius) + radius * radius);
    const float dx = t * dy;
    if (i > 15 && i < 45) {
      marks.push_back({cx - dx, cy + dy, hour});
    } else {
      marks.push_back({cx + dx, cy - dy, hour});
    }
  }
}

void SquareMarks(float cx, float cy, float half, std::vector<DialMark>& marks) {
  for (int i = 0; i < 15; ++i) {
    const bool hour = i % 5 == 0;
    const float t = std::tan(Theta(i));
    const float across = t <= 1 ? t * half : half;
    const float down = t <= 1 ? half : half / t;
    marks.push_back({cx + across, cy - down, hour});
    marks.push_back({cx + across, cy + down, hour});
    marks.push_back({cx - across, cy + down, hour});
    marks.push_back({cx - across, cy - down, hour});
  }
  marks.push_back({cx + half, cy, true});
  marks.push_back({cx - half, cy, true});
}

int WidthOf(const Dib24& face) { return face.Width(); }
int HeightOf(const Dib24& face) { return face.Height(); }
int WidthOf(const QImage& face) { return face.width(); }
int HeightOf(const QImage& face) { return face.height(); }

void SetClipped(Dib24& face, std::int64_t x, std::int64_t y, ColorRef color) {
  if (x < 0 || y < 0 || x >= face.Width() || y >= face.Height()) return;
  face.SetPixel(static_cast<int>(x), static_cast<int>(y), color);
}

void SetClipped(QImage& face, std::int64_t x, std::int64_t y, ColorRef color) {
  if (x < 0 || y < 0 || x >= face.width() || y >= face.height()) return;
  face.setPixel(static_cast<int>(x), static_cast<int>(y), ColorRefToQRgb(color));
}

// The pixels of the box whose centres lie inside the circle inscribed in it.
template <typename Face>
void FillCircle(Face& face, int left, int top, int width, ColorRef color) {
  const std::int64_t firstY = std::max<std::int64_t>(top, 0);
  const std::int64_t endY = std::min<std::int64_t>(std::int64_t{top} + width, HeightOf(face));
  const std::int64_t firstX = std::max<std::int64_t>(left, 0);
  const std::int64_t endX = std::min<std::int64_t>(std::int64_t{left} + width, WidthOf(face));
  const std::int64_t limit = std::int64_t{width} * width;
  for (std::int64_t y = firstY; y < endY; ++y) {
    const std::int64_t dy = 2 * (y - top) + 1 - width;  // twice the offset from the centre
    for (std::int64_t x = firstX; x < endX; ++x) {
      const std::int64_t dx = 2 * (x - left) + 1 - width;
      if (dx * dx + dy * dy <= limit) SetClipped(face, x, y, color);
    }
  }
}

// A diamond filled and outlined through its four corner points: every row between
// the top and bottom point from the left edge to the right edge, both included.
template <typename Face>
void FillDiamond(Face& face, int left, int top, int right, int bottom, int centreX,
                 int centreY, ColorRef color) {
  const std::int64_t firstY = std::max(top, 0);
  const std::int64_t lastY = std::min(bottom, HeightOf(face) - 1);
  for (std::int64_t y = firstY; y <= lastY; ++y) {
    const std::int64_t reach = y <= centreY ? y - top : bottom - y;
    const std::int64_t span = y <= centreY ? centreY - top : bottom - centreY;
    const auto edge = [&](int corner) {
      return span == 0 ? corner : centreX + (corner - centreX) * reach / span;
    };
    const std::int64_t from = std::max<std::int64_t>(edge(left), 0);
    const std::int64_t to = std::min<std::int64_t>(edge(right), WidthOf(face) - 1);
    for (std::int64_t x = from; x <= to; ++x) SetClipped(face, x, y, color);
  }
}

}  // namespace

int DialMargin(int hourMarkWidth, int minuteMarkWidth) {
  return std::max(hourMarkWidth, minuteMarkWidth) / 2 + 1;
}

std::vector<DialMark> DialMarks(int clockType, int width, int height, int margin) {
  const float cx = static_cast<float>(width) / 2;
  const float cy = static_cast<float>(height) / 2;
  const float r0 = static_cast<float>(std::min(width, height)) / 2;
  std::vector<DialMark> marks;
  if (clockType == kRoundDial) {
    RoundMarks(cx, cy, r0 - static_cast<float>(margin), marks);
  } else if (clockType == kSquareDial) {
    const float side = std::max(2 * r0 - 2 * static_cast<float>(margin), 2.0f);
    SquareMarks(cx, cy, side / 2, marks);
  }
  return marks;
}

namespace {

template <typename Face>
void DrawMarkOn(Face& face, float x, float y, const MarkStyle& style) {
  const int width = style.width;
  if (width <= 0 || width > kMaxMarkWidth) return;
  const float half = static_cast<float>(width / 2);
  const auto left = Truncated(x - half);
  const auto top = Truncated(y - half);
  const auto right = Truncated(x + half);
  const auto bottom = Truncated(y + half);
  const auto centreX = Truncated(x);
  const auto centreY = Truncated(y);
  if (!left || !top || !right || !bottom || !centreX || !centreY) return;
  switch (style.shape) {
    case kMarkCircle:
      FillCircle(face, *left, *top, width, style.color);
      break;
    case kMarkSquare:
      FillRect(face, PixelRect{*left, *top, *left + width, *top + width}, style.color);
      break;
    case kMarkDiamond:
      FillDiamond(face, *left, *top, *right, *bottom, *centreX, *centreY, style.color);
      break;
    default:
      break;
  }
}

}  // namespace

void DrawMark(Dib24& face, float x, float y, const MarkStyle& style) {
  DrawMarkOn(face, x, y, style);
}

void DrawMark(QImage& face, float x, float y, const MarkStyle& style) {
  DrawMarkOn(face, x, y, style);
}
