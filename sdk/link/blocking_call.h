#pragma once
// A controller call's work on a worker thread while the calling thread keeps
// dispatching its messages (RunWhileDispatching of the messaging layer).

#include <functional>

// Returns the work's result, or -12 when no thread could be started or the work
// threw (out of memory). Any result value (also one a card sends) is passed through.
[[nodiscard]] int RunBlocking(const std::function<int()>& work);
