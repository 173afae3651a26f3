// Pages of image-text areas from frame files, pictures and GIFs.

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QtEndian>

#include <array>
#include <cstdint>
#include <random>
#include <utility>
#include <vector>

#include "model/common/app_dir.h"
#include "render/frame/pak_frame_reader.h"
#include "render/frame/pak_writer.h"
#include "sdk/generate/bit_planes.h"
#include "sdk/generate/page_generators.h"
#include "sdk/program/page_file_kind.h"
#include "tests/sdk/generate/page_test_support.h"
#include "tests/support/fifo_watchdog.h"

namespace {

using pagetest::Lit;

// Effect, speed, stay, height and width of index entry `frame`.
std::array<int, 5> EntryOf(const PageEntry& page, int frame) {
  const std::uint8_t* entry = page.Data.data() + frame * 8;
  return {entry[0], entry[1], qFromLittleEndian<std::uint16_t>(entry + 2),
          qFromLittleEndian<std::uint16_t>(entry + 4), qFromLittleEndian<std::uint16_t>(entry + 6)};
}

const std::uint8_t* PlanesOf(const PageEntry& page, int frame, int frameBytes) {
  return page.Data.data() + page.FrameCount * 8 + frame * frameBytes;
}

PageEntry PageOf(const QString& name, int effect = 1, int speed = 4, int stay = 30) {
  PageEntry page;
  page.FilePath = GetAppDir() + name;
  page.Effect = effect;
  page.Speed = speed;
  page.StayTime = stay;
  return page;
}

// Generates a page that must fail; stale frames from before must not survive.
template <typename Generator>
int Failing(Generator generate, const CardRect& area, const QString& name) {
  PageEntry page = PageOf(name);
  page.FrameCount = 7;
  page.Data.assign(100, 0xAB);
  const int code = generate(area, page, 1);
  EXPECT_EQ(page.FrameCount, 0) << name.toStdString();
  EXPECT_TRUE(page.Data.empty()) << name.toStdString();
  return code;
}

Dib24 Solid(int width, int height, ColorRef color) {
  Dib24 picture(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) picture.SetPixel(x, y, color);
  }
  return picture;
}

void WritePak(const QString& name, const std::vector<Dib24>& frames, int lastExtent) {
  PakWriter writer;
  ASSERT_TRUE(writer.Open(GetAppDir() + name, frames[0].Width(), frames[0].Height(), 0));
  for (const Dib24& frame : frames) ASSERT_TRUE(writer.AppendFrame(frame));
  ASSERT_TRUE(writer.Finish(lastExtent));
}

TEST(PageFileKind, TakesTheExtensionOfTheFileName) {
  EXPECT_EQ(GetPageFileKind(QStringLiteral("/home/u/Holiday.JPEG")), kPagePicture);
  EXPECT_EQ(GetPageFileKind(QStringLiteral("x.tar.gif")), kPageGif);
  EXPECT_EQ(GetPageFileKind(QStringLiteral("C:\\Docs\\note.Txt")), kPagePlainText);
  EXPECT_EQ(GetPageFileKind(QStringLiteral("README")), kPageUnknown);
  EXPECT_EQ(GetPageFileKind(QStringLiteral("dir.v2/file")), kPageUnknown);
  EXPECT_EQ(GetPageFileKind(QStringLiteral("dir.gif\\file")), kPageUnknown);
  EXPECT_EQ(GetPageFileKind(QStringLiteral("movie.jpe")), kPageUnknown);
}

