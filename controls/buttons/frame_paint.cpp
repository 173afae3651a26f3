#include "controls/buttons/frame_paint.h"

#include "controls/support/sys_color.h"

void FramePixels(QPainter& painter, const PixelRect& rect, ColorRef color) {
  Draw3dFrame(painter, rect, color, color);
}

void Draw3dFrame(QPainter& painter, const PixelRect& rect, ColorRef topLeft, ColorRef bottomRight) {
  if (rect.IsEmpty()) return;
  const int l = rect.left, t = rect.top, r = rect.right, b = rect.bottom;
  FillPixels(painter, {l, t, r - 1, t + 1}, topLeft);
  FillPixels(painter, {l, t, l + 1, b - 1}, topLeft);
  FillPixels(painter, {r - 1, t, r, b}, bottomRight);
  FillPixels(painter, {l, b - 1, r, b}, bottomRight);
}

void DrawLineTo(QPainter& painter, ColorRef color, int x0, int y0, int x1, int y1) {
  if (y0 == y1) {
    FillPixels(painter,
               x0 <= x1 ? PixelRect{x0, y0, x1, y0 + 1} : PixelRect{x1 + 1, y0, x0 + 1, y0 + 1},
               color);
  } else if (x0 == x1) {
    FillPixels(painter,
               y0 <= y1 ? PixelRect{x0, y0, x0 + 1, y1} : PixelRect{x0, y1 + 1, x0 + 1, y0 + 1},
               color);
  }
}

void DrawEtchedLine(QPainter& painter, int left, int right, int y) {
  FillPixels(painter, {left, y, right, y + 1}, SysColor(COLOR_BTNSHADOW));
  FillPixels(painter, {left, y + 1, right, y + 2}, SysColor(COLOR_3DHILIGHT));
}
