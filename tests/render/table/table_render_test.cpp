// The table renderer through the frame files it writes: columns chosen and centred,
// rows paged, outline, grid lines and fills around a merged block, text placed by its
// format bits (ink boxes) and kept inside its cell, and one black frame for a missing, foreign or
// cut table.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>

#include <set>
#include <vector>

#include "model/common/app_dir.h"
#include "model/common/bounded_text.h"
#include "render/frame/pak_file.h"
#include "render/frame/pak_frame_reader.h"
#include "render/table/table_file.h"
#include "render/table/table_render.h"

using namespace Qt::StringLiterals;

namespace {

const QString kGuid = u"5A0C1F2E-9B7D-4E3A-8C6B-1D2E3F405162"_s;
constexpr QRgb kLine = 0xFF00FF00;  // the item's line colour, green
constexpr QRgb kBlack = 0xFF000000;

// Cell i (row by row) is filled with red 0x10 * (i + 1).
QRgb Fill(int index) { return qRgb(0x10 * (index + 1), 0, 0); }

TableFile Table(std::vector<std::int32_t> heights, std::vector<std::int32_t> widths) {
  TableFile table;
  table.Resize(static_cast<int>(heights.size()), static_cast<int>(widths.size()));
  table.rowHeights = std::move(heights);
  table.colWidths = std::move(widths);
  for (std::size_t i = 0; i < table.cells.size(); ++i) table.cells[i].backColor = 0x10 * (i + 1);
  return table;
}

// The frames written for the table (none written when table is null), or none.
std::vector<QImage> Render(const TableFile* table, int width, int height, ColorRef line = 0xFF00) {
  QDir().mkpath(GetAppDir() + u"Temp"_s);
  QDir().mkpath(GetAppDir() + u"UserData"_s);
  if (table != nullptr) {
    EXPECT_TRUE(WriteTableFile(TableFilePath(kGuid), *table));
  }
  FileItem item{};
  (void)CopyBoundedText(item.guid, kGuid);
  item.LineColor = line;
  const int result = RenderTablePak(item, width, height);
  std::vector<QImage> frames;
  PakFrameReader reader;
  if (!reader.Open(PakFramePath(kGuid)) || reader.ReadHeader() != PakCheck::Ok) return frames;
  EXPECT_EQ(reader.Header().BackColor, 0u);
  EXPECT_EQ(reader.Header().LastExtent, width);
  while (reader.ReadNextFrame()) frames.push_back(reader.Frame().ToImage());
  EXPECT_EQ(result, static_cast<int>(frames.size()));
  return frames;
}

std::vector<QImage> Render(const TableFile& table, int width, int height, ColorRef line = 0xFF00) {
  return Render(&table, width, height, line);
}

QRect InkBox(const QImage& image, std::set<QRgb>* colours) {
  QRect box;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      colours->insert(image.pixel(x, y));
      if (image.pixel(x, y) != kBlack) box |= QRect(x, y, 1, 1);
    }
  }
  return box;
}

TEST(TableRenderTest, ColumnsAreChosenAndCentredAndRowsPaged) {
  // 40/40/40 on 100: two columns, outline from x 10 to 89, a line at 50, bottom at 19.
  QImage frame = Render(Table({20}, {40, 40, 40}), 100, 30).at(0);
  const std::vector<QRgb> across = {kBlack, kLine, Fill(0), kLine, Fill(1), kLine, kBlack};
  const std::vector<int> xs = {9, 10, 11, 50, 88, 89, 90};
  for (std::size_t i = 0; i < xs.size(); ++i) EXPECT_EQ(frame.pixel(xs[i], 10), across[i]) << xs[i];
  EXPECT_EQ(frame.pixel(30, 19), kLine);
  EXPECT_EQ(frame.pixel(30, 20), kBlack);
  // 150 on 100 starts at -25: its fill covers the whole width.
  frame = Render(Table({20}, {150, 10}), 100, 30).at(0);
  EXPECT_EQ(frame.pixel(0, 10), Fill(0));
  EXPECT_EQ(frame.pixel(99, 10), Fill(0));

  std::vector<QImage> pages = Render(Table({20, 20, 20}, {10}), 10, 50);
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(pages[0].pixel(5, 30), Fill(1));
  EXPECT_EQ(pages[1].pixel(5, 10), Fill(2));
  pages = Render(Table({20, 80, 20}, {10}), 10, 50);  // the tall row alone, cut
  ASSERT_EQ(pages.size(), 3u);
  EXPECT_EQ(pages[1].pixel(5, 49), Fill(1));
  EXPECT_EQ(Render(Table({80}, {10}), 10, 50).size(), 1u);
}

