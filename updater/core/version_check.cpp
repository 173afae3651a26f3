#include "updater/core/version_check.h"

#include <QFile>

#include "model/common/app_paths.h"
#include "model/common/file_system.h"
#include "model/settings/ini_file.h"
#include "updater/core/digest.h"
#include "updater/core/transfer.h"
#include "updater/core/update_files.h"

namespace {

QString ReadUpdateValue(const QString& path, const char* key) {
  return ReadIniValue(path, QLatin1String(kUpdateSection), QLatin1String(key)).value_or(QString());
}

ServerVersion ReadVersionFile(const QString& path) {
  ServerVersion server;
  server.version = ReadUpdateValue(path, "Version");
  server.packageUrl = ReadUpdateValue(path, "URL");
  server.md5 = ReadUpdateValue(path, "MD5");
  server.message = ReadUpdateValue(path, "Message");
  server.message.replace(u'^', u'\n');
  return server;
}

}  // namespace

int CheckVersion(const UpdateOptions& options, ServerVersion* server, std::atomic<bool>* cancel) {
  const QString url = ReadUpdateValue(UpdateConfigPath(), "URL");
  if (url.isEmpty()) return kVersionNoUrl;
  const QString versionFile = UpdateDataPath(kVersionFileName);
  if (!CreateDirTree(AppFolderPath(AppFolder::UpdateData))) return kVersionNotFetched;
  if (QFile::exists(versionFile) && !QFile::remove(versionFile)) return kVersionNotFetched;
  CBindCallback callback(nullptr, cancel);
  if (!DownloadWhileDispatching(url, versionFile, options.maxVersionFileBytes, options, &callback,
                                options.versionCheckLimitMs)) {
    return kVersionNotFetched;
  }
  *server = ReadVersionFile(versionFile);
  if (server->version.isEmpty()) return kVersionNotFetched;
  const QString local = ReadUpdateValue(UpdateConfigPath(), "Version");
  return server->version > local ? kVersionNew : kVersionUpToDate;
}

PackageFetch FetchPackage(const ServerVersion& server, const UpdateOptions& options, HWND window,
                          std::atomic<bool>* cancel) {
  const QString package = UpdateDataPath(kPackageName);
  if (DigestMatches(FileDigest(package), server.md5)) return PackageFetch::AlreadyThere;
  // A package that does not match is of no use, and must not outlive a failure.
  if (QFile::exists(package) && !QFile::remove(package)) return PackageFetch::Failed;
  if (!CreateDirTree(AppFolderPath(AppFolder::UpdateData))) return PackageFetch::Failed;
  CBindCallback callback(window, cancel);
  return DownloadWhileDispatching(server.packageUrl, package, options.maxPackageBytes, options,
                                  &callback)
             ? PackageFetch::Downloaded
             : PackageFetch::Failed;
}
