// The grid window: what it paints (sampled fills and lines, never glyphs), where its
// notifications go, and how it follows a palette change.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QWidget>

#include <memory>
#include <utility>
#include <vector>

#include "controls/grid/widget/grid_ctrl.h"
#include "tests/controls/grid/fixed_palette.h"
#include "tests/support/screenshot.h"

using namespace grid_test;

namespace {

constexpr ColorRef kRed = MakeColorRef(230, 0, 0);

// A dialog-like parent that records the notifications it receives.
class OwnerWindow : public QWidget, public MessageWindow {
 public:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg != WM_NOTIFY) return 0;
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    codes.push_back(header->code);
    ids.push_back(wParam);
    if (header->code == GVN_ODCACHEHINT) {
      hints.push_back(reinterpret_cast<const GridCacheHint*>(lParam)->range);
    } else {
      const auto* notify = reinterpret_cast<const GridNotify*>(lParam);
      cells.emplace_back(notify->row, notify->col);
    }
    return reply;
  }

  std::vector<int> codes;
  std::vector<WPARAM> ids;
  std::vector<CCellBlock> hints;
  std::vector<CCellID> cells;
  LRESULT reply = 0;
};

// A 3 x 3 grid of 20 x 10 cells in a 120 x 60 client area.
struct Fixture {
  Fixture() {
    EXPECT_TRUE(grid.Create(QRect(0, 0, 122, 62), &owner));
    EXPECT_TRUE(grid.SetRowCount(3));
    EXPECT_TRUE(grid.SetColumnCount(3));
    for (int i = 0; i < 3; ++i) {
      EXPECT_TRUE(grid.SetRowHeight(i, 10));
      EXPECT_TRUE(grid.SetColumnWidth(i, 20));
    }
  }

  QImage Paint() { return grid.viewport()->grab().toImage(); }

  FixedPalette palette;
  OwnerWindow owner;
  CGridCtrl grid;
};

ColorRef At(const QImage& image, int x, int y) { return QRgbToColorRef(image.pixel(x, y)); }

}  // namespace

TEST(GridCtrlPaint, EmptyGridPaintsOnlyTheGridBackground) {
  Fixture f;
  EXPECT_TRUE(f.grid.SetRowCount(0));
  EXPECT_TRUE(f.grid.SetColumnCount(0));
  const QImage image = f.Paint();
  ASSERT_EQ(image.size(), QSize(120, 60));
  EXPECT_EQ(f.grid.GetGridBkColor(), kShadow);
  for (int y = 0; y < image.height(); y += 7) {
    for (int x = 0; x < image.width(); x += 7) ASSERT_EQ(At(image, x, y), kShadow) << x << "," << y;
  }
}

TEST(GridCtrlPaint, GridLinesByModeAndHiddenColumns) {
  Fixture f;
  const struct {
    int mode;
    bool vertical;
    bool horizontal;
  } cases[] = {{GVL_NONE, false, false},
               {GVL_HORZ, false, true},
               {GVL_VERT, true, false},
               {GVL_BOTH, true, true}};
  for (const auto& c : cases) {
    f.grid.SetGridLines(c.mode);
    const QImage image = f.Paint();
    const ColorRef line = f.grid.GetGridLineColor();
    EXPECT_EQ(At(image, 19, 5) == line, c.vertical) << c.mode;   // x - 1 of column 0
    EXPECT_EQ(At(image, 5, 9) == line, c.horizontal) << c.mode;  // y - 1 of row 0
    EXPECT_EQ(At(image, 5, 5), kWindow);
    EXPECT_EQ(At(image, 70, 5), kShadow);  // right of the cells
    EXPECT_EQ(At(image, 5, 40), kShadow);  // below them
  }

  // A column of width 0 gets neither a cell nor a line: the next starts at x 20.
  EXPECT_TRUE(f.grid.SetColumnWidth(1, 0));
  const QImage image = f.Paint();
  EXPECT_EQ(At(image, 19, 5), f.grid.GetGridLineColor());
  for (int x = 20; x < 39; ++x) ASSERT_EQ(At(image, x, 5), kWindow) << x;
  EXPECT_EQ(At(image, 39, 5), f.grid.GetGridLineColor());
  EXPECT_EQ(At(image, 40, 5), kShadow);
}

