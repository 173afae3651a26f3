// The upgrade end to end against a loopback server: the digest, the wait for the main
// program (a stand-in serving "Quendra6"), the install with its failures and its
// script, and the main program's new start.

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTest>

#include "tests/support/eventually.h"
#include "tests/support/screenshot.h"
#include "tests/updater/app/update_fixture.h"
#include "updater/app/plain_button.h"
#include "updater/app/update_ids.h"
#include "updater/core/updater_messages.h"

using namespace updatertest;

namespace {

class UpgradeTest : public UpdateDlgTest {
 protected:
  void SetUp() override {
    UpdateDlgTest::SetUp();
    PutFile("data/a.txt", "old");
    Configure("1.0");
  }
  // A dialog offering the server's version (state 3).
  std::unique_ptr<RecordingUpdateDlg> Offered() {
    auto dialog = MakeDialog();
    SendMessage(dialog->Handle(), UM_CHECK_UPDATE, 0, 0);
    EXPECT_EQ(dialog->State(), kOffered);
    return dialog;
  }
  void ExpectChoiceShown(const CUpdateDlg& dialog) {
    EXPECT_EQ(dialog.State(), kMainRunning);
    EXPECT_FALSE(dialog.Button(IDC_UPGRADE).isVisible());
    EXPECT_TRUE(dialog.Button(IDC_FORCE_CLOSE).isVisible());
    EXPECT_TRUE(dialog.Button(IDC_CONFIRM_CLOSED).isVisible());
  }
};

const QString kCloseBox = QStringLiteral("错误|请手动关闭 Quendra !");

TEST_F(UpgradeTest, WrongDigestUnpacksNothing) {
  ServePackage({File("data/a.txt", "new")});
  ServeVersion("2.0", "00112233445566778899AABBCCDDEEFF");
  auto dialog = Offered();
  dialog->OnUpgradeButton();
  EXPECT_EQ(dialog->State(), kBadPackage);
  EXPECT_EQ(ReadFile("data/a.txt"), "old");
}

// With the main program running: the choice, the box while it still runs, its end on
// request, the install (a quit meanwhile is ignored) and the new start of the package's
// main program in the program folder. A declined offer before keeps timer 1 stopped
// until then.
TEST_F(UpgradeTest, ForceCloseEndsTheMainProgramInstallsAndStartsTheNewOne) {
  ServePackage(
      {File("Quendra", "#!/bin/sh\npwd -P > started.txt\n", 0100755), File("data/a.txt", "new")});
  ServeVersion("2.0");
  FakeMainProgram main(QStringLiteral("quit"));
  EXPECT_EVENTUALLY(WindowClassExists(kMainWindowClass));
  auto dialog = MakeDialog();
  // A check asked for while the notice is open waits for its answer.
  onNotice_ = [&](CNoticeDialog&) {
    SendMessage(dialog->Handle(), UM_CHECK_UPDATE, 0, 0);
    EXPECT_EQ(dialog->State(), kNoticeOpen);
    EXPECT_FALSE(dialog->isVisible());
  };
  dialog->OnTimer(CUpdateDlg::kStartTimer);  // declined
  onNotice_ = nullptr;
  EXPECT_EQ(notices_, QStringList{QStringLiteral("发现新版本，版本号：2.0|修复问题\n更快")});
  EXPECT_EQ(dialog->State(), kIdle);
  EXPECT_FALSE(dialog->CheckTimerRunning());
  SendMessage(dialog->Handle(), UM_CHECK_UPDATE, 0, 0);
  dialog->OnUpgradeButton();
  ExpectChoiceShown(*dialog);
  SaveScreenshot(*dialog, QStringLiteral("update_state_8"));
  dialog->OnConfirmClosedButton();
  EXPECT_EQ(boxes_, QStringList{kCloseBox});
  ExpectChoiceShown(*dialog);

  bool sawStateTen = false;
  WhileRunning([&] {
    if (dialog->State() != kInstallingAfterClose) return false;
    sawStateTen = true;
    SendMessage(dialog->Handle(), UM_QUIT_UPDATER, 0, 0);
    return true;
  });
  dialog->OnForceCloseButton();
  EXPECT_TRUE(main.Record().startsWith("1057 0 0\n"));
  EXPECT_EVENTUALLY_EQ(main.process.state(), QProcess::NotRunning);
  EXPECT_TRUE(sawStateTen);
  EXPECT_TRUE(exits_.empty());
  EXPECT_EQ(dialog->State(), kDone);
  EXPECT_TRUE(dialog->Button(IDC_UPGRADE).isVisible());
  SaveScreenshot(*dialog, QStringLiteral("update_state_9"));
  EXPECT_EQ(ReadFile("data/a.txt"), "new");
  EXPECT_FALSE(dialog->CheckTimerRunning());

  const QString before = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(scratch_.path()));
  dialog->OnUpgradeButton();
  ASSERT_TRUE(QDir::setCurrent(before));
  EXPECT_EQ(dialog->State(), kIdle);
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_TRUE(dialog->CheckTimerRunning());
  EXPECT_EVENTUALLY_EQ(ReadFile("started.txt").trimmed(),
                       QFileInfo(GetAppDir()).canonicalFilePath().toUtf8());
  EXPECT_EQ(boxes_, QStringList{kCloseBox});  // the start raised no error
}

