// The grid without a window: sizes and autosizing, merged blocks through merges,
// unmerges and every shape change, and sorting rows.
#include <gtest/gtest.h>

#include <QStringList>

#include <functional>
#include <vector>

#include "controls/grid/model/grid_model.h"
#include "tests/support/grid_blocks.h"

using grid_test::BlockFault;
using grid_test::StoredBlock;
using grid_test::StoredBlocks;

namespace {

// A grid of rows x cols with one fixed row and column, each cell's text "row,col",
// column c (c + 1) * 10 pixels wide and row r (r + 1) * 3 pixels high.
void Shape(GridModel& grid, int rows, int cols) {
  EXPECT_TRUE(grid.SetRowCount(rows));
  EXPECT_TRUE(grid.SetColumnCount(cols));
  EXPECT_TRUE(grid.SetFixedRowCount(1));
  EXPECT_TRUE(grid.SetFixedColumnCount(1));
  for (int row = 0; row < rows; ++row) {
    EXPECT_TRUE(grid.SetRowHeight(row, (row + 1) * 3));
    for (int col = 0; col < cols; ++col) {
      EXPECT_TRUE(grid.SetColumnWidth(col, (col + 1) * 10));
      grid.SetCellText(row, col, QStringLiteral("%1,%2").arg(row).arg(col));
    }
  }
}

std::vector<StoredBlock> Blocks(std::initializer_list<StoredBlock> blocks) { return blocks; }

QStringList Column(const GridModel& grid, int col) {
  QStringList texts;
  for (int row = 0; row < grid.GetRowCount(); ++row) texts << grid.GetCellText(row, col);
  return texts;
}

}  // namespace

TEST(GridModelMerge, MergeHoldsTheBlockAtItsOriginAndUnmergeKeepsTextsEmpty) {
  GridModel grid;
  Shape(grid, 5, 5);
  ASSERT_TRUE(grid.MergeCells(1, 1, 2, 3));
  ASSERT_EQ(BlockFault(grid), QString());
  EXPECT_EQ(grid.GetCell(1, 1)->GetMergeRange(), CCellBlock(1, 1, 2, 3));
  EXPECT_EQ(grid.GetCellText(1, 1), QStringLiteral("1,1"));
  EXPECT_EQ(grid.GetMergeOriginOf(2, 3), CCellID(1, 1));
  EXPECT_EQ(grid.GetMergeOriginOf(3, 3), CCellID(3, 3));
  EXPECT_EQ(grid.GetMergedWidth(2, 3), 20 + 30 + 40);
  EXPECT_EQ(grid.GetMergedHeight(2, 3), 6 + 9);
  EXPECT_EQ(grid.GetMergedWidth(3, 3), 40);
  EXPECT_EQ(grid.GetMergedWidth(3, 9), -1);
  const std::vector<CCellID> members{{1, 2}, {1, 3}, {2, 1}, {2, 2}, {2, 3}};
  for (const CCellID& id : members) {
    EXPECT_TRUE(grid.GetCellText(id.row, id.col).isEmpty());
    EXPECT_TRUE(grid.GetCell(id.row, id.col)->IsModified());
  }

  // A range holding only a member splits the whole block; emptied texts stay empty.
  grid.UnmergeRange(2, 3, 2, 3);
  ASSERT_EQ(BlockFault(grid), QString());
  EXPECT_TRUE(StoredBlocks(grid).empty());
  for (const CCellID& id : members) {
    EXPECT_TRUE(grid.GetCell(id.row, id.col)->IsNotMerged());
    EXPECT_TRUE(grid.GetCellText(id.row, id.col).isEmpty());
  }
  EXPECT_EQ(grid.GetMergedWidth(2, 3), 40);
}

TEST(GridModelMerge, OverlappingMergesSelectionsAndBadRectangles) {
  GridModel grid;
  Shape(grid, 6, 6);
  ASSERT_TRUE(grid.MergeCells(1, 1, 2, 2));
  ASSERT_TRUE(grid.MergeCells(4, 4, 5, 5));
  // A merge over part of a block first splits it.
  ASSERT_TRUE(grid.MergeCells(2, 2, 3, 3));
  EXPECT_EQ(BlockFault(grid), QString());
  EXPECT_EQ(StoredBlocks(grid), Blocks({{2, 2, 2, 2}, {4, 4, 2, 2}}));
  EXPECT_TRUE(grid.GetCellText(2, 2).isEmpty());  // emptied by the first merge

  // Refused: inverted, negative, leaving the grid; nothing changes.
  EXPECT_FALSE(grid.MergeCells(3, 3, 2, 2));
  EXPECT_FALSE(grid.MergeCells(-1, 0, 1, 1));
  EXPECT_FALSE(grid.MergeCells(4, 4, 6, 5));
  EXPECT_EQ(StoredBlocks(grid), Blocks({{2, 2, 2, 2}, {4, 4, 2, 2}}));
  EXPECT_EQ(grid.GetCellText(3, 1), QStringLiteral("3,1"));

  // One cell is no block: the block it met is split and it stays unmerged.
  EXPECT_TRUE(grid.MergeCells(5, 5, 5, 5));
  EXPECT_EQ(BlockFault(grid), QString());
  EXPECT_EQ(StoredBlocks(grid), Blocks({{2, 2, 2, 2}}));

  // The selection's bounds hold only members of the block.
  grid.SetSelectedRange(3, 3, 3, 4);
  grid.UnmergeSelection();
  EXPECT_EQ(BlockFault(grid), QString());
  EXPECT_TRUE(StoredBlocks(grid).empty());
}

