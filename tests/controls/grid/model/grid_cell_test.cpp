// Grid cells: what a fresh cell resolves from its default cell, the default cells'
// own rules, copying, and what Draw fills.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "controls/grid/model/grid_cell.h"
#include "controls/grid/model/grid_model.h"
#include "tests/controls/grid/fixed_palette.h"

using namespace grid_test;

namespace {

constexpr ColorRef kMagenta = MakeColorRef(255, 0, 255);

QImage Canvas() {
  QImage image(40, 20, QImage::Format_RGB32);
  image.fill(Q(kMagenta));
  return image;
}

ColorRef At(const QImage& image, int x, int y) { return QRgbToColorRef(image.pixel(x, y)); }

}  // namespace

TEST(GridCell, FreshCellResolvesFromItsDefaultCell) {
  FixedPalette palette;
  GridModel grid;
  ASSERT_TRUE(grid.SetRowCount(2));
  ASSERT_TRUE(grid.SetColumnCount(2));
  CGridCellBase* cell = grid.GetCell(1, 1);
  ASSERT_NE(cell, nullptr);
  const CGridDefaultCell* normal = grid.GetDefaultCell(false, false);
  EXPECT_EQ(cell->GetDefaultCell(), normal);
  EXPECT_EQ(cell->GetFormat(), 0x8824u);
  EXPECT_EQ(cell->GetTextColor(), kDefaultColor);  // resolved only when drawn
  EXPECT_EQ(normal->GetTextColor(), kWindowText);
  EXPECT_EQ(normal->GetBackColor(), kWindow);
  EXPECT_EQ(grid.GetDefaultCell(true, false)->GetBackColor(), kFace);
  EXPECT_EQ(cell->GetMargin(), normal->GetMargin());
  EXPECT_EQ(cell->GetFont(), normal->GetFont());
  EXPECT_TRUE(cell->IsDefaultFont());

  // The message font is the application's, measured for the default size.
  const QFontMetrics metrics(normal->GetFontObject());
  EXPECT_EQ(normal->GetMargin(), metrics.horizontalAdvance(u' '));
  EXPECT_EQ(normal->GetWidth(), metrics.horizontalAdvance(QStringLiteral(" XXXXXXXXXXXX ")));
  EXPECT_EQ(normal->GetHeight(), 3 * metrics.height() / 2);

  // Without a grid nothing resolves.
  CGridCell loose;
  EXPECT_EQ(loose.GetFormat(), 0u);
  EXPECT_EQ(loose.GetMargin(), 0);
  EXPECT_EQ(loose.GetFont(), nullptr);
}

TEST(GridCell, DefaultCellReadsReadOnlyAndFallsBackWithoutAScreen) {
  CGridDefaultCell cell;
  cell.SetState(GVIS_SELECTED);
  cell.SetData(42);
  EXPECT_EQ(cell.GetState(), GVIS_READONLY);
  EXPECT_TRUE(cell.IsReadOnly());
  EXPECT_EQ(cell.GetData(), 0);
  cell.SetFont(nullptr);  // ignored
  EXPECT_NE(cell.GetFont(), nullptr);

  CGridDefaultCell::SetScreenContextForTest(false);
  CGridDefaultCell headless;
  CGridDefaultCell::SetScreenContextForTest(true);
  EXPECT_EQ(headless.GetMargin(), 3);
  EXPECT_EQ(headless.GetWidth(), 40);
  EXPECT_EQ(headless.GetHeight(), 16);
}

TEST(GridCell, CopyFromTakesResolvedValuesAndLeavesItselfAlone) {
  GridModel grid;
  CGridCell source;
  source.SetGrid(&grid);
  source.SetText(QStringLiteral("abc"));
  source.SetBackColor(MakeColorRef(1, 2, 3));
  EXPECT_TRUE(source.SetMergeOrigin(4, 5));
  source.CopyFrom(source);
  EXPECT_EQ(source.GetText(), u"abc");
  EXPECT_TRUE(source.IsMergedIntoOther());

  CGridCell copy;
  copy.CopyFrom(source);
  copy.SetGrid(nullptr);  // what it holds now is its own
  EXPECT_EQ(copy.GetFormat(), 0x8824u);
  EXPECT_EQ(copy.GetMargin(), grid.GetDefaultCell(false, false)->GetMargin());
  EXPECT_EQ(copy.GetText(), u"abc");
  EXPECT_EQ(copy.GetBackColor(), MakeColorRef(1, 2, 3));
  EXPECT_EQ(copy.GetMergeOrigin(), CCellID(4, 5));
  EXPECT_TRUE(copy.IsDefaultFont());

  copy.Reset();
  EXPECT_EQ(copy.GetMergeOrigin(), CCellID());
  EXPECT_FALSE(copy.IsMergedIntoOther());
  EXPECT_EQ(copy.GetText(), u"");
}

TEST(GridCell, DrawFillsOwnBackColourAlwaysAndTheDefaultOnlyWhenErasing) {
  FixedPalette palette;
  GridModel grid;
  CGridCell cell;
  cell.SetGrid(&grid);
  const PixelRect rect{0, 0, 20, 10};

  QImage image = Canvas();
  {
    QPainter painter(&image);
    EXPECT_TRUE(cell.Draw(&painter, 1, 1, rect, false));
  }
  EXPECT_EQ(At(image, 2, 2), kMagenta);
  {
    QPainter painter(&image);
    EXPECT_TRUE(cell.Draw(&painter, 1, 1, rect, true));
  }
  EXPECT_EQ(At(image, 2, 2), kWindow);
  EXPECT_EQ(At(image, 20, 2), kMagenta);  // the right edge is not filled

  cell.SetBackColor(MakeColorRef(200, 0, 0));
  {
    QPainter painter(&image);
    EXPECT_TRUE(cell.Draw(&painter, 1, 1, rect, false));
  }
  EXPECT_EQ(At(image, 2, 2), MakeColorRef(200, 0, 0));

  // A member of a merged block draws nothing and reports success; no grid, no drawing.
  CGridCell member;
  member.SetGrid(&grid);
  member.SetBackColor(MakeColorRef(0, 200, 0));
  member.SetInMergedBlock(true);
  EXPECT_TRUE(member.SetMergeOrigin(0, 0));
  image = Canvas();
  {
    QPainter painter(&image);
    EXPECT_TRUE(member.Draw(&painter, 0, 1, rect, true));
    CGridCell loose;
    EXPECT_FALSE(loose.Draw(&painter, 0, 0, rect, true));
    EXPECT_FALSE(cell.Draw(&painter, 0, 0, PixelRect{5, 5, 5, 9}, true));
  }
  EXPECT_EQ(At(image, 2, 2), kMagenta);
}
