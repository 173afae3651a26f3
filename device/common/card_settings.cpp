#include "device/common/card_settings.h"

#include <arpa/inet.h>

#include <algorithm>

#include "model/common/bounded_text.h"
#include "model/project/current_screen.h"
#include "model/project/scan_tables.h"
#include "model/project/screen_limits.h"

std::uint32_t Ipv4OfText(const char16_t* text, std::size_t capacity) {
  const QByteArray dotted = ReadBoundedText(text, capacity).toLatin1();
  in_addr address{};
  if (inet_pton(AF_INET, dotted.constData(), &address) != 1) return 0;
  return ntohl(address.s_addr);
}

int CardBaudIndex(std::int32_t baud) {
  const auto* found = std::find(std::begin(kCardBaudRates), std::end(kCardBaudRates), baud);
  return found == std::end(kCardBaudRates) ? 0
                                           : static_cast<int>(found - std::begin(kCardBaudRates));
}

template <typename Record>
void PutScreenSettings(const ScreenRecord& screen, std::int32_t mask, Record& record) {
  record.Width = screen.LedWidth;
  record.Height = screen.LedHeight;
  record.ColorType = screen.LedColor + 1;
  record.OePolarity = screen.OE;
  record.DaPolarity = screen.DA;
  record.OeDaByte2 = screen.ModuleWidth;
  record.OeDaByte3 = screen.ModuleHeight;
  record.ScanByte0 = screen.RouteValue;
  record.ScanByte1 = screen.HanXu;
  record.ScanByte2 = screen.RedGreenExchange;
  record.ScanByte6 = screen.ScanType;
  record.ScanByte7 = screen.DataHeight;
  const std::optional<ScanTable> table = ScanTableRow(screen.RouteValue);
  if (table) {
    std::copy(table->begin(), table->end(), std::begin(record.ScanTable));
  } else {
    mask &= ~kScanTableSection;
  }
  record.SectionMask = mask;
}

template void PutScreenSettings(const ScreenRecord&, std::int32_t, LedSettingInfo&);
template void PutScreenSettings(const ScreenRecord&, std::int32_t, LedAllSettingInfo&);

namespace {

void TakeCardValues(const LedSettingInfo& card, ScreenRecord& screen) {
  screen.LedIp = Ipv4OfText(card.IpAddress, std::size(card.IpAddress));
  screen.Bps = card.BaudRate;
  screen.LedNumber = card.SerialByte1;
  screen.LedColor = card.ColorType - 1;
  screen.LedWidth = card.Width;
  screen.LedHeight = card.Height;
  screen.ModuleType = 1;  // custom: the card's module size, not a regular module
  screen.ModuleValue = FindModuleSizeIndex(card.OeDaByte2, card.OeDaByte3);
  const QSize module = ModuleSizeAt(screen.ModuleValue);
  screen.ModuleWidth = module.width();
  screen.ModuleHeight = module.height();
  // A card narrower or lower than one module still has one: a count of 0 would make
  // the next size change on the basic page a screen of 0 pixels.
  screen.WidthModuleNum = std::max(1, screen.LedWidth / screen.ModuleWidth);
  screen.HeightModuleNum = std::max(1, screen.LedHeight / screen.ModuleHeight);
  screen.RouteValue = card.ScanByte0;
  screen.ZouXianType = ScanCodeToKey(card.ScanByte0);
  screen.HanXu = card.ScanByte1;
  screen.RedGreenExchange = card.ScanByte2;
  screen.ScanType = card.ScanByte6;
  screen.DataHeight = card.ScanByte7;
  screen.OE = card.OePolarity;
  screen.DA = card.DaPolarity;
  CopyBoundedText(screen.LedTypeStr, ReadBoundedText(card.CardName));
}

}  // namespace

bool IsDrivableCard(const LedSettingInfo& card) {
  ScreenRecord probe{};
  TakeCardValues(card, probe);
  return IsDrivableScreen(probe);
}

bool TakeCardSettings(const LedSettingInfo& card, ScreenRecord& screen) {
  if (!IsDrivableCard(card)) return false;
  TakeCardValues(card, screen);
  return true;
}
