#pragma once
// The zip package of an .xlsx workbook: its parts by name, each read whole but never
// beyond kMaxPartBytes of uncompressed data, whatever its header declares.

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <cstdint>
#include <memory>

inline constexpr std::int64_t kMaxPartBytes = std::int64_t{64} << 20;

enum class PartStatus { Read, Missing, Damaged };

// A part read a chunk at a time as a reader asks for it, so that no more than a chunk
// of it is held. A failed inflation ends the stream early; Finish tells whether the
// whole part was sound.
class PartStream : public QIODevice {
 public:
  ~PartStream() override;
  // Reads what the reader left of the part, then checks it as XlsxPackage::Read does:
  // Read when it is whole and sound, else Damaged. Ends the stream.
  [[nodiscard]] PartStatus Finish();
  bool isSequential() const override { return true; }

 protected:
  qint64 readData(char* data, qint64 maxSize) override;
  qint64 writeData(const char*, qint64) override { return -1; }

 private:
  friend class XlsxPackage;
  void* zip_ = nullptr;  // the package, while its entry for this part is open
  std::uint64_t declared_ = 0;
  std::uint64_t read_ = 0;
  bool failed_ = false;
};

class XlsxPackage {
 public:
  // Opens the zip at path; false when it cannot be read as a zip.
  [[nodiscard]] bool Open(const QString& path);
  // Reads the part of that name (without a leading "/", matched regardless of case,
  // as part names are). Damaged when it is encrypted, larger than kMaxPartBytes, or
  // its data disagrees with its declared size or checksum.
  [[nodiscard]] PartStatus Read(const QString& name, QByteArray* bytes) const;
  // Opens the part of that name as a stream, which must end before the package reads
  // another part. Missing, or Damaged as for Read when it is encrypted or too large.
  [[nodiscard]] PartStatus Stream(const QString& name, PartStream* stream) const;

 private:
  // Opens the entry of the part; its declared size into *declared.
  PartStatus OpenEntry(const QString& name, std::uint64_t* declared) const;

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
