#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>

#include <set>
#include <vector>

#include "render/raster/band_copy.h"
#include "render/raster/color_ref.h"
#include "render/raster/dib24.h"
#include "render/raster/fill_rect.h"
#include "render/raster/gdi_text.h"
#include "render/raster/pixel_rect.h"
#include "render/raster/stretch.h"

namespace {

constexpr ColorRef kWhite = 0x00FFFFFF;
constexpr ColorRef kRed = 0x000000FF;

// The set of pixels of picture that have the colour.
std::set<std::pair<int, int>> PixelsOf(const Dib24& picture, ColorRef color) {
  std::set<std::pair<int, int>> pixels;
  for (int y = 0; y < picture.Height(); ++y) {
    for (int x = 0; x < picture.Width(); ++x) {
      if (picture.Pixel(x, y) == color) pixels.insert({x, y});
    }
  }
  return pixels;
}

// A picture whose pixel (x, y) is red x, green y, blue 7.
Dib24 CoordinatePicture(int width, int height) {
  Dib24 picture(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) picture.SetPixel(x, y, MakeColorRef(x, y, 7));
  }
  return picture;
}

TEST(ColorRef, RedIsTheLowByte) {
  EXPECT_EQ(MakeColorRef(0x11, 0x22, 0x33), 0x00332211u);
  EXPECT_EQ(ColorRefToQRgb(kRed), qRgb(255, 0, 0));
  EXPECT_EQ(ColorRefToQRgb(0xFF00FF00), qRgb(0, 255, 0));  // high byte ignored
  EXPECT_EQ(QRgbToColorRef(qRgba(1, 2, 3, 4)), 0x00030201u);
}

TEST(Dib24, RowsAreBottomUpBlueGreenRedPaddedToFourBytes) {
  EXPECT_EQ(Dib24::RowStride(1), 4);
  EXPECT_EQ(Dib24::RowStride(4), 12);
  EXPECT_EQ(Dib24::RowStride(5), 16);
  Dib24 picture(5, 3);
  ASSERT_FALSE(picture.IsNull());
  EXPECT_EQ(picture.Stride(), 16);
  EXPECT_EQ(picture.SizeInBytes(), 48);
  picture.SetPixel(0, 0, MakeColorRef(0xA1, 0xA2, 0xA3));  // top-left
  picture.SetPixel(4, 2, MakeColorRef(0xB1, 0xB2, 0xB3));  // bottom-right
  const std::uint8_t* bits = picture.Bits();
  // The top row is stored last; bytes blue, green, red.
  EXPECT_EQ(bits[32], 0xA3);
  EXPECT_EQ(bits[33], 0xA2);
  EXPECT_EQ(bits[34], 0xA1);
  EXPECT_EQ(bits[12], 0xB3);
  EXPECT_EQ(bits[14], 0xB1);
  EXPECT_EQ(bits[15], 0);  // padding
  EXPECT_EQ(picture.ToImage().pixel(4, 2), qRgb(0xB1, 0xB2, 0xB3));
  EXPECT_EQ(Dib24::FromImage(picture.ToImage()).Pixel(0, 0), MakeColorRef(0xA1, 0xA2, 0xA3));
}

TEST(Dib24, ImpossibleSizesGiveANullPicture) {
  EXPECT_TRUE(Dib24(0, 5).IsNull());
  EXPECT_TRUE(Dib24(5, -1).IsNull());
  EXPECT_TRUE(Dib24(65536, 1).IsNull());
  EXPECT_TRUE(Dib24(65535, 65535).IsNull());  // more memory than any screen needs
  EXPECT_FALSE(Dib24(65535, 1).IsNull());
  Dib24 picture(2, 2);
  picture.SetPixel(-1, 0, kWhite);  // ignored, not a write out of bounds
  picture.SetPixel(2, 1, kWhite);
  EXPECT_TRUE(PixelsOf(picture, kWhite).empty());
}

