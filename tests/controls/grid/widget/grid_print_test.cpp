// Grid printing: the pagination as pure functions, pages drawn into pictures through
// the page painter (fills sampled by colour, never glyph shapes), and a PDF printed by
// the driver, read back with pdftotext.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QWidget>

#include "controls/grid/model/grid_print_layout.h"
#include "controls/grid/widget/grid_printer.h"
#include "tests/controls/grid/fixed_palette.h"
#include "tests/support/screenshot.h"

using namespace grid_test;

namespace {

TEST(GridPagination, BandsBreakBeforeTheRowThatDoesNotFit) {
  const std::vector<int> rows{10, 20, 20, 20, 20, 20};  // one fixed row, then five
  EXPECT_EQ(CountPrintBands(rows, 1, 100), 1);
  EXPECT_EQ(CountPrintBands(rows, 1, 99), 2);
  EXPECT_EQ(PrintBandStart(rows, 1, 99, 1), 5);
  EXPECT_EQ(PrintBandStart(rows, 1, 99, 2), 6);  // none: the end
  // A row taller than the page is a band of its own, and never leaves a band empty.
  EXPECT_EQ(CountPrintBands({10, 20, 500, 20}, 1, 100), 3);
  EXPECT_EQ(PrintBandStart({10, 20, 500, 20}, 1, 100, 2), 3);
  EXPECT_EQ(CountPrintBands({10, 500, 20}, 1, 100), 2);
  EXPECT_EQ(PrintBandStart({10, 500, 20}, 1, 100, 1), 2);
  EXPECT_EQ(CountPrintBands({10}, 1, 100), 1);
}

TEST(GridPagination, PageScaledToTheGridOrAtScreenProportions) {
  GridPageInput input;
  input.gridWidth = 300;
  input.fixedRowHeight = 20;
  input.fixedColumnWidth = 40;
  input.charWidth = 6;
  input.charHeight = 12;
  input.pageWidthPixels = 2480;
  input.pageHeightPixels = 3508;
  input.printerDpiX = input.printerDpiY = 300;
  GridPageLayout page = LayOutGridPage(input);
  EXPECT_EQ(page.logicalWidth, 348);                   // grid + 8 characters of margin
  EXPECT_EQ(page.logicalHeight, 492);                  // 348 x 3508 / 2480, rounded
  EXPECT_EQ(page.availableHeight, 492 - 6 * 12 - 20);  // header, footer, gaps, fixed rows
  EXPECT_EQ(page.availableWidth, 300 - 40);
  input.proportional = true;
  page = LayOutGridPage(input);
  EXPECT_EQ(page.logicalWidth, 2480 * 96 / 300 * 3 / 4);
  EXPECT_EQ(page.logicalHeight, 3508 * 96 / 300 * 3 / 4);
  EXPECT_EQ(page.availableWidth, page.logicalWidth - 40 - 48);
}

constexpr ColorRef kFixedFill = MakeColorRef(0, 200, 200);
constexpr ColorRef kBlockFill = MakeColorRef(230, 0, 0);
constexpr ColorRef kMemberFill = MakeColorRef(0, 0, 230);
constexpr ColorRef kPlainFill = MakeColorRef(240, 200, 0);
constexpr ColorRef kText = MakeColorRef(200, 100, 250);

// A titled window holding a grid of one fixed row and column and 5 x 4 cells of
// 60 x 20, with texts.
struct PrintFixture {
  PrintFixture() {
    window.setWindowTitle(QStringLiteral("Price list"));
    EXPECT_TRUE(grid.Create(QRect(0, 0, 300, 200), &window));
    EXPECT_TRUE(grid.SetRowCount(6) && grid.SetColumnCount(5));
    EXPECT_TRUE(grid.SetFixedRowCount(1) && grid.SetFixedColumnCount(1));
    for (int row = 0; row < 6; ++row) EXPECT_TRUE(grid.SetRowHeight(row, 20));
    for (int col = 0; col < 5; ++col) {
      EXPECT_TRUE(grid.SetColumnWidth(col, 60));
      for (int row = 0; row < 6; ++row) grid.SetCellText(row, col, QStringLiteral("WWW"));
    }
    for (const auto& [fixedRow, fixedCol] : {std::pair(true, false), {false, true}, {true, true}}) {
      grid.GetDefaultCell(fixedRow, fixedCol)->SetBackColor(kFixedFill);
    }
  }

  // Prints a page into a picture of a page at 100 dots per inch (of size when given).
  QImage Page(int page, bool twoColors = false, QSize size = QSize(850, 1100)) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setDotsPerMeterX(3937);
    image.setDotsPerMeterY(3937);
    QPainter painter(&image);
    const GridPrintTarget dc{&painter, twoColors, true};
    PrintInfo info;
    grid.OnBeginPrinting(dc, &info);
    pages = info.maxPage;
    info.currentPage = page;
    grid.OnPrint(dc, &info);
    grid.OnEndPrinting(dc, &info);
    return image;
  }

  FixedPalette palette;
  QWidget window;
  CGridCtrl grid;
  int pages = 0;
};

