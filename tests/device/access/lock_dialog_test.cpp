// The access-code pane: which code opens which mode on which day, and the pane that
// refuses a wrong code and sends the main window on to the guarded pane.
#include <QDateTime>
#include <QTest>

#include <utility>
#include <vector>

#include "controls/shell/pane_ids.h"
#include "controls/shell/program_messages.h"
#include "controls/shell/window_globals.h"
#include "device/access/access_code.h"
#include "device/access/access_code_ids.h"
#include "device/access/lock_dialog.h"
#include "model/settings/lang_text.h"
#include "render/common/fake_play_clock.h"
#include "tests/app/app_fixture.h"
#include "tests/support/cut_texts.h"
#include "tests/support/recording_window.h"
#include "tests/support/screenshot.h"

namespace {

using testsupport::Message;
using testsupport::RecordingWindow;

const QDate kDay(2024, 6, 15);

TEST(AccessCode, MatchesByModeExactTextAndDay) {
  for (const int mode : {kAccessScreenParams, kAccessAdministrator, kAccessBootLogo}) {
    EXPECT_FALSE(AccessCodeMatches(mode, QString(), kDay)) << mode;
    EXPECT_FALSE(AccessCodeMatches(mode, QStringLiteral("426 "), kDay)) << mode;
    EXPECT_FALSE(AccessCodeMatches(mode, QStringLiteral(" 426"), kDay)) << mode;
  }
  EXPECT_TRUE(AccessCodeMatches(kAccessScreenParams, QStringLiteral("426"), kDay));
  EXPECT_TRUE(AccessCodeMatches(kAccessBootLogo, QStringLiteral("426"), kDay));
  EXPECT_FALSE(AccessCodeMatches(kAccessAdministrator, QStringLiteral("426"), kDay));
  EXPECT_FALSE(AccessCodeMatches(3, QStringLiteral("426"), kDay));

  EXPECT_EQ(AdministratorCode(kDay), QStringLiteral("led150624"));
  EXPECT_EQ(AdministratorCode(QDate(2024, 6, 5)), QStringLiteral("led50624"));
  // Only the year's last two digits count.
  EXPECT_EQ(AdministratorCode(QDate(2131, 12, 31)), QStringLiteral("led311231"));
  EXPECT_TRUE(AccessCodeMatches(kAccessAdministrator, QStringLiteral("led150624"), kDay));
  EXPECT_FALSE(AccessCodeMatches(kAccessAdministrator, QStringLiteral("LED150624"), kDay));
  EXPECT_FALSE(
      AccessCodeMatches(kAccessAdministrator, QStringLiteral("led150624"), kDay.addDays(1)));
  EXPECT_FALSE(
      AccessCodeMatches(kAccessAdministrator, QStringLiteral("led150624"), kDay.addDays(-1)));
  EXPECT_FALSE(AccessCodeMatches(kAccessScreenParams, QStringLiteral("led150624"), kDay));
}

class LockDialogTest : public apptest::AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    SelectLanguageFile(2);
    MainWindowHandle = mainWindow.Handle();
    pane = std::make_unique<CLockDialog>(nullptr, clock, [this](const QString& text, int style) {
      asked.emplace_back(text, style);
      return 1;
    });
    pane->resize(980, 637);
    pane->show();
  }
  void TearDown() override {
    pane.reset();
    MainWindowHandle = nullptr;
    AppTest::TearDown();
  }
  // Types the code into the field and presses the key there.
  void Enter(const QString& code, Qt::Key key = Qt::Key_Return) {
    pane->CodeEdit().setText(code);
    QTest::keyClick(&pane->CodeEdit(), key);
  }

  // Noon of the day, local time: the administrator's code of 15 June 2024.
  FakePlayClock clock{QDateTime(kDay, QTime(12, 0)).toSecsSinceEpoch()};
  RecordingWindow mainWindow;
  std::unique_ptr<CLockDialog> pane;
  std::vector<std::pair<QString, int>> asked;
};

Message PaneBack(LPARAM which) { return {UM_PANE_BACK, kAccessCodePane, which}; }

TEST_F(LockDialogTest, WrongCodesAreRefusedAndRightOnesOpenTheirPanes) {
  pane->SetMode(kAccessScreenParams);
  Enter(QStringLiteral("425"));
  const QString wrong = ReadLangText(QStringLiteral("IDD_LOCK_DIALOG"), 1001);
  ASSERT_FALSE(wrong.isEmpty());
  EXPECT_EQ(asked, (std::vector<std::pair<QString, int>>{{wrong, 0x10}}));
  EXPECT_EQ(std::tuple(pane->findChild<QLabel*>(QString::number(IDC_ACCESS_CODE_PROMPT))->text(),
                       pane->OkButton().text()),
            std::tuple(ReadLangText(QStringLiteral("IDD_LOCK_DIALOG"), 1000),
                       ReadLangText(QStringLiteral("PUBLIC"), 1000)));
  EXPECT_TRUE(pane->CodeEdit().text().isEmpty());
  EXPECT_TRUE(mainWindow.Take().empty());

  Enter(QStringLiteral("426"));
  pane->SetMode(kAccessBootLogo);
  Enter(QStringLiteral("426"), Qt::Key_Enter);
  pane->SetMode(kAccessAdministrator);
  Enter(QStringLiteral("426"));
  pane->CodeEdit().setText(QStringLiteral("led150624"));
  QTest::mouseClick(&pane->OkButton(), Qt::LeftButton);
  EXPECT_EQ(mainWindow.Take(), (std::vector<Message>{PaneBack(1), PaneBack(3), PaneBack(2)}));
  EXPECT_EQ(asked.size(), 2u);  // the first wrong code, and "426" for the administrator

  // The next day the code of the day before is wrong.
  clock.SetSeconds(clock.NowSeconds() + 24 * 3600);
  Enter(QStringLiteral("led150624"));
  EXPECT_EQ(asked.size(), 3u);
  EXPECT_TRUE(mainWindow.Take().empty());

  QTest::keyClick(&pane->CodeEdit(), Qt::Key_Escape);
  QTest::keyClick(&pane->OkButton(), Qt::Key_Escape);
  EXPECT_EQ(mainWindow.Take(), (std::vector<Message>{PaneBack(0), PaneBack(0)}));

  pane->CodeEdit().setText(QStringLiteral("42"));
  EXPECT_FALSE(SaveScreenshot(*pane, QStringLiteral("access_code_pane")).isEmpty());
  EXPECT_EQ(CutTextsInTranslations(
                *pane, [this] { pane->ApplyLanguage(); }, QStringLiteral("access_code_pane")),
            "");
}

}  // namespace