TEST(GridModelMerge, ShapeChangesMoveWidenShrinkAndClipBlocks) {
  const struct {
    const char* name;
    std::function<void(GridModel&)> change;
    std::vector<StoredBlock> blocks;
  } cases[] = {
      {"row before", [](GridModel& g) { g.InsertRow(1); }, {{3, 2, 2, 2}}},
      {"row at origin", [](GridModel& g) { g.InsertRow(2); }, {{3, 2, 2, 2}}},
      {"row inside", [](GridModel& g) { g.InsertRow(3); }, {{2, 2, 3, 2}}},
      {"row after", [](GridModel& g) { g.InsertRow(4); }, {{2, 2, 2, 2}}},
      {"column before", [](GridModel& g) { g.InsertColumn(1); }, {{2, 3, 2, 2}}},
      {"column inside", [](GridModel& g) { g.InsertColumn(3); }, {{2, 2, 2, 3}}},
      {"column appended", [](GridModel& g) { g.InsertColumn(-1); }, {{2, 2, 2, 2}}},
      {"delete row before", [](GridModel& g) { g.DeleteRow(1); }, {{1, 2, 2, 2}}},
      {"delete origin row", [](GridModel& g) { g.DeleteRow(2); }, {{2, 2, 1, 2}}},
      {"delete last row", [](GridModel& g) { g.DeleteRow(3); }, {{2, 2, 1, 2}}},
      {"delete row after", [](GridModel& g) { g.DeleteRow(5); }, {{2, 2, 2, 2}}},
      {"delete origin column", [](GridModel& g) { g.DeleteColumn(2); }, {{2, 2, 2, 1}}},
      {"delete column before", [](GridModel& g) { g.DeleteColumn(0); }, {{2, 1, 2, 2}}},
      {"delete both rows",
       [](GridModel& g) {
         g.DeleteRow(2);
         g.DeleteRow(2);
       },
       {}},
      {"down to one cell",
       [](GridModel& g) {
         g.DeleteRow(3);
         g.DeleteColumn(3);
       },
       {}},
      {"rows clipped", [](GridModel& g) { EXPECT_TRUE(g.SetRowCount(3)); }, {{2, 2, 1, 2}}},
      {"rows cut away", [](GridModel& g) { EXPECT_TRUE(g.SetRowCount(2)); }, {}},
      {"columns clipped", [](GridModel& g) { EXPECT_TRUE(g.SetColumnCount(3)); }, {{2, 2, 2, 1}}},
      {"rows grown", [](GridModel& g) { EXPECT_TRUE(g.SetRowCount(9)); }, {{2, 2, 2, 2}}},
  };
  for (const auto& c : cases) {
    GridModel grid;
    Shape(grid, 6, 6);
    ASSERT_TRUE(grid.MergeCells(2, 2, 3, 3));
    c.change(grid);
    EXPECT_EQ(BlockFault(grid), QString()) << c.name;
    EXPECT_EQ(StoredBlocks(grid), c.blocks) << c.name;
  }

  // A row inserted inside widens the block with an empty member; texts emptied by the
  // merge stay empty after the block moves and after it is split.
  GridModel grid;
  Shape(grid, 6, 6);
  ASSERT_TRUE(grid.MergeCells(2, 2, 3, 3));
  grid.InsertRow(3);
  EXPECT_EQ(grid.GetMergeOriginOf(3, 3), CCellID(2, 2));
  EXPECT_TRUE(grid.GetCellText(3, 3).isEmpty());
  grid.DeleteRow(2);
  EXPECT_EQ(StoredBlocks(grid), Blocks({{2, 2, 2, 2}}));
  grid.UnmergeRange(0, 0, 5, 5);
  EXPECT_TRUE(grid.GetCellText(3, 3).isEmpty());
  EXPECT_EQ(grid.GetCellText(3, 1), QStringLiteral("3,1"));
}

