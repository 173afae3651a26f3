#pragma once
// Runs work on a worker thread while the calling thread keeps dispatching its
// messages, so the caller's windows and timers stay alive during a blocking call.

#include <functional>

// Returns the work's result, or -12 when no thread could be started or the work
// threw (out of memory). Completion is
// an atomic flag beside the result, so any result value (also one a card sends)
// ends the wait.
// betweenPumps, when given, runs on the calling thread after each round of dispatching
// (at least every few milliseconds) and once more after the work ended; it must not
// throw.
int RunBlocking(const std::function<int()>& work,
                const std::function<void()>& betweenPumps = {});
