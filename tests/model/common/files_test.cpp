#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <unistd.h>

#include <cerrno>

#include "model/common/app_dir.h"
#include "model/common/app_paths.h"
#include "model/common/atomic_file.h"
#include "model/common/file_system.h"
#include "model/common/regular_file.h"
#include "tests/support/fifo_watchdog.h"

namespace {

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void WriteText(const QString& path, const QByteArray& data) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(data);
}

TEST(AppDir, FollowsTheOverrideWithOneSpellingPerFolder) {
  const QString home = qEnvironmentVariable("QUENDRA_HOME");
  ASSERT_FALSE(home.isEmpty());
  EXPECT_EQ(GetAppDir(), home + "/");
  EXPECT_EQ(AppFilePath(AppFolder::Temp, u"x.pak"), home + "/Temp/x.pak");
  EXPECT_EQ(AppFolderPath(AppFolder::UserData), home + "/UserData/");
  EXPECT_EQ(AppFolderName(AppFolder::Project), "project");
  EXPECT_EQ(AppFolderName(AppFolder::Language), "language");
  EXPECT_EQ(FromStoredPath(u"C:\\media\\a.bmp"), "C:/media/a.bmp");
}

TEST(FileSystem, FilesAndFoldersAreTold) {
  const QString root = GetAppDir();
  WriteText(root + "file.txt", "x");
  EXPECT_TRUE(FileExists(root + "file.txt"));
  EXPECT_FALSE(FileExists(root));
  EXPECT_FALSE(FileExists(root + "none"));
  EXPECT_FALSE(FileExists(""));
  EXPECT_TRUE(DirExists(root));
  EXPECT_FALSE(DirExists(root + "file.txt"));
}

TEST(FileSystem, CreateDirTreeMakesEveryMissingLevel) {
  const QString root = GetAppDir();
  EXPECT_TRUE(CreateDirTree(root));  // exists already
  EXPECT_TRUE(CreateDirTree(root + "a/b/c"));
  EXPECT_TRUE(DirExists(root + "a/b/c"));
  EXPECT_TRUE(CreateDirTree(root + "d\\e\\"));  // Windows separators, trailing one
  EXPECT_TRUE(DirExists(root + "d/e"));
  WriteText(root + "plain", "x");
  EXPECT_FALSE(CreateDirTree(root + "plain/sub"));
  EXPECT_FALSE(CreateDirTree(""));
}

TEST(AtomicFile, ReplacesTheWholeFile) {
  const QString path = GetAppDir() + "data.bin";
  WriteText(path, "old content that is longer");
  QString error;
  ASSERT_TRUE(WriteFileAtomically(path, "new", &error)) << qPrintable(error);
  EXPECT_EQ(ReadAll(path), "new");
  EXPECT_FALSE(QFile::exists(path + ".tmp"));
}

TEST(AtomicFile, FailureLeavesTheOldFileIntact) {
  const QString path = GetAppDir() + "data.bin";
  WriteText(path, "precious");
  // A folder where the temporary file would go.
  ASSERT_TRUE(QDir().mkdir(path + ".tmp"));
  QString error;
  EXPECT_FALSE(WriteFileAtomically(path, "new", &error));
  EXPECT_FALSE(error.isEmpty());
  EXPECT_EQ(ReadAll(path), "precious");

  // The target itself is a folder: the rename fails and nothing is left behind.
  ASSERT_TRUE(QDir().rmdir(path + ".tmp"));
  const QString folder = GetAppDir() + "folder";
  ASSERT_TRUE(QDir().mkdir(folder));
  WriteText(folder + "/inside", "kept");
  EXPECT_FALSE(WriteFileAtomically(folder, "new", &error));
  EXPECT_EQ(ReadAll(folder + "/inside"), "kept");
  EXPECT_FALSE(QFile::exists(folder + ".tmp"));
}

TEST(AtomicFile, UncommittedWriteIsRolledBack) {
  const QString path = GetAppDir() + "data.bin";
  WriteText(path, "old");
  {
    AtomicFile file(path);
    ASSERT_TRUE(file.Open());
    ASSERT_TRUE(file.Write("half"));
  }
  EXPECT_EQ(ReadAll(path), "old");
  EXPECT_FALSE(QFile::exists(path + ".tmp"));
}

TEST(AtomicFile, MissingFolderIsReported) {
  QString error;
  EXPECT_FALSE(WriteFileAtomically(GetAppDir() + "no/such/file", "x", &error));
  EXPECT_TRUE(error.contains("cannot create")) << qPrintable(error);
}

TEST(AtomicFile, PlantedLinksAndFifosAtTheTemporaryNameAreNeitherWrittenThroughNorWaitedOn) {
  const QString root = GetAppDir();
  const QString other = root + "other.bin";
  WriteText(other, "someone else's");
  const QString single = root + "single.bin";
  ASSERT_EQ(::link(QFile::encodeName(other), QFile::encodeName(single + ".tmp")), 0);
  ASSERT_TRUE(WriteFileAtomically(single, "new"));
  AtomicFileBatch batch;
  const QString staged = root + "staged.bin";
  ASSERT_EQ(::link(QFile::encodeName(other), QFile::encodeName(staged + ".tmp")), 0);
  ASSERT_TRUE(batch.Stage(staged, "staged") && batch.Commit());
  EXPECT_EQ(ReadAll(other), "someone else's");
  EXPECT_EQ(ReadAll(single), "new");
  EXPECT_EQ(ReadAll(staged), "staged");

  ASSERT_TRUE(fifotest::MakeFifo(single + ".tmp"));
  EXPECT_TRUE(fifotest::ReturnsPromptly(single, [&] { return WriteFileAtomically(single, "2"); }));
  EXPECT_EQ(ReadAll(single), "2");
}

TEST(RegularFile, OnlyRegularFilesAreReadAndNoneIsWaitedOn) {
  const QString root = GetAppDir();
  WriteText(root + "plain.bin", "abc");
  QByteArray bytes = "old";
  EXPECT_EQ(ReadRegularFile(root + "plain.bin", &bytes, 2), EFBIG);
  EXPECT_EQ(bytes, "old") << "untouched on failure";
  EXPECT_EQ(ReadRegularFile(root + "plain.bin", &bytes, 3), 0);
  EXPECT_EQ(bytes, "abc");
  const QString fifo = root + "fifo";
  ASSERT_TRUE(fifotest::MakeFifo(fifo));
  EXPECT_EQ(fifotest::ReturnsPromptly(fifo, [&] { return ReadRegularFile(fifo, &bytes); }), EINVAL);
  EXPECT_EQ(ReadRegularFile(root, &bytes), EISDIR);
  EXPECT_EQ(ReadRegularFile("/dev/zero", &bytes), EINVAL);
  EXPECT_EQ(ReadRegularFile(root + "none", &bytes), ENOENT);
  EXPECT_EQ(bytes, "abc");
}

}  // namespace