// The pixels of exactly that colour: their count and bounding box.
QRect Area(const QImage& image, ColorRef color, int* count = nullptr) {
  const QRgb wanted = ColorRefToQRgb(color) | 0xFF000000u;
  QRect box;
  int found = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixel(x, y) != wanted) continue;
      box = box.united(QRect(x, y, 1, 1));
      ++found;
    }
  }
  if (count) *count = found;
  return box;
}

TEST(GridPrintPage, MergedBlockPrintsOnceOverItsWholeRectangle) {
  PrintFixture f;
  ASSERT_TRUE(f.grid.MergeCells(1, 1, 2, 2));
  f.grid.SetCellBackColor(1, 1, kBlockFill);
  f.grid.SetCellBackColor(2, 2, kMemberFill);
  f.grid.SetCellBackColor(4, 3, kPlainFill);
  const QImage page = f.Page(1);
  SavePicture(page, QStringLiteral("grid_print_page"));
  EXPECT_EQ(f.pages, 1);
  const QRect block = Area(page, kBlockFill);
  const QRect plain = Area(page, kPlainFill);
  ASSERT_FALSE(block.isEmpty());
  ASSERT_FALSE(plain.isEmpty());
  // Two cells and the grid line between them, at about 2.4 page pixels a grid pixel.
  EXPECT_NEAR(block.width(), 2 * plain.width(), 6);
  EXPECT_NEAR(block.height(), 2 * plain.height(), 6);
  EXPECT_TRUE(Area(page, kMemberFill).isEmpty());
  EXPECT_FALSE(Area(page, kFixedFill).isEmpty());  // the fixed cells head the page
}

TEST(GridPrintPage, ColoursOffOrOnTwoColourPrinters) {
  PrintFixture f;
  f.grid.SetCellBackColor(1, 1, kPlainFill);
  f.grid.SetCellTextColor(2, 2, kText);
  int count = 0;
  const QImage grey = f.Page(1, true);
  Area(grey, MakeColorRef(200 * 30 / 100, 100 * 59 / 100, 250 * 11 / 100), &count);
  EXPECT_GT(count, 0);
  Area(grey, kText, &count);
  EXPECT_EQ(count, 0);
  EXPECT_FALSE(Area(grey, kPlainFill).isEmpty());  // a filled cell keeps its fill

  f.grid.SetPrintColors(false);
  const QImage plain = f.Page(1);
  EXPECT_TRUE(Area(plain, kPlainFill).isEmpty());
  EXPECT_TRUE(Area(plain, kFixedFill).isEmpty());
  for (int y = 0; y < plain.height(); ++y) {
    for (int x = 0; x < plain.width(); ++x) {
      const QColor c = plain.pixelColor(x, y);
      // Black text and lines, the fixed cells' raised edges in the system's greys.
      ASSERT_LE(std::abs(c.red() - c.green()) + std::abs(c.green() - c.blue()), 2) << x << "," << y;
    }
  }
}

TEST(GridPrintPage, FixedRowsHeadEveryPageAndATallRowGetsItsOwn) {
  PrintFixture f;
  ASSERT_TRUE(f.grid.SetRowCount(60));
  for (int row = 6; row < 60; ++row) ASSERT_TRUE(f.grid.SetRowHeight(row, 20));
  ASSERT_TRUE(f.grid.SetRowHeight(30, 5000));
  f.grid.SetCellBackColor(30, 2, kPlainFill);
  f.Page(1);
  ASSERT_GE(f.pages, 3);
  int tallPage = 0;
  for (int page = 2; page <= f.pages; ++page) {
    const QImage image = f.Page(page);
    const QRect fixed = Area(image, kFixedFill);
    ASSERT_FALSE(fixed.isEmpty()) << page;
    EXPECT_LT(fixed.top(), 150) << page;  // right under the header
    if (!Area(image, kPlainFill).isEmpty()) tallPage = page;
  }
  EXPECT_GT(tallPage, 0);
}

TEST(GridPrinter, PrintsEveryPageToPdfWithHeaderAndFooter) {
  PrintFixture f;
  ASSERT_TRUE(f.grid.SetRowCount(200));
  QCoreApplication::setApplicationName(QStringLiteral("Quendra"));
  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("grid.pdf"));
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path);
  ASSERT_TRUE(PrintGrid(f.grid, printer));
  f.Page(1, false, QSize(printer.width(), printer.height()) / 8);  // the printer's proportions
  ASSERT_GT(f.pages, 1);

  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray pdf = file.readAll();
  EXPECT_EQ(pdf.count("/Type /Page\n") + pdf.count("/Type /Page ") + pdf.count("/Type /Page/"),
            f.pages);

  QProcess text;
  text.start(QStringLiteral("pdftotext"),
             {QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"),
              path, QStringLiteral("-")});
  ASSERT_TRUE(text.waitForFinished(30000));
  const QString firstPage = QString::fromUtf8(text.readAllStandardOutput());
  EXPECT_TRUE(firstPage.contains(QStringLiteral("Price list"))) << firstPage.toStdString();
  EXPECT_TRUE(firstPage.contains(QStringLiteral("Quendra")));
  EXPECT_TRUE(firstPage.contains(QStringLiteral("Page 1 of %1").arg(f.pages)));
}

}  // namespace
