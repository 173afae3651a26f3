// The layout frame around the canvas: zoom steps, the window size it keeps, the layout
// with and without room, scrolling, the toolbar's commands and texts, keys.

#include <gtest/gtest.h>

#include <QApplication>
#include <QScreen>
#include <QStyle>
#include <QTest>

#include "app/canvas/frame_art.h"
#include "app/canvas/frame_dialog.h"
#include "controls/shell/program_messages.h"
#include "controls/shell/window_globals.h"
#include "model/project/project_editing.h"
#include "model/project/project_globals.h"
#include "model/settings/lang_text.h"
#include "tests/app/app_fixture.h"
#include "tests/support/screenshot.h"

namespace {

// The main window as the frame sees it: records the play requests.
class FakeMainWindow : public MessageWindow {
 public:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM) override {
    if (msg == UM_PLAY_TOGGLE) playRequests.push_back(wParam);
    return 0;
  }
  std::vector<WPARAM> playRequests;
};

QSize Desktop() { return QGuiApplication::primaryScreen()->geometry().size(); }

// An area's rectangle as QRect(QPoint(left, top), QPoint(right, bottom)).
QRect RectOf(const AreaRecord& area) {
  return QRect(QPoint(area.AreaRect_Left, area.AreaRect_Top),
               QPoint(area.AreaRect_Right, area.AreaRect_Bottom));
}
void SetRect(AreaRecord& area, const QRect& rect) {
  area.AreaRect_Left = rect.left();
  area.AreaRect_Top = rect.top();
  area.AreaRect_Right = rect.right();
  area.AreaRect_Bottom = rect.bottom();
}
const QRect kStartRect(QPoint(10, 4), QPoint(40, 20));

}  // namespace

TEST(FrameSizeTest, ZoomStepsAndTheWindowSizeKept) {
  const float steps[] = {0.5f, 1, 2, 4, 6, 8};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(NextZoomIn(steps[i]), steps[std::min(i + 1, 5)]);
    EXPECT_EQ(NextZoomOut(steps[i]), steps[std::max(i - 1, 0)]);
  }
  // Within the desktop (less 40 in height), at least 600 x 100; 0.5 x 1331 truncates
  // to 665, 0.5 x 31 to 15.
  const QSize desktop(1280, 800);
  EXPECT_EQ(FrameTrackingSize(2, 300, 100, desktop), QSize(635, 285));
  EXPECT_EQ(FrameTrackingSize(1, 1920, 1080, desktop), QSize(1280, 760));
  EXPECT_EQ(FrameTrackingSize(0.5f, 1331, 31, desktop), QSize(700, 100));
  EXPECT_EQ(FrameTrackingSize(0.5f, 64, 16, desktop), QSize(600, 100));
}

class FrameDialogTest : public apptest::AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    SelectLanguageFile(2);
    MainWindowHandle = mainWindow_.Handle();
  }
  void TearDown() override {
    MainWindowHandle = nullptr;
    CurrentSelection = nullptr;
    CanvasAreaList.clear();
    ClearProjectModel();
    AppTest::TearDown();
  }
  void Command(UINT command) { SendMessage(frame_.Handle(), WM_COMMAND, command, 0); }
  void ScreenSize(int width, int height) {
    SendMessage(frame_.Handle(), UM_SCREEN_SIZE_CHANGED, static_cast<WPARAM>(width), height);
  }
  void Show() {
    frame_.show();
    frame_.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame_));
  }
  // A screen whose one area, kStartRect, is selected on the canvas.
  AreaRecord& SelectedArea(int width = 128, int height = 32) {
    ScreenRecord& screen = ScreenList.emplace_back();
    screen.LedWidth = width;
    screen.LedHeight = height;
    AreaRecord& area = *AddArea(AddProgram(screen), kImageTextArea);
    SetRect(area, kStartRect);
    CanvasAreaList = {&area};
    selection_ = TreeItemRef::Of(area);
    CurrentSelection = &selection_;
    ScreenSize(width, height);
    SendMessage(frame_.Canvas().Handle(), UM_CANVAS_COMMAND, 0, 0);
    SendMessage(frame_.Canvas().Handle(), UM_CANVAS_COMMAND, 1, 1);
    return area;
  }
  QAction* PlayButton() {
    return frame_.ToolBar().ButtonAction(frame_.ToolBar().CommandToIndex(ID_FRAME_PLAY));
  }
  // The room the layout had: the client less the shown bars, less the margins.
  QSize Room() {
    const int bar = frame_.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    return {frame_.width() - (frame_.VerticalBar().isVisible() ? bar : 0) - 10,
            frame_.height() - (frame_.HorizontalBar().isVisible() ? bar : 0) - 60};
  }

  FakeMainWindow mainWindow_;
  CFrameDialog frame_;
  TreeItemRef selection_{};
};

