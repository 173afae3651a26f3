// Commands written as files of a USB disk.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "sdk/link/send_command.h"
#include "tests/sdk/sdk_test_support.h"

using namespace sdktest;

namespace {

class UsbFiles : public testing::Test {
 protected:
  int Write(const QString& root, std::uint16_t command, const std::vector<std::uint8_t>& data) {
    CommInfo info = MakeInfo(KQ_SEND_USB);
    CopyBoundedText(info.UsbRoot, root);
    return SendCommand(nullptr, nullptr, &info, command, data.data(), data.size(), false, true);
  }
  QByteArray Read(const QString& relative) const {
    QFile file(disk_.filePath(relative));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
  }
  static QByteArray Bytes(const std::vector<std::uint8_t>& data) {
    return QByteArray(reinterpret_cast<const char*>(data.data()),
                      static_cast<qsizetype>(data.size()));
  }

  QTemporaryDir disk_;
};

TEST_F(UsbFiles, EachCommandWritesItsFilesUnderBothSeriesFolders) {
  const std::vector<std::uint8_t> data = Payload(1500);
  ASSERT_EQ(Write(disk_.path(), kCommandDisplayData, data), 0);
  ASSERT_EQ(Write(disk_.path(), kCommandSettings, Payload(9)), 0);
  ASSERT_EQ(Write(disk_.path(), kCommandFirmware, Payload(700)), 0);
  EXPECT_EQ(Read("marvane/KQ-W/kq_disp_dat.usb"), Bytes(data));
  EXPECT_EQ(Read("marvane/KQ-P/kq_disp_dat.usb"), Bytes(data));
  EXPECT_EQ(Read("marvane/KQ-W/kq_disp_cfg.usb"), Bytes(Payload(9)));
  EXPECT_EQ(Read("marvane/KQ-P/kq_disp_cfg.usb"), Bytes(Payload(9)));
  EXPECT_EQ(Read("marvane/KQ-W/W6.cpu"), Bytes(Payload(700)));
  EXPECT_EQ(Read("marvane/KQ-P/P32.cpu"), Bytes(Payload(700)));
  EXPECT_EQ(QDir(disk_.filePath("marvane/KQ-W")).entryList(QDir::Files).size(), 3);
}

TEST_F(UsbFiles, OtherCommandsWriteNothing) {
  EXPECT_EQ(Write(disk_.path(), kCommandRead, Payload(4)), 0);
  EXPECT_EQ(Write(disk_.path(), kCommandCommSettings, Payload(4)), 0);
  EXPECT_FALSE(QDir(disk_.filePath("marvane")).exists());
}

TEST_F(UsbFiles, RootWithOrWithoutTrailingSeparatorGivesTheSameFiles) {
  for (const QString& root : {disk_.path(), disk_.path() + "/", disk_.path() + "\\",
                              QString(disk_.path()).replace('/', '\\')}) {
    SCOPED_TRACE(root.toStdString());
    const std::vector<std::uint8_t> data = Payload(root.size() * 10);
    ASSERT_EQ(Write(root, kCommandDisplayData, data), 0);
    EXPECT_EQ(Read("marvane/KQ-W/kq_disp_dat.usb"), Bytes(data));  // replaced each time
    EXPECT_EQ(QDir(disk_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{"marvane"});
  }
}

TEST_F(UsbFiles, ExistingSeriesFolderIsUsedAsItIs) {
  ASSERT_TRUE(QDir(disk_.path()).mkpath("marvane/KQ-W"));
  QFile other(disk_.filePath("marvane/KQ-W/notes.txt"));
  ASSERT_TRUE(other.open(QIODevice::WriteOnly));
  other.write("kept");
  other.close();
  QFile::setPermissions(disk_.filePath("marvane/KQ-W"),
                        QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup);
  EXPECT_EQ(Write(disk_.path(), kCommandSettings, Payload(7)), 0);
  EXPECT_EQ(Read("marvane/KQ-W/notes.txt"), QByteArray("kept"));
  EXPECT_EQ(Read("marvane/KQ-W/kq_disp_cfg.usb"), Bytes(Payload(7)));
}

TEST_F(UsbFiles, FolderThatCannotBeMadeOrIsALinkGivesFolderErrorAndNothingGoesThroughIt) {
  QTemporaryDir elsewhere;
  ASSERT_TRUE(QFile::link(elsewhere.path(), disk_.filePath("marvane")));
  EXPECT_EQ(Write(disk_.path(), kCommandSettings, Payload(7)), KQ_ERR_USB_FOLDER);
  ASSERT_TRUE(QFile::remove(disk_.filePath("marvane")));
  ASSERT_TRUE(QDir(disk_.path()).mkpath("marvane"));
  ASSERT_TRUE(QFile::link(elsewhere.path(), disk_.filePath("marvane/KQ-P")));
  EXPECT_EQ(Write(disk_.path(), kCommandSettings, Payload(7)), KQ_ERR_USB_FOLDER);
  EXPECT_TRUE(QDir(elsewhere.path()).isEmpty());
  EXPECT_TRUE(QDir(disk_.filePath("marvane/KQ-W")).isEmpty()) << "written before the refusal";

  // A link at a card file is left as it is, and so is what it points to.
  ASSERT_TRUE(QFile::remove(disk_.filePath("marvane/KQ-P")));
  ASSERT_TRUE(QDir(disk_.path()).mkpath("marvane/KQ-P"));
  const QString target = elsewhere.filePath("kept");
  QFile kept(target);
  ASSERT_TRUE(kept.open(QIODevice::WriteOnly) && kept.write("kept") == 4);
  kept.close();
  ASSERT_TRUE(QFile::link(target, disk_.filePath("marvane/KQ-P/kq_disp_cfg.usb")));
  EXPECT_EQ(Write(disk_.path(), kCommandSettings, Payload(7)), KQ_ERR_FILE);
  EXPECT_EQ(QFileInfo(disk_.filePath("marvane/KQ-P/kq_disp_cfg.usb")).symLinkTarget(), target);
  ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
  EXPECT_EQ(kept.readAll(), "kept");
  kept.close();

  ASSERT_TRUE(QDir(disk_.filePath("marvane")).removeRecursively());
  QFile blocker(disk_.filePath("marvane"));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  EXPECT_EQ(Write(disk_.path(), kCommandSettings, Payload(7)), KQ_ERR_USB_FOLDER);
  EXPECT_EQ(Write(QString(), kCommandSettings, Payload(7)), KQ_ERR_USB_FOLDER);
  // A drive that is not there is not made.
  EXPECT_EQ(Write(disk_.filePath("gone"), kCommandSettings, Payload(7)), KQ_ERR_USB_FOLDER);
  EXPECT_FALSE(QFileInfo::exists(disk_.filePath("gone")));
}

TEST_F(UsbFiles, FileThatCannotBeWrittenGivesFileErrorAndKeepsTheFirst) {
  ASSERT_TRUE(QDir(disk_.path()).mkpath("marvane/KQ-P/kq_disp_dat.usb"));
  EXPECT_EQ(Write(disk_.path(), kCommandDisplayData, Payload(30)), KQ_ERR_FILE);
  EXPECT_EQ(Read("marvane/KQ-W/kq_disp_dat.usb"), Bytes(Payload(30)));
}

}  // namespace