TEST(PakPages, LastFrameCarriesTheUsedExtentOfItsMovement) {
  WritePak(QStringLiteral("wide.pak"), {Solid(128, 16, 0), Solid(128, 16, 0), Solid(128, 16, 0)},
           40);
  WritePak(QStringLiteral("tall.pak"), {Solid(8, 64, 0), Solid(8, 64, 0)}, 40);
  struct Case {
    const char* file;
    CardRect area;
    int effect;
    std::vector<std::array<int, 2>> sizes;  // height, width of each index entry
  };
  for (const Case& c : {Case{"wide.pak", {0, 0, 127, 15}, 96, {{16, 128}, {16, 128}, {16, 40}}},
                        Case{"wide.pak", {0, 0, 127, 15}, 1, {{16, 128}, {16, 128}, {16, 128}}},
                        // 40 rows do not fit a 16-row frame: the full height stays.
                        Case{"wide.pak", {0, 0, 127, 15}, 94, {{16, 128}, {16, 128}, {16, 128}}},
                        Case{"tall.pak", {0, 0, 7, 63}, 95, {{64, 8}, {40, 8}}}}) {
    PageEntry page = PageOf(QString::fromLatin1(c.file), c.effect);
    ASSERT_EQ(GeneratePakPages(c.area, page, 1), 0);
    ASSERT_EQ(page.FrameCount, static_cast<int>(c.sizes.size()));
    for (int frame = 0; frame < page.FrameCount; ++frame) {
      const auto entry = EntryOf(page, frame);
      EXPECT_EQ(entry, (std::array{c.effect, 4, 30, c.sizes[frame][0], c.sizes[frame][1]}))
          << c.file << " effect " << c.effect << " frame " << frame;
    }
  }
}

// A frame file's page converted band by band as it is read equals its frames read
// whole (PakFrameReader::ReadNextFrame) and converted: every colour type, odd widths,
// start bits, and frames taller than one band.
TEST(PakPages, BandsGiveThePlanesOfTheWholeFrames) {
  std::mt19937 random(7);
  struct Case {
    CardRect area;
    int frames;
  };
  const int tall = static_cast<int>(PakFrameReader::kBandBytes / Dib24::RowStride(101)) * 2 + 5;
  // Inclusive rectangles: 1 x 1, 39 x 8, 101 wide over three bands, 521 x 33.
  for (const Case& c : {Case{{0, 0, 0, 0}, 1}, Case{{3, 2, 41, 9}, 3}, Case{{5, 0, 105, tall}, 2},
                        Case{{8, 0, 528, 32}, 2}}) {
    std::vector<Dib24> frames;
    for (int i = 0; i < c.frames; ++i) {
      Dib24& frame = frames.emplace_back(c.area.Width(), c.area.Height());
      for (std::int64_t b = 0; b < frame.SizeInBytes(); ++b) {
        frame.Bits()[b] = static_cast<std::uint8_t>(random());
      }
    }
    WritePak(QStringLiteral("bands.pak"), frames, 0);
    for (int colorType = 1; colorType <= 3; ++colorType) {
      PageEntry page = PageOf(QStringLiteral("bands.pak"));
      ASSERT_EQ(GeneratePakPages(c.area, page, colorType), 0);
      std::int64_t planeSize = 0;
      std::vector<std::uint8_t> expected(
          static_cast<std::size_t>(GetPageDataSize(c.area, colorType, c.frames, planeSize)), 0xFF);
      PakFrameReader reader;
      ASSERT_TRUE(reader.Open(page.FilePath));
      ASSERT_EQ(reader.ReadHeader(), PakCheck::Ok);
      for (int i = 0; i < c.frames; ++i) {
        ASSERT_TRUE(reader.ReadNextFrame());
        const Dib24& frame = reader.Frame();
        ASSERT_TRUE(DibToBitPlanes(expected.data() + c.frames * 8 + i * planeSize * colorType,
                                   static_cast<std::size_t>(planeSize), colorType, frame.Bits(),
                                   frame.Width(), frame.Height(),
                                   static_cast<std::size_t>(frame.Stride()), c.area.left % 8));
      }
      ASSERT_EQ(page.Data.size(), expected.size());
      EXPECT_TRUE(std::equal(expected.begin() + c.frames * 8, expected.end(),
                             page.Data.begin() + c.frames * 8))
          << "width " << c.area.Width() << " colour type " << colorType;
    }
  }
}

