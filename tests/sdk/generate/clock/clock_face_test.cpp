// The dial's mark shapes with the screen's pixel rule, and the clock generators
// without a QGuiApplication (this suite has a QCoreApplication only).

#include <gtest/gtest.h>

#include "render/raster/dib24.h"
#include "sdk/Corvanix.h"
#include "render/dial/dial_marks.h"
#include "sdk/generate/clock/clock_generators.h"

namespace {

constexpr ColorRef kWhite = 0xFFFFFF;

int CountLit(const Dib24& picture) {
  int lit = 0;
  for (int y = 0; y < picture.Height(); ++y) {
    for (int x = 0; x < picture.Width(); ++x) lit += picture.Pixel(x, y) != 0;
  }
  return lit;
}

TEST(DialMarks, ShapesFillTheirBoxFromTheTruncatedCorner) {
  Dib24 square(20, 20);
  DrawMark(square, 10.7f, 10.2f, {kWhite, kMarkSquare, 4});
  EXPECT_EQ(CountLit(square), 16);
  EXPECT_NE(square.Pixel(8, 8), 0u);
  EXPECT_NE(square.Pixel(11, 11), 0u);
  Dib24 diamond(20, 20);
  DrawMark(diamond, 10.5f, 10.9f, {kWhite, kMarkDiamond, 4});
  EXPECT_EQ(CountLit(diamond), 13);  // |x - 10| + |y - 10| <= 2, corners included
  EXPECT_NE(diamond.Pixel(12, 10), 0u);
  EXPECT_NE(diamond.Pixel(10, 12), 0u);
  Dib24 circle(20, 20);
  DrawMark(circle, 10.0f, 10.0f, {kWhite, kMarkCircle, 5});
  EXPECT_EQ(CountLit(circle), 21);  // the 5 x 5 box from (8, 8) without its corners
  EXPECT_EQ(circle.Pixel(8, 8), 0u);
  EXPECT_NE(circle.Pixel(12, 10), 0u);

  Dib24 picture(10, 10);
  DrawMark(picture, 5, 5, {kWhite, 3, 4});
  DrawMark(picture, 5, 5, {kWhite, kMarkSquare, 0});
  DrawMark(picture, 50, -40, {kWhite, kMarkCircle, 8});
  EXPECT_EQ(CountLit(picture), 0) << "unknown shape, no width, outside";
  DrawMark(picture, 0, 0, {kWhite, kMarkDiamond, 4});
  EXPECT_EQ(CountLit(picture), 6) << "clipped to the picture";
}

TEST(ClockGeneratorsWithoutGui, FailWithTheDrawingCode) {
  const CardRect area{0, 0, 63, 31};
  std::vector<std::uint8_t> block;
  EXPECT_EQ(GenerateTimeArea(area, TimeAreaInfo{}, block), KQ_ERR_DRAW);
  EXPECT_EQ(GenerateDigitalClockArea(area, DigitalClockAreaInfo{}, block), KQ_ERR_DRAW);
  EXPECT_EQ(GenerateClockArea(block, area, ClockAreaInfo{}, 1), KQ_ERR_DRAW);
  EXPECT_TRUE(block.empty());
}

}  // namespace
