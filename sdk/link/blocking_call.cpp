#include "sdk/link/blocking_call.h"

#include "platform/blocking_call.h"
#include "sdk/Corvanix.h"

int RunBlocking(const std::function<int()>& work) {
  int result = KQ_ERR_FILE;
  return RunWhileDispatching([&] { result = work(); }) ? result : KQ_ERR_FILE;
}
