#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QThread>

#include <chrono>
#include <memory>
#include <thread>

#include "platform/blocking_call.h"
#include "platform/message_window.h"
#include "tests/support/recording_window.h"

namespace {

using namespace testsupport;

constexpr UINT kTestMessage = WM_USER + 7;

// Dispatches this thread's messages while a worker sleeps ms milliseconds.
bool DispatchFor(int ms) {
  return RunWhileDispatching([ms] { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); });
}

TEST(Messaging, NegativeAndPointerSizedValuesSurvive) {
  RecordingWindow window;
  const WPARAM big = static_cast<WPARAM>(0x123456789ABCULL);
  ASSERT_TRUE(PostMessage(window.Handle(), kTestMessage, big, -1000));
  QCoreApplication::processEvents();
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
  QCoreApplication::processEvents();
  // A new window never gets the old handle.
  RecordingWindow other;
  EXPECT_NE(other.Handle(), handle);
  EXPECT_FALSE(PostMessage(nullptr, kTestMessage, 0, 0));
}

TEST(Messaging, SendMessageAnswersOnTheWindowsThread) {
  RecordingWindow window;
  window.reply = [](const Message& m) { return static_cast<LRESULT>(m.wParam) * 2; };
  EXPECT_EQ(SendMessage(window.Handle(), kTestMessage, 21, 0), 42);

  LRESULT fromWorker = 0;
  QThread* workerThread = nullptr;
  ASSERT_TRUE(RunWhileDispatching([&] {
    workerThread = QThread::currentThread();
    fromWorker = SendMessage(window.Handle(), kTestMessage, 5, 0);
  }));
  EXPECT_EQ(fromWorker, 10);
  EXPECT_NE(workerThread, QThread::currentThread());
  EXPECT_EQ(window.received.size(), 2u);
}

TEST(Messaging, TimerFiresDuringWaitAndStops) {
  RecordingWindow window;
  constexpr UINT kTimerId = 77;
  ASSERT_TRUE(SetTimer(window.Handle(), kTimerId, 10));
  ASSERT_TRUE(DispatchFor(120));
  ASSERT_FALSE(window.received.empty());
  EXPECT_EQ(window.received.front().msg, WM_TIMER);
  EXPECT_EQ(window.received.front().wParam, kTimerId);

  EXPECT_TRUE(KillTimer(window.Handle(), kTimerId));
  EXPECT_FALSE(KillTimer(window.Handle(), kTimerId));
  window.received.clear();
  ASSERT_TRUE(DispatchFor(40));
  EXPECT_TRUE(window.received.empty());
}

}  // namespace
