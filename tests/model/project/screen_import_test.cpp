// Merging an imported screen into the project, in place of the current screen or as
// a new one, and freeing screen branches: numbers, kept fields, owner links and no
// global left pointing at a freed record (the sanitizer build checks the frees).
#include <gtest/gtest.h>

#include <memory>

#include "model/common/bounded_text.h"
#include "model/project/default_screen.h"
#include "model/project/project_editing.h"
#include "model/project/project_globals.h"
#include "model/project/screen_import.h"

namespace {

class ScreenImportMerge : public testing::Test {
 protected:
  void SetUp() override { Reset(); }
  void TearDown() override { Reset(); }

  static void Reset() {
    ClearProjectModel();
    CurrentSelection = nullptr;
    CurrentScreenNo = 0;
    PlayList.clear();
    CanvasAreaList.clear();
  }

  static ScreenRecord& AddScreen(std::int32_t ledNo) {
    ScreenRecord& screen = ScreenList.emplace_back(MakeDefaultScreen());
    screen.LedNo = ledNo;
    return screen;
  }

  // An import of a 48 x 16 screen numbered ledNo, with `programs` programs of two
  // areas each.
  static ScreenImport Imported(std::int32_t ledNo, int programs) {
    ScreenImport import{std::make_unique<ScreenRecord>()};
    ScreenRecord& screen = *import.Screen;
    CopyBoundedText(screen.LedName, u"Imported");
    screen.LedNo = ledNo;
    screen.LedWidth = 48;
    screen.LedHeight = 16;
    for (int i = 0; i < programs; ++i) {
      ProgramRecord& program = AddProgram(screen);
      program.CheckState = i % 2;
      AddArea(program, kSingleLineArea);
      AddArea(program, kFilesArea);
    }
    return import;
  }

  // Points every view global at the screen's first program and its first area.
  static void ViewFirstArea(ScreenRecord& screen, TreeItemRef& selected) {
    ProgramRecord& program = *screen.Programs.front();
    AreaRecord& area = *program.Areas.front();
    selected = TreeItemRef::Of(area);
    CurrentSelection = &selected;
    CanvasAreaList = {&area};
    PlayList = {ProgramSendItem{&program, {&area}}};
  }

