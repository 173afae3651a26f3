#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <cstdlib>

#include "model/common/app_dir.h"
#include "model/common/removable_drives.h"
#include "model/common/serial_ports.h"

namespace {

void WriteText(const QString& path, const QByteArray& data) {
  ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(data);
}

// Unsets the variable when the test ends.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const QString& value) : name_(name) {
    ::setenv(name, value.toLocal8Bit().constData(), 1);
  }
  ~ScopedEnv() { ::unsetenv(name_); }

 private:
  const char* name_;
};

TEST(SerialPorts, ComNumbersMapToDevices) {
  EXPECT_EQ(ComPortDevicePath(1), "/dev/ttyS0");
  EXPECT_EQ(ComPortDevicePath(100), "/dev/ttyS99");
  EXPECT_EQ(ComPortDevicePath(101), "/dev/ttyUSB0");
  EXPECT_EQ(ComPortDevicePath(203), "/dev/ttyACM2");
  EXPECT_EQ(ComPortDevicePath(0), "");
  EXPECT_EQ(ComPortDevicePath(301), "");
  EXPECT_EQ(ComPortDevicePath(-5), "");
  EXPECT_EQ(ComNumberOfDevice("ttyS0"), 1);
  EXPECT_EQ(ComNumberOfDevice("ttyUSB3"), 104);
  EXPECT_EQ(ComNumberOfDevice("ttyACM0"), 201);
  EXPECT_EQ(ComNumberOfDevice("tty1"), 0);
  EXPECT_EQ(ComNumberOfDevice("ttyUSB100"), 0);
}

TEST(SerialPorts, EnvironmentNamesAnotherDevice) {
  const QString device = GetAppDir() + "pty";
  WriteText(device, "");
  ScopedEnv override("CORVANIX_COM7", device);
  EXPECT_EQ(ComPortDevicePath(7), device);
  EXPECT_EQ(ComPortDevicePath(8), "/dev/ttyS7");

  const QString sys = GetAppDir() + "sys";
  QStringList ports{"stale"};
  ListSerialPorts(ports, sys);  // no sysfs at all: only the override
  EXPECT_EQ(ports, QStringList{"COM7"});
}

TEST(SerialPorts, ListsRealPortsInComOrder) {
  const QString sys = GetAppDir() + "sys";
  const QString tty = sys + "/class/tty/";
  WriteText(tty + "ttyUSB1/device/x", "");
  WriteText(tty + "ttyS0/device/x", "");
  WriteText(tty + "ttyS0/type", "4\n");
  WriteText(tty + "ttyS1/device/x", "");
  WriteText(tty + "ttyS1/type", "0\n");  // no hardware behind it
  WriteText(tty + "ttyACM0/device/x", "");
  WriteText(tty + "tty1/dev", "");     // a console, not a serial port
  WriteText(tty + "ttyUSB2/dev", "");  // no device link
  QStringList ports;
  ListSerialPorts(ports, sys);
  EXPECT_EQ(ports, (QStringList{"COM1", "COM102", "COM201"}));

  QStringList none{"stale"};
  ListSerialPorts(none, GetAppDir() + "empty");
  EXPECT_TRUE(none.isEmpty());
}

TEST(RemovableDrives, OnlyRemovableOrUsbDisksAreListedAndAppended) {
  const QString sys = GetAppDir() + "sys";
  // sdb: a removable disk with a partition; sdc: a USB disk; sda: a fixed disk.
  WriteText(sys + "/devices/pci/block/sdb/removable", "1\n");
  WriteText(sys + "/devices/pci/block/sdb/sdb1/partition", "1\n");
  WriteText(sys + "/devices/pci/usb2/block/sdc/removable", "0\n");
  WriteText(sys + "/devices/pci/block/sda/removable", "0\n");
  WriteText(sys + "/devices/pci/block/sda/sda1/partition", "1\n");
  ASSERT_TRUE(QDir().mkpath(sys + "/class/block"));
  ASSERT_TRUE(QFile::link(sys + "/devices/pci/block/sdb/sdb1", sys + "/class/block/sdb1"));
  ASSERT_TRUE(QFile::link(sys + "/devices/pci/usb2/block/sdc", sys + "/class/block/sdc"));
  ASSERT_TRUE(QFile::link(sys + "/devices/pci/block/sda/sda1", sys + "/class/block/sda1"));

  const QString mounts = GetAppDir() + "mountinfo";
  WriteText(mounts,
            "21 1 8:1 / / rw - ext4 /dev/sda1 rw\n"
            "30 21 8:17 / /media/usb\\040stick rw,nosuid - vfat /dev/sdb1 rw\n"
            "31 21 8:32 / /media/card rw shared:5 - vfat /dev/sdc rw\n"
            "32 21 0:5 / /proc rw - proc proc rw\n"
            "garbage line\n");
  QStringList drives{"E:/"};
  ListRemovableDrives(drives, mounts, sys);
  EXPECT_EQ(drives, (QStringList{"E:/", "/media/usb stick/", "/media/card/"}));

  QStringList none;
  ListRemovableDrives(none, GetAppDir() + "no-such-file", sys);
  EXPECT_TRUE(none.isEmpty());
}

TEST(RemovableDrives, EnvironmentAddsFoldersThatExist) {
  const QString usb = GetAppDir() + "usb";
  ASSERT_TRUE(QDir().mkpath(usb));
  ScopedEnv injected("QUENDRA_REMOVABLE_DRIVES", usb + ":" + GetAppDir() + "missing");
  QStringList drives;
  ListRemovableDrives(drives);
  ASSERT_FALSE(drives.isEmpty());
  EXPECT_EQ(drives.last(), usb + "/");
  EXPECT_FALSE(drives.contains(GetAppDir() + "missing/"));
}

}  // namespace
