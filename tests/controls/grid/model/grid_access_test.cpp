// The grid without a window: selecting ranges, rows and columns; inserting and deleting
// rows and columns; and reading and setting cells.
#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "controls/grid/model/grid_model.h"

namespace {

constexpr ColorRef kRed = MakeColorRef(255, 0, 0);

// A grid of rows x cols with one fixed row and column, each cell's text "row,col".
void Shape(GridModel& grid, int rows, int cols) {
  EXPECT_TRUE(grid.SetRowCount(rows));
  EXPECT_TRUE(grid.SetColumnCount(cols));
  EXPECT_TRUE(grid.SetFixedRowCount(1));
  EXPECT_TRUE(grid.SetFixedColumnCount(1));
  for (int row = 0; row < rows; ++row) {
    for (int col = 0; col < cols; ++col) grid.SetCellText(row, col, QStringLiteral("%1,%2").arg(row).arg(col));
  }
}

std::set<CCellID> Selected(const GridModel& grid) { return grid.GetSelectedCells(); }

}  // namespace

TEST(GridModelSelection, RangesAreClampedMergedWithThePreviousAndBounded) {
  GridModel grid;
  Shape(grid, 5, 5);
  EXPECT_EQ(grid.GetSelectionBounds(), CCellBlock(5, 5, -1, -1));
  // Bounds in the fixed cells move to the first non-fixed row and column.
  grid.SetSelectedRange(0, 0, 1, 2);
  EXPECT_EQ(Selected(grid), (std::set<CCellID>{{1, 1}, {1, 2}}));
  EXPECT_TRUE(grid.IsCellSelected(1, 2));
  EXPECT_EQ(grid.GetCellState(1, 2) & GVIS_SELECTED, GVIS_SELECTED);
  // The kept selection is merged into every new range until it is emptied.
  grid.KeepPreviousSelection();
  grid.SetSelectedRange(3, 3, 4, 3);
  EXPECT_EQ(Selected(grid), (std::set<CCellID>{{1, 1}, {1, 2}, {3, 3}, {4, 3}}));
  EXPECT_EQ(grid.GetSelectionBounds(), CCellBlock(1, 1, 4, 3));
  grid.ClearPreviousSelection();
  grid.SetSelectedRange(2, 2, 2, 2);
  EXPECT_EQ(Selected(grid), (std::set<CCellID>{{2, 2}}));
  EXPECT_EQ(grid.GetCellState(1, 1) & GVIS_SELECTED, 0u);
  // Deselecting keeps the rest; a range beyond the grid selects nothing new.
  grid.SetSelectedRange(1, 1, 4, 4, false, false);
  EXPECT_TRUE(Selected(grid).empty());
  grid.SetSelectedRange(1, 1, 9, 9);
  EXPECT_TRUE(Selected(grid).empty());
  grid.SelectAllCells();
  EXPECT_EQ(Selected(grid).size(), 16u);
  grid.SetFocusCell(2, 2);
  grid.ClearSelection();
  EXPECT_TRUE(Selected(grid).empty());
  EXPECT_EQ(grid.GetFocusCell(), CCellID());
  grid.EnableSelection(false);
  grid.SelectAllCells();
  EXPECT_TRUE(Selected(grid).empty());
}

TEST(GridModelSelection, RowsColumnsAndCellsFromTheStartCellByMouseMode) {
  GridModel grid;
  Shape(grid, 6, 4);
  grid.SetSelectionStartCell(CCellID(2, 1));
  grid.SetMouseMode(MOUSE_SELECT_ROW);
  grid.ExtendSelectionTo(CCellID(3, 2));
  EXPECT_EQ(grid.GetSelectionBounds(), CCellBlock(2, 1, 3, 3));
  // List mode with single-row selection selects the cell's row alone.
  grid.SetListMode(true);
  grid.SetSingleRowSelection(true);
  grid.SelectRows(CCellID(4, 2));
  EXPECT_EQ(grid.GetSelectionBounds(), CCellBlock(4, 1, 4, 3));
  EXPECT_EQ(Selected(grid).size(), 3u);
  grid.SelectRows(CCellID(0, 2));  // a fixed row: nothing changes
  EXPECT_EQ(grid.GetSelectionBounds(), CCellBlock(4, 1, 4, 3));

  grid.SetMouseMode(MOUSE_SELECT_COL);
  grid.ExtendSelectionTo(CCellID(5, 3));
  EXPECT_EQ(grid.GetSelectionBounds(), CCellBlock(1, 1, 5, 3));
  grid.SetSingleColSelection(true);
  grid.ExtendSelectionTo(CCellID(5, 3));
  EXPECT_EQ(grid.GetSelectionBounds(), CCellBlock(1, 3, 5, 3));
  grid.SetMouseMode(MOUSE_SELECT_CELLS);
  grid.ExtendSelectionTo(CCellID(4, 2));
  EXPECT_EQ(grid.GetSelectionBounds(), CCellBlock(2, 1, 4, 2));
  grid.SetMouseMode(MOUSE_SELECT_ALL);
  grid.ExtendSelectionTo(CCellID());
  EXPECT_EQ(grid.GetSelectionBounds(), CCellBlock(1, 1, 5, 3));
}

