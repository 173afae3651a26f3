#pragma once
// A border drawn round a rectangle once per preview tick: a band of a built-in
// 32-pixel strip, standing still or running round the rectangle. At setup the strip
// is turned and repeated into two pictures, so that a tick is four stretched copies:
// - the horizontal strip, (ceil(W / 32) + 1) x 32 by 2h: the strip repeated across
//   in its upper band, turned by 180 degrees in its lower band;
// - the vertical strip, 2h by (ceil(H / 32) + 1) x 32: turned a quarter
//   counter-clockwise (running upwards) in its left band, a quarter clockwise
//   (running downwards) in its right band;
// with W x H the rectangle's size at setup and h the strip's thickness. The top and
// bottom bands hold the corners; the sides run between them. The rectangle is read
// again at every tick, so a border follows its area; after a resize the bands are
// stretched from the setup size until the holder sets the renderer up again.

#include <QImage>

#include <array>
#include <cstdint>
#include <optional>

#include "render/raster/color_ref.h"
#include "render/raster/pixel_rect.h"
#include "render/raster/screen_colors.h"
#include "render/raster/screen_picture.h"

// A rectangle read where it lives, at every tick: four fields of a record (an area's
// AreaRect_ fields) or a PixelRect its holder keeps. The fields must outlive every
// renderer that reads them.
struct LiveRect {
  const std::int32_t* left = nullptr;
  const std::int32_t* top = nullptr;
  const std::int32_t* right = nullptr;
  const std::int32_t* bottom = nullptr;

  static LiveRect Of(const PixelRect& rect) {
    return {&rect.left, &rect.top, &rect.right, &rect.bottom};
  }
  // The rectangle now, each coordinate within 2^24 of the origin; empty for a default
  // LiveRect.
  PixelRect Read() const;
};

// Movement of a border (BorderStyle).
enum BorderMovement : int {
  kBorderStill = 0,
  kBorderClockwise = 1,
  kBorderCounterClockwise = 2,
};

class CBorderRenderer {
 public:
  // Nothing to draw yet: no target, no rectangle, no strips; transparent copies.
  CBorderRenderer() = default;
  CBorderRenderer(const CBorderRenderer&) = delete;
  CBorderRenderer& operator=(const CBorderRenderer&) = delete;
  ~CBorderRenderer() = default;  // the strips go with the renderer

  // Keeps rect and target (a picture of the screen that outlives the renderer), takes
  // the setup size from rect, the step from speed (clamped into 0-31), the movement
  // and the colours of the screen it shows on (none: as chosen), then sets up the
  // strips of family, number and color. Returns 1.
  int Init(LiveRect rect, ScreenPicture* target, int family, int number, int movement,
           ColorRef color, int speed, std::optional<ScreenColors> colors);
  // Builds the two strips from built-in strip number of family (0 single colour,
  // any other multicolour) for the setup size, reduced to the screen's colours; a
  // single-colour strip's pure red takes color. A number outside its family leaves
  // no strips: the border then draws nothing. Returns 1.
  int Setup(int family, int number, ColorRef color);
  // One tick: Step, then Paint at the new offset. Returns 1.
  int Draw();
  // Steps the offset of a running border (a still one stays at 0).
  void Step();
  // Copies the four bands, shifted by offset (as PaintOffset gives it), round the
  // rectangle as it is now. A movement of no known kind paints nothing.
  void Paint(int offset) const;
  // The whole pixels of the shift that Paint takes now.
  int PaintOffset() const { return static_cast<int>(offset_); }
  // The four rectangles of the screen Paint draws now: top, bottom, left and right band.
  std::array<PixelRect, 4> Bands() const;
  // The rectangle as it is now.
  PixelRect Rect() const { return rect_.Read(); }

  // 1 (the default): the strip's black pixels let the target show through; 0: the
  // bands are copied opaque.
  void SetTransparent(int transparent) { transparent_ = transparent; }
  // The shift of the strip, 0 to 32 after every tick.
  float Offset() const { return offset_; }

 private:
  void StepOffset();
  void CopyBand(const QImage& strip, const PixelRect& source, const PixelRect& target) const;

  ScreenPicture* target_ = nullptr;
  LiveRect rect_;
  int movement_ = kBorderStill;
  std::optional<ScreenColors> colors_;
  float step_ = 0;
  int stripHeight_ = 0;  // the built-in strip's thickness
  int width_ = 0;        // the rectangle's size at setup
  int height_ = 0;
  int ticksPerStep_ = 1;
  QImage horizontal_;  // Format_RGB32
  QImage vertical_;
  float offset_ = 0;
  int tickCounter_ = 0;
  int transparent_ = 1;
};
