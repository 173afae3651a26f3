#include "model/common/app_dir.h"

#include <filesystem>
#include <system_error>

namespace {

QString WithTrailingSlash(QString folder) {
  if (!folder.endsWith(u'/')) folder += u'/';
  return folder;
}

QString ExecutableFolder() {
  static const QString folder = [] {
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return QStringLiteral("./");
    return WithTrailingSlash(QString::fromStdString(exe.parent_path().string()));
  }();
  return folder;
}

}  // namespace

QString GetAppDir() {
  const QString home = qEnvironmentVariable("QUENDRA_HOME");
  if (!home.isEmpty()) return WithTrailingSlash(home);
  return ExecutableFolder();
}
