#pragma once
// Text for the LED screen is never anti-aliased: every glyph pixel is the text colour
// or untouched, since an LED is lit or dark and the card's planes hold one bit a pixel.
// Font heights are pixels, and text is placed by the top-left corner of its cell, not
// its baseline.

#include <QFont>
#include <QImage>
#include <QSize>
#include <QString>

#include "render/raster/color_ref.h"
#include "render/raster/dib24.h"

// Pixels per logical inch, fixed, so a point size gives one pixel height everywhere.
constexpr int kLogPixelsY = 96;

// number x numerator / denominator in 64-bit arithmetic, rounded half away from zero.
// -1 when denominator is 0 or the result does not fit in an int.
int MulDiv(int number, int numerator, int denominator);

// The font height of a size in points: -MulDiv(points, 96, 72), negative because it
// is the glyphs' em height rather than the cell height.
int FontHeightFromPoints(int points);

// A font for LED content: the face, a pixel height (a font height as above; either
// sign means that many pixels, at least 1), a weight on the 100-900 scale (400
// normal, 700 bold), italic and underline. Anti-aliasing and kerning are off, so a
// run drawn at once is as wide as its measured characters.
QFont MakeLedFont(const QString& face, int height, int weight = 400, bool italic = false,
                  bool underline = false);

// Width (the advance) and height (ascent + descent, GDI's cell height) of text.
QSize TextExtent(const QFont& font, const QString& text);

// Draws text with its cell's top-left corner at (x, y) in the colour, leaving the
// background as it is. The target image must be one QPainter paints on (RGB32 and
// ARGB32 surfaces); the text is clipped to it.
void DrawTextTopLeft(QImage& target, int x, int y, const QString& text, const QFont& font,
                     ColorRef color);
void DrawTextTopLeft(Dib24& target, int x, int y, const QString& text, const QFont& font,
                     ColorRef color);
