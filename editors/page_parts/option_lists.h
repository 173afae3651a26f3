#pragma once
// The option lists the content and border pages share: the 40 display effects and the
// 32 speeds. Each entry's index is the stored value.

#include <QLatin1StringView>
#include <QStringList>

#include "model/settings/lang_sections.h"

class QComboBox;

constexpr int kEffectCount = 40;
constexpr int kSpeedCount = 32;

// Fills the combo with the entries, keeping its current index and sending no signal.
void FillKeepingIndex(QComboBox& combo, const QStringList& entries);

// Fills the combo with the effect names, keys 2000-2039 of IDD_IMAGEWORD_DIALOG,
// keeping its current index.
void FillEffectList(QComboBox& combo);

// Where a speed list finds the words of its fastest and slowest entries.
struct SpeedListTexts {
  QLatin1StringView section;
  int fastestKey;
  int slowestKey;
};
inline constexpr SpeedListTexts kImageWordSpeedTexts{lang_section::IDD_IMAGEWORD_DIALOG, 1013,
                                                     1014};

// Fills the combo with "1(%s)" (the fastest word), "2" ... "31", "32(%s)" (the slowest
// word; both the program's own words when the language file has none), keeping its
// current index.
void FillSpeedList(QComboBox& combo, const SpeedListTexts& texts);
