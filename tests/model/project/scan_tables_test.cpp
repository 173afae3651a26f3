#include <gtest/gtest.h>

#include <QFile>

#include "model/common/app_dir.h"
#include "model/project/scan_tables.h"
#include "model/settings/lang_text.h"

namespace {

TEST(ScanTables, CodesAndKeysConvert) {
  EXPECT_EQ(ScanCodeToKey(8), 2003);
  EXPECT_EQ(ScanCodeToKey(16), 0);
  EXPECT_EQ(ScanCodeToKey(103), 2012);
  EXPECT_EQ(ScanCodeToKey(0), 4000);
  EXPECT_EQ(ScanCodeToKey(50), 4000);
  EXPECT_EQ(ScanCodeToKey(-1), 4000);

  int route = -1, height = -1, type = -1;
  ScanKeyToParams(2003, route, height, type);
  EXPECT_EQ(route, 8);
  EXPECT_EQ(height, 15);
  EXPECT_EQ(type, 3);

  ScanKeyToParams(1000, route, height, type);
  EXPECT_EQ(route, 3);
  EXPECT_EQ(height, 1);
  EXPECT_EQ(type, 1);
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
