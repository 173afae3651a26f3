// The dial's marks: where they sit on round and square faces, and the shapes with
// the screen's pixel rule, on the card's picture and on the preview's alike.

#include <gtest/gtest.h>

#include <QImage>

#include "render/dial/dial_marks.h"
#include "render/raster/dib24.h"

namespace {

constexpr ColorRef kWhite = 0xFFFFFF;

int CountLit(const Dib24& picture) {
  int lit = 0;
  for (int y = 0; y < picture.Height(); ++y) {
    for (int x = 0; x < picture.Width(); ++x) lit += picture.Pixel(x, y) != 0;
  }
  return lit;
}

TEST(DialMarks, SitOnTheCircleOrWhereTheirRayMeetsTheSquare) {
  const int margin = DialMargin(4, 2);
  EXPECT_EQ(margin, 3);
  const auto round = DialMarks(kRoundDial, 64, 64, margin);
  ASSERT_EQ(round.size(), 60u);
  EXPECT_NEAR(round[0].x, 32, 1e-4);
  EXPECT_NEAR(round[0].y, 3, 1e-4);
  EXPECT_FLOAT_EQ(round[15].x, 61);
  EXPECT_FLOAT_EQ(round[45].x, 3);
  EXPECT_TRUE(round[0].hour && round[5].hour && !round[1].hour);

  const auto square = DialMarks(kSquareDial, 64, 64, margin);
  ASSERT_EQ(square.size(), 62u);
  EXPECT_NEAR(square[4 * 5].x, 48.74, 0.01);  // mark 5 (30 degrees) on the top edge
  EXPECT_FLOAT_EQ(square[4 * 5].y, 3);
  EXPECT_FLOAT_EQ(square[4 * 10].x, 61);  // mark 10 (60 degrees) on the right edge
  EXPECT_NEAR(square[4 * 10].y, 15.26, 0.01);
  EXPECT_TRUE(DialMarks(2, 64, 64, margin).empty());
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

TEST(DialMarks, PreviewImageGetsTheCardPixels) {
  for (const int shape : {kMarkCircle, kMarkSquare, kMarkDiamond}) {
    Dib24 card(16, 16);
    QImage preview(16, 16, QImage::Format_RGB32);
    preview.fill(Qt::black);
    const MarkStyle style{0x0000FF, shape, 5};
    DrawMark(card, 7.6f, 1.2f, style);
    DrawMark(preview, 7.6f, 1.2f, style);
    EXPECT_EQ(preview, card.ToImage()) << "shape " << shape;
  }
}

}  // namespace
