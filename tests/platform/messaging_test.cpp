#include <gtest/gtest.h>

#include <QThread>

#include <atomic>
#include <thread>
#include <vector>

#include "platform/message_pump.h"
#include "platform/message_window.h"

namespace {

struct Message {
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
};

class RecordingWindow : public MessageWindow {
 public:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    received.push_back({msg, wParam, lParam});
    return static_cast<LRESULT>(wParam) * 2;
  }
  std::vector<Message> received;
};

constexpr UINT kTestMessage = WM_USER + 7;

TEST(Messaging, PostsFromWorkersArriveInOrderWhileWaiting) {
  RecordingWindow window;
  constexpr int kThreads = 4;
  constexpr int kPostsEach = 500;
  std::atomic<int> running{kThreads};
  std::atomic<bool> done{false};
  std::vector<std::thread> workers;
  for (int t = 0; t < kThreads; ++t) {
    workers.emplace_back([&, t] {
      for (int i = 0; i < kPostsEach; ++i) {
        EXPECT_TRUE(PostMessage(window.Handle(), kTestMessage, t, i));
      }
      if (--running == 0) done = true;
    });
  }
  WaitPumpingUntil(done);
  for (auto& worker : workers) worker.join();
  PumpMessages();

  ASSERT_EQ(window.received.size(), size_t{kThreads * kPostsEach});
  std::vector<LPARAM> next(kThreads, 0);
  for (const Message& m : window.received) {
    EXPECT_EQ(m.msg, kTestMessage);
    EXPECT_EQ(m.lParam, next[m.wParam]++) << "thread " << m.wParam;
  }
}

TEST(Messaging, NegativeAndPointerSizedValuesSurvive) {
  RecordingWindow window;
  const WPARAM big = static_cast<WPARAM>(0x123456789ABCULL);
  ASSERT_TRUE(PostMessage(window.Handle(), kTestMessage, big, -1000));
  PumpMessages();
  ASSERT_EQ(window.received.size(), 1u);
  EXPECT_EQ(window.received[0].wParam, big);
  EXPECT_EQ(window.received[0].lParam, -1000);
}

TEST(Messaging, PostToDestroyedWindowIsDropped) {
  HWND handle;
  {
    auto window = std::make_unique<RecordingWindow>();
    handle = window->Handle();
    // Queued before the window goes: must never reach the freed object.
    EXPECT_TRUE(PostMessage(handle, kTestMessage, 1, 2));
    EXPECT_TRUE(IsWindow(handle));
  }
  EXPECT_FALSE(IsWindow(handle));
  EXPECT_FALSE(PostMessage(handle, kTestMessage, 3, 4));
  EXPECT_EQ(SendMessage(handle, kTestMessage, 3, 4), 0);
  PumpMessages();
  // A new window never gets the old handle.
  RecordingWindow other;
  EXPECT_NE(other.Handle(), handle);
  EXPECT_FALSE(PostMessage(nullptr, kTestMessage, 0, 0));
}

TEST(Messaging, SendMessageAnswersOnTheWindowsThread) {
  RecordingWindow window;
  EXPECT_EQ(SendMessage(window.Handle(), kTestMessage, 21, 0), 42);

  std::atomic<bool> done{false};
  LRESULT fromWorker = 0;
  QThread* workerThread = nullptr;
  std::thread worker([&] {
    workerThread = QThread::currentThread();
    fromWorker = SendMessage(window.Handle(), kTestMessage, 5, 0);
    done = true;
  });
  WaitPumpingUntil(done);
  worker.join();
  EXPECT_EQ(fromWorker, 10);
  EXPECT_NE(workerThread, QThread::currentThread());
  EXPECT_EQ(window.received.size(), 2u);
}

TEST(Messaging, TimerFiresDuringWaitAndStops) {
  RecordingWindow window;
  constexpr UINT kTimerId = 77;
  ASSERT_TRUE(SetTimer(window.Handle(), kTimerId, 10));
  WaitPumping(120);
  ASSERT_FALSE(window.received.empty());
  EXPECT_EQ(window.received.front().msg, WM_TIMER);
  EXPECT_EQ(window.received.front().wParam, kTimerId);

  EXPECT_TRUE(KillTimer(window.Handle(), kTimerId));
  EXPECT_FALSE(KillTimer(window.Handle(), kTimerId));
  window.received.clear();
  WaitPumping(40);
  EXPECT_TRUE(window.received.empty());
}

TEST(Messaging, ZeroWaitStillDispatchesOnce) {
  RecordingWindow window;
  ASSERT_TRUE(PostMessage(window.Handle(), kTestMessage, 1, 1));
  WaitPumping(0);
  EXPECT_EQ(window.received.size(), 1u);
}

}  // namespace
