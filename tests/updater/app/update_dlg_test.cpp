// The updater's window: its timers and offers, its messages and the tray.

#include <QApplication>
#include <QSystemTrayIcon>
#include <QTest>

#include "model/settings/lang_text.h"
#include "tests/support/cut_texts.h"
#include "tests/support/eventually.h"
#include "tests/support/screenshot.h"
#include "tests/updater/app/update_fixture.h"
#include "updater/app/plain_button.h"
#include "updater/app/update_app.h"
#include "updater/app/update_ids.h"
#include "updater/app/update_texts.h"
#include "updater/app/update_tray.h"
#include "updater/core/updater_messages.h"

using namespace updatertest;

namespace {

// Timer 1 ticks every 10 s; every 18th tick checks.
constexpr int kTicksPerCheck = 18;

using UpdateTimerTest = UpdateDlgTest;
using UpdateMessageTest = UpdateDlgTest;

TEST_F(UpdateTimerTest, StartChecksOnceHiddenThenEveryEighteenthTick) {
  Configure("2.0");
  ServeVersion("2.0");
  auto dialog = MakeDialog();
  dialog->show();
  dialog->OnInitDialog();
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EVENTUALLY_EQ(VersionRequests(), 1);
  QTest::qWait(150);  // timer 2 fires once
  EXPECT_EQ(VersionRequests(), 1);
  EXPECT_EQ(dialog->State(), kIdle);
  EXPECT_TRUE(dialog->CheckTimerRunning());  // no new version keeps timer 1
  for (int tick = 1; tick < kTicksPerCheck; ++tick) dialog->OnTimer(1);
  EXPECT_EQ(VersionRequests(), 1);
  dialog->OnTimer(1);
  EXPECT_EQ(VersionRequests(), 2);
  for (int tick = 1; tick < kTicksPerCheck; ++tick) dialog->OnTimer(1);
  EXPECT_EQ(VersionRequests(), 2);    // counted again from the last check
  dialog->SetState(kDownloadFailed);  // no check while the window shows a state
  for (int tick = 0; tick < kTicksPerCheck; ++tick) dialog->OnTimer(1);
  EXPECT_EQ(VersionRequests(), 2);
  EXPECT_TRUE(notices_.isEmpty());
  // The bar the start set up counts in percent from the first byte.
  dialog->SetState(kDownloading);
  SendMessage(dialog->Handle(), UM_DOWNLOAD_PROGRESS, 1, 100);
  EXPECT_EQ(dialog->ProgressValue(), 1);
}

// An accepted offer shows the window downloading at once, from either timer.
TEST_F(UpdateTimerTest, AcceptedOfferShowsTheDownloadAtOnce) {
  Configure("1.0");
  ServePackage({File("data/a.txt", Noise(400 * 1024))}, 64 * 1024, 40);
  ServeVersion("2.0");
  noticeAnswer_ = 1;
  onNotice_ = [](CNoticeDialog& notice) {
    notice.PlaceAtScreenCorner();
    notice.show();
    EXPECT_EQ(notice.Button(IDOK).text(), QStringLiteral("确定"));
    notice.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&notice));
    // Tab goes round the two buttons, never to the title bar's close.
    EXPECT_EQ(notice.focusWidget(), &notice.Button(IDOK));
    QTest::keyClick(&notice, Qt::Key_Tab);
    QTest::keyClick(&notice, Qt::Key_Tab);
    EXPECT_EQ(notice.focusWidget(), &notice.Button(IDOK));
    SaveScreenshot(notice, QStringLiteral("update_notice"));
    notice.hide();
  };
  for (const UINT timer : {CUpdateDlg::kStartTimer, CUpdateDlg::kCheckTimer}) {
    auto dialog = MakeDialog();
    bool shownDownloading = false;
    WhileRunning([&] {
      if (dialog->State() != kDownloading) return false;
      shownDownloading = dialog->isVisible();
      // The first run downloads; the second finds the package already there.
      if (timer != CUpdateDlg::kStartTimer) return true;
      if (dialog->ProgressValue() < 30) return false;
      SaveScreenshot(*dialog, QStringLiteral("update_state_4"));
      return true;
    });
    const int ticks = timer == CUpdateDlg::kStartTimer ? 1 : kTicksPerCheck;
    for (int tick = 0; tick < ticks; ++tick) dialog->OnTimer(timer);
    EXPECT_TRUE(shownDownloading) << timer;
    EXPECT_EQ(dialog->State(), kDone) << timer;
    EXPECT_EQ(ReadFile("data/a.txt").size(), 400 * 1024);
  }
}

