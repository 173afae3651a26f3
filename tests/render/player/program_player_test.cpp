// Programs and the play list tick by tick: the play modes, areas restarted within the
// tick they finish, backgrounds under black content, and programs that end at once.

#include "render/player/program_player.h"
#include "render/common/preview_picture.h"
#include "render/player/area_player.h"
#include "tests/render/player/player_fixture.h"

namespace {

const QRgb kRed = qRgb(255, 0, 0);
const QRgb kGreen = qRgb(0, 255, 0);
const QRgb kBlue = qRgb(0, 0, 255);

class ProgramPlayerTest : public PlayerTest {
 protected:
  void SetUp() override {
    PlayerTest::SetUp();
    PreviewPicture = &target_;
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
    CAreaPlayer alone(&pages, kEveryItem, &target_, 0, clock_);
    while (alone.Render() != 0) ++pass, clock_.Advance(kTickMs);
  }
  Area(kAnalogClockArea, 16, 0, 48, 32);
  const ProgramSendItem item = Item(*program_);

  // Until all have finished once: the clock has, many times, when page 3 ends.
  program_->StopType = kPlayUntilAllDone;
  CProgramPlayer once(&item, &target_, clock_);
  const std::vector<QRgb> played = Play(once, 0, 0, 1000);
  EXPECT_EQ(static_cast<int>(played.size()), pass);
  EXPECT_EQ(played.back(), kBlue);
  EXPECT_EQ(once.AllAreasDone(), 1);

  // Until stopped: a finished area starts again within the same tick.
  program_->StopType = 2;
  CProgramPlayer endless(&item, &target_, clock_);
  const std::vector<QRgb> looped = Play(endless, 0, 0, 2 * pass + 5);
  ASSERT_EQ(static_cast<int>(looped.size()), 2 * pass + 5);
  EXPECT_EQ(looped[pass - 1], kBlue);
  EXPECT_EQ(looped[pass], kRed);

  // Fixed time: the first tick 10 000 ms after the start ends it.
  program_->StopType = kPlayFixedTime;
  program_->PlayTime = 10;
  CProgramPlayer timed(&item, &target_, clock_);
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
  CProgramPlayer player(&item, &target_, clock_);
  ASSERT_EQ(player.Step(), 1);
  EXPECT_EQ(target_.pixel(9, 5), kRed);
  EXPECT_EQ(target_.pixel(20, 5), kGreen);
  EXPECT_EQ(target_.pixel(0, 0), qRgb(0, 0, 0));  // the whole screen is composed
}

TEST_F(ProgramPlayerTest, ProgramsThatEndAtOnceArePassedInOneStep) {
  const ProgramSendItem empty = Item(*program_);
  CProgramPlayer none(&empty, &target_, clock_);
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

}  // namespace
