#include <gtest/gtest.h>

#include <QFile>

#include <climits>
#include <cstddef>
#include <set>
#include <vector>

#include "model/common/app_dir.h"
#include "model/common/bounded_text.h"
#include "model/common/guid_text.h"
#include "model/project/default_screen.h"
#include "model/project/numbering.h"
#include "model/project/project_editing.h"
#include "model/project/project_globals.h"
#include "model/project/project_window.h"
#include "model/project/selection.h"
#include "model/settings/lang_text.h"
#include "platform/message_window.h"

namespace {

// Stands for the project page: records what it is sent and, like the page, adds a
// first program under a new screen root.
class RecordingProjectWindow : public MessageWindow {
 public:
  struct Message {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
  };
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    received.push_back({msg, wParam, lParam});
    if (msg == UM_SCREEN_ROOT && wParam == 0) {
      AddProgram(*reinterpret_cast<ScreenRecord*>(lParam));
    }
    return 0;
  }
  std::vector<Message> received;
};

// Slots 6-11, 12-16 and 17-21 o'clock, all switched off.
template <typename Schedule>
void ExpectDefaultSlots(const Schedule& s) {
  EXPECT_EQ((std::vector<std::int32_t>{s.TimeFlag1, s.TimeFlag2, s.TimeFlag3, s.StartHour1,
                                       s.StartHour2, s.StartHour3, s.StartMinute1, s.StartMinute2,
                                       s.StartMinute3, s.EndHour1, s.EndHour2, s.EndHour3,
                                       s.EndMinute1, s.EndMinute2, s.EndMinute3}),
            (std::vector<std::int32_t>{0, 0, 0, 6, 12, 17, 0, 0, 0, 11, 16, 21, 0, 0, 0}));
}

// Every test starts and ends with an empty project and no views pointing into it.
class ProjectModel : public testing::Test {
 protected:
  void SetUp() override { ResetModel(); }
  void TearDown() override { ResetModel(); }

  static void ResetModel() {
    ClearProjectModel();
    CurrentSelection = nullptr;
    CurrentScreenNo = 0;
    PlayList.clear();
    CanvasAreaList.clear();
    SetProjectWindow(nullptr);
    LangIniPath.clear();
  }

  // A language file whose IDD_MAIN_DIALOG text 1009 is `programText`.
  static void UseLanguageFile(const QByteArray& programText) {
    LangIniPath = GetAppDir() + "english.ini";
    QFile file(LangIniPath);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[IDD_MAIN_DIALOG]\r\n1009=" + programText + "\r\n");
  }

  static ScreenRecord& AddScreen(std::int32_t ledNo) {
    ScreenRecord& screen = ScreenList.emplace_back(MakeDefaultScreen());
    screen.LedNo = ledNo;
    return screen;
  }
};

TEST_F(ProjectModel, DefaultScreenHasTheValuesOfANewProject) {
  const ScreenRecord screen = MakeDefaultScreen();
  EXPECT_EQ(ReadBoundedText(screen.LedName), "LED1");
  EXPECT_EQ(screen.LedNo, 1);
  EXPECT_EQ(screen.LedNumber, 1);
  EXPECT_EQ(screen.SendType, kSendByNetwork);
  EXPECT_EQ(screen.LedColor, 0);
  EXPECT_EQ(screen.LedIp, 0xC0A80164u);
  EXPECT_EQ(screen.ModuleWidth, 32);
  EXPECT_EQ(screen.ModuleHeight, 16);
  EXPECT_EQ(screen.WidthModuleNum, 16);
  EXPECT_EQ(screen.HeightModuleNum, 2);
  EXPECT_EQ(screen.LedWidth, 512);
  EXPECT_EQ(screen.LedHeight, 32);
  EXPECT_EQ(screen.OE, 1);
  EXPECT_EQ(screen.ZouXianType, 2003);
  EXPECT_EQ(screen.RouteValue, 8);
  // The scan parameters key 2003 stands for, so that a card is never set to data
  // height 0 from a new project.
  EXPECT_EQ(screen.DataHeight, 15);
  EXPECT_EQ(screen.ScanType, 3);
  EXPECT_EQ(screen.BrightnessValue, 15);

  EXPECT_EQ(screen.IsTimeOnOff, 0);
  EXPECT_EQ(screen.IsTimeBrightness, 0);
  ExpectDefaultSlots(screen.TimeOnOff);
  ExpectDefaultSlots(screen.TimeBrightness);
  EXPECT_EQ(screen.TimeBrightness.BrightnessValue1, 15);
  EXPECT_EQ(screen.TimeBrightness.BrightnessValue2, 15);
  EXPECT_EQ(screen.TimeBrightness.BrightnessValue3, 15);

  EXPECT_EQ(screen.IsShowLogoStart, 1);
  EXPECT_EQ(screen.IsShowLogoNoProgram, 1);
  EXPECT_EQ(screen.LogoLeft, 448);
  EXPECT_EQ(screen.LogoTop, 0);
  EXPECT_EQ(screen.LogoRight, 512);
  EXPECT_EQ(screen.LogoBottom, 32);
  EXPECT_TRUE(screen.LogoFiles.empty());
  EXPECT_TRUE(screen.Programs.empty());
  EXPECT_EQ(screen.TreeItem, nullptr);
}

