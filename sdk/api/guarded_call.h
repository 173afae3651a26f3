#pragma once
// The one guard that keeps exceptions inside the library: every export, worker and
// generator that can throw runs its body through Guarded.

#include <utility>

#include "sdk/Corvanix.h"

// Runs call and returns its code. What can throw here is running out of memory (or
// a thread that cannot start), which gives KQ_ERR_FILE, the header's code for
// memory. A template, so that wrapping the call allocates nothing outside the try.
template <class Call>
[[nodiscard]] int Guarded(Call&& call) noexcept {
  try {
    return std::forward<Call>(call)();
  } catch (...) {
    return KQ_ERR_FILE;
  }
}
