#include <gtest/gtest.h>

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QObject>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <optional>
#include <stdexcept>
#include <thread>
#include <vector>

#include "platform/blocking_call.h"
#include "tests/support/recording_window.h"

namespace {

using namespace testsupport;

constexpr UINT kTestMessage = WM_USER + 7;
using Clock = std::chrono::steady_clock;

// Waits on a worker until the window has handled count messages; false after 10 s.
bool AwaitHandled(const RecordingWindow& window, int count) {
  const auto giveUp = Clock::now() + std::chrono::seconds(10);
  while (window.handled < count) {
    if (Clock::now() > giveUp) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

TEST(BlockingCall, PostedMessagesArriveInOrderDuringTheWait) {
  RecordingWindow window;
  constexpr int kThreads = 4;
  constexpr int kPostsEach = 500;
  ASSERT_TRUE(RunWhileDispatching([&] {
    // Handled by the caller while the worker still runs.
    EXPECT_TRUE(PostMessage(window.Handle(), kTestMessage, kThreads, 0));
    EXPECT_TRUE(AwaitHandled(window, 1));
    std::vector<std::thread> posters;
    for (int t = 0; t < kThreads; ++t) {
      posters.emplace_back([&, t] {
        for (int i = 0; i < kPostsEach; ++i) {
          EXPECT_TRUE(PostMessage(window.Handle(), kTestMessage, t, i));
        }
      });
    }
    for (auto& poster : posters) poster.join();
  }));
  // Everything posted before the worker ended is in, without dispatching again.
  ASSERT_EQ(window.received.size(), std::size_t{kThreads * kPostsEach + 1});
  std::vector<LPARAM> next(kThreads + 1, 0);
  for (const Message& m : window.received) {
    EXPECT_EQ(m.msg, kTestMessage);
    EXPECT_EQ(m.lParam, next[m.wParam]++) << "thread " << m.wParam;
  }
}

TEST(BlockingCall, CallerSleepsUntilTheWorkerEndsAndReturnsRightAfter) {
  int awakenings = 0;
  const auto counting =
      QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::awake,
                       [&awakenings] { ++awakenings; });
  std::atomic<Clock::rep> workerEnd{0};
  ASSERT_TRUE(RunWhileDispatching([&workerEnd] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    workerEnd = Clock::now().time_since_epoch().count();
  }));
  const Clock::duration late(Clock::now().time_since_epoch().count() - workerEnd);
  QObject::disconnect(counting);
  // A polling wait wakes every millisecond or two: hundreds of times here.
  EXPECT_LT(awakenings, 10);
  EXPECT_LT(late, std::chrono::milliseconds(100));
}

TEST(BlockingCall, CountsCallsInProgressAlsoNested) {
  std::vector<int> announced;
  const auto listening =
      QObject::connect(&BlockingCalls::Instance(), &BlockingCalls::inProgressChanged,
                       [&announced] { announced.push_back(BlockingCallsInProgress()); });
  // A message handled during the wait starts a second call, as a click would.
  class StartingWindow : public RecordingWindow {
   public:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
      EXPECT_TRUE(RunWhileDispatching([this] { inNestedCall = BlockingCallsInProgress(); }));
      return RecordingWindow::WindowProc(msg, wParam, lParam);
    }
    int inNestedCall = 0;
  } window;
  int inCall = 0;
  ASSERT_TRUE(RunWhileDispatching([&] {
    inCall = BlockingCallsInProgress();
    EXPECT_TRUE(PostMessage(window.Handle(), kTestMessage, 0, 0));
    EXPECT_TRUE(AwaitHandled(window, 1));
  }));
  QObject::disconnect(listening);
  EXPECT_EQ(inCall, 1);
  EXPECT_EQ(window.inNestedCall, 2);
  EXPECT_EQ(announced, (std::vector<int>{1, 2, 1, 0}));
  EXPECT_EQ(BlockingCallsInProgress(), 0);

  EXPECT_FALSE(RunWhileDispatching([] { throw std::runtime_error("work failed"); }));
  EXPECT_EQ(BlockingCallsInProgress(), 0);
}

// The condition is asked when the thread would sleep, so the wait ends right after the
// message that fulfils it, sleeps in between, and otherwise ends at its timeout.
TEST(BlockingCall, WaitUntilEndsRightAfterTheConditionOrAtTheTimeout) {
  QObject receiver;
  bool posted = false;
  QMetaObject::invokeMethod(
      &receiver, [&posted] { posted = true; }, Qt::QueuedConnection);
  EXPECT_TRUE(WaitDispatchingUntil([] { return true; }));
  EXPECT_FALSE(posted);  // already true: nothing dispatched
  EXPECT_TRUE(WaitDispatchingUntil([&posted] { return posted; }));

  int awakenings = 0;
  const auto counting =
      QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::awake,
                       [&awakenings] { ++awakenings; });
  std::optional<Clock::time_point> firedAt;
  QTimer::singleShot(300, &receiver, [&firedAt] { firedAt = Clock::now(); });
  const bool fired = WaitDispatchingUntil([&firedAt] { return firedAt.has_value(); });
  QObject::disconnect(counting);
  ASSERT_TRUE(fired);
  EXPECT_LT(Clock::now() - *firedAt, std::chrono::milliseconds(100));
  EXPECT_LT(awakenings, 10);  // a polling wait would wake hundreds of times

  const auto start = Clock::now();
  EXPECT_FALSE(WaitDispatchingUntil([] { return false; }, 50));
  EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(45));
}

TEST(BlockingCall, ThreadWithoutEventLoopJustWaits) {
  bool ran = false;
  bool dispatchedDuringWait = true;
  std::thread caller([&] {
    QObject receiver;  // lives on this thread, which has no event dispatcher
    bool dispatched = false;
    ran = RunWhileDispatching([&] {
      QMetaObject::invokeMethod(
          &receiver, [&dispatched] { dispatched = true; }, Qt::QueuedConnection);
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    });
    dispatchedDuringWait = dispatched;
  });
  caller.join();
  EXPECT_TRUE(ran);
  EXPECT_FALSE(dispatchedDuringWait);
}

}  // namespace
