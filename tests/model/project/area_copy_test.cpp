// Pasted copies of areas and programs: new GUID texts everywhere, content files
// copied under them and never over an existing file, settings copied whole.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QFile>

#include <set>

#include "model/common/app_paths.h"
#include "model/common/bounded_text.h"
#include "model/common/file_system.h"
#include "model/common/guid_text.h"
#include "model/common/regular_file.h"
#include "model/project/area_copy.h"
#include "model/project/project_editing.h"
#include "model/project/project_globals.h"

namespace {

QString UserFile(const char16_t* guid, const char* extension) {
  return AppFilePath(AppFolder::UserData, ReadBoundedText(guid, kNameCapacity) + extension);
}

void Write(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

class AreaCopy : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(CreateDirTree(AppFolderPath(AppFolder::UserData)));
    screen = &ScreenList.emplace_back();
    source = &AddProgram(*screen);
  }
  void TearDown() override { ClearProjectModel(); }
  ScreenRecord* screen = nullptr;
  ProgramRecord* source = nullptr;
};

}  // namespace

TEST_F(AreaCopy, PasteGivesNewGuidsAndCopiesContentFiles) {
  AreaRecord& pages = *AddArea(*source, kImageTextArea);
  auto& items = std::get<std::vector<FileItem>>(pages.Kind);
  for (int addType : {1, 3, 2, 6}) {  // a document, a table, a caption without file, odd
    FileItem& item = items.emplace_back();
    item.AddType = addType;
    item.FileType = addType == 3 ? 0 : 6;
    CopyBoundedText(item.guid, NewGuidText());
  }
  Write(UserFile(items[0].guid, ".rtf"), "{\\rtf1 text}");
  Write(UserFile(items[1].guid, ".kqg"), "table");
  pages.Backgrounds.emplace_back();
  CopyBoundedText(pages.Backgrounds[0].guid, NewGuidText());
  AreaRecord& line = *AddArea(*source, kSingleLineArea);
  const auto& lineInfo = std::get<SingleLineAreaInfo>(line.Kind);
  Write(UserFile(lineInfo.guid, ".rtf"), "{\\rtf1 line}");

  source->PlayTime = 75;
  source->CheckState = 0;
  const PastedProgram pasted = PasteProgramCopy(*source, *screen);
  EXPECT_EQ(std::tuple(pasted.program->ProgramNo, pasted.program->PlayTime,
                       pasted.program->CheckState, pasted.program->OwnerScreen),
            std::tuple(source->ProgramNo, 75, 1, screen));
  ASSERT_EQ(pasted.program->Areas.size(), 2u);
  EXPECT_EQ(pasted.filesNotCopied, 1);  // the caption's missing file
  const AreaRecord& pagesCopy = *pasted.program->Areas[0];
  const auto& copies = std::get<std::vector<FileItem>>(pagesCopy.Kind);
  const auto& lineCopy = std::get<SingleLineAreaInfo>(pasted.program->Areas[1]->Kind);
  std::set<QString> guids;
  for (const char16_t* guid : std::initializer_list<const char16_t*>{
           pagesCopy.guid, pagesCopy.Backgrounds[0].guid, copies[0].guid, copies[1].guid,
           copies[2].guid, copies[3].guid, lineCopy.guid, pages.guid, pages.Backgrounds[0].guid,
           items[0].guid, items[1].guid, items[2].guid, items[3].guid, lineInfo.guid}) {
    guids.insert(ReadBoundedText(guid, kNameCapacity));
  }
  EXPECT_EQ(guids.size(), 14u);
  EXPECT_TRUE(RegularFileHolds(UserFile(copies[0].guid, ".rtf"), "{\\rtf1 text}"));
  EXPECT_TRUE(RegularFileHolds(UserFile(copies[1].guid, ".kqg"), "table"));
  EXPECT_TRUE(RegularFileHolds(UserFile(lineCopy.guid, ".rtf"), "{\\rtf1 line}"));
  EXPECT_EQ(pagesCopy.OwnerProgram, pasted.program);
}

TEST_F(AreaCopy, FileCopyNeverReplacesAndReadsOnlyRegularFiles) {
  const QString from = AppFilePath(AppFolder::UserData, u"from.rtf");
  const QString to = AppFilePath(AppFolder::UserData, u"to.rtf");
  Write(from, "new");
  Write(to, "old");
  EXPECT_EQ(CopyToNewFile(from, to), EEXIST);
  EXPECT_TRUE(RegularFileHolds(to, "old"));
  const QString fifo = AppFilePath(AppFolder::UserData, u"fifo.rtf");
  ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  EXPECT_EQ(CopyToNewFile(fifo, to + "2"), EINVAL);  // without blocking
  EXPECT_EQ(CopyToNewFile(from + "x", to + "3"), ENOENT);
  EXPECT_EQ(CopyToNewFile(from, to + "4"), 0);
  EXPECT_TRUE(RegularFileHolds(to + "4", "new"));
}
