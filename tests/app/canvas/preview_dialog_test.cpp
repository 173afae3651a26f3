// The preview canvas on a 64 x 32 screen: what each mode shows, the zoom rules, the
// operations and the context menu, with the real players and an injected clock.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMouseEvent>

#include <memory>

#include "app/canvas/area_outlines.h"
#include "app/canvas/preview_dialog.h"
#include "controls/buttons/kv_menu.h"
#include "controls/shell/pane_ids.h"
#include "controls/shell/program_messages.h"
#include "controls/shell/project_page_ids.h"
#include "controls/shell/window_globals.h"
#include "render/canvas/edit_canvas.h"
#include "tests/render/player/player_fixture.h"
#include "tests/support/screenshot.h"

namespace {

constexpr QRgb kGrey = 0xFF808080;
constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kSelected = 0xFF00FF00;  // 0x00FF00
constexpr QRgb kHovered = 0xFFF7C815;   // 0x15C8F7
constexpr QRgb kOther = 0xFFE24182;     // 0x8241E2
constexpr QRgb kWhite = 0xFFFFFFFF;

// The project page as the canvas sees it: answers whether a copy waits, and records
// the commands it gets.
class FakePage : public MessageWindow {
 public:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM) override {
    if (msg == UM_HAS_COPIED_ITEM) return hasCopy;
    if (msg == WM_COMMAND) commands.push_back(wParam);
    return 0;
  }
  int hasCopy = 0;
  std::vector<WPARAM> commands;
};

int CountColor(const QImage& picture, const QRect& rect, QRgb color) {
  int count = 0;
  for (int y = rect.top(); y <= rect.bottom(); ++y) {
    for (int x = rect.left(); x <= rect.right(); ++x) count += picture.pixel(x, y) == color;
  }
  return count;
}

}  // namespace

