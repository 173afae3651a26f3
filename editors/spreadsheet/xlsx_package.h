#pragma once
// The zip package of an .xlsx workbook: its parts by name, each read whole but never
// beyond kMaxPartBytes of uncompressed data, whatever its header declares.

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <memory>

inline constexpr std::int64_t kMaxPartBytes = std::int64_t{64} << 20;

enum class PartStatus { Read, Missing, Damaged };

class XlsxPackage {
 public:
  // Opens the zip at path; false when it cannot be read as a zip.
  [[nodiscard]] bool Open(const QString& path);
  // Reads the part of that name (without a leading "/", matched regardless of case,
  // as part names are). Damaged when it is encrypted, larger than kMaxPartBytes, or
  // its data disagrees with its declared size or checksum.
  [[nodiscard]] PartStatus Read(const QString& name, QByteArray* bytes) const;

 private:
  struct Closer {
    void operator()(void* zip) const;
  };
  std::unique_ptr<void, Closer> zip_;
};

// The part a relationship's target names, seen from the part that holds the
// relationship (empty for the package itself); empty when it leaves the package.
QString ResolvePartName(const QString& source, const QString& target);

// The relationships part of a part ("xl/_rels/workbook.xml.rels"; "_rels/.rels" for
// the package itself, source empty).
QString RelationshipsPartName(const QString& source);
