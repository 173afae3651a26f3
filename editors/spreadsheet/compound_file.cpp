#include "editors/spreadsheet/compound_file.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr char kSignature[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
constexpr int kHeaderBytes = 512;
constexpr int kHeaderFatSectors = 109;  // the FAT sectors the header lists itself
constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t kLastRegularSector = 0xFFFFFFFA;
constexpr std::uint32_t kNoEntry = 0xFFFFFFFF;  // a directory link to nothing
constexpr int kEntryBytes = 128;
constexpr std::uint8_t kStreamEntry = 2;
constexpr std::uint8_t kRootEntry = 5;
constexpr int kMiniSectorBytes = 64;
// Streams shorter than this live in the root's mini stream, in 64-byte sectors.
constexpr std::uint64_t kMiniStreamCutoff = 4096;
// 32,768 directory entries; a workbook holds a handful.
constexpr std::int64_t kMaxDirectoryBytes = std::int64_t{4} << 20;

using Table = std::vector<std::uint32_t>;

template <typename T>
T At(const char* bytes, qsizetype offset) {
  return qFromLittleEndian<T>(bytes + offset);
}

// A directory entry's name: UTF-16 of at most 31 units, its length in bytes with the
// terminating zero.
QString EntryName(const char* entry) {
  const int units = std::clamp(At<quint16>(entry, 64) / 2 - 1, 0, 31);
  QString name(units, Qt::Uninitialized);
  qFromLittleEndian<char16_t>(entry, units, name.data());
  return name;
}

std::int64_t SectorsFor(std::uint64_t bytes, int sectorBytes) {
  return static_cast<std::int64_t>((bytes + sectorBytes - 1) / sectorBytes);
}

// The sectors of the chain from start in table: count of them, or all up to its end
// when count is negative. False when it leaves the table or is longer than the table
// (it loops).
bool Chain(const Table& table, std::uint32_t start, std::int64_t count,
           std::vector<std::uint32_t>* sectors) {
  std::uint32_t at = start;
  for (std::int64_t i = 0; count < 0 ? at != kEndOfChain : i < count; ++i) {
    if (at >= table.size() || i >= static_cast<std::int64_t>(table.size())) return false;
    sectors->push_back(at);
    at = table[at];
  }
  return true;
}

class CompoundFile {
 public:
  CompoundFile(const UniqueFd& file, std::int64_t size) : file_(file), size_(size) {}

  // Reads the header and the FAT.
  [[nodiscard]] bool Open();
  [[nodiscard]] StreamStatus Read(QStringView name, std::int64_t maxBytes,
                                  QByteArray* stream) const;

 private:
  // The FAT's sectors: those the header lists, then those of the chain of DIFAT
  // sectors, each ending with the next one's number.
  bool ListFatSectors(const char* header, std::vector<std::uint32_t>* sectors) const;
  // A sector of the file; a last sector the file cuts short reads as zeros past its end.
  bool ReadSector(std::uint32_t sector, char* bytes) const;
  bool AppendEntries(std::uint32_t sector, Table* table) const;
  // The bytes of the first count sectors of a chain of regular sectors.
  bool ReadChain(std::uint32_t start, std::int64_t count, QByteArray* bytes) const;
  bool ReadMiniStream(const char* root, std::uint32_t start, std::uint64_t size,
                      std::int64_t maxBytes, QByteArray* stream) const;
  bool ReadDirectory(QByteArray* directory) const;
  // The stream of a directory entry, from the regular sectors or the root's mini stream.
  bool ReadEntry(const char* root, const char* entry, std::int64_t maxBytes,
                 QByteArray* stream) const;
  std::uint64_t EntrySize(const char* entry) const;

  const UniqueFd& file_;
  const std::int64_t size_;
  int sectorBytes_ = 0;
  std::uint32_t directoryStart_ = 0;
  std::uint32_t miniFatStart_ = 0;
  std::uint32_t miniFatSectors_ = 0;
  Table fat_;
};

