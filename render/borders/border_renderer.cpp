#include "render/borders/border_renderer.h"

#include <algorithm>

#include "render/borders/border_speed.h"
#include "render/borders/border_strips.h"
#include "render/borders/strip_turns.h"
#include "render/raster/stretch_image.h"

namespace {

// A side of the rectangle in 64 bits, clamped into what a picture can hold.
int SideLength(std::int64_t from, std::int64_t to) {
  return static_cast<int>(std::clamp<std::int64_t>(to - from, 0, Dib24::kMaxSide));
}

// Whole strips side by side along a side of `length` pixels, one spare for the shift:
// ceil(length / 32) + 1, so at least one.
int StripRepeats(int length) { return (length + kBorderStripLength - 1) / kBorderStripLength + 1; }

// Fills band of picture with tile repeated from the band's top-left corner.
void Repeat(QImage& picture, const Dib24& tile, const PixelRect& band) {
  for (int y = band.top; y < band.bottom; ++y) {
    auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
    for (int x = band.left; x < band.right; ++x) {
      line[x] = ColorRefToQRgb(
          tile.Pixel((x - band.left) % tile.Width(), (y - band.top) % tile.Height()));
    }
  }
}

// Coordinates from a record are taken within this many pixels of the origin, so that
// the bands' arithmetic cannot overflow whatever a project file holds.
constexpr std::int32_t kCoordinateLimit = 1 << 24;

int Coordinate(std::int32_t value) {
  return std::clamp(value, -kCoordinateLimit, kCoordinateLimit);
}

}  // namespace

PixelRect LiveRect::Read() const {
  if (left == nullptr || top == nullptr || right == nullptr || bottom == nullptr) return {};
  return {Coordinate(*left), Coordinate(*top), Coordinate(*right), Coordinate(*bottom)};
}

int CBorderRenderer::Init(LiveRect rect, ScreenPicture* target, int family, int number,
                          int movement, ColorRef color, int speed,
                          std::optional<ScreenColors> colors) {
  rect_ = rect;
  target_ = target;
  colors_ = colors;
  const PixelRect now = rect.Read();
  width_ = SideLength(now.left, now.right);
  height_ = SideLength(now.top, now.bottom);
  step_ = SpeedOfSetting(speed);
  movement_ = movement;
  ticksPerStep_ = 1;
  return Setup(family, number, color);
}

int CBorderRenderer::Setup(int family, int number, ColorRef color) {
  Dib24 strip = BuiltInBorderStrip(family, number);
  if (family == 0) RecolorBorderStrip(strip, color);
  stripHeight_ = strip.Height();
  horizontal_ = QImage();
  vertical_ = QImage();
  if (strip.IsNull()) return 1;

  const int h = stripHeight_;
  const int across = StripRepeats(width_) * kBorderStripLength;
  const int down = StripRepeats(height_) * kBorderStripLength;
  // The bands below cover every pixel of both strips.
  horizontal_ = QImage(across, 2 * h, QImage::Format_RGB32);
  vertical_ = QImage(2 * h, down, QImage::Format_RGB32);
  // A side too long for a picture leaves that strip null; its bands are not drawn.
  if (!horizontal_.isNull()) {
    Repeat(horizontal_, strip, {0, 0, across, h});
    Repeat(horizontal_, TurnHalf(strip), {0, h, across, 2 * h});
  }
  if (!vertical_.isNull()) {
    Repeat(vertical_, TurnQuarterCounterClockwise(strip), {0, 0, h, down});
    Repeat(vertical_, TurnQuarterClockwise(strip), {h, 0, 2 * h, down});
  }
  if (colors_) {
    ReduceColors(horizontal_, *colors_);
    ReduceColors(vertical_, *colors_);
  }
  return 1;
}

void CBorderRenderer::StepOffset() {
  if (++tickCounter_ < ticksPerStep_) return;
  offset_ += step_;
  if (offset_ > kBorderStripLength) offset_ -= kBorderStripLength;
  tickCounter_ = 0;
}

int CBorderRenderer::Draw() {
  Step();
  Paint(PaintOffset());
  return 1;
}

void CBorderRenderer::Step() {
  StepOffset();
  if (movement_ == kBorderStill) offset_ = 0;
}

std::array<PixelRect, 4> CBorderRenderer::Bands() const {
  const int h = stripHeight_;
  const PixelRect r = rect_.Read();
  return {PixelRect{r.left, r.top, r.right, r.top + h},
          PixelRect{r.left, r.bottom - h, r.right, r.bottom},
          PixelRect{r.left, r.top + h, r.left + h, r.bottom - h},
          PixelRect{r.right - h, r.top + h, r.right, r.bottom - h}};
}

void CBorderRenderer::Paint(int o) const {
  if (movement_ != kBorderStill && movement_ != kBorderClockwise &&
      movement_ != kBorderCounterClockwise) {
    return;
  }
  if (target_ == nullptr) return;

  const bool counter = movement_ == kBorderCounterClockwise;
  const int x = counter ? o : kBorderStripLength - o;  // the top band
  const int xBottom = counter ? kBorderStripLength - o : o;
  const int y = counter ? kBorderStripLength - o : o;  // the left band
  const int yRight = counter ? o : kBorderStripLength - o;

  const int h = stripHeight_;
  const int sideHeight = height_ - 2 * h;
  const std::array<PixelRect, 4> bands = Bands();
  CopyBand(horizontal_, {x, 0, x + width_, h}, bands[0]);
  CopyBand(horizontal_, {xBottom, h, xBottom + width_, 2 * h}, bands[1]);
  CopyBand(vertical_, {0, y, h, y + sideHeight}, bands[2]);
  CopyBand(vertical_, {h, yRight, 2 * h, yRight + sideHeight}, bands[3]);
}

void CBorderRenderer::CopyBand(const QImage& strip, const PixelRect& source,
                               const PixelRect& target) const {
  // An empty or inverted band (a rectangle lower or narrower than the band needs, or
  // inverted) is left out rather than mirrored over the others.
  if (strip.isNull() || source.IsEmpty() || target.IsEmpty()) return;
  StretchNearest(strip, source, target_->image, target_->ToPicture(target),
                 transparent_ != 0 ? NearestCopy::kKeyedOnBlack : NearestCopy::kOpaque);
}
