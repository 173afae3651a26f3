#include "bench/project/bench_project.h"

#include <QByteArray>
#include <QFile>

#include "model/common/app_paths.h"
#include "model/common/bounded_text.h"
#include "model/common/guid_text.h"
#include "model/project/project_editing.h"
#include "model/project/project_globals.h"

namespace {

void WriteSource(const char16_t* guid) {
  QFile file(AppFilePath(AppFolder::UserData,
                         ReadBoundedText(guid, kNameCapacity) + QStringLiteral(".rtf")));
  if (file.open(QIODevice::WriteOnly)) file.write(QByteArray(kSourceBytes, 'r'));
}

void AddPrograms(ScreenRecord& screen) {
  for (int p = 0; p < kProgramsPerScreen; ++p) {
    ProgramRecord& program = AddProgram(screen);
    program.CheckState = p % 2;
    for (std::int32_t kind :
         {kSingleLineArea, kImageTextArea, kDigitalClockArea, kFlashWordArea, kFilesArea}) {
      AreaRecord* area = AddArea(program, kind);
      if (auto* info = std::get_if<SingleLineAreaInfo>(&area->Kind)) WriteSource(info->guid);
      if (auto* pages = std::get_if<std::vector<FileItem>>(&area->Kind)) {
        for (int i = 0; i < 2; ++i) {
          FileItem page{};
          CopyBoundedText(page.guid, NewGuidText());
          WriteSource(page.guid);
          pages->push_back(page);
        }
      }
      if (auto* words = std::get_if<std::vector<FlashWordItem>>(&area->Kind)) {
        FlashWordItem word{};
        word.ShowStr = QStringLiteral("Welcome");
        CopyBoundedText(word.guid, NewGuidText());
        words->push_back(word);
      }
      if (auto* files = std::get_if<std::vector<FileAreaItem>>(&area->Kind)) {
        FileAreaItem file{};
        CopyBoundedText(file.FilePath, u"/media/picture.png");
        CopyBoundedText(file.Guid, NewGuidText());
        files->push_back(file);
      }
    }
  }
}

}  // namespace

void BuildBenchProject(int areas) {
  ClearProjectModel();
  for (int s = 0; s < areas / (kProgramsPerScreen * kAreasPerProgram); ++s) {
    ScreenRecord& screen = ScreenList.emplace_back();
    CopyBoundedText(screen.LedName, QStringLiteral("LED%1").arg(s + 1));
    screen.LedNo = s + 1;
    screen.LedWidth = 512;
    screen.LedHeight = 32;
    AddPrograms(screen);
  }
}
