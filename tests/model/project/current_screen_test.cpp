// The current screen, the communication record filled from a screen, the content size
// of an area, and clearing the whole project through the tree.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "model/common/bounded_text.h"
#include "model/project/clear_project.h"
#include "model/project/content_size.h"
#include "model/project/current_screen.h"
#include "model/project/project_editing.h"
#include "model/project/project_globals.h"

namespace {

// A record filled with a pattern, so that every byte left alone can be seen.
CommInfo Patterned() {
  CommInfo info;
  std::memset(&info, 0xA5, sizeof info);
  return info;
}

bool SameBytes(const CommInfo& a, const CommInfo& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(CurrentScreenTest, CommInfoGetsOnlyTheTransportFields) {
  ScreenRecord screen{};
  screen.LedIp = 0xC0A80164;
  screen.Commport = 7;
  screen.Bps = 57600;
  CommInfo info = Patterned();
  MakeCommInfo(screen, info);
  EXPECT_EQ(info.SendType, KQ_SEND_TCP);
  EXPECT_EQ(ReadBoundedText(info.IpAddress), QStringLiteral("192.168.1.100"));
  CommInfo expected = Patterned();
  expected.SendType = KQ_SEND_TCP;
  std::memcpy(expected.IpAddress, info.IpAddress, sizeof info.IpAddress);
  EXPECT_TRUE(SameBytes(info, expected));

  screen.NetworkType = 1;
  info = Patterned();
  MakeCommInfo(screen, info);
  expected = Patterned();
  expected.SendType = KQ_SEND_UDP;
  EXPECT_TRUE(SameBytes(info, expected));

  screen.SendType = kSendBySerialLine;
  info = Patterned();
  MakeCommInfo(screen, info);
  expected.SendType = KQ_SEND_SERIAL;
  expected.ComPort = 7;
  expected.BaudRate = 57600;
  EXPECT_TRUE(SameBytes(info, expected));

  screen.SendType = kSendByUsbDisk;
  info = Patterned();
  MakeCommInfo(screen, info);
  expected = Patterned();
  expected.SendType = KQ_SEND_NONE;
  EXPECT_TRUE(SameBytes(info, expected));

  screen.SendType = 3;
  info = Patterned();
  MakeCommInfo(screen, info);
  EXPECT_TRUE(SameBytes(info, Patterned()));
}

TEST(CurrentScreenTest, ContentSizeSubtractsTheBorderOnlyWhenUsed) {
  AreaRecord area{};
  area.AreaRect_Left = 10;
  area.AreaRect_Right = 11;
  area.AreaRect_Top = 5;
  area.AreaRect_Bottom = 37;
  area.BorderWidth = 3;
  EXPECT_EQ(AreaContentSize(area).width, 1);
  EXPECT_EQ(AreaContentSize(area).height, 32);  // IsUseBorder 0: the full size
  area.IsUseBorder = 1;
  area.BorderWidth = 2;
  EXPECT_EQ(AreaContentSize(area).width, 1);  // 1 - 4, raised to 1
  EXPECT_EQ(AreaContentSize(area).height, 28);
  area.AreaRect_Left = INT_MIN;
  area.AreaRect_Right = INT_MAX;
  area.BorderWidth = INT_MIN;
  EXPECT_EQ(AreaContentSize(area).width, INT_MAX);
}

class FakeTree : public ProjectTreeItems {
 public:
  void DeleteAllItems() override {
    // The model is empty by the time the tree goes, so no item outlives its record.
    modelEmptyFirst = ScreenList.empty();
    items = 0;
  }
  int items = 3;
  bool modelEmptyFirst = false;
};

TEST(CurrentScreenTest, FirstMatchIsCurrentAndClearProjectEmptiesEverything) {
  ScreenRecord& first = ScreenList.emplace_back();
  first.LedNo = 2;
  ScreenList.emplace_back().LedNo = 2;
  ScreenList.emplace_back().LedNo = 5;
  CurrentScreenNo = 2;
  EXPECT_EQ(GetCurrentScreen(), &first);
  CurrentScreenNo = 9;
  EXPECT_EQ(GetCurrentScreen(), nullptr);

  ProgramRecord& program = AddProgram(first);
  AreaRecord* area = AddArea(program, kImageTextArea);
  ASSERT_NE(area, nullptr);
  TreeItemRef selection = TreeItemRef::Of(*area);
  CurrentSelection = &selection;
  PlayList = {ProgramSendItem{&program, {area}}};
  ScreenGroupList.emplace_back(QStringLiteral("all")).ScreenNos = {2, 5};
  FakeTree tree;
  ClearProject(tree);
  EXPECT_EQ(tree.items, 0);
  EXPECT_TRUE(tree.modelEmptyFirst);
  EXPECT_TRUE(ScreenList.empty());
  EXPECT_TRUE(ScreenGroupList.empty());
  EXPECT_TRUE(PlayList.empty());
  EXPECT_EQ(CurrentSelection, nullptr);
  EXPECT_EQ(CurrentScreenNo, 9);
  CurrentScreenNo = 0;
}

}  // namespace
