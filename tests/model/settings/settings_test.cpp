#include <gtest/gtest.h>

#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

#include <fcntl.h>
#include <sys/stat.h>

#include "model/common/app_dir.h"
#include "model/common/app_paths.h"
#include "model/common/file_system.h"
#include "model/settings/ini_file.h"
#include "model/settings/lang_text.h"
#include "model/settings/program_save_path.h"
#include "model/settings/settings_file.h"
#include "model/settings/ui/dlg_lang_text.h"

namespace {

const QString kCfg = QStringLiteral("setting.cfg");

QByteArray CfgBytes() {
  QFile file(GetAppDir() + kCfg);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void PutCfg(const QByteArray& bytes) {
  QFile file(GetAppDir() + kCfg);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  ASSERT_EQ(file.write(bytes), bytes.size());
}

TEST(IniRead, NamesIgnoreCaseAndValuesStayWhole) {
  PutCfg(
      "; settings\r\n"
      "[Config]\r\n"
      "  ; Language=8\r\n"
      "  Language = 3  \r\n"
      "List=a,b, c;d #e %s\\n\r\n"
      "Quoted=\"  padded \"\r\n"
      "Single=''\r\n"
      "no equals sign here\r\n"
      "Language=9\r\n"
      "[other]\r\n"
      "Language=5\n"
      "[CONFIG]\r\n"
      "Late=1\r\n");
  EXPECT_EQ(ReadIniInt("CONFIG", "language", kCfg), 3);  // the first match wins
  EXPECT_EQ(ReadIniString("config", "LIST", kCfg), "a,b, c;d #e %s\\n");
  EXPECT_EQ(ReadIniString("CONFIG", "Quoted", kCfg), "  padded ");
  EXPECT_EQ(ReadIniString("CONFIG", "Single", kCfg), "");
  EXPECT_EQ(ReadIniInt("OTHER", "Language", kCfg), 5);
  // Only the first section of a name is searched.
  EXPECT_EQ(ReadIniString("CONFIG", "Late", kCfg), "");
}

TEST(IniRead, CachedReadsFindWhatReadsFindAndSeeRewrites) {
  const QString path = GetAppDir() + kCfg;
  PutCfg(
      "top=0\r\n"
      "[Config]\r\n"
      " Key = \"a, b\" \r\n"
      "key=2\r\n"
      "; Other=3\r\n"
      "[other]\n"
      "Key=4\n"
      "[CONFIG]\r\n"
      "Late=5\r\n");
  for (const char* section : {"config", "CONFIG ", "Other", "none", ""}) {
    for (const char* key : {"KEY", " key", "Other", "Late", "top"}) {
      EXPECT_EQ(ReadCachedIniValue(path, section, key), ReadIniValue(path, section, key))
          << section << "/" << key;
    }
  }
  PutCfg("[Config]\r\nKey=changed\r\n");
  EXPECT_EQ(ReadCachedIniValue(path, "config", "key"), QStringLiteral("changed"));
  // A rewrite of the same size, its time a nanosecond on in the same second, is seen too.
  const QByteArray name = QFile::encodeName(path);
  struct stat before {};
  ASSERT_EQ(::stat(name.constData(), &before), 0);
  PutCfg("[Config]\r\nKey=CHANGED\r\n");
  const timespec times[2] = {before.st_atim,
                             {before.st_mtim.tv_sec, (before.st_mtim.tv_nsec + 1) % 1000000000}};
  ASSERT_EQ(::utimensat(AT_FDCWD, name.constData(), times, 0), 0);
  EXPECT_EQ(ReadCachedIniValue(path, "config", "key"), QStringLiteral("CHANGED"));
  ASSERT_TRUE(QFile::remove(path));
  EXPECT_EQ(ReadCachedIniValue(path, "config", "key"), std::nullopt);
}

TEST(IniRead, MissingOrNonNumericGivesTheDefault) {
  EXPECT_EQ(ReadIniString("CONFIG", "Language", kCfg), "");  // no file
  EXPECT_EQ(ReadIniInt("CONFIG", "Language", kCfg), 0);
  PutCfg("[CONFIG]\nA=abc\nB=-12x3\nC=99999999999\nD=+7\nE=-99999999999\n");
  EXPECT_EQ(ReadIniInt("CONFIG", "A", kCfg), 0);
  EXPECT_EQ(ReadIniInt("CONFIG", "B", kCfg), -12);
  EXPECT_EQ(ReadIniInt("CONFIG", "C", kCfg), 2147483647);
  EXPECT_EQ(ReadIniInt("CONFIG", "D", kCfg), 7);
  EXPECT_EQ(ReadIniInt("CONFIG", "E", kCfg), -2147483647 - 1);
  EXPECT_EQ(ReadIniInt("CONFIG", "Missing", kCfg), 0);
  EXPECT_EQ(ReadIniInt("NOSECTION", "A", kCfg), 0);
}

TEST(IniWrite, KeepsTheRestOfTheFile) {
  PutCfg(
      "\xEF\xBB\xBF; keep me\n"
      "[CONFIG]\r\n"
      "language=1\r\n"
      "Other = x,y\r\n"
      "\r\n"
      "[BRIGHTNESS]\r\n"
      "Level=3\r\n"
      "=a key without a name");
  ASSERT_TRUE(WriteIniInt("Config", "LANGUAGE", 4, kCfg));
  ASSERT_TRUE(WriteIniString("CONFIG", "ProgramSavePath", "/home/u/a,b.kqprj", kCfg));
  ASSERT_TRUE(WriteIniString("BRIGHTNESS", "Mode", "2", kCfg));
  ASSERT_TRUE(WriteIniString("NEW", "K", "v", kCfg));
  EXPECT_EQ(CfgBytes(),
            "\xEF\xBB\xBF; keep me\n"
            "[CONFIG]\r\n"
            "LANGUAGE=4\r\n"
            "Other = x,y\r\n"
            "ProgramSavePath=/home/u/a,b.kqprj\r\n"
            "\r\n"
            "[BRIGHTNESS]\r\n"
            "Level=3\r\n"
            "=a key without a name\r\n"
            "Mode=2\r\n"
            "[NEW]\r\n"
            "K=v\r\n");
  EXPECT_EQ(ReadIniString("CONFIG", "ProgramSavePath", kCfg), "/home/u/a,b.kqprj");
}

TEST(IniWrite, CreatesTheFileAndKeepsLongValuesWhole) {
  const QString longPath = GetAppDir() + QString(400, u'd') + "/p.kqprj";
  ASSERT_TRUE(WriteIniString("CONFIG", "ProgramSavePath", longPath, kCfg));
  EXPECT_EQ(CfgBytes(), "[CONFIG]\r\nProgramSavePath=" + longPath.toUtf8() + "\r\n");
  EXPECT_EQ(ReadIniString("CONFIG", "ProgramSavePath", kCfg), longPath);
}

TEST(IniWrite, RefusesTextThatWouldBreakTheFile) {
  PutCfg("[CONFIG]\r\nLanguage=1\r\n");
  EXPECT_FALSE(WriteIniString("CONFIG", "Language", "1\r\n[EVIL]", kCfg));
  EXPECT_FALSE(WriteIniString("CONFIG", "a=b", "1", kCfg));
  EXPECT_FALSE(WriteIniString("CON]FIG", "a", "1", kCfg));
  EXPECT_FALSE(WriteIniString("", "a", "1", kCfg));
  EXPECT_EQ(CfgBytes(), "[CONFIG]\r\nLanguage=1\r\n");
  // A folder in the way cannot be written, and says so.
  QString error;
  ASSERT_TRUE(CreateDirTree(GetAppDir() + "dir.cfg"));
  EXPECT_FALSE(WriteIniValue(GetAppDir() + "dir.cfg", "A", "b", "c", &error));
  EXPECT_FALSE(error.isEmpty());
}

TEST(ProgramSavePath, KeptWhileItsFileExistsElseRenewed) {
  const QString fresh = GetProgramSavePath();
  EXPECT_TRUE(fresh.startsWith(AppFolderPath(AppFolder::Project))) << fresh.toStdString();
  EXPECT_TRUE(fresh.endsWith(".kqprj"));
  EXPECT_EQ(fresh.size(), AppFolderPath(AppFolder::Project).size() + 14 + 6);
  EXPECT_EQ(ReadIniString("CONFIG", "ProgramSavePath", kCfg), fresh);

  // A folder of that name is no project file: a new name is made.
  ASSERT_TRUE(CreateDirTree(GetAppDir() + "folder.kqprj"));
  ASSERT_TRUE(SetProgramSavePath(GetAppDir() + "folder.kqprj"));
  EXPECT_TRUE(GetProgramSavePath().startsWith(AppFolderPath(AppFolder::Project)));

  const QString existing = GetAppDir() + "mine,1.kqprj";
  ASSERT_TRUE(SetProgramSavePath(existing));
  QFile file(existing);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  const QByteArray before = CfgBytes();
  EXPECT_EQ(GetProgramSavePath(), existing);
  EXPECT_EQ(CfgBytes(), before);  // nothing written
}

class LangTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(CreateDirTree(AppFolderPath(AppFolder::Language)));
    SelectLanguageFile(2);
  }
  void PutLang(const QByteArray& bytes) {
    QFile file(LangIniPath);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }
};

