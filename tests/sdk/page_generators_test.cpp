// Pages of image-text areas from frame files, pictures and GIFs.

#include <gtest/gtest.h>

#include <QImage>
#include <QtEndian>

#include <cstdint>
#include <vector>

#include "model/common/app_dir.h"
#include "render/frame/pak_file.h"
#include "render/frame/pak_writer.h"
#include "render/raster/dib24.h"
#include "sdk/page_file_kind.h"
#include "sdk/page_generators.h"
#include "tests/sdk/page_test_support.h"

namespace {

using pagetest::Lit;

struct IndexEntry {
  int effect, speed, stay, height, width;
};

IndexEntry EntryOf(const PageEntry& page, int frame) {
  const std::uint8_t* entry = page.Data.data() + frame * 8;
  return {entry[0], entry[1], qFromLittleEndian<std::uint16_t>(entry + 2),
          qFromLittleEndian<std::uint16_t>(entry + 4), qFromLittleEndian<std::uint16_t>(entry + 6)};
}

// The planes of frame `frame` of a page of frameCount frames.
const std::uint8_t* PlanesOf(const PageEntry& page, int frame, std::int64_t frameBytes) {
  return page.Data.data() + std::int64_t{page.FrameCount} * 8 + frame * frameBytes;
}

PageEntry PageOf(const QString& path, int effect = 1, int speed = 4, int stay = 30) {
  PageEntry page;
  page.FilePath = path;
  page.Effect = effect;
  page.Speed = speed;
  page.StayTime = stay;
  return page;
}

// What a failed generation must leave: no frames, nothing stale from before.
PageEntry StalePage(const QString& path) {
  PageEntry page = PageOf(path);
  page.FrameCount = 7;
  page.Data.assign(100, 0xAB);
  return page;
}

Dib24 Solid(int width, int height, ColorRef color) {
  Dib24 picture(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) picture.SetPixel(x, y, color);
  }
  return picture;
}

QString WritePak(const QString& name, const std::vector<Dib24>& frames, int lastExtent) {
  const QString path = GetAppDir() + name;
  PakWriter writer;
  EXPECT_TRUE(writer.Open(path, frames[0].Width(), frames[0].Height(), 0));
  for (const Dib24& frame : frames) EXPECT_TRUE(writer.AppendFrame(frame));
  EXPECT_TRUE(writer.Finish(lastExtent));
  return path;
}

TEST(PageFileKind, TakesTheExtensionOfTheFileName) {
  EXPECT_EQ(GetPageFileKind(QStringLiteral("/home/u/Holiday.JPEG")), kPagePicture);
  EXPECT_EQ(GetPageFileKind(QStringLiteral("a.PaK")), kPageFrameFile);
  EXPECT_EQ(GetPageFileKind(QStringLiteral("scan.tiff")), kPagePicture);
  EXPECT_EQ(GetPageFileKind(QStringLiteral("x.tar.gif")), kPageGif);
  EXPECT_EQ(GetPageFileKind(QStringLiteral("C:\\Docs\\note.Txt")), kPagePlainText);
  EXPECT_EQ(GetPageFileKind(QStringLiteral("page.rtf")), kPageRichText);
  EXPECT_EQ(GetPageFileKind(QStringLiteral("README")), kPageUnknown);
  EXPECT_EQ(GetPageFileKind(QStringLiteral("dir.v2/file")), kPageUnknown);
  EXPECT_EQ(GetPageFileKind(QStringLiteral("dir.gif\\file")), kPageUnknown);
  EXPECT_EQ(GetPageFileKind(QStringLiteral("movie.jpe")), kPageUnknown);
  EXPECT_EQ(GetPageFileKind(QStringLiteral("trailing.")), kPageUnknown);
}

