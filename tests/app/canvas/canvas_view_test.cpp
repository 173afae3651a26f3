// The view-sized zoomed picture, made from only the screen pixels the preview keeps for
// the view, against the whole enlarged screen, worked out pixel by pixel, with its
// pixel grid.

#include <gtest/gtest.h>

#include <QImage>

#include "app/canvas/canvas_view.h"

namespace {

constexpr QRgb kGrid = 0xFF202020;
constexpr QRgb kBlack = 0xFF000000;

QImage Screen(int width, int height) {
  QImage screen(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) screen.setPixel(x, y, qRgb(10 + x * 5, 10 + y * 7, 200));
  }
  return screen;
}

// The whole zoomed screen's pixel (x, y) for whole-number zooms of 2 to 5, the lines
// drawn over the columns and rows the view reaches.
QRgb LinedPixel(const QImage& screen, const CanvasView& view, int x, int y) {
  const int n = view.Factor();
  const bool column = (x + 1) % n == 0 && x / n >= view.scrollX / n &&
                      x / n < (view.scrollX + view.viewWidth) / n && y < n * screen.height();
  const bool row = (y + 1) % n == 0 && y / n >= view.scrollY / n &&
                   y / n < (view.scrollY + view.viewHeight) / n && x < n * screen.width();
  if (column || row) return kGrid;
  if (x < n * screen.width() && y < n * screen.height()) return screen.pixel(x / n, y / n);
  return kBlack;
}

QImage Zoomed(const QImage& screen, const CanvasView& view) {
  const PixelRect part = VisibleScreenPart(view, screen.width(), screen.height());
  const ScreenPicture visible{screen.copy(part.ToQRect()), {part.left, part.top}};
  QImage zoomed = MakeZoomedPicture(view);
  StretchToZoomed(visible, zoomed, view);
  DrawPixelGrid(zoomed, MakeDotPattern(view), view, screen.width(), screen.height());
  return zoomed;
}

}  // namespace

TEST(CanvasViewTest, VisiblePartMatchesTheWholeEnlargedScreen) {
  const QImage screen = Screen(61, 41);
  for (const int n : {2, 4, 6, 8}) {
    const int maxX = n * 61 + 4 - 100;
    const int maxY = n * 41 + 4 - 70;
    for (const QPoint scroll : {QPoint(0, 0), QPoint(13, 7), QPoint(maxX, maxY), QPoint(5, maxY)}) {
      SCOPED_TRACE(testing::Message()
                   << "zoom " << n << " scroll " << scroll.x() << "," << scroll.y());
      const CanvasView view{static_cast<float>(n), scroll.x(), scroll.y(), 100, 70};
      const QImage zoomed = Zoomed(screen, view);
      ASSERT_FALSE(zoomed.isNull());
      for (int wy = 0; wy < 70; ++wy) {
        for (int wx = 0; wx < 100; ++wx) {
          const int x = wx + scroll.x();
          const int y = wy + scroll.y();
          const QRgb shown = zoomed.pixel(wx, wy);
          if (n < 6) {
            ASSERT_EQ(shown, LinedPixel(screen, view, x, y)) << wx << "," << wy;
          } else if (x % n == n - 1 && y % n == n - 1) {
            ASSERT_EQ(shown, kGrid) << wx << "," << wy;  // the frame round a dot
          } else if (x % n == (n - 1) / 2 && y % n == (n - 1) / 2) {
            const bool inside = x < n * 61 && y < n * 41;
            ASSERT_EQ(shown, inside ? screen.pixel(x / n, y / n) : kBlack) << wx << "," << wy;
          }
        }
      }
    }
  }
}

TEST(CanvasViewTest, GridAndSizeFollowTheZoom) {
  const QImage screen = Screen(20, 10);
  // 1.5: no grid, and one screen pixel a window pixel from (int)(scroll / zoom).
  const QImage oneAndHalf = Zoomed(screen, CanvasView{1.5f, 3, 0, 30, 15});
  EXPECT_EQ(oneAndHalf.pixel(0, 0), screen.pixel(3, 0));
  EXPECT_EQ(oneAndHalf.pixel(1, 0), screen.pixel(4, 0));
  EXPECT_EQ(oneAndHalf.pixel(0, 1), screen.pixel(3, 1));
  // Below 1 the whole screen shrinks; nothing of it beyond its reduced size.
  const QImage half = Zoomed(screen, CanvasView{0.5f, 0, 0, 14, 9});
  EXPECT_EQ(half.pixel(1, 1), screen.pixel(2, 2));
  EXPECT_EQ(half.pixel(10, 1), kBlack);
  EXPECT_TRUE(MakeDotPattern(CanvasView{5.0f, 0, 0, 30, 30}).isNull());

  // A 4096 x 2048 screen at zoom 8 costs view-sized pictures, scrolled to its far end:
  // the screen pixels kept are the view's and two more, moved back inside the screen.
  QImage large(4096, 2048, QImage::Format_RGB32);
  large.fill(qRgb(0, 90, 0));
  const CanvasView view{8.0f, 8 * 4096 - 1280, 8 * 2048 - 800, 1280, 800};
  EXPECT_EQ(VisibleScreenPart(view, 4096, 2048), (PixelRect{3934, 1946, 4096, 2048}));
  EXPECT_EQ(VisibleScreenPart(CanvasView{0.5f, 1000, 300, 1280, 800}, 4096, 2048),
            (PixelRect{1534, 446, 4096, 2048}));
  const QImage zoomed = Zoomed(large, view);
  EXPECT_EQ(zoomed.width(), 1280 + 16);
  EXPECT_EQ(zoomed.pixel(3, 3), qRgb(0, 90, 0));
  EXPECT_EQ(zoomed.pixel(7, 7), kGrid);
}
