// The start of the main program: one instance per user, folders, and the hand-over to
// a waiting new updater with no updater running, one that quits when told and one that
// never does.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

#include "app/startup/quendra_app.h"
#include "model/common/app_paths.h"
#include "platform/window_channel.h"
#include "tests/app/app_fixture.h"
#include "tests/support/eventually.h"

namespace {

using apptest::AppTest;

// Records what the start shows, starts and runs.
struct Recorder {
  QStringList boxes;
  QStringList launched;
  int windows = 0;

  StartupHooks Hooks(int updaterWaitMs = 5000) {
    return {[this](const QString& text, const QString& caption) { boxes << caption + text; },
            [this](const QString& program) { launched << program; }, [this] { return ++windows; },
            updaterWaitMs};
  }
};

void WriteFile(const QString& path, const QByteArray& content) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(content);
}

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The stand-in updater, serving its window class until it quits.
struct FakeUpdater {
  explicit FakeUpdater(const QString& mode) : record(GetAppDir() + QStringLiteral("frames.txt")) {
    process.start(QStringLiteral(FAKE_UPDATER), {mode, record});
  }
  ~FakeUpdater() {
    process.kill();
    process.waitForFinished();
  }
  QProcess process;
  QString record;
};

}  // namespace

TEST_F(AppTest, SecondStartShowsTheBoxAndAStaleLockDoesNot) {
  {
    QLockFile held(InstanceLockPath());
    ASSERT_TRUE(held.tryLock(0));
    // In the stored language (English here), in Chinese by the stored choice, and in
    // Chinese when no language file can be read.
    const auto secondStart = [] {
      Recorder recorder;
      EXPECT_FALSE(CQuendraApp(recorder.Hooks()).InitInstance());
      EXPECT_EQ(recorder.windows, 0);
      EXPECT_TRUE(recorder.launched.isEmpty());
      return recorder.boxes;
    };
    EXPECT_EQ(secondStart(), QStringList{QStringLiteral("Note:The program is already running!")});
    WriteFile(GetAppDir() + QStringLiteral("setting.cfg"), "[CONFIG]\nLanguage=1\n");
    EXPECT_EQ(secondStart(), QStringList{QStringLiteral("提示:该程序已经运行了!")});
    ASSERT_TRUE(QDir(GetAppDir() + QStringLiteral("language")).removeRecursively());
    WriteFile(GetAppDir() + QStringLiteral("setting.cfg"), "[CONFIG]\nLanguage=2\n");
    EXPECT_EQ(secondStart(), QStringList{QStringLiteral("提示:该程序已经运行了!")});
  }
  // A lock left by a process that has ended.
  WriteFile(InstanceLockPath(), "999999\nQuendra\n" + QSysInfo::machineHostName().toUtf8() + "\n");
  // A plain file where a folder should be is no reason to stop.
  WriteFile(AppFolderPath(AppFolder::Temp).chopped(1), "not a folder");
  Recorder recorder;
  EXPECT_TRUE(CQuendraApp(recorder.Hooks()).InitInstance());
  EXPECT_EQ(recorder.windows, 1);
  EXPECT_TRUE(recorder.boxes.isEmpty());
  EXPECT_TRUE(QFileInfo(AppFolderPath(AppFolder::UserData)).isDir());
  EXPECT_TRUE(QFileInfo(AppFolderPath(AppFolder::Project)).isDir());
  EXPECT_EQ(recorder.launched, QStringList{GetAppDir() + kUpdaterFile});
}

