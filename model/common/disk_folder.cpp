#include "model/common/disk_folder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>

#include <cerrno>
#include <utility>

namespace {

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

// A name for one entry of a folder: not empty, no separator, not "." or "..".
bool IsEntryName(QStringView name) {
  return !name.isEmpty() && name != u"." && name != u".." && !name.contains(u'/') &&
         !name.contains(u'\\');
}

// 0 when name in folder is no symbolic link (or does not exist), else ELOOP or the
// error of the look.
int RefuseLink(int folder, const QByteArray& name) {
  struct stat info {};
  if (::fstatat(folder, name.constData(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
    return errno == ENOENT ? 0 : errno;
  }
  return S_ISLNK(info.st_mode) ? ELOOP : 0;
}

// Opens the level name below folder into *level, making it first when create is set.
int OpenLevel(int folder, QStringView name, bool create, UniqueFd* level) {
  if (!IsEntryName(name)) return EINVAL;
  const QByteArray encoded = QFile::encodeName(name.toString());
  if (create && ::mkdirat(folder, encoded.constData(), 0777) != 0 && errno != EEXIST) return errno;
  UniqueFd opened(::openat(folder, encoded.constData(), kFolderFlags));
  if (!opened.Valid()) {
    // A link to a folder gives ELOOP; a link to anything else may give ENOTDIR.
    const int error = errno;
    return RefuseLink(folder, encoded) == ELOOP ? ELOOP : error;
  }
  *level = std::move(opened);
  return 0;
}

}  // namespace

int DiskFolder::Open(const QString& root, const QString& relative, bool create) {
  fd_.Reset();
  if (root.isEmpty()) return EINVAL;
  // The root is the mount point the system names, taken as it is.
  UniqueFd current(::open(QFile::encodeName(root).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!current.Valid()) return errno;
  QString levels = relative;
  levels.replace(u'\\', u'/');
  for (const QStringView name : QStringView(levels).split(u'/', Qt::SkipEmptyParts)) {
    UniqueFd next;
    if (const int error = OpenLevel(current.Get(), name, create, &next)) return error;
    current = std::move(next);
  }
  fd_ = std::move(current);
  return 0;
}

int DiskFolder::WriteFile(const QString& name, QByteArrayView data) const {
  if (!fd_.Valid()) return EBADF;
  if (!IsEntryName(name)) return EINVAL;
  const QByteArray target = QFile::encodeName(name);
  const QByteArray temp = target + ".tmp";
  if (const int error = RefuseLink(fd_.Get(), target)) return error;
  // Unlinking whatever was left at the temporary name removes only that name.
  if (::unlinkat(fd_.Get(), temp.constData(), 0) != 0 && errno != ENOENT) return errno;
  UniqueFd file(::openat(fd_.Get(), temp.constData(),
                         O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666));
  if (!file.Valid()) return errno;
  int error = file.WriteAll(data.data(), static_cast<std::size_t>(data.size()));
  if (error == 0 && ::fsync(file.Get()) != 0) error = errno;
  if (const int closed = file.Close(); error == 0) error = closed;
  if (error == 0 && ::renameat(fd_.Get(), temp.constData(), fd_.Get(), target.constData()) != 0) {
    error = errno;
  }
  if (error != 0) {
    static_cast<void>(::unlinkat(fd_.Get(), temp.constData(), 0));
    return error;
  }
  return ::fsync(fd_.Get()) == 0 ? 0 : errno;
}

int DiskFolder::RemoveFile(const QString& name) const {
  if (!fd_.Valid()) return EBADF;
  if (!IsEntryName(name)) return EINVAL;
  const QByteArray encoded = QFile::encodeName(name);
  if (const int error = RefuseLink(fd_.Get(), encoded)) return error;
  if (::unlinkat(fd_.Get(), encoded.constData(), 0) != 0 && errno != ENOENT) return errno;
  return 0;
}