TEST_F(ProjectModel, CreateDefaultScreenHandsTheNewElementToTheProjectWindow) {
  UseLanguageFile("Program");
  RecordingProjectWindow page;
  SetProjectWindow(page.Handle());

  ScreenRecord& screen = CreateDefaultScreen();

  ASSERT_EQ(ScreenList.size(), 1u);
  EXPECT_EQ(&ScreenList.front(), &screen);
  ASSERT_EQ(page.received.size(), 1u);
  EXPECT_EQ(page.received[0].msg, UM_SCREEN_ROOT);
  EXPECT_EQ(page.received[0].wParam, 0u);
  EXPECT_EQ(page.received[0].lParam, reinterpret_cast<LPARAM>(&screen));
  // A new project: one screen with the first program the page added.
  ASSERT_EQ(screen.Programs.size(), 1u);
  EXPECT_EQ(ReadBoundedText(screen.Programs[0]->ProgramName), "Program1");
  EXPECT_EQ(screen.Programs[0]->OwnerScreen, &screen);
}

TEST_F(ProjectModel, CreateDefaultScreenWithoutProjectWindowStillAddsTheScreen) {
  ScreenRecord& screen = CreateDefaultScreen();
  ASSERT_EQ(ScreenList.size(), 1u);
  EXPECT_EQ(&ScreenList.front(), &screen);
  EXPECT_TRUE(screen.Programs.empty());
}

TEST_F(ProjectModel, ScreenAddressesStayValidWhileScreensAreAddedAndRemoved) {
  ScreenRecord& first = AddScreen(1);
  ScreenRecord& second = AddScreen(2);
  for (int i = 3; i < 40; ++i) AddScreen(i);
  ASSERT_TRUE(RemoveScreen(first));
  EXPECT_EQ(second.LedNo, 2);
  EXPECT_EQ(&ScreenList.front(), &second);
  EXPECT_FALSE(RemoveScreen(first));  // no longer in the list
}

// The SDK reads these records as they are; their layout is fixed.
TEST(AreaRecordsLayout, SdkRecordsHaveTheirFixedSizesAndOffsets) {
  EXPECT_EQ(sizeof(DigitalClockAreaInfo), 424u);
  EXPECT_EQ(offsetof(DigitalClockAreaInfo, ShowStrFont_FontName), 256u);
  EXPECT_EQ(offsetof(DigitalClockAreaInfo, Reserved1), 416u);  // the SDK reads 416
  EXPECT_EQ(sizeof(ClockAreaInfo), 460u);
  EXPECT_EQ(offsetof(ClockAreaInfo, DateFont_FontName), 284u);
  EXPECT_EQ(offsetof(ClockAreaInfo, WeekFont_FontName), 376u);
  EXPECT_EQ(sizeof(TimeAreaInfo), 400u);
  EXPECT_EQ(offsetof(TimeAreaInfo, ShowStr), 48u);
  EXPECT_EQ(offsetof(TimeAreaInfo, Reserved1), 392u);  // the SDK reads 392
}

