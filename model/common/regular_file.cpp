#include "model/common/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <QFile>

#include <cerrno>
#include <cstring>
#include <utility>

int OpenRegularFile(const QString& path, UniqueFd* file, std::int64_t* size) {
  // O_NONBLOCK keeps the open of a FIFO from waiting for a writer; a regular file
  // ignores the flag, so it is left set for the reads. O_NOCTTY: a terminal named
  // here must never become the process's controlling terminal.
  UniqueFd opened(::open(QFile::encodeName(path).constData(),
                         O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (!opened.Valid()) return errno;
  struct stat info {};
  if (::fstat(opened.Get(), &info) != 0) return errno;
  if (S_ISDIR(info.st_mode)) return EISDIR;
  if (!S_ISREG(info.st_mode)) return EINVAL;
  *file = std::move(opened);
  if (size != nullptr) *size = info.st_size;
  return 0;
}

int ReadRegularFile(const QString& path, QByteArray* bytes, std::int64_t maxBytes) {
  UniqueFd file;
  std::int64_t size = 0;
  if (const int error = OpenRegularFile(path, &file, &size)) return error;
  if (size > maxBytes) return EFBIG;
  QByteArray content(static_cast<qsizetype>(size), Qt::Uninitialized);
  if (const int error = file.ReadAll(content.data(), static_cast<std::size_t>(size))) {
    return error;
  }
  *bytes = std::move(content);
  return 0;
}

bool RegularFileHolds(const QString& path, QByteArrayView data) {
  UniqueFd file;
  std::int64_t size = 0;
  if (OpenRegularFile(path, &file, &size) != 0 || size != data.size()) return false;
  QByteArray content(data.size(), Qt::Uninitialized);
  return file.ReadAll(content.data(), static_cast<std::size_t>(size)) == 0 &&
         std::memcmp(content.constData(), data.data(), static_cast<std::size_t>(size)) == 0;
}