class PreviewDialogTest : public PlayerTest {
 protected:
  void SetUp() override {
    PlayerTest::SetUp();
    PaneWindows[kProjectPagePane] = page_.Handle();
    CanvasHooks hooks;
    hooks.showMenu = [this](KvMenu& menu, const QPoint&) {
      ++menusShown_;
      pasteEnabled_ = menu.actions().at(1)->isEnabled();
      return menuAnswer_;
    };
    canvas_ = std::make_unique<CPreviewDialog>(nullptr, clock_, hooks);
    canvas_->resize(64, 32);
    canvas_->SetCanvasSize(64, 32, 1.0f);
  }
  void TearDown() override {
    canvas_.reset();
    CanvasAreaList.clear();
    PlayList.clear();
    CurrentSelection = nullptr;
    PaneWindows[kProjectPagePane] = nullptr;
    PlayerTest::TearDown();
  }
  void Send(WPARAM operation, LPARAM argument = 0) {
    SendMessage(canvas_->Handle(), UM_CANVAS_COMMAND, operation, argument);
  }
  QImage Tick() {
    clock_.Advance(kTickMs);
    SendMessage(canvas_->Handle(), WM_TIMER, kCanvasFrameTimer, 0);
    return canvas_->Shown();
  }
  void View(float zoom, int width, int height) {
    canvas_->resize(width, height);
    canvas_->SetZoom(zoom);
    SendMessage(canvas_->Handle(), WM_TIMER, kCanvasBadgeTimer, 0);
  }
  // The right button released over the canvas, which opens the context menu.
  void RightButtonUp() {
    QMouseEvent event(QEvent::MouseButtonRelease, QPointF(0, 0),
                      canvas_->mapToGlobal(QPointF(0, 0)), Qt::RightButton, Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(canvas_.get(), &event);
  }
  AreaRecord& RedArea(int left, int top, int right, int bottom) {
    AreaRecord& area = Area(kImageTextArea, left, top, right, bottom);
    std::get<std::vector<FileItem>>(area.Kind) = {Page(kRed, right - left, bottom - top)};
    return area;
  }

  FakePage page_;
  std::unique_ptr<CPreviewDialog> canvas_;
  int menusShown_ = 0;
  bool pasteEnabled_ = false;
  UINT menuAnswer_ = 0;
};

TEST_F(PreviewDialogTest, BlankAndEmptyEditViewsWithTheGridByZoom) {
  EXPECT_EQ(canvas_->Mode(), kCanvasBlank);
  EXPECT_EQ(CountColor(Tick(), QRect(0, 0, 64, 32), 0xFF000000), 64 * 32);

  Send(0);
  EXPECT_EQ(CountColor(Tick(), QRect(0, 0, 64, 32), kGrey), 64 * 32);  // no outline

  Send(static_cast<WPARAM>(-1));
  View(2.0f, 128, 64);
  QImage shown = Tick();
  EXPECT_EQ(shown.pixel(1, 10), 0xFF202020);
  EXPECT_EQ(shown.pixel(10, 3), 0xFF202020);
  EXPECT_EQ(shown.pixel(2, 2), 0xFF000000);
  View(1.5f, 96, 48);
  EXPECT_EQ(CountColor(Tick(), QRect(0, 0, 96, 48), 0xFF000000), 96 * 48);
}

TEST_F(PreviewDialogTest, OutlinesHandlesAndHoveredName) {
  std::vector<AreaRecord*> areas = {&Area(kImageTextArea, 2, 2, 20, 12),
                                    &Area(kImageTextArea, 24, 4, 40, 28),
                                    &Area(kImageTextArea, 44, 6, 60, 28)};
  CopyBoundedText(areas[1]->AreaName, QStringLiteral("B"));
  QImage picture(64, 32, QImage::Format_RGB32);
  picture.fill(Qt::black);
  OutlineStyle style;
  style.selected = 3;
  style.hovered = 2;
  DrawAreaOutlines(picture, areas, style);

  // Selected: solid green between the handles; handle corners white, right and bottom
  // exclusive.
  EXPECT_EQ(CountColor(picture, QRect(44, 10, 1, 4), kSelected), 4);
  EXPECT_EQ(CountColor(picture, QRect(47, 6, 2, 1), kSelected), 2);
  EXPECT_EQ(picture.pixel(42, 4), kWhite);
  EXPECT_EQ(picture.pixel(46, 8), kWhite);
  EXPECT_EQ(picture.pixel(47, 4), 0xFF000000u);
  EXPECT_EQ(picture.pixel(61, 29), kWhite);
  EXPECT_EQ(picture.pixel(62, 29), 0xFF000000u);
  // Others dotted: coloured pixels with gaps along one edge.
  const int other = CountColor(picture, QRect(5, 2, 3, 1), kOther);
  EXPECT_GT(other, 0);
  EXPECT_LT(other, 3);
  const int hovered = CountColor(picture, QRect(24, 9, 1, 4), kHovered);
  EXPECT_GT(hovered, 0);
  EXPECT_LT(hovered, 4);
  // The hovered name in the middle of its area.
  EXPECT_GT(CountColor(picture, QRect(27, 10, 10, 12), kWhite), 4);
  EXPECT_EQ(CountColor(picture, QRect(5, 5, 12, 4), kWhite), 0);
}

TEST_F(PreviewDialogTest, ZoomRulesAndBadge) {
  canvas_->SetCanvasSize(64, 32, 4.0f);
  EXPECT_EQ(canvas_->Zoom(), 1.0f);
  canvas_->SetZoom(1.0f);
  EXPECT_FALSE(canvas_->ZoomBadgeShown());

  Send(0);
  canvas_->SetZoom(2.0f);
  EXPECT_TRUE(canvas_->ZoomBadgeShown());
  SendMessage(canvas_->Handle(), WM_TIMER, kCanvasBadgeTimer, 0);
  EXPECT_FALSE(canvas_->ZoomBadgeShown());

  canvas_->SetZoom(1.0f);
  EXPECT_GT(CountColor(Tick(), QRect(4, 4, 30, 14), kWhite), 5);  // "100%"
  SaveScreenshot(*canvas_, QStringLiteral("preview_zoom_badge"));
  SendMessage(canvas_->Handle(), WM_TIMER, kCanvasBadgeTimer, 0);
  EXPECT_EQ(CountColor(Tick(), QRect(0, 0, 64, 32), kGrey), 64 * 32);
}

TEST_F(PreviewDialogTest, PlaybackAndLogoSaveAndRestoreTheMode) {
  ProgramSendItem item{program_, {&RedArea(0, 0, 16, 8)}};
  PlayList = {item};
  Send(0);
  Send(3, 0);
  EXPECT_EQ(canvas_->Mode(), kCanvasPlay);
  EXPECT_FALSE(canvas_->isEnabled());
  EXPECT_EQ(Tick().pixel(3, 3), kRed);
  EXPECT_TRUE(canvas_->HasListPlayer());
  Send(3, 1);
  EXPECT_EQ(canvas_->Mode(), kCanvasEdit);
  EXPECT_TRUE(canvas_->isEnabled());
  EXPECT_FALSE(canvas_->HasListPlayer());

  // The logo: an empty list shows grey only.
  Send(7, -3);
  EXPECT_EQ(canvas_->Mode(), kCanvasLogo);
  EXPECT_EQ(canvas_->SelectedIndex(), 1);
  EXPECT_EQ(CountColor(Tick(), QRect(0, 0, 64, 32), kGrey), 64 * 32);
  // A player whose content ends on its first step is not made again in that tick.
  CanvasAreaList = {&RedArea(8, 8, 24, 16)};
  Send(7, 5);
  Tick();
  EXPECT_FALSE(canvas_->HasLogoPlayer());
  Send(7, 0);
  QImage shown = Tick();
  EXPECT_TRUE(canvas_->HasLogoPlayer());
  EXPECT_EQ(shown.pixel(12, 12), kRed);
  EXPECT_EQ(shown.pixel(11, 8), kSelected);  // solid outline of area 1
  SaveScreenshot(*canvas_, QStringLiteral("preview_logo"));
  Send(8);
  EXPECT_EQ(canvas_->Mode(), kCanvasEdit);
  EXPECT_EQ(canvas_->SelectedIndex(), 0);
  EXPECT_FALSE(canvas_->HasLogoPlayer());
}

TEST_F(PreviewDialogTest, ContextMenuPassesCommandsToTheProjectPage) {
  TreeItemRef screen = TreeItemRef::Of(*screen_);
  CurrentSelection = &screen;
  RightButtonUp();
  EXPECT_EQ(menusShown_, 0);

  TreeItemRef program = TreeItemRef::Of(*program_);
  CurrentSelection = &program;
  menuAnswer_ = kCanvasMenuDelete;
  RightButtonUp();
  EXPECT_EQ(menusShown_, 1);
  EXPECT_FALSE(pasteEnabled_);
  ASSERT_EQ(page_.commands.size(), 1u);
  EXPECT_EQ(page_.commands[0], ID_TREE_DELETE);

  page_.hasCopy = 1;
  menuAnswer_ = kCanvasMenuPaste;
  RightButtonUp();
  EXPECT_TRUE(pasteEnabled_);
  EXPECT_EQ(page_.commands.back(), ID_TREE_PASTE);
}

TEST_F(PreviewDialogTest, OperationsKeepPlayersAndAreasInStep) {
  for (int i = 0; i < 3; ++i) static_cast<void>(RedArea(4 + 20 * i, 4, 18 + 20 * i, 20));
  TreeItemRef program = TreeItemRef::Of(*program_);
  CurrentSelection = &program;
  const auto inStep = [this] {
    const CEditCanvas* edit = canvas_->EditCanvas();
    return !edit || edit->PlayerCount() == static_cast<int>(CanvasAreaList.size());
  };
  const auto fill = [this] {
    CanvasAreaList.clear();
    for (const auto& area : program_->Areas) CanvasAreaList.push_back(area.get());
  };
  fill();
  AreaRecord* first = CanvasAreaList.front();
  Send(0);
  Send(1, 1);
  ASSERT_NE(canvas_->EditCanvas(), nullptr);
  EXPECT_EQ(CanvasAreaList.back(), first);
  EXPECT_EQ(canvas_->SelectedIndex(), 3);
  EXPECT_TRUE(inStep());
  QImage shown = Tick();
  EXPECT_EQ(shown.pixel(10, 12), kRed);
  EXPECT_EQ(shown.pixel(4, 8), kSelected);  // the moved area is the selected one

  Send(2, -2);
  CanvasAreaList.push_back(&RedArea(2, 24, 10, 30));
  Send(4);
  EXPECT_TRUE(inStep());
  EXPECT_EQ(canvas_->EditCanvas()->PlayerCount(), 4);
  Send(5);
  Send(6);
  EXPECT_TRUE(inStep());
  EXPECT_EQ(Tick().pixel(10, 12), kGrey);  // paused: only the grey fill
  Send(1, 0);
  EXPECT_EQ(canvas_->SelectedIndex(), 0);
  Send(static_cast<WPARAM>(-1));
  EXPECT_EQ(canvas_->EditCanvas(), nullptr);
  EXPECT_EQ(canvas_->Mode(), kCanvasBlank);
  Send(4);
  Send(5);
  EXPECT_EQ(CanvasAreaList.size(), 3u);  // nothing without an edit canvas

  // The logo view saves the edit selection and gives it back.
  fill();
  Send(0);
  Send(1, 2);
  Send(7, -3);
  EXPECT_EQ(canvas_->SelectedIndex(), 1);
  Send(8);
  EXPECT_EQ(canvas_->Mode(), kCanvasEdit);
  EXPECT_EQ(canvas_->SelectedIndex(), static_cast<int>(CanvasAreaList.size()));
  EXPECT_TRUE(inStep());
}

TEST_F(PreviewDialogTest, EditViewAtZoomsOneFourAndEight) {
  for (int i = 0; i < 3; ++i) static_cast<void>(RedArea(4 + 20 * i, 4, 18 + 20 * i, 20));
  CopyBoundedText(program_->Areas[1]->AreaName, QStringLiteral("Area 2"));
  for (const auto& area : program_->Areas) CanvasAreaList.push_back(area.get());
  TreeItemRef program = TreeItemRef::Of(*program_);
  CurrentSelection = &program;
  Send(0);
  Send(1, 1);
  canvas_->show();
  for (const int n : {1, 4, 8}) {
    SCOPED_TRACE(n);
    View(static_cast<float>(n), 64 * n + 4, 32 * n + 4);
    const QImage shown = Tick();
    // Inside the first area: red, with the grid over it from zoom 4.
    EXPECT_EQ(shown.pixel(n * 10 + n / 2, n * 12 + n / 2), kRed);
    if (n > 1) {
      EXPECT_EQ(shown.pixel(n * 10 + n - 1, n * 12 + n - 1), 0xFF202020);
    }
    // The selected outline at the scaled left edge, between the handles.
    EXPECT_EQ(shown.pixel(n * 4, n * 4 + 4), kSelected);
    EXPECT_GT(CountColor(shown, QRect(n * 24, n * 4, 1, n * 16), kOther), 0);  // dotted
    SaveScreenshot(*canvas_, QStringLiteral("preview_edit_zoom%1").arg(n));
  }
}

TEST_F(PreviewDialogTest, DragBadgeAtTheOutlineCorner) {
  std::vector<AreaRecord*> areas = {&Area(kImageTextArea, 10, 6, 60, 30)};
  QImage picture(64, 40, QImage::Format_RGB32);
  picture.fill(Qt::black);
  OutlineStyle style;
  style.selected = 1;
  style.dragging = true;
  DrawAreaOutlines(picture, areas, style);
  const QRgb badge = qRgb(0, 0, 120);  // blue at alpha 120 over the overlay's black
  EXPECT_GT(CountColor(picture, QRect(11, 7, 40, 24), badge), 200);
  EXPECT_GT(CountColor(picture, QRect(11, 7, 40, 24), kWhite), 20);  // the two lines
  EXPECT_EQ(CountColor(picture, QRect(0, 0, 10, 40), badge), 0);
  EXPECT_EQ(CountColor(picture, QRect(0, 0, 64, 6), badge), 0);
}
