#include "model/common/app_paths.h"

#include "model/common/app_dir.h"

QString AppFolderName(AppFolder folder) {
  switch (folder) {
    case AppFolder::Temp: return QStringLiteral("Temp");
    case AppFolder::UserData: return QStringLiteral("UserData");
    case AppFolder::Data: return QStringLiteral("Data");
    case AppFolder::Project: return QStringLiteral("project");
    case AppFolder::Language: return QStringLiteral("language");
    case AppFolder::UpdateData: return QStringLiteral("UpdateData");
  }
  return {};
}

QString AppFolderPath(AppFolder folder) {
  return GetAppDir() + AppFolderName(folder) + u'/';
}

QString AppFilePath(AppFolder folder, QStringView fileName) {
  return AppFolderPath(folder).append(fileName);
}

QString FromStoredPath(QStringView storedPath) {
  QString path = storedPath.toString();
  path.replace(u'\\', u'/');
  return path;
}
