// The water ripple on pictures whose pixels encode their coordinates, so that every
// output pixel tells which source pixel the refraction took.

#include "render/effects/ripple.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>

#include "tests/support/screenshot.h"

namespace {

QImage Gradient(int width, int height) {
  QImage picture(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) picture.setPixel(x, y, qRgb(x % 256, y % 256, (x / 256) * 64));
  }
  return picture;
}

QRgb PixelOf(const CRipple& ripple, int x, int y) { return ripple.Picture().pixel(x, y); }

TEST(Ripple, WithoutStonesThePictureStaysAsBound) {
  QWidget window;
  const QImage picture = Gradient(40, 30);
  CRipple ripple;
  ASSERT_TRUE(ripple.Init(&window, picture));
  for (int step = 0; step < 50; ++step) ripple.RippleTimerProc();
  EXPECT_EQ(ripple.Picture().convertToFormat(QImage::Format_RGB32), picture);
}

TEST(Ripple, StonesAreDiscsClippedToThePicture) {
  QWidget window;
  CRipple ripple;
  ASSERT_TRUE(ripple.Init(&window, Gradient(20, 20)));
  ripple.Drop(0, 0, 100);
  int lit = 0;
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 20; ++x) lit += ripple.HeightAt(x, y) == 100;
  }
  EXPECT_EQ(lit, 6);
  for (const auto& [x, y] : {std::pair{0, 0}, {1, 0}, {2, 0}, {0, 1}, {1, 1}, {0, 2}}) {
    EXPECT_EQ(ripple.HeightAt(x, y), 100) << x << "," << y;
  }
  ripple.Drop(19, 10, -7);  // the right edge: the left half of the disc and its axis
  int edge = 0;
  for (int y = 0; y < 20; ++y) {
    for (int x = 15; x < 20; ++x) edge += ripple.HeightAt(x, y) == -7;
  }
  EXPECT_EQ(edge, 9);
  EXPECT_EQ(ripple.HeightAt(17, 10), -7);
  EXPECT_EQ(ripple.HeightAt(18, 8), 0);
}

TEST(Ripple, OneStepPropagatesAndRefractsFromTheSource) {
  QWidget window;
  const int width = 340, height = 180;
  const QImage picture = Gradient(width, height);
  CRipple ripple;
  ASSERT_TRUE(ripple.Init(&window, picture));
  ripple.Drop(170, 90, 600);
  ripple.RippleTimerProc();
  // Half the sum of the lit neighbours (600 each), less 1/32 of that: all four at the
  // centre, only the left one right of the disc, (171, 91) and (172, 90) at (172, 91).
  EXPECT_EQ(ripple.HeightAt(170, 90), 1200 - (1200 >> 5));
  EXPECT_EQ(ripple.HeightAt(173, 90), 300 - (300 >> 5));
  EXPECT_EQ(ripple.HeightAt(172, 91), 600 - (600 >> 5));
  EXPECT_EQ(ripple.HeightAt(174, 90), 0);

  int displaced = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      QRgb expected = picture.pixel(x, y);
      if (y > 0 && y < height - 1) {
        const int sx = x + ripple.HeightAt(x - 1, y) - ripple.HeightAt(x + 1, y);
        const int sy = y + ripple.HeightAt(x, y - 1) - ripple.HeightAt(x, y + 1);
        if (sx >= 0 && sx < width && sy >= 0 && sy < height) expected = picture.pixel(sx, sy);
        displaced += sx != x || sy != y;
      }
      ASSERT_EQ(PixelOf(ripple, x, y), expected) << x << "," << y;
    }
  }
  EXPECT_GT(displaced, 0);
}

TEST(Ripple, UnboundRippleIgnoresEverything) {
  CRipple ripple;
  ripple.Drop(1, 1, 600);
  ripple.RippleTimerProc();
  QWidget window;
  EXPECT_FALSE(ripple.Init(&window, QImage()));
  EXPECT_FALSE(ripple.Init(nullptr, Gradient(4, 4)));
  ripple.Drop(1, 1, 600);
  ripple.RippleTimerProc();
  EXPECT_TRUE(ripple.Picture().isNull());
  ASSERT_TRUE(ripple.Init(&window, Gradient(8, 8)));
  ripple.Free();
  ripple.Free();
  ripple.Drop(1, 1, 600);
  EXPECT_EQ(ripple.HeightAt(1, 1), 0);
  EXPECT_TRUE(window.findChildren<QWidget*>().isEmpty());
}

TEST(Ripple, TimerStepsTheShownChildAndOutlivesItsWindow) {
  CRipple ripple;
  {
    QWidget window;
    window.resize(360, 200);
    ASSERT_TRUE(ripple.Init(&window, Gradient(340, 180)));
    window.show();
    ripple.Drop(170, 90, 600);
    ripple.Drop(60, 40, 256);
    ASSERT_TRUE(QTest::qWaitFor([&] { return ripple.HeightAt(173, 90) != 0; }, 2000));
    QTest::qWait(150);
    QWidget* view = window.findChild<QWidget*>();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->geometry(), QRect(0, 0, 340, 180));
    EXPECT_TRUE(view->testAttribute(Qt::WA_TransparentForMouseEvents));
    SaveScreenshot(window, QStringLiteral("water_ripple"));
  }
  ripple.RippleTimerProc();  // the window took the child with it
  ripple.Free();
}

}  // namespace