TEST(GridCtrlPaint, OwnColoursSelectionFocusAndMergedBlocks) {
  Fixture f;
  f.grid.GetCell(0, 0)->SetBackColor(kRed);
  EXPECT_TRUE(f.grid.SetCellState(1, 1, GVIS_SELECTED));
  f.grid.SetFocusCell(2, 2);
  QImage image = f.Paint();
  EXPECT_EQ(At(image, 5, 5), kRed);
  EXPECT_EQ(At(image, 19, 5), f.grid.GetGridLineColor());  // the own fill stops short
  EXPECT_EQ(At(image, 25, 15), kHighlight);
  EXPECT_EQ(At(image, 39, 15), kHighlight);   // selection covers its grid lines
  EXPECT_EQ(At(image, 40, 20), kWindowText);  // the focus frame, in the text colour
  EXPECT_EQ(At(image, 45, 25), kWindow);

  // Focused and selected: highlight fill and a frame in the highlight text colour.
  EXPECT_TRUE(f.grid.SetCellState(2, 2, GVIS_FOCUSED | GVIS_SELECTED));
  image = f.Paint();
  EXPECT_EQ(At(image, 45, 25), kHighlight);
  EXPECT_EQ(At(image, 40, 20), kHighlightText);

  // A block merged from (0, 1) over (0, 2) draws from its origin, over the inner line.
  f.grid.GetCell(0, 1)->SetBackColor(kRed);
  f.grid.GetCell(0, 1)->SetMergeRange(CCellBlock(0, 1, 0, 2));
  f.grid.GetCell(0, 1)->SetInMergedBlock(true);
  f.grid.GetCell(0, 2)->SetInMergedBlock(true);
  f.grid.GetCell(0, 2)->SetMergeOrigin(0, 1);
  image = f.Paint();
  EXPECT_EQ(At(image, 39, 5), kRed);
  EXPECT_EQ(At(image, 50, 5), kRed);
  EXPECT_FALSE(SaveScreenshot(f.grid, QStringLiteral("grid_cells")).isEmpty());
}

TEST(GridCtrlPaint, FixedCellsRaisedAndSunkenWhenTheyTrackTheFocus) {
  Fixture f;
  EXPECT_TRUE(f.grid.SetFixedRowCount(1));
  EXPECT_TRUE(f.grid.SetFixedColumnCount(1));
  f.grid.GetCell(1, 1)->SetText(QStringLiteral("text"));
  f.grid.GetCell(0, 2)->SetText(QStringLiteral("A"));
  QImage image = f.Paint();
  // Cell (0, 1) spans x 20..39, y 0..9: highlight along the top and left, dark shadow
  // down the right and along the bottom (on the grid-line pixels).
  EXPECT_EQ(At(image, 25, 0), kHilight);
  EXPECT_EQ(At(image, 20, 5), kHilight);
  EXPECT_EQ(At(image, 39, 5), kDarkShadow);
  EXPECT_EQ(At(image, 25, 9), kDarkShadow);
  EXPECT_EQ(At(image, 22, 2), kFace);

  // The focus in column 1 sinks the header of that column, not of column 2.
  f.grid.SetFocusCell(1, 1);
  image = f.Paint();
  EXPECT_EQ(At(image, 25, 0), kDarkShadow);
  EXPECT_EQ(At(image, 20, 5), kDarkShadow);
  EXPECT_EQ(At(image, 39, 5), kLight);
  EXPECT_EQ(At(image, 25, 9), kLight);
  EXPECT_EQ(At(image, 45, 0), kHilight);
  EXPECT_FALSE(SaveScreenshot(f.grid, QStringLiteral("grid_fixed_cells")).isEmpty());
}

