#pragma once
// Fills, frames and lines by GDI's rules (rectangles without their right and bottom
// edge, lines without their end point), as the owner-drawn menu and button paint them.

#include <QPainter>

#include "render/raster/color_ref.h"
#include "render/raster/pixel_rect.h"

inline QColor ToQColor(ColorRef color) { return QColor::fromRgb(ColorRefToQRgb(color)); }

inline void FillPixels(QPainter& painter, const PixelRect& rect, ColorRef color) {
  if (!rect.IsEmpty()) painter.fillRect(rect.ToQRect(), ToQColor(color));
}

// A one-pixel frame along the inside of the rectangle.
void FramePixels(QPainter& painter, const PixelRect& rect, ColorRef color);

// The top and left edges in topLeft, the right and bottom edges in bottomRight, one
// pixel wide, inside the rectangle.
void Draw3dFrame(QPainter& painter, const PixelRect& rect, ColorRef topLeft, ColorRef bottomRight);

// A horizontal or vertical line from (x0, y0) towards (x1, y1), without the end point.
void DrawLineTo(QPainter& painter, ColorRef color, int x0, int y0, int x1, int y1);

// The etched line of a separator: the shadow colour on row y, the highlight below it,
// from left to right - 1.
void DrawEtchedLine(QPainter& painter, int left, int right, int y);
