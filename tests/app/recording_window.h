#pragma once
// A window that stands for another one of the program (the canvas, the preview frame,
// the main window, the updater) and records every message it is sent.

#include <functional>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/message_window.h"

namespace apptest {

using Message = std::tuple<UINT, WPARAM, LPARAM>;

class RecordingWindow : public MessageWindow {
 public:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    received.emplace_back(msg, wParam, lParam);
    if (onMessage) onMessage(received.back());
    return 0;
  }
  // What arrived since the last call.
  std::vector<Message> Take() { return std::exchange(received, {}); }
  // The message numbers alone, in order.
  std::vector<UINT> Numbers() const {
    std::vector<UINT> numbers;
    for (const Message& message : received) numbers.push_back(std::get<0>(message));
    return numbers;
  }

  std::vector<Message> received;
  std::function<void(const Message&)> onMessage;  // called after each is recorded
};

}  // namespace apptest