TEST(PakPages, LastFrameCarriesTheUsedExtentOfItsMovement) {
  const CardRect area{0, 0, 127, 15};
  const QString path = WritePak(QStringLiteral("strip.pak"),
                                {Solid(128, 16, 0), Solid(128, 16, 0), Solid(128, 16, 0)}, 40);
  for (const auto& [effect, widths, heights] :
       {std::tuple{96, std::vector{128, 128, 40}, std::vector{16, 16, 16}},
        std::tuple{97, std::vector{128, 128, 40}, std::vector{16, 16, 16}},
        // Vertical movement: 40 rows do not fit the 16-row frame, the full height stays.
        std::tuple{94, std::vector{128, 128, 128}, std::vector{16, 16, 16}},
        std::tuple{1, std::vector{128, 128, 128}, std::vector{16, 16, 16}}}) {
    PageEntry page = PageOf(path, effect);
    ASSERT_EQ(GeneratePakPages(area, page, 1), 0);
    ASSERT_EQ(page.FrameCount, 3);
    ASSERT_EQ(page.Data.size(), 3u * (16 * 16 + 8));
    for (int frame = 0; frame < 3; ++frame) {
      const IndexEntry entry = EntryOf(page, frame);
      EXPECT_EQ(entry.width, widths[frame]) << "effect " << effect << " frame " << frame;
      EXPECT_EQ(entry.height, heights[frame]) << "effect " << effect << " frame " << frame;
      EXPECT_EQ(entry.effect, effect);
      EXPECT_EQ(entry.speed, 4);
      EXPECT_EQ(entry.stay, 30);
    }
  }
  // Pages moving vertically: the height of a file whose last frame is 40 rows high.
  const QString tall = WritePak(QStringLiteral("tall.pak"), {Solid(8, 64, 0), Solid(8, 64, 0)}, 40);
  PageEntry page = PageOf(tall, 95);
  ASSERT_EQ(GeneratePakPages({0, 0, 7, 63}, page, 1), 0);
  EXPECT_EQ(EntryOf(page, 0).height, 64);
  EXPECT_EQ(EntryOf(page, 1).height, 40);
  EXPECT_EQ(EntryOf(page, 1).width, 8);
}

TEST(PakPages, FramesBecomePlanesInFileOrderAtTheAreasColumn) {
  // Area from screen column 5: each row's first pixel at bit 5.
  Dib24 first(4, 2);
  first.SetPixel(0, 0, MakeColorRef(255, 0, 0));
  first.SetPixel(3, 1, MakeColorRef(0, 255, 0));
  const Dib24 second = Solid(4, 2, MakeColorRef(0, 0, 255));
  PageEntry page = PageOf(WritePak(QStringLiteral("two.pak"), {first, second}, 4));
  ASSERT_EQ(GeneratePakPages({5, 3, 8, 4}, page, 3), 0);
  constexpr int kRowBytes = 2;  // columns 5-8 span two bytes
  constexpr int kPlane = kRowBytes * 2;
  ASSERT_EQ(page.Data.size(), 2u * (3 * kPlane + 8));
  const std::uint8_t* planes = PlanesOf(page, 0, 3 * kPlane);
  EXPECT_TRUE(Lit(planes, kRowBytes, 5, 0, 0));
  EXPECT_FALSE(Lit(planes, kRowBytes, 5, 3, 1));
  EXPECT_TRUE(Lit(planes + kPlane, kRowBytes, 5, 3, 1));
  EXPECT_EQ(planes[0], 0xDF) << "only bit 5 of the red plane's first byte is lit";
  const std::uint8_t* blue = PlanesOf(page, 1, 3 * kPlane) + 2 * kPlane;
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 4; ++x) EXPECT_TRUE(Lit(blue, kRowBytes, 5, x, y));
  }
}

