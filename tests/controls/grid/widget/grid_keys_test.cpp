// The grid window's geometry, scrolling and keyboard: hit tests and dividers, scroll-bar
// ranges and steps, focus movement by keys with the selection it makes, and the
// display cell of virtual mode.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QScrollBar>
#include <QStyle>
#include <QTest>
#include <QWidget>

#include <vector>

#include "controls/grid/widget/grid_ctrl.h"
#include "tests/controls/grid/fixed_palette.h"
#include "tests/support/screenshot.h"

using namespace grid_test;

namespace {

// Records the cell notifications and answers display requests with "row:col".
class Owner : public QWidget, public MessageWindow {
 public:
  LRESULT WindowProc(UINT msg, WPARAM, LPARAM lParam) override {
    if (msg != WM_NOTIFY) return 0;
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header->code == GVN_GETDISPINFO) {
      GridCellInfo& item = reinterpret_cast<GridDisplayInfo*>(lParam)->item;
      item.text = QStringLiteral("%1:%2").arg(item.row).arg(item.col);
      ++requests;
    } else if (header->code == GVN_SELCHANGING || header->code == GVN_SELCHANGED) {
      const auto* notify = reinterpret_cast<const GridNotify*>(lParam);
      codes.push_back(header->code);
      cells.emplace_back(notify->row, notify->col);
      modes.push_back(grid->GetMouseMode());
      selectedAt.push_back(grid->GetSelectedCells().size());
    }
    return 0;
  }

  CGridCtrl* grid = nullptr;
  std::vector<int> codes;
  std::vector<CCellID> cells;
  std::vector<int> modes;
  std::vector<std::size_t> selectedAt;
  int requests = 0;
};

// 10 rows of 10 pixels and 6 columns of 20, one fixed row and column, in a 100 x 60
// client area (before the scroll bars).
struct Fixture {
  explicit Fixture(bool virtualMode = false) {
    owner.grid = &grid;
    grid.SetVirtualMode(virtualMode);
    EXPECT_TRUE(grid.Create(QRect(0, 0, 102, 62), &owner));
    EXPECT_TRUE(grid.SetRowCount(10));
    EXPECT_TRUE(grid.SetColumnCount(6));
    EXPECT_TRUE(grid.SetFixedRowCount(1));
    EXPECT_TRUE(grid.SetFixedColumnCount(1));
    for (int row = 0; row < 10; ++row) EXPECT_TRUE(grid.SetRowHeight(row, 10));
    for (int col = 0; col < 6; ++col) EXPECT_TRUE(grid.SetColumnWidth(col, 20));
    owner.resize(200, 200);
    owner.show();
  }

  int BarExtent() { return grid.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &grid); }
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(&grid, key, modifiers);
  }

  FixedPalette palette;
  Owner owner;
  CGridCtrl grid;
};

}  // namespace

TEST(GridCtrlGeometry, OriginsHitTestsAndDividers) {
  Fixture f;
  CGridCtrl& grid = f.grid;
  EXPECT_EQ(grid.GetCellFromPoint(QPoint(25, 15)), CCellID(1, 1));
  EXPECT_EQ(grid.GetCellFromPoint(QPoint(5, 5)), CCellID(0, 0));
  EXPECT_EQ(grid.GetCellFromPoint(QPoint(5, 15), false), CCellID(1, -1));
  EXPECT_EQ(grid.GetCellFromPoint(QPoint(-1, 15)), CCellID(1, -1));
  // Scrolled down three rows: the top-left cell follows, cells above lie above H.
  grid.SetScrollPosition(Qt::Vertical, 30);
  EXPECT_EQ(grid.GetFirstVisibleCell(), CCellID(4, 1));
  QPoint origin;
  ASSERT_TRUE(grid.GetCellOrigin(2, 1, &origin));
  EXPECT_EQ(origin, QPoint(20, -10));
  EXPECT_EQ(grid.GetCellFromPoint(QPoint(25, 15)), CCellID(4, 1));
  // Past the last column there is no column.
  EXPECT_TRUE(grid.SetColumnCount(2));
  EXPECT_EQ(grid.GetCellFromPoint(QPoint(45, 15)).col, -1);
  grid.SetScrollPosition(Qt::Vertical, 0);

  // Row dividers within 3 pixels in the fixed column, never at the top of row 0.
  EXPECT_TRUE(grid.IsOverRowDivider(QPoint(5, 21)));
  EXPECT_TRUE(grid.IsOverRowDivider(QPoint(5, 18)));
  EXPECT_FALSE(grid.IsOverRowDivider(QPoint(5, 24)));
  EXPECT_FALSE(grid.IsOverRowDivider(QPoint(5, 1)));
  EXPECT_FALSE(grid.IsOverRowDivider(QPoint(25, 21)));
  EXPECT_TRUE(grid.IsOverColumnDivider(QPoint(21, 5)));
  EXPECT_FALSE(grid.IsOverColumnDivider(QPoint(1, 5)));
  EXPECT_FALSE(grid.IsOverColumnDivider(QPoint(30, 5)));
  EXPECT_FALSE(grid.IsOverColumnDivider(QPoint(21, 15)));
}

