// The grid's shape and state without a window: fixed rows and columns, refusals,
// running out of memory while growing, sizes, and the selected-cell set.
#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <new>

#include "controls/grid/model/grid_model.h"

namespace {

constexpr ColorRef kRed = MakeColorRef(255, 0, 0);

// A factory that numbers its cells (user value) and throws at the given cell.
GridCellFactory CountingFactory(int* made, int failAt) {
  return [made, failAt]() -> std::unique_ptr<CGridCellBase> {
    if (++*made == failAt) throw std::bad_alloc();
    auto cell = std::make_unique<CGridCell>();
    cell->SetData(*made);
    return cell;
  };
}

}  // namespace

TEST(GridModelShape, FixedCountsSetAndClearTheFixedBits) {
  GridModel grid;
  ASSERT_TRUE(grid.SetRowCount(3));
  ASSERT_TRUE(grid.SetColumnCount(3));
  grid.GetCell(0, 2)->SetBackColor(kRed);
  ASSERT_TRUE(grid.SetFixedRowCount(1));
  ASSERT_TRUE(grid.SetFixedColumnCount(1));
  EXPECT_EQ(grid.GetCellState(0, 2), GVIS_FIXED | GVIS_FIXEDROW);
  EXPECT_EQ(grid.GetCellState(2, 0), GVIS_FIXED | GVIS_FIXEDCOL);
  EXPECT_EQ(grid.GetCellState(0, 0), GVIS_FIXED | GVIS_FIXEDROW | GVIS_FIXEDCOL);
  EXPECT_EQ(grid.GetCellState(1, 1), 0u);
  EXPECT_EQ(grid.GetCell(0, 2)->GetBackColor(), kDefaultColor);  // reset on fixing
  EXPECT_EQ(grid.GetCell(0, 0)->GetDefaultCell(), grid.GetDefaultCell(true, true));

  grid.GetCell(0, 0)->SetBackColor(kRed);
  grid.GetCell(0, 2)->SetBackColor(kRed);
  ASSERT_TRUE(grid.SetFixedRowCount(0));
  // In the fixed column the cell keeps its fixed bit and colours; the others lose both.
  EXPECT_EQ(grid.GetCellState(0, 0), GVIS_FIXED | GVIS_FIXEDCOL);
  EXPECT_EQ(grid.GetCell(0, 0)->GetBackColor(), kRed);
  EXPECT_EQ(grid.GetCellState(0, 2), 0u);
  EXPECT_EQ(grid.GetCell(0, 2)->GetBackColor(), kDefaultColor);

  // A fixed count above the total grows the total first; a smaller total shrinks it.
  ASSERT_TRUE(grid.SetFixedColumnCount(5));
  EXPECT_EQ(grid.GetColumnCount(), 5);
  EXPECT_EQ(grid.GetCellState(1, 4), GVIS_FIXED | GVIS_FIXEDCOL);
  ASSERT_TRUE(grid.SetColumnCount(2));
  EXPECT_EQ(grid.GetFixedColumnCount(), 2);
  EXPECT_TRUE(grid.GetModified());
}

TEST(GridModelShape, NegativeCountsAndSizesAreRefused) {
  GridModel grid;
  ASSERT_TRUE(grid.SetRowCount(3));
  ASSERT_TRUE(grid.SetColumnCount(2));
  EXPECT_FALSE(grid.SetRowCount(-1));
  EXPECT_FALSE(grid.SetColumnCount(-5));
  EXPECT_FALSE(grid.SetFixedRowCount(-1));
  EXPECT_FALSE(grid.SetFixedColumnCount(-1));
  EXPECT_EQ(grid.GetRowCount(), 3);
  EXPECT_EQ(grid.GetColumnCount(), 2);

  EXPECT_FALSE(grid.SetRowHeight(-1, 10));
  EXPECT_FALSE(grid.SetRowHeight(3, 10));
  EXPECT_FALSE(grid.SetRowHeight(0, -1));
  EXPECT_FALSE(grid.SetColumnWidth(-1, 10));
  EXPECT_FALSE(grid.SetColumnWidth(0, -1));
  EXPECT_EQ(grid.GetRowHeight(3), -1);
  EXPECT_EQ(grid.GetColumnWidth(-1), -1);

  // Sums are taken in 64 bits and clamped.
  for (int row = 0; row < 3; ++row) {
    ASSERT_TRUE(grid.SetRowHeight(row, std::numeric_limits<int>::max()));
  }
  EXPECT_EQ(grid.GetGridHeight(), std::numeric_limits<int>::max());
  ASSERT_TRUE(grid.SetColumnWidth(0, 7));
  ASSERT_TRUE(grid.SetColumnWidth(1, 0));
  ASSERT_TRUE(grid.SetFixedColumnCount(1));
  EXPECT_EQ(grid.GetFixedColumnWidth(), 7);
  EXPECT_EQ(grid.GetGridWidth(), 7);
}

