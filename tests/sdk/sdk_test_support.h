#pragma once
// Helpers of the controller library's tests: the progress a recording window got,
// CommInfo records for each transport, and payloads with telling bytes.

#include <QCoreApplication>
#include <QString>

#include <cstdint>
#include <string>
#include <vector>

#include "model/common/bounded_text.h"
#include "platform/message_window.h"
#include "sdk/Corvanix.h"
#include "tests/support/recording_window.h"

namespace sdktest {

constexpr UINT kProgressMessage = WM_USER + 7;
constexpr UINT kStatusMessage = WM_USER + 8;
constexpr std::int32_t kCallerValue = 42;

using testsupport::RecordingWindow;
using Posted = testsupport::Message;

// The percents of the progress messages that reached window, after dispatching what
// is queued.
inline std::vector<LPARAM> Progress(RecordingWindow& window) {
  QCoreApplication::processEvents();
  std::vector<LPARAM> percents;
  for (const Posted& entry : window.received) {
    if (entry.msg == kProgressMessage && entry.wParam == WPARAM{kCallerValue}) {
      percents.push_back(entry.lParam);
    }
  }
  return percents;
}

inline CommInfo MakeInfo(std::int32_t sendType, HWND window = nullptr) {
  CommInfo info{};
  info.SendType = sendType;
  info.CardAddress = 1;
  info.BaudRate = 115200;
  info.NotifyWindow = window;
  info.StatusMessage = kStatusMessage;
  info.ProgressMessage = kProgressMessage;
  info.CallerValue = kCallerValue;
  return info;
}

inline CommInfo TcpInfo(const std::string& address, HWND window = nullptr) {
  CommInfo info = MakeInfo(KQ_SEND_TCP, window);
  CopyBoundedText(info.IpAddress, QString::fromStdString(address));
  return info;
}

// Bytes that a cooked line would change (CR, XON, XOFF) among a counting pattern.
inline std::vector<std::uint8_t> Payload(std::size_t length) {
  std::vector<std::uint8_t> bytes(length);
  for (std::size_t i = 0; i < length; ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + 3);
  const std::uint8_t telling[] = {0x0D, 0x11, 0x13, 0x0A, 0x00};
  for (std::size_t i = 0; i < length && i < sizeof telling; ++i) bytes[i] = telling[i];
  return bytes;
}

}  // namespace sdktest
