#include "model/settings/lang_text.h"

#include <algorithm>
#include <array>

#include "model/common/app_paths.h"
#include "model/settings/ini_file.h"
#include "model/settings/settings_file.h"

QString LangIniPath;
int LanguageIndex = kLanguageAutomatic;

namespace {

// Texts are read into a 260-unit buffer with its terminating 0.
constexpr qsizetype kMaxLangTextUnits = 259;

constexpr std::array<const char16_t*, kLanguageCount> kLanguageFiles = {
    nullptr,        u"chinese.ini", u"english.ini", u"chinese(fanti).ini",
    u"Russian.ini", u"Turkish.ini", u"Persia.ini"};

// Where the language choice is kept.
const QString kChoiceFile = QStringLiteral("setting.cfg");
const QString kChoiceSection = QStringLiteral("CONFIG");
const QString kChoiceKey = QStringLiteral("Language");

bool IsFormatConversion(QChar c) { return c == u'd' || c == u'i' || c == u'u' || c == u's'; }

}  // namespace

QString LanguageFileName(int index) {
  if (index <= kLanguageAutomatic || index >= kLanguageCount) return {};
  return QString::fromUtf16(kLanguageFiles[index]);
}

int LanguageIndexForLocale(const QLocale& locale) {
  switch (locale.language()) {
    case QLocale::Chinese:
      switch (locale.territory()) {
        case QLocale::China:
        case QLocale::Singapore:
        case QLocale::Macau: return 1;
        case QLocale::Taiwan:
        case QLocale::HongKong: return 3;
        default: return 2;
      }
    case QLocale::Russian: return 4;
    case QLocale::Turkish: return 5;
    case QLocale::Persian: return 6;
    default: return 2;
  }
}

int StoredLanguageChoice() {
  const int stored = ReadIniInt(kChoiceSection, kChoiceKey, kChoiceFile);
  return stored >= 0 && stored < kLanguageCount ? stored : kLanguageAutomatic;
}

bool StoreLanguageChoice(int index) {
  return WriteIniInt(kChoiceSection, kChoiceKey, index, kChoiceFile);
}

void SelectLanguageFile(int index) {
  if (LanguageFileName(index).isEmpty()) index = LanguageIndexForLocale(QLocale::system());
  LanguageIndex = index;
  LangIniPath = AppFilePath(AppFolder::Language, LanguageFileName(index));
}

QString ReadLangText(const QString& section, int textNumber) {
  QString text =
      ReadCachedIniValue(LangIniPath, section, QString::number(textNumber)).value_or(QString());
  if (text.size() > kMaxLangTextUnits) {
    qsizetype keep = kMaxLangTextUnits;
    if (text[keep - 1].isHighSurrogate()) --keep;
    text.truncate(keep);
  }
  return text;
}

QString ReadLangText(const QString& section, int textNumber, std::span<const FixedText> fixed) {
  const QString text = ReadLangText(section, textNumber);
  if (!text.isEmpty()) return text;
  const auto own = std::find_if(fixed.begin(), fixed.end(), [&](const FixedText& entry) {
    return entry.textNumber == textNumber && entry.section == section;
  });
  return own == fixed.end() ? QString() : QString::fromUtf16(own->text);
}

QString FormatLangText(const QString& format, const QStringList& args) {
  QString out;
  out.reserve(format.size());
  qsizetype nextArg = 0;
  for (qsizetype i = 0; i < format.size(); ++i) {
    QChar c = format[i];
    QChar following = i + 1 < format.size() ? format[i + 1] : QChar();
    if (c == u'%' && following == u'%') {
      out.append(u'%');
      ++i;
    } else if (c == u'%' && IsFormatConversion(following) && nextArg < args.size()) {
      out.append(args[nextArg++]);
      ++i;
    } else {
      out.append(c);
    }
  }
  return out;
}
