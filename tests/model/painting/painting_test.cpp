#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "model/painting/painting_helpers.h"

namespace {

TEST(Painting, HeaderGradientRunsFromFirstToLastLine) {
  EXPECT_EQ(GradientHeaderColor(0), QColor(119, 196, 243));
  EXPECT_EQ(GradientHeaderColor(24), QColor(249, 252, 254));
}

QImage PaintPanel(int height) {
  QImage image(40, height, QImage::Format_RGB32);
  image.fill(Qt::black);
  QPainter painter(&image);
  DrawPanelFrame(QString(), true, true, painter, QRect(0, 0, 40, height));
  return image;
}

TEST(Painting, PanelBodyOnlyFromTwentySevenLines) {
  // At 26 lines the header meets the bottom outline; at 27 one white body line fits.
  EXPECT_EQ(PaintPanel(26).pixelColor(20, 25), QColor(84, 166, 213));
  EXPECT_EQ(PaintPanel(27).pixelColor(20, 25), QColor(Qt::white));
  const QImage tall = PaintPanel(200);
  EXPECT_EQ(tall.pixelColor(0, 100), QColor(84, 166, 213));  // outline
  EXPECT_EQ(tall.pixelColor(20, 0), QColor(84, 166, 213));
  EXPECT_EQ(tall.pixelColor(20, 1), GradientHeaderColor(1));
  const QColor bottom = tall.pixelColor(20, 198);
  EXPECT_NEAR(bottom.red(), 119, 3);
  EXPECT_NEAR(bottom.green(), 196, 3);
  EXPECT_NEAR(bottom.blue(), 243, 3);
}

}  // namespace
