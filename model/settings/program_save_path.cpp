#include "model/settings/program_save_path.h"

#include <QDateTime>

#include "model/common/app_paths.h"
#include "model/common/file_system.h"
#include "model/settings/settings_file.h"

namespace {

const QString kSettingsFile = QStringLiteral("setting.cfg");
const QString kConfigSection = QStringLiteral("CONFIG");
const QString kSavePathKey = QStringLiteral("ProgramSavePath");

}  // namespace

QString GetProgramSavePath() {
  const QString stored = ReadIniString(kConfigSection, kSavePathKey, kSettingsFile);
  if (!stored.isEmpty() && FileExists(stored)) return stored;
  return NewProgramSavePath();
}

QString NewProgramSavePath() {
  const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddHHmmss"));
  QString path = AppFilePath(AppFolder::Project, QString(stamp + QStringLiteral(".kqprj")));
  // A project saved within the same second keeps its file: the new one is numbered.
  for (int number = 1; FileExists(path); ++number) {
    path = AppFilePath(AppFolder::Project, QStringLiteral("%1_%2.kqprj").arg(stamp).arg(number));
  }
  // Remembering the path is best effort: this call uses it either way.
  (void)SetProgramSavePath(path);
  return path;
}

bool SetProgramSavePath(const QString& path) {
  return WriteIniString(kConfigSection, kSavePathKey, path, kSettingsFile);
}
