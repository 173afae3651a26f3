// The table file codec: the default table against bytes assembled from the layout,
// texts at and over the field's capacity, and a failed write that keeps the old file.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "model/common/app_dir.h"
#include "render/table/table_file.h"
#include "tests/support/table_file_bytes.h"

using namespace Qt::StringLiterals;

namespace {

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(TableFileTest, DefaultTableAndTextsHaveTheLayoutsBytes) {
  const QString path = GetAppDir() + u"default.kqg"_s;
  ASSERT_EQ(WriteDefaultTableFile(33, path, 64), 1);
  EXPECT_EQ(ReadAll(path), table_test::TableBytes(2, 2, {16, 17, 32, 32}, {{}, {}, {}, {}}));

  TableFile table;
  table.Resize(1, 3);
  table.Cell(0, 0).text = QString(511, u'a');
  table.Cell(0, 1).text = QString(600, u'b');
  table.Cell(0, 2).text = QString(510, u'c') + u"\U0001F600"_s;  // a pair over the end
  TableFile read;
  ASSERT_EQ(DecodeTableFile(EncodeTableFile(table), &read), TableRead::Ok);
  EXPECT_EQ(read.Cell(0, 0).text, QString(511, u'a'));
  EXPECT_EQ(read.Cell(0, 1).text, QString(511, u'b'));
  EXPECT_EQ(read.Cell(0, 2).text, QString(510, u'c'));
}

TEST(TableFileTest, FailedWriteKeepsTheOldFileAndOnlyGuidTextsNameFiles) {
  const QString path = GetAppDir() + u"table.kqg"_s;
  ASSERT_EQ(WriteDefaultTableFile(10, path, 10), 1);
  const QByteArray old = ReadAll(path);
  ASSERT_TRUE(QDir().mkpath(path + u".tmp"_s));  // the temporary file cannot be made
  EXPECT_EQ(WriteDefaultTableFile(40, path, 40), 0);
  EXPECT_EQ(ReadAll(path), old);
  EXPECT_EQ(TableFilePath(u"../../etc/passwd"_s), QString());
  const QString guid = u"0123ABCD-0123-4567-89AB-0123456789AB"_s;
  EXPECT_EQ(TableFilePath(guid), GetAppDir() + u"UserData/"_s + guid + u".kqg"_s);
}

}  // namespace
