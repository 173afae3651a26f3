// Area players tick by tick: page lists in order with failed pages skipped in the same
// tick, lists with nothing to play, the copy keyed on black or opaque, the border after
// the copy, clock passes, and the scroll player pixel by pixel on a strip whose every
// column has a colour of its own.

#include <QFile>

#include "render/borders/border_renderer.h"
#include "render/player/area_player.h"
#include "render/player/scroll_player.h"
#include "tests/render/player/player_fixture.h"
#include "tests/support/fake_flash_host.h"

namespace {

const QRgb kRed = qRgb(255, 0, 0);
const QRgb kGreen = qRgb(0, 255, 0);
const QRgb kBlue = qRgb(0, 0, 255);
const QRgb kUnder = qRgb(0, 0, 90);  // the target before any copy

// Column c of a strip: never black, different for every column.
QRgb StripColor(int c) { return qRgb(c & 0xFF, (c >> 8) + 1, 7); }

std::vector<QImage> Strip(int width, int frameWidth, int height) {
  std::vector<QImage> frames;
  for (int first = 0; first < width; first += frameWidth) {
    QImage frame(frameWidth, height, QImage::Format_RGB32);
    frame.fill(Qt::black);
    for (int x = 0; x < frameWidth && first + x < width; ++x) {
      for (int y = 0; y < height; ++y) frame.setPixel(x, y, StripColor(first + x));
    }
    frames.push_back(frame);
  }
  return frames;
}

class AreaPlayerTest : public PlayerTest {
 protected:
  // Renders once a tick, the clock moving after each, until the player reports a
  // finished pass; the colours at (x, y) of the target after each tick.
  std::vector<QRgb> PlayPass(CAreaPlayer& player, int x = 0, int y = 0, int limit = 2000) {
    std::vector<QRgb> shown;
    for (int i = 0; i < limit; ++i) {
      const int result = player.Render();
      clock_.Advance(kTickMs);
      if (result == 0) return shown;
      shown.push_back(target_.pixel(x, y));
    }
    ADD_FAILURE() << "no end of pass";
    return shown;
  }
  static std::vector<QRgb> Runs(const std::vector<QRgb>& colors) {
    std::vector<QRgb> runs;
    for (const QRgb c : colors) {
      if (runs.empty() || runs.back() != c) runs.push_back(c);
    }
    return runs;
  }
  // A single-line area of 256 x 4 scrolling a strip of lineWidth pixels (frames 256
  // wide) at 4 pixels a tick, whose renderer reported reportedWidth.
  int ScrollTicks(int lineWidth, int reportedWidth) {
    AreaRecord& area = Area(kSingleLineArea, 0, 0, 256, 4);
    auto& line = std::get<SingleLineAreaInfo>(area.Kind);
    line.InStyle = 6;
    line.PageCount = reportedWidth;
    WritePak(ReadBoundedText(line.guid), Strip(lineWidth, 256, 4), lineWidth % 256);
    ScreenPicture target{QImage(256, 4, QImage::Format_RGB32), {}};
    CAreaPlayer player(&area, kEveryItem, &target, 0, clock_);
    int ticks = 0;
    while (player.Render() != 0 && ticks < 5000) ++ticks;
    return ticks;
  }
};

TEST_F(AreaPlayerTest, PagesPlayInOrderAndFailedOnesAreSkippedInTheSameTick) {
  AreaRecord& area = Area(kImageTextArea, 0, 0, 16, 8);
  auto& pages = std::get<std::vector<FileItem>>(area.Kind);
  pages = {Page(kRed, 16, 8), Page(kGreen, 16, 8), Page(0, 16, 8), Page(kBlue, 16, 8)};

  CAreaPlayer all(&area, kEveryItem, &screenPicture_, 0, clock_);
  const std::vector<QRgb> pass = PlayPass(all);
  // Every tick showed a page: the missing one cost no tick.
  EXPECT_EQ(Runs(pass), (std::vector<QRgb>{kRed, kGreen, kBlue}));
  EXPECT_EQ(std::count(pass.begin(), pass.end(), kGreen),
            std::count(pass.begin(), pass.end(), kBlue));
  all.Restart();
  EXPECT_EQ(Runs(PlayPass(all)), (std::vector<QRgb>{kRed, kGreen, kBlue}));

  CAreaPlayer second(&area, 1, &screenPicture_, 0, clock_);
  for (int pass = 0; pass < 2; ++pass, second.Restart()) {
    EXPECT_EQ(Runs(PlayPass(second)), std::vector<QRgb>{kGreen});
  }
  CAreaPlayer missing(&area, 2, &screenPicture_, 0, clock_);
  EXPECT_EQ(missing.Render(), 0);
  missing.Restart();
  EXPECT_EQ(missing.Render(), 0);
}

TEST_F(AreaPlayerTest, NothingToPlayShowsTheWholeAreaAndFinishesOnEveryCall) {
  // A border in use but of no strip: it leaves room for itself and draws nothing.
  AreaRecord& area = Area(kImageTextArea, 4, 2, 20, 12);
  area.IsUseBorder = 1;
  area.BorderWidth = 2;
  area.BorderValue = 999;
  for (const int index : {kEveryItem, 3}) {
    std::get<std::vector<FileItem>>(area.Kind).clear();
    if (index == 3) std::get<std::vector<FileItem>>(area.Kind) = {Page(kRed, 12, 6)};
    target_.fill(kUnder);
    CAreaPlayer player(&area, index, &screenPicture_, 0, clock_);
    player.SetTransparent(0);
    for (int call = 0; call < 3; ++call) EXPECT_EQ(player.Render(), 0);
    EXPECT_EQ(target_.pixel(4, 2), qRgb(0, 0, 0)) << index;  // the margin too
    EXPECT_EQ(target_.pixel(19, 11), qRgb(0, 0, 0));
    EXPECT_EQ(target_.pixel(20, 12), kUnder);
  }
}

TEST_F(AreaPlayerTest, BlackIsKeyedUnlessOpaqueAndTheBorderComesAfterTheCopy) {
  AreaRecord& area = Area(kImageTextArea, 0, 0, 16, 8);
  area.BorderWidth = 3;  // left from a border no longer in use: it takes no room
  std::get<std::vector<FileItem>>(area.Kind) = {HalfBlackPage(kRed)};
  for (const int transparent : {1, 0}) {
    target_.fill(kUnder);
    CAreaPlayer player(&area, kEveryItem, &screenPicture_, 0, clock_);
    player.SetTransparent(transparent);
    ASSERT_EQ(player.Render(), 1);
    EXPECT_EQ(target_.pixel(3, 3), transparent ? kUnder : qRgb(0, 0, 0));
    EXPECT_EQ(target_.pixel(12, 3), kRed);
    EXPECT_EQ(target_.pixel(15, 7), kRed);
  }

  // A green border round an area whose content is opaque red: green shows on the edge.
  // The background player of the same area draws no border.
  area.IsUseBorder = 1;
  area.BorderColor = 0x00FF00;
  QImage picture(16, 8, QImage::Format_RGB32);
  picture.fill(kRed);
  BackgroundItem back{};
  back.FileType = 4;
  back.DelayTime = 1;
  const QString png = AppFilePath(AppFolder::UserData, u"back.png");
  QDir().mkpath(AppFolderPath(AppFolder::UserData));
  ASSERT_TRUE(picture.save(png));
  CopyBoundedText(back.FilePath, png);
  area.Backgrounds = {back};
  std::get<std::vector<FileItem>>(area.Kind) = {Page(kRed, 16, 8)};
  const auto greenOnEdge = [this] {
    int green = 0;
    for (int x = 0; x < 16; ++x) green += target_.pixel(x, 0) == kGreen ? 1 : 0;
    return green;
  };
  CAreaPlayer background(&area, kEveryItem, &screenPicture_, 1, clock_);
  EXPECT_EQ(background.Border(), nullptr);
  ASSERT_EQ(background.Render(), 1);
  EXPECT_EQ(greenOnEdge(), 0);
  CAreaPlayer content(&area, kEveryItem, &screenPicture_, 0, clock_);
  ASSERT_EQ(content.Render(), 1);
  EXPECT_GT(greenOnEdge(), 0);
}

TEST_F(AreaPlayerTest, BackgroundListPlaysFlashThenPictureAndSkipsFlashWithoutAHost) {
  AreaRecord& area = Area(kImageTextArea, 0, 0, 16, 8);
  BackgroundItem flash{};
  flash.FileType = kFlashBackground;
  flash.BackVaule = 3;
  CopyBoundedText(flash.guid, NewGuidText());
  BackgroundItem picture{};
  picture.FileType = 0;  // a frame file
  picture.DelayTime = 1;
  const FileItem green = Page(kGreen, 16, 8);
  CopyBoundedText(picture.FilePath, PakFramePath(ReadBoundedText(green.guid)));
  area.Backgrounds = {flash, picture};
  {
    FakeFlashHosts hosts;
    hosts.paint = [](int, QImage& captured) { captured.fill(kRed); };
    CAreaPlayer player(&area, kEveryItem, &screenPicture_, 1, clock_);
    EXPECT_EQ(Runs(PlayPass(player)), (std::vector<QRgb>{kRed, kGreen}));
  }
  CAreaPlayer player(&area, kEveryItem, &screenPicture_, 1, clock_);
  EXPECT_EQ(Runs(PlayPass(player)), std::vector<QRgb>{kGreen});
}

TEST_F(AreaPlayerTest, ClocksFinishOncePerSecondExceptWhenStatic) {
  for (const int kind : {kDigitalClockArea, kAnalogClockArea, kCountdownArea}) {
    AreaRecord& area = Area(kind, 0, 0, 40, 20);
    for (const int index : {kEveryItem, kStaticArea}) {
      CAreaPlayer player(&area, index, &screenPicture_, 0, clock_);
      std::uint32_t start = clock_.TickMs();
      int passes = 0;
      for (int tick = 0; tick < 150; ++tick, clock_.Advance(kTickMs)) {
        if (player.Render() != 0) continue;
        ++passes;
        EXPECT_GT(clock_.TickMs() - start, 1000u) << kind;
        player.Restart();
        start = clock_.TickMs();
      }
      EXPECT_EQ(passes > 0, index == kEveryItem) << kind;
    }
  }
}

TEST_F(AreaPlayerTest, ScrollPassesFollowTheLineWidth) {
  EXPECT_EQ(ScrollTicks(100, 100), 3 * 25);
  EXPECT_EQ(ScrollTicks(300, 300), 75);
  EXPECT_EQ(ScrollTicks(100, 0), 16 * 25);
}

TEST_F(AreaPlayerTest, ScrollMovesTheStripInPixelByPixel) {
  const QString guid = NewGuidText();
  const QString path = PakFramePath(guid);
  WritePak(guid, Strip(32, 16, 2), 16);
  QImage area(16, 2, QImage::Format_RGB32);
  area.fill(Qt::black);
  ScrollPlayer fast;
  ASSERT_EQ(fast.Load(&area, path, 16, 2, ScrollSpeedTable[0], 1), 1);
  for (int tick = 1; tick <= 8; ++tick) {
    ASSERT_EQ(fast.Step(16, 2), 1);
    for (int x = 0; x < 16; ++x) {
      const int column = tick * 4 - 16 + x;
      ASSERT_EQ(area.pixel(x, 1), column < 0 ? qRgb(0, 0, 0) : StripColor(column))
          << tick << " " << x;
    }
  }
  EXPECT_EQ(fast.Step(16, 2), 0);

  area.fill(Qt::black);
  ScrollPlayer slow;
  ASSERT_EQ(slow.Load(&area, path, 16, 2, ScrollSpeedTable[31], 1), 1);
  for (int tick = 1; tick < 8; ++tick) ASSERT_EQ(slow.Step(16, 2), 1);
  EXPECT_EQ(area.pixel(15, 0), qRgb(0, 0, 0));
  ASSERT_EQ(slow.Step(16, 2), 1);
  EXPECT_EQ(area.pixel(15, 0), StripColor(0));
}

TEST_F(AreaPlayerTest, StripsWithoutWidthOrFramesEndWithinEveryStep) {
  QImage area(16, 2, QImage::Format_RGB32);
  const QString guid = NewGuidText();
  WritePak(guid, Strip(17, 16, 2), 0);  // the last frame has no used width
  ScrollPlayer narrow;
  ASSERT_EQ(narrow.Load(&area, PakFramePath(guid), 16, 2, ScrollSpeedTable[0], 16), 1);
  int steps = 0;
  while (narrow.Step(16, 2) != 0) ASSERT_LT(++steps, 200);
  EXPECT_EQ(steps, 16 * 4 + 1);  // four ticks a pass, and one for the last narrow frame

  WritePak(guid, Strip(1, 1, 2), 0);  // one frame, no width
  ScrollPlayer empty;
  ASSERT_EQ(empty.Load(&area, PakFramePath(guid), 16, 2, ScrollSpeedTable[31], 16), 1);
  for (steps = 0; empty.Step(16, 2) != 0;) ASSERT_LT(++steps, 17);
  EXPECT_EQ(steps, 16);

  PakFileHeader header;
  header.Width = 16;
  header.Height = 2;
  QFile file(PakFramePath(guid));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  const PakHeaderBytes bytes = EncodePakHeader(header);  // FrameCount 0
  file.write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  file.close();
  ScrollPlayer none;
  ASSERT_EQ(none.Load(&area, PakFramePath(guid), 16, 2, ScrollSpeedTable[0], 1), 1);
  EXPECT_EQ(none.Step(16, 2), 0);
}

}  // namespace
