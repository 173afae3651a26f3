#include "updater/core/update_files.h"

#include "model/common/app_dir.h"
#include "model/common/app_paths.h"

QString UpdateConfigPath() { return GetAppDir() + QLatin1String(kUpdateConfigName); }

QString UpdateDataPath(const char* name) {
  return AppFilePath(AppFolder::UpdateData, QString::fromLatin1(name));
}