TEST(AreaRecordsLayout, ScreenSchedulesMatchTheSdkScheduleRecords) {
  EXPECT_EQ(sizeof(PowerSchedule), 15 * sizeof(std::int32_t));
  EXPECT_EQ(sizeof(BrightnessSchedule), 18 * sizeof(std::int32_t));
  EXPECT_EQ(offsetof(BrightnessSchedule, BrightnessValue1), 15 * sizeof(std::int32_t));
}

TEST_F(ProjectModel, ProgramsAreNumberedByCountAndNamedFromTheLanguageText) {
  UseLanguageFile("节目");
  ScreenRecord& screen = AddScreen(1);
  ProgramRecord& first = AddProgram(screen);
  ProgramRecord& second = AddProgram(screen);
  EXPECT_EQ(first.ProgramNo, 1);
  EXPECT_EQ(second.ProgramNo, 2);
  EXPECT_EQ(ReadBoundedText(second.ProgramName), QString::fromUtf8("节目2"));
  EXPECT_EQ(second.OwnerScreen, &screen);
  EXPECT_TRUE(second.Areas.empty());

  // The count decides, so a number can come again after a deletion.
  AddProgram(screen);
  ASSERT_TRUE(RemoveProgram(first));
  EXPECT_EQ(AddProgram(screen).ProgramNo, 3);
  EXPECT_EQ(screen.Programs.size(), 3u);
}

TEST_F(ProjectModel, ProgramNameIsCutToItsCapacity) {
  UseLanguageFile(QByteArray(300, 'x'));
  ProgramRecord& program = AddProgram(AddScreen(1));
  EXPECT_EQ(ReadBoundedText(program.ProgramName).size(), kNameCapacity - 1);
  EXPECT_EQ(program.ProgramName[kNameCapacity - 1], u'\0');
}

TEST_F(ProjectModel, ProgramNameWithoutLanguageFileIsTheNumber) {
  ProgramRecord& program = AddProgram(AddScreen(1));
  EXPECT_EQ(ReadBoundedText(program.ProgramName), "1");
}

TEST_F(ProjectModel, AreasTakeTheHighestNumberPlusOne) {
  ProgramRecord& program = AddProgram(AddScreen(1));
  AreaRecord* first = AddArea(program, kSingleLineArea);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->AreaNo, 1);
  first->AreaNo = 7;  // as a file may hold it
  AreaRecord* second = AddArea(program, kFilesArea);
  EXPECT_EQ(second->AreaNo, 8);
  ASSERT_TRUE(RemoveArea(*second));
  EXPECT_EQ(AddArea(program, kCountdownArea)->AreaNo, 8);

  // The highest possible number is followed by the smallest free one, not overflow.
  program.Areas.back()->AreaNo = INT_MAX;
  EXPECT_EQ(AddArea(program, kCountdownArea)->AreaNo, 1);
  EXPECT_EQ(AddArea(program, kCountdownArea)->AreaNo, 2);
}

TEST_F(ProjectModel, NewAreasHaveTheirKindRecordOwnersAndFreshGuids) {
  ScreenRecord& screen = AddScreen(1);
  ProgramRecord& program = AddProgram(screen);
  std::set<QString> guids;
  for (std::int32_t kind = kSingleLineArea; kind <= kFilesArea; ++kind) {
    AreaRecord* area = AddArea(program, kind);
    ASSERT_NE(area, nullptr) << kind;
    EXPECT_EQ(area->AreaType, kind);
    EXPECT_EQ(static_cast<std::int32_t>(area->Kind.index()), kind) << kind;
    EXPECT_EQ(area->OwnerProgram, &program);
    EXPECT_EQ(area->OwnerScreen, &screen);
    EXPECT_TRUE(area->Backgrounds.empty());
    EXPECT_EQ(area->IsUseBorder, 0);
    const QString guid = ReadBoundedText(area->guid);
    EXPECT_TRUE(IsGuidText(guid)) << guid.toStdString();
    guids.insert(guid);
  }
  // The single-line text gets a file name of its own.
  const auto* singleLine = std::get_if<SingleLineAreaInfo>(&program.Areas[0]->Kind);
  ASSERT_NE(singleLine, nullptr);
  EXPECT_TRUE(IsGuidText(ReadBoundedText(singleLine->guid)));
  guids.insert(ReadBoundedText(singleLine->guid));
  EXPECT_EQ(guids.size(), 8u);
}

