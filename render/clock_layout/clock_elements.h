#pragma once
// The elements clocks and countdowns are made of: numbers the card fills in from its
// own clock and fixed words, each with its place, size, colour bits and glyph strip.
// The SDK writes them as the card's element table; the preview composes them as the
// card does.

#include <QFont>
#include <QString>

#include <cstddef>
#include <vector>

#include "render/clock_layout/glyph_strips.h"
#include "render/raster/color_ref.h"

// Element kinds the card knows.
enum ElementKind : int {
  kKindDay = 6,     // day of the month; countdown: days left
  kKindHour24 = 7,  // hour on the 24-hour clock
  kKindHour12 = 8,  // hour on the 12-hour clock; countdown: hours left
  kKindAmPm = 9,    // two cells: morning, afternoon
  kKindMonth = 10,
  kKindMinute = 11,    // countdown: minutes left
  kKindSecond = 13,    // countdown: seconds left
  kKindYear2 = 19,     // two-digit year
  kKindYear4 = 20,     // four-digit year
  kKindWeekday = 127,  // seven cells, Sunday first
  kKindWord = 255,     // a fixed word or text, one cell
};

// The countdown's x that chains an element right behind the previous one.
constexpr int kChainedX = 0xFFFF;

struct ClockElement {
  int x = 0;  // within the area; kChainedX: behind the previous element
  int y = 0;
  int kind = kKindWord;
  int width = 0;   // w for numbers, whose digits stand w apart
  int height = 0;  // h of the element's font
  int colorBits = 0;
  GlyphStrip strip;  // the element's own glyphs; empty for numbers (the digit strip)

  bool IsNumber() const;
};

// A run of elements laid out from x 0, and the width it takes.
struct ElementGroup {
  std::vector<ClockElement> elements;
  int width = 0;

  bool IsEmpty() const { return elements.empty(); }
  // Moves every element by x and puts all of them at y.
  void Place(int x, int y);
};

// The measures of a font: h the height of "胡" (every element of the font), k its
// width (a one-character unit word), w the width of "8" (a digit).
struct FontMeasures {
  int h = 0;
  int k = 0;
  int w = 0;
};

// A font from a record's fields: the face (a field of `capacity` units), the size in
// points at 96 pixels an inch (at least 1 pixel, also for sizes of 0 or less), bold
// as weight 700.
QFont RecordFont(const char16_t* face, std::size_t capacity, int points, int bold, int italic,
                 int underline);

template <std::size_t N>
QFont RecordFont(const char16_t (&face)[N], int points, int bold, int italic, int underline) {
  return RecordFont(face, N, points, bold, italic, underline);
}

// The font of a record's ShowStrFont_ fields.
template <typename Record>
QFont ShowStrFont(const Record& info) {
  return RecordFont(info.ShowStrFont_FontName, info.ShowStrFont_FontSize, info.ShowStrFont_FontBold,
                    info.ShowStrFont_FontItalic, info.ShowStrFont_FontUnderLine);
}

FontMeasures MeasureFont(const QFont& font);

// Colour bits of an element: 1 red, 2 green, 4 blue, each when its channel is above
// 128 (a channel of exactly 128 is off).
int ColorBits(ColorRef color);

// The opaque colour an element of colour bits is lit in.
QRgb ColorOfBits(int colorBits);

// A number element of a digital kind: w wide, h high, drawn from the digit strip.
ClockElement NumberElement(int kind, const FontMeasures& measures);

// A word element (kind 255) of the width, height h of the font, with its one-cell
// strip; false when the strip cannot be drawn.
[[nodiscard]] bool WordElement(const QFont& font, const FontMeasures& measures, const QString& text,
                               int width, ClockElement& element);

// The element that stands in for an empty clock: kind 255, 8 x 8, colour bits 1,
// glyph one cell of 8 bytes 0xFF.
ClockElement PlaceholderElement();
