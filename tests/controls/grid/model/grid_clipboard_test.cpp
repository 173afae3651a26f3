// The grid's clipboard text: splitting pasted text, copying a selection, pasting with
// the owner's veto, hidden rows and columns, and text in other scripts.
#include <gtest/gtest.h>

#include <QMimeData>

#include <vector>

#include "controls/grid/model/grid_clipboard.h"
#include "controls/grid/model/grid_model.h"

namespace {

// A grid whose owner answers -176 with `endReply` and counts the notifications.
class OwnedGrid : public GridModel {
 public:
  OwnedGrid(int rows, int cols) {
    EXPECT_TRUE(SetRowCount(rows));
    EXPECT_TRUE(SetColumnCount(cols));
  }
  LRESULT NotifyOwner(NMHDR* header) override {
    if (header->code == GVN_ENDLABELEDIT) ++ends;
    return header->code == GVN_ENDLABELEDIT ? endReply : 0;
  }
  void Fill() {
    for (int row = 0; row < GetRowCount(); ++row) {
      for (int col = 0; col < GetColumnCount(); ++col) {
        SetCellText(row, col, QString(QChar(u'A' + row * GetColumnCount() + col)));
      }
    }
  }
  QString Copied() {
    const std::unique_ptr<QMimeData> data = CopySelectionText();
    return data != nullptr ? data->text() : QStringLiteral("<none>");
  }
  bool Paste(int row, int col, const QString& text, std::set<CCellID>* written = nullptr) {
    QMimeData data;
    data.setText(text);
    return PasteSelectionText(row, col, &data, true, written);
  }
  LRESULT endReply = 0;
  int ends = 0;
};

}  // namespace

TEST(GridClipboardText, SplitsAtTabsOrElseCommasAndTrims) {
  using Lines = std::vector<QStringList>;
  EXPECT_EQ(SplitClipboardText(QStringLiteral("a,b\tc")), (Lines{{"a,b", "c"}}));
  EXPECT_EQ(SplitClipboardText(QStringLiteral("a, b ,c")), (Lines{{"a", "b", "c"}}));
  // A trailing empty field is dropped, an empty line kept with no fields, "\r" trimmed.
  EXPECT_EQ(SplitClipboardText(QStringLiteral("a\t\r\n\nb\t\tc")),
            (Lines{{"a"}, {}, {"b", "", "c"}}));
}

TEST(GridClipboardText, CopiesSelectedCellsWithEmptyFieldsAndSkipsHiddenOnes) {
  OwnedGrid grid(3, 4);
  grid.Fill();
  EXPECT_EQ(grid.Copied(), QStringLiteral("<none>"));
  // A 2 x 3 block of which only the corners are selected.
  for (const CCellID cell : {CCellID(0, 0), CCellID(0, 2), CCellID(1, 0), CCellID(1, 2)}) {
    ASSERT_TRUE(grid.SetCellState(cell.row, cell.col, GVIS_SELECTED));
  }
  EXPECT_EQ(grid.Copied(), QStringLiteral("A\t\tC\nE\t\tG"));
  // A hidden column and a hidden row give nothing at all.
  grid.SelectAllCells();
  ASSERT_TRUE(grid.SetColumnWidth(1, 0));
  ASSERT_TRUE(grid.SetRowHeight(1, 0));
  EXPECT_EQ(grid.Copied(), QStringLiteral("A\tC\tD\nI\tK\tL"));
}

TEST(GridClipboardText, PastesPastHiddenCellsUpToTheEdgesAndSelectsWhatItWrote) {
  OwnedGrid grid(4, 4);
  ASSERT_TRUE(grid.SetColumnWidth(1, 0));
  ASSERT_TRUE(grid.SetRowHeight(1, 0));
  std::set<CCellID> written;
  // "1,5" in a tab-separated text stays one cell; the third line runs off the grid.
  ASSERT_TRUE(grid.Paste(0, 0, QStringLiteral("1,5\tb\tc\td\n\nx\ty"), &written));
  EXPECT_EQ(grid.GetCellText(0, 0), QStringLiteral("1,5"));
  EXPECT_EQ(grid.GetCellText(0, 1), QString());  // hidden: skipped
  EXPECT_EQ(grid.GetCellText(0, 2), QStringLiteral("b"));
  EXPECT_EQ(grid.GetCellText(0, 3), QStringLiteral("c"));
  EXPECT_EQ(grid.GetCellText(1, 0), QString());  // hidden row skipped, then an empty line
  EXPECT_EQ(grid.GetCellText(3, 0), QStringLiteral("x"));
  EXPECT_EQ(grid.GetCellText(3, 2), QStringLiteral("y"));
  EXPECT_EQ(written, (std::set<CCellID>{{0, 0}, {0, 2}, {0, 3}, {3, 0}, {3, 2}}));
  EXPECT_EQ(grid.GetSelectionBounds(), CCellBlock(0, 0, 3, 3));
  EXPECT_TRUE(grid.GetCell(0, 2)->IsModified());

  // Without tabs commas separate.
  ASSERT_TRUE(grid.Paste(2, 0, QStringLiteral("p,q,r")));
  EXPECT_EQ(grid.GetCellText(2, 0) + grid.GetCellText(2, 2) + grid.GetCellText(2, 3),
            QStringLiteral("pqr"));
}

TEST(GridClipboardText, RefusalsVetoesAndOtherScripts) {
  OwnedGrid grid(2, 3);
  grid.Fill();
  // A read-only start cell refuses the whole paste; a read-only cell further on keeps its
  // text while the others take theirs.
  ASSERT_TRUE(grid.SetCellState(0, 0, GVIS_READONLY));
  EXPECT_FALSE(grid.Paste(0, 0, QStringLiteral("x")));
  EXPECT_EQ(grid.GetCellText(0, 0), QStringLiteral("A"));
  ASSERT_TRUE(grid.Paste(0, 1, QStringLiteral("Привет\t你好\nx\t")));
  EXPECT_EQ(grid.GetCellText(0, 1), QStringLiteral("Привет"));
  EXPECT_EQ(grid.GetCellText(0, 2), QStringLiteral("你好"));
  grid.SelectAllCells();
  EXPECT_EQ(grid.Copied(), QStringLiteral("A\tПривет\t你好\nD\tx\tF"));

  // The owner's veto of -176 puts the old text back; an unchanged text asks nothing.
  grid.endReply = -1;
  const int ends = grid.ends;
  grid.SetCellTextChecked(1, 0, QStringLiteral("new"));
  EXPECT_EQ(grid.GetCellText(1, 0), QStringLiteral("D"));
  grid.SetCellTextChecked(1, 0, QStringLiteral("D"));
  EXPECT_EQ(grid.ends, ends + 1);
  grid.endReply = 0;
  grid.SetEditable(false);
  EXPECT_FALSE(grid.Paste(1, 0, QStringLiteral("x")));
  grid.OnEditClearSelection();
  EXPECT_EQ(grid.GetCellText(1, 2), QStringLiteral("F"));
  grid.SetEditable(true);
  grid.OnEditClearSelection();
  EXPECT_EQ(grid.GetCellText(1, 2), QString());
  EXPECT_EQ(grid.GetCellText(0, 0), QStringLiteral("A"));  // read-only
}