TEST_F(ProjectModel, AreasOfUnknownKindAreRefused) {
  ProgramRecord& program = AddProgram(AddScreen(1));
  EXPECT_EQ(AddArea(program, 0), nullptr);
  EXPECT_EQ(AddArea(program, 8), nullptr);
  EXPECT_TRUE(program.Areas.empty());
  EXPECT_TRUE(std::holds_alternative<std::monostate>(MakeKindRecord(99)));
}

TEST_F(ProjectModel, ImportedScreenTakesTheHighestNumberIncludingItsOwnPlusOne) {
  AddScreen(1);
  AddScreen(5);
  ScreenRecord& imported = AddScreen(1);  // appended as the file carried it
  imported.LedNo = NextScreenNo();
  EXPECT_EQ(imported.LedNo, 6);

  ScreenRecord& nine = AddScreen(9);
  nine.LedNo = NextScreenNo();
  EXPECT_EQ(nine.LedNo, 10);

  ScreenRecord& last = AddScreen(INT_MAX);
  last.LedNo = NextScreenNo();
  EXPECT_EQ(last.LedNo, 2);  // 1, 5, 6 and 10 are taken
}

// The views point into the model: freeing records must leave none of them dangling.
class ProjectTeardown : public ProjectModel {
 protected:
  void SetUp() override {
    ProjectModel::SetUp();
    screen = &AddScreen(1);
    kept = &AddProgram(*screen);
    keptArea = AddArea(*kept, kSingleLineArea);
    freed = &AddProgram(*screen);
    freedArea = AddArea(*freed, kFilesArea);
    otherFreedArea = AddArea(*freed, kAnalogClockArea);
    CanvasAreaList = {freedArea, otherFreedArea};
    PlayList = {{kept, {keptArea}}, {freed, {freedArea, otherFreedArea}}};
  }

  TreeItemRef selected{};  // a view's item data: lives as long as the view
  ScreenRecord* screen = nullptr;
  ProgramRecord* kept = nullptr;
  AreaRecord* keptArea = nullptr;
  ProgramRecord* freed = nullptr;
  AreaRecord* freedArea = nullptr;
  AreaRecord* otherFreedArea = nullptr;
};

TEST_F(ProjectTeardown, RemovingAnAreaDropsEveryReferenceToIt) {
  selected = TreeItemRef::Of(*freedArea);
  CurrentSelection = &selected;
  ASSERT_TRUE(RemoveArea(*freedArea));
  EXPECT_EQ(CurrentSelection, nullptr);
  EXPECT_EQ(CanvasAreaList, std::vector<AreaRecord*>{otherFreedArea});
  ASSERT_EQ(PlayList.size(), 2u);
  EXPECT_EQ(PlayList[1].Areas, std::vector<AreaRecord*>{otherFreedArea});
  EXPECT_EQ(freed->Areas.size(), 1u);
}

TEST_F(ProjectTeardown, RemovingAProgramDropsItAndItsAreas) {
  selected = TreeItemRef::Of(*otherFreedArea);
  CurrentSelection = &selected;
  ASSERT_TRUE(RemoveProgram(*freed));
  EXPECT_EQ(CurrentSelection, nullptr);
  EXPECT_TRUE(CanvasAreaList.empty());
  ASSERT_EQ(PlayList.size(), 1u);
  EXPECT_EQ(PlayList[0].Program, kept);
  EXPECT_EQ(PlayList[0].Areas, std::vector<AreaRecord*>{keptArea});
}

