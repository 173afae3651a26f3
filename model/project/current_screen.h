#pragma once
// The current screen, and the transport part of the SDK's communication record filled
// from a screen.

#include "model/project/comm_info.h"
#include "model/project/project_records.h"

// The first screen in ScreenList whose LedNo is CurrentScreenNo; null when none is.
ScreenRecord* GetCurrentScreen();

// Writes the transport fields of info from the screen and nothing else (the window,
// message ids, caller value, card address and USB root are the caller's):
// - network, NetworkType 0: SendType TCP and IpAddress, LedIp as "%d.%d.%d.%d" with
//   its most significant byte first;
// - network, another NetworkType: SendType UDP;
// - serial line: SendType serial, ComPort = Commport, BaudRate = Bps;
// - USB disk: SendType none (device calls succeed at once; the USB export fills its
//   own record);
// - any other SendType: nothing.
void MakeCommInfo(const ScreenRecord& screen, CommInfo& info);

// How the screen's card is reached: the transport of MakeCommInfo and the card
// address LedNumber, which every frame carries (on a serial line with several cards
// only the card of that number answers). No window is told of the call's progress.
CommInfo CardLinkOf(const ScreenRecord& screen);
