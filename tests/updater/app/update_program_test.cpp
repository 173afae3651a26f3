// The real update program in a temporary program folder: one instance, the quit on its
// window class, and the undo of an install a crash left half done.

#include <gtest/gtest.h>

#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <list>

#include "model/common/app_dir.h"
#include "platform/window_channel.h"
#include "tests/support/eventually.h"
#include "tests/updater/core/package_builder.h"
#include "updater/app/update_app.h"
#include "updater/core/package_install.h"

using namespace updatertest;

namespace {

class UpdateProgramTest : public testing::Test {
 protected:
  void SetUp() override { qputenv("XDG_RUNTIME_DIR", runtime_.path().toLocal8Bit()); }
  void TearDown() override {
    for (QProcess& process : processes_) {
      process.kill();
      process.waitForFinished();
    }
    qunsetenv("XDG_RUNTIME_DIR");
  }

  // Starts the program with the test's program and runtime folders.
  QProcess& Start() {
    QProcess& process = processes_.emplace_back();
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(QStringLiteral(UPDATE_PROGRAM), {});
    return process;
  }

  QTemporaryDir runtime_;
  std::list<QProcess> processes_;
};

TEST_F(UpdateProgramTest, SecondStartEndsAtOnceAndAQuitOnTheSocketEndsTheFirst) {
  QProcess& first = Start();
  EXPECT_EVENTUALLY(WindowClassExists(kUpdaterWindowClass));
  QProcess& second = Start();
  ASSERT_TRUE(second.waitForFinished(5000));
  EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(second.exitCode(), 0);
  EXPECT_EQ(first.state(), QProcess::Running);

  ASSERT_TRUE(PostToWindowClass(kUpdaterWindowClass, UM_QUIT_UPDATER, 0, 0));
  ASSERT_TRUE(first.waitForFinished(1000));
  EXPECT_EQ(first.exitCode(), 0);
  EXPECT_FALSE(WindowClassExists(kUpdaterWindowClass));
  QLockFile lock(UpdaterLockPath());
  EXPECT_TRUE(lock.tryLock(0));
}

TEST_F(UpdateProgramTest, InstallAKilledUpdaterLeftIsUndoneAtTheStart) {
  PutFile("data/a.txt", "old a");
  PutFile("data/b.txt", "old b");
  const QString md5 = PlacePackage({File("data/a.txt", "new a"), File("data/b.txt", "new b")});
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    UpdateOptions options;
    options.installHook = [](InstallStep step, int index) {
      if (step == InstallStep::Rename && index == 1) raise(SIGKILL);
      return true;
    };
    InstallPackage(md5, options, nullptr);
    _exit(0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status));
  ASSERT_EQ(ReadFile("data/a.txt"), "new a");  // half installed

  Start();
  EXPECT_EVENTUALLY(WindowClassExists(kUpdaterWindowClass));
  // The undo runs once the window class is served; its end removes the journal, after
  // a sync that takes its time on a busy disk.
  EXPECT_EVENTUALLY_WITHIN(
      !QFile::exists(GetAppDir() + QStringLiteral("UpdateData/install.journal")), 30000);
  EXPECT_EQ(ReadFile("data/a.txt"), "old a");
  EXPECT_EQ(ReadFile("data/b.txt"), "old b");
}

}  // namespace
