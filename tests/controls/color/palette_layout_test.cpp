// The palettes' arithmetic: cell colours, the cells under points, placement on a
// screen, the colour text and the eyedropper cursor.
#include <gtest/gtest.h>

#include <QBitmap>
#include <QImage>

#include "controls/color/color_picker.h"
#include "controls/color/palette_layout.h"

namespace {

constexpr ColorRef Rgb(int r, int g, int b) { return MakeColorRef(r, g, b); }

TEST(PaletteLayout, CellsHoldThePalettesOwnColours) {
  EXPECT_EQ(FormatColor(Rgb(255, 0, 16)), "#FF0010");

  const int greys[] = {255, 232, 209, 186, 163, 140, 117, 94, 71, 48, 23, 0};
  for (int row = 0; row < 12; ++row) {
    EXPECT_EQ(PaletteCellColor(kFullPalette, row * 19), Rgb(greys[row], greys[row], greys[row]));
  }
  // Upper block: red 0-102; lower block: red 153-255. Blue steps down a column, green
  // across six columns.
  EXPECT_EQ(PaletteCellColor(kFullPalette, 1 + 19 * 5), Rgb(0, 0, 255));
  EXPECT_EQ(PaletteCellColor(kFullPalette, 6 + 19 * 2), Rgb(0, 255, 102));
  EXPECT_EQ(PaletteCellColor(kFullPalette, 18 + 19 * 5), Rgb(102, 255, 255));
  EXPECT_EQ(PaletteCellColor(kFullPalette, 1 + 19 * 6), Rgb(153, 0, 0));
  EXPECT_EQ(PaletteCellColor(kFullPalette, 18 + 19 * 11), Rgb(255, 255, 255));
  EXPECT_EQ(PaletteCellColor(kFullPalette, 7 + 19 * 8), Rgb(204, 0, 102));

  EXPECT_EQ(PaletteCellColor(kRedStrip, 0), Rgb(255, 0, 0));
  EXPECT_EQ(PaletteCellColor(kRedGreenYellowStrip, 2), Rgb(255, 255, 0));
  const ColorRef seven[] = {Rgb(255, 0, 0),     Rgb(0, 255, 0),   Rgb(0, 0, 255),
                            Rgb(255, 255, 0),   Rgb(0, 255, 255), Rgb(255, 0, 255),
                            Rgb(255, 255, 255), Rgb(0, 0, 0)};
  for (int cell = 0; cell < 8; ++cell)
    EXPECT_EQ(PaletteCellColor(kSevenColorStrip, cell), seven[cell]);
}

TEST(PaletteLayout, OnlyACellsOwnPixelsHitIt) {
  EXPECT_EQ(PaletteCellAt(kFullPalette, false, {19, 5}), -1);  // a line
  EXPECT_EQ(PaletteCellAt(kFullPalette, false, {20, 5}), 2);
  EXPECT_EQ(PaletteCellAt(kFullPalette, false, {5, 29}), -1);  // a line
  EXPECT_EQ(PaletteCellAt(kFullPalette, false, {188, 118}), 18 + 19 * 11);
  EXPECT_EQ(PaletteCellAt(kFullPalette, false, {189, 5}), -1);  // past the last cell
  EXPECT_EQ(PaletteCellAt(kFullPalette, false, {190, 5}), -1);
  EXPECT_EQ(PaletteCellAt(kFullPalette, false, {5, 120}), -1);  // the swatch's area

  EXPECT_EQ(PaletteCellAt(kRedGreenYellowStrip, false, {24, 5}), -1);
  EXPECT_EQ(PaletteCellAt(kRedGreenYellowStrip, false, {25, 5}), 1);
  EXPECT_EQ(PaletteCellAt(kRedGreenYellowStrip, false, {5, 24}), -1);
  EXPECT_EQ(PaletteCellAt(kRedGreenYellowStrip, false, {80, 5}), 3);
  EXPECT_EQ(PaletteCellAt(kRedGreenYellowStrip, true, {80, 5}), -1);  // black left out
  EXPECT_EQ(PaletteCellAt(7, false, {5, 5}), -1);
}

TEST(PaletteLayout, PopUpStaysOnTheScreenThatHoldsTheButton) {
  const QRect screen(1920, 0, 1280, 1024);
  // Below the button, its top row over the button's bottom row.
  EXPECT_EQ(PalettePlacement(kFullPalette, false, QRect(2000, 100, 40, 20), screen),
            QRect(2000, 119, 191, 150));
  // Near the right edge it moves left; near the bottom it opens upwards.
  EXPECT_EQ(PalettePlacement(kFullPalette, false, QRect(3150, 1000, 40, 20), screen),
            QRect(3200 - 191, 1019 - 150, 191, 150));
  EXPECT_EQ(PalettePlacement(kRedStrip, false, QRect(3190, 990, 20, 20), screen),
            QRect(3200 - 51, 1009 - 26, 51, 26));
  // A screen narrower than the pop-up keeps its left edge.
  EXPECT_EQ(PalettePlacement(kSevenColorStrip, false, QRect(10, 10, 20, 20), QRect(0, 0, 150, 500)),
            QRect(0, 29, 201, 26));

  const int widths[][2] = {{51, 26}, {101, 76}, {201, 176}};
  for (int kind = kRedStrip; kind <= kSevenColorStrip; ++kind) {
    EXPECT_EQ(PaletteWindowSize(kind, false), QSize(widths[kind - 1][0], 26));
    EXPECT_EQ(PaletteWindowSize(kind, true), QSize(widths[kind - 1][1], 26));
  }
  EXPECT_EQ(PalettePlacement(9, false, QRect(5, 6, 7, 8), screen), QRect(5, 6, 7, 8));
}

TEST(PaletteLayout, EyedropperCursorFollowsItsMaskRows) {
  EXPECT_EQ(EyedropperPixel(0, 0), CursorPixel::kTransparent);
  EXPECT_EQ(EyedropperPixel(12, 0), CursorPixel::kBlack);  // AND FFF1: bits 12-14 clear
  EXPECT_EQ(EyedropperPixel(12, 1), CursorPixel::kWhite);  // XOR 000C
  EXPECT_EQ(EyedropperPixel(0, 14), CursorPixel::kBlack);
  EXPECT_EQ(EyedropperPixel(1, 14), CursorPixel::kWhite);  // XOR 4000
  EXPECT_EQ(EyedropperPixel(0, 15), CursorPixel::kBlack);  // the hotspot's row
  EXPECT_EQ(EyedropperPixel(20, 3), CursorPixel::kTransparent);

  const QCursor cursor = CColorPicker::MakeEyedropperCursor();
  EXPECT_EQ(cursor.hotSpot(), QPoint(0, 15));
  const QImage bits = cursor.bitmap().toImage().convertToFormat(QImage::Format_RGB32);
  const QImage mask = cursor.mask().toImage().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(bits.size(), QSize(32, 32));
  // Qt's bitmaps: set bits read black. Black: bitmap and mask; white: the mask alone.
  EXPECT_EQ(bits.pixel(0, 14), qRgb(0, 0, 0));
  EXPECT_EQ(mask.pixel(0, 14), qRgb(0, 0, 0));
  EXPECT_EQ(bits.pixel(1, 14), qRgb(255, 255, 255));
  EXPECT_EQ(mask.pixel(1, 14), qRgb(0, 0, 0));
  EXPECT_EQ(mask.pixel(0, 0), qRgb(255, 255, 255));
}

}  // namespace