TEST(GridCtrlScroll, RangesStepsThumbAndNoBarsForASmallGrid) {
  Fixture f;
  CGridCtrl& grid = f.grid;
  QScrollBar* bar = grid.verticalScrollBar();
  const int available = 50 - f.BarExtent();  // both bars shown
  EXPECT_EQ(grid.GetScrollBarState(), CGridCtrl::kHorzBarShown | CGridCtrl::kVertBarShown);
  EXPECT_EQ(bar->maximum(), 90 - available);
  EXPECT_EQ(bar->pageStep(), available);
  // A line is the top row's height, not the bar's own step.
  EXPECT_TRUE(grid.SetRowHeight(1, 13));
  bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(bar->value(), 13);
  EXPECT_EQ(grid.GetFirstVisibleCell().row, 2);
  bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
  EXPECT_EQ(bar->value(), 0);
  bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(bar->value(), grid.viewport()->height() - 10);
  bar->triggerAction(QAbstractSlider::SliderToMaximum);
  EXPECT_EQ(bar->value(), bar->maximum());
  // Thumb tracking recomputes the top-left cell.
  bar->setSliderPosition(33);
  EXPECT_EQ(grid.GetFirstVisibleCell().row, 4);  // 13 + 10 + 10 passed
  grid.horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(grid.GetFirstVisibleCell().col, 2);

  // A client area smaller than the fixed cells shows no bars.
  EXPECT_TRUE(grid.SetColumnWidth(0, 150));
  EXPECT_EQ(grid.GetScrollBarState(), 0u);
  EXPECT_FALSE(grid.verticalScrollBar()->isVisible());
  EXPECT_FALSE(grid.horizontalScrollBar()->isVisible());
}