TEST(FillRect, RightAndBottomEdgesAreExcluded) {
  Dib24 picture(5, 5);
  FillRect(picture, {1, 1, 3, 4}, kWhite);
  const std::set<std::pair<int, int>> expected{{1, 1}, {2, 1}, {1, 2}, {2, 2}, {1, 3}, {2, 3}};
  EXPECT_EQ(PixelsOf(picture, kWhite), expected);

  QImage surface(5, 5, QImage::Format_RGB32);
  surface.fill(Qt::black);
  FillRect(surface, {1, 1, 3, 4}, kRed);
  EXPECT_EQ(PixelsOf(Dib24::FromImage(surface), kRed), expected);

  FillRect(picture, {3, 3, 3, 9}, kRed);     // empty: nothing
  FillRect(picture, {-9, -9, 99, 1}, kRed);  // clipped to the picture
  EXPECT_EQ(PixelsOf(picture, kRed).size(), 5u);
}

TEST(StretchNearest, WholeNumberEnlargementRepeatsEveryPixel) {
  const Dib24 source = CoordinatePicture(2, 3);
  QImage target(4, 6, QImage::Format_RGB32);
  ASSERT_TRUE(StretchNearest(source, {0, 0, 2, 3}, target, {0, 0, 4, 6}));
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 4; ++x) {
      EXPECT_EQ(target.pixel(x, y), qRgb(x / 2, y / 2, 7)) << x << "," << y;
    }
  }
}

TEST(StretchNearest, ReductionPicksSourcePixelsAndNeverBlends) {
  const Dib24 source = CoordinatePicture(6, 1);
  QImage target(4, 1, QImage::Format_RGB32);
  ASSERT_TRUE(StretchNearest(source, {0, 0, 6, 1}, target, {0, 0, 4, 1}));
  // Column i takes source column i x 6 / 4.
  const int expected[] = {0, 1, 3, 4};
  for (int x = 0; x < 4; ++x) EXPECT_EQ(qRed(target.pixel(x, 0)), expected[x]);
}

TEST(StretchNearest, PartsAndClipping) {
  const Dib24 source = CoordinatePicture(8, 8);
  QImage target(4, 4, QImage::Format_RGB32);
  target.fill(Qt::white);
  // A one-to-one copy of the part (2, 3)-(4, 5) placed partly off the target.
  ASSERT_TRUE(StretchNearest(source, {2, 3, 4, 5}, target, {3, -1, 5, 1}));
  EXPECT_EQ(target.pixel(3, 0), qRgb(2, 4, 7));
  EXPECT_EQ(target.pixel(2, 0), qRgb(255, 255, 255));
  EXPECT_EQ(target.pixel(3, 1), qRgb(255, 255, 255));

  EXPECT_FALSE(StretchNearest(source, {6, 6, 9, 8}, target, {0, 0, 4, 4}));  // off source
  EXPECT_FALSE(StretchNearest(source, {2, 2, 2, 4}, target, {0, 0, 4, 4}));  // empty
  QImage other(4, 4, QImage::Format_RGB888);
  EXPECT_FALSE(StretchNearest(source, {0, 0, 8, 8}, other, {0, 0, 4, 4}));
}

TEST(CopyBand, ClipsToBothPicturesAndKeepsTheBandsPlace) {
  const QImage source = CoordinatePicture(8, 6).ToImage().convertToFormat(QImage::Format_RGB32);
  QImage target(5, 5, QImage::Format_RGB32);
  target.fill(Qt::white);
  // Columns 6..9 of the source (8 and 9 do not exist) to column 3 (5 and 6 do not).
  CopyBand(source, {6, -2, 10, 3}, target, 3, 0);
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 5; ++x) {
      const bool copied = x >= 3 && y >= 2 && y < 5;
      EXPECT_EQ(target.pixel(x, y), copied ? qRgb(x + 3, y - 2, 7) : qRgb(255, 255, 255))
          << x << "," << y;
    }
  }
  const QImage before = target.copy();
  CopyBand(source, {2, 2, 2, 6}, target, 0, 0);    // empty band
  CopyBand(QImage(), {0, 0, 4, 4}, target, 0, 0);  // null picture
  CopyBand(source.convertToFormat(QImage::Format_RGB888), {0, 0, 4, 4}, target, 0, 0);
  EXPECT_EQ(target, before);
}

