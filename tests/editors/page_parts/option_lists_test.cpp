// The effect and speed lists of the pages: every entry in place, the words of the
// first and last speed from the section the page names, the choice kept on a refill.
#include <gtest/gtest.h>

#include <QComboBox>

#include "editors/page_parts/option_lists.h"
#include "model/settings/lang_text.h"
#include "tests/app/app_fixture.h"

namespace {

class OptionListsTest : public apptest::AppTest {};

TEST_F(OptionListsTest, EffectsAndSpeedsInTheirLanguage) {
  SelectLanguageFile(2);
  QComboBox effects;
  FillEffectList(effects);
  ASSERT_EQ(effects.count(), kEffectCount);
  EXPECT_EQ(effects.itemText(0), QStringLiteral("Show directly"));
  EXPECT_EQ(effects.itemText(kEffectCount - 1),
            ReadLangText(QStringLiteral("IDD_IMAGEWORD_DIALOG"), 2039));

  QComboBox speeds;
  FillSpeedList(speeds, kImageWordSpeedTexts);
  ASSERT_EQ(speeds.count(), kSpeedCount);
  EXPECT_EQ(speeds.itemText(0), QStringLiteral("1(fastest)"));
  EXPECT_EQ(speeds.itemText(1), QStringLiteral("2"));
  EXPECT_EQ(speeds.itemText(30), QStringLiteral("31"));
  EXPECT_EQ(speeds.itemText(31), QStringLiteral("32(slowest)"));
  const SpeedListTexts border{QLatin1StringView("IDD_BORDER_DIALOG"), 1011, 1012};
  speeds.setCurrentIndex(5);
  SelectLanguageFile(1);
  FillSpeedList(speeds, border);
  EXPECT_EQ(speeds.count(), kSpeedCount);
  EXPECT_EQ(speeds.currentIndex(), 5);
  EXPECT_EQ(speeds.itemText(0),
            QStringLiteral("1(%1)").arg(ReadLangText(QStringLiteral("IDD_BORDER_DIALOG"), 1011)));
}

}  // namespace
