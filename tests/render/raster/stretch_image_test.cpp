#include <gtest/gtest.h>

#include <QImage>

#include "render/raster/color_ref.h"
#include "render/raster/dib24.h"
#include "render/raster/stretch.h"
#include "render/raster/stretch_image.h"

namespace {

constexpr QRgb kContent = 0xFF336699;

QImage Content(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(kContent);
  return image;
}

TEST(StretchImage, TakesTheDibStretchsPixelsOpaqueOrKeyedOnBlack) {
  // Pixel (x, y) red x + 1, green y + 1, with black at every third column; wide enough
  // that rows are drawn eight, four and one pixel at a time.
  Dib24 dib(23, 5);
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 23; ++x) dib.SetPixel(x, y, x % 3 == 1 ? 0 : MakeColorRef(x + 1, y + 1, 7));
  }
  const QImage source = dib.ToImage();
  // One to one, enlarging (also up to the source's last column), shrinking, and clipped
  // by the target's edges.
  for (const auto& [from, to] : {std::pair<PixelRect, PixelRect>{{1, 1, 23, 4}, {2, 3, 24, 6}},
                                 {{1, 1, 17, 4}, {2, 3, 43, 21}},
                                 {{10, 0, 23, 5}, {0, 0, 40, 5}},
                                 {{0, 0, 23, 5}, {3, 1, 14, 3}},
                                 {{2, 0, 9, 5}, {-4, 10, 60, 40}}}) {
    QImage expected = Content(48, 30), opaque = Content(48, 30), keyed = Content(48, 30);
    ASSERT_TRUE(StretchNearest(dib, from, expected, to));
    ASSERT_TRUE(StretchNearest(source, from, opaque, to, NearestCopy::kOpaque));
    ASSERT_TRUE(StretchNearest(source, from, keyed, to, NearestCopy::kKeyedOnBlack));
    EXPECT_EQ(opaque, expected);
    for (int y = 0; y < 30; ++y) {
      for (int x = 0; x < 48; ++x) {
        const QRgb pixel = expected.pixel(x, y);
        ASSERT_EQ(keyed.pixel(x, y), pixel == qRgb(0, 0, 0) ? kContent : pixel) << x << "," << y;
      }
    }
  }
}

TEST(StretchImage, ReducesToTheScreensColoursBeforeKeying) {
  // Channels on both sides of the threshold, 127 / 128 / 129, 21 pixels a row so that
  // the eight-at-once, four-at-once and single-pixel paths all run.
  const int values[] = {0, 127, 128, 129, 255};
  QImage source(21, 5, QImage::Format_RGB32);
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 21; ++x) {
      source.setPixel(x, y, qRgb(values[x % 5], values[(x / 2 + y) % 5], values[(x + 2 * y) % 5]));
    }
  }
  for (const int ledColor : {0, 1, 2}) {
    const ScreenColors colors = ScreenColorsOf(ledColor);
    // One to one, enlarged, and from a single column.
    for (const auto& [from, to] : {std::pair<PixelRect, PixelRect>{{0, 0, 21, 5}, {0, 0, 21, 5}},
                                   {{0, 0, 21, 5}, {0, 0, 44, 15}},
                                   {{3, 0, 4, 5}, {0, 0, 9, 5}}}) {
      QImage plain = Content(44, 15), reduced = Content(44, 15), keyed = Content(44, 15);
      ASSERT_TRUE(StretchNearest(source, from, plain, to, NearestCopy::kOpaque));
      ASSERT_TRUE(StretchNearest(source, from, reduced, to, NearestCopy::kOpaque, colors));
      ASSERT_TRUE(StretchNearest(source, from, keyed, to, NearestCopy::kKeyedOnBlack, colors));
      for (int y = 0; y < 15; ++y) {
        for (int x = 0; x < 44; ++x) {
          const QRgb want =
              to.ToQRect().contains(x, y) ? ReducedPixel(plain.pixel(x, y), colors) : kContent;
          ASSERT_EQ(reduced.pixel(x, y), want) << ledColor << ": " << x << "," << y;
          ASSERT_EQ(keyed.pixel(x, y), want == qRgb(0, 0, 0) ? kContent : want)
              << ledColor << ": " << x << "," << y;
        }
      }
    }
  }
  const ScreenColors one = ScreenColorsOf(0), two = ScreenColorsOf(1), full = ScreenColorsOf(7);
  EXPECT_EQ(ReducedPixel(qRgb(128, 127, 255), full), qRgb(255, 0, 255));
  EXPECT_EQ(ReducedPixel(qRgb(127, 255, 255), one), qRgb(0, 0, 0));
  EXPECT_EQ(ReducedPixel(qRgb(200, 128, 255), two), qRgb(255, 255, 0));
}

TEST(StretchImage, RefusesBadRectanglesAndFormatsAndDrawsOpaque) {
  const QImage source = Content(4, 4);
  QImage target = Content(4, 4);
  QImage other(4, 4, QImage::Format_RGB888);
  EXPECT_FALSE(StretchNearest(source, {0, 0, 5, 4}, target, {0, 0, 4, 4}, NearestCopy::kOpaque));
  EXPECT_FALSE(StretchNearest(source, {2, 0, 2, 4}, target, {0, 0, 4, 4}, NearestCopy::kOpaque));
  EXPECT_FALSE(StretchNearest(source, {0, 0, 4, 4}, other, {0, 0, 4, 4}, NearestCopy::kOpaque));
  EXPECT_FALSE(StretchNearest(other, {0, 0, 4, 4}, target, {0, 0, 4, 4}, NearestCopy::kOpaque));
  EXPECT_TRUE(StretchNearest(source, {0, 0, 4, 4}, target, {3, 0, 1, 4}, NearestCopy::kOpaque));

  QImage translucent(1, 1, QImage::Format_ARGB32);
  translucent.fill(qRgba(10, 20, 30, 40));
  EXPECT_TRUE(
      StretchNearest(translucent, {0, 0, 1, 1}, target, {0, 0, 2, 2}, NearestCopy::kKeyedOnBlack));
  EXPECT_EQ(target.pixel(1, 1), qRgb(10, 20, 30));
}

}  // namespace