TEST(TableRenderTest, MergedBlockIsDrawnOnceAndStopsShortOfTheBorder) {
  // 3 x 4 cells of 10 x 10; cell (1, 1) covers 2 rows and 3 columns to the corner.
  TableFile table = Table({10, 10, 10}, {10, 10, 10, 10});
  table.Cell(1, 1).mergedRows = 1;
  table.Cell(1, 1).mergedCols = 2;
  for (int covered : {6, 7, 9, 10, 11}) table.cells[covered].visible = 0;
  const QImage frame = Render(table, 40, 30).at(0);
  for (QPoint inside : {QPoint(11, 11), QPoint(20, 15), QPoint(15, 20), QPoint(38, 28)}) {
    EXPECT_EQ(frame.pixel(inside), Fill(5)) << inside.x() << "," << inside.y();
  }
  for (QPoint line : {QPoint(39, 28), QPoint(38, 29), QPoint(10, 15)}) {
    EXPECT_EQ(frame.pixel(line), kLine) << line.x() << "," << line.y();
  }
  std::set<QRgb> colours;
  (void)InkBox(frame, &colours);
  for (int covered : {6, 7, 9, 10, 11}) EXPECT_EQ(colours.count(Fill(covered)), 0u);
}

TEST(TableRenderTest, FormatBitsPlaceAliasedText) {
  TableFile table = Table({40}, {100});
  TableFileCell& cell = table.Cell(0, 0);
  cell = {u"Hi"_s, {}, 5, 0xFFFFFF, 0, 0, 0, 1};
  cell.font.lfHeight = -16;
  SetLogFontFaceName(cell.font, u"DejaVu Sans"_s);
  std::set<QRgb> colours;
  QRect ink = InkBox(Render(table, 100, 40, 0).at(0), &colours);
  EXPECT_NEAR(ink.center().x(), 51, 3);
  EXPECT_NEAR(ink.center().y(), 21, 3);
  EXPECT_EQ(colours, (std::set<QRgb>{kBlack, 0xFFFFFFFF}));
  cell.format = 2;
  ink = InkBox(Render(table, 100, 40, 0).at(0), &colours);
  EXPECT_GT(ink.left(), 70);
  EXPECT_GE(ink.right(), 95);
  EXPECT_LT(ink.top(), 10);

  // Text taller than its row and wider than its column stays inside its grid lines.
  TableFile rows = Table({12, 20}, {30, 70});
  rows.Cell(0, 0) = cell;
  rows.Cell(0, 0).format = 0;
  rows.Cell(0, 0).text = u"HgHgHg"_s;
  rows.Cell(0, 0).font.lfHeight = -30;
  const QImage two = Render(rows, 100, 32).at(0);
  int inside = 0;
  for (int y = 0; y < two.height(); ++y) {
    for (int x = 0; x < two.width(); ++x) {
      if (two.pixel(x, y) != 0xFFFFFFFF) continue;
      ASSERT_TRUE(x > 0 && x < 30 && y > 0 && y < 12) << x << "," << y;
      ++inside;
    }
  }
  EXPECT_GT(inside, 20);
}

TEST(TableRenderTest, MissingForeignOrCutTablesGiveOneBlackFrame) {
  QDir().mkpath(GetAppDir() + u"UserData"_s);
  QByteArray cut = EncodeTableFile(Table({5, 5}, {5}));
  cut.chop(1);
  for (const QByteArray& bytes : {QByteArray(), QByteArray(64, 'x'), cut}) {
    if (!bytes.isEmpty()) {
      QFile file(TableFilePath(kGuid));
      ASSERT_TRUE(file.open(QIODevice::WriteOnly));
      file.write(bytes);
    }
    const std::vector<QImage> frames = Render(nullptr, 20, 10);
    ASSERT_EQ(frames.size(), 1u);
    std::set<QRgb> colours;
    EXPECT_TRUE(InkBox(frames[0], &colours).isEmpty());
  }
  EXPECT_EQ(Render(Table({}, {5, 5}), 20, 10).size(), 1u);
  // Negative sizes count as 0 and extras stay inside the table.
  TableFile hostile = Table({-5, 10, 2000000000}, {-3, 10, 2000000000});
  hostile.Cell(1, 1).mergedRows = 1000000;
  hostile.Cell(1, 1).mergedCols = -7;
  hostile.Cell(0, 1).mergedCols = 0x7FFFFFFF;
  EXPECT_EQ(Render(hostile, 20, 10).size(), 2u);

  FileItem item{};  // no GUID text: no file is named
  (void)CopyBoundedText(item.guid, u"../x"_s);
  EXPECT_EQ(RenderTablePak(item, 20, 10), 0);
}

}  // namespace