TEST(PakPages, RefusesFilesThatDoNotFitTheirAreaOrSize) {
  const CardRect area{0, 0, 15, 3};
  // Missing file.
  PageEntry missing = StalePage(GetAppDir() + QStringLiteral("none.pak"));
  EXPECT_EQ(GeneratePakPages(area, missing, 1), -12);
  EXPECT_EQ(missing.FrameCount, 0);
  EXPECT_TRUE(missing.Data.empty());

  const QString good = WritePak(QStringLiteral("good.pak"), {Solid(16, 4, 0), Solid(16, 4, 0)}, 16);
  QFile source(good);
  ASSERT_TRUE(source.open(QIODevice::ReadOnly));
  const QByteArray bytes = source.readAll();
  const auto variant = [&](const QString& name, auto change) {
    QByteArray changed = bytes;
    change(changed);
    const QString path = GetAppDir() + name;
    pagetest::WriteFile(path, changed);
    return path;
  };
  const auto setField = [](QByteArray& file, int offset, std::int32_t value) {
    qToLittleEndian(value, file.data() + offset);
  };
  const QString paths[] = {
      variant(QStringLiteral("magic.pak"), [&](QByteArray& f) { f[0] = 0; }),
      variant(QStringLiteral("more.pak"), [&](QByteArray& f) { setField(f, 16, 3); }),
      variant(QStringLiteral("huge.pak"), [&](QByteArray& f) { setField(f, 16, 0x7FFFFFFF); }),
      variant(QStringLiteral("cut.pak"), [&](QByteArray& f) { f.chop(1); }),
      variant(QStringLiteral("empty.pak"), [&](QByteArray& f) { setField(f, 16, 0); }),
      variant(QStringLiteral("wide.pak"), [&](QByteArray& f) {
        setField(f, 4, 8);  // 8 x 8 frames hold the same bytes as 16 x 4
        setField(f, 8, 8);
      }),
      variant(QStringLiteral("short.pak"), [&](QByteArray& f) { f.truncate(10); }),
  };
  for (const QString& path : paths) {
    PageEntry page = StalePage(path);
    EXPECT_EQ(GeneratePakPages(area, page, 1), -13) << path.toStdString();
    EXPECT_EQ(page.FrameCount, 0);
    EXPECT_TRUE(page.Data.empty());
  }
  // A frame file for another area size is refused too.
  PageEntry other = StalePage(good);
  EXPECT_EQ(GeneratePakPages({0, 0, 15, 4}, other, 1), -13);
}

TEST(ImagePage, PictureStretchedOntoBlackAtTheAreasSize) {
  // Red | green over a transparent row, stretched to an 8 x 4 area: 4 x 2 blocks.
  QImage picture(2, 2, QImage::Format_ARGB32);
  picture.setPixel(0, 0, qRgb(255, 0, 0));
  picture.setPixel(1, 0, qRgb(0, 255, 0));
  picture.setPixel(0, 1, qRgba(255, 255, 255, 0));
  picture.setPixel(1, 1, qRgba(255, 255, 255, 0));
  const QString path = GetAppDir() + QStringLiteral("Picture.PNG");
  ASSERT_TRUE(picture.save(path));
  PageEntry page = PageOf(path, 3, 2, 50);
  ASSERT_EQ(GenerateImagePage({0, 0, 7, 3}, page, 2), 0);
  ASSERT_EQ(page.FrameCount, 1);
  ASSERT_EQ(page.Data.size(), 2u * 4 + 8);
  const IndexEntry entry = EntryOf(page, 0);
  EXPECT_EQ(entry.effect, 3);
  EXPECT_EQ(entry.speed, 2);
  EXPECT_EQ(entry.stay, 50);
  EXPECT_EQ(entry.height, 4);
  EXPECT_EQ(entry.width, 8);
  const std::uint8_t* red = PlanesOf(page, 0, 8);
  const std::uint8_t* green = red + 4;
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 8; ++x) {
      EXPECT_EQ(Lit(red, 1, 0, x, y), y < 2 && x < 4) << x << "," << y;
      EXPECT_EQ(Lit(green, 1, 0, x, y), y < 2 && x >= 4) << x << "," << y;
    }
  }
}

TEST(ImagePage, UpperCaseJpegAndUnreadableFiles) {
  QImage picture(16, 8, QImage::Format_RGB32);
  picture.fill(qRgb(0, 0, 255));
  const QString jpeg = GetAppDir() + QStringLiteral("PHOTO.JPEG");
  ASSERT_TRUE(picture.save(jpeg, "JPEG", 100));
  ASSERT_EQ(GetPageFileKind(jpeg), kPagePicture);
  PageEntry page = PageOf(jpeg);
  ASSERT_EQ(GenerateImagePage({0, 0, 15, 7}, page, 3), 0);
  const std::uint8_t* blue = PlanesOf(page, 0, 3 * 16) + 2 * 16;
  EXPECT_TRUE(Lit(blue, 2, 0, 9, 5));

  const QString junk = GetAppDir() + QStringLiteral("junk.png");
  pagetest::WriteFile(junk, "not a picture");
  for (const QString& path : {junk, GetAppDir() + QStringLiteral("gone.bmp")}) {
    PageEntry failed = StalePage(path);
    EXPECT_EQ(GenerateImagePage({0, 0, 15, 7}, failed, 1), -12);
    EXPECT_EQ(failed.FrameCount, 0);
    EXPECT_TRUE(failed.Data.empty());
  }
}

