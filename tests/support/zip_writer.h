#pragma once
// Zip files made at test time with minizip: deflated entries, and entries whose
// headers lie about their uncompressed size.

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace ziptest {

struct ZipPart {
  ZipPart(QByteArray partName, QByteArray partData)
      : name(std::move(partName)), data(std::move(partData)) {}

  QByteArray name;
  QByteArray data;
  // When set, the entry declares this uncompressed size (its checksum stays that of
  // data) while holding data deflated.
  std::optional<std::uint64_t> declaredSize;
};

// Writes the zip; false when minizip or zlib failed.
bool WriteZip(const QString& path, const std::vector<ZipPart>& parts);

}  // namespace ziptest
