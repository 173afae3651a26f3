#include "sdk/link/blocking_call.h"

#include <atomic>
#include <system_error>
#include <thread>

#include "platform/message_pump.h"
#include "sdk/Corvanix.h"
#include "sdk/api/guarded_call.h"

int RunBlocking(const std::function<int()>& work, const std::function<void()>& betweenPumps) {
  std::atomic<bool> done{false};
  int result = KQ_ERR_FILE;
  std::thread worker;
  try {
    worker = std::thread([&] {
      result = Guarded(work);  // an exception must not end the process on this thread
      done.store(true, std::memory_order_release);
    });
  } catch (const std::system_error&) {
    return KQ_ERR_FILE;
  }
  if (betweenPumps) {
    while (!done.load(std::memory_order_acquire)) {
      WaitPumping(1);
      betweenPumps();
    }
  } else {
    WaitPumpingUntil(done);
  }
  worker.join();
  if (betweenPumps) betweenPumps();
  return result;
}
