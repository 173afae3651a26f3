#include "model/common/atomic_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "model/common/temporary_file.h"

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
  if (const int error = CreateTemporaryFile(tempPath_, &fd_)) return Fail("cannot create", error);
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

namespace {

QString TempPathOf(const QString& path) { return path + QStringLiteral(".tmp"); }

QString ErrnoText(const char* step, const QString& path, int error) {
  return QStringLiteral("%1 %2: %3")
      .arg(QLatin1String(step), path, QString::fromLocal8Bit(std::strerror(error)));
}

// Syncs the file system that holds folder (one call, whatever the number of files),
// or the folder itself when metadataOnly. 0 or an errno value.
int SyncFolder(const QString& folder, bool metadataOnly) {
  UniqueFd fd(::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!fd.Valid()) return errno;
  const int synced = metadataOnly ? ::fsync(fd.Get()) : ::syncfs(fd.Get());
  return synced == 0 ? 0 : errno;
}

}  // namespace

AtomicFileBatch::~AtomicFileBatch() { Rollback(); }

bool AtomicFileBatch::Fail(const QString& error) {
  error_ = error;
  return false;
}

bool AtomicFileBatch::Stage(const QString& path, QByteArrayView data) {
  const QByteArray tempName = QFile::encodeName(TempPathOf(path));
  UniqueFd fd;
  if (const int error = CreateTemporaryFile(TempPathOf(path), &fd)) {
    return Fail(ErrnoText("cannot create", TempPathOf(path), error));
  }
  int error = fd.WriteAll(data.data(), static_cast<std::size_t>(data.size()));
  if (const int closeError = fd.Close(); error == 0) error = closeError;
  if (error != 0) {
    ::unlink(tempName.constData());
    return Fail(ErrnoText("cannot write", TempPathOf(path), error));
  }
  staged_.push_back(path);
  return true;
}

bool AtomicFileBatch::Commit() {
  std::vector<QString> folders;
  for (const QString& path : staged_) {
    const QString folder = QFileInfo(path).absolutePath();
    if (std::find(folders.begin(), folders.end(), folder) == folders.end())
      folders.push_back(folder);
  }
  // The data of every staged file reaches the disk before any rename does.
  for (const QString& folder : folders) {
    if (const int error = SyncFolder(folder, false)) {
      return Fail(ErrnoText("cannot sync", folder, error));
    }
  }
  std::size_t renamed = 0;
  for (; renamed < staged_.size(); ++renamed) {
    const QString& path = staged_[renamed];
    if (::rename(QFile::encodeName(TempPathOf(path)).constData(),
                 QFile::encodeName(path).constData()) != 0) {
      break;
    }
    committed_.push_back(path);
  }
  if (renamed < staged_.size()) {
    const QString error = ErrnoText("cannot rename into place", staged_[renamed], errno);
    staged_.erase(staged_.begin(), staged_.begin() + static_cast<std::ptrdiff_t>(renamed));
    return Fail(error);
  }
  staged_.clear();
  for (const QString& folder : folders) {
    if (const int error = SyncFolder(folder, true))
      return Fail(ErrnoText("cannot sync", folder, error));
  }
  return true;
}

void AtomicFileBatch::Rollback() {
  for (const QString& path : staged_) ::unlink(QFile::encodeName(TempPathOf(path)).constData());
  staged_.clear();
}
