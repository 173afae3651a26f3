#include <gtest/gtest.h>

#include <QImage>

#include <climits>
#include <string>
#include <vector>

#include "render/borders/border_renderer.h"
#include "render/raster/color_ref.h"

namespace {

constexpr QRgb kContent = 0xFF336699;
constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kGreenPixel = 0xFF00FF00;
constexpr ColorRef kGreen = MakeColorRef(0, 255, 0);

// Single-colour strips as rows, outer edge first ('#' the border colour).
const std::vector<std::string> kStyle5 = {"..####....####....####....####..",
                                          "################################"};
const std::vector<std::string> kStyle18 = {
    "#######.#######.#######.#######.", "#.....#.#.....#.#.....#.#.....#.",
    "###.###.###.###.###.###.###.###.", "..#.#.....#.#.....#.#.....#.#...",
    "###.###.###.###.###.###.###.###.", "#.....#.#.....#.#.....#.#.....#.",
    "#######.#######.#######.#######."};

ScreenPicture Picture(int width, int height) {
  ScreenPicture picture{QImage(width, height, QImage::Format_RGB32), {}};
  picture.image.fill(kContent);
  return picture;
}

// A renderer of a single-colour style round its own rectangle, opaque by default.
struct Border {
  Border(const PixelRect& at, ScreenPicture& target, int style, int movement, int speed,
         ColorRef color = kGreen, int transparent = 0)
      : rect(at) {
    renderer.SetTransparent(transparent);
    renderer.Init(LiveRect::Of(rect), &target, 0, style, movement, color, speed, std::nullopt);
  }
  PixelRect rect;
  CBorderRenderer renderer;
};

QRgb StripPixel(const std::vector<std::string>& rows, int row, int column) {
  return rows[row][column % 32] == '#' ? kGreenPixel : kBlack;
}

// Every pixel of the four bands round r, drawn one to one at offset o, against the
// strip's rows turned for each side.
void ExpectBands(const QImage& image, const PixelRect& r, const std::vector<std::string>& rows,
                 int movement, int o) {
  const int h = static_cast<int>(rows.size());
  const bool counter = movement == kBorderCounterClockwise;
  const int x = counter ? o : 32 - o;
  const int xBottom = counter ? 32 - o : o;
  const int y = counter ? 32 - o : o;
  const int yRight = counter ? o : 32 - o;
  for (int i = 0; i < r.Width(); ++i) {
    for (int row = 0; row < h; ++row) {
      ASSERT_EQ(image.pixel(r.left + i, r.top + row), StripPixel(rows, row, x + i)) << i;
      // The bottom band: turned by 180 degrees.
      ASSERT_EQ(image.pixel(r.left + i, r.bottom - h + row),
                StripPixel(rows, h - 1 - row, 31 - (xBottom + i) % 32))
          << i;
    }
  }
  for (int j = 0; j < r.Height() - 2 * h; ++j) {
    for (int c = 0; c < h; ++c) {
      // Left: a quarter turn counter-clockwise; right: a quarter turn clockwise.
      ASSERT_EQ(image.pixel(r.left + c, r.top + h + j), StripPixel(rows, c, 31 - (y + j) % 32));
      ASSERT_EQ(image.pixel(r.right - h + c, r.top + h + j),
                StripPixel(rows, h - 1 - c, yRight + j));
    }
  }
}

TEST(BorderRenderer, OffsetRunsByTheSpeedAndWrapsAboveThirtyTwo) {
  ScreenPicture image = Picture(20, 20);
  Border fast({0, 0, 20, 20}, image, 4, kBorderClockwise, 0);
  for (int tick = 1; tick <= 9; ++tick) {
    fast.renderer.Draw();
    EXPECT_FLOAT_EQ(fast.renderer.Offset(), tick <= 8 ? 4.0f * tick : 4.0f);
  }
  Border slow({0, 0, 20, 20}, image, 4, kBorderClockwise, 31);
  Border beyond({0, 0, 20, 20}, image, 4, kBorderClockwise, 40);  // clamped to 31
  for (int tick = 1; tick <= 8; ++tick) {
    slow.renderer.Draw();
    beyond.renderer.Draw();
    EXPECT_EQ(static_cast<int>(slow.renderer.Offset()), tick < 8 ? 0 : 1) << tick;
    EXPECT_EQ(beyond.renderer.Offset(), slow.renderer.Offset());
  }
}

TEST(BorderRenderer, BandsAreTheTurnedStripAtTheOffsetAndStillOnesDoNotMove) {
  const PixelRect at{10, 5, 110, 65};  // 100 x 60
  for (const int movement : {kBorderClockwise, kBorderCounterClockwise}) {
    for (const auto& [style, rows] : {std::pair{5, kStyle5}, std::pair{18, kStyle18}}) {
      ScreenPicture image = Picture(130, 80);
      Border border(at, image, style, movement, 0);
      for (int tick = 0; tick < 3; ++tick) border.renderer.Draw();  // offset 12
      SCOPED_TRACE(testing::Message() << "style " << style << " movement " << movement);
      ExpectBands(image.image, at, rows, movement, 12);
      for (const auto& [x, y] : {std::pair{9, 30}, {110, 30}, {50, 4}, {50, 65}, {60, 35}}) {
        EXPECT_EQ(image.image.pixel(x, y), kContent) << x << "," << y;
      }
      // A picture of part of the screen shows that part of the same bands.
      ScreenPicture part{Picture(35, 30).image, {95, 50}};
      Border partBorder(at, part, style, movement, 0);
      for (int tick = 0; tick < 3; ++tick) partBorder.renderer.Draw();
      EXPECT_EQ(part.image, image.image.copy(95, 50, 35, 30));
    }
  }
  ScreenPicture still = Picture(100, 60);
  Border border({0, 0, 100, 60}, still, 18, kBorderStill, 0);
  for (int tick = 0; tick < 4; ++tick) {
    border.renderer.Draw();
    ExpectBands(still.image, border.rect, kStyle18, kBorderClockwise, 0);
  }
}

TEST(BorderRenderer, FullLineOfStyleFourLiesOnTheOuterEdgeOfEverySide) {
  ScreenPicture image = Picture(100, 60);
  Border border({0, 0, 100, 60}, image, 4, kBorderClockwise, 3);
  for (int tick = 0; tick < 7; ++tick) border.renderer.Draw();
  for (int x = 0; x < 100; ++x) {
    ASSERT_EQ(image.image.pixel(x, 0), kGreenPixel) << x;
    ASSERT_EQ(image.image.pixel(x, 59), kGreenPixel) << x;
  }
  for (int y = 2; y < 58; ++y) {  // the sides run between the top and bottom bands
    ASSERT_EQ(image.image.pixel(0, y), kGreenPixel) << y;
    ASSERT_EQ(image.image.pixel(99, y), kGreenPixel) << y;
  }
}

TEST(BorderRenderer, ClockwiseAndCounterClockwiseMoveTheTopBandOppositeWays) {
  for (const auto& [movement, shift] :
       {std::pair{kBorderClockwise, 1}, std::pair{kBorderCounterClockwise, -1}}) {
    ScreenPicture image = Picture(100, 60);
    Border border({0, 0, 100, 60}, image, 18, movement, 6);  // 1 pixel a tick
    border.renderer.Draw();
    const QImage first = image.image.copy();
    border.renderer.Draw();
    for (int x = 1; x < 99; ++x) ASSERT_EQ(image.image.pixel(x, 0), first.pixel(x - shift, 0)) << x;
  }
}

TEST(BorderRenderer, ColourKeyingAndStyleZerosFixedRed) {
  for (const int transparent : {1, 0}) {
    ScreenPicture image = Picture(100, 60);
    Border border({0, 0, 100, 60}, image, 5, kBorderStill, 0, kGreen, transparent);
    border.renderer.Draw();
    // Row 0 of style 5 is "..####..": black shows the content only when keyed.
    EXPECT_EQ(image.image.pixel(0, 0), transparent ? kContent : kBlack);
    EXPECT_EQ(image.image.pixel(2, 0), kGreenPixel);
  }
  ScreenPicture image = Picture(64, 20);
  Border border({0, 0, 64, 20}, image, 0, kBorderStill, 0, MakeColorRef(0, 0, 255));
  border.renderer.Draw();
  const std::string row = "?????#???????#???????#???????#??";
  for (int x = 0; x < 64; ++x) {
    ASSERT_EQ(image.image.pixel(x, 0), row[x % 32] == '#' ? qRgb(0, 0, 255) : qRgb(239, 28, 33))
        << x;
  }
}

TEST(BorderRenderer, FollowsTheRectangleAndStretchesAfterAResize) {
  ScreenPicture image = Picture(300, 100);
  Border border({0, 0, 100, 60}, image, 18, kBorderStill, 0);
  border.rect = {150, 20, 250, 80};
  border.renderer.Draw();
  EXPECT_EQ(image.image.pixel(0, 0), kContent);
  ExpectBands(image.image, border.rect, kStyle18, kBorderClockwise, 0);

  border.rect = {0, 0, 200, 60};  // twice as wide: every strip column twice
  border.renderer.Draw();
  for (int i = 0; i < 200; ++i)
    ASSERT_EQ(image.image.pixel(i, 0), StripPixel(kStyle18, 0, i / 2)) << i;

  // A rectangle from a hostile project file, at setup and later: clipped, no overflow.
  const PixelRect hostile{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
  Border huge(hostile, image, 18, kBorderClockwise, 0);
  huge.renderer.Draw();
  border.rect = hostile;
  border.renderer.Draw();
}

TEST(BorderRenderer, SmallOrMissingBordersDrawOnlyWhatFits) {
  // 5 rows and the 3-row style 6: top and bottom only, no side mirrored over them.
  const std::vector<std::string> style6 = {"....#.......#.......#.......#...",
                                           ".#####...#####...#####...#####.."};
  ScreenPicture low = Picture(60, 9);
  Border lowBorder({0, 2, 40, 7}, low, 6, kBorderStill, 0);
  lowBorder.renderer.Draw();
  for (int x = 0; x < 40; ++x) {
    ASSERT_EQ(low.image.pixel(x, 1), kContent);
    ASSERT_EQ(low.image.pixel(x, 2), StripPixel(style6, 0, x)) << x;
    ASSERT_EQ(low.image.pixel(x, 3), StripPixel(style6, 1, x)) << x;
    ASSERT_EQ(low.image.pixel(x, 6), StripPixel(style6, 0, 31 - x % 32)) << x;
    ASSERT_EQ(low.image.pixel(x, 7), kContent);
  }
  // Nothing at all: 0 x 0, inverted, a style outside its family in either copy mode,
  // a movement other than 0-2, a renderer never set up.
  const QImage untouched = Picture(60, 40).image;
  ScreenPicture image{untouched, {}};
  Border empty({10, 10, 10, 10}, image, 4, kBorderClockwise, 0);
  Border inverted({30, 30, 5, 5}, image, 4, kBorderClockwise, 0);
  Border noStyle({0, 0, 60, 40}, image, 20, kBorderClockwise, 0);
  Border noStyleKeyed({0, 0, 60, 40}, image, 20, kBorderClockwise, 0, kGreen, 1);
  Border badMovement({0, 0, 60, 40}, image, 4, 5, 0);
  for (Border* border : {&empty, &inverted, &noStyle, &noStyleKeyed, &badMovement}) {
    border->renderer.Draw();
  }
  CBorderRenderer never;
  never.Draw();
  EXPECT_EQ(image.image, untouched);
}

}  // namespace