TEST_F(UpdateMessageTest, CheckRequestShowsTheWindowAndTheServersAnswer) {
  Configure("1.0");
  auto dialog = MakeDialog();
  const auto ask = [&] { return SendMessage(dialog->Handle(), UM_CHECK_UPDATE, 0, 0); };
  ask();  // no version file
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(dialog->State(), kServerFailed);
  dialog->OnUpgradeButton();
  EXPECT_FALSE(dialog->isVisible());
  ServeVersion("1.0");
  ask();
  EXPECT_EQ(dialog->State(), kUpToDate);
  dialog->OnUpgradeButton();
  ServeVersion("2.0");
  ask();
  EXPECT_EQ(dialog->State(), kOffered);
  EXPECT_EQ(dialog->StatusText(), QStringLiteral("2.0，是否需要升级？"));
  SaveScreenshot(*dialog, QStringLiteral("update_state_3"));
  // In states 1-10 a request only shows the window.
  dialog->SetState(kDownloadFailed);
  dialog->hide();
  ask();
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(dialog->State(), kDownloadFailed);
  EXPECT_EQ(VersionRequests(), 3);
  EXPECT_TRUE(notices_.isEmpty());
}

TEST_F(UpdateMessageTest, CheckRequestDuringTheStartCheckTakesItsResult) {
  Configure("1.0");
  const QByteArray body = "[UPDATE]\nVersion=2.0\nURL=x\nMD5=y\n";
  server_.Route("/update.ini", {200, body, true, 4, 30, -1, {}});
  auto dialog = MakeDialog();
  WhileRunning([&] { return PostMessage(dialog->Handle(), UM_CHECK_UPDATE, 0, 0); });
  dialog->OnTimer(CUpdateDlg::kStartTimer);
  EXPECT_EQ(VersionRequests(), 1);
  EXPECT_EQ(dialog->State(), kOffered);
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_TRUE(notices_.isEmpty());
  EXPECT_FALSE(dialog->CheckTimerRunning());
}

TEST_F(UpdateMessageTest, QuitEndsTheProgramExceptWhileWaitingOrInstalling) {
  for (int state = kIdle; state <= kNoticeOpen; ++state) {
    exits_.clear();
    auto dialog = MakeDialog();
    dialog->SetState(state);
    SendMessage(dialog->Handle(), UM_QUIT_UPDATER, 0, 0);
    const bool stays =
        state == kMainRunning || state == kInstalling || state == kInstallingAfterClose;
    EXPECT_EQ(exits_, stays ? std::vector<int>{} : std::vector<int>{0}) << "state " << state;
  }
}

