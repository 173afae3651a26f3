#include "model/common/file_system.h"

#include <sys/stat.h>

#include <cerrno>

#include "model/common/split_string.h"

namespace {

[[nodiscard]] bool StatPath(const QString& path, struct stat* info) {
  return !path.isEmpty() && ::stat(path.toLocal8Bit().constData(), info) == 0;
}

[[nodiscard]] bool MakeFolder(const QString& path) {
  if (::mkdir(path.toLocal8Bit().constData(), 0777) == 0) return true;
  // Made by someone else meanwhile: that is as good.
  return errno == EEXIST && DirExists(path);
}

}  // namespace

bool FileExists(const QString& path) {
  struct stat info;
  return StatPath(path, &info) && !S_ISDIR(info.st_mode);
}

bool DirExists(const QString& path) {
  struct stat info;
  return StatPath(path, &info) && S_ISDIR(info.st_mode);
}

bool CreateDirTree(const QString& path) {
  if (path.isEmpty()) return false;
  if (DirExists(path)) return true;
  QString normal = path;
  normal.replace(u'\\', u'/');
  if (normal.size() > 1 && normal.endsWith(u'/')) normal.chop(1);

  QStringList pieces;
  SplitString(normal, QStringLiteral("/"), pieces);
  QString current = pieces.value(0);  // empty for an absolute path: the root
  if (!current.isEmpty() && !DirExists(current) && !MakeFolder(current)) return false;
  for (qsizetype i = 1; i < pieces.size(); ++i) {
    current += u'/' + pieces[i];
    if (pieces[i].isEmpty() || DirExists(current)) continue;
    if (!MakeFolder(current)) return false;
  }
  return DirExists(normal);
}