TEST(GridModelSelection, VirtualModeAnswersFromTheSelectedSet) {
  GridModel grid;
  grid.SetVirtualMode(true);
  EXPECT_TRUE(grid.SetRowCount(70000));
  EXPECT_TRUE(grid.SetColumnCount(3));
  EXPECT_FALSE(grid.SetCellState(66000, 2, GVIS_SELECTED));  // no cell holds the state
  EXPECT_TRUE(grid.IsCellSelected(66000, 2));
  EXPECT_FALSE(grid.IsCellSelected(464, 2));  // 66000 & 0xFFFF
  grid.EnableSelection(false);
  EXPECT_FALSE(grid.IsCellSelected(66000, 2));
}

TEST(GridModelShape, InsertRefusalsAppendsAndFirstColumnOrRow) {
  GridModel grid;
  EXPECT_EQ(grid.InsertRow(), 0);  // an empty grid gets a column first
  EXPECT_EQ(grid.GetColumnCount(), 1);
  EXPECT_EQ(grid.GetRowHeight(0), grid.GetDefaultCell(true, false)->GetHeight());
  grid.DeleteAllItems();
  EXPECT_EQ(grid.InsertColumn(), 0);  // and a row
  EXPECT_EQ(grid.GetRowCount(), 1);

  GridModel shaped;
  Shape(shaped, 4, 3);
  EXPECT_EQ(shaped.InsertRow(4), -1);  // the row count is refused
  EXPECT_EQ(shaped.InsertRow(0), -1);  // into the fixed rows
  EXPECT_EQ(shaped.InsertColumn(0), -1);
  EXPECT_EQ(shaped.InsertRow(2), 2);
  EXPECT_EQ(shaped.GetCellText(3, 1), QStringLiteral("2,1"));  // moved down
  EXPECT_TRUE(shaped.GetCellText(2, 1).isEmpty());
  EXPECT_EQ(shaped.GetCellState(2, 0), GVIS_FIXED | GVIS_FIXEDCOL | GVIS_MODIFIED);
  EXPECT_EQ(shaped.GetCellState(2, 1), 0u);
  // The column count appends, with centred cells and the default cell's width.
  EXPECT_EQ(shaped.InsertColumn(3), 3);
  EXPECT_EQ(shaped.GetColumnCount(), 4);
  EXPECT_EQ(shaped.GetColumnWidth(3), shaped.GetDefaultCell(true, false)->GetWidth());
  for (int row = 0; row < shaped.GetRowCount(); ++row) {
    EXPECT_EQ(shaped.GetCell(row, 3)->GetFormat(), 0x05u);
  }
  EXPECT_TRUE(shaped.GetCell(0, 3)->IsModified());
  EXPECT_EQ(shaped.InsertColumn(1), 1);
  EXPECT_EQ(shaped.GetCellText(1, 2), QStringLiteral("1,1"));
}

TEST(GridModelShape, InsertAndDeleteClearSelectionFocusAndSort) {
  GridModel grid;
  Shape(grid, 5, 4);
  auto select = [&] {
    grid.SetSelectedRange(1, 1, 2, 2);
    grid.SetFocusCell(2, 2);
    grid.SetSortColumn(2);
    grid.SetModified(false);
  };
  select();
  grid.InsertRow();
  EXPECT_TRUE(grid.GetSelectedCells().empty());
  EXPECT_EQ(grid.GetFocusCell(), CCellID());
  EXPECT_EQ(grid.GetSortColumn(), -1);
  EXPECT_TRUE(grid.GetModified());
  select();
  ASSERT_TRUE(grid.DeleteColumn(3));
  EXPECT_TRUE(grid.GetSelectedCells().empty());
  EXPECT_EQ(grid.GetFocusCell(), CCellID());
  EXPECT_EQ(grid.GetSortColumn(), -1);
  // A deleted fixed row lowers the fixed count; bad indexes are refused.
  EXPECT_FALSE(grid.DeleteRow(6));
  EXPECT_FALSE(grid.DeleteColumn(-1));
  ASSERT_TRUE(grid.DeleteRow(0));
  EXPECT_EQ(grid.GetFixedRowCount(), 0);
  EXPECT_EQ(grid.GetRowCount(), 5);
  EXPECT_EQ(grid.GetCellText(0, 1), QStringLiteral("1,1"));
  grid.SetSortColumn(1);
  grid.SetCellModified(-1, -1);
  EXPECT_EQ(grid.GetSortColumn(), -1);
  grid.DeleteAllItems();
  EXPECT_EQ(grid.GetRowCount() + grid.GetColumnCount() + grid.GetFixedColumnCount(), 0);
  EXPECT_EQ(grid.GetGridHeight(), 0);
}

