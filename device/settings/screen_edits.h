#pragma once
// The screen list's edits without their windows: where a screen stands in ScreenList,
// and the records of screens added beside a chosen one or from a found card.

#include <cstdint>
#include <optional>

#include "model/project/project_records.h"
#include "sdk/Corvanix.h"

// The highest card number a serial line addresses.
constexpr std::int32_t kMaxCardNumber = 255;

// The screen at a position of ScreenList; null outside the list.
ScreenRecord* ScreenAt(int index);
// The position in ScreenList of the screen numbered ledNo; -1 when there is none.
int ScreenIndexOf(std::int32_t ledNo);

// The card number of a new serial screen: one above the highest among the serial
// screens, at least 2; past 255 the lowest number from 2 to 255 no serial screen
// uses, else 255.
std::int32_t NextSerialCardNumber();

// A new screen beside `selected`: its link, module and size settings copied, card
// number 1 (NextSerialCardNumber on a serial line), and the defaults of a new screen:
// name "LED<count + 1>", the next free screen number, brightness 15, the three
// default slots of both schedules, the boot logo shown at start and without programs
// in the top right corner (64 x 32 at most) and no logo files.
ScreenRecord MakeAddedScreen(const ScreenRecord& selected);

// A new network screen with a fixed address, made from a found card's settings
// (TakeCardSettings) with the defaults of a new screen; none when the card's
// settings make no screen a card can drive.
std::optional<ScreenRecord> MakeFoundScreen(const LedSettingInfo& card);
