#include "model/common/removable_drives.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include "model/common/file_system.h"

namespace {

// Mount points in the mount table escape blanks and backslashes as octal ("\040").
QString UnescapeMountField(const QByteArray& field) {
  QByteArray out;
  for (qsizetype i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size()) {
      bool ok = false;
      const int code = field.mid(i + 1, 3).toInt(&ok, 8);
      if (ok) {
        out.append(static_cast<char>(code));
        i += 3;
        continue;
      }
    }
    out.append(field[i]);
  }
  return QString::fromUtf8(out);
}

QString ReadTrimmed(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readAll().trimmed());
}

// True when the block device (a partition or a whole disk) belongs to a removable or
// USB-attached disk.
bool IsRemovableDevice(const QString& sysRoot, const QString& deviceName) {
  const QString classEntry = sysRoot + QStringLiteral("/class/block/") + deviceName;
  QString disk = QFileInfo(classEntry).canonicalFilePath();
  if (disk.isEmpty()) return false;
  if (QFileInfo::exists(disk + QStringLiteral("/partition"))) {
    disk = QFileInfo(disk).absolutePath();
  }
  return ReadTrimmed(disk + QStringLiteral("/removable")) == QLatin1String("1") ||
         disk.contains(QLatin1String("/usb"));
}

QString WithTrailingSlash(QString path) {
  if (!path.endsWith(u'/')) path += u'/';
  return path;
}

}  // namespace

void ListRemovableDrives(QStringList& drives, const QString& mountInfoPath,
                         const QString& sysRoot) {
  QFile mountInfo(mountInfoPath);
  if (!mountInfo.open(QIODevice::ReadOnly)) return;
  while (!mountInfo.atEnd()) {
    // id parent major:minor root mount-point options [tags...] - type source options
    const QList<QByteArray> fields = mountInfo.readLine().trimmed().split(' ');
    const qsizetype separator = fields.indexOf("-");
    if (fields.size() < 5 || separator < 0 || separator + 2 >= fields.size()) continue;
    const QString source = UnescapeMountField(fields[separator + 2]);
    if (!source.startsWith(QLatin1String("/dev/"))) continue;
    const QFileInfo device(source);
    const QString deviceName =
        device.exists() ? QFileInfo(device.canonicalFilePath()).fileName() : device.fileName();
    if (IsRemovableDevice(sysRoot, deviceName)) {
      drives.append(WithTrailingSlash(UnescapeMountField(fields[4])));
    }
  }
}

void ListRemovableDrives(QStringList& drives) {
  ListRemovableDrives(drives, QStringLiteral("/proc/self/mountinfo"), QStringLiteral("/sys"));
  const QString injected = qEnvironmentVariable("QUENDRA_REMOVABLE_DRIVES");
  for (const QString& folder : injected.split(u':', Qt::SkipEmptyParts)) {
    if (DirExists(folder)) drives.append(WithTrailingSlash(folder));
  }
}
