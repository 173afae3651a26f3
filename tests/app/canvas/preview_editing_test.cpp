// Editing on the preview canvas: a 128 x 32 program of three areas at zoom 4, a tree
// whose selection road re-targets the canvas as the project page's does, and stand-ins
// for the area page and the boot-logo pane that record what they are sent.

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTreeWidget>

#include <memory>
#include <utility>
#include <vector>

#include "app/canvas/preview_dialog.h"
#include "controls/shell/pane_ids.h"
#include "controls/shell/program_messages.h"
#include "controls/shell/window_globals.h"
#include "tests/render/player/player_fixture.h"
#include "tests/support/screenshot.h"

namespace {

constexpr int kZoom = 4;

class Recorder : public MessageWindow {
 public:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM) override {
    messages.emplace_back(msg, wParam);
    return 0;
  }
  int Count(UINT msg) const {
    int count = 0;
    for (const auto& [m, w] : messages) count += m == msg;
    return count;
  }
  std::vector<std::pair<UINT, WPARAM>> messages;
};

QPoint At(int x, int y) { return {x * kZoom, y * kZoom}; }

}  // namespace

class PreviewEditingTest : public PlayerTest {
 protected:
  void SetUp() override {
    PlayerTest::SetUp();
    screen_->LedWidth = 128;
    programItem_ = new QTreeWidgetItem(&tree_);
    program_->TreeItem = programItem_;
    for (const int left : {4, 40, 80}) {
      AreaRecord& area = Area(kImageTextArea, left, 4, left + 30, 28);
      std::get<std::vector<FileItem>>(area.Kind) = {Page(0xFFFF0000, 30, 24)};
      area.TreeItem = new QTreeWidgetItem(programItem_);
      CanvasAreaList.push_back(&area);
    }
    QObject::connect(&tree_, &QTreeWidget::currentItemChanged,
                     [this](QTreeWidgetItem* item) { Road(item); });
    ProjectTreeControl = &tree_;
    AreaPageWindow = areaPage_.Handle();
    PaneWindows[kLogoPane] = logoPane_.Handle();
    canvas_ = std::make_unique<CPreviewDialog>(nullptr, clock_);
    canvas_->resize(128 * kZoom + 4, 32 * kZoom + 4);
    canvas_->SetCanvasSize(128, 32, static_cast<float>(kZoom));
    SendMessage(canvas_->Handle(), UM_CANVAS_COMMAND, 0, 0);
    tree_.setCurrentItem(programItem_);
  }
  void TearDown() override {
    canvas_.reset();
    ProjectTreeControl = nullptr;
    AreaPageWindow = nullptr;
    PaneWindows[kLogoPane] = nullptr;
    CanvasAreaList.clear();
    CurrentSelection = nullptr;
    PlayerTest::TearDown();
  }
  // The project page's road: the selection, then the canvas's operation 1.
  void Road(QTreeWidgetItem* item) {
    ref_ = TreeItemRef::Of(*program_);
    LPARAM position = 0;
    for (std::size_t i = 0; i < CanvasAreaList.size(); ++i) {
      if (CanvasAreaList[i]->TreeItem == item) {
        ref_ = TreeItemRef::Of(*CanvasAreaList[i]);
        position = static_cast<LPARAM>(i) + 1;
      }
    }
    CurrentSelection = &ref_;
    SendMessage(canvas_->Handle(), UM_CANVAS_COMMAND, 1, position);
  }
  void Mouse(QEvent::Type type, QPoint at, Qt::MouseButtons buttons = Qt::LeftButton,
             Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    if (type == QEvent::MouseButtonRelease) buttons = {};
    QMouseEvent event(type, QPointF(at), QPointF(canvas_->mapToGlobal(at)), button, buttons,
                      modifiers);
    QApplication::sendEvent(canvas_.get(), &event);
  }
  void Press(QPoint at) { Mouse(QEvent::MouseButtonPress, at); }
  void Release(QPoint at) { Mouse(QEvent::MouseButtonRelease, at); }
  void Drag(QPoint at, Qt::MouseButtons buttons = Qt::LeftButton,
            Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    Mouse(QEvent::MouseMove, at, buttons, modifiers);
  }
  // Whether the canvas took the key (else it goes on to the frame).
  bool Key(int key) {
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(canvas_.get(), &event);
    return event.isAccepted();
  }
  void Align(int type) { SendMessage(canvas_->Handle(), UM_CANVAS_ALIGN, type, 0); }
  static AreaBox Box(const AreaRecord& a) {
    return {a.AreaRect_Left, a.AreaRect_Top, a.AreaRect_Right, a.AreaRect_Bottom};
  }

  QTreeWidget tree_;
  QTreeWidgetItem* programItem_ = nullptr;
  TreeItemRef ref_{};
  Recorder areaPage_;
  Recorder logoPane_;
  std::unique_ptr<CPreviewDialog> canvas_;
};

