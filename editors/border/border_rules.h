#pragma once
// The rules of flowing borders the border page applies: the width a style gives,
// whether a border fits a rectangle, the push of an area inside a program border, and
// the picture a style shows in its list.

#include <QImage>
#include <QRect>

#include "render/raster/screen_colors.h"

// The width in pixels of style `style` of family `family` (0 single colour, 1 dazzle):
// the thickness of the card's strip, 1 for a style the family does not have.
int GetBorderWidth(int family, int style);

// Whether a border of width `width` leaves at least one pixel inside a rectangle of
// that size: both sides at least 2 x width + 1.
inline bool BorderFits(int width, int height, int border) {
  return width >= 2 * border + 1 && height >= 2 * border + 1;
}

// The area rectangle `area` (right and bottom excluded) moved, and shrunk where it must,
// inside a program border of width `border` on a screen of screenWidth x screenHeight.
QRect PushInsideBorder(const QRect& area, int screenWidth, int screenHeight, int border);

// Width and height of a style's list picture.
constexpr int kStylePictureWidth = 96;
constexpr int kStylePictureHeight = 16;

// The list picture of a style: the card's strip repeated along the picture, centred
// in its height on white, in the colours the screen shows. Single-colour strips keep
// their pure red.
QImage BorderStylePicture(int family, int style, ScreenColors colors);
