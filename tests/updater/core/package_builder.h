#pragma once
// Packages made at test time with minizip's zip.h, including broken ones, and a
// picture of a folder to prove that a refused install changed nothing.

#include <QByteArray>
#include <QMap>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace updatertest {

struct ZipEntry {
  QByteArray name;
  QByteArray data;
  int unixMode = -1;            // file type and permissions from a Unix archiver; -1 none
  std::uint32_t dosDate = 0;    // 0: 2020-01-02 03:04:06
  unsigned long flags = 0x800;  // general purpose flags (0x800: the name is UTF-8)
  // Stored as is, declaring this size and CRC instead of the real ones.
  std::optional<std::uint64_t> declaredSize;
  std::optional<std::uint32_t> declaredCrc;
  // Stored as is but marked deflated, so that inflating it fails.
  bool markedDeflated = false;
};

// A file entry with Unix mode 0644 or 0755.
ZipEntry File(const QByteArray& name, const QByteArray& data, int mode = 0100644);

// Writes the archive; false when zip.h failed.
bool WriteZip(const QString& path, const std::vector<ZipEntry>& entries);

// Writes the archive as the downloaded package "UpdateData/update.zip" of the program
// folder and returns its digest.
QString PlacePackage(const std::vector<ZipEntry>& entries);

// Every name below folder with its type, mode, size, content (or link target) and
// modification time, one text a name: equal pictures mean an unchanged folder.
QMap<QString, QString> Picture(const QString& folder);

// Writes a file below the program folder, making its folders; mode as chmod.
void PutFile(const QString& relative, const QByteArray& data, int mode = 0644);
QByteArray ReadFile(const QString& relative);

}  // namespace updatertest