// A GIF of 2 x 1 pixels whose frames are solid in the given colour indices.
QString WriteGif(const QString& name, const std::vector<int>& colors, int firstDelay,
                 bool extras = false) {
  std::vector<pagetest::GifFrame> frames;
  for (size_t i = 0; i < colors.size(); ++i) {
    const auto color = static_cast<std::uint8_t>(colors[i]);
    frames.push_back({{color, color}, i == 0 ? firstDelay : 50});
  }
  const QString path = GetAppDir() + name;
  pagetest::WriteFile(path, pagetest::MakeGif(2, 1, frames, extras));
  return path;
}

int GifSpeedOf(const QString& path, int pageSpeed) {
  PageEntry page = PageOf(path, 1, pageSpeed);
  EXPECT_EQ(GenerateGifPages({0, 0, 1, 0}, page, 1), 0);
  return page.FrameCount > 0 ? EntryOf(page, 0).speed : -1;
}

TEST(GifPages, SpeedFromThePageOrTheFirstFramesStoredDelay) {
  EXPECT_EQ(GifSpeedOf(WriteGif(QStringLiteral("one.gif"), {1}, 10), 0), 5);
  EXPECT_EQ(GifSpeedOf(WriteGif(QStringLiteral("ten.gif"), {1, 2}, 10), 0), 3);
  // Qt's reader would report a delay of 1 as 100 ms; the stored value counts.
  EXPECT_EQ(GifSpeedOf(WriteGif(QStringLiteral("short.gif"), {1, 2}, 1), 0), 0);
  EXPECT_EQ(GifSpeedOf(WriteGif(QStringLiteral("slow.gif"), {1, 2}, 90, true), 0), 30);
  EXPECT_EQ(GifSpeedOf(WriteGif(QStringLiteral("paged.gif"), {1, 2}, 10), 7), 7);
}

TEST(GifPages, EveryFrameIsAPageFrameOfEffect93) {
  PageEntry page = PageOf(WriteGif(QStringLiteral("rgb.gif"), {1, 2, 3}, 10), 12, 2, 40);
  const CardRect area{0, 0, 3, 1};  // the 2 x 1 frames stretched to 4 x 2
  ASSERT_EQ(GenerateGifPages(area, page, 3), 0);
  ASSERT_EQ(page.FrameCount, 3);
  constexpr int kPlane = 2;  // one byte a row, two rows
  ASSERT_EQ(page.Data.size(), 3u * (3 * kPlane + 8));
  for (int frame = 0; frame < 3; ++frame) {
    const IndexEntry entry = EntryOf(page, frame);
    EXPECT_EQ(entry.effect, 93);
    EXPECT_EQ(entry.speed, 2);
    EXPECT_EQ(entry.stay, 0);
    EXPECT_EQ(entry.height, 2);
    EXPECT_EQ(entry.width, 4);
    // Frame n is solid in colour n + 1: red, green, blue.
    const std::uint8_t* planes = PlanesOf(page, frame, 3 * kPlane);
    for (int plane = 0; plane < 3; ++plane) {
      for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 4; ++x) {
          EXPECT_EQ(Lit(planes + plane * kPlane, 1, 0, x, y), plane == frame)
              << "frame " << frame << " plane " << plane;
        }
      }
    }
  }
}

TEST(GifPages, UnreadableGifsLeaveNoFrames) {
  const QString cut = GetAppDir() + QStringLiteral("cut.gif");
  pagetest::WriteFile(cut, pagetest::MakeGif(2, 1, {{{1, 1}, 10}}).left(16));
  for (const QString& path : {cut, GetAppDir() + QStringLiteral("gone.gif")}) {
    PageEntry page = StalePage(path);
    EXPECT_EQ(GenerateGifPages({0, 0, 1, 0}, page, 1), -12) << path.toStdString();
    EXPECT_EQ(page.FrameCount, 0);
    EXPECT_TRUE(page.Data.empty());
  }
}

}  // namespace
