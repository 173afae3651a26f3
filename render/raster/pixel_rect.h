#pragma once
// A rectangle in pixels with GDI's rule: it covers the columns left to right - 1 and
// the rows top to bottom - 1, so (0, 0, 4, 2) is 4 x 2 pixels. An empty or inverted
// rectangle covers nothing.

#include <QRect>

struct PixelRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  // The pixels both rectangles cover (empty when they do not meet).
  PixelRect Intersected(const PixelRect& other) const;
  // The same pixels as a QRect (whose right() and bottom() are inclusive).
  QRect ToQRect() const { return QRect(left, top, Width(), Height()); }

  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// The rectangle (0, 0, width, height).
inline PixelRect PixelRectOfSize(int width, int height) { return {0, 0, width, height}; }