TEST_F(LangTextTest, LanguageFilesByIndexAndLocale) {
  const QString folder = AppFolderPath(AppFolder::Language);
  const char* names[] = {"chinese.ini", "english.ini", "chinese(fanti).ini",
                         "Russian.ini", "Turkish.ini", "Persia.ini"};
  for (int index = 1; index <= 6; ++index) {
    SelectLanguageFile(index);
    EXPECT_EQ(LangIniPath, folder + names[index - 1]) << index;
  }
  EXPECT_EQ(LanguageIndexForLocale(QLocale("zh_CN")), 1);
  EXPECT_EQ(LanguageIndexForLocale(QLocale("zh_SG")), 1);
  EXPECT_EQ(LanguageIndexForLocale(QLocale("zh_MO")), 1);
  EXPECT_EQ(LanguageIndexForLocale(QLocale("zh_TW")), 3);
  EXPECT_EQ(LanguageIndexForLocale(QLocale("zh_HK")), 3);
  EXPECT_EQ(LanguageIndexForLocale(QLocale("ru_RU")), 4);
  EXPECT_EQ(LanguageIndexForLocale(QLocale("tr_TR")), 5);
  EXPECT_EQ(LanguageIndexForLocale(QLocale("fa_IR")), 6);
  EXPECT_EQ(LanguageIndexForLocale(QLocale("de_DE")), 2);
  SelectLanguageFile(0);
  EXPECT_EQ(LangIniPath, folder + names[LanguageIndexForLocale(QLocale::system()) - 1]);
  SelectLanguageFile(7);  // out of range: automatic
  EXPECT_EQ(LangIniPath, folder + names[LanguageIndexForLocale(QLocale::system()) - 1]);
  // The stored choice: 0 to 6; anything else is automatic.
  for (const auto& [stored, choice] : {std::pair{6, 6}, {7, 0}, {0, 0}, {-1, 0}}) {
    PutCfg("[CONFIG]\nLanguage=" + QByteArray::number(stored) + "\n");
    EXPECT_EQ(StoredLanguageChoice(), choice) << stored;
  }
}

