#include "platform/blocking_call.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <optional>
#include <thread>

namespace {

std::atomic<int> callsInProgress{0};

// Counts one call for as long as it lives, announcing both changes.
class CountedCall {
 public:
  CountedCall() { Change(1); }
  ~CountedCall() { Change(-1); }
  CountedCall(const CountedCall&) = delete;
  CountedCall& operator=(const CountedCall&) = delete;

 private:
  static void Change(int by) {
    callsInProgress.fetch_add(by);
    Q_EMIT BlockingCalls::Instance().inProgressChanged();
  }
};

bool ThreadCanDispatch() {
  return QCoreApplication::instance() != nullptr && QAbstractEventDispatcher::instance() != nullptr;
}

}  // namespace

void PumpMessages() {
  if (ThreadCanDispatch()) QCoreApplication::processEvents();
}

bool WaitDispatchingUntil(const std::function<bool()>& done, int timeoutMs) {
  bool answer = done();
  if (answer || !ThreadCanDispatch()) return answer;
  QEventLoop loop;
  // The dispatcher announces each time it is about to sleep, in nested loops too.
  QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock,
                   &loop, [&] {
                     answer = done();
                     if (answer) loop.quit();
                   });
  if (timeoutMs >= 0) QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
  loop.exec();
  return answer;
}

void WaitPumping(int ms) {
  if (!ThreadCanDispatch()) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    return;
  }
  static_cast<void>(WaitDispatchingUntil([] { return false; }, ms));
}

BlockingCalls& BlockingCalls::Instance() {
  // Never destroyed: a call may still end while the process exits.
  static auto* instance = new BlockingCalls;
  return *instance;
}

int BlockingCallsInProgress() { return callsInProgress.load(); }

bool RunWhileDispatching(const std::function<void()>& work) {
  // Created before the worker starts, on the calling thread, which runs it.
  std::optional<QEventLoop> loop;
  if (ThreadCanDispatch()) loop.emplace();
  // Counted before the worker starts: nothing may dispatch between its start and
  // the loop's, since a quit taken then would be lost.
  const CountedCall counted;
  if (!loop) {
    // Nothing to dispatch while waiting: the work runs here, without a thread to
    // start and join (the fixed cost of every blocking call on such a thread).
    try {
      work();
      return true;
    } catch (...) {
      return false;
    }
  }
  bool ran = false;
  std::thread worker;
  try {
    worker = std::thread([&] {
      try {
        work();
        ran = true;
      } catch (...) {  // must not end the process on this thread; reported as false
      }
      // Queued behind everything the worker posted to this thread before, so those
      // messages are dispatched before the loop ends.
      QMetaObject::invokeMethod(&*loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
  } catch (...) {  // no thread (system_error) or no memory for its start
    return false;
  }
  // The loop also ends early when the application exits; the join then waits alone.
  loop->exec();
  worker.join();
  return ran;
}
