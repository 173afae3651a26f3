// The grid driven by the mouse: clicks and their notifications, header clicks, divider
// sizing and autosizing, the right button, the wheel, the auto-scroll and the title tip.
#include <gtest/gtest.h>

#include <QCursor>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QWheelEvent>

#include "tests/controls/grid/widget/grid_edit_fixture.h"
#include "tests/support/screenshot.h"

using namespace grid_test;

namespace {

void Wheel(QWidget* viewport, int delta) {
  QWheelEvent event(QPointF(30, 30), viewport->mapToGlobal(QPointF(30, 30)), QPoint(),
                    QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(viewport, &event);
}

// A mouse event at exactly the point (QTest takes (0, 0) for the widget's centre).
void Send(QWidget* viewport, QEvent::Type type, QPoint point, Qt::MouseButtons buttons) {
  QMouseEvent event(type, point, viewport->mapToGlobal(point),
                    type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                    Qt::NoModifier);
  QCoreApplication::sendEvent(viewport, &event);
}

// Press, release, double click and release, as a double click arrives.
void DoubleClick(QWidget* viewport, QPoint point) {
  Send(viewport, QEvent::MouseButtonPress, point, Qt::LeftButton);
  Send(viewport, QEvent::MouseButtonRelease, point, Qt::NoButton);
  Send(viewport, QEvent::MouseButtonDblClick, point, Qt::LeftButton);
  Send(viewport, QEvent::MouseButtonRelease, point, Qt::NoButton);
}

std::vector<int> Codes(const EditOwner& owner) {
  std::vector<int> codes;
  for (const Notice& notice : owner.notices) codes.push_back(notice.code);
  return codes;
}

}  // namespace

TEST(GridMouse, ClicksSelectNotifyAndPrepareAnEdit) {
  EditFixture f;
  f.Click(f.Centre(2, 3));
  EXPECT_EQ(f.grid.GetFocusCell(), CCellID(2, 3));
  EXPECT_EQ(Codes(f.owner), (std::vector<int>{GVN_SELCHANGING, GVN_SELCHANGED, NM_CLICK}));
  QCoreApplication::processEvents();
  EXPECT_EQ(f.owner.commands, std::vector<int>{CGridCtrl::kControlId});

  // A press on the focus cell's text prepares an edit that opens on the release; a move
  // in between keeps it while drag and drop is off.
  QTest::mousePress(f.Viewport(), Qt::LeftButton, {}, f.Centre(2, 3));
  EXPECT_EQ(f.grid.GetMouseMode(), MOUSE_PREPARE_EDIT);
  EXPECT_EQ(f.Editor(), nullptr);
  QTest::mouseMove(f.Viewport(), f.Centre(2, 3) + QPoint(15, 0));
  QTest::mouseRelease(f.Viewport(), Qt::LeftButton, {}, f.Centre(2, 3) + QPoint(15, 0));
  ASSERT_NE(f.Editor(), nullptr);
  EXPECT_EQ(f.Editor()->textCursor().position(), 3);
  QTest::keyClick(f.Editor(), Qt::Key_Escape);

  // Header clicks select a column or a row; with header sorting a column sorts, then
  // sorts the other way.
  f.Click(f.Centre(0, 2));
  EXPECT_EQ(f.grid.GetSelectionBounds(), CCellBlock(1, 2, 5, 2));
  f.Click(f.Centre(3, 0));
  EXPECT_EQ(f.grid.GetSelectionBounds(), CCellBlock(3, 1, 3, 4));
  f.grid.SetHeaderSort(true);
  f.Click(f.Centre(0, 2));
  f.Click(f.Centre(0, 2));
  EXPECT_EQ(f.grid.GetCellText(1, 2), QStringLiteral("5.2"));
  EXPECT_FALSE(f.grid.GetSortAscending());

  // A double click on a cell's text edits it, and is reported.
  DoubleClick(f.Viewport(), f.Centre(4, 4));
  EXPECT_NE(f.Editor(), nullptr);
  EXPECT_EQ(f.owner.Count(NM_DBLCLK), 1);
}

TEST(GridMouse, DividerDragsSizeColumnsAndMergedBlocks) {
  EditFixture f;
  QWidget* viewport = f.Viewport();
  // The divider right of column 1 lies at x = 120 (columns of 60 from x = 0).
  auto drag = [&](QPoint from, QPoint to) {
    Send(viewport, QEvent::MouseMove, from, Qt::NoButton);
    Send(viewport, QEvent::MouseButtonPress, from, Qt::LeftButton);
    Send(viewport, QEvent::MouseMove, to, Qt::LeftButton);
    Send(viewport, QEvent::MouseButtonRelease, to, Qt::NoButton);
  };
  QTest::mouseMove(viewport, QPoint(120, 10));
  EXPECT_EQ(f.grid.GetMouseMode(), MOUSE_OVER_COL_DIVIDER);
  EXPECT_EQ(viewport->cursor().shape(), Qt::SizeHorCursor);
  drag(QPoint(120, 10), QPoint(140, 10));
  EXPECT_EQ(f.grid.GetColumnWidth(1), 80);
  drag(QPoint(140, 10), QPoint(140, 10));
  EXPECT_EQ(f.grid.GetColumnWidth(1), 80);
  drag(QPoint(140, 10), QPoint(0, 0));
  EXPECT_EQ(f.grid.GetColumnWidth(1), 80);
  EXPECT_EQ(f.grid.GetColumnWidth(0), 60);

  // A header block over columns 2 and 3 (x 140 to 260): its right divider makes the whole
  // block the dragged width; with zero widths refused its first column keeps 1 pixel.
  ASSERT_TRUE(f.grid.MergeCells(0, 2, 0, 3));
  drag(QPoint(259, 10), QPoint(239, 10));
  EXPECT_EQ(f.grid.GetMergedWidth(0, 2), 99);
  EXPECT_EQ(f.grid.GetColumnWidth(3), 60);
  f.grid.SetColumnsSizeToZero(false);
  drag(QPoint(238, 10), QPoint(150, 10));
  EXPECT_EQ(f.grid.GetColumnWidth(2), 1);
  EXPECT_EQ(f.grid.GetColumnWidth(3), 60);
  EXPECT_EQ(f.grid.GetMouseMode(), MOUSE_NOTHING);
}

TEST(GridMouse, DoubleClickOnADividerAutosizesThePreviousShownColumn) {
  EditFixture f;
  ASSERT_TRUE(f.grid.SetColumnWidth(1, 200));
  ASSERT_TRUE(f.grid.SetColumnWidth(2, 0));
  // Just right of column 3's left edge (x 260): column 2 is hidden, so column 1 it is.
  Send(f.Viewport(), QEvent::MouseMove, QPoint(261, 10), Qt::NoButton);
  ASSERT_EQ(f.grid.GetMouseMode(), MOUSE_OVER_COL_DIVIDER);
  DoubleClick(f.Viewport(), QPoint(261, 10));
  EXPECT_GT(f.grid.GetColumnWidth(1), 0);
  EXPECT_LT(f.grid.GetColumnWidth(1), 60);
  EXPECT_EQ(f.grid.GetColumnWidth(2), 0);
  EXPECT_EQ(f.grid.GetColumnWidth(3), 60);
}

TEST(GridMouse, RightClickInsideAndOutsideTheCells) {
  EditFixture f;
  f.Focus(1, 1);
  // Right of the last column, inside the window.
  QTest::mouseClick(f.Viewport(), Qt::RightButton, {}, QPoint(310, 30));
  ASSERT_EQ(f.owner.notices.size(), 1u);
  EXPECT_EQ(f.owner.notices[0].code, NM_RCLICK);
  EXPECT_EQ(f.owner.notices[0].cell, CCellID(-1, -1));
  EXPECT_EQ(f.grid.GetFocusCell(), CCellID(1, 1));
  QTest::mouseClick(f.Viewport(), Qt::RightButton, {}, f.Centre(0, 3));
  EXPECT_EQ(f.owner.notices.back().cell, CCellID(0, 3));
  EXPECT_EQ(f.grid.GetFocusCell(), CCellID(1, 3));
}

TEST(GridMouse, WheelStepsLinesOrPagesAndCarriesSmallDeltas) {
  EditFixture f;
  ASSERT_TRUE(f.grid.SetRowCount(60));
  for (int row = 6; row < 60; ++row) ASSERT_TRUE(f.grid.SetRowHeight(row, 20));
  QScrollBar* bar = f.grid.verticalScrollBar();
  f.grid.SetWheelScrollLines(3);
  f.grid.SetScrollPosition(Qt::Vertical, 400);
  Wheel(f.Viewport(), 240);
  EXPECT_EQ(bar->value(), 400 - 6 * 20);
  for (int i = 0; i < 7; ++i) Wheel(f.Viewport(), 15);
  EXPECT_EQ(bar->value(), 280);  // less than a notch so far
  Wheel(f.Viewport(), 15);
  EXPECT_EQ(bar->value(), 280 - 3 * 20);
  f.grid.SetWheelScrollLines(-1);
  const int page = f.Viewport()->height() - 20;
  Wheel(f.Viewport(), -240);
  EXPECT_EQ(bar->value(), 220 + 2 * page);
}

TEST(GridMouse, HeldBelowTheWindowTheAutoScrollExtendsTheSelection) {
  EditFixture f;
  ASSERT_TRUE(f.grid.SetRowCount(30));
  QTest::mousePress(f.Viewport(), Qt::LeftButton, {}, f.Centre(2, 1));
  EXPECT_EQ(f.grid.GetMouseMode(), MOUSE_SELECT_CELLS);
  EXPECT_TRUE(f.grid.IsAutoScrolling());
  QCursor::setPos(f.Viewport()->mapToGlobal(QPoint(70, f.Viewport()->height() + 30)));
  for (int tick = 0; tick < 6; ++tick) f.grid.OnAutoScrollTimer();
  const CCellBlock visible = f.grid.GetVisibleCellBlock();
  EXPECT_EQ(f.grid.GetSelectionBounds(), CCellBlock(2, 1, visible.maxRow, 1));
  EXPECT_GT(f.grid.verticalScrollBar()->value(), 0);
  QTest::mouseRelease(f.Viewport(), Qt::LeftButton, {}, QPoint(70, 60));
  EXPECT_FALSE(f.grid.IsAutoScrolling());
}

TEST(GridMouse, TitleTipShowsACutTextAndLetsClicksThrough) {
  EditFixture f;
  f.grid.SetCellText(2, 2, QStringLiteral("a text much wider than its cell"));
  CTitleTip& tip = f.grid.GetTitleTip();
  QTest::mouseMove(f.Viewport(), f.Centre(3, 2));
  EXPECT_FALSE(tip.isVisible());  // "3.2" fits
  QTest::mouseMove(f.Viewport(), f.Centre(2, 2));
  ASSERT_TRUE(tip.isVisible());
  EXPECT_EQ(tip.geometry().topLeft(), f.Viewport()->mapToGlobal(QPoint(120, 40)));
  EXPECT_GT(tip.width(), 60);
  EXPECT_TRUE(tip.testAttribute(Qt::WA_TransparentForMouseEvents));
  // The tip is a window of its own: drawn where it stands over the grid for the picture.
  QPixmap picture = f.owner.grab();
  QPainter(&picture).drawPixmap(f.owner.mapFromGlobal(tip.pos()), tip.grab());
  QLabel shown;
  shown.setPixmap(picture);
  shown.resize(picture.size());
  EXPECT_FALSE(SaveScreenshot(shown, QStringLiteral("grid_title_tip")).isEmpty());
  // Leaving the cell hides it; a click where it stood reaches the cell below.
  QTest::mouseMove(f.Viewport(), f.Centre(3, 2));
  EXPECT_FALSE(tip.isVisible());
  QTest::mouseMove(f.Viewport(), f.Centre(2, 2));
  ASSERT_TRUE(tip.isVisible());
  f.Click(f.Centre(2, 2) + QPoint(40, 0));
  EXPECT_FALSE(tip.isVisible());
  EXPECT_EQ(f.grid.GetFocusCell(), CCellID(2, 3));
}
