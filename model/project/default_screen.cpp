#include "model/project/default_screen.h"

#include <QtGlobal>

#include "model/common/bounded_text.h"
#include "model/project/project_globals.h"
#include "model/project/project_window.h"
#include "platform/message_window.h"

namespace {

// The schedule slots of a new screen: 6-11, 12-16 and 17-21 o'clock, all switched off.
template <typename Schedule>
void SetDefaultSlots(Schedule& schedule) {
  schedule.StartHour1 = 6;
  schedule.StartHour2 = 12;
  schedule.StartHour3 = 17;
  schedule.EndHour1 = 11;
  schedule.EndHour2 = 16;
  schedule.EndHour3 = 21;
}

}  // namespace

ScreenRecord MakeDefaultScreen() {
  ScreenRecord screen{};
  CopyBoundedText(screen.LedName, QString::asprintf("LED%d", 1));
  screen.LedNo = 1;
  screen.LedNumber = 1;
  screen.SendType = kSendByNetwork;
  screen.LedIp = 0xC0A80164;  // 192.168.1.100
  screen.ModuleWidth = 32;
  screen.ModuleHeight = 16;
  screen.WidthModuleNum = 16;
  screen.HeightModuleNum = 2;
  screen.LedWidth = 512;
  screen.LedHeight = 32;
  screen.OE = 1;
  // Scan mode 2003 stands for routing value 8, data height 15 and scan type 3; all
  // three are set so that a card set up from a new project gets a usable scan.
  screen.ZouXianType = 2003;
  screen.RouteValue = 8;
  screen.DataHeight = 15;
  screen.ScanType = 3;
  screen.BrightnessValue = 15;
  SetDefaultSlots(screen.TimeOnOff);
  SetDefaultSlots(screen.TimeBrightness);
  screen.TimeBrightness.BrightnessValue1 = 15;
  screen.TimeBrightness.BrightnessValue2 = 15;
  screen.TimeBrightness.BrightnessValue3 = 15;
  screen.IsShowLogoStart = 1;
  screen.IsShowLogoNoProgram = 1;
  screen.LogoLeft = 448;
  screen.LogoTop = 0;
  screen.LogoRight = 512;
  screen.LogoBottom = 32;
  return screen;
}

ScreenRecord& CreateDefaultScreen() {
  ScreenRecord& screen = ScreenList.emplace_back(MakeDefaultScreen());
  const HWND window = ProjectWindow();
  if (!IsWindow(window)) {
    qWarning("CreateDefaultScreen: no project window; the screen has no tree item");
    return screen;
  }
  SendMessage(window, UM_SCREEN_ROOT, 0, reinterpret_cast<LPARAM>(&screen));
  return screen;
}
