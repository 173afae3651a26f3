#include "model/common/atomic_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

AtomicFile::AtomicFile(QString path)
    : path_(std::move(path)), tempPath_(path_ + QStringLiteral(".tmp")) {}

AtomicFile::~AtomicFile() { Rollback(); }

bool AtomicFile::Fail(const char* step, int error) {
  error_ = QStringLiteral("%1 %2: %3")
               .arg(QLatin1String(step), tempPath_, QString::fromLocal8Bit(std::strerror(error)));
  failed_ = true;
  return false;
}

bool AtomicFile::Open() {
  Rollback();
  failed_ = false;
  error_.clear();
  fd_.Reset(::open(tempPath_.toLocal8Bit().constData(),
                  O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0666));
  if (!fd_.Valid()) return Fail("cannot create", errno);
  return true;
}

bool AtomicFile::Write(QByteArrayView data) {
  if (!fd_.Valid() || failed_) return false;
  const int error = fd_.WriteAll(data.data(), static_cast<std::size_t>(data.size()));
  return error == 0 || Fail("cannot write", error);
}

bool AtomicFile::Commit() {
  if (!fd_.Valid()) {
    if (error_.isEmpty()) error_ = QStringLiteral("not open: ") + tempPath_;
    return false;
  }
  bool ok = !failed_;
  if (ok && ::fsync(fd_.Get()) != 0) ok = Fail("cannot sync", errno);
  if (const int error = fd_.Close(); error != 0 && ok) ok = Fail("cannot close", error);
  if (ok && ::rename(tempPath_.toLocal8Bit().constData(), path_.toLocal8Bit().constData()) != 0) {
    ok = Fail("cannot rename into place", errno);
  }
  if (!ok) ::unlink(tempPath_.toLocal8Bit().constData());
  return ok;
}

void AtomicFile::Rollback() {
  if (!fd_.Valid()) return;
  fd_.Reset();
  ::unlink(tempPath_.toLocal8Bit().constData());
}

bool WriteFileAtomically(const QString& path, QByteArrayView data, QString* error) {
  AtomicFile file(path);
  const bool ok = file.Open() && file.Write(data) && file.Commit();
  if (!ok && error != nullptr) *error = file.ErrorText();
  return ok;
}
