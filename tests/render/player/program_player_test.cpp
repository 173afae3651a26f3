// Programs and the play list tick by tick: the play modes, areas restarted within the
// tick they finish, backgrounds under black content, programs that end at once, and
// ticks that redraw only what changed showing what a full redraw shows.

#include "render/player/program_player.h"
#include "render/borders/border_renderer.h"
#include "render/common/preview_colors.h"
#include "render/common/preview_picture.h"
#include "render/player/area_player.h"
#include "tests/render/player/player_fixture.h"
#include "tests/support/fake_flash_host.h"

#include <QFile>

namespace {

using namespace Qt::StringLiterals;

const QRgb kRed = qRgb(255, 0, 0);
const QRgb kGreen = qRgb(0, 255, 0);
const QRgb kBlue = qRgb(0, 0, 255);

class ProgramPlayerTest : public PlayerTest {
 protected:
  void SetUp() override {
    PlayerTest::SetUp();
    PreviewPicture = &screenPicture_;
  }
  void TearDown() override {
    PreviewPicture = nullptr;
    PlayList.clear();
    PlayerTest::TearDown();
  }
  ProgramSendItem Item(ProgramRecord& program) {
    ProgramSendItem item{&program, {}};
    for (const auto& area : program.Areas) item.Areas.push_back(area.get());
    return item;
  }
  AreaRecord& ThreePages() {
    AreaRecord& area = Area(kImageTextArea, 0, 0, 16, 8);
    std::get<std::vector<FileItem>>(area.Kind) = {Page(kRed, 16, 8), Page(kGreen, 16, 8),
                                                  Page(kBlue, 16, 8)};
    return area;
  }
  // Steps until the program is over (or limit ticks); the colour at (x, y) after each
  // tick that played.
  std::vector<QRgb> Play(CProgramPlayer& player, int x, int y, int limit) {
    std::vector<QRgb> shown;
    for (int i = 0; i < limit && player.Step() != 0; ++i, clock_.Advance(kTickMs)) {
      shown.push_back(target_.pixel(x, y));
    }
    return shown;
  }
};

TEST_F(ProgramPlayerTest, PlayModes) {
  AreaRecord& pages = ThreePages();
  int pass = 0;
  {
    CAreaPlayer alone(&pages, kEveryItem, &screenPicture_, 0, clock_);
    while (alone.Render() != 0) ++pass, clock_.Advance(kTickMs);
  }
  Area(kAnalogClockArea, 16, 0, 48, 32);
  const ProgramSendItem item = Item(*program_);

  // Until all have finished once: the clock has, many times, when page 3 ends.
  program_->StopType = kPlayUntilAllDone;
  CProgramPlayer once(&item, &screenPicture_, clock_);
  const std::vector<QRgb> played = Play(once, 0, 0, 1000);
  EXPECT_EQ(static_cast<int>(played.size()), pass);
  EXPECT_EQ(played.back(), kBlue);
  EXPECT_EQ(once.AllAreasDone(), 1);

  // Until stopped: a finished area starts again within the same tick.
  program_->StopType = 2;
  CProgramPlayer endless(&item, &screenPicture_, clock_);
  const std::vector<QRgb> looped = Play(endless, 0, 0, 2 * pass + 5);
  ASSERT_EQ(static_cast<int>(looped.size()), 2 * pass + 5);
  EXPECT_EQ(looped[pass - 1], kBlue);
  EXPECT_EQ(looped[pass], kRed);

  // Fixed time: the first tick 10 000 ms after the start ends it.
  program_->StopType = kPlayFixedTime;
  program_->PlayTime = 10;
  CProgramPlayer timed(&item, &screenPicture_, clock_);
  EXPECT_EQ(static_cast<int>(Play(timed, 0, 0, 1000).size()), 334);  // 334 x 30 >= 10 000
}

TEST_F(ProgramPlayerTest, BackgroundShowsWhereTheContentIsBlack) {
  AreaRecord& area = Area(kImageTextArea, 8, 4, 24, 12);
  area.IsUseBack = 1;
  BackgroundItem back{};
  back.DelayTime = 1;
  const FileItem red = Page(kRed, 16, 8);
  CopyBoundedText(back.FilePath, PakFramePath(ReadBoundedText(red.guid)));
  area.Backgrounds = {back};
  std::get<std::vector<FileItem>>(area.Kind) = {HalfBlackPage(kGreen)};
  const ProgramSendItem item = Item(*program_);
  CProgramPlayer player(&item, &screenPicture_, clock_);
  ASSERT_EQ(player.Step(), 1);
  EXPECT_EQ(target_.pixel(9, 5), kRed);
  EXPECT_EQ(target_.pixel(20, 5), kGreen);
  EXPECT_EQ(target_.pixel(0, 0), qRgb(0, 0, 0));  // the whole screen is composed
}

TEST_F(ProgramPlayerTest, ProgramsThatEndAtOnceArePassedInOneStep) {
  const ProgramSendItem empty = Item(*program_);
  CProgramPlayer none(&empty, &screenPicture_, clock_);
  EXPECT_EQ(none.Step(), 0);
  EXPECT_EQ(none.AllAreasDone(), 1);

  EXPECT_EQ(CProgramListPlayer(clock_).Step(), 0);

  PlayList = {empty, empty, empty};
  EXPECT_EQ(CProgramListPlayer(clock_).Step(), 0);

  ProgramRecord& clocks = AddProgram(*screen_);
  clocks.StopType = 2;
  AreaRecord& area = *AddArea(clocks, kAnalogClockArea);
  area.AreaRect_Right = 32;
  area.AreaRect_Bottom = 32;
  PlayList.push_back(Item(clocks));
  target_.fill(kRed);
  CProgramListPlayer list(clock_);
  EXPECT_EQ(list.Step(), 1);
  EXPECT_EQ(target_.pixel(40, 0), qRgb(0, 0, 0));
}

// What a tick shows when every area is drawn again: each player over a black picture
// in drawing order, then the program border.
class FullRedraw {
 public:
  FullRedraw(const ProgramSendItem& item, const PlayClock& clock) {
    picture_.image.fill(Qt::black);
    for (const AreaRecord* area : item.Areas) {
      if (area->IsUseBack != 0)
        players_.push_back(std::make_unique<CAreaPlayer>(area, kEveryItem, &picture_, 1, clock));
      players_.push_back(std::make_unique<CAreaPlayer>(area, kEveryItem, &picture_, 0, clock));
    }
    const ProgramRecord& program = *item.Program;
    border_.Init(LiveRect::Of(rect_), &picture_, program.BorderType, program.BorderValue,
                 program.BorderStyle, program.BorderColor, program.BorderSpeed,
                 PreviewColors(program.OwnerScreen));
  }
  const QImage& Tick() {
    picture_.image.fill(Qt::black);
    for (const auto& player : players_) {
      if (player->Render() != 0) continue;
      player->Restart();
      if (player->Render() == 0) player->Restart();
    }
    border_.Draw();
    return picture_.image;
  }

