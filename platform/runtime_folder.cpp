#include "platform/runtime_folder.h"

#include <QDir>
#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace {

// A folder (not a link to one) that this user owns and no one else may enter.
bool IsPrivateFolder(const QString& path) {
  struct stat info {};
  return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISDIR(info.st_mode) &&
         info.st_uid == ::geteuid() && (info.st_mode & 077) == 0;
}

// Makes path (its parent must exist) as a private folder, or takes the one there when
// it is private already; checked after the creation either way.
bool MakePrivateFolder(const QString& path) {
  if (::mkdir(QFile::encodeName(path).constData(), 0700) != 0 && errno != EEXIST) return false;
  return IsPrivateFolder(path);
}

QString CacheFolder() {
  const QString cache = qEnvironmentVariable("XDG_CACHE_HOME");
  if (QDir::isAbsolutePath(cache)) return cache;
  return QDir::homePath() + QStringLiteral("/.cache");
}

}  // namespace

QString UserRuntimeFolder() {
  const QString given = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (QDir::isAbsolutePath(given) && IsPrivateFolder(given)) return QDir::cleanPath(given);
  const QString own = QStringLiteral("quendra-%1").arg(::geteuid());
  const QString inTemp = QDir::tempPath() + u'/' + own;
  if (MakePrivateFolder(inTemp)) return inTemp;
  const QString cache = CacheFolder();
  // The cache folder is the user's own; it may be missing on a fresh account.
  if (!QDir().mkpath(cache)) return {};
  const QString inCache = cache + QStringLiteral("/quendra-runtime");
  return MakePrivateFolder(inCache) ? inCache : QString();
}
