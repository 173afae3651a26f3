// Installing packages: hostile ones change nothing, good ones land whole, and every
// failure after the first rename (or a crash) puts the old program back.

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <ctime>

#include "model/common/app_dir.h"
#include "package_builder.h"
#include "platform/message_window.h"
#include "updater/core/package_check.h"
#include "updater/core/package_install.h"
#include "updater/core/updater_messages.h"

using namespace updatertest;

namespace {

int ModeOf(const QString& relative) {
  struct stat status {};
  if (lstat(QFile::encodeName(GetAppDir() + relative).constData(), &status) != 0) return -1;
  return static_cast<int>(status.st_mode & 07777);
}

// Records the path of each UM_EXTRACT_FILE.
class ExtractWindow : public MessageWindow {
 public:
  LRESULT WindowProc(UINT msg, WPARAM, LPARAM lParam) override {
    if (msg == UM_EXTRACT_FILE) paths.append(*reinterpret_cast<const QString*>(lParam));
    return 0;
  }
  QStringList paths;
};

class PackageInstallTest : public testing::Test {
 protected:
  // The installed program: a main file, a library folder, data and a setup script
  // an older package left.
  void SetUp() override {
    PutFile("Quendra", "old main program", 0755);
    PutFile("lib/libcore.so", "old library", 0640);
    PutFile("data/a.txt", "old data");
    PutFile("data/b.txt", "more old data");
  }

  // Places the package and takes the picture the install must keep or change.
  QString Place(const std::vector<ZipEntry>& entries) {
    const QString md5 = PlacePackage(entries);
    before_ = Picture(GetAppDir());
    return md5;
  }
  InstallResult Install(const std::vector<ZipEntry>& entries) {
    return InstallPackage(Place(entries), options_, nullptr);
  }
  void ExpectUnchanged(const char* what) { EXPECT_EQ(Picture(GetAppDir()), before_) << what; }

