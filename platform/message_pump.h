#pragma once
// Dispatching the calling thread's messages while it waits, so that windows and
// timers of that thread stay alive during a blocking call.

#include <atomic>

#include "platform/platform_export.h"

// Dispatches every event waiting for the calling thread and returns when none is
// left. Does nothing on a thread without an event loop or without a Qt application.
KQPLATFORM_EXPORT void PumpMessages();

// Keeps dispatching the calling thread's messages until more than waitMs milliseconds
// have passed. Dispatches at least once, also for 0.
KQPLATFORM_EXPORT void WaitPumping(unsigned waitMs);

// Keeps dispatching the calling thread's messages until `done` becomes true (a worker
// sets it when it ends). On a thread with nothing to dispatch it simply waits.
KQPLATFORM_EXPORT void WaitPumpingUntil(const std::atomic<bool>& done);
