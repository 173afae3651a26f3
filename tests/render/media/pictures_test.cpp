// Still pictures of media items: colour reduction by the current screen, drawing at
// the area's size, transparency, and pictures too large to decode.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>

#include <chrono>

#include "model/project/project_globals.h"
#include "render/media/color_reduction.h"
#include "render/media/pictures.h"

namespace {

// Makes a screen of the given colour type the current one while it lives.
class CurrentScreen {
 public:
  explicit CurrentScreen(int ledColor) {
    ScreenRecord& screen = ScreenList.emplace_back();
    screen.LedNo = CurrentScreenNo;
    screen.LedColor = ledColor;
  }
  ~CurrentScreen() { ScreenList.pop_back(); }
};

std::uint32_t Crc32(QByteArrayView bytes) {
  std::uint32_t crc = 0xFFFFFFFF;
  for (const char byte : bytes) {
    crc ^= static_cast<std::uint8_t>(byte);
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
  }
  return ~crc;
}

class PicturesTest : public testing::Test {
 protected:
  QString Save(const QImage& image, const QString& name) {
    const QString path = dir_.filePath(name);
    EXPECT_TRUE(image.save(path));
    return path;
  }
  QImage Drawn(const QString& path, int width, int height) {
    CPictures pictures;
    QImage target(width, height, QImage::Format_RGB32);
    target.fill(qRgb(1, 2, 3));
    if (pictures.Load(path, width, height) == 1) pictures.Draw(width, height, target);
    return target;
  }
  QTemporaryDir dir_;
};

TEST_F(PicturesTest, ColoursReduceByTheCurrentScreen) {
  const QRgb pixels[] = {qRgb(127, 127, 127), qRgb(128, 128, 128), qRgb(200, 50, 250),
                         qRgb(50, 200, 10)};
  const QRgb oneColor[] = {qRgb(0, 0, 0), qRgb(255, 0, 0), qRgb(255, 0, 0), qRgb(0, 0, 0)};
  const QRgb twoColors[] = {qRgb(0, 0, 0), qRgb(255, 255, 0), qRgb(255, 0, 0), qRgb(0, 255, 0)};
  const QRgb fullColor[] = {qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(255, 0, 255), qRgb(0, 255, 0)};
  QImage picture(4, 1, QImage::Format_RGB32);
  for (int x = 0; x < 4; ++x) picture.setPixel(x, 0, pixels[x]);
  for (const int ledColor : {0, 1, 2}) {
    QImage reduced = picture.copy();
    ReduceColors(reduced, ledColor);
    for (int x = 0; x < 4; ++x) {
      const QRgb want = ledColor == 0 ? oneColor[x] : ledColor == 1 ? twoColors[x] : fullColor[x];
      EXPECT_EQ(reduced.pixel(x, 0), want) << "LedColor " << ledColor << " pixel " << x;
    }
  }

  const QString path = Save(picture, "four.png");
  EXPECT_EQ(Drawn(path, 4, 1), picture);  // no current screen: as stored
  const CurrentScreen screen(1);
  EXPECT_EQ(Drawn(path, 4, 1).pixel(3, 0), qRgb(0, 255, 0));
}

TEST_F(PicturesTest, PicturesFitTheAreaOverBlack) {
  QImage checker(6, 4, QImage::Format_RGB32);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 6; ++x) checker.setPixel(x, y, (x + y) % 2 ? qRgb(255, 255, 255) : 0);
  }
  const QString path = Save(checker, "checker.png");
  EXPECT_EQ(Drawn(path, 6, 4), checker);  // one to one
  const QImage doubled = Drawn(path, 12, 8);
  EXPECT_EQ(doubled, checker.scaled(12, 8).convertToFormat(QImage::Format_RGB32));

  QImage clear(2, 2, QImage::Format_ARGB32);
  clear.fill(qRgba(255, 0, 0, 0));
  clear.setPixel(1, 1, qRgba(0, 0, 255, 255));
  const QImage drawn = Drawn(Save(clear, "clear.png"), 2, 2);
  EXPECT_EQ(drawn.pixel(0, 0), qRgb(0, 0, 0));
  EXPECT_EQ(drawn.pixel(1, 1), qRgb(0, 0, 255));
}

TEST_F(PicturesTest, HugePicturesFailQuickly) {
  QByteArray png;
  QBuffer buffer(&png);
  ASSERT_TRUE(buffer.open(QIODevice::WriteOnly) &&
              QImage(1, 1, QImage::Format_RGB32).save(&buffer, "PNG"));
  // The header chunk's width and height (after the signature, length and type) and
  // its checksum over type and data.
  constexpr int kWidthAt = 16, kChunkTypeAt = 12, kCrcAt = 29;
  for (const int at : {kWidthAt, kWidthAt + 4}) {
    png[at] = 0, png[at + 1] = 0, png[at + 2] = char(30000 >> 8), png[at + 3] = char(30000 & 0xFF);
  }
  const std::uint32_t crc = Crc32(png.mid(kChunkTypeAt, kCrcAt - kChunkTypeAt));
  for (int i = 0; i < 4; ++i) png[kCrcAt + i] = char(crc >> (24 - 8 * i));
  QFile file(dir_.filePath("huge.png"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(png) == png.size());
  file.close();

  QBuffer patched(&png);
  ASSERT_TRUE(patched.open(QIODevice::ReadOnly));
  ASSERT_EQ(QImageReader(&patched, "PNG").size(), QSize(30000, 30000));  // a sound header
  const auto start = std::chrono::steady_clock::now();
  CPictures pictures;
  EXPECT_EQ(pictures.Load(file.fileName(), 16, 16), 0);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

TEST_F(PicturesTest, PhotosShowUprightByTheirOrientationTag) {
  // Stored 40 x 20, red on the left, blue on the right, tagged "turn a quarter
  // clockwise to show" as a phone held upright tags it.
  QImage stored(40, 20, QImage::Format_RGB32);
  stored.fill(qRgb(0, 0, 255));
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 20; ++x) stored.setPixel(x, y, qRgb(255, 0, 0));
  }
  QByteArray jpeg;
  QBuffer buffer(&jpeg);
  ASSERT_TRUE(buffer.open(QIODevice::WriteOnly) && stored.save(&buffer, "JPEG", 100));
  const QByteArray tiff("II*\0\x08\0\0\0\x01\0\x12\x01\x03\0\x01\0\0\0\x06\0\0\0\0\0\0\0", 26);
  const QByteArray exif = QByteArray("Exif\0\0", 6) + tiff;
  const int length = exif.size() + 2;
  jpeg.insert(2, QByteArray("\xFF\xE1", 2) + char(length >> 8) + char(length & 0xFF) + exif);
  QFile file(dir_.filePath("photo.jpg"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(jpeg) == jpeg.size());
  file.close();

  const QImage shown = Drawn(file.fileName(), 20, 40);
  EXPECT_GT(qRed(shown.pixel(10, 5)), 200);  // the left edge on top
  EXPECT_LT(qBlue(shown.pixel(10, 5)), 50);
  EXPECT_GT(qBlue(shown.pixel(10, 34)), 200);
  EXPECT_LT(qRed(shown.pixel(10, 34)), 50);
}

}  // namespace
