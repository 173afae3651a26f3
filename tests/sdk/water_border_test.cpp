// The water-border block and the built-in border strips it is made of.

#include <gtest/gtest.h>

#include <QImage>
#include <QtEndian>

#include <cstdint>
#include <vector>

#include "model/common/app_dir.h"
#include "model/common/bounded_text.h"
#include "render/borders/border_strips.h"
#include "render/raster/color_ref.h"
#include "sdk/page_generators.h"
#include "tests/sdk/page_test_support.h"

namespace {

using pagetest::Lit;

constexpr ColorRef kGreen = MakeColorRef(0, 255, 0);

WaterBorderInfo BuiltIn(int family, int number, ColorRef color = kRecolorableRed) {
  WaterBorderInfo info{};
  info.Source = 0;
  info.StripFamily = family;
  info.StripNumber = number;
  info.StripColor = color;
  info.Style = 2;
  info.BorderSpeed = 9;
  return info;
}

WaterBorderInfo FromFile(const QString& path) {
  WaterBorderInfo info = BuiltIn(0, 0);
  info.Source = 1;
  EXPECT_TRUE(CopyBoundedText(info.StripFile, path));
  return info;
}

// The sides of a block in planes: top, right, bottom, left.
struct Sides {
  const std::uint8_t* side[4];
  int sideBytes[4];
};

Sides SidesOf(const std::vector<std::uint8_t>& block) {
  Sides sides{};
  int offset = 30;
  for (int i = 0; i < 4; ++i) {
    sides.side[i] = block.data() + offset;
    sides.sideBytes[i] = qFromLittleEndian<std::uint16_t>(block.data() + 22 + 2 * i);
    offset += sides.sideBytes[i];
  }
  EXPECT_EQ(offset, static_cast<int>(block.size()));
  return sides;
}

TEST(WaterBorder, HeadOfAThicknessThreeStripInTwoColours) {
  std::vector<std::uint8_t> block(5, 0x11);
  const CardRect area{2, 3, 300, 70};
  const int length = GenerateWaterBorder(block, area, BuiltIn(0, 6), 2);
  ASSERT_EQ(length, 206);  // 30 + 2 x (2 x 3 x 4) + 2 x (2 x 32)
  ASSERT_EQ(block.size(), 206u);
  const std::vector<std::uint8_t> head(block.begin(), block.begin() + 30);
  const std::vector<std::uint8_t> expected = {
      1,    206, 0, 0, 0, 15,           // layer, length, kind
      2,    0,   3, 0, 44, 1, 70, 0,    // left, top, right, bottom
      3,    1,   2, 0, 9, 0, 0, 0,      // thickness, 1, style, 0, speed, 0 0 0
      24,   0,   64, 0, 24, 0, 64, 0};  // top, right, bottom, left side bytes
  EXPECT_EQ(head, expected);
}

// A 32 x 5 strip in which every pixel's channels differ from its neighbours', so any
// flip or swap of a side shows.
QImage TellingStrip() {
  QImage strip(32, 5, QImage::Format_RGB888);
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 32; ++x) {
      const bool red = (x * 7 + y * 13) % 5 < 2;
      const bool green = (x + 2 * y) % 3 == 0;
      const bool blue = x == y || x == 31 - y || x > 28;
      strip.setPixel(x, y, qRgb(red ? 250 : 10, green ? 200 : 100, blue ? 128 : 127));
    }
  }
  return strip;
}

bool StripLit(const QImage& strip, int plane, int x, int y) {
  const QRgb pixel = strip.pixel(x, y);
  const int value = plane == 0 ? qRed(pixel) : plane == 1 ? qGreen(pixel) : qBlue(pixel);
  return value >= 128;
}

TEST(WaterBorder, SidesAreTheStripTurnedPixelByPixel) {
  const QImage strip = TellingStrip();
  const QString path = GetAppDir() + QStringLiteral("strip.bmp");
  ASSERT_TRUE(strip.save(path, "BMP"));
  std::vector<std::uint8_t> block;
  const int length = GenerateWaterBorder(block, {0, 0, 99, 49}, FromFile(path), 3);
  constexpr int t = 5;
  ASSERT_EQ(length, 30 + 2 * (3 * t * 4) + 2 * (3 * 32));
  const Sides sides = SidesOf(block);
  for (int plane = 0; plane < 3; ++plane) {
    const std::uint8_t* top = sides.side[0] + plane * t * 4;
    const std::uint8_t* right = sides.side[1] + plane * 32;
    const std::uint8_t* bottom = sides.side[2] + plane * t * 4;
    const std::uint8_t* left = sides.side[3] + plane * 32;
    for (int y = 0; y < t; ++y) {
      for (int x = 0; x < 32; ++x) {
        SCOPED_TRACE(testing::Message() << "plane " << plane << " x " << x << " y " << y);
        const bool lit = StripLit(strip, plane, x, y);
        EXPECT_EQ(Lit(top, 4, 0, x, y), lit);
        EXPECT_EQ(Lit(bottom, 4, 0, 31 - x, t - 1 - y), lit);
        // Left side: row y of the strip is column y, running upwards.
        EXPECT_EQ(Lit(left, 1, 0, y, 31 - x), lit);
        // Right side: row y of the strip is bit 7 - y, running downwards.
        EXPECT_EQ(Lit(right, 1, 0, 7 - y, x), lit);
      }
    }
    for (int row = 0; row < 32; ++row) {
      EXPECT_EQ(left[row] >> t, 0xFF >> t) << "bits beyond the left side stay 1";
      EXPECT_EQ(right[row] & ((1 << (8 - t)) - 1), (1 << (8 - t)) - 1)
          << "bits before the right side stay 1";
    }
  }
}

