// The table file read into the grid and written from it: a file as the Windows program
// writes it goes through the grid and back byte for byte; the default grid; files that
// must leave the grid as it was; merges and long texts on the way out.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "controls/grid/model/grid_model.h"
#include "controls/grid/table/grid_table_file.h"
#include "model/common/app_dir.h"
#include "tests/support/grid_blocks.h"
#include "tests/support/table_file_bytes.h"

using namespace Qt::StringLiterals;
using grid_test::BlockFault;
using table_test::CellBytes;
using table_test::TableBytes;

namespace {

QString Path(const QString& name) { return GetAppDir() + name; }

QString Write(const QByteArray& bytes) {
  QFile file(Path(u"in.kqg"_s));
  EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
  return file.fileName();
}

QByteArray Read(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// 2 x 3 cells, (0, 0) merged over 2 x 2, fonts with every byte Linux does not use set,
// and format bits beyond the three the renderer reads.
QByteArray WindowsStyleTable() {
  CellBytes plain{u"Übersicht 表"_s,
                  {-19, 7, 900, 900, 700},
                  QByteArray("\1\1\1\x86\3\2\4\x31", 8),
                  u"宋体"_s,
                  {0x825, 0x123456, 0x654321, 0, 0, 1}};
  CellBytes origin = plain;
  origin.tail = {2, 0xFF, 0, 1, 1, 1};
  CellBytes covered = plain;
  covered.text.clear();
  covered.tail.back() = 0;
  return TableBytes(2, 3, {20, 25, 40, 50, 60}, {origin, covered, plain, covered, covered, plain});
}

TEST(GridTableFileTest, WindowsFileGoesThroughTheGridByteForByte) {
  const QByteArray original = WindowsStyleTable();
  GridModel grid;
  ASSERT_EQ(LoadTableFile(grid, Write(original)), 1);
  EXPECT_EQ(grid.GetRowCount(), 3);
  EXPECT_EQ(grid.GetColumnCount(), 4);
  EXPECT_EQ(grid.GetRowHeight(0), 24);
  EXPECT_EQ(grid.GetColumnWidth(3), 60);
  EXPECT_EQ(grid.GetCellText(0, 3), u"3"_s);
  EXPECT_EQ(grid.GetCellText(2, 0), u"2"_s);
  EXPECT_EQ(grid.GetCell(1, 1)->GetMergeRange(), CCellBlock(1, 1, 2, 2));
  EXPECT_EQ(grid.GetCellText(2, 3), u"Übersicht 表"_s);
  EXPECT_EQ(BlockFault(grid), QString());
  ASSERT_EQ(SaveTableFile(grid, Path(u"out.kqg"_s)), 1);
  EXPECT_EQ(Read(Path(u"out.kqg"_s)), original);
}

TEST(GridTableFileTest, MissingOrForeignFileGivesTheDefaultGrid) {
  for (const QString& path : {Path(u"none.kqg"_s), Write(QByteArray(12, '\x9D'))}) {
    GridModel grid;
    ASSERT_EQ(LoadTableFile(grid, path), 1);
    ASSERT_EQ(grid.GetRowCount(), 5);
    ASSERT_EQ(grid.GetColumnCount(), 5);
    EXPECT_EQ(grid.GetColumnWidth(0), 24);
    EXPECT_EQ(grid.GetCellText(4, 0), u"4"_s);
    EXPECT_EQ(grid.GetCell(0, 4)->GetFormat(), 5u);
    EXPECT_EQ(grid.GetCell(4, 4)->GetTextColor(), 0x8241E2u);
    EXPECT_EQ(grid.GetCell(4, 4)->GetFormat(), 5u);
    EXPECT_EQ(grid.GetDefaultCell(true, true)->GetBackColor(), MakeColorRef(180, 220, 244));
  }
}

TEST(GridTableFileTest, EmptyOrDamagedFilesLeaveTheGridAsItWas) {
  GridModel grid;
  ASSERT_EQ(LoadTableFile(grid, Write(WindowsStyleTable())), 1);
  grid.SetModified(false);
  const QByteArray whole = TableBytes(2, 1, {5, 6, 7}, {{}, {}});
  const std::pair<QByteArray, int> cases[] = {{TableBytes(0, 0, {}, {}), 1},
                                              {whole.left(whole.size() - 10), 0},
                                              {whole.left(14), 0},
                                              {TableBytes(-1, 1, {}, {}), 0},
                                              {TableBytes(10001, 0, {}, {}), 0},
                                              {TableBytes(10000, 10000, {}, {}), 0},
                                              {TableBytes(0x7FFFFFFF, 2, {}, {}), 0}};
  for (const auto& [bytes, result] : cases) {
    EXPECT_EQ(LoadTableFile(grid, Write(bytes)), result);
    EXPECT_EQ(grid.GetRowCount(), 3);
    EXPECT_EQ(grid.GetCellText(1, 1), u"Übersicht 表"_s);
    EXPECT_FALSE(grid.GetModified());
  }
}

TEST(GridTableFileTest, ExtrasStayInTheTableAndSavesCutLongTexts) {
  CellBytes wide;
  wide.tail = {5, 255, 0, -4, 1000, 1};  // extras below 0 and past the last column
  CellBytes tall;
  tall.tail = {5, 255, 0, 1000, 0, 1};
  GridModel grid;
  ASSERT_EQ(LoadTableFile(grid, Write(TableBytes(2, 2, {10, 10, 10, 10}, {wide, {}, tall, {}}))),
            1);
  EXPECT_EQ(grid.GetCell(1, 1)->GetMergeRange(), CCellBlock(1, 1, 1, 2));
  EXPECT_EQ(grid.GetCell(2, 1)->GetMergeRange(), CCellBlock());

  ASSERT_TRUE(grid.MergeCells(1, 1, 2, 2));
  ASSERT_TRUE(grid.SetCellText(1, 1, QString(511, u'x')));
  ASSERT_TRUE(grid.SetCellText(2, 2, QString(600, u'y')));
  ASSERT_EQ(SaveTableFile(grid, Path(u"out.kqg"_s)), 1);
  const QByteArray saved = Read(Path(u"out.kqg"_s));
  EXPECT_EQ(saved.mid(28 + 1128, 12), QByteArray("\1\0\0\0\1\0\0\0\1\0\0\0", 12));
  EXPECT_EQ(saved.mid(28 + 3 * 1140 + 1136, 4), QByteArray(4, '\0'));  // covered
  GridModel again;
  ASSERT_EQ(LoadTableFile(again, Path(u"out.kqg"_s)), 1);
  EXPECT_EQ(again.GetCellText(1, 1), QString(511, u'x'));
  EXPECT_EQ(again.GetCellText(2, 2), QString(511, u'y'));

  ASSERT_TRUE(QDir().mkpath(Path(u"out.kqg.tmp"_s)));  // the save cannot be written
  EXPECT_EQ(SaveTableFile(grid, Path(u"out.kqg"_s)), 0);
  EXPECT_EQ(Read(Path(u"out.kqg"_s)), saved);
}

}  // namespace
