#pragma once
// A window that stands for another one in tests (the canvas, the main window, the
// updater, a card's caller) and records every message it handles.

#include <atomic>
#include <functional>
#include <ostream>
#include <utility>
#include <vector>

#include "platform/message_window.h"

namespace testsupport {

struct Message {
  UINT msg = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  friend bool operator==(const Message&, const Message&) = default;
  friend void PrintTo(const Message& m, std::ostream* out) {
    *out << "(" << m.msg << ", " << m.wParam << ", " << m.lParam << ")";
  }
};

class RecordingWindow : public MessageWindow {
 public:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    received.push_back({msg, wParam, lParam});
    ++handled;
    if (onMessage) onMessage(received.back());
    return reply ? reply(received.back()) : 0;
  }
  // What arrived since the last call.
  std::vector<Message> Take() { return std::exchange(received, {}); }
  // The message numbers alone, in order.
  std::vector<UINT> Numbers() const {
    std::vector<UINT> numbers;
    for (const Message& message : received) numbers.push_back(message.msg);
    return numbers;
  }

  std::vector<Message> received;
  std::atomic<int> handled{0};                    // readable from other threads
  std::function<void(const Message&)> onMessage;  // called after each is recorded
  std::function<LRESULT(const Message&)> reply;   // the answer; 0 without one
};

}  // namespace testsupport
