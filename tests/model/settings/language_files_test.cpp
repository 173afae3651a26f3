#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>

#include <algorithm>
#include <set>

#include "model/settings/fixed_texts.h"
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

// The format placeholders of a text ("%s", "%d", "%1", "%%" ...), sorted.
QStringList Placeholders(const QString& text) {
  static const QRegularExpression placeholder(QStringLiteral("%(\\d+|[sdiu%])"));
  QStringList found;
  for (auto it = placeholder.globalMatch(text); it.hasNext();) found << it.next().captured();
  found.sort();
  return found;
}

// Whether a text has a letter outside its "%s"-style placeholders.
bool HasLetter(QString text) {
  text.remove(QRegularExpression(QStringLiteral("%[sdiu]")));
  return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetter(); });
}

QString Text(const QString& file, const QString& section, const QString& key) {
  return ReadIniValue(kLanguageDir + file, section, key).value_or(QString());
}

TEST(LanguageFiles, EveryLanguageHasEveryTextWithTheSameFormats) {
  const TextKeys english = KeysOf("english.ini");
  ASSERT_GT(english.size(), 100u);
  for (int index = 1; index < kLanguageCount; ++index) {
    const QString name = LanguageFileName(index);
    SCOPED_TRACE(qPrintable(name));
    EXPECT_EQ(KeysOf(name), english);
    for (const auto& [section, key] : english) {
      const QString text = Text(name, section, key);
      EXPECT_FALSE(text.isEmpty()) << qPrintable(section + " " + key);
      EXPECT_EQ(Placeholders(text), Placeholders(Text("english.ini", section, key)))
          << qPrintable(section + " " + key);
    }
  }
}

// A translated language: its file, its letters, whether every translated text has one
// of them (else the file as a whole), and the texts that are exempt: those that read as
// in English on purpose or are written without letters.
struct Translation {
  const char* file;
  bool (*ownLetter)(QChar);
  bool inEveryText;
  std::set<std::pair<QString, QString>> exempt;
};

bool IsCyrillic(QChar c) { return c.unicode() >= 0x0400 && c.unicode() <= 0x04FF; }
bool IsArabicScript(QChar c) { return c.unicode() >= 0x0600 && c.unicode() <= 0x06FF; }
bool IsTurkishLetter(QChar c) { return QStringLiteral("çğıİöşüÇĞÖŞÜ").contains(c); }

TEST(LanguageFiles, RussianTurkishAndPersianAreTranslated) {
  const Translation translations[] = {
      // "№" heads the number columns.
      {"Russian.ini",
       IsCyrillic,
       true,
       {{"IDD_COMMUNICATIONSET_DIALOG", "1013"}, {"IDD_SEND_DIALOG", "1016"}}},
      // Turkish writes these words as English does; "3D" and "DNA" are effect names.
      {"Turkish.ini",
       IsTurkishLetter,
       false,
       {{"IDD_MAIN_DIALOG", "1009"},
        {"IDD_COMMUNICATIONSET_DIALOG", "1014"},
        {"IDD_SCANSET_DIALOG", "1011"},
        {"IDD_FLASHWORDEDIT_DIALOG", "2000"},
        {"IDD_FLASHWORDEDIT_DIALOG", "2001"}}},
      {"Persia.ini", IsArabicScript, true, {}},
  };
  const TextKeys english = KeysOf("english.ini");
  for (const Translation& language : translations) {
    SCOPED_TRACE(language.file);
    const QString file = QString::fromLatin1(language.file);
    bool ownLetterSeen = false;
    for (const auto& [section, key] : english) {
      const QString text = Text(file, section, key);
      const QString englishText = Text("english.ini", section, key);
      const bool ownLetter = std::any_of(text.begin(), text.end(), language.ownLetter);
      ownLetterSeen |= ownLetter;
      // Texts without letters (numbers, signs) are the same in every language.
      if (!HasLetter(englishText) || language.exempt.count({section, key}) != 0) continue;
      EXPECT_NE(text, englishText) << qPrintable(section + " " + key);
      EXPECT_TRUE(ownLetter || !language.inEveryText) << qPrintable(section + " " + key);
    }
    EXPECT_TRUE(ownLetterSeen);
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

// With no language file the program's own texts stand in: every text of its table is
// the Chinese file's, but for the file filter and the brightness dialog's whole caption.
TEST(LanguageFiles, TheProgramsOwnTextsAreTheChineseFilesTexts) {
  LangIniPath = kLanguageDir + "missing.ini";
  const TextKeys differing = {{"PUBLIC", "1011"}, {"IDD_BRIGHTNESS_DIALOG", "1001"}};
  int held = 0;
  for (const auto& [section, key] : KeysOf("chinese.ini")) {
    const QString own = ReadLangTextOrFixed(section, key.toInt());
    if (own.isEmpty()) continue;
    ++held;
    if (differing.contains({section, key})) continue;
    EXPECT_EQ(own, Text("chinese.ini", section, key)) << qPrintable(section + " " + key);
  }
  EXPECT_EQ(held, 47);
  LangIniPath.clear();
}

}  // namespace