TEST(GridModelSort, FixedRowsStayHeightsTravelAndEqualRowsStayPut) {
  GridModel grid;
  Shape(grid, 4, 2);
  const QStringList keys{QStringLiteral("key"), QStringLiteral("b"), QStringLiteral("a"),
                         QStringLiteral("a")};
  std::vector<const CGridCellBase*> cells;
  for (int row = 0; row < 4; ++row) {
    grid.SetCellText(row, 1, keys[row]);
    cells.push_back(grid.GetCell(row, 0));
  }
  grid.SetSelectedRange(1, 1, 2, 1);
  ASSERT_TRUE(grid.SortColumn(1, true));
  EXPECT_EQ(grid.GetSortColumn(), 1);
  EXPECT_TRUE(grid.GetSelectedCells().empty());
  EXPECT_EQ(Column(grid, 1), (QStringList{"key", "a", "a", "b"}));
  // The rows' cells and heights moved together; the a of row 2 was never exchanged.
  EXPECT_EQ(grid.GetCell(0, 0), cells[0]);
  EXPECT_EQ(grid.GetCell(1, 0), cells[3]);
  EXPECT_EQ(grid.GetCell(2, 0), cells[2]);
  EXPECT_EQ(grid.GetCell(3, 0), cells[1]);
  EXPECT_EQ(grid.GetRowHeight(0), 3);
  EXPECT_EQ(grid.GetRowHeight(1), 12);
  EXPECT_EQ(grid.GetRowHeight(2), 9);
  EXPECT_EQ(grid.GetRowHeight(3), 6);

  ASSERT_TRUE(grid.SortColumn(1, false));
  EXPECT_EQ(Column(grid, 1), (QStringList{"key", "b", "a", "a"}));
  EXPECT_FALSE(grid.GetSortAscending());

  // A custom order with the caller's value; refusals change nothing.
  grid.SetCompareFunction([](const CGridCellBase* a, const CGridCellBase* b, LPARAM) {
    return CompareCellText(b, a, 0);
  });
  ASSERT_TRUE(grid.SortColumn(1, true));
  EXPECT_EQ(Column(grid, 1), (QStringList{"key", "b", "a", "a"}));
  EXPECT_FALSE(grid.QuickSortRows(CompareCellText, 2, true, 0, 1));
  EXPECT_FALSE(grid.QuickSortRows(CompareCellText, 1, true, 0, 3));
  EXPECT_FALSE(grid.QuickSortRows(CompareCellText, 1, true, 0, 2, 9));
}

TEST(GridModelSort, MergedBlocksInTheRowsStopTheSort) {
  GridModel grid;
  Shape(grid, 5, 3);
  for (int row = 1; row < 5; ++row) grid.SetCellText(row, 1, QString::number(9 - row));
  // A block in the fixed row does not touch the sorted rows.
  ASSERT_TRUE(grid.MergeCells(0, 1, 0, 2));
  ASSERT_TRUE(grid.MergeCells(3, 2, 4, 2));
  const QStringList before = Column(grid, 1);
  EXPECT_FALSE(grid.SortColumn(1, true));
  EXPECT_EQ(grid.GetSortColumn(), -1);
  EXPECT_FALSE(grid.QuickSortRows(CompareCellText, 1, true, 0, 2, 4));
  EXPECT_EQ(Column(grid, 1), before);
  EXPECT_TRUE(grid.QuickSortRows(CompareCellText, 1, true, 0, 1, 2));
  grid.UnmergeRange(3, 2, 3, 2);
  EXPECT_TRUE(grid.SortColumn(1, true));
  EXPECT_EQ(Column(grid, 1), (QStringList{"0,1", "5", "6", "7", "8"}));
  EXPECT_EQ(BlockFault(grid), QString());
}

TEST(GridModelSort, CompareCellTextIsOrdinalByCodeUnit) {
  CGridCell a;
  CGridCell b;
  const auto compare = [&](const QString& x, const QString& y) {
    a.SetText(x);
    b.SetText(y);
    return CompareCellText(&a, &b, 0);
  };
  EXPECT_EQ(compare(QStringLiteral("ab"), QStringLiteral("abc")), -1);
  EXPECT_EQ(compare(QStringLiteral("abc"), QStringLiteral("ab")), 1);
  EXPECT_EQ(compare(QStringLiteral("B"), QStringLiteral("a")), -1);
  EXPECT_EQ(compare(QStringLiteral("same"), QStringLiteral("same")), 0);
  // U+FFFF against U+10000 (D800 DC00): code units, not code points.
  EXPECT_EQ(compare(QString(QChar(0xFFFF)), QString::fromUcs4(U"\U00010000")), 1);
  EXPECT_EQ(CompareCellText(&a, nullptr, 0), 0);
  EXPECT_EQ(CompareCellText(nullptr, &b, 0), 0);
}