TEST_F(ProjectTeardown, SelectionOfARecordThatStaysIsKept) {
  selected = TreeItemRef::Of(*kept);
  CurrentSelection = &selected;
  ASSERT_TRUE(RemoveProgram(*freed));
  EXPECT_EQ(CurrentSelection, &selected);
}

TEST_F(ProjectTeardown, ClearingAScreensProgramsKeepsTheScreenAndItsSelection) {
  selected = TreeItemRef::Of(*screen);
  CurrentSelection = &selected;
  ClearScreenPrograms(*screen);
  EXPECT_EQ(CurrentSelection, &selected);
  ASSERT_EQ(ScreenList.size(), 1u);
  EXPECT_TRUE(screen->Programs.empty());
  EXPECT_TRUE(CanvasAreaList.empty());
  EXPECT_TRUE(PlayList.empty());
}

TEST_F(ProjectTeardown, ClearingTheProjectLeavesNothingPointingIntoIt) {
  ScreenGroupList.emplace_back(QStringLiteral("all")).ScreenNos = {1};
  selected = TreeItemRef::Of(*screen);
  CurrentSelection = &selected;
  CurrentScreenNo = 1;
  ClearProjectModel();
  EXPECT_TRUE(ScreenList.empty());
  EXPECT_TRUE(ScreenGroupList.empty());
  EXPECT_EQ(CurrentSelection, nullptr);
  EXPECT_TRUE(CanvasAreaList.empty());
  EXPECT_TRUE(PlayList.empty());
  EXPECT_EQ(CurrentScreenNo, 1);
}

TEST_F(ProjectTeardown, RecordsOutsideTheModelAreNotFreed) {
  ProgramRecord stray{};
  AreaRecord strayArea{};
  strayArea.OwnerProgram = kept;
  EXPECT_FALSE(RemoveProgram(stray));   // no owner screen
  EXPECT_FALSE(RemoveArea(strayArea));  // not among its owner's areas
  EXPECT_EQ(kept->Areas.size(), 1u);
  EXPECT_EQ(CanvasAreaList.size(), 2u);
}

TEST_F(ProjectModel, SelectingAnItemMakesItsScreenCurrent) {
  AddScreen(1);
  ScreenRecord& twoColour = AddScreen(4);
  twoColour.LedColor = 1;
  AreaRecord* area = AddArea(AddProgram(twoColour), kCountdownArea);
  TreeItemRef areaItem = TreeItemRef::Of(*area);
  PaletteKind = 1;
  SelectTreeItem(&areaItem);
  EXPECT_EQ(CurrentSelection, &areaItem);
  EXPECT_EQ(CurrentScreenNo, 4);
  EXPECT_EQ(PaletteKind, 2);

  TreeItemRef unknown{0, area};
  SelectTreeItem(&unknown);  // no screen: only the selection changes
  EXPECT_EQ(CurrentSelection, &unknown);
  EXPECT_EQ(CurrentScreenNo, 4);
  SelectTreeItem(nullptr);
  EXPECT_EQ(CurrentSelection, nullptr);
}

TEST(ScreenGroups, ADeletedScreenLeavesEveryGroup) {
  ScreenGroupList.clear();
  ScreenGroupList.emplace_back(QStringLiteral("a")).ScreenNos = {3, 1, 3};
  ScreenGroupList.emplace_back(QStringLiteral("b")).ScreenNos = {2};
  RemoveScreenFromGroups(3);
  EXPECT_EQ(ScreenGroupList.front().ScreenNos, std::vector<std::int32_t>{1});
  EXPECT_EQ(ScreenGroupList.back().ScreenNos, std::vector<std::int32_t>{2});
  EXPECT_EQ(ScreenGroupList.front().GroupName, "a");
  ScreenGroupList.clear();
}

TEST(PaletteKindOfScreens, FollowsTheColourTypeOfTheScreen) {
  PaletteKind = 2;
  UpdatePaletteKind(0);
  EXPECT_EQ(PaletteKind, 1);
  UpdatePaletteKind(5);  // other colour types leave it alone
  EXPECT_EQ(PaletteKind, 1);
  UpdatePaletteKind(1);
  EXPECT_EQ(PaletteKind, 2);
}

}  // namespace
