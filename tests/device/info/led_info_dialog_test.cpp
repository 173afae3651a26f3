// The screen information page: the current screen's card model, colour, size and link.
#include <memory>
#include "controls/shell/program_messages.h"

#include "device/info/led_info_dialog.h"
#include "device/info/led_info_ids.h"
#include "model/common/bounded_text.h"
#include "model/project/project_editing.h"
#include "model/project/project_globals.h"
#include "model/settings/lang_text.h"
#include "tests/app/app_fixture.h"
#include "tests/support/cut_texts.h"
#include "tests/support/screenshot.h"

namespace {

TEST(CardModel, IsTheFirstOfExactlyTwoParts) {
  EXPECT_EQ(CardModelText(QStringLiteral("A-B")), QStringLiteral("A"));
  EXPECT_EQ(CardModelText(QStringLiteral(" KQ W6 - 2.1 ")), QStringLiteral("KQ W6"));
  EXPECT_EQ(CardModelText(QStringLiteral("A")), QString());
  EXPECT_EQ(CardModelText(QStringLiteral("A-B-C")), QString());
  EXPECT_EQ(CardModelText(QString()), QString());
}

class LedInfoPage : public apptest::AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    SelectLanguageFile(2);
    ClearProjectModel();
    page = std::make_unique<CLedInfoDialog>(nullptr);
  }
  void TearDown() override {
    page.reset();
    ClearProjectModel();
    AppTest::TearDown();
  }
  QString Show(CLedInfoDialog::Field field) {
    SendMessage(page->Handle(), UM_LOAD_SELECTION, 1, 0);
    return page->FieldText(field);
  }
  static QString Lang(const char* section, int key) {
    return ReadLangText(QString::fromLatin1(section), key);
  }

  std::unique_ptr<CLedInfoDialog> page;
};

TEST_F(LedInfoPage, ShowsTheCurrentScreen) {
  ScreenRecord& screen = ScreenList.emplace_back();
  screen.LedNo = CurrentScreenNo = 7;
  screen.LedWidth = 512, screen.LedHeight = 48;
  // The model is the first of exactly two parts of the card name.
  for (const auto& [name, model] :
       {std::pair{u"KQ-W6", "KQ"}, {u" KQ -W6", "KQ"}, {u"KQW6", ""}, {u"KQ-W-6", ""}}) {
    CopyBoundedText(screen.LedTypeStr, name);
    EXPECT_EQ(Show(CLedInfoDialog::kCardModel), QLatin1StringView(model)) << model;
  }
  EXPECT_EQ(page->FieldText(CLedInfoDialog::kSize), QStringLiteral("512 * 48"));
  // The labels of model, colour, size and link: keys 1000-1003.
  const int labels[] = {IDC_INFO_CARD_MODEL_LABEL, IDC_INFO_COLOR_LABEL, IDC_INFO_SIZE_LABEL,
                        IDC_INFO_LINK_LABEL};
  for (int field = 0; field < CLedInfoDialog::kFieldCount; ++field) {
    EXPECT_EQ(page->findChild<QLabel*>(QString::number(labels[field]))->text(),
              Lang("IDD_LEDINFO_DIALOG", 1000 + field));
  }
  for (const int colour : {0, 1, 2, 3, 7}) {
    screen.LedColor = colour;
    EXPECT_EQ(Show(CLedInfoDialog::kColor),
              colour == 7 ? QString() : Lang("IDD_BASICSET_DIALOG", 1017 + colour))
        << colour;
  }
  const QString links[] = {Lang("IDD_COMMUNICATIONSET_DIALOG", 1011),
                           Lang("IDD_COMMUNICATIONSET_DIALOG", 1012), QStringLiteral("USB"),
                           QString()};
  for (int sendType = 0; sendType < 4; ++sendType) {
    screen.SendType = sendType;
    EXPECT_EQ(Show(CLedInfoDialog::kLink), links[sendType]) << sendType;
    EXPECT_FALSE(links[sendType].isEmpty() && sendType < 3);
  }
  screen.SendType = 0;
  screen.LedColor = 1;
  page->resize(518, 455);
  page->show();
  static_cast<void>(Show(CLedInfoDialog::kLink));
  EXPECT_FALSE(SaveScreenshot(*page, QStringLiteral("screen_info_page")).isEmpty());
  EXPECT_EQ(CutTextsInTranslations(
                *page, [this] { page->ApplyLanguage(); }, QStringLiteral("screen_info_page")),
            "");

  CurrentScreenNo = 8;  // no such screen: every field empty
  for (int field = 0; field < CLedInfoDialog::kFieldCount; ++field) {
    EXPECT_EQ(Show(static_cast<CLedInfoDialog::Field>(field)), QString()) << field;
  }
}

}  // namespace
