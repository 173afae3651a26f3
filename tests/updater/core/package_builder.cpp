#include "package_builder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <sys/stat.h>
#include <unistd.h>
#include <zip.h>
#include <zlib.h>

#include "model/common/app_dir.h"
#include "model/common/file_system.h"
#include "updater/core/digest.h"

namespace updatertest {

namespace {

constexpr std::uint32_t kDefaultDosDate =
    (40u << 25) | (1u << 21) | (2u << 16) | (3u << 11) | (4u << 5) | 3u;  // 2020-01-02 03:04:06
constexpr int kUnixMadeBy = (3 << 8) | 20;
constexpr int kDosMadeBy = 20;

bool AddEntry(zipFile zip, const ZipEntry& entry) {
  zip_fileinfo info{};
  info.dosDate = entry.dosDate != 0 ? entry.dosDate : kDefaultDosDate;
  if (entry.unixMode >= 0) info.external_fa = static_cast<uLong>(entry.unixMode) << 16;
  const bool raw = entry.declaredSize || entry.declaredCrc || entry.markedDeflated;
  const int method = raw && !entry.markedDeflated ? 0 : Z_DEFLATED;
  if (zipOpenNewFileInZip4_64(
          zip, entry.name.constData(), &info, nullptr, 0, nullptr, 0, nullptr, method,
          raw ? 0 : Z_DEFAULT_COMPRESSION, raw ? 1 : 0, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY, nullptr,
          0, entry.unixMode >= 0 ? kUnixMadeBy : kDosMadeBy, entry.flags, 0) != ZIP_OK) {
    return false;
  }
  if (!entry.data.isEmpty() &&
      zipWriteInFileInZip(zip, entry.data.constData(), static_cast<unsigned>(entry.data.size())) !=
          ZIP_OK) {
    return false;
  }
  if (!raw) return zipCloseFileInZip(zip) == ZIP_OK;
  const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(entry.data.constData()),
                          static_cast<uInt>(entry.data.size()));
  return zipCloseFileInZipRaw64(zip, entry.declaredSize.value_or(entry.data.size()),
                                entry.declaredCrc.value_or(crc)) == ZIP_OK;
}

}  // namespace

ZipEntry File(const QByteArray& name, const QByteArray& data, int mode) {
  ZipEntry entry;
  entry.name = name;
  entry.data = data;
  entry.unixMode = mode;
  return entry;
}

bool WriteZip(const QString& path, const std::vector<ZipEntry>& entries) {
  zipFile zip = zipOpen64(QFile::encodeName(path).constData(), APPEND_STATUS_CREATE);
  if (zip == nullptr) return false;
  bool ok = true;
  for (const ZipEntry& entry : entries) ok = ok && AddEntry(zip, entry);
  return zipClose(zip, nullptr) == ZIP_OK && ok;
}

QString PlacePackage(const std::vector<ZipEntry>& entries) {
  const QString folder = GetAppDir() + QStringLiteral("UpdateData/");
  if (!CreateDirTree(folder)) ADD_FAILURE() << "cannot make " << folder.toStdString();
  const QString path = folder + QStringLiteral("update.zip");
  QFile::remove(path);
  if (!WriteZip(path, entries)) return {};
  return FileDigest(path);
}

QMap<QString, QString> Picture(const QString& folder) {
  QMap<QString, QString> picture;
  QDirIterator it(folder, QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot,
                  QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString path = it.next();
    struct stat status {};
    lstat(QFile::encodeName(path).constData(), &status);
    // A folder's time changes with any name made and removed in it, so only files'.
    QString text = QStringLiteral("mode %1 ").arg(status.st_mode, 0, 8);
    if (!S_ISDIR(status.st_mode)) {
      text += QStringLiteral("size %1 mtime %2 ").arg(status.st_size).arg(status.st_mtim.tv_sec);
    }
    if (S_ISLNK(status.st_mode)) {
      text += QFile::symLinkTarget(path);
    } else if (S_ISREG(status.st_mode)) {
      QFile file(path);
      file.open(QIODevice::ReadOnly);
      text += QString::fromLatin1(file.readAll().toHex());
    }
    picture.insert(path.mid(folder.size()), text);
  }
  return picture;
}

void PutFile(const QString& relative, const QByteArray& data, int mode) {
  const QString path = GetAppDir() + relative;
  if (!CreateDirTree(QFileInfo(path).path()))
    ADD_FAILURE() << "cannot make the folder of " << path.toStdString();
  QFile file(path);
  file.open(QIODevice::WriteOnly | QIODevice::Truncate);
  file.write(data);
  file.close();
  chmod(QFile::encodeName(path).constData(), static_cast<mode_t>(mode));
}

QByteArray ReadFile(const QString& relative) {
  QFile file(GetAppDir() + relative);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace updatertest
