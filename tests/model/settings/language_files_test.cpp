#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>

#include <map>
#include <set>

#include "model/settings/ini_file.h"
#include "model/settings/lang_text.h"

namespace {

const QString kLanguageDir = QStringLiteral(QUENDRA_LANGUAGE_DIR);

using TextKeys = std::set<std::pair<QString, QString>>;  // section, text number

// The section and key names of a language file, read line by line.
TextKeys KeysOf(const QString& fileName) {
  QFile file(kLanguageDir + fileName);
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(fileName);
  static const QRegularExpression sectionLine(QStringLiteral("^\\[(.+)\\]$"));
  static const QRegularExpression keyLine(QStringLiteral("^(\\d+)="));
  TextKeys keys;
  QString section;
  for (const QByteArray& raw : file.readAll().split('\n')) {
    const QString line = QString::fromUtf8(raw);
    if (auto match = sectionLine.match(line); match.hasMatch()) section = match.captured(1);
    if (auto match = keyLine.match(line); match.hasMatch())
      keys.insert({section, match.captured(1)});
  }
  return keys;
}

int PercentSigns(const QString& text) { return static_cast<int>(text.count(u'%')); }

TEST(LanguageFiles, EveryLanguageHasEveryTextWithTheSameFormats) {
  const TextKeys english = KeysOf("english.ini");
  ASSERT_GT(english.size(), 100u);
  for (int index = 1; index < kLanguageCount; ++index) {
    const QString name = LanguageFileName(index);
    SCOPED_TRACE(qPrintable(name));
    EXPECT_EQ(KeysOf(name), english);
    for (const auto& [section, key] : english) {
      const auto text = ReadIniValue(kLanguageDir + name, section, key);
      const auto englishText = ReadIniValue(kLanguageDir + "english.ini", section, key);
      ASSERT_TRUE(text && englishText) << qPrintable(section + " " + key);
      EXPECT_FALSE(text->isEmpty()) << qPrintable(section + " " + key);
      EXPECT_EQ(PercentSigns(*text), PercentSigns(*englishText)) << qPrintable(section + " " + key);
    }
  }
}

TEST(LanguageFiles, TextsTheModelUsesAreThere) {
  LangIniPath = kLanguageDir + "english.ini";
  EXPECT_FALSE(ReadLangText("IDD_MAIN_DIALOG", 1009).isEmpty());
  EXPECT_FALSE(ReadLangText("IDD_SCANSET_DIALOG", 6000).isEmpty());
  LangIniPath = kLanguageDir + "chinese.ini";
  EXPECT_EQ(ReadLangText("IDD_MAIN_DIALOG", 1009), QString::fromUtf8("节目"));
  LangIniPath.clear();
}

}  // namespace
