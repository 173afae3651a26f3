#include "model/project/current_screen.h"

#include <QString>

#include <algorithm>

#include "model/common/bounded_text.h"
#include "model/project/project_globals.h"

ScreenRecord* GetCurrentScreen() {
  const auto it = std::find_if(ScreenList.begin(), ScreenList.end(),
                               [](const ScreenRecord& s) { return s.LedNo == CurrentScreenNo; });
  return it != ScreenList.end() ? &*it : nullptr;
}

void MakeCommInfo(const ScreenRecord& screen, CommInfo& info) {
  switch (screen.SendType) {
    case kSendByNetwork:
      if (screen.NetworkType != 0) {
        info.SendType = KQ_SEND_UDP;
        break;
      }
      info.SendType = KQ_SEND_TCP;
      (void)CopyBoundedText(info.IpAddress, QStringLiteral("%1.%2.%3.%4")
                                                .arg(screen.LedIp >> 24)
                                                .arg((screen.LedIp >> 16) & 0xFF)
                                                .arg((screen.LedIp >> 8) & 0xFF)
                                                .arg(screen.LedIp & 0xFF));  // fits 15 units
      break;
    case kSendBySerialLine:
      info.SendType = KQ_SEND_SERIAL;
      info.ComPort = screen.Commport;
      info.BaudRate = screen.Bps;
      break;
    case kSendByUsbDisk: info.SendType = KQ_SEND_NONE; break;
    default: break;
  }
}

CommInfo CardLinkOf(const ScreenRecord& screen) {
  CommInfo info{};
  MakeCommInfo(screen, info);
  info.CardAddress = screen.LedNumber;
  return info;
}