TEST(CopyBand, InterlacedLinesCountInTargetCoordinates) {
  const QImage source = CoordinatePicture(6, 6).ToImage().convertToFormat(QImage::Format_RGB32);
  const QRgb white = qRgb(255, 255, 255);
  for (const BandLines lines : {BandLines::kEvenRows, BandLines::kOddRows, BandLines::kEvenColumns,
                                BandLines::kOddColumns}) {
    QImage target(6, 6, QImage::Format_RGB32);
    target.fill(Qt::white);
    // The band starts at target (-1, 1), so source column c lands at c - 1, row r at r + 1.
    CopyBand(source, {0, 0, 6, 4}, target, -1, 1, lines);
    for (int y = 0; y < 6; ++y) {
      for (int x = 0; x < 6; ++x) {
        const bool inBand = x < 5 && y >= 1 && y < 5;
        const bool wanted = lines == BandLines::kEvenRows      ? y % 2 == 0
                            : lines == BandLines::kOddRows     ? y % 2 == 1
                            : lines == BandLines::kEvenColumns ? x % 2 == 0
                                                               : x % 2 == 1;
        EXPECT_EQ(target.pixel(x, y), inBand && wanted ? qRgb(x + 1, y - 1, 7) : white)
            << static_cast<int>(lines) << ": " << x << "," << y;
      }
    }
  }
}

TEST(CopyPixels, CopiesEveryCountExactlyAndNothingBeyond) {
  // Counts that end in each of the eight-, four- and one-pixel moves.
  std::vector<QRgb> in(40);
  for (size_t i = 0; i < in.size(); ++i) in[i] = static_cast<QRgb>(i + 1);
  for (int count = 0; count <= 21; ++count) {
    std::vector<QRgb> out(40, 0xDEADBEEF);
    CopyPixels(out.data() + 1, in.data() + 3, count);
    for (int i = 0; i < 40; ++i) {
      const bool copied = i >= 1 && i < 1 + count;
      ASSERT_EQ(out[static_cast<size_t>(i)], copied ? in[static_cast<size_t>(i + 2)] : 0xDEADBEEF)
          << count << ": " << i;
    }
  }
}

TEST(StretchNearest, FromASurfaceTakesOutsidePixelsAsTheFill) {
  QImage surface = CoordinatePicture(3, 2).ToImage();
  Dib24 target(3, 4);
  // Rows -1 to 2 of a 2-row surface onto 4 rows: the first and last from outside.
  ASSERT_TRUE(StretchNearest(surface, {0, -1, 3, 3}, target, {0, 0, 3, 4}, kRed));
  for (int x = 0; x < 3; ++x) {
    EXPECT_EQ(target.Pixel(x, 0), kRed);
    EXPECT_EQ(target.Pixel(x, 1), MakeColorRef(x, 0, 7));
    EXPECT_EQ(target.Pixel(x, 2), MakeColorRef(x, 1, 7));
    EXPECT_EQ(target.Pixel(x, 3), kRed);
  }
  // Columns beyond the surface, and a target partly off the picture.
  ASSERT_TRUE(StretchNearest(surface, {2, 0, 4, 2}, target, {1, 3, 3, 5}, 0x123456));
  EXPECT_EQ(target.Pixel(1, 3), MakeColorRef(2, 0, 7));
  EXPECT_EQ(target.Pixel(2, 3), 0x123456u);
  EXPECT_FALSE(StretchNearest(surface, {0, 0, 0, 2}, target, {0, 0, 3, 4}, kRed));
}

