#pragma once
// The parts every clock and countdown block shares: the fonts and their measures and
// the 14-byte element records with their glyph strips.
//
// Element record, little-endian: x (2), y (2), kind (1), glyph offset (2), width
// (2), height (2), colour bits (1), zero (2). Coordinates and sizes are written as
// their low 16 bits, so a negative y reaches the card as its two's complement.

#include <QFont>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "render/raster/color_ref.h"
#include "sdk/generate/glyph_strips.h"

// Element kinds the card knows.
enum ElementKind : int {
  kKindDay = 6,         // day of the month; countdown: days left
  kKindHour24 = 7,      // hour on the 24-hour clock
  kKindHour12 = 8,      // hour on the 12-hour clock; countdown: hours left
  kKindAmPm = 9,        // two cells: morning, afternoon
  kKindMonth = 10,
  kKindMinute = 11,     // countdown: minutes left
  kKindSecond = 13,     // countdown: seconds left
  kKindYear2 = 19,      // two-digit year
  kKindYear4 = 20,      // four-digit year
  kKindWeekday = 127,   // seven cells, Sunday first
  kKindWord = 255,      // a fixed word or text, one cell
};

// Bytes of one element record.
constexpr int kElementBytes = 14;

// The countdown's x that chains an element right behind the previous one.
constexpr int kChainedX = 0xFFFF;

struct ClockElement {
  int x = 0;
  int y = 0;
  int kind = kKindWord;
  int width = 0;
  int height = 0;
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
QFont RecordFont(const char16_t* face, std::size_t capacity, int points, int bold,
                 int italic, int underline);

template <std::size_t N>
QFont RecordFont(const char16_t (&face)[N], int points, int bold, int italic,
                 int underline) {
  return RecordFont(face, N, points, bold, italic, underline);
}

FontMeasures MeasureFont(const QFont& font);

// Colour bits of an element: 1 red, 2 green, 4 blue, each when its channel is above
// 128.
int ColorBits(ColorRef color);

// The time-zone field of the clocks: the offset in minutes kept to 16 bits, with
// 0x8000 set when timeLagType is 0.
int TimeOffsetField(int timeLagType, int hours, int minutes);

// A number element of a digital kind: w wide, h high, drawn from the digit strip.
ClockElement NumberElement(int kind, const FontMeasures& measures);

// A word element (kind 255) of the width, height h of the font, with its one-cell
// strip. Returns 0 or the strip's KQ_ code.
[[nodiscard]] int WordElement(const QFont& font, const FontMeasures& measures, const QString& text,
                int width, ClockElement& element);

// The element that stands in for an empty clock: kind 255, 8 x 8, colour bits 1,
// glyph one cell of 8 bytes 0xFF.
ClockElement PlaceholderElement();

// Appends the element table and then the glyph data: the digit strip (when given,
// at offset 0, where every number element points), then each other element's strip
// in table order. KQ_ERR_DRAW when a strip would start past offset 65535, which the
// 16-bit field cannot hold.
[[nodiscard]] int AppendElements(std::vector<std::uint8_t>& block, const std::vector<ClockElement>& elements,
                   const GlyphStrip& digits);

// Renders the digit strip of a font's measures.
[[nodiscard]] int RenderDigits(const QFont& font, const FontMeasures& measures, GlyphStrip& digits);
