#pragma once
// The preview's zoomed picture and its pixel grid. The zoomed picture holds only what
// the window can show: its pixel (0, 0) is the pixel (scroll x, scroll y) of the whole
// screen enlarged by the zoom, and it is the view plus two zoomed pixels in size, so a
// large screen at a high zoom costs no more memory than a small one. Outside the
// enlarged screen it holds black.

#include <QImage>

#include "render/raster/screen_picture.h"

// What the window shows of the screen: the zoom (1.0 = one screen pixel a window
// pixel), the scroll position in zoomed pixels and the window's client size.
struct CanvasView {
  float zoom = 1.0f;
  int scrollX = 0;
  int scrollY = 0;
  int viewWidth = 0;
  int viewHeight = 0;

  // The whole-number factor of the grid and of the enlargement: (int)zoom.
  int Factor() const { return static_cast<int>(zoom); }
};

// A zoomed picture for view (Format_RGB32, black); a null picture when the view is
// empty or cannot be allocated.
QImage MakeZoomedPicture(const CanvasView& view);

// The part of a screenWidth x screenHeight screen that the window shows at its zoom:
// the view divided by the zoom (rounded up) and two pixels more each way, at most the
// screen, from the screen pixel under the window's top-left corner ((int)(scroll /
// zoom)), moved back as far as needed to lie inside the screen. Empty for an empty view
// or a zoom that is not positive.
PixelRect VisibleScreenPart(const CanvasView& view, int screenWidth, int screenHeight);

// Draws the unzoomed picture of the visible screen pixels into the zoomed picture.
// Below zoom 1 the screen is shrunk as if (int)(width x zoom) x (int)(height x zoom)
// pixels; from 1 only the visible part, (int)(view / zoom) + 2 screen pixels from the
// one under the window's top-left corner, each repeated Factor() times. Nearest neighbour; what the
// picture does not hold stays black.
void StretchToZoomed(const ScreenPicture& unzoomed, QImage& zoomed, const CanvasView& view);

// The dot pattern for Factor() of 6 and up: cells of n x n pixels of 0x202020, each
// with a black round dot n - 1 pixels across; enough cells for the view and two more
// each way. A null picture below 6.
QImage MakeDotPattern(const CanvasView& view);

// The pixel grid over the zoomed picture of a screenWidth x screenHeight screen, for
// Factor() of 2 and up: lines of 0x202020 at every n-th pixel (n(i + 1) - 1) for 2 to
// 5, the dot pattern (black in it transparent) from 6.
void DrawPixelGrid(QImage& zoomed, const QImage& dotPattern, const CanvasView& view,
                   int screenWidth, int screenHeight);
