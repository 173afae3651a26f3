// GIF frames composed by their disposal methods and transparency, against a reference
// composition written from the format's rules (and, where Qt's reader is right,
// against Qt's); interlaced rows, other pictures named ".gif", and limits.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImageReader>

#include <vector>

#include "render/raster/gif_frames.h"
#include "tests/render/media/gif_writer.h"

namespace {

using giftest::Image;
using namespace giftest;

constexpr QRgb kColors[] = {0xFF000000, 0xFFFF0000, 0xFF00FF00, 0xFF0000FF};

// The frames as the format composes them: a transparent canvas; each image's pixels
// drawn but its transparent ones; then by its disposal nothing (0, 1), its rectangle
// cleared (2) or put back as it was before the image (3).
std::vector<QImage> Reference(const std::vector<Image>& images, int width, int height) {
  QImage canvas(width, height, QImage::Format_ARGB32);
  canvas.fill(0);
  std::vector<QImage> frames;
  for (const Image& image : images) {
    const QRect rect(image.left, image.top, image.width, image.height);
    const QImage before = canvas.copy(rect);
    for (int y = 0; y < image.height; ++y) {
      for (int x = 0; x < image.width; ++x) {
        const Color color = image.pixels[y * image.width + x];
        if (color != image.transparent)
          canvas.setPixel(image.left + x, image.top + y, kColors[color]);
      }
    }
    frames.push_back(canvas.copy());
    for (int y = 0; y < image.height; ++y) {
      for (int x = 0; x < image.width; ++x) {
        if (image.disposal == 2) canvas.setPixel(image.left + x, image.top + y, 0);
        if (image.disposal == 3) canvas.setPixel(image.left + x, image.top + y, before.pixel(x, y));
      }
    }
  }
  return frames;
}

std::vector<QImage> Decode(const QByteArray& bytes, const QString& name = "a.gif") {
  PictureFile file;
  GifFrames frames;
  std::vector<QImage> images;
  if (!file.Take(bytes, name) || !frames.Open(file)) return images;
  for (int i = 0; i < frames.Count(); ++i) images.push_back(frames.Next());
  EXPECT_TRUE(frames.Next().isNull());  // no more than it counts
  return images;
}

TEST(GifFrames, EachDisposalWithAndWithoutTransparency) {
  for (int disposal = 0; disposal <= 3; ++disposal) {
    for (const int transparent : {-1, int{kBlue}}) {
      SCOPED_TRACE(testing::Message()
                   << "disposal " << disposal << ", transparent " << transparent);
      // The disposal of the second and third image shows under the one after it.
      const std::vector<Color> first{kRed, kRed, kBlue, kRed, kRed, kBlue,
                                     kRed, kRed, kRed,  kRed, kRed, kBlue};
      const std::vector<Image> images{
          {0, 0, 4, 3, first, 1, transparent},
          {1, 1, 2, 2, {kLime, kBlue, kBlue, kLime}, disposal, transparent},
          {0, 0, 2, 2, {kBlack, kBlue, kLime, kBlack}, disposal, transparent},
          {3, 2, 1, 1, {kLime}, 0, transparent}};
      const QByteArray gif = Gif(images, 4, 3);
      const std::vector<QImage> expected = Reference(images, 4, 3);
      const std::vector<QImage> frames = Decode(gif);
      ASSERT_EQ(frames.size(), expected.size());
      for (std::size_t i = 0; i < frames.size(); ++i) EXPECT_EQ(frames[i], expected[i]) << i;
      if (disposal == 2) continue;  // where Qt's reader keeps what it should clear
      QBuffer buffer;
      buffer.setData(gif);
      QImageReader qt(&buffer);
      for (std::size_t i = 0; i < frames.size(); ++i) {
        // Premultiplied, since Qt keeps colours in its transparent pixels.
        EXPECT_EQ(qt.read().convertToFormat(QImage::Format_ARGB32_Premultiplied),
                  expected[i].convertToFormat(QImage::Format_ARGB32_Premultiplied))
            << i;
      }
    }
  }
}

TEST(GifFrames, InterlacedRowsClippingOtherPicturesAndLimits) {
  // Nine rows of an interlaced image come back in their places; the image reaches past
  // the screen's right and bottom edges and is cut there.
  std::vector<Color> rows;
  for (int y = 0; y < 10; ++y) rows.insert(rows.end(), 3, Color(y % 4));
  const std::vector<Image> interlaced{{0, 0, 3, 10, rows, 0, -1, true}};
  const std::vector<QImage> frames = Decode(Gif(interlaced, 2, 9));
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0], Reference(interlaced, 3, 10)[0].copy(0, 0, 2, 9));

  // A PNG named ".gif" plays as the picture it is.
  QImage picture(3, 2, QImage::Format_ARGB32);
  picture.fill(0xFF123456);
  QByteArray png;
  QBuffer buffer(&png);
  ASSERT_TRUE(buffer.open(QIODevice::WriteOnly) && picture.save(&buffer, "PNG"));
  const std::vector<QImage> fromPng = Decode(png);
  ASSERT_EQ(fromPng.size(), 1u);
  EXPECT_EQ(fromPng[0].convertToFormat(QImage::Format_ARGB32), picture);

  // A screen past kMaxGifPixels, a frame past it, and a cut file give no frame.
  const std::vector<Image> dot{{0, 0, 1, 1, {kRed}}};
  EXPECT_TRUE(Decode(Gif(dot, 8193, 8192)).at(0).isNull());
  const QByteArray wide = Screen(1, 1) + "\x2C" + Le16(0) + Le16(0) + Le16(8193) + Le16(8192) +
                          '\0' + ImageData({kRed}) + "\x3B";
  EXPECT_TRUE(Decode(wide).at(0).isNull());
  const QByteArray whole = Gif(dot, 1, 1);
  EXPECT_EQ(Decode(whole).at(0).pixel(0, 0), kColors[kRed]);
  EXPECT_TRUE(Decode(whole.left(whole.size() - 3)).at(0).isNull());

  // Frames times canvas within kMaxGifComposedPixels play; past it the GIF is too
  // large, known at once from its screen, or from its first frame's extent on the
  // frame that passes it.
  const auto framesOf = [](const QByteArray& bytes, bool* tooLarge) {
    PictureFile file;
    GifFrames frames;
    int count = 0;
    if (file.Take(bytes, "a.gif") && frames.Open(file)) {
      while (!frames.Next().isNull()) ++count;
    }
    *tooLarge = frames.TooLarge();
    return count;
  };
  const int fitting = static_cast<int>(kMaxGifComposedPixels / (4096 * 4096));
  bool tooLarge = true;
  EXPECT_EQ(framesOf(Gif(std::vector<Image>(fitting, dot[0]), 4096, 4096), &tooLarge), fitting);
  EXPECT_FALSE(tooLarge);
  EXPECT_EQ(framesOf(Gif(std::vector<Image>(fitting + 1, dot[0]), 4096, 4096), &tooLarge), 0);
  EXPECT_TRUE(tooLarge);
  const Image corner{4095, 4095, 1, 1, {kRed}};
  EXPECT_EQ(framesOf(Gif(std::vector<Image>(fitting + 1, corner), 0, 0), &tooLarge), fitting);
  EXPECT_TRUE(tooLarge);
}

}  // namespace
