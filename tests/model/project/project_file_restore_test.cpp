// Restoring the files a project embeds: only what differs is written, and a restore
// that fails midway leaves each file whole, old or new.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <QDir>
#include <QFileInfo>

#include <csignal>

#include "model/common/app_paths.h"
#include "model/common/file_system.h"
#include "model/project/base64_file.h"
#include "model/project/project_editing.h"
#include "model/project/project_file.h"
#include "model/project/project_globals.h"
#include "tests/model/project/project_file_test_support.h"

namespace {

const QDateTime kLongAgo = QDateTime(QDate(2020, 1, 2), QTime(3, 4, 5), Qt::UTC);

QString Source(int n) {
  return AppFilePath(
      AppFolder::UserData,
      QStringLiteral("AAAAAAAA-BBBB-CCCC-DDDD-%1.rtf").arg(n, 12, 10, QLatin1Char('0')));
}

class ProjectFileRestore : public ::testing::Test {
 protected:
  void SetUp() override {
    ClearProjectModel();
    ASSERT_TRUE(CreateDirTree(AppFolderPath(AppFolder::UserData)));
  }
  void TearDown() override { ClearProjectModel(); }

  // Writes a project of one image-text area whose pages embed contents[i] as the
  // source of file i.
  static void WriteProject(const std::vector<QByteArray>& contents) {
    QString pages;
    for (std::size_t i = 0; i < contents.size(); ++i) {
      pages += QStringLiteral("<ImageWordArea guid=\"%1\">%2</ImageWordArea>\r\n")
                   .arg(QFileInfo(Source(static_cast<int>(i))).completeBaseName(),
                        Base64Text(contents[i]));
    }
    const QString text = kDeclaration +
                         QStringLiteral(
                             "<LEDS>\r\n<FileFlag>kqprj</FileFlag>\r\n<LED LedWidth=\"64\" "
                             "LedHeight=\"32\">\r\n<Program>\r\n"
                             "<Area AreaType=\"2\">\r\n") +
                         pages + QStringLiteral("</Area>\r\n</Program>\r\n</LED>\r\n</LEDS>\r\n");
    ASSERT_TRUE(WriteBytes(ProjectPath(), text.toUtf8()));
  }

  static void WriteOld(int n, const QByteArray& bytes) {
    ASSERT_TRUE(WriteBytes(Source(n), bytes));
    QFile file(Source(n));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(kLongAgo, QFileDevice::FileModificationTime));
  }

  static QStringList TemporaryFiles() {
    return QDir(AppFolderPath(AppFolder::UserData))
        .entryList({QStringLiteral("*.tmp")}, QDir::Files);
  }
};

TEST_F(ProjectFileRestore, UnchangedFilesAreLeftAloneAndChangedOnesRewritten) {
  WriteOld(0, "{\\rtf1 same}");
  WriteOld(1, "{\\rtf1 old}");
  WriteOld(2, "{\\rtf1 abc}");  // same size as its new content
  WriteProject({"{\\rtf1 same}", "{\\rtf1 newer}", "{\\rtf1 xyz}", "{\\rtf1 fresh}"});
  ASSERT_EQ(LoadProjectXml(ProjectPath()), 1);
  EXPECT_EQ(QFileInfo(Source(0)).lastModified(), kLongAgo);
  EXPECT_EQ(ReadBytes(Source(1)), QByteArray("{\\rtf1 newer}"));
  EXPECT_NE(QFileInfo(Source(1)).lastModified(), kLongAgo);
  EXPECT_EQ(ReadBytes(Source(2)), QByteArray("{\\rtf1 xyz}"));
  EXPECT_EQ(ReadBytes(Source(3)), QByteArray("{\\rtf1 fresh}"));
  EXPECT_TRUE(TemporaryFiles().isEmpty());
}

// Writes beyond a file size limit fail (EFBIG): the large file is cut off midway
// while it is written, the small ones are written whole.
TEST_F(ProjectFileRestore, FailedWriteLeavesEveryFileOldOrNewNeverPartial) {
  const QByteArray large(64 * 1024, 'L');
  const QByteArray oldLarge(100, 'o');
  std::vector<QByteArray> contents;
  for (int i = 0; i < 6; ++i) {
    const bool isLarge = i == 3;
    WriteOld(i, isLarge ? oldLarge : QByteArray("old"));
    contents.push_back(isLarge ? large : QByteArray("new ") + QByteArray::number(i));
  }
  WriteProject(contents);
  rlimit before{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &before), 0);
  rlimit limited = before;
  limited.rlim_cur = 16 * 1024;
  const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
  const int loaded = LoadProjectXml(ProjectPath());
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &before), 0);
  std::signal(SIGXFSZ, previousHandler);

  EXPECT_EQ(loaded, 0);
  for (int i = 0; i < 6; ++i) {
    const QByteArray now = ReadBytes(Source(i));
    EXPECT_TRUE(now == contents[i] || now == (i == 3 ? oldLarge : QByteArray("old"))) << i;
  }
  EXPECT_EQ(ReadBytes(Source(3)), oldLarge);
  EXPECT_EQ(ReadBytes(Source(5)), QByteArray("new 5"));  // the rest are still restored
  EXPECT_TRUE(TemporaryFiles().isEmpty());
}

}  // namespace
