#include "editors/page_parts/option_lists.h"

#include <QComboBox>
#include <QStringList>

#include "model/settings/fixed_texts.h"
#include "model/settings/lang_text.h"

namespace {

constexpr int kFirstEffectKey = 2000;

}  // namespace

void FillKeepingIndex(QComboBox& combo, const QStringList& entries) {
  const int index = combo.currentIndex();
  const bool blocked = combo.blockSignals(true);
  combo.clear();
  combo.addItems(entries);
  combo.setCurrentIndex(index);
  combo.blockSignals(blocked);
}

void FillEffectList(QComboBox& combo) {
  QStringList entries;
  for (int effect = 0; effect < kEffectCount; ++effect) {
    entries.push_back(ReadLangText(lang_section::IDD_IMAGEWORD_DIALOG, kFirstEffectKey + effect));
  }
  FillKeepingIndex(combo, entries);
}

void FillSpeedList(QComboBox& combo, const SpeedListTexts& texts) {
  const QString end = QStringLiteral("%1(%s)");
  QStringList entries{
      FormatLangText(end.arg(1), {ReadLangTextOrFixed(texts.section, texts.fastestKey)})};
  for (int speed = 2; speed < kSpeedCount; ++speed) entries.push_back(QString::number(speed));
  entries.push_back(
      FormatLangText(end.arg(kSpeedCount), {ReadLangTextOrFixed(texts.section, texts.slowestKey)}));
  FillKeepingIndex(combo, entries);
}