TEST(PakPages, RefusesFilesThatDoNotFitTheirAreaOrSize) {
  const CardRect area{0, 0, 15, 3};
  EXPECT_EQ(Failing(GeneratePakPages, area, QStringLiteral("none.pak")), -12);
  WritePak(QStringLiteral("good.pak"), {Solid(16, 4, 0), Solid(16, 4, 0)}, 16);
  QFile good(GetAppDir() + QStringLiteral("good.pak"));
  ASSERT_TRUE(good.open(QIODevice::ReadOnly));
  const QByteArray bytes = good.readAll();
  const auto withField = [&](int offset, std::int32_t value) {
    QByteArray changed = bytes;
    qToLittleEndian(value, changed.data() + offset);
    return changed;
  };
  QByteArray tall = withField(4, 8);  // 8 x 8 frames hold as many bytes as 16 x 4
  qToLittleEndian(std::int32_t{8}, tall.data() + 8);
  const std::vector<QByteArray> broken = {withField(0, 0),
                                          withField(16, 3),
                                          withField(16, 0x7FFFFFFF),
                                          withField(16, 0),
                                          bytes.left(bytes.size() - 1),
                                          bytes.left(10),
                                          tall};
  for (size_t i = 0; i < broken.size(); ++i) {
    const QString name = QStringLiteral("broken%1.pak").arg(i);
    pagetest::WriteFile(GetAppDir() + name, broken[i]);
    EXPECT_EQ(Failing(GeneratePakPages, area, name), -13) << i;
  }
  EXPECT_EQ(Failing(GeneratePakPages, {0, 0, 15, 4}, QStringLiteral("good.pak")), -13);
}

TEST(ImagePage, PictureStretchedOntoBlackAtTheAreasSize) {
  // Red | green over a transparent row, stretched to 8 x 4 (blocks of 4 x 2) in an
  // area from screen column 5: rows of 2 bytes, the first pixel at bit 5.
  QImage picture(2, 2, QImage::Format_ARGB32);
  picture.fill(qRgba(255, 255, 255, 0));
  picture.setPixel(0, 0, qRgb(255, 0, 0));
  picture.setPixel(1, 0, qRgb(0, 255, 0));
  ASSERT_TRUE(picture.save(GetAppDir() + QStringLiteral("Picture.PNG")));
  PageEntry page = PageOf(QStringLiteral("Picture.PNG"), 3, 2, 50);
  ASSERT_EQ(GenerateImagePage({5, 0, 12, 3}, page, 2), 0);
  ASSERT_EQ(page.FrameCount, 1);
  ASSERT_EQ(page.Data.size(), 2u * 8 + 8);
  EXPECT_EQ(EntryOf(page, 0), (std::array{3, 2, 50, 4, 8}));
  const std::uint8_t* red = PlanesOf(page, 0, 16);
  EXPECT_EQ(red[0], 0x1F) << "bits 0-4 lie left of the area";
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 8; ++x) {
      EXPECT_EQ(Lit(red, 2, 5, x, y), y < 2 && x < 4) << x << "," << y;
      EXPECT_EQ(Lit(red + 8, 2, 5, x, y), y < 2 && x >= 4) << x << "," << y;
    }
  }
  pagetest::WriteFile(GetAppDir() + QStringLiteral("junk.png"), "not a picture");
  EXPECT_EQ(Failing(GenerateImagePage, {0, 0, 7, 3}, QStringLiteral("junk.png")), -12);
  EXPECT_EQ(Failing(GenerateImagePage, {0, 0, 7, 3}, QStringLiteral("gone.bmp")), -12);
}

TEST(PageFiles, OnlyRegularFilesAreReadAndNoneIsWaitedOn) {
  const CardRect area{0, 0, 7, 3};
  using Generator = int (*)(const CardRect&, PageEntry&, int);
  const std::pair<const char*, Generator> kinds[] = {
      {"png", GenerateImagePage}, {"gif", GenerateGifPages}, {"pak", GeneratePakPages}};
  for (const auto& [extension, generate] : kinds) {
    const QString fifo = QStringLiteral("fifo.") + QLatin1String(extension);
    ASSERT_TRUE(fifotest::MakeFifo(GetAppDir() + fifo));
    EXPECT_EQ(fifotest::ReturnsPromptly(GetAppDir() + fifo,
                                        [&] { return Failing(generate, area, fifo); }),
              -12)
        << extension;
    const QString folder = QStringLiteral("folder.") + QLatin1String(extension);
    ASSERT_TRUE(QDir(GetAppDir()).mkdir(folder));
    EXPECT_EQ(Failing(generate, area, folder), -12) << extension;
  }
  // A wrong extension: the bytes name the format, as when Qt reads the file itself.
  QImage picture(2, 2, QImage::Format_RGB32);
  picture.fill(Qt::red);
  ASSERT_TRUE(picture.save(GetAppDir() + QStringLiteral("png.jpg"), "PNG"));
  PageEntry page = PageOf(QStringLiteral("png.jpg"));
  EXPECT_EQ(GenerateImagePage(area, page, 1), 0);
}