TEST_F(FrameDialogTest, CentresTheZoomedScreenWhenTheRoomHoldsIt) {
  Show();
  const AreaRecord& area = SelectedArea();
  for (int step = 0; step < 3; ++step) Command(ID_FRAME_ZOOM_IN);
  Command(ID_FRAME_ZOOM_OUT);
  EXPECT_EQ(frame_.Zoom(), 4.0f);

  // The window keeps the size the canvas needs, frame included; nothing scrolls.
  EXPECT_EQ(frame_.frameGeometry().size(), FrameTrackingSize(4, 128, 32, Desktop()));
  EXPECT_EQ(frame_.minimumSize(), frame_.maximumSize());
  EXPECT_FALSE(frame_.HorizontalBar().isVisible());
  EXPECT_FALSE(frame_.VerticalBar().isVisible());
  const QSize room = Room();
  const QRect window = frame_.CanvasWindowRect();
  EXPECT_EQ(window, QRect((room.width() - 516) / 2 + 5, (room.height() - 132) / 2 + 55, 516, 132));
  EXPECT_EQ(frame_.Canvas().geometry(), window.adjusted(2, 2, -2, -2));
  EXPECT_EQ(frame_.Canvas().Zoom(), 4.0f);
  EXPECT_LE(std::abs(frame_.ToolBar().geometry().center().x() - frame_.width() / 2), 1);

  // The area dragged by its inside shows its badge.
  CPreviewDialog& canvas = frame_.Canvas();
  QTest::mousePress(&canvas, Qt::LeftButton, {}, QPoint(80, 40));
  QTest::mouseMove(&canvas, QPoint(89, 45));
  SendMessage(canvas.Handle(), WM_TIMER, kCanvasFrameTimer, 0);
  EXPECT_TRUE(canvas.Dragging());
  EXPECT_EQ(RectOf(area).topLeft(), QPoint(12, 5));
  SaveScreenshot(frame_, QStringLiteral("frame_128x32_zoom4"));
  QTest::mouseRelease(&canvas, Qt::LeftButton, {}, QPoint(89, 45));
}

TEST_F(FrameDialogTest, ScrollsAWideScreenAndScalesThePositionOnZoom) {
  Show();
  SelectedArea(1920, 1080);
  QScrollBar& across = frame_.HorizontalBar();
  QScrollBar& down = frame_.VerticalBar();
  ASSERT_TRUE(across.isVisible());
  ASSERT_TRUE(down.isVisible());
  const QSize room = Room();
  EXPECT_EQ(frame_.CanvasWindowRect(), QRect(5, 55, room.width(), room.height()));
  EXPECT_EQ(across.maximum(), 1924 - room.width());
  SendMessage(frame_.Canvas().Handle(), WM_TIMER, kCanvasFrameTimer, 0);
  SaveScreenshot(frame_, QStringLiteral("frame_1920x1080_zoom1"));

  // A step lands on the canvas's offset, within the range.
  down.triggerAction(QAbstractSlider::SliderToMaximum);
  down.triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(frame_.ScrollPosition(), QPoint(0, 1084 - room.height()));
  across.setSliderPosition(101);
  down.setSliderPosition(51);
  EXPECT_EQ(frame_.ScrollPosition(), QPoint(101, 51));

  // Positions follow the zoom, new / old, truncated.
  Command(ID_FRAME_ZOOM_IN);
  EXPECT_EQ(frame_.ScrollPosition(), QPoint(202, 102));
  Command(ID_FRAME_ZOOM_OUT);
  Command(ID_FRAME_ZOOM_OUT);
  EXPECT_EQ(frame_.Zoom(), 0.5f);
  // Half the height fits the (offscreen) desktop: that bar hides and goes back to 0.
  ASSERT_GE(Desktop().height() - 40, 540 + 4 + 85);
  EXPECT_FALSE(down.isVisible());
  EXPECT_EQ(frame_.ScrollPosition(), QPoint(50, 0));

  // The same size again changes nothing; another one starts from the top-left.
  ScreenSize(1920, 1080);
  EXPECT_EQ(frame_.ScrollPosition(), QPoint(50, 0));
  ScreenSize(64, 32);
  EXPECT_EQ(frame_.ScrollPosition(), QPoint(0, 0));
  EXPECT_FALSE(across.isVisible());
}

