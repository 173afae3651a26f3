#include "model/common/atomic_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

AtomicFile::AtomicFile(QString path)
    : path_(std::move(path)), tempPath_(path_ + QStringLiteral(".tmp")) {}

AtomicFile::~AtomicFile() { Rollback(); }

bool AtomicFile::Fail(const char* step) {
  error_ = QStringLiteral("%1 %2: %3")
               .arg(QLatin1String(step), tempPath_, QString::fromLocal8Bit(std::strerror(errno)));
  failed_ = true;
  return false;
}

bool AtomicFile::Open() {
  Rollback();
  failed_ = false;
  error_.clear();
  fd_ = ::open(tempPath_.toLocal8Bit().constData(),
               O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0666);
  if (fd_ < 0) return Fail("cannot create");
  return true;
}

bool AtomicFile::Write(QByteArrayView data) {
  if (fd_ < 0 || failed_) return false;
  const char* next = data.data();
  qsizetype left = data.size();
  while (left > 0) {
    const ssize_t written = ::write(fd_, next, static_cast<size_t>(left));
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return Fail("cannot write");
    next += written;
    left -= written;
  }
  return true;
}

bool AtomicFile::Commit() {
  if (fd_ < 0) {
    if (error_.isEmpty()) error_ = QStringLiteral("not open: ") + tempPath_;
    return false;
  }
  bool ok = !failed_;
  if (ok && ::fsync(fd_) != 0) ok = Fail("cannot sync");
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0 && ok) ok = Fail("cannot close");
  if (ok && ::rename(tempPath_.toLocal8Bit().constData(), path_.toLocal8Bit().constData()) != 0) {
    ok = Fail("cannot rename into place");
  }
  if (!ok) ::unlink(tempPath_.toLocal8Bit().constData());
  return ok;
}

void AtomicFile::Rollback() {
  if (fd_ < 0) return;
  ::close(fd_);
  fd_ = -1;
  ::unlink(tempPath_.toLocal8Bit().constData());
}

bool WriteFileAtomically(const QString& path, QByteArrayView data, QString* error) {
  AtomicFile file(path);
  const bool ok = file.Open() && file.Write(data) && file.Commit();
  if (!ok && error != nullptr) *error = file.ErrorText();
  return ok;
}
