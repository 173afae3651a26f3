#pragma once
// Texts the user sees, looked up in the current language file: an INI file with one
// section per dialog (its resource name, "IDD_SCANSET_DIALOG") plus "PUBLIC" for
// shared texts, keys being decimal text numbers.

#include <QLatin1StringView>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <span>

// Full path of the current language file; set by SelectLanguageFile.
extern QString LangIniPath;

// Language indexes: 0 follows the system language, 1-6 are fixed languages.
constexpr int kLanguageAutomatic = 0;
constexpr int kLanguageCount = 7;

// The file name of a fixed language 1-6 ("english.ini"); empty for other indexes.
QString LanguageFileName(int index);

// The fixed language (1-6) for a locale: simplified Chinese 1, traditional Chinese
// (Taiwan, Hong Kong) 3, Russian 4, Turkish 5, Persian 6, any other English 2.
int LanguageIndexForLocale(const QLocale& locale);

// The language in use, 1-6; set by SelectLanguageFile (0 before its first call).
extern int LanguageIndex;

// The choice kept in "setting.cfg" [CONFIG] Language; a value outside 0-6 (a damaged
// file) is taken as automatic.
int StoredLanguageChoice();
// Keeps the choice there; false when it could not be written.
[[nodiscard]] bool StoreLanguageChoice(int index);

// Sets LanguageIndex and LangIniPath to the program's "language" folder + the file of the index;
// index 0, or an index outside 0-6, takes the language of the system locale.
void SelectLanguageFile(int index);

// The text of that number in the section of the current language file; empty when
// the file, section or text is missing. At most 259 UTF-16 units (a longer text is
// cut, never inside a surrogate pair).
QString ReadLangText(const QString& section, int textNumber);

// A text of a language file with the program's own text for it, shown when no
// language file gives that text.
struct FixedText {
  QLatin1StringView section;
  int textNumber;
  const char16_t* text;
};

// ReadLangText, or the text of that section and number in `fixed` when the language
// file gives none (empty when `fixed` has none either).
QString ReadLangText(const QString& section, int textNumber, std::span<const FixedText> fixed);

// Fills a language text used as a format, safely: each "%d", "%i", "%u" or "%s"
// takes the next argument in order, "%%" is "%", and every other "%" (or one
// without an argument left) stays as written. A translation with a stray "%s" thus
// shows literally instead of reading a missing argument.
QString FormatLangText(const QString& format, const QStringList& args);
