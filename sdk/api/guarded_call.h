#pragma once
// Runs an export's body so that no exception leaves the library.

#include <functional>

#include "sdk/Corvanix.h"

inline int Guarded(const std::function<int()>& call) {
  try {
    return call();
  } catch (...) {  // out of memory is the only thing that throws here
    return KQ_ERR_FILE;
  }
}