TEST(GridModelCells, InfoByMaskSettersAndExchange) {
  GridModel grid;
  Shape(grid, 3, 3);
  grid.GetCell(1, 1)->SetData(77);
  grid.SetModified(false);
  EXPECT_TRUE(grid.SetCellBackColor(1, 1, kRed));
  EXPECT_TRUE(grid.SetCellFormat(1, 1, 0x01));
  EXPECT_FALSE(grid.GetModified());  // no modified mark for attributes
  EXPECT_FALSE(grid.SetCellTextColor(5, 1, kRed));
  GridCellInfo info;
  info.row = 1;
  info.col = 1;
  info.mask = GVIF_TEXT | GVIF_BKCLR;
  info.param = 5;
  info.format = 9;
  ASSERT_TRUE(grid.GetCellInfo(&info));
  EXPECT_EQ(info.text, QStringLiteral("1,1"));
  EXPECT_EQ(info.backColor, kRed);
  EXPECT_EQ(info.param, 5);   // not asked for: left as it was
  EXPECT_EQ(info.format, 9u);
  info.mask = GVIF_PARAM | GVIF_FORMAT;
  ASSERT_TRUE(grid.GetCellInfo(&info));
  EXPECT_EQ(info.param, 77);
  EXPECT_EQ(info.format, 0x01u);
  info.row = 3;
  EXPECT_FALSE(grid.GetCellInfo(&info));
  EXPECT_TRUE(grid.GetCellText(3, 0).isEmpty());

  // The exchange hands back the cell that was there.
  std::unique_ptr<CGridCellBase> cell = std::make_unique<CGridCell>();
  cell->SetText(QStringLiteral("new"));
  CGridCellBase* placed = cell.get();
  ASSERT_TRUE(grid.SetCell(2, 2, cell));
  EXPECT_EQ(grid.GetCell(2, 2), placed);
  ASSERT_NE(cell, nullptr);
  EXPECT_EQ(cell->GetText(), QStringLiteral("2,2"));
  EXPECT_FALSE(grid.SetCell(3, 2, cell));
  EXPECT_NE(cell, nullptr);  // refused: kept by the caller

  EXPECT_TRUE(grid.IsCellEditable(CCellID(1, 1)));
  EXPECT_TRUE(grid.SetCellState(1, 1, GVIS_READONLY));
  EXPECT_FALSE(grid.IsCellEditable(CCellID(1, 1)));
  EXPECT_TRUE(grid.IsCellEditable(CCellID(9, 9)));  // no cell: not read-only
  grid.SetEditable(false);
  EXPECT_FALSE(grid.IsCellEditable(CCellID(2, 1)));
}

TEST(GridModelCells, FontFixedColourAndRangeValidity) {
  GridModel grid;
  LogFontW font;
  font.lfHeight = -21;
  grid.SetGridFont(font);
  for (const bool fixedRow : {false, true}) {
    for (const bool fixedCol : {false, true}) {
      EXPECT_EQ(grid.GetDefaultCell(fixedRow, fixedCol)->GetFont()->lfHeight, -21);
    }
  }
  EXPECT_EQ(grid.GetGridFont()->lfHeight, -21);
  const ColorRef normal = grid.GetDefaultCell(false, false)->GetBackColor();
  SetGridFixedCellColor(grid);
  EXPECT_EQ(grid.GetDefaultCell(true, false)->GetBackColor(), MakeColorRef(180, 220, 244));
  EXPECT_EQ(grid.GetDefaultCell(false, true)->GetBackColor(), MakeColorRef(180, 220, 244));
  EXPECT_EQ(grid.GetDefaultCell(true, true)->GetBackColor(), MakeColorRef(180, 220, 244));
  EXPECT_EQ(grid.GetDefaultCell(false, false)->GetBackColor(), normal);
  EXPECT_TRUE(IsCellRangeValid(CCellBlock(0, 0, 0, 0)));
  EXPECT_FALSE(IsCellRangeValid(CCellBlock(1, 0, 0, 0)));
  EXPECT_FALSE(IsCellRangeValid(CCellBlock(0, 2, 0, 1)));
  EXPECT_FALSE(IsCellRangeValid(CCellBlock(-1, 0, 3, 3)));
}
