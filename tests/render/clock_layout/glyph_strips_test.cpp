// Glyph strips drawn with real fonts (DejaVu Sans, WenQuanYi Micro Hei for the
// Chinese words): sizes, cell order, placement rules, and the same bits on every
// thread. Glyph shapes themselves depend on the fonts and are not compared.

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>
#include <vector>

#include "render/clock_layout/glyph_strips.h"
#include "render/raster/gdi_text.h"

namespace {

QFont LedFont() { return MakeLedFont(QStringLiteral("DejaVu Sans"), 16); }

// The first and last lit column of a cell; {-1, -1} when nothing is lit.
std::pair<int, int> LitColumns(const GlyphStrip& strip, int cell) {
  int first = -1;
  int last = -1;
  for (int x = 0; x < strip.cellWidth; ++x) {
    for (int y = 0; y < strip.height; ++y) {
      if (GlyphPixelLit(strip, cell, x, y)) {
        if (first < 0) first = x;
        last = x;
      }
    }
  }
  return {first, last};
}

TEST(GlyphStrips, DigitStripHasTwelveCellsRightAlignedToTheGlyphWidth) {
  GlyphStrip strip;
  ASSERT_TRUE(RenderDigitStrip(LedFont(), 9, 16, strip));
  EXPECT_EQ(strip.cellWidth, 16);
  EXPECT_EQ(strip.cellCount, 12);
  ASSERT_EQ(strip.bytes.size(), 384u);
  const int oneWidth = TextExtent(LedFont(), QStringLiteral("1")).width();
  for (int cell = 0; cell < 10; ++cell) {
    const auto [first, last] = LitColumns(strip, cell);
    ASSERT_GE(first, 0) << "digit " << cell << " drawn";
    EXPECT_LT(last, 9) << "digit " << cell << " right-aligned to 9, not to the cell";
  }
  EXPECT_GE(LitColumns(strip, 1).first, 9 - oneWidth);
  const auto [colonFirst, colonLast] = LitColumns(strip, 10);
  EXPECT_LE(std::abs((colonFirst + colonLast) - 8), 2) << "colon centred on the glyph width";
  EXPECT_EQ(LitColumns(strip, 11).first, -1) << "blank";
}

TEST(GlyphStrips, WeekdayStripsHoldSevenCenteredNames) {
  const QFont font = LedFont();
  const int english = MeasureWeekdayWidth(1, font);
  EXPECT_EQ(english, TextExtent(font, QStringLiteral("Wednesday")).width());
  EXPECT_EQ(MeasureWeekdayWidth(0, font), TextExtent(font, QStringLiteral("星期日")).width());
  EXPECT_EQ(MeasureWeekdayWidth(2, font), TextExtent(font, QStringLiteral("Tues.")).width());
  GlyphStrip strip;
  const int cellWidth = GlyphCellWidth(english);
  ASSERT_TRUE(RenderWeekdayStrip(16, 1, font, english, strip));
  EXPECT_EQ(strip.bytes.size(), std::size_t(7 * 16 * cellWidth / 8));
  // "Friday" is narrower than "Wednesday": centred, its margins in the glyph width
  // differ by at most a pixel or two of side bearing.
  const auto [first, last] = LitColumns(strip, 5);
  ASSERT_GE(first, 0);
  EXPECT_GT(first, 2);
  EXPECT_LE(std::abs(first - (english - 1 - last)), 3);
  GlyphStrip chinese;
  ASSERT_TRUE(RenderWeekdayStrip(16, 0, font, MeasureWeekdayWidth(0, font), chinese));
  for (int cell = 0; cell < 7; ++cell) EXPECT_GE(LitColumns(chinese, cell).first, 0);
}

TEST(GlyphStrips, WordsAndTextSitAtTheLeftEdge) {
  const QFont font = LedFont();
  GlyphStrip words;
  ASSERT_TRUE(RenderAmPmStrip(16, font, true, 30, words));
  EXPECT_EQ(words.bytes.size(), 2u * 16 * 4);
  EXPECT_LE(LitColumns(words, 0).first, 2);
  EXPECT_LE(LitColumns(words, 1).first, 2);
  GlyphStrip chinese;
  ASSERT_TRUE(RenderAmPmStrip(16, font, false, 32, chinese));
  EXPECT_EQ(chinese.bytes.size(), 2u * 16 * 4);
  EXPECT_GE(LitColumns(chinese, 0).first, 0);
  GlyphStrip text;
  ASSERT_TRUE(RenderTextStrip(16, font, QStringLiteral("Left"), 100, text));
  EXPECT_EQ(text.bytes.size(), 16u * 13);
  EXPECT_EQ(text.cellCount, 1);
  EXPECT_LE(LitColumns(text, 0).first, 2);
}

TEST(GlyphStrips, CellsAreAtLeastEightWideAndSizesAreChecked) {
  GlyphStrip strip;
  ASSERT_TRUE(RenderTextStrip(16, LedFont(), QString(), 0, strip));
  EXPECT_EQ(strip.cellWidth, 8);
  EXPECT_EQ(strip.bytes, std::vector<std::uint8_t>(16, 0xFF));
  EXPECT_EQ(GlyphCellWidth(-5), 8);
  EXPECT_FALSE(RenderDigitStrip(LedFont(), 9, 0, strip));
  EXPECT_TRUE(strip.bytes.empty());
  EXPECT_FALSE(RenderTextStrip(16, LedFont(), QStringLiteral("x"), 70000, strip));
}

TEST(GlyphStrips, EveryThreadDrawsTheSameBits) {
  GlyphStrip expected;
  ASSERT_TRUE(RenderWeekdayStrip(16, 0, LedFont(), 48, expected));
  constexpr int kThreads = 8;
  std::vector<GlyphStrip> results(kThreads * 10);
  std::vector<std::thread> threads;
  for (int thread = 0; thread < kThreads; ++thread) {
    threads.emplace_back([&results, thread] {
      const QFont font = LedFont();
      for (int round = 0; round < 10; ++round) {
        EXPECT_TRUE(RenderWeekdayStrip(16, 0, font, 48, results[thread * 10 + round]));
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  for (const GlyphStrip& result : results) EXPECT_EQ(result.bytes, expected.bytes);
}

}  // namespace
