// The screen list's edits without the pane: screens added beside a selected one,
// their card numbers on a serial line, and screens made from found cards.
#include <gtest/gtest.h>

#include "device/common/card_settings.h"
#include "device/settings/screen_edits.h"
#include "model/common/bounded_text.h"
#include "model/project/project_editing.h"
#include "model/project/project_globals.h"

namespace {

class ScreenEdits : public testing::Test {
 protected:
  void SetUp() override { ClearProjectModel(); }
  void TearDown() override { ClearProjectModel(); }

  static ScreenRecord& Serial(std::int32_t cardNumber, std::int32_t ledNo = 1) {
    ScreenRecord& screen = ScreenList.emplace_back();
    screen.SendType = kSendBySerialLine, screen.LedNumber = cardNumber, screen.LedNo = ledNo;
    return screen;
  }
};

TEST_F(ScreenEdits, SerialCardNumbersStayWithinOneAddressByte) {
  ScreenRecord& selected = Serial(0);
  EXPECT_EQ(MakeAddedScreen(selected).LedNumber, 2);  // at least 2
  Serial(7);
  ScreenList.emplace_back().LedNumber = 200;  // a network screen does not count
  EXPECT_EQ(MakeAddedScreen(selected).LedNumber, 8);
  Serial(254);
  EXPECT_EQ(MakeAddedScreen(selected).LedNumber, 255);
  Serial(255);
  EXPECT_EQ(MakeAddedScreen(selected).LedNumber, 2);  // past 255: the lowest free
  Serial(2);
  Serial(3);
  EXPECT_EQ(MakeAddedScreen(selected).LedNumber, 4);
  for (std::int32_t number = 4; number <= 254; ++number) Serial(number);
  EXPECT_EQ(NextSerialCardNumber(), 255);  // every number used

  ScreenRecord& network = ScreenList.emplace_back();
  EXPECT_EQ(MakeAddedScreen(network).LedNumber, 1);
  // The list's rows name the screens in order; none lies outside them.
  const int rows = static_cast<int>(ScreenList.size());
  EXPECT_EQ(std::tuple(ScreenAt(-1), ScreenAt(0), ScreenAt(rows - 1), ScreenAt(rows)),
            std::tuple(nullptr, &selected, &network, nullptr));
}

TEST_F(ScreenEdits, AddedScreensCopyTheLinkAndModulesAndTakeTheDefaults) {
  ScreenRecord& selected = Serial(5, 9);
  CopyBoundedText(selected.LedName, u"Hall");
  selected.NetworkType = 1, selected.LedIp = 0x0A000002, selected.Commport = 3;
  selected.Bps = 57600, selected.LedColor = 1, selected.ModuleType = 1, selected.ModuleValue = 16;
  selected.ModuleWidth = 24, selected.ModuleHeight = 12;
  selected.WidthModuleNum = 10, selected.HeightModuleNum = 4;
  selected.LedWidth = 240, selected.LedHeight = 48, selected.OE = 1, selected.DA = 1;
  selected.ZouXianType = 2005, selected.RouteValue = 12, selected.ScanType = 3;
  selected.BrightnessValue = 3;
  selected.LogoFiles.emplace_back();
  ScreenList.emplace_back().LedNo = 4;

  const ScreenRecord added = MakeAddedScreen(selected);
  EXPECT_EQ(ReadBoundedText(added.LedName), QStringLiteral("LED3"));
  EXPECT_EQ(added.LedNo, 10);
  EXPECT_EQ(added.LedNumber, 6);
  EXPECT_EQ(std::tie(added.SendType, added.NetworkType, added.LedIp, added.Commport, added.Bps),
            std::tuple(kSendBySerialLine, 1, 0x0A000002u, 3, 57600));
  EXPECT_EQ(std::tie(added.ModuleType, added.ModuleValue, added.ModuleWidth, added.ModuleHeight,
                     added.WidthModuleNum, added.HeightModuleNum, added.LedWidth, added.LedHeight),
            std::tuple(1, 16, 24, 12, 10, 4, 240, 48));
  EXPECT_EQ(std::tie(added.OE, added.DA, added.ZouXianType, added.RouteValue),
            std::tuple(1, 1, 2005, 12));
  EXPECT_EQ(std::tie(added.LedColor, added.ScanType), std::tuple(0, 0));  // not copied
  EXPECT_EQ(added.BrightnessValue, 15);
  const PowerSchedule& power = added.TimeOnOff;
  EXPECT_EQ(std::tie(power.StartHour1, power.StartHour2, power.StartHour3, power.EndHour1,
                     power.EndHour2, power.EndHour3, power.TimeFlag1),
            std::tuple(6, 12, 17, 11, 16, 21, 0));
  const BrightnessSchedule& light = added.TimeBrightness;
  EXPECT_EQ(std::tie(light.StartHour1, light.StartHour2, light.StartHour3, light.EndHour1,
                     light.EndHour2, light.EndHour3, light.TimeFlag1),
            std::tuple(6, 12, 17, 11, 16, 21, 0));
  EXPECT_EQ(std::tie(light.BrightnessValue1, light.BrightnessValue2, light.BrightnessValue3),
            std::tuple(15, 15, 15));
  EXPECT_EQ(std::tie(added.IsShowLogoStart, added.IsShowLogoNoProgram), std::tuple(1, 1));
  EXPECT_TRUE(added.LogoFiles.empty());

  // The logo's corner on screens narrower and lower than 64 x 32, and wider and higher.
  struct Corner {
    int width, height, left, bottom;
  };
  for (const Corner& c : {Corner{40, 16, 0, 16}, Corner{64, 64, 0, 32}, Corner{65, 32, 1, 32},
                          Corner{256, 16, 192, 16}, Corner{256, 64, 192, 32}}) {
    selected.LedWidth = c.width;
    selected.LedHeight = c.height;
    const ScreenRecord screen = MakeAddedScreen(selected);
    EXPECT_EQ(std::tie(screen.LogoLeft, screen.LogoTop, screen.LogoRight, screen.LogoBottom),
              std::tuple(c.left, 0, c.width, c.bottom))
        << c.width << " x " << c.height;
  }
}

LedSettingInfo Card(int width, int height, int moduleWidth, int moduleHeight) {
  LedSettingInfo card{};
  CopyBoundedText(card.CardName, u"KQ-W6");
  CopyBoundedText(card.IpAddress, u"192.168.3.77");
  card.BaudRate = 115200, card.SerialByte1 = 12, card.ColorType = 2;
  card.Width = width, card.Height = height, card.OeDaByte2 = moduleWidth;
  card.OeDaByte3 = moduleHeight, card.OePolarity = 1, card.DaPolarity = 1;
  card.ScanByte0 = 8, card.ScanByte1 = 6, card.ScanByte2 = 1, card.ScanByte6 = 3;
  card.ScanByte7 = 15;
  return card;
}

TEST_F(ScreenEdits, FoundCardsBecomeNetworkScreensOfCustomModules) {
  Serial(1, 3);
  const ScreenRecord found = MakeFoundScreen(Card(240, 36, 24, 12)).value();
  EXPECT_EQ(ReadBoundedText(found.LedName), QStringLiteral("LED2"));
  EXPECT_EQ(found.LedNo, 4);
  EXPECT_EQ(std::tie(found.SendType, found.NetworkType, found.LedIp, found.Bps, found.LedNumber),
            std::tuple(kSendByNetwork, 0, 0xC0A8034Du, 115200, 12));
  EXPECT_EQ(found.LedColor, 1);
  EXPECT_EQ(std::tie(found.ModuleType, found.ModuleValue, found.ModuleWidth, found.ModuleHeight,
                     found.WidthModuleNum, found.HeightModuleNum, found.LedWidth, found.LedHeight),
            std::tuple(1, 16, 24, 12, 10, 3, 240, 36));
  EXPECT_EQ(std::tie(found.RouteValue, found.ZouXianType, found.HanXu, found.RedGreenExchange,
                     found.ScanType, found.DataHeight, found.OE, found.DA),
            std::tuple(8, 2003, 6, 1, 3, 15, 1, 1));
  EXPECT_EQ(ReadBoundedText(found.LedTypeStr), QStringLiteral("KQ-W6"));
  EXPECT_EQ(std::tie(found.BrightnessValue, found.TimeOnOff.StartHour3, found.LogoLeft,
                     found.LogoBottom, found.IsShowLogoStart),
            std::tuple(15, 17, 176, 32, 1));

  // A module size outside the table is 32 x 16; a card smaller than that keeps its
  // size with one module each way.
  const ScreenRecord small = MakeFoundScreen(Card(20, 8, 50, 50)).value();
  EXPECT_EQ(std::tie(small.ModuleValue, small.ModuleWidth, small.ModuleHeight, small.WidthModuleNum,
                     small.HeightModuleNum, small.LedWidth, small.LedHeight),
            std::tuple(0, 32, 16, 1, 1, 20, 8));

  LedSettingInfo fullColour = Card(64, 32, 32, 16);
  fullColour.ColorType = 4;
  CopyBoundedText(fullColour.IpAddress, u"192.168.3");
  const ScreenRecord full = MakeFoundScreen(fullColour).value();
  EXPECT_EQ(full.LedColor, 3);
  EXPECT_EQ(full.LedIp, 0u);  // not an address

  // A hostile card's size, a cut reply and colour types outside 1-4 make no screen;
  // the largest picture any card's data shows still does.
  LedSettingInfo cut{};
  cut.ColorType = -1;
  LedSettingInfo noColour = Card(64, 32, 32, 16);
  noColour.ColorType = 5;
  for (const LedSettingInfo& card :
       {Card(65535, 65535, 32, 16), Card(65535, 1366, 32, 16), cut, noColour}) {
    EXPECT_FALSE(MakeFoundScreen(card).has_value()) << card.Width << " x " << card.Height;
  }
  EXPECT_TRUE(MakeFoundScreen(Card(65535, 1365, 32, 16)).has_value());
  EXPECT_EQ(Ipv4OfText(u"10.0.0.300", 11), 0u);
  EXPECT_EQ(Ipv4OfText(u"255.255.255.255", 16), 0xFFFFFFFFu);
  // A rate outside the card's list of three takes the first entry.
  for (const auto& [baud, index] : {std::pair{9600, 0}, {57600, 1}, {115200, 2}, {19200, 0}}) {
    EXPECT_EQ(CardBaudIndex(baud), index) << baud;
  }
}

}  // namespace