TEST_F(LangTextTest, TextsAreFoundCutAndMissingOnesEmpty) {
  const QString longText = QString(258, u'x') + QString::fromUtf8("\U0001F600") + "tail";
  PutLang("[PUBLIC]\r\n1000=确定\r\n1001=" + longText.toUtf8() + "\r\n" +
          "[IDD_SCANSET_DIALOG]\r\n6000=" + QByteArray(300, 'a') + "\r\n");
  EXPECT_EQ(ReadLangText("PUBLIC", 1000), QString::fromUtf8("确定"));
  EXPECT_EQ(ReadLangText("public", 1000), QString::fromUtf8("确定"));
  EXPECT_EQ(ReadLangText("IDD_SCANSET_DIALOG", 6000), QString(259, u'a'));
  // The cut never splits a surrogate pair.
  EXPECT_EQ(ReadLangText("PUBLIC", 1001), QString(258, u'x'));
  EXPECT_EQ(ReadLangText("PUBLIC", 1002), "");
  EXPECT_EQ(ReadLangText("NOWHERE", 1000), "");
  // The program's own text stands in only for a text the file lacks, in its section.
  const FixedText own[] = {{QLatin1StringView("PUBLIC"), 1000, u"Own OK"},
                           {QLatin1StringView("PUBLIC"), 1002, u"Own yes"}};
  EXPECT_EQ(ReadLangText("PUBLIC", 1000, own), QString::fromUtf8("确定"));
  EXPECT_EQ(ReadLangText("PUBLIC", 1002, own), "Own yes");
  EXPECT_EQ(ReadLangText("IDD_SCANSET_DIALOG", 1002, own), "");
  SelectLanguageFile(6);  // no such file
  EXPECT_EQ(ReadLangText("PUBLIC", 1000), "");
  EXPECT_EQ(ReadLangText("PUBLIC", 1000, own), "Own OK");
}

TEST(FormatLangText, FillsOnlyKnownConversions) {
  EXPECT_EQ(FormatLangText("Sent %d of %u, %i%s", {"3", "7", "4", "!"}), "Sent 3 of 7, 4!");
  EXPECT_EQ(FormatLangText("%s: 100%%", {"Card"}), "Card: 100%");
  // More conversions than arguments, or unknown ones, stay literal.
  EXPECT_EQ(FormatLangText("%d %s %s", {"1"}), "1 %s %s");
  EXPECT_EQ(FormatLangText("%n %x %", {"1"}), "%n %x %");
}

TEST_F(LangTextTest, DialogControlsGetTheirTexts) {
  PutLang("[IDD_TEST]\n1=Caption\n2=Group\n3=Button\n");
  QWidget dialog;
  auto* layout = new QVBoxLayout(&dialog);
  auto* group = new QGroupBox;
  auto* inner = new QVBoxLayout(group);
  auto* label = new QLabel;
  auto* button = new QPushButton;
  inner->addWidget(button);
  layout->addWidget(label);
  layout->addWidget(group);
  SetControlId(label, 1001);
  SetControlId(group, 1002);
  SetControlId(button, 1003);
  EXPECT_TRUE(SetDlgItemLangText(&dialog, 1001, "IDD_TEST", 1));
  EXPECT_TRUE(SetDlgItemLangText(&dialog, 1002, "IDD_TEST", 2));
  EXPECT_TRUE(SetDlgItemLangText(&dialog, 1003, "IDD_TEST", 3));
  EXPECT_EQ(label->text(), "Caption");
  EXPECT_EQ(group->title(), "Group");
  EXPECT_EQ(button->text(), "Button");
  EXPECT_FALSE(SetDlgItemLangText(&dialog, 1999, "IDD_TEST", 1));
  // A missing text gives an empty caption, not the number.
  EXPECT_TRUE(SetDlgItemLangText(&dialog, 1001, "IDD_TEST", 9));
  EXPECT_EQ(label->text(), "");
}

}  // namespace