// Closed at the choice, the window goes idle and installs nothing; closed while it waits
// for the main program to leave, the wait and the install go on.
TEST_F(UpgradeTest, CloseAtTheChoiceIdlesCloseDuringTheWaitInstalls) {
  ServePackage({File("data/a.txt", "new")});
  ServeVersion("2.0");
  FakeMainProgram main(QStringLiteral("ignore"));
  EXPECT_EVENTUALLY(WindowClassExists(kMainWindowClass));
  auto dialog = Offered();
  dialog->OnUpgradeButton();
  ExpectChoiceShown(*dialog);
  dialog->close();
  EXPECT_EQ(dialog->State(), kIdle);
  EXPECT_FALSE(dialog->isVisible());

  SendMessage(dialog->Handle(), UM_CHECK_UPDATE, 0, 0);
  dialog->OnUpgradeButton();  // the package already there
  ExpectChoiceShown(*dialog);
  bool closedWhileWaiting = false;
  WhileRunning([&] {
    if (dialog->State() != kMainRunning || dialog->Button(IDC_FORCE_CLOSE).isVisible()) {
      return false;
    }
    dialog->close();
    closedWhileWaiting = dialog->State() == kMainRunning && !dialog->isVisible();
    main.process.kill();
    return true;
  });
  dialog->OnForceCloseButton();
  EXPECT_TRUE(closedWhileWaiting);
  EXPECT_EQ(dialog->State(), kDone);
  EXPECT_EQ(ReadFile("data/a.txt"), "new");
  EXPECT_TRUE(boxes_.isEmpty());
}

TEST_F(UpgradeTest, MainProgramThatStaysGivesTheBoxAfterTheBound) {
  ServePackage({File("data/a.txt", "new")});
  ServeVersion("2.0");
  FakeMainProgram main(QStringLiteral("ignore"));
  EXPECT_EVENTUALLY(WindowClassExists(kMainWindowClass));
  auto dialog = Offered();
  dialog->OnUpgradeButton();
  QElapsedTimer waited;
  waited.start();
  dialog->OnForceCloseButton();
  EXPECT_GE(waited.elapsed(), hooks_.mainProgramWaitMs);
  EXPECT_LT(waited.elapsed(), hooks_.mainProgramWaitMs + 3000);
  EXPECT_EQ(boxes_, QStringList{kCloseBox});
  ExpectChoiceShown(*dialog);
  EXPECT_TRUE(main.Record().startsWith("1057 0 0\n1057 0 0\n"));
  EXPECT_EQ(ReadFile("data/a.txt"), "old");
}

TEST_F(UpgradeTest, PackageLeavingTheFolderShowsTheFailureAndChangesNothing) {
  // A name beside the program folder that nothing else uses.
  const QString outside = QDir(GetAppDir()).dirName() + QStringLiteral("-outside");
  ServePackage({File("data/a.txt", "new"), File("../" + outside.toUtf8(), "outside")});
  ServeVersion("2.0");
  auto dialog = Offered();
  dialog->OnUpgradeButton();
  EXPECT_EQ(dialog->State(), kBadPackage);
  EXPECT_EQ(dialog->StatusText(), QStringLiteral("安装失败，原程序已恢复！\n是否重新下载？"));
  EXPECT_EQ(dialog->Button(IDC_UPGRADE).text(), QStringLiteral("重试"));
  SaveScreenshot(*dialog, QStringLiteral("update_install_failed"));
  EXPECT_EQ(ReadFile("data/a.txt"), "old");
  EXPECT_FALSE(QFile::exists(GetAppDir() + QStringLiteral("../") + outside));
}

TEST_F(UpgradeTest, QuitIsIgnoredWhileTheSetupScriptRuns) {
  ServePackage({File("data/a.txt", "new"),
                File("setup.sh", "touch started\nwhile [ ! -f go ]; do sleep 0.02; done\n")});
  ServeVersion("2.0");
  auto dialog = Offered();
  WhileRunning([&] {
    if (!QFile::exists(GetAppDir() + QStringLiteral("started"))) return false;
    EXPECT_EQ(dialog->State(), kInstalling);
    SendMessage(dialog->Handle(), UM_QUIT_UPDATER, 0, 0);
    dialog->close();  // only hides
    PutFile("go", "");
    return true;
  });
  dialog->OnUpgradeButton();
  EXPECT_TRUE(exits_.empty());
  EXPECT_EQ(dialog->State(), kDone);
  EXPECT_EQ(ReadFile("data/a.txt"), "new");
}

}  // namespace
