#pragma once
// A window that receives messages: the base class of every window that is addressed
// by handle (dialogs, panes, the preview). The handle is registered for the life of
// the object; messages are delivered on the thread that created the window.

#include <memory>

#include "platform/platform_export.h"
#include "platform/window_handle.h"

class MessageReceiver;

class KQPLATFORM_EXPORT MessageWindow {
 public:
  MessageWindow();
  virtual ~MessageWindow();
  MessageWindow(const MessageWindow&) = delete;
  MessageWindow& operator=(const MessageWindow&) = delete;

  HWND Handle() const { return handle_; }

  // Handles one message. The default answers 0 and does nothing.
  virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);

 private:
  friend class MessageReceiver;
  HWND handle_;
  std::unique_ptr<MessageReceiver> receiver_;
};

// Queues a message for the window and returns at once; safe from any thread.
// Returns false, and drops the message, when no such window exists (or it is being
// destroyed): a post to a closed window is never a crash.
[[nodiscard]] KQPLATFORM_EXPORT bool PostMessage(HWND window, UINT msg, WPARAM wParam,
                                                 LPARAM lParam);

// Delivers a message synchronously on the window's thread and returns its answer.
// From another thread the caller blocks until the window's thread has handled it,
// so that thread must be running its event loop. Returns 0 for an unknown window.
KQPLATFORM_EXPORT LRESULT SendMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

// True while the window exists.
KQPLATFORM_EXPORT bool IsWindow(HWND window);

// Starts (or restarts) a timer that delivers WM_TIMER with wParam timerId every
// intervalMs milliseconds on the window's thread. Call on the window's thread.
// Returns false for an unknown window.
[[nodiscard]] KQPLATFORM_EXPORT bool SetTimer(HWND window, UINT timerId, UINT intervalMs);

// Stops a timer; false when the window or the timer does not exist.
[[nodiscard]] KQPLATFORM_EXPORT bool KillTimer(HWND window, UINT timerId);

// Dispatches every message and event pending for the calling thread, then returns.
KQPLATFORM_EXPORT void PumpMessages();
