// The project page's commands: adding areas where they belong with their defaults,
// copy and paste, delete with the canvas and the copied item kept consistent, and
// moves that change the order the project file keeps.
#include <QTest>
#include <QToolButton>

#include "app/tree/new_area.h"
#include "controls/bars/my_tool_bar.h"
#include "controls/shell/project_page_ids.h"
#include "model/common/app_paths.h"
#include "model/common/regular_file.h"
#include "model/project/project_file.h"
#include "render/text/rtf_reader.h"
#include "tests/app/tree/project_page_fixture.h"
#include "tests/support/screenshot.h"

using namespace pagetest;

namespace {

class TreeCommandsTest : public ProjectPageTest {
 protected:
  void Command(WPARAM id) { SendMessage(page->Handle(), WM_COMMAND, id, 0); }
  void ToolbarCommand(UINT id) {
    page->ToolBar().ButtonAction(page->ToolBar().CommandToIndex(id))->trigger();
  }
  AreaRecord& AreaOf(QTreeWidgetItem* item) { return *AsProjectItem(item)->Ref().Area(); }
  QString Kind(int kind) {
    return ReadLangText(QStringLiteral("IDD_MAIN_DIALOG"), kAreaKindTextNumbers[kind - 1]);
  }
  static std::vector<QString> Names(const QTreeWidgetItem* parent) {
    std::vector<QString> names;
    for (int i = 0; i < parent->childCount(); ++i) names.push_back(parent->child(i)->text(0));
    return names;
  }
};

NewAreaRect RectOf(const AreaRecord& a) {
  return {a.AreaRect_Left, a.AreaRect_Top, a.AreaRect_Right, a.AreaRect_Bottom};
}

}  // namespace

TEST_F(TreeCommandsTest, AddsAreasBesideEachOtherWithTheirDefaults) {
  AddScreen(QStringLiteral("Wide"), 0);
  Open({{}, [] { return QDateTime(QDate(2024, 12, 31), QTime(23, 30, 5)); }, {}, {}});
  // A screen without programs gets program 1 and the area under it.
  page->AddAreaButton(kSingleLineArea).click();
  ASSERT_EQ(Item(0)->childCount(), 1);
  const ProgramRecord& program = *ScreenList.front().Programs[0];
  EXPECT_EQ(program.ProgramNo, 1);
  const AreaRecord& line = AreaOf(Tree().currentItem());
  EXPECT_EQ(ReadBoundedText(line.AreaName), Kind(1) + u'1');
  EXPECT_EQ(RectOf(line), (NewAreaRect{64, 0, 128, 32}));
  EXPECT_EQ(std::tuple(line.BorderColor, line.BorderStyle, line.ZOrder), std::tuple(255u, 1, 1));
  EXPECT_EQ(canvas.received[canvas.received.size() - 2], Canvas(4, 0));
  // Its text file holds its name in red 宋体 12 pt.
  QByteArray rtf;
  const auto& info = std::get<SingleLineAreaInfo>(line.Kind);
  ASSERT_EQ(
      ReadRegularFile(AppFilePath(AppFolder::UserData, ReadBoundedText(info.guid) + ".rtf"), &rtf),
      0);
  const RichRun run = ReadRtf(rtf).at(0).runs.at(0);
  EXPECT_EQ(std::tuple(run.text, run.format.face, run.format.twips, run.format.color),
            std::tuple(Kind(1) + u'1', QStringLiteral(u"宋体"), 240, ColorRef{255}));
  EXPECT_FALSE(run.format.autoColor);

  // Left of the leftmost area, then back at the right edge, where the rest follow.
  for (int kind = kImageTextArea; kind <= kFilesArea; ++kind) {
    page->AddAreaButton(kind).click();
  }
  for (std::size_t i = 1; i < 7; ++i) {
    EXPECT_EQ(RectOf(*program.Areas[i]), (NewAreaRect{i == 1 ? 0 : 64, 0, i == 1 ? 64 : 128, 32}));
  }
  EXPECT_EQ(CanvasAreaList.size(), 7u);
  const auto& countdown = std::get<TimeAreaInfo>(program.Areas[5]->Kind);
  EXPECT_EQ(std::tuple(countdown.nYear, countdown.nMonth, countdown.nDay, countdown.nSecond),
            std::tuple(2025, 1, 1, 5));

  // A second single line counts 2; a paste of it into its own program is numbered.
  Tree().setCurrentItem(Item(0, 0, 0));
  Command(ID_TREE_COPY);
  page->AddAreaButton(kSingleLineArea).click();
  EXPECT_EQ(Item(0, 0, 7)->text(0), Kind(1) + u'2');
  Command(ID_TREE_PASTE);
  EXPECT_EQ(Tree().currentItem()->text(0), Kind(1) + QStringLiteral("1(1)"));
  page->show();
  EXPECT_FALSE(SaveScreenshot(*page, QStringLiteral("tree_commands_areas")).isEmpty());
}