// Each state's status text, button 1000's text, and which buttons and bar are shown.
TEST_F(UpdateMessageTest, EveryStateShowsItsTextAndButtons) {
  const struct {
    int state;
    const char* text;
    const char* button;  // null: button 1000 hidden, 1001 and 1003 shown instead
    bool progress;
  } states[] = {
      {kServerFailed, "获取服务器版本信息失败！", "确定", false},
      {kUpToDate, "当前已是最新版本，无需升级！", "确定", false},
      {kOffered, "，是否需要升级？", "一键升级", false},
      {kDownloading, "正在下载...\n0KB/0KB  0%", "在后台升级", true},
      {kDownloadFailed, "下载升级文件失败！\n是否重试？", "重试", false},
      {kInstalling, "下载升级包成功，正在安装...", "在后台升级", true},
      {kBadPackage, "安装包校验失败！\n是否重新下载？", "重试", false},
      {kMainRunning, "Quendra 正在运行，是否强制关闭并继续或确定关闭后继续？", nullptr, false},
      {kDone, "升级成功!", "完成", false},
      {kInstallingAfterClose, "正在安装...", "", false}};
  auto dialog = MakeDialog();
  dialog->show();
  for (const auto& row : states) {
    dialog->SetState(row.state);
    EXPECT_EQ(dialog->StatusText(), QString::fromUtf8(row.text)) << row.state;
    const bool choice = row.button == nullptr;
    const bool upgradeShown = !choice && row.state != kInstallingAfterClose;
    EXPECT_EQ(dialog->Button(IDC_UPGRADE).isVisible(), upgradeShown) << row.state;
    if (upgradeShown) {
      EXPECT_EQ(dialog->Button(IDC_UPGRADE).text(), QString::fromUtf8(row.button)) << row.state;
    }
    EXPECT_EQ(dialog->Button(IDC_FORCE_CLOSE).isVisible(), choice) << row.state;
    EXPECT_EQ(dialog->Button(IDC_CONFIRM_CLOSED).isVisible(), choice) << row.state;
    for (int id : {IDC_UPGRADE, IDC_FORCE_CLOSE, IDC_CONFIRM_CLOSED}) {
      EXPECT_TRUE(dialog->rect().contains(dialog->Button(id).geometry())) << id;
    }
    EXPECT_EQ(dialog->ProgressShown(), row.progress) << row.state;
  }
}

TEST_F(UpdateMessageTest, PlainButtonsDeepenWhileHeldDown) {
  auto dialog = MakeDialog();
  dialog->SetState(kOffered);
  CPlainButton& button = dialog->Button(IDC_UPGRADE);
  const auto fill = [&button] { return button.grab().toImage().pixel(3, 3) & 0xFFFFFFu; };
  EXPECT_EQ(fill(), 0xECF0F5u);
  button.setDown(true);
  EXPECT_EQ(fill(), 0xC4DEFAu);
}

TEST_F(UpdateMessageTest, ProgressInSixtyFourBitsAndOnlyFromInside) {
  auto dialog = MakeDialog();
  dialog->SetState(kDownloading);
  // Nothing received yet, or no total known: nothing to show.
  SendMessage(dialog->Handle(), UM_DOWNLOAD_PROGRESS, 0, 40 << 20);
  SendMessage(dialog->Handle(), UM_DOWNLOAD_PROGRESS, 40 << 20, 0);
  EXPECT_EQ(dialog->StatusText(), QStringLiteral("正在下载...\n0KB/0KB  0%"));
  SendMessage(dialog->Handle(), UM_DOWNLOAD_PROGRESS, 30 << 20, 40 << 20);
  EXPECT_EQ(dialog->ProgressValue(), 75);
  EXPECT_EQ(dialog->StatusText(), QStringLiteral("正在升级...\n30720KB/40960KB  75%"));
  // More than the total the server gave shows as done.
  SendMessage(dialog->Handle(), UM_DOWNLOAD_PROGRESS, 50 << 20, 40 << 20);
  EXPECT_EQ(dialog->StatusText(), QStringLiteral("正在升级...\n51200KB/40960KB  100%"));
  EXPECT_EQ(dialog->ProgressValue(), 100);
  SendMessage(dialog->Handle(), UM_DOWNLOAD_PROGRESS, 30 << 20, 40 << 20);
  SendMessage(dialog->Handle(), UM_DOWNLOAD_PROGRESS, static_cast<WPARAM>(-1), -1);
  EXPECT_EQ(dialog->ProgressValue(), 75);
  // The window class passes only the check and the quit.
  const std::unique_ptr<WindowChannel> channel = ServeUpdaterWindowClass(dialog->Handle());
  ASSERT_TRUE(channel->IsListening());
  const std::size_t handled = dialog->received.size();
  ASSERT_TRUE(PostToWindowClass(kUpdaterWindowClass, UM_DOWNLOAD_PROGRESS, 40, 40));
  ASSERT_TRUE(PostToWindowClass(kUpdaterWindowClass, UM_QUIT_UPDATER, 0, 0));
  EXPECT_EVENTUALLY_EQ(dialog->received.back().msg, UM_QUIT_UPDATER);
  EXPECT_EQ(dialog->ProgressValue(), 75);
  EXPECT_EQ(dialog->received.size(), handled + 1);
  dialog->SetState(kDownloading);  // a new transfer starts at 0
  EXPECT_EQ(dialog->ProgressValue(), 0);
}

