#pragma once
// A window that records every message it handles, for the messaging layer's tests.

#include <atomic>
#include <vector>

#include "platform/message_window.h"

namespace platformtest {

constexpr UINT kTestMessage = WM_USER + 7;

struct Message {
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
};

class RecordingWindow : public MessageWindow {
 public:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    received.push_back({msg, wParam, lParam});
    ++handled;
    return static_cast<LRESULT>(wParam) * 2;
  }
  std::vector<Message> received;
  std::atomic<int> handled{0};  // readable from other threads
};

}  // namespace platformtest
