#include "updater/core/folder_walk.h"

#include <QFile>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace {

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

}  // namespace

QByteArray PartName(const QString& part) { return QFile::encodeName(part); }

int OpenFolder(const QString& path, UniqueFd* folder) {
  folder->Reset(open(QFile::encodeName(path).constData(), kFolderFlags));
  return folder->Valid() ? 0 : errno;
}

int OpenFolderBelow(int root, const QStringList& parts, qsizetype count, bool create,
                    UniqueFd* folder) {
  UniqueFd current(fcntl(root, F_DUPFD_CLOEXEC, 0));
  if (!current.Valid()) return errno;
  for (qsizetype i = 0; i < count; ++i) {
    const QByteArray name = PartName(parts[i]);
    UniqueFd next(openat(current.Get(), name.constData(), kFolderFlags));
    if (!next.Valid() && errno == ENOENT && create) {
      if (mkdirat(current.Get(), name.constData(), 0755) != 0 && errno != EEXIST) return errno;
      next.Reset(openat(current.Get(), name.constData(), kFolderFlags));
    }
    if (!next.Valid()) return errno;
    current = std::move(next);
  }
  *folder = std::move(current);
  return 0;
}

bool RemoveFlatFolder(int parent, const char* name) {
  const int fd = openat(parent, name, kFolderFlags);
  if (fd < 0) return errno == ENOENT;
  DIR* dir = fdopendir(fd);
  if (dir == nullptr) {
    close(fd);
    return false;
  }
  bool ok = true;
  while (const dirent* item = readdir(dir)) {
    const QByteArray entry(item->d_name);
    if (entry == "." || entry == "..") continue;
    ok &= unlinkat(dirfd(dir), item->d_name, 0) == 0;
  }
  closedir(dir);
  return ok && unlinkat(parent, name, AT_REMOVEDIR) == 0;
}
