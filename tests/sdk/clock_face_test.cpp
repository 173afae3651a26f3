// The dial's mark shapes with the Windows pixel rules, and the clock generators
// without a QGuiApplication (this suite has a QCoreApplication only).

#include <gtest/gtest.h>

#include <cstdlib>

#include "render/raster/dib24.h"
#include "sdk/Corvanix.h"
#include "sdk/clock_face.h"
#include "sdk/clock_generators.h"

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
  EXPECT_EQ(CountLit(diamond), 13);
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 20; ++x) {
      EXPECT_EQ(diamond.Pixel(x, y) != 0, std::abs(x - 10) + std::abs(y - 10) <= 2) << x << ","
                                                                                     << y;
    }
  }

  Dib24 circle(20, 20);
  DrawMark(circle, 10.0f, 10.0f, {kWhite, kMarkCircle, 5});
  EXPECT_NE(circle.Pixel(8, 10), 0u);
  EXPECT_NE(circle.Pixel(12, 10), 0u);
  EXPECT_NE(circle.Pixel(10, 12), 0u);
  EXPECT_EQ(circle.Pixel(8, 8), 0u) << "corners of the box stay dark";
  EXPECT_EQ(circle.Pixel(13, 10), 0u) << "the box excludes its right edge";
  EXPECT_EQ(CountLit(circle), 21);

  Dib24 dot(4, 4);
  DrawMark(dot, 1.9f, 2.2f, {kWhite, kMarkCircle, 1});
  EXPECT_EQ(CountLit(dot), 1);
  EXPECT_NE(dot.Pixel(1, 2), 0u);
}

TEST(DialMarks, UnknownShapesAndEmptyOrOutsideMarksDrawNothing) {
  Dib24 picture(10, 10);
  DrawMark(picture, 5, 5, {kWhite, 3, 4});
  DrawMark(picture, 5, 5, {kWhite, kMarkSquare, 0});
  DrawMark(picture, 5, 5, {kWhite, kMarkDiamond, -3});
  DrawMark(picture, 50, -40, {kWhite, kMarkCircle, 8});
  EXPECT_EQ(CountLit(picture), 0);
  DrawMark(picture, 0, 0, {kWhite, kMarkDiamond, 4});  // clipped to the picture
  EXPECT_EQ(CountLit(picture), 6);
  EXPECT_TRUE(DialMarks(2, 64, 32, 1).empty());
  EXPECT_EQ(DialMarks(kRoundDial, 64, 32, 1).size(), 60u);
  EXPECT_EQ(DialMarks(kSquareDial, 64, 32, 1).size(), 62u);
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