TEST(GridCtrlNotify, ToTheOwnerElseTheParentWithTheReply) {
  Fixture f;
  f.owner.reply = -1;
  EXPECT_EQ(f.grid.SendMessageToParent(1, 2, NM_CLICK), -1);
  ASSERT_EQ(f.owner.codes.size(), 1u);
  EXPECT_EQ(f.owner.codes[0], NM_CLICK);
  EXPECT_EQ(f.owner.ids[0], WPARAM{100});
  EXPECT_EQ(f.owner.cells[0], CCellID(1, 2));

  OwnerWindow other;
  other.reply = 7;
  f.grid.SetOwner(other.Handle());
  EXPECT_EQ(f.grid.SendMessageToParent(0, 0, GVN_SELCHANGED), 7);
  EXPECT_EQ(other.codes, std::vector<int>{GVN_SELCHANGED});
  EXPECT_EQ(f.owner.codes.size(), 1u);

  CGridCtrl orphan;
  EXPECT_EQ(orphan.SendMessageToParent(0, 0, NM_CLICK), 0);
}

TEST(GridCtrlNotify, VirtualModeSendsTwoCacheHintsPerPaint) {
  FixedPalette palette;
  OwnerWindow owner;
  CGridCtrl grid;
  grid.SetVirtualMode(true);
  EXPECT_TRUE(grid.Create(QRect(0, 0, 122, 62), &owner));
  EXPECT_TRUE(grid.SetRowCount(100));
  EXPECT_TRUE(grid.SetColumnCount(50));
  EXPECT_TRUE(grid.SetFixedRowCount(1));
  EXPECT_FALSE(grid.SetCellText(1, 1, QStringLiteral("x")));  // no cells are stored
  owner.hints.clear();
  grid.viewport()->grab();
  ASSERT_EQ(owner.hints.size(), 2u);
  EXPECT_EQ(owner.hints[0].minRow, 1);
  EXPECT_EQ(owner.hints[0].minCol, 0);
  EXPECT_GT(owner.hints[0].maxRow, 1);
  EXPECT_EQ(owner.hints[1], CCellBlock());
}

TEST(GridCtrlPalette, NormalBackColourFollowsTheFixedOnesStay) {
  Fixture f;
  QGuiApplication::setPalette(MakePalette(MakeColorRef(240, 250, 200), MakeColorRef(90, 90, 90)));
  // A running application tells its widgets itself; this one never entered its loop.
  QEvent change(QEvent::ApplicationPaletteChange);
  QCoreApplication::sendEvent(&f.grid, &change);
  EXPECT_EQ(f.grid.GetDefaultCell(false, false)->GetBackColor(), MakeColorRef(240, 250, 200));
  EXPECT_EQ(f.grid.GetDefaultCell(true, false)->GetBackColor(), kFace);
  EXPECT_EQ(f.grid.GetDefaultCell(true, true)->GetBackColor(), kFace);
  EXPECT_EQ(f.grid.GetDefaultCell(false, false)->GetTextColor(), kWindowText);
  EXPECT_EQ(At(f.Paint(), 5, 5), MakeColorRef(240, 250, 200));
}

TEST(GridCtrlPaint, TableWithHeadersAndScrollBars) {
  FixedPalette palette;
  OwnerWindow owner;
  owner.resize(320, 200);
  CGridCtrl grid;
  ASSERT_TRUE(grid.Create(QRect(0, 0, 320, 200), &owner));
  ASSERT_TRUE(grid.SetRowCount(40));
  ASSERT_TRUE(grid.SetColumnCount(4));
  ASSERT_TRUE(grid.SetFixedRowCount(1));
  ASSERT_TRUE(grid.SetFixedColumnCount(1));
  for (int i = 1; i < 40; ++i) grid.GetCell(i, 0)->SetText(QString::number(i));
  for (int i = 1; i < 4; ++i) grid.GetCell(0, i)->SetText(QString(QChar(u'A' + i - 1)));
  for (int i = 0; i < 4; ++i) ASSERT_TRUE(grid.SetColumnWidth(i, i == 0 ? 30 : 80));
  grid.GetCell(1, 1)->SetText(QStringLiteral("LED"));
  grid.GetCell(2, 2)->SetText(QStringLiteral("right"));
  grid.GetCell(2, 2)->SetFormat(0x8826);
  grid.GetCell(3, 1)->SetText(QStringLiteral("centred"));
  grid.GetCell(3, 1)->SetFormat(0x8825);
  EXPECT_TRUE(grid.SetCellState(2, 1, GVIS_SELECTED));
  grid.SetFocusCell(3, 3);
  owner.show();
  // Forty rows of the default height do not fit: a vertical bar, no horizontal one.
  EXPECT_EQ(grid.GetScrollBarState(), CGridCtrl::kVertBarShown);
  EXPECT_GT(grid.GetVertScrollRange(), 0);
  EXPECT_FALSE(SaveScreenshot(owner, QStringLiteral("grid_table")).isEmpty());
}