TEST_F(AppTest, WithoutARuntimeFolderTheProgramMakesAPrivateOneNeverTakingAnotherUsers) {
  QTemporaryDir temp, cache;
  qunsetenv("XDG_RUNTIME_DIR");
  qputenv("TMPDIR", temp.path().toLocal8Bit());
  qputenv("XDG_CACHE_HOME", cache.path().toLocal8Bit());
  const QString own = temp.path() + QStringLiteral("/quendra-%1").arg(::geteuid());
  const auto start = [] {
    Recorder recorder;
    EXPECT_TRUE(CQuendraApp(recorder.Hooks()).InitInstance());
    EXPECT_TRUE(recorder.boxes.isEmpty()) << recorder.boxes.join(' ').toStdString();
  };
  start();
  EXPECT_EQ(InstanceLockPath(), own + QStringLiteral("/Quendra6.lock"));
  struct stat info {};
  ASSERT_EQ(::lstat(QFile::encodeName(own).constData(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);

  // Someone else's folder at that name (as root: another owner; else: open to all).
  ASSERT_TRUE(QDir(own).removeRecursively());
  ASSERT_EQ(::mkdir(QFile::encodeName(own).constData(), 0777), 0);
  ASSERT_EQ(::chmod(QFile::encodeName(own).constData(), 0777), 0);
  if (::geteuid() == 0) {
    ASSERT_EQ(::chown(QFile::encodeName(own).constData(), 65534, 65534), 0);
  }
  start();
  EXPECT_EQ(InstanceLockPath(), cache.path() + QStringLiteral("/quendra-runtime/Quendra6.lock"));
  EXPECT_TRUE(QDir(own).isEmpty());
  qunsetenv("TMPDIR");
  qunsetenv("XDG_CACHE_HOME");
}

TEST_F(AppTest, WaitingUpdaterReplacesTheOldOneWhenNoneRuns) {
  WriteFile(GetAppDir() + kUpdaterFile, "old");
  WriteFile(GetAppDir() + kWaitingUpdaterFile, "new");
  Recorder recorder;
  EXPECT_TRUE(CQuendraApp(recorder.Hooks()).InitInstance());
  EXPECT_EQ(ReadFile(GetAppDir() + kUpdaterFile), "new");
  EXPECT_TRUE(QFileInfo(GetAppDir() + kUpdaterFile).isExecutable());
  EXPECT_FALSE(QFile::exists(GetAppDir() + kWaitingUpdaterFile));
  EXPECT_EQ(recorder.launched, QStringList{GetAppDir() + kUpdaterFile});
}

TEST_F(AppTest, RunningUpdaterIsToldToQuitBeforeTheSwap) {
  WriteFile(GetAppDir() + kUpdaterFile, "old");
  WriteFile(GetAppDir() + kWaitingUpdaterFile, "new");
  FakeUpdater updater(QStringLiteral("quit"));
  EXPECT_EVENTUALLY(WindowClassExists(kUpdaterWindowClass));
  Recorder recorder;
  EXPECT_TRUE(CQuendraApp(recorder.Hooks()).InitInstance());
  EXPECT_TRUE(ReadFile(updater.record).startsWith("1060 0 0\n"));
  EXPECT_EVENTUALLY_EQ(updater.process.state(), QProcess::NotRunning);
  EXPECT_EQ(ReadFile(GetAppDir() + kUpdaterFile), "new");
}

TEST_F(AppTest, UpdaterThatStaysDelaysTheStartOnlyByTheBound) {
  WriteFile(GetAppDir() + kUpdaterFile, "old");
  WriteFile(GetAppDir() + kWaitingUpdaterFile, "new");
  FakeUpdater updater(QStringLiteral("ignore"));
  EXPECT_EVENTUALLY(WindowClassExists(kUpdaterWindowClass));
  Recorder recorder;
  QElapsedTimer started;
  started.start();
  EXPECT_TRUE(CQuendraApp(recorder.Hooks(500)).InitInstance());
  EXPECT_LT(started.elapsed(), 4000);
  EXPECT_EQ(recorder.windows, 1);
  EXPECT_EQ(ReadFile(GetAppDir() + kUpdaterFile), "old");
  EXPECT_EQ(ReadFile(GetAppDir() + kWaitingUpdaterFile), "new");
  EXPECT_EQ(recorder.launched, QStringList{GetAppDir() + kUpdaterFile});
}
