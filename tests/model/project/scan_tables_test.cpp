#include <gtest/gtest.h>

#include <QFile>

#include "model/common/app_dir.h"
#include "model/project/scan_tables.h"
#include "model/settings/lang_text.h"

namespace {

// The scan modes as the screen-parameter table lists them: code, key, data height,
// scan type.
struct ScanRow {
  int code, key, dataHeight, scanType;
};
constexpr ScanRow kScanRows[] = {
    {16, 0, 3, 0},      {17, 1, 3, 0},      {18, 2, 7, 0},      {19, 3, 7, 0},
    {3, 1000, 1, 1},    {2, 2000, 3, 3},    {6, 2001, 7, 3},    {7, 2002, 7, 3},
    {8, 2003, 15, 3},   {9, 2004, 15, 3},   {12, 2005, 7, 3},   {13, 2006, 7, 3},
    {14, 2007, 15, 3},  {15, 2008, 15, 3},  {100, 2009, 15, 3}, {101, 2010, 15, 3},
    {102, 2011, 15, 3}, {103, 2012, 15, 3}, {1, 3000, 7, 7},    {4, 3001, 15, 7},
    {5, 3002, 15, 7},   {10, 3003, 15, 7},  {11, 3004, 15, 7},  {0, 4000, 15, 15},
};

TEST(ScanTables, EveryRowConvertsBothWays) {
  for (const ScanRow& row : kScanRows) {
    EXPECT_EQ(ScanCodeToKey(row.code), row.key) << "code " << row.code;
    int route = -1, height = -1, type = -1;
    ScanKeyToParams(row.key, route, height, type);
    EXPECT_EQ(route, row.code) << "key " << row.key;
    EXPECT_EQ(height, row.dataHeight) << "key " << row.key;
    EXPECT_EQ(type, row.scanType) << "key " << row.key;
  }
}

TEST(ScanTables, CodesOutsideTheTableGiveTheUnknownKey) {
  EXPECT_EQ(ScanCodeToKey(50), kUnknownScanKey);
  EXPECT_EQ(ScanCodeToKey(-1), kUnknownScanKey);
}

TEST(ScanTables, AliasKeysAndKeysOutsideTheTable) {
  int route = 0, height = 0, type = 0;
  ScanKeyToParams(5000, route, height, type);
  EXPECT_EQ(route, 8);
  EXPECT_EQ(height, 15);
  EXPECT_EQ(type, 3);
  ScanKeyToParams(6000, route, height, type);
  EXPECT_EQ(route, 6);
  EXPECT_EQ(height, 7);
  EXPECT_EQ(type, 3);

  route = 77, height = 88, type = 99;
  ScanKeyToParams(2500, route, height, type);  // only the range applies
  EXPECT_EQ(route, 77);
  EXPECT_EQ(height, 88);
  EXPECT_EQ(type, 3);
  ScanKeyToParams(9000, route, height, type);  // nothing at all
  EXPECT_EQ(type, 3);
  ScanKeyToParams(-5, route, height, type);  // counts as below 1000
  EXPECT_EQ(type, 0);
  EXPECT_EQ(route, 77);
  ScanKeyToParams(3500, route, height, type);
  EXPECT_EQ(type, 7);
  ScanKeyToParams(4999, route, height, type);
  EXPECT_EQ(type, 15);
}

TEST(ScanTables, NamesComeFromTheLanguageFile) {
  const QString path = GetAppDir() + "lang.ini";
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("[IDD_SCANSET_DIALOG]\n4003=mode 2003\n6000=static\n");
  file.close();
  LangIniPath = path;
  EXPECT_EQ(GetScanTypeName(8), "mode 2003");
  EXPECT_EQ(GetScanTypeName(0), "static");
  EXPECT_EQ(GetScanTypeName(50), "");
  LangIniPath.clear();
}

TEST(ScanTables, ModuleSizes) {
  EXPECT_EQ(FindModuleSizeIndex(24, 12), 16);
  EXPECT_EQ(FindModuleSizeIndex(12, 24), 0);
  EXPECT_EQ(FindModuleSizeIndex(32, 16), 0);
  EXPECT_EQ(FindModuleSizeIndex(128, 32), 14);
  EXPECT_EQ(ModuleSizeAt(7), QSize(96, 8));
  EXPECT_EQ(ModuleSizeAt(17), QSize(32, 16));
  EXPECT_EQ(ModuleSizeAt(-1), QSize(32, 16));
}

}  // namespace
