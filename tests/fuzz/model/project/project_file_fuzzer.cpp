// Loads arbitrary bytes as a project file, checks the model's invariants (screens a
// card can drive, areas with their kind records) and frees
// it again; the sanitizers catch any bad access. The program folder is a fresh
// temporary folder, so restored sources stay inside it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <variant>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "model/project/project_editing.h"
#include "model/project/project_file.h"
#include "model/project/project_globals.h"
#include "model/project/screen_limits.h"

namespace {

QTemporaryDir& Home() {
  static QTemporaryDir home;
  return home;
}

void CheckModel() {
  for (const ScreenRecord& screen : ScreenList) {
    if (!IsDrivableScreen(screen)) std::abort();  // no screen a card cannot drive
    for (const auto& program : screen.Programs) {
      for (const auto& area : program->Areas) {
        const bool hasKind = !std::holds_alternative<std::monostate>(area->Kind);
        const bool wantsKind = area->AreaType >= kSingleLineArea && area->AreaType <= kFilesArea;
        if (hasKind != wantsKind || area->OwnerScreen != &screen) std::abort();
      }
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  qputenv("QUENDRA_HOME", QFile::encodeName(Home().path() + QLatin1Char('/')));
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QString path = Home().filePath(QStringLiteral("input.kqprj"));
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
  file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
  file.close();
  IsProjectFile(path);
  LoadProjectXml(path);
  CheckModel();
  ClearProjectModel();
  return 0;
}
