// The preview composes an element table as the card does: digits side by side from
// the digit strip, words and multi-cell elements by their first `width` columns and
// chosen cell, chained elements behind the one before, lit pixels only, cut at the
// area's edges.

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <utility>

#include "render/clock/layout_drawing.h"
#include "tests/render/clock/clock_test_support.h"

using namespace clocktest;

namespace {

using Pixels = std::set<std::pair<int, int>>;

// A strip of cells 8 wide and 10 high, lit where lit(cell, x, y) says.
GlyphStrip Strip(int cells, const std::function<bool(int, int, int)>& lit) {
  GlyphStrip strip{8, 10, cells, std::vector<std::uint8_t>(std::size_t(cells) * 10, 0xFF)};
  for (int cell = 0; cell < cells; ++cell) {
    for (int y = 0; y < 10; ++y) {
      for (int x = 0; x < 8; ++x) {
        if (lit(cell, x, y)) strip.bytes[std::size_t(cell) * 10 + y] &= ~(1u << x);
      }
    }
  }
  return strip;
}

ClockElement Element(int kind, int x, int y, int width, int colorBits, GlyphStrip strip = {}) {
  ClockElement element;
  element.kind = kind;
  element.x = x;
  element.y = y;
  element.width = width;
  element.height = 10;
  element.colorBits = colorBits;
  element.strip = std::move(strip);
  return element;
}

Pixels Lit(const QImage& image, QRgb color) {
  Pixels pixels;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixel(x, y) == color) pixels.insert({x, y});
    }
  }
  return pixels;
}

TEST(DrawClockLayout, ComposesElementsAsTheCard) {
  ClockLayout layout;
  // Digit cell d lights the pixel (0, d) and, beyond the digit width 5, (6, 0).
  layout.digits = Strip(12, [](int cell, int x, int y) { return (x == 0 && y == cell) || x == 6; });
  // A word lights its whole top row; the element keeps its first 5 columns.
  const GlyphStrip word = Strip(1, [](int, int, int y) { return y == 0; });
  // The weekday's and the AM/PM's cell c lights column c of row 9.
  const GlyphStrip cells = Strip(7, [](int cell, int x, int y) { return y == 9 && x == cell; });
  layout.elements = {
      Element(kKindYear4, 2, 0, 5, 1),           Element(kKindWord, kChainedX, 0, 5, 2, word),
      Element(kKindWeekday, 40, 0, 8, 4, cells), Element(kKindAmPm, 60, 0, 8, 3, cells),
      Element(kKindSecond, 50, 4, 5, 7),         Element(kKindWord, 67, 5, 5, 7, word)};
  ElementValues values;
  values.digits = {{kKindYear4, "2037"}, {kKindSecond, "18"}};
  values.weekday = 5;
  values.amPm = 1;
  QImage area = BlackArea(70, 12);
  DrawClockLayout(area, layout, values, std::nullopt);

  EXPECT_EQ(Lit(area, qRgb(255, 0, 0)), (Pixels{{2, 2}, {7, 0}, {12, 3}, {17, 7}}))
      << "digit i at x + i w, each from its own cell, its first w columns only";
  EXPECT_EQ(Lit(area, qRgb(0, 255, 0)), (Pixels{{22, 0}, {23, 0}, {24, 0}, {25, 0}, {26, 0}}))
      << "chained behind the four digits: 2 + 4 x 5";
  EXPECT_EQ(Lit(area, qRgb(0, 0, 255)), (Pixels{{45, 9}})) << "the weekday's cell";
  EXPECT_EQ(Lit(area, qRgb(255, 255, 0)), (Pixels{{61, 9}})) << "the afternoon cell";
  EXPECT_EQ(Lit(area, qRgb(255, 255, 255)), (Pixels{{50, 5}, {67, 5}, {68, 5}, {69, 5}}))
      << "the 8's pixel (55, 12) cut at the bottom edge, the word at the right edge";
  EXPECT_EQ(Lit(area, qRgb(0, 0, 0)).size(), std::size_t(70 * 12 - 4 - 5 - 1 - 1 - 4))
      << "dark pixels are left as they are";

  // A one-colour screen lights only red: the green and the blue element draw nothing,
  // not even black over what is there; yellow and white show their red.
  QImage one = BlackArea(70, 12);
  one.fill(qRgb(1, 2, 3));
  DrawClockLayout(one, layout, values, ScreenColorsOf(0));
  EXPECT_EQ(
      Lit(one, qRgb(255, 0, 0)),
      (Pixels{{2, 2}, {7, 0}, {12, 3}, {17, 7}, {61, 9}, {50, 5}, {67, 5}, {68, 5}, {69, 5}}));
  EXPECT_EQ(Lit(one, qRgb(1, 2, 3)).size(), std::size_t(70 * 12 - 9));
}

}  // namespace