TEST(GridCtrlPaint, MergedBlockDrawnOnceFromItsOriginAlsoScrolledAway) {
  // A cell that counts how often it draws.
  struct CountingCell : CGridCell {
    bool Draw(QPainter* painter, int row, int col, PixelRect rect, bool erase) override {
      ++draws;
      return CGridCell::Draw(painter, row, col, rect, erase);
    }
    int draws = 0;
  };
  Fixture f;
  EXPECT_TRUE(f.grid.SetRowCount(0));
  f.grid.SetCellFactory([] { return std::make_unique<CountingCell>(); });
  EXPECT_TRUE(f.grid.SetRowCount(12));
  for (int row = 0; row < 12; ++row) EXPECT_TRUE(f.grid.SetRowHeight(row, 10));
  f.grid.GetCell(1, 1)->SetBackColor(kRed);
  ASSERT_TRUE(f.grid.MergeCells(1, 1, 4, 2));
  auto draws = [&](int row, int col) {
    auto* cell = static_cast<CountingCell*>(f.grid.GetCell(row, col));
    return std::exchange(cell->draws, 0);
  };
  for (const int scroll : {0, 20}) {
    f.grid.SetScrollPosition(Qt::Vertical, scroll);
    for (int row = 0; row < 12; ++row) {
      for (int col = 0; col < 3; ++col) draws(row, col);
    }
    const QImage image = f.Paint();
    const int perPaint = draws(5, 0);
    ASSERT_GE(perPaint, 1) << scroll;
    EXPECT_EQ(draws(1, 1), perPaint) << scroll;  // once, not once per member
    EXPECT_EQ(draws(3, 2), 0) << scroll;
    // Row 4 ends the block: y 40..49 unscrolled, 20..29 scrolled by two rows.
    const int blockBottom = 49 - scroll;
    EXPECT_EQ(At(image, 25, blockBottom - 5), kRed) << scroll;
    EXPECT_EQ(At(image, 39, blockBottom - 5), kRed) << scroll;  // over the inner line
    EXPECT_EQ(At(image, 50, blockBottom - 5), kRed) << scroll;
    EXPECT_EQ(At(image, 25, blockBottom + 5), kWindow) << scroll;
    EXPECT_EQ(At(image, 65, blockBottom - 5), kShadow) << scroll;
  }
  EXPECT_FALSE(SaveScreenshot(f.grid, QStringLiteral("grid_merged_scrolled")).isEmpty());
}

TEST(GridCtrlCells, AutosizingInVirtualModeHintsTheCellsItMeasures) {
  Fixture f;
  EXPECT_TRUE(f.grid.SetRowCount(0));
  EXPECT_TRUE(f.grid.SetColumnCount(0));
  f.grid.SetVirtualMode(true);
  EXPECT_TRUE(f.grid.SetRowCount(4));
  EXPECT_TRUE(f.grid.SetColumnCount(3));
  EXPECT_TRUE(f.grid.SetFixedRowCount(1));
  f.owner.hints.clear();
  ASSERT_TRUE(f.grid.AutoSizeColumn(1, 2));
  EXPECT_EQ(f.owner.hints, (std::vector<CCellBlock>{{1, 1, 3, 1}, {}}));
  f.owner.hints.clear();
  ASSERT_TRUE(f.grid.AutoSizeRow(2));
  EXPECT_EQ(f.owner.hints, (std::vector<CCellBlock>{{2, 0, 2, 2}, {}}));
  // Virtual cells hold no blocks and do not move.
  EXPECT_FALSE(f.grid.MergeCells(1, 1, 2, 2));
  EXPECT_FALSE(f.grid.SortColumn(1, true));
}