  static void ExpectOwnedBy(ScreenRecord& screen) {
    for (const auto& program : screen.Programs) {
      EXPECT_EQ(program->OwnerScreen, &screen);
      for (const auto& area : program->Areas) {
        EXPECT_EQ(area->OwnerProgram, program.get());
        EXPECT_EQ(area->OwnerScreen, &screen);
      }
    }
  }
};

TEST_F(ScreenImportMerge, ReplaceKeepsNumberTreeItemAndLogoAndTakesTheRest) {
  AddScreen(1);
  ScreenRecord& current = AddScreen(3);
  int treeItem = 0;
  current.TreeItem = &treeItem;
  current.LogoLeft = 10;
  current.LogoBottom = 20;
  current.IsShowLogoStart = 1;
  current.IsShowLogoNoProgram = 1;
  current.LogoFiles.emplace_back().AddType = 1;
  AddArea(AddProgram(current), kCountdownArea);
  CurrentScreenNo = 3;
  TreeItemRef selected{};
  ViewFirstArea(current, selected);
  ScreenImport import = Imported(9, 2);
  const ProgramRecord* firstImported = import.Screen->Programs[0].get();

  ASSERT_EQ(ReplaceCurrentScreen(import), 1);

  EXPECT_EQ(ReadBoundedText(current.LedName), "Imported");
  EXPECT_EQ(current.LedWidth, 48);
  EXPECT_EQ(current.LedNo, 3);
  EXPECT_EQ(current.TreeItem, &treeItem);
  EXPECT_EQ(current.LogoLeft, 10);
  EXPECT_EQ(current.LogoRight, 512);
  EXPECT_EQ(current.LogoBottom, 20);
  EXPECT_EQ(current.IsShowLogoStart, 1);
  EXPECT_EQ(current.IsShowLogoNoProgram, 1);
  EXPECT_EQ(current.LogoFiles.size(), 1u);
  ASSERT_EQ(current.Programs.size(), 2u);
  EXPECT_EQ(current.Programs[0].get(), firstImported);
  ExpectOwnedBy(current);
  EXPECT_EQ(CurrentSelection, nullptr);
  EXPECT_TRUE(CanvasAreaList.empty());
  EXPECT_TRUE(PlayList.empty());

  // The record keeps the settings for the caller, the programs belong to the project.
  ASSERT_TRUE(import.Screen);
  EXPECT_EQ(import.Screen->LedHeight, 16);
  EXPECT_TRUE(import.Screen->Programs.empty());
  EXPECT_EQ(FreeImportedScreen(import), 1);
  EXPECT_EQ(current.Programs[0]->Areas.size(), 2u);
}

TEST_F(ScreenImportMerge, ReplaceWithoutCurrentScreenOrImportChangesNothing) {
  ScreenRecord& screen = AddScreen(1);
  AddProgram(screen);
  CurrentScreenNo = 2;
  ScreenImport import = Imported(9, 1);
  EXPECT_EQ(ReplaceCurrentScreen(import), 0);
  EXPECT_EQ(import.Screen->Programs.size(), 1u);
  EXPECT_EQ(screen.Programs.size(), 1u);

  CurrentScreenNo = 1;
  ScreenImport empty;
  EXPECT_EQ(ReplaceCurrentScreen(empty), 0);
  EXPECT_EQ(AppendImportedScreen(empty), 0);
  EXPECT_EQ(screen.Programs.size(), 1u);
  EXPECT_EQ(ScreenList.size(), 1u);
}

TEST_F(ScreenImportMerge, AppendNumbersAfterTheHighestNumberTheImportedOneIncluded) {
  for (const auto& [fileNo, expected] : {std::pair{1, 6}, std::pair{9, 10}}) {
    Reset();
    AddScreen(1);
    AddScreen(5);
    ScreenImport import = Imported(fileNo, 2);

    ASSERT_EQ(AppendImportedScreen(import), 1);

    ASSERT_EQ(ScreenList.size(), 3u);
    ScreenRecord& added = ScreenList.back();
    EXPECT_EQ(added.LedNo, expected) << "file number " << fileNo;
    EXPECT_EQ(added.TreeItem, nullptr);
    EXPECT_EQ(added.Programs.size(), 2u);
    ExpectOwnedBy(added);
    EXPECT_TRUE(import.Screen->Programs.empty());
  }
}

TEST_F(ScreenImportMerge, AppendedScreenGetsTheLogoOfItsSize) {
  const struct {
    std::int32_t width, height, left, bottom;
  } sizes[] = {{48, 16, 0, 16}, {512, 32, 448, 32}};
  for (const auto& size : sizes) {
    ScreenImport import = Imported(1, 0);
    import.Screen->LedWidth = size.width;
    import.Screen->LedHeight = size.height;
    ASSERT_EQ(AppendImportedScreen(import), 1);
    const ScreenRecord& added = ScreenList.back();
    EXPECT_EQ(added.LogoLeft, size.left) << size.width;
    EXPECT_EQ(added.LogoRight, size.width);
    EXPECT_EQ(added.LogoBottom, size.bottom) << size.height;
    EXPECT_EQ(added.IsShowLogoStart, 1);
    EXPECT_EQ(added.IsShowLogoNoProgram, 1);
    EXPECT_TRUE(added.LogoFiles.empty());
  }
}

TEST_F(ScreenImportMerge, FreeScreenBranchFreesOnlyUnderAScreen) {
  ScreenRecord& screen = AddScreen(1);
  AddArea(AddProgram(screen), kFlashWordArea);
  AddProgram(screen);
  TreeItemRef selected{};
  ViewFirstArea(screen, selected);

  EXPECT_FALSE(FreeScreenBranch(TreeItemRef::Of(*screen.Programs[0])));
  EXPECT_EQ(screen.Programs.size(), 2u);
  EXPECT_EQ(CurrentSelection, &selected);

  EXPECT_TRUE(FreeScreenBranch(TreeItemRef::Of(screen)));
  EXPECT_TRUE(screen.Programs.empty());
  EXPECT_EQ(ScreenList.size(), 1u);
  EXPECT_EQ(CurrentSelection, nullptr);
  EXPECT_TRUE(CanvasAreaList.empty());
  EXPECT_TRUE(PlayList.empty());
}

}  // namespace
