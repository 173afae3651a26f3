#include "device/settings/screen_edits.h"

#include <algorithm>
#include <iterator>
#include <set>
#include <vector>

#include "device/common/card_settings.h"
#include "model/common/bounded_text.h"
#include "model/project/default_screen.h"
#include "model/project/numbering.h"
#include "model/project/project_globals.h"

namespace {

// The boot logo's corner: 64 x 32 pixels at the top right, narrower and lower on a
// smaller screen.
constexpr std::int32_t kLogoWidth = 64;
constexpr std::int32_t kLogoHeight = 32;
constexpr std::int32_t kFullBrightness = 15;

void SetNewScreenDefaults(ScreenRecord& screen) {
  CopyBoundedText(screen.LedName, QStringLiteral("LED%1").arg(ScreenList.size() + 1));
  std::vector<std::int32_t> numbers;
  for (const ScreenRecord& other : ScreenList) numbers.push_back(other.LedNo);
  screen.LedNo = NextFreeNumber(numbers, 0);
  const ScreenRecord defaults = MakeDefaultScreen();
  screen.BrightnessValue = kFullBrightness;
  screen.TimeOnOff = defaults.TimeOnOff;
  screen.TimeBrightness = defaults.TimeBrightness;
  screen.IsShowLogoStart = 1;
  screen.IsShowLogoNoProgram = 1;
  screen.LogoLeft = screen.LedWidth <= kLogoWidth ? 0 : screen.LedWidth - kLogoWidth;
  screen.LogoTop = 0;
  screen.LogoRight = screen.LedWidth;
  screen.LogoBottom = std::min(kLogoHeight, screen.LedHeight);
}

}  // namespace

ScreenRecord* ScreenAt(int index) {
  if (index < 0 || index >= static_cast<int>(ScreenList.size())) return nullptr;
  return &*std::next(ScreenList.begin(), index);
}

int ScreenIndexOf(std::int32_t ledNo) {
  const auto found = std::find_if(ScreenList.begin(), ScreenList.end(),
                                  [ledNo](const ScreenRecord& s) { return s.LedNo == ledNo; });
  return found == ScreenList.end() ? -1
                                   : static_cast<int>(std::distance(ScreenList.begin(), found));
}

std::int32_t NextSerialCardNumber() {
  std::vector<std::int32_t> used;
  for (const ScreenRecord& screen : ScreenList) {
    if (screen.SendType == kSendBySerialLine) used.push_back(screen.LedNumber);
  }
  const std::int32_t next = NextFreeNumber(used, 1);
  if (next <= kMaxCardNumber) return next;
  // A frame's address is one byte: past 255 a free number below is taken instead.
  const std::set<std::int32_t> taken(used.begin(), used.end());
  for (std::int32_t number = 2; number <= kMaxCardNumber; ++number) {
    if (!taken.contains(number)) return number;
  }
  return kMaxCardNumber;
}

ScreenRecord MakeAddedScreen(const ScreenRecord& selected) {
  ScreenRecord screen{};
  screen.SendType = selected.SendType;
  screen.NetworkType = selected.NetworkType;
  screen.LedIp = selected.LedIp;
  screen.Commport = selected.Commport;
  screen.Bps = selected.Bps;
  screen.ModuleType = selected.ModuleType;
  screen.ModuleValue = selected.ModuleValue;
  screen.ModuleWidth = selected.ModuleWidth;
  screen.ModuleHeight = selected.ModuleHeight;
  screen.WidthModuleNum = selected.WidthModuleNum;
  screen.HeightModuleNum = selected.HeightModuleNum;
  screen.LedWidth = selected.LedWidth;
  screen.LedHeight = selected.LedHeight;
  screen.OE = selected.OE;
  screen.DA = selected.DA;
  screen.ZouXianType = selected.ZouXianType;
  screen.RouteValue = selected.RouteValue;
  screen.LedNumber = screen.SendType == kSendBySerialLine ? NextSerialCardNumber() : 1;
  SetNewScreenDefaults(screen);
  return screen;
}

std::optional<ScreenRecord> MakeFoundScreen(const LedSettingInfo& card) {
  std::optional<ScreenRecord> screen(std::in_place);
  screen->SendType = kSendByNetwork;
  screen->NetworkType = 0;
  if (!TakeCardSettings(card, *screen)) return std::nullopt;
  SetNewScreenDefaults(*screen);
  return screen;
}
