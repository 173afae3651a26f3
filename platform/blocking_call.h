#pragma once
// Blocking calls: work runs on a worker thread while the calling thread keeps
// dispatching its messages, so its windows, timers and posted messages stay alive.
// That wait is a nested event loop in which the user can start things again: the main
// program watches the count of calls in progress and disables what could start one.

#include <QObject>

#include <functional>

#include "platform/platform_export.h"

// Runs work and returns when it has ended.
// On a thread with an event loop (a Qt application exists and the thread has an event
// dispatcher) the work runs on a new thread while the caller waits in a local event
// loop that the worker's end wakes, and sleeps in between: messages posted to the
// caller's windows are dispatched in order meanwhile, and those the worker posted
// before it ended have all been dispatched when the call returns. On any other thread
// there is nothing to dispatch, and the work runs on the calling thread itself.
// Returns true when the work ran to its end; false when no thread could be started
// (the work did not run) or the work threw.
[[nodiscard]] KQPLATFORM_EXPORT bool RunWhileDispatching(const std::function<void()>& work);

// Dispatches the calling thread's messages until done() holds, or until timeoutMs have
// passed when it is 0 or more; the one wait of the GUI thread for something that its
// own messages bring about (a window closed, recorders finished). done() runs on the
// calling thread: once at the start, then each time the thread has dispatched all that
// was waiting and would sleep, so whatever makes it true must reach the thread as a
// message, timer or signal; between those the thread sleeps. A quit of the application
// also ends the wait. On a thread without an event loop nothing can be dispatched:
// done() is asked once. Returns done()'s last answer. Not a blocking call: it is not
// counted in BlockingCallsInProgress().
[[nodiscard]] KQPLATFORM_EXPORT bool WaitDispatchingUntil(const std::function<bool()>& done,
                                                          int timeoutMs = -1);

// Dispatches every message waiting for the calling thread and returns.
KQPLATFORM_EXPORT void PumpMessages();
// Waits ms milliseconds while the calling thread's messages are dispatched; on a
// thread without an event loop it only sleeps.
KQPLATFORM_EXPORT void WaitPumping(int ms);

// The number of RunWhileDispatching calls in progress in the process, on any thread.
KQPLATFORM_EXPORT int BlockingCallsInProgress();

// Announces the changes of BlockingCallsInProgress().
class KQPLATFORM_EXPORT BlockingCalls : public QObject {
  Q_OBJECT
 public:
  static BlockingCalls& Instance();

 Q_SIGNALS:
  // Emitted on the calling thread when a call starts (before its worker and its wait)
  // and when it has ended. Receivers read BlockingCallsInProgress(), which is current
  // also when the signal reaches them queued.
  void inProgressChanged();

 private:
  BlockingCalls() = default;
};
