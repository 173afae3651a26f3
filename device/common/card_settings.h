#pragma once
// A screen's settings put into the SDK's records for a card, and a card's settings, as
// a search or a read-back gives them, taken into a screen. The
// SDK's record names the card's values by their wire places; this program reads them
// as: card number SerialByte1, module width and height OeDaByte2 and OeDaByte3, scan
// route ScanByte0, row order ScanByte1, red-green exchange ScanByte2, scan type
// ScanByte6, data height ScanByte7.

#include <cstdint>

#include "model/project/project_records.h"
#include "sdk/Corvanix.h"

// The sections a screen's settings fill (the SDK's settings meanings).
constexpr std::int32_t kBasicSection = 0x001;
constexpr std::int32_t kPolaritySection = 0x002;
constexpr std::int32_t kScanSection = 0x004;
constexpr std::int32_t kScanTableSection = 0x008;

// The baud rates the baud lists offer, in list order.
inline constexpr std::int32_t kCardBaudRates[] = {9600, 57600, 115200};
// The baud list's index of a rate; 0 (9600) for a rate the list lacks.
int CardBaudIndex(std::int32_t baud);

// Writes the screen's settings into the record, which the caller zeroed: the basic
// section (LedWidth, LedHeight, colour type LedColor + 1), polarity and module size
// (OE, DA, ModuleWidth, ModuleHeight), scan (RouteValue, HanXu, RedGreenExchange,
// ScanType, DataHeight) and the scan table of RouteValue (ScanTableRow). The
// record's mask becomes `mask`, less the scan table when the route has none, so that
// a card never gets a table that is not its route's. Record: LedSettingInfo or
// LedAllSettingInfo.
template <typename Record>
void PutScreenSettings(const ScreenRecord& screen, std::int32_t mask, Record& record);

// The IPv4 address of a dotted text, first field in the most significant byte; 0
// when the text is no address.
std::uint32_t Ipv4OfText(const char16_t* text, std::size_t capacity);

// Whether the card's size, colour type and module counts make a screen a card can
// drive (IsDrivableScreen): a hostile or cut reply (65535 x 65535 pixels, or 0 x 0
// with colour type -1) makes none.
bool IsDrivableCard(const LedSettingInfo& card);

// Writes the card's settings into the screen: LedIp, Bps, LedNumber, LedColor (the
// card's colour type - 1), the size in pixels, custom modules of the module-size
// table's entry for the card's module size (32 x 16 when the table has none) with
// counts of at least 1 (the size is kept as the card gives it), OE, DA, RouteValue
// with its scan key ZouXianType, HanXu, ScanType, DataHeight, RedGreenExchange and
// the card's name in LedTypeStr. Nothing else changes. False, with the screen
// unchanged, when !IsDrivableCard(card).
[[nodiscard]] bool TakeCardSettings(const LedSettingInfo& card, ScreenRecord& screen);
