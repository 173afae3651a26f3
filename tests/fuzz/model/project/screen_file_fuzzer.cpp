// Reads arbitrary bytes as a single-screen file, appends what it read to the project
// and checks that its screen is one a card can drive, that every owner link points
// at the project and that no file was
// written outside UserData; the sanitizers catch any bad access. The program folder
// is a fresh temporary folder, emptied after each input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include "model/common/app_paths.h"
#include "model/project/project_editing.h"
#include "model/project/project_globals.h"
#include "model/project/screen_file.h"
#include "model/project/screen_import.h"
#include "model/project/screen_limits.h"

namespace {

QTemporaryDir& Home() {
  static QTemporaryDir home;
  return home;
}

void CheckOwners() {
  for (const ScreenRecord& screen : ScreenList) {
    if (!IsDrivableScreen(screen)) std::abort();  // no screen a card cannot drive
    for (const auto& program : screen.Programs) {
      if (program->OwnerScreen != &screen) std::abort();
      for (const auto& area : program->Areas) {
        if (area->OwnerProgram != program.get() || area->OwnerScreen != &screen) std::abort();
      }
    }
  }
}

void CheckFilesStayInUserData(const QString& input) {
  const QString userData = AppFolderPath(AppFolder::UserData);
  QDirIterator it(Home().path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString file = it.next();
    if (file != input && !file.startsWith(userData)) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  qputenv("QUENDRA_HOME", QFile::encodeName(Home().path() + QLatin1Char('/')));
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QString path = Home().filePath(QStringLiteral("kq_disp_pgm.usb"));
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
  file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
  file.close();
  ScreenImport import;
  if (ReadScreenXml(import, path) == 1) AppendImportedScreen(import);
  FreeImportedScreen(import);
  CheckOwners();
  CheckFilesStayInUserData(path);
  ClearProjectModel();
  QDir(AppFolderPath(AppFolder::UserData)).removeRecursively();
  return 0;
}
