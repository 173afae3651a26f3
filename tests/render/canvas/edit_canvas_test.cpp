// The edit canvas tick by tick on a 64 x 32 screen: drawing order and the hover tint,
// the item a player shows through a rebuild, opaque composition under the program
// border, and operations on lists that are empty or out of step.

#include <QFile>

#include "render/borders/border_renderer.h"
#include "render/canvas/edit_canvas.h"
#include "render/common/preview_colors.h"
#include "render/common/preview_picture.h"
#include "render/text/rtf_render.h"
#include "render/text/rtf_writer.h"
#include "tests/render/player/player_fixture.h"
#include "tests/support/screenshot.h"

using namespace Qt::StringLiterals;

namespace {

const QRgb kRed = qRgb(255, 0, 0), kGreen = qRgb(0, 255, 0), kBlue = qRgb(0, 0, 255);
const QRgb kYellow = qRgb(255, 255, 0), kBlack = qRgb(0, 0, 0), kUnder = qRgb(0, 0, 90);
// Blue at alpha 120 over red, green and yellow: (c * 120 + d * 135 + 127) / 255.
const QRgb kTintedRed = qRgb(135, 0, 120), kTintedGreen = qRgb(0, 135, 120);
const QRgb kTintedYellow = qRgb(135, 135, 120);

class EditCanvasTest : public PlayerTest {
 protected:
  void SetUp() override {
    PlayerTest::SetUp();
    PreviewPicture = &screenPicture_;
  }
  void TearDown() override {
    CanvasAreaList.clear();
    PreviewPicture = nullptr;
    RenderRichEdit = nullptr;
    PlayerTest::TearDown();
  }
  // An image-text area of one page in color, put on the canvas's list.
  AreaRecord& Listed(QRgb color, int left, int top, int right, int bottom) {
    AreaRecord& area = Area(kImageTextArea, left, top, right, bottom);
    std::get<std::vector<FileItem>>(area.Kind) = {Page(color, right - left, bottom - top)};
    CanvasAreaList.push_back(&area);
    return area;
  }
  void Tick(CEditCanvas& canvas) {
    ASSERT_EQ(canvas.Draw(), 1);
    clock_.Advance(kTickMs);
  }
  int Count(const QImage& picture, QRgb color, const PixelRect& rect) const {
    int count = 0;
    for (int y = rect.top; y < rect.bottom; ++y) {
      for (int x = rect.left; x < rect.right; ++x) count += picture.pixel(x, y) == color;
    }
    return count;
  }
  // How many of `ticks` ticks show each colour somewhere in rect.
  std::vector<int> TicksShowing(CEditCanvas& canvas, int ticks, std::vector<QRgb> colors,
                                const PixelRect& rect) {
    std::vector<int> shown(colors.size());
    for (int tick = 0; tick < ticks; ++tick) {
      Tick(canvas);
      for (std::size_t i = 0; i < colors.size(); ++i)
        shown[i] += Count(target_, colors[i], rect) > 0;
    }
    return shown;
  }
};

TEST_F(EditCanvasTest, SelectedAreaIsDrawnLastAndOnlyAnUnselectedHoveredAreaIsTinted) {
  AreaRecord& first = Listed(kRed, 0, 0, 16, 8);
  AreaRecord& second = Listed(kGreen, 8, 4, 24, 12);  // over the first's lower right
  AreaRecord& third = Listed(kBlue, 40, 0, 56, 8);
  CEditCanvas canvas(clock_);
  ASSERT_EQ(canvas.Build(program_), 1);
  canvas.SetHoveredArea(1);
  canvas.SetSelectedArea(3);
  Tick(canvas);
  SavePicture(target_.scaled(256, 128), u"edit_canvas_hover_first"_s);
  EXPECT_EQ(target_.pixel(15, 3), kTintedRed);
  EXPECT_EQ(target_.pixel(10, 6), kGreen);  // the later area covers the tint
  EXPECT_EQ(target_.pixel(45, 2), kBlue);
  EXPECT_EQ(target_.pixel(30, 20), kUnder);

  canvas.SetSelectedArea(1);
  canvas.MoveAreaToEnd();
  EXPECT_EQ(CanvasAreaList, (std::vector<AreaRecord*>{&second, &third, &first}));
  EXPECT_EQ(canvas.SelectedArea(), 3);
  EXPECT_EQ(canvas.HoveredArea(), 3);
  Tick(canvas);
  EXPECT_EQ(target_.pixel(2, 2), kRed);   // hovered but selected: no tint
  EXPECT_EQ(target_.pixel(10, 6), kRed);  // its player moved too: now on top
  canvas.SetHoveredArea(1);               // the green area, now drawn first
  Tick(canvas);
  EXPECT_EQ(target_.pixel(20, 10), kTintedGreen);
  EXPECT_EQ(target_.pixel(10, 6), kRed);
}

TEST_F(EditCanvasTest, ItemIndexShowsOnePageAndARebuildKeepsItAfterRenderingStaleText) {
  AreaRecord& area = Listed(kGreen, 0, 0, 48, 24);
  auto& pages = std::get<std::vector<FileItem>>(area.Kind);
  pages.push_back(Page(kYellow, 48, 24));
  // Page 2: red rich text whose frame file is stale (blue, at another size).
  pages.push_back(Page(kBlue, 24, 12));
  pages[2].AddType = 1;
  const RichCharFormat red{u"DejaVu Sans"_s, 0, 240, false, false, false, 0xFF, false};
  QDir().mkpath(AppFolderPath(AppFolder::UserData));
  QFile rtf(AppFilePath(AppFolder::UserData, ReadBoundedText(pages[2].guid) + u".rtf"_s));
  ASSERT_TRUE(rtf.open(QIODevice::WriteOnly));
  rtf.write(WriteRtf({RichParagraph{{{u"Quendra"_s, red}}, {}, red}}));
  rtf.close();
  CEditCanvas canvas(clock_);  // rich text cannot be rendered yet: the page stays stale
  ASSERT_EQ(canvas.Build(program_), 1);
  const PixelRect whole{0, 0, 48, 24};

  canvas.ReplaceLastArea(2);  // nothing selected: ignored
  EXPECT_EQ(canvas.RememberedItemIndex(), -2);
  EXPECT_GT(TicksShowing(canvas, 100, {kGreen}, whole)[0], 0);
  canvas.SetSelectedArea(1);
  canvas.MoveAreaToEnd();
  canvas.ReplaceLastArea(2);
  EXPECT_EQ(TicksShowing(canvas, 150, {kBlue, kGreen, kYellow}, whole),
            (std::vector<int>{150, 0, 0}));

  RichText text;
  RenderRichEdit = &text;
  canvas.RebuildLastArea();
  EXPECT_EQ(canvas.RememberedItemIndex(), 2);
  EXPECT_GT(pages[2].PageCount, 0);
  const std::vector<int> shown = TicksShowing(canvas, 150, {kRed, kBlue, kGreen, kYellow}, whole);
  EXPECT_GT(shown[0], 100);
  EXPECT_EQ(shown[1] + shown[2] + shown[3], 0);
}

TEST_F(EditCanvasTest, AddedAreaIsStaticBlackUnlessAClockAndPauseFreezesTheCanvas) {
  Listed(kRed, 0, 0, 32, 16);
  CEditCanvas canvas(clock_);
  ASSERT_EQ(canvas.Build(program_), 1);
  Listed(kYellow, 4, 4, 20, 12);
  canvas.AddLastArea();
  AreaRecord& clock = Area(kDigitalClockArea, 34, 0, 64, 32);
  auto& time = std::get<DigitalClockAreaInfo>(clock.Kind);
  CopyBoundedText(time.ShowStrFont_FontName, u"DejaVu Sans"_s);
  time.ShowStrFont_FontSize = 9;
  time.IsShowHour = time.IsShowMinite = 1;
  time.TimeColor = 0xFFFFFF;
  CanvasAreaList.push_back(&clock);
  canvas.AddLastArea();
  EXPECT_EQ(TicksShowing(canvas, 40, {kYellow, kRed}, {4, 4, 20, 12}), (std::vector<int>{0, 0}));
  EXPECT_EQ(target_.pixel(2, 2), kRed);
  EXPECT_GT(Count(target_, qRgb(255, 255, 255), {34, 0, 64, 32}), 0);  // the time shows

  canvas.Pause();
  const QImage before = target_;
  Tick(canvas);
  EXPECT_EQ(target_, before);
}

TEST_F(EditCanvasTest, AreasAreOpaqueWithoutBackgroundsAndTheProgramBorderComesLast) {
  Listed(kRed, 0, 0, 64, 32);
  AreaRecord& half = Area(kImageTextArea, 8, 4, 24, 12);
  std::get<std::vector<FileItem>>(half.Kind) = {HalfBlackPage(kGreen)};
  half.IsUseBack = 1;
  half.Backgrounds = {BackgroundItem{}};
  half.Backgrounds[0].DelayTime = 1;  // a frame file in blue
  CopyBoundedText(half.Backgrounds[0].FilePath,
                  PakFramePath(ReadBoundedText(Page(kBlue, 16, 8).guid)));
  CanvasAreaList.push_back(&half);
  AreaRecord& framed = Listed(kYellow, 40, 16, 64, 32);
  framed.IsUseBorder = framed.BorderWidth = 1;
  framed.BorderValue = 1;  // stripes with black between them, over the red area
  framed.BorderColor = 0x00FF00;
  program_->IsUseBorder = 1;
  program_->BorderValue = 3;
  program_->BorderColor = 0xFF0000;

  ScreenPicture plain{target_, {}};  // the same areas without the program border
  PreviewPicture = &plain;
  CEditCanvas unframed(clock_);
  ASSERT_EQ(unframed.Build(nullptr), 1);
  PreviewPicture = &screenPicture_;
  CEditCanvas canvas(clock_);
  ASSERT_EQ(canvas.Build(program_), 1);
  ASSERT_EQ(unframed.Draw(), 1);
  Tick(canvas);
  SavePicture(target_.scaled(256, 128), u"edit_canvas_opaque_border"_s);
  EXPECT_EQ(plain.image.pixel(10, 6), kBlack);  // black content covers the red area
  EXPECT_EQ(plain.image.pixel(20, 6), kGreen);
  EXPECT_EQ(Count(plain.image, kBlue, {8, 4, 24, 12}), 0);  // no background list
  EXPECT_EQ(Count(plain.image, kRed, {40, 16, 64, 17}), 0);
  EXPECT_GT(Count(plain.image, kBlack, {40, 16, 64, 17}), 0);

  PixelRect screen = PixelRectOfSize(64, 32);
  CBorderRenderer border;
  border.Init(LiveRect::Of(screen), &plain, program_->BorderType, program_->BorderValue,
              program_->BorderStyle, program_->BorderColor, program_->BorderSpeed,
              PreviewColors(program_->OwnerScreen));
  border.Draw();
  EXPECT_EQ(target_, plain.image);
  EXPECT_GT(Count(target_, kBlue, {0, 0, 64, 1}), 0);
}

TEST_F(EditCanvasTest, OperationsStayInsideListsThatAreEmptyOrOutOfStep) {
  CEditCanvas empty(clock_);
  ASSERT_EQ(empty.Build(program_), 1);
  empty.SetSelectedArea(1);
  empty.SetHoveredArea(1);
  empty.MoveAreaToEnd();
  empty.ReplaceLastArea(0);
  empty.RebuildLastArea();
  empty.AddLastArea();
  empty.RemoveLastArea();
  Tick(empty);
  EXPECT_EQ(empty.PlayerCount(), 0);

  Listed(kRed, 0, 0, 16, 8);
  Listed(kGreen, 16, 0, 32, 8);
  Listed(kYellow, 56, 24, 80, 40);  // partly off the screen
  const std::vector<AreaRecord*> built = CanvasAreaList;
  CEditCanvas canvas(clock_);
  ASSERT_EQ(canvas.Build(program_), 1);
  for (const int position : {0, -1, 4}) {
    canvas.SetSelectedArea(position);
    canvas.SetHoveredArea(2);
    canvas.MoveAreaToEnd();
    EXPECT_EQ(CanvasAreaList, built) << position;
    EXPECT_EQ(canvas.SelectedArea(), position);
  }
  canvas.SetHoveredArea(3);  // nothing selected: tinted, clipped to the picture
  Tick(canvas);
  EXPECT_EQ(target_.pixel(63, 31), kTintedYellow);

  Listed(kBlue, 0, 8, 16, 16);  // an entry the canvas was not told about
  canvas.SetSelectedArea(4);
  canvas.MoveAreaToEnd();
  EXPECT_EQ(canvas.SelectedArea(), 4);
  CanvasAreaList.resize(1);  // entries dropped behind its back
  canvas.SetHoveredArea(2);
  Tick(canvas);  // each player still draws and tints its own area
  EXPECT_EQ(target_.pixel(20, 2), kTintedGreen);
  canvas.SetSelectedArea(1);
  canvas.ReplaceLastArea(0);
  canvas.RebuildLastArea();
  EXPECT_EQ(canvas.PlayerCount(), 3);
  for (int i = 0; i < 4; ++i) canvas.RemoveLastArea();
  EXPECT_EQ(canvas.PlayerCount(), 0);
  EXPECT_TRUE(CanvasAreaList.empty());
  Tick(canvas);
}

}  // namespace