TEST(GridModelShape, RunningOutOfMemoryKeepsTheCellsMade) {
  int made = 0;
  GridModel rows;
  ASSERT_TRUE(rows.SetColumnCount(1));
  rows.SetCellFactory(CountingFactory(&made, 5));
  EXPECT_FALSE(rows.SetRowCount(10));
  EXPECT_EQ(rows.GetRowCount(), 4);
  for (int row = 0; row < 4; ++row) EXPECT_NE(rows.GetCell(row, 0), nullptr);
  EXPECT_EQ(rows.GetRowHeight(3), rows.GetDefaultCell(false, false)->GetHeight());
  EXPECT_EQ(rows.GetRowHeight(4), -1);

  // Columns grow row by row: row 0 gets all five, the 8th cell fails in row 1 of
  // column 3, and row 0 must not keep the cells it got beyond the two row 1 has.
  made = 0;
  GridModel cols;
  ASSERT_TRUE(cols.SetRowCount(2));
  cols.SetCellFactory(CountingFactory(&made, 8));
  EXPECT_FALSE(cols.SetColumnCount(5));
  EXPECT_EQ(cols.GetColumnCount(), 2);
  EXPECT_EQ(cols.GetColumnWidth(2), -1);
  ASSERT_TRUE(cols.SetColumnCount(4));
  EXPECT_EQ(cols.GetCell(0, 2)->GetData(), 9);
  EXPECT_EQ(cols.GetCell(0, 3)->GetData(), 10);
  EXPECT_EQ(cols.GetCell(1, 3)->GetData(), 12);
  EXPECT_EQ(cols.GetCell(1, 1)->GetData(), 7);
}

TEST(GridModelState, SelectedCellsAreKeyedByTheWholePlace) {
  GridModel grid;
  ASSERT_TRUE(grid.SetColumnCount(2));
  ASSERT_TRUE(grid.SetRowCount(70001));
  // 70000 and 4464 share their low 16 bits.
  ASSERT_TRUE(grid.SetCellState(70000, 1, GVIS_SELECTED));
  ASSERT_TRUE(grid.SetCellState(4464, 1, GVIS_SELECTED));
  EXPECT_EQ(grid.GetSelectedCells().size(), 2u);
  ASSERT_TRUE(grid.SetCellState(4464, 1, 0));
  EXPECT_EQ(grid.GetSelectedCells().count(CCellID(70000, 1)), 1u);
  EXPECT_EQ(grid.GetSelectedCells().size(), 1u);
  EXPECT_EQ(grid.GetCellState(70000, 1), GVIS_SELECTED);

  // Destroying a cell takes it out of the selection; a modified mark keeps the rest.
  grid.SetCellModified(70000, 1);
  EXPECT_EQ(grid.GetCellState(70000, 1), GVIS_SELECTED | GVIS_MODIFIED);
  ASSERT_TRUE(grid.SetRowCount(100));
  EXPECT_TRUE(grid.GetSelectedCells().empty());
  EXPECT_FALSE(grid.SetCellState(100, 0, GVIS_SELECTED));
  EXPECT_TRUE(grid.GetSelectedCells().empty());
}

TEST(GridModelPlaces, OriginsAndRectanglesFollowTheSizes) {
  GridModel grid;
  ASSERT_TRUE(grid.SetRowCount(4));
  ASSERT_TRUE(grid.SetColumnCount(4));
  ASSERT_TRUE(grid.SetFixedRowCount(1));
  ASSERT_TRUE(grid.SetFixedColumnCount(1));
  for (int i = 0; i < 4; ++i) {
    ASSERT_TRUE(grid.SetRowHeight(i, 10 + i));
    ASSERT_TRUE(grid.SetColumnWidth(i, 20 + i));
  }
  EXPECT_EQ(grid.GetFirstVisibleCell(), CCellID(1, 1));
  QPoint origin;
  ASSERT_TRUE(grid.GetCellOrigin(2, 3, &origin));
  EXPECT_EQ(origin, QPoint(20 + 21 + 22, 10 + 11));
  PixelRect rect;
  ASSERT_TRUE(grid.GetCellRect(2, 3, &rect));
  EXPECT_EQ(rect, (PixelRect{63, 21, 63 + 23 - 1, 21 + 12 - 1}));
  EXPECT_FALSE(grid.GetCellRect(4, 0, &rect));

  // A merge origin's rectangle is its whole block.
  grid.GetCell(1, 1)->SetMergeRange(CCellBlock(1, 1, 2, 2));
  ASSERT_TRUE(grid.GetCellRect(1, 1, &rect));
  EXPECT_EQ(rect, (PixelRect{20, 10, 20 + 21 + 22 - 1, 10 + 11 + 12 - 1}));

  // Without a window no cell is visible and nothing is redrawn.
  EXPECT_FALSE(grid.IsCellVisible(1, 1));
  EXPECT_FALSE(grid.RedrawCell(1, 1));
}
