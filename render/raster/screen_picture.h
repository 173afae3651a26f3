#pragma once
// A picture of one part of a screen: its pixel (0, 0) is the screen pixel origin. The
// players, the edit canvas and the borders draw in screen coordinates onto it; what
// falls outside the part is left out. So the preview holds only the screen pixels its
// window shows, however large the screen.

#include <QImage>
#include <QPoint>

#include "render/raster/pixel_rect.h"

struct ScreenPicture {
  QImage image;  // Format_RGB32
  QPoint origin;

  // Where a rectangle of the screen lies on the picture (taken within int's range).
  PixelRect ToPicture(const PixelRect& onScreen) const;
  // The part of the screen the picture holds.
  PixelRect Covered() const;
};