TEST_F(UpdateMessageTest, CloseMidDownloadCancelsAndTheRetryDownloads) {
  Configure("1.0");
  ServePackage({File("data/a.txt", Noise(300 * 1024))}, 16 * 1024, 30);
  ServeVersion("2.0");
  auto dialog = MakeDialog();
  SendMessage(dialog->Handle(), UM_CHECK_UPDATE, 0, 0);
  WhileRunning([&] {
    if (dialog->ProgressValue() == 0) return false;
    dialog->close();
    return true;
  });
  dialog->OnUpgradeButton();
  EXPECT_EQ(dialog->received.back(),
            (testsupport::Message{UM_DOWNLOAD_PROGRESS, static_cast<WPARAM>(-1), -1}));
  EXPECT_EQ(dialog->State(), kDownloadFailed);
  EXPECT_FALSE(dialog->isVisible());
  dialog->OnUpgradeButton();
  EXPECT_EQ(dialog->State(), kDone);
  EXPECT_EQ(server_.Requests("/update.zip"), 2);
}

// A quit during the transfer cancels it and ends the program; nothing follows it.
TEST_F(UpdateMessageTest, QuitMidDownloadCancelsItAndEnds) {
  Configure("1.0");
  ServePackage({File("data/a.txt", Noise(300 * 1024))}, 16 * 1024, 30);
  ServeVersion("2.0");
  auto dialog = MakeDialog();
  SendMessage(dialog->Handle(), UM_CHECK_UPDATE, 0, 0);
  WhileRunning([&] {
    if (dialog->ProgressValue() == 0) return false;
    SendMessage(dialog->Handle(), UM_QUIT_UPDATER, 0, 0);
    return true;
  });
  dialog->OnUpgradeButton();
  EXPECT_EQ(exits_, std::vector<int>{0});
  EXPECT_EQ(dialog->State(), kDownloading);
  EXPECT_FALSE(QFile::exists(GetAppDir() + QStringLiteral("data/a.txt")));
}

// A package already downloaded waits a moment before its install: a close then cancels
// the install as it would have cancelled the download, and the retry installs it.
TEST_F(UpdateMessageTest, CloseDuringThePauseBeforeAnInstallCancelsIt) {
  Configure("1.0");
  ServePackage({File("data/a.txt", "new")});
  ServeVersion("2.0");
  auto dialog = MakeDialog();
  SendMessage(dialog->Handle(), UM_CHECK_UPDATE, 0, 0);
  dialog->OnUpgradeButton();
  ASSERT_EQ(dialog->State(), kDone);
  PutFile("data/a.txt", "old");
  dialog->SetState(kOffered);
  WhileRunning([&] {
    if (dialog->State() != kDownloading) return false;
    dialog->close();
    return true;
  });
  dialog->OnUpgradeButton();
  EXPECT_EQ(dialog->State(), kDownloadFailed);
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(ReadFile("data/a.txt"), "old");
  dialog->OnUpgradeButton();
  EXPECT_EQ(dialog->State(), kDone);
  EXPECT_EQ(ReadFile("data/a.txt"), "new");
  EXPECT_EQ(server_.Requests("/update.zip"), 1);
}