// A GIF of 2 x 1 pixels whose frames are solid in the given colour indices.
QString WriteGif(const QString& name, const std::vector<int>& colors, int firstDelay,
                 bool extras = false) {
  std::vector<pagetest::GifFrame> frames;
  for (int color : colors) {
    const auto index = static_cast<std::uint8_t>(color);
    frames.push_back({{index, index}, frames.empty() ? firstDelay : 50});
  }
  pagetest::WriteFile(GetAppDir() + name, pagetest::MakeGif(2, 1, frames, extras));
  return name;
}

TEST(GifPages, SpeedFromThePageOrTheFirstFramesStoredDelay) {
  const auto speedOf = [](const QString& name, int pageSpeed) {
    PageEntry page = PageOf(name, 1, pageSpeed);
    EXPECT_EQ(GenerateGifPages({0, 0, 1, 0}, page, 1), 0);
    return page.FrameCount > 0 ? EntryOf(page, 0)[1] : -1;
  };
  EXPECT_EQ(speedOf(WriteGif(QStringLiteral("one.gif"), {1}, 10), 0), 5);
  EXPECT_EQ(speedOf(WriteGif(QStringLiteral("ten.gif"), {1, 2}, 10), 0), 3);
  // Qt's reader would report a delay of 1 as 100 ms; the stored value counts.
  EXPECT_EQ(speedOf(WriteGif(QStringLiteral("short.gif"), {1, 2}, 1), 0), 0);
  EXPECT_EQ(speedOf(WriteGif(QStringLiteral("slow.gif"), {1, 2}, 90, true), 0), 30);
  EXPECT_EQ(speedOf(QStringLiteral("ten.gif"), 7), 7);
}

TEST(GifPages, EveryFrameIsAPageFrameOfEffect93) {
  PageEntry page = PageOf(WriteGif(QStringLiteral("rgb.gif"), {1, 2, 3}, 10), 12, 2, 40);
  ASSERT_EQ(GenerateGifPages({0, 0, 3, 1}, page, 3), 0);  // 2 x 1 stretched to 4 x 2
  ASSERT_EQ(page.FrameCount, 3);
  constexpr int kPlane = 2;
  ASSERT_EQ(page.Data.size(), 3u * (3 * kPlane + 8));
  for (int frame = 0; frame < 3; ++frame) {
    EXPECT_EQ(EntryOf(page, frame), (std::array{93, 2, 0, 2, 4}));
    // Frame n is solid red, green, blue: only plane n is lit, everywhere.
    const std::uint8_t* planes = PlanesOf(page, frame, 3 * kPlane);
    for (int plane = 0; plane < 3; ++plane) {
      for (int i = 0; i < kPlane; ++i) {
        EXPECT_EQ(planes[plane * kPlane + i], plane == frame ? 0xF0 : 0xFF) << frame << plane;
      }
    }
  }
  const QString cut = QStringLiteral("cut.gif");
  pagetest::WriteFile(GetAppDir() + cut, pagetest::MakeGif(2, 1, {{{1, 1}, 10}}).left(16));
  EXPECT_EQ(Failing(GenerateGifPages, {0, 0, 1, 0}, cut), -12);
  EXPECT_EQ(Failing(GenerateGifPages, {0, 0, 1, 0}, QStringLiteral("gone.gif")), -12);

  // Frames times the GIF's canvas, or times the area, past the composing budget make
  // the page too large, refused before any frame is composed.
  const QString wideCanvas = QStringLiteral("wide.gif");
  QByteArray wide = pagetest::MakeGif(1, 1, std::vector<pagetest::GifFrame>(65, {{1}, 10}));
  wide.replace(6, 4, pagetest::U16(4096) + pagetest::U16(4096));  // the logical screen
  pagetest::WriteFile(GetAppDir() + wideCanvas, wide);
  EXPECT_EQ(Failing(GenerateGifPages, {0, 0, 1, 0}, wideCanvas), -18);
  const QString many = WriteGif(QStringLiteral("many.gif"), std::vector<int>(17, 1), 10);
  EXPECT_EQ(Failing(GenerateGifPages, {0, 0, 8191, 8191}, many), -18);
}

}  // namespace
