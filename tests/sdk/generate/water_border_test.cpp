// The water-border block and the built-in border strips it is made of.

#include <gtest/gtest.h>

#include <QImage>

#include <array>
#include <cstdint>
#include <vector>

#include "model/common/app_dir.h"
#include "model/common/bounded_text.h"
#include "render/borders/border_strips.h"
#include "sdk/generate/page_generators.h"
#include "tests/sdk/generate/page_test_support.h"
#include "tests/support/fifo_watchdog.h"

namespace {

using pagetest::Lit;

constexpr ColorRef kGreen = MakeColorRef(0, 255, 0);

WaterBorderInfo BuiltIn(int family, int number, ColorRef color = kRecolorableRed) {
  WaterBorderInfo info{};
  info.StripFamily = family;
  info.StripNumber = number;
  info.StripColor = color;
  info.Style = 2;
  info.BorderSpeed = 9;
  return info;
}

WaterBorderInfo FromFile(const QString& name) {
  WaterBorderInfo info = BuiltIn(0, 0);
  info.Source = 1;
  EXPECT_TRUE(CopyBoundedText(info.StripFile, GetAppDir() + name));
  return info;
}

// The sides of a block, in its order: top, right, bottom, left.
std::array<const std::uint8_t*, 4> SidesOf(const std::vector<std::uint8_t>& block) {
  std::array<const std::uint8_t*, 4> sides{};
  size_t offset = 30;
  for (size_t i = 0; i < 4; ++i) {
    sides[i] = block.data() + offset;
    offset += block[22 + 2 * i] | (block[23 + 2 * i] << 8);
  }
  EXPECT_EQ(offset, block.size());
  return sides;
}

TEST(WaterBorder, HeadOfAThicknessThreeStripInTwoColours) {
  std::vector<std::uint8_t> block(5, 0x11);
  ASSERT_EQ(GenerateWaterBorder(block, {2, 3, 300, 70}, BuiltIn(0, 6), 2), 206);
  ASSERT_EQ(block.size(), 206u);  // 30 + 2 x (2 x 3 x 4) + 2 x (2 x 32)
  const std::vector<std::uint8_t> head(block.begin(), block.begin() + 30);
  const std::vector<std::uint8_t> expected = {
      1,  206, 0,  0, 0,  15,          // layer, length, kind
      2,  0,   3,  0, 44, 1,  70, 0,   // left, top, right, bottom
      3,  1,   2,  0, 9,  0,  0,  0,   // thickness, 1, style, 0, speed
      24, 0,   64, 0, 24, 0,  64, 0};  // bytes of the top, right, bottom, left side
  EXPECT_EQ(head, expected);
}

TEST(WaterBorder, SidesAreTheStripTurnedPixelByPixel) {
  // Every channel of a pixel follows its own rule, so any flip or swap shows.
  constexpr int t = 5;
  QImage strip(32, t, QImage::Format_RGB888);
  const auto lit = [](int plane, int x, int y) {
    return plane == 0   ? (x * 7 + y * 13) % 5 < 2
           : plane == 1 ? (x + 2 * y) % 3 == 0
                        : x == y || x > 28;
  };
  for (int y = 0; y < t; ++y) {
    for (int x = 0; x < 32; ++x) {
      strip.setPixel(
          x, y, qRgb(lit(0, x, y) ? 250 : 10, lit(1, x, y) ? 200 : 100, lit(2, x, y) ? 128 : 127));
    }
  }
  ASSERT_TRUE(strip.save(GetAppDir() + QStringLiteral("strip.bmp"), "BMP"));
  std::vector<std::uint8_t> block;
  ASSERT_EQ(GenerateWaterBorder(block, {0, 0, 99, 49}, FromFile(QStringLiteral("strip.bmp")), 3),
            30 + 2 * (3 * t * 4) + 2 * (3 * 32));
  const auto [top, right, bottom, left] = SidesOf(block);
  for (int plane = 0; plane < 3; ++plane) {
    for (int y = 0; y < t; ++y) {
      for (int x = 0; x < 32; ++x) {
        SCOPED_TRACE(testing::Message() << "plane " << plane << " x " << x << " y " << y);
        EXPECT_EQ(Lit(top + plane * t * 4, 4, 0, x, y), lit(plane, x, y));
        EXPECT_EQ(Lit(bottom + plane * t * 4, 4, 0, 31 - x, t - 1 - y), lit(plane, x, y));
        // Strip row y: the left side's column y upwards, the right side's bit 7 - y down.
        EXPECT_EQ(Lit(left + plane * 32, 1, 0, y, 31 - x), lit(plane, x, y));
        EXPECT_EQ(Lit(right + plane * 32, 1, 0, 7 - y, x), lit(plane, x, y));
      }
    }
    for (int row = 0; row < 32; ++row) {
      EXPECT_EQ(left[plane * 32 + row] >> t, 0xFF >> t) << "bits beside the left side stay 1";
      EXPECT_EQ(right[plane * 32 + row] & 0x07, 0x07) << "bits beside the right side stay 1";
    }
  }
}

TEST(WaterBorder, FullLineOfStyle4LiesOutsideOnAllFourSidesInItsColour) {
  std::vector<std::uint8_t> block;
  ASSERT_GT(GenerateWaterBorder(block, {0, 0, 63, 31}, BuiltIn(0, 4, kGreen), 2), 0);
  const auto [top, right, bottom, left] = SidesOf(block);
  for (int plane = 0; plane < 2; ++plane) {
    for (int i = 0; i < 32; ++i) {
      EXPECT_EQ(Lit(top + plane * 8, 4, 0, i, 0), plane == 1);
      EXPECT_EQ(Lit(bottom + plane * 8, 4, 0, i, 1), plane == 1);
      EXPECT_EQ(Lit(left + plane * 32, 1, 0, 0, i), plane == 1);
      EXPECT_EQ(Lit(right + plane * 32, 1, 0, 7, i), plane == 1);
    }
  }
  // Style 0 keeps its RGB(239, 28, 33); only the pure red dots (every 8th pixel from
  // the 6th) take the colour.
  ASSERT_GT(GenerateWaterBorder(block, {0, 0, 63, 31}, BuiltIn(0, 0, kGreen), 2), 0);
  for (int x = 0; x < 32; ++x) {
    EXPECT_EQ(Lit(SidesOf(block)[0], 4, 0, x, 0), x % 8 != 5) << x;
    EXPECT_EQ(Lit(SidesOf(block)[0] + 4, 4, 0, x, 0), x % 8 == 5) << x;
  }
}

TEST(WaterBorder, RefusesMissingAndMisshapenStrips) {
  const auto save = [](const char* name, int width, int height) {
    QImage strip(width, height, QImage::Format_RGB888);
    strip.fill(Qt::red);
    EXPECT_TRUE(strip.save(GetAppDir() + QString::fromLatin1(name), "BMP"));
    return FromFile(QString::fromLatin1(name));
  };
  std::vector<std::uint8_t> block(3, 1);
  const CardRect area{0, 0, 63, 63};
  EXPECT_EQ(GenerateWaterBorder(block, area, save("wide.bmp", 33, 2), 1), -16);
  EXPECT_EQ(GenerateWaterBorder(block, area, save("thick.bmp", 32, 9), 1), -16);
  EXPECT_TRUE(block.empty());
  EXPECT_EQ(GenerateWaterBorder(block, area, FromFile(QStringLiteral("gone.bmp")), 1), -12);
  const QString fifo = GetAppDir() + QStringLiteral("fifo.bmp");
  ASSERT_TRUE(fifotest::MakeFifo(fifo));
  const WaterBorderInfo fromFifo = FromFile(QStringLiteral("fifo.bmp"));
  EXPECT_EQ(fifotest::ReturnsPromptly(
                fifo, [&] { return GenerateWaterBorder(block, area, fromFifo, 1); }),
            -12);
  for (const auto& [family, number] : {std::pair{0, 20}, std::pair{1, 26}, std::pair{0, -1}}) {
    EXPECT_EQ(GenerateWaterBorder(block, area, BuiltIn(family, number), 1), -12) << number;
  }
  ASSERT_EQ(GenerateWaterBorder(block, area, save("eight.bmp", 32, 8), 1), 30 + 4 * 32);
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
      Dib24 recolored = strip;  // a border colour never changes a multicolour strip
      RecolorBorderStrip(recolored, kGreen);
      EXPECT_EQ(recolored.ToImage(), strip.ToImage()) << "multicolour " << number;
    }
  }
}

}  // namespace