TEST_F(TreeCommandsTest, PlacementStaysInsideBorderAndScreen) {
  // The analog clock on a 16-pixel screen; a narrow screen with a border; a tiny one.
  EXPECT_EQ(PlaceNewArea(128, 16, 0, 128, kAnalogClockArea), (NewAreaRect{64, 0, 128, 16}));
  EXPECT_EQ(PlaceNewArea(40, 32, 2, 38, kSingleLineArea), (NewAreaRect{2, 2, 38, 30}));
  EXPECT_EQ(PlaceNewArea(3, 3, 2, 1, kSingleLineArea), (NewAreaRect{2, 2, 3, 3}));
}

TEST_F(TreeCommandsTest, CopyPasteAndDeleteKeepEveryReferenceLive) {
  MakeProject();
  Open();
  // Paste into its own program numbers the copy; into another keeps the name.
  Tree().setCurrentItem(Item(0, 0, 1));
  Command(ID_TREE_MENU_COPY);  // the context menu's copy
  Command(ID_TREE_MENU_PASTE);
  Command(ID_TREE_PASTE);
  EXPECT_EQ(Names(Item(0, 0)), (std::vector<QString>{"Sign", "Watch", "Watch(1)", "Watch(2)"}));
  Tree().setCurrentItem(Item(0, 1));
  Command(ID_TREE_PASTE);
  EXPECT_EQ(Names(Item(0, 1)), (std::vector<QString>{"Odd", "Watch"}));

  // Deleting the selected area: op 5 while its record lives, then it is gone.
  QString droppedOnOp5;
  canvas.onMessage = [&](const Message& m) {
    if (m == Canvas(5, 0)) droppedOnOp5 = ReadBoundedText(CanvasAreaList.back()->AreaName);
  };
  Select(Item(0, 0, 3));
  canvas.Take();
  ToolbarCommand(ID_TREE_DELETE);
  EXPECT_EQ(droppedOnOp5, QStringLiteral("Watch(2)"));
  // The previous sibling is selected: there is no next one.
  EXPECT_EQ(canvas.Take(), (std::vector<Message>{Canvas(5, 0), Canvas(1, 3)}));
  EXPECT_EQ(Tree().currentItem(), Item(0, 0, 2));
  EXPECT_EQ(CanvasAreaList.size(), 3u);
  EXPECT_EQ(ScreenList.front().Programs[0]->Areas.size(), 3u);

  // A program goes only after OK; its copied area goes with it and paste is off.
  Command(ID_TREE_COPY);
  Select(Item(0, 0));
  Command(ID_TREE_DELETE);
  EXPECT_EQ(Item(0)->childCount(), 2);
  askAnswer = 1;
  canvas.Take();
  Command(ID_TREE_DELETE);
  EXPECT_EQ(asked.back(), std::pair(ReadLangText(QStringLiteral("IDD_MAIN_DIALOG"), 1010), 0x41));
  EXPECT_EQ(canvas.Take(), (std::vector<Message>{Canvas(6, 0), Canvas(0, 0), Canvas(1, 0)}));
  EXPECT_EQ(Tree().currentItem(), Item(0, 0));
  EXPECT_EQ(SendMessage(page->Handle(), UM_HAS_COPIED_ITEM, 0, 0), 0);
  Command(ID_TREE_PASTE);
  EXPECT_EQ(Item(0, 0)->childCount(), 2);

  // Copy a program, remove its screen: paste does nothing.
  Command(ID_TREE_COPY);
  SendMessage(page->Handle(), UM_SCREEN_ROOT, 1, 0);
  Select(Item(1, 0));
  Command(ID_TREE_PASTE);
  EXPECT_EQ(Item(1)->childCount(), 1);

  // A program pasted: last, checked, its areas copied; the only program deleted
  // leaves a fresh one on its screen.
  Command(ID_TREE_COPY);
  Command(ID_TREE_PASTE);
  ASSERT_EQ(Item(1)->childCount(), 2);
  EXPECT_EQ(Item(1, 1)->checkState(0), Qt::Checked);
  EXPECT_EQ(Tree().currentItem(), Item(1, 1));
  Select(Item(1, 0));
  Command(ID_TREE_DELETE);
  Command(ID_TREE_DELETE);
  ASSERT_EQ(Item(1)->childCount(), 1);
  EXPECT_EQ(Item(1, 0)->text(0), QStringLiteral("Program1"));
  EXPECT_EQ(Tree().currentItem(), Item(1, 0));
  page->show();
  EXPECT_FALSE(SaveScreenshot(*page, QStringLiteral("tree_commands_after_delete")).isEmpty());
}

