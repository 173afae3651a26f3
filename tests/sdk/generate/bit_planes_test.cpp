// Conversion of 24-bit pictures into the cards' bit planes, and page sizes.

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "render/raster/dib24.h"
#include "sdk/generate/bit_planes.h"

namespace {

// The bit of pixel (x, y) of a picture w wide in one plane, read by the format's
// definition: rows of R bytes, least significant bit first from startBit.
bool BitAt(const std::vector<std::uint8_t>& plane, int width, int startBit, int x, int y) {
  const std::int64_t rowBytes = PlaneRowBytes(startBit, width);
  const int bit = startBit + x;
  return (plane[y * rowBytes + bit / 8] >> (bit % 8)) & 1;
}

std::vector<std::uint8_t> Convert(const Dib24& picture, int colorType, int startBit,
                                  std::size_t& planeSize) {
  planeSize = PlaneRowBytes(startBit, picture.Width()) * picture.Height();
  std::vector<std::uint8_t> planes(planeSize * colorType, 0xFF);
  EXPECT_TRUE(DibToBitPlanes(planes.data(), planeSize, colorType, picture.Bits(), picture.Width(),
                             picture.Height(), picture.Stride(), startBit));
  return planes;
}

TEST(BitPlanes, RowsLineUpWithTheScreensByteColumns) {
  Dib24 picture(10, 2);  // one colour, left edge at screen column 6
  for (int x = 0; x < 10; ++x) picture.SetPixel(x, 0, MakeColorRef(128, 0, 0));
  picture.SetPixel(0, 1, MakeColorRef(127, 255, 255));  // below the threshold
  picture.SetPixel(9, 1, MakeColorRef(255, 0, 0));
  std::size_t planeSize = 0;
  const std::vector<std::uint8_t> plane = Convert(picture, 1, 6, planeSize);
  ASSERT_EQ(planeSize, 4u) << "2 bytes a row";
  // Top row first: pixels 0-1 in bits 6-7 of byte 0, pixels 2-9 fill byte 1; bits
  // 0-5 of byte 0 lie before the picture and stay 1.
  EXPECT_EQ(plane[0], 0x3F);
  EXPECT_EQ(plane[1], 0x00);
  EXPECT_EQ(plane[2], 0xFF);
  EXPECT_EQ(plane[3], 0x7F) << "the tenth pixel is bit 7 of byte 1";
}

TEST(BitPlanes, EachColourTypeReadsItsChannelsInOrder) {
  Dib24 picture(1, 1);
  picture.SetPixel(0, 0, MakeColorRef(200, 100, 255));
  std::size_t planeSize = 0;
  const std::vector<std::uint8_t> three = Convert(picture, 3, 0, planeSize);
  ASSERT_EQ(three.size(), 3u);
  EXPECT_EQ(three[0] & 1, 0) << "red lit";
  EXPECT_EQ(three[1] & 1, 1) << "green dark";
  EXPECT_EQ(three[2] & 1, 0) << "blue lit";
  EXPECT_EQ(three[0] | 1, 0xFF);
  const std::vector<std::uint8_t> two = Convert(picture, 2, 0, planeSize);
  EXPECT_EQ(two, (std::vector<std::uint8_t>{0xFE, 0xFF}));
}

// The conversions a processor may get; those it lacks fall back to the next one.
enum class Conversion { kPortable, kVector256, kWidestVector };

void Use(Conversion conversion) {
  AllowVectorBitPlanes(conversion != Conversion::kPortable);
  AllowWideVectorBitPlanes(conversion == Conversion::kWidestVector);
}

// Every pixel of pictures of widths around the 8- and 64-pixel groups, at every start
// bit, by each conversion.
class BitPlanesEveryPixel : public testing::TestWithParam<Conversion> {
 protected:
  void SetUp() override { Use(GetParam()); }
  void TearDown() override { Use(Conversion::kWidestVector); }
};

TEST_P(BitPlanesEveryPixel, MatchTheirChannelsAtEveryStartBit) {
  for (const int width : {1, 7, 8, 9, 16, 31, 32, 37, 64, 100, 203}) {
    Dib24 picture(width, 3);
    for (int y = 0; y < 3; ++y) {
      for (int x = 0; x < width; ++x) {
        const int red = (x * 7 + y) % 3 == 0 ? 200 : 20;
        const int green = (x + 2 * y) % 5 < 2 ? 128 : 127;
        const int blue = (x * x + y) % 4 == 1 ? 255 : 0;
        picture.SetPixel(x, y, MakeColorRef(red, green, blue));
      }
    }
    for (int startBit = 0; startBit < 8; ++startBit) {
      std::size_t planeSize = 0;
      const std::vector<std::uint8_t> planes = Convert(picture, 3, startBit, planeSize);
      for (int channel = 0; channel < 3; ++channel) {
        const std::vector<std::uint8_t> plane(planes.begin() + channel * planeSize,
                                              planes.begin() + (channel + 1) * planeSize);
        for (int y = 0; y < 3; ++y) {
          for (int x = 0; x < width; ++x) {
            const ColorRef color = picture.Pixel(x, y);
            const int value = channel == 0   ? ColorRefRed(color)
                              : channel == 1 ? ColorRefGreen(color)
                                             : ColorRefBlue(color);
            ASSERT_EQ(BitAt(plane, width, startBit, x, y), value < 128)
                << "width " << width << " start " << startBit << " channel " << channel << " pixel "
                << x << "," << y;
          }
        }
        const int lastBit = startBit + width - 1;
        EXPECT_EQ(plane[0] & ((1 << startBit) - 1), (1 << startBit) - 1);
        EXPECT_EQ(plane[lastBit / 8] >> (lastBit % 8 + 1), 0xFF >> (lastBit % 8 + 1));
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(EachConversion, BitPlanesEveryPixel,
                         testing::Values(Conversion::kPortable, Conversion::kVector256,
                                         Conversion::kWidestVector));

// The vector conversions and the portable one give the same planes, byte for byte, on
// random pictures (pixel values all over, so every byte's top bit matters) of widths
// around the 64-pixel groups, at every start bit and colour type.
TEST(BitPlanes, VectorAndPortableAgreeOnRandomPictures) {
  std::mt19937 random(20);
  for (const int width : {31, 32, 33, 63, 64, 65, 95, 96, 97, 333}) {
    Dib24 picture(width, 5);
    for (std::int64_t i = 0; i < picture.SizeInBytes(); ++i) {
      picture.Bits()[i] = static_cast<std::uint8_t>(random());
    }
    for (int colorType = 1; colorType <= 3; ++colorType) {
      for (int startBit = 0; startBit < 8; ++startBit) {
        std::size_t planeSize = 0;
        Use(Conversion::kPortable);
        const std::vector<std::uint8_t> portable = Convert(picture, colorType, startBit, planeSize);
        for (const Conversion vector : {Conversion::kVector256, Conversion::kWidestVector}) {
          Use(vector);
          EXPECT_EQ(Convert(picture, colorType, startBit, planeSize), portable)
              << "width " << width << " colour type " << colorType << " start " << startBit
              << " vector " << static_cast<int>(vector);
        }
      }
    }
  }
}

TEST(BitPlanes, ArgumentsThatCannotFitAreRefusedWithoutWriting) {
  Dib24 picture(10, 2);
  std::vector<std::uint8_t> planes(12, 0xAB);
  const auto convert = [&](std::size_t planeSize, int colorType, std::size_t stride, int startBit) {
    return DibToBitPlanes(planes.data(), planeSize, colorType, picture.Bits(), 10, 2, stride,
                          startBit);
  };
  EXPECT_FALSE(convert(3, 1, 32, 6)) << "plane of 4 bytes needed";
  EXPECT_FALSE(convert(4, 0, 32, 6));
  EXPECT_FALSE(convert(4, 4, 32, 6));
  EXPECT_FALSE(convert(4, 1, 29, 6)) << "stride shorter than a row";
  EXPECT_FALSE(convert(4, 1, 32, 8));
  EXPECT_FALSE(convert(4, 1, 32, -1));
  EXPECT_EQ(planes, std::vector<std::uint8_t>(12, 0xAB));
  EXPECT_TRUE(convert(4, 3, 32, 6));
}

TEST(BitPlanes, PageDataSizeCountsPlanesAndIndexEntries) {
  std::int64_t planeSize = 0;
  EXPECT_EQ(GetPageDataSize(CardRect{0, 0, 63, 31}, 1, 1, planeSize), 264);
  EXPECT_EQ(planeSize, 256);
  // Columns 6-15: 2 bytes a row; 4 rows; 3 planes; 2 frames.
  EXPECT_EQ(GetPageDataSize(CardRect{6, 0, 15, 3}, 3, 2, planeSize), (8 * 3 + 8) * 2);
  EXPECT_EQ(planeSize, 8);
  // Columns 7-8 touch two byte columns.
  EXPECT_EQ(GetPageDataSize(CardRect{7, 0, 8, 0}, 1, 1, planeSize), 10);
  // The largest area does not overflow.
  EXPECT_EQ(GetPageDataSize(CardRect{0, 0, 65535, 65535}, 3, 100, planeSize),
            (std::int64_t{8192} * 65536 * 3 + 8) * 100);
}

}  // namespace
