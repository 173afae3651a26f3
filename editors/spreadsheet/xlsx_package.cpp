#include "editors/spreadsheet/xlsx_package.h"

#include <QFile>
#include <QStringList>

#include <minizip/unzip.h>

#include <algorithm>

namespace {

constexpr unsigned long kEncryptedFlag = 0x1;
constexpr int kCaseInsensitive = 2;  // unzLocateFile's iCaseSensitivity
constexpr unsigned kChunkBytes = 1 << 16;

// Reads the open entry to its end, which must come at its declared size.
PartStatus ReadCurrent(void* zip, std::uint64_t declared, QByteArray* bytes) {
  // A byte of room beyond the declared size shows an entry that holds more.
  QByteArray data(static_cast<qsizetype>(declared) + 1, Qt::Uninitialized);
  qsizetype size = 0;
  for (;;) {
    const auto room = static_cast<unsigned>(std::min<qsizetype>(data.size() - size, kChunkBytes));
    const int got = room == 0 ? 0 : unzReadCurrentFile(zip, data.data() + size, room);
    if (got < 0) return PartStatus::Damaged;
    if (got == 0) break;
    size += got;
  }
  if (static_cast<std::uint64_t>(size) != declared) return PartStatus::Damaged;
  data.truncate(size);
  *bytes = std::move(data);
  return PartStatus::Read;
}

}  // namespace

void XlsxPackage::Closer::operator()(void* zip) const { unzClose(zip); }

bool XlsxPackage::Open(const QString& path) {
  zip_.reset(unzOpen64(QFile::encodeName(path).constData()));
  return zip_ != nullptr;
}

PartStatus XlsxPackage::OpenEntry(const QString& name, std::uint64_t* declared) const {
  void* zip = zip_.get();
  if (unzLocateFile(zip, name.toUtf8().constData(), kCaseInsensitive) != UNZ_OK) {
    return PartStatus::Missing;
  }
  unz_file_info64 info{};
  if (unzGetCurrentFileInfo64(zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK ||
      (info.flag & kEncryptedFlag) || info.uncompressed_size > kMaxPartBytes ||
      unzOpenCurrentFile(zip) != UNZ_OK) {
    return PartStatus::Damaged;
  }
  *declared = info.uncompressed_size;
  return PartStatus::Read;
}

PartStatus XlsxPackage::Read(const QString& name, QByteArray* bytes) const {
  std::uint64_t declared = 0;
  if (const PartStatus opened = OpenEntry(name, &declared); opened != PartStatus::Read) {
    return opened;
  }
  const PartStatus status = ReadCurrent(zip_.get(), declared, bytes);
  // Closing checks the checksum of an entry read to its end.
  const bool checked = unzCloseCurrentFile(zip_.get()) == UNZ_OK;
  return status == PartStatus::Read && !checked ? PartStatus::Damaged : status;
}

PartStatus XlsxPackage::Stream(const QString& name, PartStream* stream) const {
  const PartStatus opened = OpenEntry(name, &stream->declared_);
  if (opened != PartStatus::Read) return opened;
  stream->zip_ = zip_.get();
  stream->open(QIODevice::ReadOnly);
  return PartStatus::Read;
}

PartStream::~PartStream() {
  if (zip_) unzCloseCurrentFile(zip_);
}

PartStatus PartStream::Finish() {
  char rest[kChunkBytes];
  while (read(rest, sizeof rest) > 0) {
  }
  const bool whole = !failed_ && read_ == declared_;
  // Closing checks the checksum of an entry read to its end.
  const bool checked = unzCloseCurrentFile(zip_) == UNZ_OK;
  zip_ = nullptr;
  close();
  return whole && checked ? PartStatus::Read : PartStatus::Damaged;
}

qint64 PartStream::readData(char* data, qint64 maxSize) {
  const int got =
      unzReadCurrentFile(zip_, data, static_cast<unsigned>(std::min<qint64>(maxSize, kChunkBytes)));
  if (got < 0) {
    failed_ = true;
    return -1;
  }
  read_ += static_cast<std::uint64_t>(got);
  return got;
}

QString ResolvePartName(const QString& source, const QString& target) {
  QStringList parts;
  if (!target.startsWith(u'/')) {
    parts = source.split(u'/');
    parts.removeLast();  // the source's own name; its folder remains
  }
  for (const QString& part : target.split(u'/', Qt::SkipEmptyParts)) {
    if (part == u"..") {
      if (parts.isEmpty()) return {};
      parts.removeLast();
    } else if (part != u".") {
      parts.append(part);
    }
  }
  return parts.join(u'/');
}

QString RelationshipsPartName(const QString& source) {
  const qsizetype slash = source.lastIndexOf(u'/');
  return source.left(slash + 1) + QStringLiteral("_rels/") + source.mid(slash + 1) +
         QStringLiteral(".rels");
}
