#pragma once
// The dial of the analog clock: where its 60 marks sit and how a mark is drawn.
// The marks are rasterised here rather than by a painter, with the screen's pixel
// rule (a shape's box excludes its right and bottom edge), so that the face the card
// gets does not depend on the drawing engine.

#include <QImage>

#include <vector>

#include "render/raster/color_ref.h"
#include "render/raster/dib24.h"

// Clock types with marks; any other type has none.
constexpr int kRoundDial = 0;
constexpr int kSquareDial = 1;

// Mark shapes; any other shape draws nothing.
constexpr int kMarkCircle = 0;
constexpr int kMarkSquare = 1;
constexpr int kMarkDiamond = 2;

struct MarkStyle {
  ColorRef color = 0;
  int shape = kMarkCircle;
  int width = 0;  // b, in pixels
};

// The centre of one mark and whether it takes the hour style.
struct DialMark {
  float x = 0;
  float y = 0;
  bool hour = false;
};

// m: how far the marks stay inside the face's edge, max(widths) / 2 + 1.
int DialMargin(int hourMarkWidth, int minuteMarkWidth);

// The marks of a face width x height pixels, in drawing order. Round dial: mark i of
// 60 on the circle of radius min(width, height) / 2 - margin, mark 0 at the top,
// clockwise. Square dial: for i 0-14 the four marks where the ray at angle i / 60 of
// a turn meets the square of side 2 min(width, height) / 2 - 2 margin (at least 2),
// one in each quadrant, then two hour marks at the middle of its left and right
// sides. Every fifth i takes the hour style.
std::vector<DialMark> DialMarks(int clockType, int width, int height, int margin);

// Draws a mark of style.width b centred at (x, y) in its colour: a filled circle or
// square in the b x b box from (trunc(x - b/2), trunc(y - b/2)), or a filled diamond
// through the points b/2 left of, above, right of and below the centre. Pixels
// outside the face and marks with no finite position are left out. The card's face
// is a Dib24; the preview's a Format_RGB32 image.
void DrawMark(Dib24& face, float x, float y, const MarkStyle& style);
void DrawMark(QImage& face, float x, float y, const MarkStyle& style);