TEST_F(FrameDialogTest, PlayButtonPictureAndTextByLanguage) {
  const ImageList& images = *frame_.ToolBar().GetImageList();
  const auto shows = [&](int image) {
    return PlayButton()->icon().pixmap(24, 24).toImage().convertToFormat(QImage::Format_RGB32) ==
           images.GetImage(image).convertToFormat(QImage::Format_RGB32);
  };
  const auto text = [](int key) { return ReadLangText(QStringLiteral("IDD_FRAME_DIALOG"), key); };
  for (const int language : {1, 3}) {
    SelectLanguageFile(language);
    frame_.ApplyLanguage();
    SendMessage(frame_.Handle(), UM_PLAY_TOGGLE, 0, 0);
    EXPECT_TRUE(frame_.Playing() == 1 && shows(kFrameArtStop));
    frame_.ApplyLanguage();  // a new language while playing keeps "stop"
    EXPECT_EQ(PlayButton()->text(), text(1010));
    SendMessage(frame_.Handle(), UM_PLAY_TOGGLE, 1, 0);
    EXPECT_TRUE(frame_.Playing() == 0 && shows(kFrameArtPlay));
    EXPECT_EQ(PlayButton()->text(), text(1009));
  }
  SelectLanguageFile(2);
  frame_.ApplyLanguage();
  SendMessage(frame_.Handle(), UM_PLAY_TOGGLE, 0, 0);
  EXPECT_TRUE(shows(kFrameArtStop));
  // Buttons without texts still carry their tips.
  for (QAction* action : frame_.ToolBar().actions()) {
    EXPECT_TRUE(action->text().isEmpty());
    EXPECT_TRUE(action->isSeparator() || !action->toolTip().isEmpty());
  }
  EXPECT_EQ(PlayButton()->toolTip(), text(1009));

  // The button asks the main window to play every program of the screen.
  PlayButton()->trigger();
  EXPECT_EQ(mainWindow_.playRequests, std::vector<WPARAM>{0});
}

TEST_F(FrameDialogTest, KeysAndAlignButtonsReachTheCanvasOnce) {
  Show();
  AreaRecord& area = SelectedArea();
  // One press moves one pixel, whether the frame or the canvas has the focus.
  QTest::keyClick(&frame_, Qt::Key_Right);
  EXPECT_EQ(area.AreaRect_Left, 11);
  frame_.Canvas().setFocus();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
  EXPECT_EQ(RectOf(area), QRect(QPoint(11, 5), QPoint(41, 21)));

  // The buttons left to right: left, right, top, bottom, full width, full height, fill.
  const QRect expected[] = {kStartRect.translated(-10, 0),       kStartRect.translated(88, 0),
                            kStartRect.translated(0, -4),        kStartRect.translated(0, 12),
                            kStartRect.adjusted(-10, 0, 88, 0),  kStartRect.adjusted(0, -4, 0, 12),
                            QRect(QPoint(0, 0), QPoint(128, 32))};
  for (UINT command = ID_FRAME_ALIGN_LEFT; command <= ID_FRAME_FILL; ++command) {
    SetRect(area, kStartRect);
    frame_.ToolBar().ButtonAction(frame_.ToolBar().CommandToIndex(command))->trigger();
    EXPECT_EQ(RectOf(area), expected[command - ID_FRAME_ALIGN_LEFT]) << command;
  }

  // Neither the close button nor Esc takes the frame away.
  frame_.close();
  QTest::keyClick(&frame_, Qt::Key_Escape);
  EXPECT_TRUE(frame_.isVisible());
}
