#include "platform/message_pump.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <chrono>
#include <thread>

namespace {
// How long a waiting thread sleeps between two rounds of dispatching. Short enough
// for a 30 ms frame timer to keep its pace, long enough not to spin a processor.
constexpr std::chrono::milliseconds kPumpIntervalMs{1};
}  // namespace

void PumpMessages() {
  if (QCoreApplication::instance() == nullptr) return;
  // Does nothing on a thread that has no event dispatcher.
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void WaitPumping(unsigned waitMs) {
  QElapsedTimer clock;
  clock.start();
  for (;;) {
    PumpMessages();
    if (clock.elapsed() > static_cast<qint64>(waitMs)) return;
    std::this_thread::sleep_for(kPumpIntervalMs);
  }
}

void WaitPumpingUntil(const std::atomic<bool>& done) {
  while (!done.load(std::memory_order_acquire)) {
    PumpMessages();
    if (done.load(std::memory_order_acquire)) return;
    std::this_thread::sleep_for(kPumpIntervalMs);
  }
}