  UpdateOptions options_;
  QMap<QString, QString> before_;
};

TEST_F(PackageInstallTest, HostilePackagesAreRefusedBeforeAnythingIsWritten) {
  ZipEntry link = File("lib/libcore.so", "/etc/passwd", 0120777);
  ZipEntry fifo = File("pipe", "", 0010644);
  ZipEntry encrypted = File("data/a.txt", "x");
  encrypted.flags = 0x801;
  ZipEntry notUtf8 = File("bad\xff\xfe", "x");
  ZipEntry notUtf8Local = notUtf8;
  notUtf8Local.flags = 0;
  const struct {
    const char* what;
    std::vector<ZipEntry> entries;
    InstallResult result;
  } cases[] = {
      {"absolute", {File("/etc/evil", "x")}, InstallResult::BadPackage},
      {"absolute backslash", {File("\\evil", "x")}, InstallResult::BadPackage},
      {"drive", {File("C:evil", "x")}, InstallResult::BadPackage},
      {"colon", {File("data/a:b", "x")}, InstallResult::BadPackage},
      {"empty part", {File("data//a.txt", "x")}, InstallResult::BadPackage},
      {"dot", {File("./Quendra", "x")}, InstallResult::BadPackage},
      {"dot dot", {File("data/../../evil", "x")}, InstallResult::BadPackage},
      {"dot dot backslash", {File("data\\..\\..\\evil", "x")}, InstallResult::BadPackage},
      {"control", {File("data/a\x01.txt", "x")}, InstallResult::BadPackage},
      {"long name",
       {File(QByteArray("nnnnnnnnn/").repeated(25) + QByteArray(11, 'n'), "x")},
       InstallResult::BadPackage},
      {"not UTF-8", {notUtf8}, InstallResult::BadPackage},
      {"not in the locale", {notUtf8Local}, InstallResult::BadPackage},
      {"link", {link}, InstallResult::BadPackage},
      {"fifo", {fifo}, InstallResult::BadPackage},
      {"encrypted", {encrypted}, InstallResult::BadPackage},
      {"repeated", {File("x", "1"), File("x", "2")}, InstallResult::BadPackage},
      {"repeated by separator", {File("d/x", "1"), File("d\\x", "2")}, InstallResult::BadPackage},
      {"file and folder", {File("d", "1"), File("d/x", "2")}, InstallResult::BadPackage},
      {"reserved", {File("UpdateData/update.zip", "x")}, InstallResult::BadPackage},
      {"file where a folder is", {File("lib", "x")}, InstallResult::BlockedPath},
      {"folder where a file is", {File("data/a.txt/x", "x")}, InstallResult::BlockedPath},
  };
  for (const auto& hostile : cases) {
    EXPECT_EQ(Install(hostile.entries), hostile.result) << hostile.what;
    ExpectUnchanged(hostile.what);
  }
  // 260 bytes is the longest name; a part of a path is at most 255 bytes here.
  EXPECT_EQ(Install({File(QByteArray(256, 'n'), "x")}), InstallResult::BadPackage);
  EXPECT_EQ(Install({File(QByteArray("nnnnnnnnn/").repeated(25) + QByteArray(10, 'n'), "x")}),
            InstallResult::Installed);
}

TEST_F(PackageInstallTest, DamagedOrOversizedPackagesChangeNothing) {
  ZipEntry badCrc = File("data/a.txt", "new data");
  badCrc.declaredCrc = 0x12345678;
  ZipEntry longerThanData = File("data/a.txt", "new data");
  longerThanData.declaredSize = 150;
  ZipEntry shorterThanData = File("data/a.txt", "new data");
  shorterThanData.declaredSize = 3;
  ZipEntry notDeflate = File("data/a.txt", "\xff\xff\xff\xff");
  notDeflate.markedDeflated = true;
  // Each damaged entry comes after a good one, so staging has begun.
  const struct {
    const char* what;
    std::vector<ZipEntry> entries;
    InstallResult result;
  } cases[] = {
      {"bad CRC", {File("new.txt", "n"), badCrc}, InstallResult::StageFailed},
      {"size past the data", {File("new.txt", "n"), longerThanData}, InstallResult::StageFailed},
      {"size short of the data",
       {File("new.txt", "n"), shorterThanData},
       InstallResult::StageFailed},
      {"data no inflate reads", {File("new.txt", "n"), notDeflate}, InstallResult::StageFailed},
      {"too many entries",
       {File("1", "1"), File("2", "2"), File("3", "3"), File("4", "4")},
       InstallResult::BadPackage},
      {"too many bytes",
       {File("1", QByteArray(120, 'a')), File("2", QByteArray(120, 'b'))},
       InstallResult::BadPackage},
  };
  options_.maxEntries = 3;
  options_.maxUnpackedBytes = 200;
  for (const auto& damaged : cases) {
    EXPECT_EQ(Install(damaged.entries), damaged.result) << damaged.what;
    ExpectUnchanged(damaged.what);
  }

  // A package whose digest is not the version file's.
  Place({File("data/a.txt", "new")});
  EXPECT_EQ(InstallPackage(QString(32, u'0'), options_, nullptr), InstallResult::DigestMismatch);
  EXPECT_EQ(InstallPackage(QString(), options_, nullptr), InstallResult::DigestMismatch);
  ExpectUnchanged("digest");
}

TEST_F(PackageInstallTest, CutArchiveIsRefused) {
  const QString package = GetAppDir() + QStringLiteral("UpdateData/update.zip");
  Place({File("data/a.txt", QByteArray(5000, 'z'))});
  ASSERT_TRUE(QFile::resize(package, QFileInfo(package).size() - 30));
  QFile file(package);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray cut = file.readAll();
  before_ = Picture(GetAppDir());
  EXPECT_EQ(InstallPackage(
                QString::fromLatin1(QCryptographicHash::hash(cut, QCryptographicHash::Md5).toHex()),
                options_, nullptr),
            InstallResult::BadPackage);
  ExpectUnchanged("cut");
}

TEST_F(PackageInstallTest, LinksInTheProgramFolderAreNotFollowed) {
  QTemporaryDir outside;
  const QString outsidePath = outside.path();
  ASSERT_TRUE(QFile::link(outsidePath, GetAppDir() + QStringLiteral("plugins")));
  const QMap<QString, QString> outsideBefore = Picture(outsidePath);
  EXPECT_EQ(Install({File("plugins/evil.so", "x")}), InstallResult::BlockedPath);
  ExpectUnchanged("link on the way");
  EXPECT_EQ(Picture(outsidePath), outsideBefore);
  EXPECT_EQ(Install({File("plugins/", "", 040755)}), InstallResult::BlockedPath);
  EXPECT_EQ(Picture(outsidePath), outsideBefore);
}

TEST_F(PackageInstallTest, GoodPackageLandsWithFoldersModesAndTimes) {
  ZipEntry dosEntry = File("lib/libcore.so", "new library");
  dosEntry.unixMode = -1;  // no Unix mode: the replaced file's is kept
  ZipEntry setuid = File("bin/tool", "tool", 0104755);
  ZipEntry dated = File("sub\\deep/file.txt", "deep");
  dated.dosDate = (45u << 25) | (6u << 21) | (7u << 16) | (8u << 11) | (9u << 5) | 5u;
  const std::vector<ZipEntry> entries = {File("Quendra", "new main program", 0100755),
                                         dosEntry,
                                         setuid,
                                         dated,
                                         File("sub/other.txt", "other"),
                                         File("empty/", "", 040755)};
  ExtractWindow window;
  ASSERT_EQ(InstallPackage(Place(entries), options_, window.Handle()), InstallResult::Installed);
  EXPECT_EQ(window.paths, (QStringList{GetAppDir() + "Quendra", GetAppDir() + "lib/libcore.so",
                                       GetAppDir() + "bin/tool", GetAppDir() + "sub/deep/file.txt",
                                       GetAppDir() + "sub/other.txt"}));
  tm local{};
  local.tm_year = 125, local.tm_mon = 5, local.tm_mday = 7;
  local.tm_hour = 8, local.tm_min = 9, local.tm_sec = 10, local.tm_isdst = -1;
  struct stat status {};
  ASSERT_EQ(stat(QFile::encodeName(GetAppDir() + "sub/deep/file.txt").constData(), &status), 0);
  EXPECT_EQ(status.st_mtim.tv_sec, mktime(&local));
  EXPECT_EQ(status.st_atim.tv_sec, mktime(&local));
  EXPECT_EQ(ReadFile("Quendra"), "new main program");
  EXPECT_EQ(ModeOf("Quendra"), 0755);
  EXPECT_EQ(ReadFile("lib/libcore.so"), "new library");
  EXPECT_EQ(ModeOf("lib/libcore.so"), 0640);
  EXPECT_EQ(ModeOf("bin/tool"), 0755);
  EXPECT_EQ(ReadFile("sub/deep/file.txt"), "deep");
  EXPECT_EQ(ModeOf("sub/other.txt"), 0644);
  EXPECT_TRUE(QDir(GetAppDir() + QStringLiteral("empty")).exists());
  EXPECT_EQ(ReadFile("data/a.txt"), "old data");  // not in the package: kept
  const QDir updateData(GetAppDir() + QStringLiteral("UpdateData"));
  EXPECT_EQ(updateData.entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
            QStringList{"update.zip"});  // no staging, backup or journal
}

TEST_F(PackageInstallTest, RunningProgramIsReplacedAndRunsOn) {
  ASSERT_TRUE(QFile::copy(QStringLiteral("/bin/sleep"), GetAppDir() + QStringLiteral("runner")));
  QProcess running;
  running.start(GetAppDir() + QStringLiteral("runner"), {QStringLiteral("30")});
  ASSERT_TRUE(running.waitForStarted());
  EXPECT_EQ(Install({File("runner", "#!/bin/sh\n", 0100755)}), InstallResult::Installed);
  EXPECT_EQ(ReadFile("runner"), "#!/bin/sh\n");
  EXPECT_EQ(running.state(), QProcess::Running);
  running.kill();
  running.waitForFinished();
}

TEST_F(PackageInstallTest, SetupScriptRunsInTheProgramFolderAndGoes) {
  PutFile("setup.sh", "echo old > old-ran.txt\n");
  // A package without a script removes the old one and runs none.
  ASSERT_EQ(Install({File("data/a.txt", "v2")}), InstallResult::Installed);
  EXPECT_FALSE(QFile::exists(GetAppDir() + "setup.sh"));
  EXPECT_FALSE(QFile::exists(GetAppDir() + "old-ran.txt"));

  ASSERT_EQ(Install({File("setup.sh",
                          "pwd -P > where.txt\nread line && echo tty >> where.txt\n"
                          "exit 0\n")}),
            InstallResult::Installed);
  EXPECT_EQ(ReadFile("where.txt").trimmed(),
            QFileInfo(GetAppDir()).canonicalFilePath().toUtf8());  // stdin was empty
  EXPECT_FALSE(QFile::exists(GetAppDir() + "setup.sh"));
}

TEST_F(PackageInstallTest, FailuresAfterTheSwapBeganPutTheOldProgramBack) {
  PutFile("setup.sh", "old script\n");
  const std::vector<ZipEntry> base = {File("Quendra", "new main", 0100755),
                                      File("data/a.txt", "new a"), File("new/c.txt", "c"),
                                      File("data/b.txt", "new b")};
  auto with = [&](const QByteArray& script) {
    std::vector<ZipEntry> entries = base;
    entries.push_back(File("setup.sh", script));
    return entries;
  };
  EXPECT_EQ(Install(with("exit 3\n")), InstallResult::ScriptFailed);
  ExpectUnchanged("failing script");

  options_.scriptTimeoutMs = 300;
  EXPECT_EQ(Install(with("sleep 30\n")), InstallResult::ScriptFailed);
  ExpectUnchanged("hanging script");

  options_.installHook = [](InstallStep step, int index) {
    return !(step == InstallStep::Rename && index == 3);
  };
  EXPECT_EQ(Install(base), InstallResult::SwapFailed);
  ExpectUnchanged("third rename");

  options_.installHook = [](InstallStep step, int index) {
    return !(step == InstallStep::Stage && index == 2);
  };
  EXPECT_EQ(Install(base), InstallResult::StageFailed);
  ExpectUnchanged("staging");

  // A folder the package adds that cannot be made when the swap begins.
  options_.installHook = [](InstallStep step, int index) {
    if (step == InstallStep::Stage && index == 3) PutFile("new", "in the way");
    return true;
  };
  EXPECT_EQ(Install(base), InstallResult::SwapFailed);
  EXPECT_TRUE(QFile::remove(QDir(GetAppDir()).filePath(QStringLiteral("new"))));
  ExpectUnchanged("a folder in the way");
}

TEST_F(PackageInstallTest, CrashAfterTheThirdRenameIsRecovered) {
  const QString md5 = Place({File("Quendra", "new main", 0100755), File("data/a.txt", "new a"),
                             File("new/c.txt", "c"), File("data/b.txt", "new b")});
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    options_.installHook = [](InstallStep step, int index) {
      if (step == InstallStep::Rename && index == 3) raise(SIGKILL);
      return true;
    };
    InstallPackage(md5, options_, nullptr);
    _exit(0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(ReadFile("data/a.txt"), "new a");  // the crash left a half install
  EXPECT_TRUE(RecoverInterruptedInstall());
  ExpectUnchanged("recovered");
  EXPECT_TRUE(RecoverInterruptedInstall());  // nothing left to do
  EXPECT_EQ(InstallPackage(md5, options_, nullptr), InstallResult::Installed);
  EXPECT_EQ(ReadFile("new/c.txt"), "c");
}

TEST(EntryNameTest, SeparatorsAndFolders) {
  QStringList parts;
  bool isFolder = false;
  ASSERT_TRUE(SplitEntryName("a\\b/c.txt", &parts, &isFolder));
  EXPECT_EQ(parts, (QStringList{"a", "b", "c.txt"}));
  EXPECT_FALSE(isFolder);
  ASSERT_TRUE(SplitEntryName("a/b\\", &parts, &isFolder));
  EXPECT_EQ(parts, (QStringList{"a", "b"}));
  EXPECT_TRUE(isFolder);
  for (const char* bad : {"", "/", "\\a", "a/./b", "..", "a\x7f", "a/b//", "a//b", "C:"}) {
    EXPECT_FALSE(SplitEntryName(bad, &parts, &isFolder)) << bad;
  }
}

}  // namespace