TEST_F(PreviewEditingTest, MouseSelectsThroughTheTreeAndDragsOnlyWithTheLeftButtonAlone) {
  AreaRecord* first = CanvasAreaList.front();
  Press(At(15, 16));
  EXPECT_EQ(tree_.currentItem(), first->TreeItem);
  EXPECT_EQ(CanvasAreaList.back(), first);
  EXPECT_EQ(canvas_->SelectedIndex(), 3);
  EXPECT_TRUE(canvas_->Dragging());
  EXPECT_EQ(canvas_->CursorId(), kCursorMove);

  // Shift, Ctrl or both buttons: neither a drag nor a hover (which would find nothing).
  Drag(At(75, 16), Qt::LeftButton, Qt::ShiftModifier);
  Drag(At(75, 16), Qt::LeftButton, Qt::ControlModifier);
  Drag(At(75, 16), Qt::LeftButton | Qt::RightButton);
  EXPECT_EQ(Box(*first), (AreaBox{4, 4, 34, 28}));
  EXPECT_EQ(canvas_->HoveredIndex(), 3);
  EXPECT_EQ(areaPage_.Count(UM_LOAD_SELECTION), 0);

  Drag(At(23, 16));
  EXPECT_EQ(Box(*first), (AreaBox{12, 4, 42, 28}));
  EXPECT_EQ(areaPage_.Count(UM_LOAD_SELECTION), 1);
  clock_.Advance(kTickMs);
  SendMessage(canvas_->Handle(), WM_TIMER, kCanvasFrameTimer, 0);
  const QImage shown = canvas_->Shown();
  SaveScreenshot(*canvas_, QStringLiteral("preview_drag_128x32_zoom4"));
  // The badge at the outline's corner, on blue blended over black.
  int badge = 0;
  for (int y = 17; y < 40; ++y) {
    for (int x = 49; x < 100; ++x) badge += shown.pixel(x, y) == qRgb(0, 0, 120);
  }
  EXPECT_GT(badge, 200);
  Release(At(23, 16));
  EXPECT_FALSE(canvas_->Dragging());

  // Hover: nothing between areas, a handle's cursor on an edge.
  Drag(At(75, 16), Qt::NoButton);
  EXPECT_EQ(canvas_->HoveredIndex(), 0);
  Drag(At(70, 16), Qt::NoButton);
  EXPECT_EQ(canvas_->HitKind(), 4);
  EXPECT_EQ(canvas_->cursor().shape(), Qt::SizeHorCursor);

  // A press on empty canvas selects the program.
  Press(At(75, 16));
  EXPECT_EQ(tree_.currentItem(), programItem_);
  EXPECT_EQ(canvas_->SelectedIndex(), 0);
  EXPECT_FALSE(canvas_->Dragging());
}

TEST_F(PreviewEditingTest, TabCyclesArrowsStepAndAlignLoadsThePage) {
  // Each Tab selects the first area and moves it to the end: three visit all three.
  const std::vector<AreaRecord*> listed = CanvasAreaList;
  for (AreaRecord* area : listed) {
    EXPECT_TRUE(Key(Qt::Key_Tab));
    EXPECT_EQ(tree_.currentItem(), area->TreeItem);
  }
  EXPECT_EQ(CanvasAreaList, listed);
  EXPECT_EQ(canvas_->SelectedIndex(), 3);

  // An edge under the program border goes onto it before the area moves.
  program_->BorderWidth = 2;
  AreaRecord& area = *CanvasAreaList.back();
  area.AreaRect_Left = 1;
  const int loads = areaPage_.Count(UM_LOAD_SELECTION);
  EXPECT_TRUE(Key(Qt::Key_Left));
  EXPECT_EQ(area.AreaRect_Left, 2);
  EXPECT_EQ(area.AreaRect_Right, 110);
  EXPECT_TRUE(Key(Qt::Key_Down));
  EXPECT_EQ(area.AreaRect_Top, 5);
  EXPECT_EQ(areaPage_.Count(UM_LOAD_SELECTION), loads + 2);

  Align(14);
  EXPECT_EQ(Box(area), (AreaBox{2, 5, 110, 29}));
  EXPECT_EQ(areaPage_.Count(UM_LOAD_SELECTION), loads + 3);
  Align(8);
  EXPECT_EQ(Box(area), (AreaBox{2, 5, 126, 29}));

  // Nothing selected: nothing changes, nothing is sent, the keys go on.
  tree_.setCurrentItem(programItem_);
  areaPage_.messages.clear();
  Align(4);
  EXPECT_FALSE(Key(Qt::Key_Left));
  EXPECT_EQ(Box(area), (AreaBox{2, 5, 126, 29}));
  EXPECT_TRUE(areaPage_.messages.empty());
}

TEST_F(PreviewEditingTest, LogoModeReportsToTheLogoPane) {
  AreaRecord* logo = CanvasAreaList.front();
  SendMessage(canvas_->Handle(), UM_CANVAS_COMMAND, 7, -3);
  CanvasAreaList = {logo};
  Press(At(34, 16));  // the right handle
  EXPECT_EQ(canvas_->HitKind(), 4);
  Drag(At(40, 16));
  EXPECT_EQ(logo->AreaRect_Right, 40);
  EXPECT_EQ(logoPane_.Count(UM_LOAD_SELECTION), 1);
  Release(At(40, 16));
  EXPECT_EQ(logoPane_.messages.back(), std::pair(UM_RERENDER_ITEM, WPARAM{1}));
  Align(4);
  EXPECT_EQ(logo->AreaRect_Left, 0);
  EXPECT_EQ(logoPane_.Count(UM_LOAD_SELECTION), 2);
  EXPECT_EQ(areaPage_.Count(UM_LOAD_SELECTION), 0);
}
