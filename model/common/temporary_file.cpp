#include "model/common/temporary_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>

#include <cerrno>
#include <utility>

int CreateTemporaryFile(const QString& path, UniqueFd* file, mode_t mode) {
  const QByteArray name = QFile::encodeName(path);
  // Unlinking a hard link or a symbolic link removes only that name.
  if (::unlink(name.constData()) != 0 && errno != ENOENT) return errno;
  UniqueFd created(::open(name.constData(),
                          O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, mode));
  if (!created.Valid()) return errno;
  struct stat info {};
  if (::fstat(created.Get(), &info) != 0) return errno;
  if (!S_ISREG(info.st_mode)) return EINVAL;
  *file = std::move(created);
  return 0;
}