TEST(WaterBorder, FullLineOfStyle4LiesOutsideOnAllFourSidesInItsColour) {
  std::vector<std::uint8_t> block;
  ASSERT_GT(GenerateWaterBorder(block, {0, 0, 63, 31}, BuiltIn(0, 4, kGreen), 2), 0);
  const Sides sides = SidesOf(block);
  constexpr int t = 2;
  for (int plane = 0; plane < 2; ++plane) {
    const bool lit = plane == 1;  // the red pattern now shows green
    for (int i = 0; i < 32; ++i) {
      EXPECT_EQ(Lit(sides.side[0] + plane * t * 4, 4, 0, i, 0), lit);
      EXPECT_EQ(Lit(sides.side[2] + plane * t * 4, 4, 0, i, t - 1), lit);
      EXPECT_EQ(Lit(sides.side[3] + plane * 32, 1, 0, 0, i), lit);
      EXPECT_EQ(Lit(sides.side[1] + plane * 32, 1, 0, 7, i), lit);
    }
  }
}

TEST(WaterBorder, OnlyPureRedTakesTheColour) {
  // Single-colour style 0: pure red dots at 5, 13, 21, 29 among RGB(239, 28, 33).
  std::vector<std::uint8_t> block;
  ASSERT_GT(GenerateWaterBorder(block, {0, 0, 40, 40}, BuiltIn(0, 0, kGreen), 2), 0);
  const std::uint8_t* top = SidesOf(block).side[0];
  for (int x = 0; x < 32; ++x) {
    const bool dot = x % 8 == 5;
    EXPECT_EQ(Lit(top, 4, 0, x, 0), !dot) << "red plane, x " << x;
    EXPECT_EQ(Lit(top + 4, 4, 0, x, 0), dot) << "green plane, x " << x;
  }
  // Pure red as the colour leaves every strip as it is.
  std::vector<std::uint8_t> plain;
  ASSERT_GT(GenerateWaterBorder(plain, {0, 0, 40, 40}, BuiltIn(0, 0), 2), 0);
  for (int x = 0; x < 32; ++x) EXPECT_TRUE(Lit(SidesOf(plain).side[0], 4, 0, x, 0));
}

TEST(WaterBorder, RefusesMissingAndMisshapenStrips) {
  const auto save = [](const QString& name, int width, int height) {
    QImage strip(width, height, QImage::Format_RGB888);
    strip.fill(Qt::red);
    const QString path = GetAppDir() + name;
    EXPECT_TRUE(strip.save(path, "BMP"));
    return path;
  };
  std::vector<std::uint8_t> block(3, 1);
  const CardRect area{0, 0, 63, 63};
  EXPECT_EQ(GenerateWaterBorder(block, area, FromFile(save("wide.bmp", 33, 2)), 1), -16);
  EXPECT_EQ(GenerateWaterBorder(block, area, FromFile(save("thick.bmp", 32, 9)), 1), -16);
  EXPECT_TRUE(block.empty());
  EXPECT_EQ(GenerateWaterBorder(block, area, FromFile(GetAppDir() + "gone.bmp"), 1), -12);
  EXPECT_EQ(GenerateWaterBorder(block, area, BuiltIn(0, 20), 1), -12);
  EXPECT_EQ(GenerateWaterBorder(block, area, BuiltIn(1, 26), 1), -12);
  EXPECT_EQ(GenerateWaterBorder(block, area, BuiltIn(0, -1), 1), -12);
  // Eight rows fill the side bytes exactly.
  ASSERT_EQ(GenerateWaterBorder(block, area, FromFile(save("eight.bmp", 32, 8)), 1),
            30 + 2 * 32 + 2 * 32);
  EXPECT_EQ(block[14], 8);
}

TEST(BorderStrips, FamiliesHaveTheirThicknesses) {
  const std::vector<int> single = {1, 1, 1, 2, 2, 2, 3, 3, 3, 3, 3, 3, 4, 4, 4, 4, 7, 7, 7, 7};
  const std::vector<int> multi = {1, 2, 2, 2, 2, 3, 3, 3, 3, 3, 3, 3, 4,
                                  4, 4, 4, 4, 4, 7, 7, 7, 7, 7, 7, 7, 7};
  for (const auto& [family, thicknesses] : {std::pair{0, single}, std::pair{3, multi}}) {
    for (int number = 0; number < static_cast<int>(thicknesses.size()); ++number) {
      const Dib24 strip = BuiltInBorderStrip(family, number);
      EXPECT_EQ(strip.Width(), 32);
      EXPECT_EQ(strip.Height(), thicknesses[number]) << family << "/" << number;
      if (family == 0) continue;
      // A border colour never changes a multicolour strip.
      Dib24 recolored = strip;
      RecolorBorderStrip(recolored, kGreen);
      EXPECT_EQ(recolored.ToImage(), strip.ToImage()) << "multicolour " << number;
    }
  }
}

}  // namespace
