#include "updater/core/package_check.h"

#include <QFile>
#include <QSet>
#include <QStringDecoder>

#include <minizip/unzip.h>
#include <limits.h>
#include <sys/stat.h>

#include <memory>

#include "model/common/app_paths.h"
#include "updater/core/update_files.h"

namespace {

constexpr unsigned long kUtf8NameFlag = 0x800;
constexpr unsigned long kEncryptedFlag = 0x1;
constexpr unsigned long kMsdosFolderAttribute = 0x10;
constexpr int kUnixHost = 3;  // "version made by" high byte of a Unix archiver

struct ZipCloser {
  void operator()(void* zip) const { unzClose(zip); }
};
using ZipHandle = std::unique_ptr<void, ZipCloser>;

bool IsControl(char16_t c) { return c < 0x20 || c == 0x7F; }

// The name as text: UTF-8 when the entry says so, else the locale's encoding.
bool DecodeName(const char* bytes, int size, unsigned long flag, QString* name) {
  QStringDecoder decoder((flag & kUtf8NameFlag) ? QStringConverter::Utf8
                                                : QStringConverter::System,
                         QStringConverter::Flag::Stateless);
  *name = decoder.decode(QByteArrayView(bytes, size));
  return !decoder.hasError();
}

// The Unix file type and permissions of an entry, 0 when it has none.
unsigned UnixMode(const unz_file_info64& info) {
  return (info.version >> 8) == kUnixHost ? static_cast<unsigned>(info.external_fa >> 16) : 0;
}

PackageError ReadEntry(void* zip, PackageEntry* entry) {
  unz_file_info64 info{};
  char name[kMaxEntryNameBytes + 1];
  if (unzGetCurrentFileInfo64(zip, &info, name, sizeof name, nullptr, 0, nullptr, 0) !=
      UNZ_OK) {
    return PackageError::Unreadable;
  }
  if (info.size_filename > kMaxEntryNameBytes) return PackageError::LongName;
  if (info.flag & kEncryptedFlag) return PackageError::Encrypted;
  QString text;
  if (!DecodeName(name, static_cast<int>(info.size_filename), info.flag, &text) ||
      !SplitEntryName(text, &entry->parts, &entry->isFolder)) {
    return PackageError::BadName;
  }
  const unsigned mode = UnixMode(info);
  const unsigned type = mode & S_IFMT;
  if (type != 0 && type != S_IFREG && type != S_IFDIR) return PackageError::SpecialFile;
  if (type == S_IFDIR || (mode == 0 && (info.external_fa & kMsdosFolderAttribute))) {
    entry->isFolder = true;
  }
  if (mode != 0) entry->mode = (mode & 0111) ? 0755 : 0644;
  if (entry->parts.first() == AppFolderName(AppFolder::UpdateData)) return PackageError::Reserved;
  entry->size = info.uncompressed_size;
  entry->crc = static_cast<std::uint32_t>(info.crc);
  entry->dosDateTime = static_cast<std::uint32_t>(info.dosDate);
  unz64_file_pos position{};
  if (unzGetFilePos64(zip, &position) != UNZ_OK) return PackageError::Unreadable;
  entry->directoryOffset = position.pos_in_zip_directory;
  entry->fileNumber = position.num_of_file;
  return PackageError::None;
}

// Each name once, and no file where another entry has (or passes through) a folder.
PackageError CheckNames(const std::vector<PackageEntry>& entries) {
  QSet<QString> names, folders, files;
  for (const PackageEntry& entry : entries) {
    const QString path = entry.parts.join(u'/');
    if (names.contains(path)) return PackageError::Repeated;
    names.insert(path);
    (entry.isFolder ? folders : files).insert(path);
    for (qsizetype depth = 1; depth < entry.parts.size(); ++depth) {
      folders.insert(entry.parts.first(depth).join(u'/'));
    }
  }
  for (const QString& file : files) {
    if (folders.contains(file)) return PackageError::Repeated;
  }
  return PackageError::None;
}

PackageError ReadEntries(void* zip, const UpdateOptions& options, PackagePlan* plan) {
  unz_global_info64 global{};
  if (unzGetGlobalInfo64(zip, &global) != UNZ_OK) return PackageError::Unreadable;
  if (global.number_entry > static_cast<std::uint64_t>(options.maxEntries)) {
    return PackageError::TooManyEntries;
  }
  const auto maxBytes = static_cast<std::uint64_t>(options.maxUnpackedBytes);
  for (int status = unzGoToFirstFile(zip); status != UNZ_END_OF_LIST_OF_FILE;
       status = unzGoToNextFile(zip)) {
    if (status != UNZ_OK) return PackageError::Unreadable;
    if (plan->entries.size() >= static_cast<std::uint64_t>(options.maxEntries)) {
      return PackageError::TooManyEntries;
    }
    PackageEntry entry;
    if (const PackageError error = ReadEntry(zip, &entry); error != PackageError::None) {
      return error;
    }
    if (entry.size > maxBytes - plan->totalBytes) return PackageError::TooLarge;
    plan->totalBytes += entry.size;
    plan->hasSetupScript |= !entry.isFolder && entry.parts == QStringList{kSetupScriptName};
    plan->entries.push_back(std::move(entry));
  }
  return CheckNames(plan->entries);
}

}  // namespace

bool SplitEntryName(const QString& name, QStringList* parts, bool* isFolder) {
  if (name.isEmpty() || name.front() == u'/' || name.front() == u'\\') return false;
  for (QChar c : name) {
    if (c == u':' || IsControl(c.unicode())) return false;
  }
  QString path = name;
  path.replace(u'\\', u'/');
  *isFolder = path.endsWith(u'/');
  if (*isFolder) path.chop(1);
  *parts = path.split(u'/');
  for (const QString& part : *parts) {
    if (part.isEmpty() || part == u"." || part == u".." ||
        QFile::encodeName(part).size() > NAME_MAX) {
      return false;
    }
  }
  return true;
}

PackageError CheckPackage(const QString& zipPath, const UpdateOptions& options,
                          PackagePlan* plan) {
  zlib_filefunc64_def files;
  fill_fopen64_filefunc(&files);
  const ZipHandle zip(unzOpen2_64(QFile::encodeName(zipPath).constData(), &files));
  if (!zip) return PackageError::Unreadable;
  PackagePlan read;
  const PackageError error = ReadEntries(zip.get(), options, &read);
  if (error == PackageError::None) *plan = std::move(read);
  return error;
}