bool CompoundFile::Open() {
  char header[kHeaderBytes];
  if (size_ < kHeaderBytes || file_.ReadAll(header, sizeof header, 0) != 0 ||
      std::memcmp(header, kSignature, sizeof kSignature - 1) != 0) {
    return false;
  }
  const auto shift = At<quint16>(header, 30);
  if (At<quint16>(header, 28) != 0xFFFE || (shift != 9 && shift != 12) ||
      At<quint16>(header, 32) != 6) {
    return false;
  }
  sectorBytes_ = 1 << shift;
  directoryStart_ = At<quint32>(header, 48);
  miniFatStart_ = At<quint32>(header, 60);
  miniFatSectors_ = At<quint32>(header, 64);
  std::vector<std::uint32_t> fatSectors;
  if (!ListFatSectors(header, &fatSectors)) return false;
  for (const std::uint32_t fatSector : fatSectors) {
    if (!AppendEntries(fatSector, &fat_)) return false;
  }
  return true;
}

bool CompoundFile::ListFatSectors(const char* header, std::vector<std::uint32_t>* sectors) const {
  // Only FAT sectors that describe sectors inside the file; the header's count may
  // claim more.
  const int entriesPerSector = sectorBytes_ / 4;
  const std::int64_t fileSectors = SectorsFor(size_, sectorBytes_) - 1;
  const std::int64_t wanted =
      std::min<std::int64_t>(At<quint32>(header, 44), SectorsFor(fileSectors, entriesPerSector));
  for (int i = 0; i < kHeaderFatSectors && std::ssize(*sectors) < wanted; ++i) {
    sectors->push_back(At<quint32>(header, 76 + 4 * i));
  }
  std::vector<char> difat(sectorBytes_);
  for (std::uint32_t next = At<quint32>(header, 68); std::ssize(*sectors) < wanted;) {
    if (!ReadSector(next, difat.data())) return false;
    for (int i = 0; i < entriesPerSector - 1 && std::ssize(*sectors) < wanted; ++i) {
      sectors->push_back(At<quint32>(difat.data(), 4 * i));
    }
    next = At<quint32>(difat.data(), sectorBytes_ - 4);
  }
  return true;
}

bool CompoundFile::ReadSector(std::uint32_t sector, char* bytes) const {
  const std::int64_t offset = (std::int64_t{sector} + 1) * sectorBytes_;
  if (sector > kLastRegularSector || offset >= size_) return false;
  const std::int64_t present = std::min<std::int64_t>(sectorBytes_, size_ - offset);
  std::memset(bytes + present, 0, static_cast<std::size_t>(sectorBytes_ - present));
  return file_.ReadAll(bytes, static_cast<std::size_t>(present), offset) == 0;
}

bool CompoundFile::AppendEntries(std::uint32_t sector, Table* table) const {
  std::vector<char> bytes(sectorBytes_);
  if (!ReadSector(sector, bytes.data())) return false;
  for (int i = 0; i < sectorBytes_; i += 4) table->push_back(At<quint32>(bytes.data(), i));
  return true;
}

bool CompoundFile::ReadChain(std::uint32_t start, std::int64_t count, QByteArray* bytes) const {
  std::vector<std::uint32_t> sectors;
  if (!Chain(fat_, start, count, &sectors)) return false;
  QByteArray data(std::ssize(sectors) * sectorBytes_, Qt::Uninitialized);
  for (std::size_t i = 0; i < sectors.size(); ++i) {
    if (!ReadSector(sectors[i], data.data() + i * sectorBytes_)) return false;
  }
  *bytes = std::move(data);
  return true;
}

