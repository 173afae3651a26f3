// The blend towards white, the emboss, the grey copy and gradient rows as pure functions.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "controls/support/gradient_rows.h"
#include "controls/support/image_effects.h"
#include "controls/support/sys_color.h"

TEST(ImageEffects, BlendTowardsWhiteAndItsRange) {
  const ColorRef color = MakeColorRef(51, 153, 255);
  // int(0.85 * (255 - 51) + 51) = 224, int(0.85 * 102 + 153) = 239.
  EXPECT_EQ(BlendTowardsWhite(color, 0.85), MakeColorRef(224, 239, 255));
  EXPECT_EQ(BlendTowardsWhite(color, 0.0), color);
  EXPECT_EQ(BlendTowardsWhite(color, 1.0), MakeColorRef(255, 255, 255));
  EXPECT_EQ(BlendTowardsWhite(color, -0.1), color);
  EXPECT_EQ(BlendTowardsWhite(color, 1.5), color);
}

TEST(ImageEffects, EmbossPaintsHighlightOffsetThenShadowInPlace) {
  // A 3 x 3 picture on white with one dark pixel in its middle and one transparent corner.
  QImage image(3, 3, QImage::Format_ARGB32);
  image.fill(Qt::white);
  image.setPixel(1, 1, qRgb(10, 20, 30));
  image.setPixel(0, 0, qRgba(10, 20, 30, 0));
  const QImage mask = EmbossMask(image, {MakeColorRef(255, 255, 255)});
  EXPECT_EQ(qGray(mask.pixel(1, 1)), 255);
  EXPECT_EQ(qGray(mask.pixel(0, 0)), 0);  // transparent
  EXPECT_EQ(qGray(mask.pixel(2, 2)), 0);  // a light colour

  const QRgb light = ColorRefToQRgb(SysColor(COLOR_3DHILIGHT));
  const QRgb shadow = ColorRefToQRgb(SysColor(COLOR_BTNSHADOW));
  const QRgb back = qRgb(1, 2, 3);
  const QRgb target = qRgb(200, 0, 0);
  // Painted pixels only: shadow in place, highlight one right and down.
  QImage onto(6, 6, QImage::Format_RGB32);
  onto.fill(target);
  {
    QPainter painter(&onto);
    DrawEmbossed(painter, QPoint(1, 1), image, {MakeColorRef(255, 255, 255)}, std::nullopt);
  }
  EXPECT_EQ(onto.pixel(2, 2), shadow);
  EXPECT_EQ(onto.pixel(3, 3), light);
  EXPECT_EQ(onto.pixel(1, 1), target);
  // With a background each pass copies the whole work picture: the second pass covers
  // the first but for its right column and bottom row.
  onto.fill(target);
  {
    QPainter painter(&onto);
    DrawEmbossed(painter, QPoint(1, 1), image, {MakeColorRef(255, 255, 255)},
                 MakeColorRef(1, 2, 3));
  }
  EXPECT_EQ(onto.pixel(2, 2), shadow);
  EXPECT_EQ(onto.pixel(3, 3), back);  // covered by the shadow pass
  EXPECT_EQ(onto.pixel(4, 4), back);  // the highlight pass's own bottom-right pixel
  EXPECT_EQ(onto.pixel(4, 1), target);
}

TEST(ImageEffects, GreyCopyKeepsBlackAndAlpha) {
  QImage image(3, 1, QImage::Format_ARGB32);
  image.setPixel(0, 0, qRgba(255, 0, 0, 255));
  image.setPixel(1, 0, qRgba(0, 0, 0, 255));
  image.setPixel(2, 0, qRgba(0, 0, 200, 100));
  const QImage grey = GreyCopy(image);
  EXPECT_EQ(grey.pixel(0, 0), qRgba(76, 76, 76, 255));  // int(0.299 * 255)
  EXPECT_EQ(grey.pixel(1, 0), qRgba(0, 0, 0, 255));
  EXPECT_EQ(grey.pixel(2, 0), qRgba(22, 22, 22, 100));  // int(0.114 * 200)
}

TEST(ImageEffects, GradientRowsTruncateFloatSteps) {
  const std::vector<ColorRef> rows = GradientRows(MakeColorRef(10, 10, 10), {-0.5f, 1.5f, 0}, 3);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0], MakeColorRef(10, 10, 10));
  EXPECT_EQ(rows[1], MakeColorRef(9, 11, 10));
  EXPECT_EQ(rows[2], MakeColorRef(9, 13, 10));
  EXPECT_TRUE(GradientRows(0, {}, 0).empty());
}