 private:
  ScreenPicture picture_{QImage(64, 32, QImage::Format_RGB32), {}};
  PixelRect rect_ = PixelRectOfSize(64, 32);
  std::vector<std::unique_ptr<CAreaPlayer>> players_;
  CBorderRenderer border_;
};

TEST_F(ProgramPlayerTest, RedrawingWhatChangedShowsWhatAFullRedrawShows) {
  FakeFlashHosts hosts;
  hosts.paint = [](int, QImage& picture) { picture.fill(qRgb(200, 100, 0)); };
  // Every kind of area; pages with entry effects and a background under the
  // transparent scrolling line, which overlaps them, a clock and an empty list.
  AreaRecord& pages = Area(kImageTextArea, 0, 0, 24, 16);
  std::get<std::vector<FileItem>>(pages.Kind) = {Page(kRed, 24, 16), Page(kGreen, 24, 16)};
  for (FileItem& page : std::get<std::vector<FileItem>>(pages.Kind)) page.InStyle = 2;
  AreaRecord& line = Area(kSingleLineArea, 8, 4, 48, 12);
  line.IsUseBack = 1;
  BackgroundItem back{};
  back.DelayTime = 2;
  const FileItem blue = Page(kBlue, 40, 8);
  CopyBoundedText(back.FilePath, PakFramePath(ReadBoundedText(blue.guid)));
  line.Backgrounds = {back};
  auto& scroll = std::get<SingleLineAreaInfo>(line.Kind);
  scroll.InStyle = 6;
  scroll.PageCount = 16;
  CopyBoundedText(scroll.guid, ReadBoundedText(HalfBlackPage(kRed).guid));
  Area(kDigitalClockArea, 40, 0, 64, 16);
  Area(kAnalogClockArea, 0, 16, 20, 32);
  Area(kCountdownArea, 16, 16, 40, 32);
  AreaRecord& files = Area(kFilesArea, 36, 12, 64, 32);
  // Two still pictures (a GIF animates on a thread of its own, which two players
  // cannot be kept in step with).
  QDir().mkpath(AppFolderPath(AppFolder::UserData));
  std::vector<FileAreaItem> pictures;
  for (const QRgb color : {kGreen, kBlue}) {
    const QString path = AppFilePath(AppFolder::UserData, QString::number(color) + u".png"_s);
    QImage still(24, 20, QImage::Format_RGB32);
    still.fill(color);
    ASSERT_TRUE(still.save(path));
    FileAreaItem& picture = pictures.emplace_back();
    picture.FileType = 4;
    picture.DelayTime = 1;
    CopyBoundedText(picture.FilePath, path);
  }
  std::get<std::vector<FileAreaItem>>(files.Kind) = pictures;
  AreaRecord& words = Area(kFlashWordArea, 20, 20, 36, 28);
  QDir().mkpath(AppFilePath(AppFolder::Data, u"flashword"));
  QFile movie(AppFilePath(AppFolder::Data, u"flashword/1"));
  ASSERT_TRUE(movie.open(QIODevice::WriteOnly));
  movie.close();
  FlashWordItem word{};
  word.ShowStr = u"ab"_s;
  CopyBoundedText(word.guid, NewGuidText());
  std::get<std::vector<FlashWordItem>>(words.Kind) = {word};
  AreaRecord& empty = Area(kImageTextArea, 24, 0, 40, 4);
  program_->StopType = 2;
  program_->IsUseBorder = 1;
  program_->BorderValue = 3;
  const ProgramSendItem item = Item(*program_);

  struct Row {
    int borderStyle;  // of the program, the pages and the empty list
    int moveAt;       // the tick the pages' area moves at
    int paintAt;      // the tick something else paints the target at
    PixelRect part;   // the part of the screen the target shows
    int scrollAt;     // the tick it starts to show the part one pixel up and to the left
  };
  const PixelRect whole = PixelRectOfSize(64, 32);
  for (const Row row :
       {Row{kBorderStill, 0, 0, whole, -1}, Row{kBorderClockwise, 40, 70, whole, -1},
        Row{kBorderCounterClockwise, 90, 10, whole, -1},
        Row{kBorderClockwise, 40, 70, {5, 3, 45, 23}, 100},
        Row{kBorderCounterClockwise, 60, -1, {23, 10, 64, 32}, 30}}) {
    for (AreaRecord* bordered : {&pages, &empty}) {
      bordered->IsUseBorder = 1;
      bordered->BorderStyle = row.borderStyle;
      bordered->BorderColor = 0x00FFFF;  // yellow on black
    }
    program_->BorderStyle = row.borderStyle;
    program_->BorderColor = 0x00FFFF;
    pages.AreaRect_Left = 0;
    pages.AreaRect_Right = 24;
    ScreenPicture target{QImage(row.part.Width(), row.part.Height(), QImage::Format_RGB32),
                         {row.part.left, row.part.top}};
    CProgramPlayer player(&item, &target, clock_);
    FullRedraw full(item, clock_);
    for (int tick = 0; tick < 150; ++tick, clock_.Advance(kTickMs)) {
      if (tick == row.moveAt) ++pages.AreaRect_Left, ++pages.AreaRect_Right;
      if (tick == row.paintAt) target.image.fill(kRed);
      if (tick == row.scrollAt) target.origin -= QPoint(1, 1);
      ASSERT_EQ(player.Step(), 1);
      const PixelRect shown = target.Covered().Intersected(whole);
      ASSERT_EQ(target.image.copy(target.ToPicture(shown).ToQRect()),
                full.Tick().copy(shown.ToQRect()))
          << "border " << row.borderStyle << " part " << row.part.left << " tick " << tick;
    }
  }
}

}  // namespace