bool CompoundFile::ReadMiniStream(const char* root, std::uint32_t start, std::uint64_t size,
                                  std::int64_t maxBytes, QByteArray* stream) const {
  // The mini stream is the root entry's own stream; its table, the mini FAT, is a
  // chain of regular sectors.
  const std::uint64_t rootSize = EntrySize(root);
  if (rootSize > static_cast<std::uint64_t>(maxBytes)) return false;
  QByteArray container;
  QByteArray miniFatBytes;
  const std::int64_t miniSectors = SectorsFor(rootSize, kMiniSectorBytes);
  const std::int64_t miniFatSectors =
      std::min<std::int64_t>(miniFatSectors_, SectorsFor(miniSectors, sectorBytes_ / 4));
  if (!ReadChain(At<quint32>(root, 116), SectorsFor(rootSize, sectorBytes_), &container) ||
      !ReadChain(miniFatStart_, miniFatSectors, &miniFatBytes)) {
    return false;
  }
  Table miniFat(static_cast<std::size_t>(miniFatBytes.size() / 4));
  qFromLittleEndian<quint32>(miniFatBytes.constData(), std::ssize(miniFat), miniFat.data());
  std::vector<std::uint32_t> sectors;
  if (!Chain(miniFat, start, SectorsFor(size, kMiniSectorBytes), &sectors)) return false;
  QByteArray data;
  for (const std::uint32_t sector : sectors) {
    const qsizetype offset = qsizetype{sector} * kMiniSectorBytes;
    if (offset + kMiniSectorBytes > container.size()) return false;
    data.append(container.constData() + offset, kMiniSectorBytes);
  }
  data.truncate(static_cast<qsizetype>(size));
  *stream = std::move(data);
  return true;
}

bool CompoundFile::ReadDirectory(QByteArray* directory) const {
  std::vector<std::uint32_t> sectors;
  return Chain(fat_, directoryStart_, -1, &sectors) &&
         std::ssize(sectors) * sectorBytes_ <= kMaxDirectoryBytes &&
         ReadChain(directoryStart_, std::ssize(sectors), directory);
}

bool CompoundFile::ReadEntry(const char* root, const char* entry, std::int64_t maxBytes,
                             QByteArray* stream) const {
  const std::uint64_t size = EntrySize(entry);
  if (size > static_cast<std::uint64_t>(maxBytes)) return false;
  const std::uint32_t start = At<quint32>(entry, 116);
  if (size < kMiniStreamCutoff) return ReadMiniStream(root, start, size, maxBytes, stream);
  if (!ReadChain(start, SectorsFor(size, sectorBytes_), stream)) return false;
  stream->truncate(static_cast<qsizetype>(size));
  return true;
}

std::uint64_t CompoundFile::EntrySize(const char* entry) const {
  const auto size = At<quint64>(entry, 120);
  return sectorBytes_ == kHeaderBytes ? size & 0xFFFFFFFF : size;  // version 3 keeps 32 bits
}

StreamStatus CompoundFile::Read(QStringView name, std::int64_t maxBytes, QByteArray* stream) const {
  QByteArray directory;
  if (!ReadDirectory(&directory)) return StreamStatus::Damaged;
  const qsizetype entries = directory.size() / kEntryBytes;
  const auto entry = [&](std::uint32_t id) { return directory.constData() + id * kEntryBytes; };
  if (entries == 0 || entry(0)[66] != kRootEntry) return StreamStatus::Damaged;
  // The root's children form a tree through their left and right links.
  std::vector<std::uint32_t> pending = {At<quint32>(entry(0), 76)};
  std::vector<bool> seen(static_cast<std::size_t>(entries));
  while (!pending.empty()) {
    const std::uint32_t id = pending.back();
    pending.pop_back();
    if (id == kNoEntry) continue;
    if (id >= entries || seen[id]) return StreamStatus::Damaged;  // outside, or a loop
    seen[id] = true;
    const char* child = entry(id);
    if (child[66] == kStreamEntry && name.compare(EntryName(child), Qt::CaseInsensitive) == 0) {
      return ReadEntry(entry(0), child, maxBytes, stream) ? StreamStatus::Read
                                                          : StreamStatus::Damaged;
    }
    pending.push_back(At<quint32>(child, 68));
    pending.push_back(At<quint32>(child, 72));
  }
  return StreamStatus::Missing;
}

}  // namespace

StreamStatus ReadRootStream(const UniqueFd& file, std::int64_t size, QStringView name,
                            std::int64_t maxBytes, QByteArray* stream) {
  CompoundFile compound(file, size);
  if (!compound.Open()) return StreamStatus::Damaged;
  return compound.Read(name, maxBytes, stream);
}