TEST(GridCtrlKeys, PagesTabWrapsAndDefaultProcessing) {
  Fixture f;
  CGridCtrl& grid = f.grid;
  grid.SetFocusCell(1, 1);
  for (int i = 0; i < 10; ++i) f.Key(Qt::Key_PageDown);
  EXPECT_EQ(grid.GetFocusCell(), CCellID(9, 1));
  EXPECT_TRUE(grid.IsCellVisible(9, 1));
  for (int i = 0; i < 10; ++i) f.Key(Qt::Key_PageUp);
  EXPECT_EQ(grid.GetFocusCell(), CCellID(1, 1));
  EXPECT_EQ(grid.verticalScrollBar()->value(), 0);

  grid.SetFocusCell(1, 5);
  f.Key(Qt::Key_Tab);
  EXPECT_EQ(grid.GetFocusCell(), CCellID(2, 1));
  EXPECT_EQ(grid.horizontalScrollBar()->value(), 0);
  f.Key(Qt::Key_Backtab);
  EXPECT_EQ(grid.GetFocusCell(), CCellID(1, 5));
  EXPECT_TRUE(grid.IsCellVisible(1, 5));
  f.Key(Qt::Key_Tab, Qt::ShiftModifier);
  EXPECT_EQ(grid.GetFocusCell(), CCellID(1, 4));

  // Tab in the last cell: default processing, the focus stays, the grid keeps the key.
  grid.SetFocusCell(9, 5);
  EXPECT_TRUE(grid.OnKeyDown(VK_TAB, Qt::NoModifier));
  QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
  QCoreApplication::sendEvent(&grid, &tab);
  EXPECT_TRUE(tab.isAccepted());
  EXPECT_EQ(grid.GetFocusCell(), CCellID(9, 5));
  // Without handling Tab the grid leaves it to the dialog.
  grid.SetHandleTabKey(false);
  QKeyEvent other(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QCoreApplication::sendEvent(&grid, &other);
  EXPECT_FALSE(other.isAccepted());
  grid.SetFocusCell(-1, -1);
  EXPECT_TRUE(grid.OnKeyDown(VK_DOWN, Qt::NoModifier));  // no focus cell
}

TEST(GridCtrlKeys, ZeroSizeRowsAndColumnsNeverGetTheFocus) {
  Fixture f;
  CGridCtrl& grid = f.grid;
  for (const int row : {1, 4, 9}) EXPECT_TRUE(grid.SetRowHeight(row, 0));
  for (const int col : {1, 3, 5}) EXPECT_TRUE(grid.SetColumnWidth(col, 0));
  grid.SetFocusCell(3, 2);
  f.Key(Qt::Key_Down);
  EXPECT_EQ(grid.GetFocusCell(), CCellID(5, 2));
  f.Key(Qt::Key_Up);
  EXPECT_EQ(grid.GetFocusCell(), CCellID(3, 2));
  f.Key(Qt::Key_Right);
  EXPECT_EQ(grid.GetFocusCell(), CCellID(3, 4));
  f.Key(Qt::Key_Right);  // nothing to the right with a width
  EXPECT_EQ(grid.GetFocusCell(), CCellID(3, 4));
  f.Key(Qt::Key_Left);
  EXPECT_EQ(grid.GetFocusCell(), CCellID(3, 2));
  f.Key(Qt::Key_Left);  // column 1 is empty and column 0 fixed
  EXPECT_EQ(grid.GetFocusCell(), CCellID(3, 2));
  f.Key(Qt::Key_End);
  EXPECT_EQ(grid.GetFocusCell(), CCellID(3, 4));
  f.Key(Qt::Key_Home);
  EXPECT_EQ(grid.GetFocusCell(), CCellID(3, 2));
  f.Key(Qt::Key_End, Qt::ControlModifier);
  EXPECT_EQ(grid.GetFocusCell(), CCellID(8, 4));
  f.Key(Qt::Key_Home, Qt::ControlModifier);
  EXPECT_EQ(grid.GetFocusCell(), CCellID(2, 2));
}

TEST(GridCtrlKeys, ShiftArrowsExtendTheSelectionBetweenNotifications) {
  Fixture f;
  CGridCtrl& grid = f.grid;
  grid.SetFocusCell(2, 2);
  f.Key(Qt::Key_Right);
  EXPECT_EQ(grid.GetSelectedCells(), (std::set<CCellID>{{2, 3}}));
  EXPECT_EQ(grid.GetSelectionStartCell(), CCellID(2, 3));
  f.owner.codes.clear();
  f.owner.cells.clear();
  f.owner.selectedAt.clear();
  f.Key(Qt::Key_Down, Qt::ShiftModifier);
  f.Key(Qt::Key_Right, Qt::ShiftModifier);
  EXPECT_EQ(f.owner.codes,
            (std::vector<int>{GVN_SELCHANGING, GVN_SELCHANGED, GVN_SELCHANGING, GVN_SELCHANGED}));
  EXPECT_EQ(f.owner.cells[2], CCellID(3, 4));
  EXPECT_EQ(f.owner.modes[0], MOUSE_SELECT_CELLS);
  EXPECT_EQ(f.owner.selectedAt[2], 2u);  // before the change
  EXPECT_EQ(f.owner.selectedAt[3], 4u);  // after it
  EXPECT_EQ(grid.GetSelectionBounds(), CCellBlock(2, 3, 3, 4));
  EXPECT_EQ(grid.GetFocusCell(), CCellID(3, 4));
  EXPECT_EQ(grid.GetMouseMode(), MOUSE_NOTHING);
  SaveScreenshot(f.owner, QStringLiteral("grid_keys_selection"));
  // In list mode keys select whole rows.
  grid.SetListMode(true);
  f.Key(Qt::Key_Down);
  EXPECT_EQ(grid.GetSelectionBounds(), CCellBlock(4, 1, 4, 5));
}

TEST(GridCtrlKeys, EnsureVisibleAndAutoScroll) {
  Fixture f;
  CGridCtrl& grid = f.grid;
  grid.EnsureVisible(9, 5);
  EXPECT_TRUE(grid.IsCellVisible(9, 5));
  grid.EnsureVisible(1, 1);
  EXPECT_TRUE(grid.IsCellVisible(1, 1));
  // A column wider than the window can never fit: the loops stop all the same.
  EXPECT_TRUE(grid.SetColumnWidth(4, 1000));
  grid.EnsureVisible(1, 4);
  EXPECT_EQ(grid.GetFirstVisibleCell().col, 4);

  // The cursor below the window: a tick moves the focus down and selects to the bottom.
  EXPECT_TRUE(grid.SetColumnWidth(4, 20));
  grid.SetScrollPosition(Qt::Horizontal, 0);
  grid.SetFocusCell(1, 1);
  grid.SetSelectionStartCell(CCellID(1, 1));
  grid.SetMouseMode(MOUSE_SELECT_CELLS);
  QCursor::setPos(grid.viewport()->mapToGlobal(QPoint(25, grid.viewport()->height() + 20)));
  grid.OnAutoScrollTimer();
  EXPECT_EQ(grid.GetFocusCell(), CCellID(2, 1));
  const CCellID bottom = grid.GetCellFromPoint(QPoint(25, grid.viewport()->height()));
  EXPECT_EQ(grid.GetSelectionBounds(), CCellBlock(1, 1, bottom.row, 1));
  grid.StartAutoScroll();
  grid.SetMouseMode(MOUSE_DRAGGING);
  grid.OnCaptureChanged(nullptr);
  EXPECT_FALSE(grid.IsAutoScrolling());
  EXPECT_EQ(grid.GetMouseMode(), MOUSE_NOTHING);
}

TEST(GridCtrlCells, VirtualCellIsOneObjectFilledByTheOwner) {
  Fixture f(true);
  CGridCtrl& grid = f.grid;
  grid.SetFocusCell(2, 2);
  EXPECT_FALSE(grid.SetCellState(3, 1, GVIS_SELECTED));  // no cell is stored in virtual mode
  f.owner.requests = 0;
  CGridCellBase* first = grid.GetCell(2, 2);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->GetText(), QStringLiteral("2:2"));
  EXPECT_EQ(first->GetState(), GVIS_FOCUSED);
  CGridCellBase* second = grid.GetCell(3, 1);
  EXPECT_EQ(second, first);
  EXPECT_EQ(first->GetText(), QStringLiteral("3:1"));
  EXPECT_EQ(first->GetState(), GVIS_SELECTED);
  CGridCellBase* fixed = grid.GetCell(0, 0);
  EXPECT_EQ(fixed->GetState(), GVIS_FIXED | GVIS_FIXEDROW | GVIS_FIXEDCOL);
  EXPECT_EQ(f.owner.requests, 3);
  EXPECT_EQ(grid.GetCellText(4, 4), QStringLiteral("4:4"));
  // A callback answers instead of the owner.
  grid.SetCallbackFunc([](GridCellInfo* info, LPARAM param) {
    info->text = QString::number(param);
  }, 42);
  EXPECT_EQ(grid.GetCellText(1, 1), QStringLiteral("42"));
  EXPECT_EQ(f.owner.requests, 4);
}

TEST(GridCtrlCells, FontGoesToEveryDefaultCell) {
  Fixture f;
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(20);
  f.grid.SetFont(font);
  EXPECT_EQ(f.grid.GetFont().pixelSize(), 20);
  EXPECT_EQ(f.grid.GetDefaultCell(true, true)->GetFont()->lfHeight, -20);
  EXPECT_EQ(f.grid.GetDefaultCell(false, true)->GetFontObject().pixelSize(), 20);
}
