#pragma once
// The messages of the multi-card and send jobs, one card at a time.

#include <string>

#include "tests/sdk/sdk_test_support.h"

namespace sdktest {

// The messages of the card with callerValue in arrival order, after dispatching what
// is queued: "S<value>" for a status, "P<percent>" for progress, joined by spaces.
inline std::string CardLog(RecordingWindow& window, std::int32_t callerValue) {
  QCoreApplication::processEvents();
  std::string log;
  for (const Posted& entry : window.received) {
    if (entry.wParam != static_cast<WPARAM>(callerValue)) continue;
    if (entry.msg != kStatusMessage && entry.msg != kProgressMessage) continue;
    if (!log.empty()) log += ' ';
    log += (entry.msg == kStatusMessage ? "S" : "P") + std::to_string(entry.lParam);
  }
  return log;
}

// The position of the first message of the card with callerValue among all posted
// messages; -1 without any.
inline int FirstMessageAt(const RecordingWindow& window, std::int32_t callerValue) {
  for (std::size_t i = 0; i < window.received.size(); ++i) {
    if (window.received[i].wParam == static_cast<WPARAM>(callerValue)) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace sdktest