TEST(GridModelSort, LongSortedAndReversedTables) {
  constexpr int kRows = 100000;
  GridModel grid;
  EXPECT_TRUE(grid.SetRowCount(kRows + 1));
  EXPECT_TRUE(grid.SetColumnCount(1));
  EXPECT_TRUE(grid.SetFixedRowCount(1));
  const auto key = [](int i) { return QStringLiteral("%1").arg(i, 6, 10, QLatin1Char('0')); };
  for (int row = 1; row <= kRows; ++row) grid.SetCellText(row, 0, key(row));
  ASSERT_TRUE(grid.SortColumn(0, false));
  ASSERT_TRUE(grid.SortColumn(0, true));
  for (int row = 1; row <= kRows; row += 997) ASSERT_EQ(grid.GetCellText(row, 0), key(row));
  ASSERT_TRUE(grid.SortColumn(0, false));
  for (int row = 1; row <= kRows; row += 997) {
    ASSERT_EQ(grid.GetCellText(row, 0), key(kRows + 1 - row));
  }
}

TEST(GridModelSizes, RefusalsAndAutosizing) {
  GridModel grid;
  Shape(grid, 3, 3);
  EXPECT_FALSE(grid.SetRowHeight(-1, 5));
  EXPECT_FALSE(grid.SetRowHeight(3, 5));
  EXPECT_FALSE(grid.SetRowHeight(1, -1));
  EXPECT_FALSE(grid.SetColumnWidth(-1, 5));
  EXPECT_FALSE(grid.SetColumnWidth(3, 5));
  EXPECT_FALSE(grid.SetColumnWidth(1, -1));
  EXPECT_EQ(grid.GetRowHeight(-1), -1);
  EXPECT_EQ(grid.GetColumnWidth(3), -1);
  EXPECT_FALSE(grid.AutoSizeColumn(-1));
  EXPECT_FALSE(grid.AutoSizeColumn(3));
  EXPECT_FALSE(grid.AutoSizeRow(3));

  // The style chooses the fixed row (bit 1), the others (bit 2), or both (0: default 3).
  grid.SetCellText(0, 1, QStringLiteral("a rather long header"));
  grid.SetCellText(2, 1, QStringLiteral("x"));
  const int header = grid.GetCell(0, 1)->GetCellExtent().width();
  const int body = std::max(grid.GetCell(1, 1)->GetCellExtent().width(),
                            grid.GetCell(2, 1)->GetCellExtent().width());
  ASSERT_GT(header, body);
  ASSERT_TRUE(grid.AutoSizeColumn(1, 2));
  EXPECT_EQ(grid.GetColumnWidth(1), body);
  ASSERT_TRUE(grid.AutoSizeColumn(1, 1));
  EXPECT_EQ(grid.GetColumnWidth(1), header);
  ASSERT_TRUE(grid.AutoSizeColumn(1, 2));
  ASSERT_TRUE(grid.AutoSizeColumn(1));
  EXPECT_EQ(grid.GetColumnWidth(1), header);
  ASSERT_TRUE(grid.AutoSizeRow(2));
  EXPECT_EQ(grid.GetRowHeight(2), grid.GetCell(2, 1)->GetCellExtent().height());

  // Hidden stays hidden.
  EXPECT_TRUE(grid.SetColumnWidth(2, 0));
  EXPECT_FALSE(grid.AutoSizeColumn(2));
  EXPECT_EQ(grid.GetColumnWidth(2), 0);
  EXPECT_TRUE(grid.SetRowHeight(1, 0));
  EXPECT_FALSE(grid.AutoSizeRow(1));

  // A column without cells autosizes to 0.
  GridModel empty;
  empty.SetCellFactory([] { return std::unique_ptr<CGridCellBase>(); });
  EXPECT_TRUE(empty.SetRowCount(2));
  EXPECT_TRUE(empty.SetColumnCount(2));
  EXPECT_TRUE(empty.SetColumnWidth(0, 25));
  ASSERT_TRUE(empty.AutoSizeColumn(0));
  EXPECT_EQ(empty.GetColumnWidth(0), 0);
}

TEST(GridModelSizes, VerticalFontSwapsWidthAndHeight) {
  GridModel grid;
  Shape(grid, 2, 2);
  CGridCellBase* cell = grid.GetCell(1, 1);
  cell->SetText(QStringLiteral("Sideways"));
  LogFontW font = *grid.GetGridFont();
  cell->SetFont(&font);
  const QSize flat = cell->GetCellExtent();
  EXPECT_EQ(flat, cell->GetTextExtent(cell->GetText()));  // no image adds nothing
  const int margin = cell->GetMargin();
  for (const int escapement : {900, -900}) {
    font.lfEscapement = escapement;
    cell->SetFont(&font);
    EXPECT_EQ(cell->GetCellExtent(), QSize(flat.height(), flat.width() + 4 * margin)) << escapement;
  }
}