TEST(GdiText, MulDivRoundsHalfAwayFromZero) {
  EXPECT_EQ(MulDiv(9, 96, 72), 12);
  EXPECT_EQ(MulDiv(10, 96, 72), 13);  // 13.33
  EXPECT_EQ(MulDiv(11, 96, 72), 15);  // 14.67
  EXPECT_EQ(MulDiv(3, 1, 2), 2);      // 1.5
  EXPECT_EQ(MulDiv(-3, 1, 2), -2);    // -1.5
  EXPECT_EQ(MulDiv(3, 1, -2), -2);
  EXPECT_EQ(MulDiv(1, 1, 0), -1);
  EXPECT_EQ(MulDiv(0x7FFFFFFF, 4, 1), -1);
  EXPECT_EQ(FontHeightFromPoints(12), -16);
  EXPECT_EQ(FontHeightFromPoints(9), -12);
}

TEST(GdiText, FontsArePixelSizedAndAliased) {
  const QFont font = MakeLedFont(QStringLiteral("DejaVu Sans"), -16, 700, true);
  EXPECT_EQ(font.pixelSize(), 16);
  EXPECT_EQ(font.weight(), QFont::Bold);
  EXPECT_TRUE(font.italic());
  EXPECT_EQ(font.styleStrategy() & QFont::NoAntialias, QFont::NoAntialias);
  EXPECT_EQ(MakeLedFont(QStringLiteral("DejaVu Sans"), 16).pixelSize(), 16);
  EXPECT_EQ(MakeLedFont(QStringLiteral("DejaVu Sans"), 0).pixelSize(), 1);
}

TEST(GdiText, TextIsPureColourInsideItsCellFromTheTopLeft) {
  const QFont font = MakeLedFont(QStringLiteral("DejaVu Sans"), -16);
  const QString text = QStringLiteral("Hg8@");
  const QSize extent = TextExtent(font, text);
  EXPECT_EQ(extent.height(), QFontMetrics(font).height());
  ASSERT_GT(extent.width(), 20);

  Dib24 picture(extent.width() + 20, extent.height() + 20);
  DrawTextTopLeft(picture, 10, 10, text, font, kWhite);
  int left = picture.Width(), top = picture.Height(), right = -1, bottom = -1;
  for (int y = 0; y < picture.Height(); ++y) {
    for (int x = 0; x < picture.Width(); ++x) {
      const ColorRef pixel = picture.Pixel(x, y);
      ASSERT_TRUE(pixel == 0 || pixel == kWhite) << "grey pixel at " << x << "," << y;
      if (pixel == 0) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  ASSERT_GE(right, 0) << "no text drawn";
  // The ink lies in the cell whose top-left corner is (10, 10), not above it as it
  // would with (10, 10) taken as the baseline.
  EXPECT_GE(left, 10);
  EXPECT_LT(left, 14);
  EXPECT_GE(top, 10);
  EXPECT_LT(bottom, 10 + extent.height());
  EXPECT_LE(right, 10 + extent.width());
}

TEST(GdiText, TextOnASurfaceLeavesItsBackground) {
  QImage surface(40, 24, QImage::Format_RGB32);
  surface.fill(qRgb(0, 0, 255));
  DrawTextTopLeft(surface, 0, 0, QStringLiteral("W"),
                  MakeLedFont(QStringLiteral("DejaVu Sans"), -16), kRed);
  std::set<QRgb> colours;
  for (int y = 0; y < surface.height(); ++y) {
    for (int x = 0; x < surface.width(); ++x) colours.insert(surface.pixel(x, y));
  }
  EXPECT_EQ(colours, (std::set<QRgb>{qRgb(0, 0, 255), qRgb(255, 0, 0)}));
}

}  // namespace