// Without a tray (the offscreen platform) the background button minimises the window.
TEST_F(UpdateMessageTest, TrayOrItsStandInAndTheTraysClicksAndMenu) {
  ASSERT_FALSE(UpdateTray::Available());
  auto dialog = MakeDialog();
  for (const int state : {kDownloading, kInstalling}) {
    dialog->SetState(state);
    dialog->showNormal();
    dialog->OnUpgradeButton();
    EXPECT_TRUE(dialog->isMinimized()) << state;
  }
  EXPECT_FALSE(dialog->TrayShown());
  // The icon's clicks come to the window as its messages.
  QSystemTrayIcon* icon = dialog->findChild<QSystemTrayIcon*>();
  ASSERT_NE(icon, nullptr);
  const auto click = [&](QSystemTrayIcon::ActivationReason why) {
    emit icon->activated(why);
    QCoreApplication::processEvents();
  };
  for (const auto why : {QSystemTrayIcon::Trigger, QSystemTrayIcon::DoubleClick}) {
    dialog->hide();
    click(why);
    EXPECT_TRUE(dialog->isVisible()) << why;
  }
  dialog->hide();
  click(QSystemTrayIcon::MiddleClick);
  EXPECT_FALSE(dialog->isVisible());
  // The menu opens once the posted click arrives; its "s" item shows the window.
  QTimer menuWatch;
  QObject::connect(&menuWatch, &QTimer::timeout, [&menuWatch] {
    if (QWidget* popup = QApplication::activePopupWidget()) {
      menuWatch.stop();
      QTest::keyClicks(popup, QStringLiteral("s"));
    }
  });
  menuWatch.start(5);
  click(QSystemTrayIcon::Context);
  EXPECT_EQ(dialog->received.back(), (testsupport::Message{WM_COMMAND, ID_TRAY_SHOW, 0}));
  EXPECT_TRUE(dialog->isVisible());
}

// The window and the notice in the language the main program stores, each text whole;
// the Chinese texts when no language file can be read.
TEST_F(UpdateMessageTest, TextsInTheStoredLanguage) {
  PutFile("setting.cfg", "[CONFIG]\nLanguage=4\n");
  SelectUpdaterLanguage();
  EXPECT_EQ(LanguageIndex, 4);
  EXPECT_TRUE(LangIniPath.endsWith(QStringLiteral("/language/Russian.ini")));
  EXPECT_EQ(UpdateText(kDoneText), QStringLiteral("升级成功!"));  // no file there

  const QString folder = QStringLiteral(QUENDRA_SOURCE_DIR "/resources/language/");
  const struct {
    const char* file;
    const char* tag;
    const char* done;
  } languages[] = {
      {"english.ini", "en", "Update successful!"},
      {"Russian.ini", "ru", "Обновление выполнено!"},
      {"Persia.ini", "fa", "به‌روزرسانی با موفقیت انجام شد!"}};
  for (const auto& language : languages) {
    LangIniPath = folder + QString::fromLatin1(language.file);
    const QString tag = QString::fromLatin1(language.tag);
    auto dialog = MakeDialog();
    dialog->show();
    QStringList cut;
    for (const int state : {kOffered, kBadPackage, kMainRunning, kDone}) {
      dialog->SetState(state);
      SaveScreenshot(*dialog, QStringLiteral("update_%1_state_%2").arg(tag).arg(state));
      cut << CutTexts(*dialog);
    }
    EXPECT_EQ(dialog->StatusText(), QString::fromUtf8(language.done));
    // A message longer than a line wraps inside the notice instead of running off it.
    CNoticeDialog notice(QStringLiteral("2.0"),
                         QStringLiteral("Programs are edited faster and several faults are fixed"),
                         nullptr);
    notice.show();
    SaveScreenshot(notice, QStringLiteral("update_notice_") + tag);
    cut << CutTexts(notice);
    EXPECT_EQ(cut.join(u'|').toStdString(), "") << language.tag;
    EXPECT_TRUE(notice.Caption().contains(QStringLiteral("2.0")));
  }
  LangIniPath.clear();
}

}  // namespace
