#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdlib>

#include "model/common/app_dir.h"
#include "model/common/file_association.h"

namespace {

QString ReadText(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

class FileAssociation : public testing::Test {
 protected:
  void SetUp() override {
    dataHome_ = GetAppDir() + "xdg";
    ::setenv("XDG_DATA_HOME", dataHome_.toLocal8Bit().constData(), 1);
  }
  void TearDown() override { ::unsetenv("XDG_DATA_HOME"); }

  QString dataHome_;
};

TEST_F(FileAssociation, MissingAssociationIsWrittenWithTheFixedProgramName) {
  EXPECT_FALSE(IsFileTypeRegistered("kqprjfile", ".kqprj"));
  ASSERT_TRUE(EnsureProjectFileAssociation());
  EXPECT_TRUE(IsFileTypeRegistered("KQPRJFILE", ".kqprj"));

  const QString package = ReadText(dataHome_ + "/mime/packages/kqprjfile.xml");
  EXPECT_TRUE(package.contains("type=\"application/x-kqprjfile\""));
  EXPECT_TRUE(package.contains("<glob pattern=\"*.kqprj\"/>"));
  EXPECT_TRUE(package.contains("Quendra Project File"));
  const QString entry = ReadText(dataHome_ + "/applications/kqprjfile.desktop");
  EXPECT_TRUE(entry.contains("Exec=\"" + GetAppDir() + "Quendra\" %f\n")) << qPrintable(entry);
  EXPECT_TRUE(entry.contains("MimeType=application/x-kqprjfile;"));
}

TEST_F(FileAssociation, ExistingAssociationIsLeftAlone) {
  ASSERT_TRUE(
      RegisterFileType("/elsewhere/Quendra", "/elsewhere/icon.png", "KQPRJFILE", ".kqprj", "old"));
  const QString entryPath = dataHome_ + "/applications/kqprjfile.desktop";
  const QString before = ReadText(entryPath);
  ASSERT_TRUE(EnsureProjectFileAssociation());
  EXPECT_EQ(ReadText(entryPath), before);
  EXPECT_TRUE(before.contains("/elsewhere/Quendra"));
}

TEST_F(FileAssociation, ProgramPathIsQuotedAndEscaped) {
  ASSERT_TRUE(
      RegisterFileType("/opt/my $app \"x\"\\100%/Quendra", "i.png", "kqprjfile", ".kqprj", "d"));
  const QString entry = ReadText(dataHome_ + "/applications/kqprjfile.desktop");
  EXPECT_TRUE(entry.contains("Exec=\"/opt/my \\\\$app \\\\\"x\\\\\"\\\\\\\\100%%/Quendra\" %f"))
      << qPrintable(entry);
}

TEST_F(FileAssociation, UnwritableDataFolderFailsQuietly) {
  QFile blocker(dataHome_);
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));  // a file where the folder should be
  blocker.close();
  EXPECT_FALSE(EnsureProjectFileAssociation());
  EXPECT_FALSE(IsFileTypeRegistered("kqprjfile", ".kqprj"));
}

}  // namespace