TEST_F(TreeCommandsTest, MovesChangeTheOrderTheProjectKeeps) {
  MakeProject();
  Open();
  Select(Item(0, 0));
  canvas.Take();
  ToolbarCommand(ID_TREE_MOVE_UP);  // the first program does not go up
  QTest::keyClick(&Tree(), Qt::Key_S);
  EXPECT_EQ(Names(Item(0)), (std::vector<QString>{"P2", "P1"}));
  EXPECT_EQ(Tree().currentItem(), Item(0, 1));
  EXPECT_TRUE(canvas.received.empty());  // the selection stayed
  EXPECT_TRUE(Item(0, 0)->isExpanded());
  EXPECT_EQ(Item(0, 0)->checkState(0), Qt::Unchecked);
  Select(Item(0, 1, 1));
  Command(ID_TREE_MENU_MOVE_DOWN);  // the last area does not go down
  Command(ID_TREE_MENU_MOVE_UP);
  EXPECT_EQ(Names(Item(0, 1)), (std::vector<QString>{"Watch", "Sign"}));
  ASSERT_EQ(SaveProjectXml(GetAppDir() + QStringLiteral("project/moved.kqprj")), 1);
  ClearProject(*page);
  ASSERT_EQ(LoadProjectXml(GetAppDir() + QStringLiteral("project/moved.kqprj")), 1);
  page->BuildTreeFromModel();
  EXPECT_EQ(Names(Item(0)), (std::vector<QString>{"P2", "P1"}));
  EXPECT_EQ(Names(Item(0, 1)), (std::vector<QString>{"Watch", "Sign"}));
}

TEST_F(TreeCommandsTest, PopupsAndPreview) {
  MakeProject();
  Open();
  // On a screen the add-area popup stays shut.
  Command(ID_TREE_ADD_AREA);
  EXPECT_EQ(menusShown, 0);
  Select(Item(0, 1));
  onMenu = [](KvMenu& menu) {
    menu.popup(QPoint(0, 0));
    EXPECT_FALSE(SaveScreenshot(menu, QStringLiteral("tree_commands_add_area_menu")).isEmpty());
    menu.hide();
  };
  chooseCommand = ID_ADD_FILES;  // files
  ToolbarCommand(ID_TREE_ADD_AREA);
  EXPECT_EQ(menuItems.size(), 7u);
  EXPECT_EQ(AreaOf(Tree().currentItem()).AreaType, kFilesArea);
  Command(ID_TREE_MENU_PREVIEW);
  EXPECT_EQ(mainWindow.Take().back(), Message(UM_PLAY_TOGGLE, 1, 0));
}
