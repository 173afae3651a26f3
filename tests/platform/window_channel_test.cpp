// Window messages between programs: the frame codec, delivery of the accepted numbers
// only, and connections that send garbage, stall or flood.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QTest>

#include "platform/window_channel.h"
#include "tests/support/eventually.h"
#include "tests/support/recording_window.h"

namespace {

constexpr UINT kAccepted = WM_USER + 33;
constexpr UINT kOther = WM_USER + 36;
const QString kClass = QStringLiteral("Channel Test");

// A runtime folder of the test's own.
class WindowChannelTest : public testing::Test {
 protected:
  void SetUp() override { qputenv("XDG_RUNTIME_DIR", runtime_.path().toLocal8Bit()); }
  void TearDown() override { qunsetenv("XDG_RUNTIME_DIR"); }

  QTemporaryDir runtime_;
};

QByteArray Frames(const std::vector<WindowFrame>& frames) {
  QByteArray bytes;
  for (const WindowFrame& frame : frames) {
    const auto encoded = EncodeWindowFrame(frame);
    bytes.append(encoded.data(), kWindowFrameSize);
  }
  return bytes;
}

}  // namespace

TEST(WindowFrame, RoundTripAndBadMagic) {
  const WindowFrame frame{1057, -1000, 0x7FFFFFFF};
  const auto bytes = EncodeWindowFrame(frame);
  EXPECT_EQ(QByteArray(bytes.data(), 8), QByteArray("KQM1\x21\x04\x00\x00", 8));
  EXPECT_EQ(DecodeWindowFrame(QByteArray(bytes.data(), kWindowFrameSize)), frame);
  EXPECT_FALSE(DecodeWindowFrame(QByteArray(bytes.data(), kWindowFrameSize - 1)));
  QByteArray bad(bytes.data(), kWindowFrameSize);
  bad[3] = '2';
  EXPECT_FALSE(DecodeWindowFrame(bad));
}

TEST_F(WindowChannelTest, OnlyAcceptedNumbersReachTheWindow) {
  EXPECT_FALSE(WindowClassExists(kClass));
  EXPECT_FALSE(PostToWindowClass(kClass, kAccepted, 0, 0));
  testsupport::RecordingWindow window;
  WindowChannel channel(kClass, window.Handle(), {kAccepted});
  ASSERT_TRUE(channel.IsListening());
  EXPECT_TRUE(WindowClassExists(kClass));
  EXPECT_TRUE(PostToWindowClass(kClass, kOther, 1, 2));
  EXPECT_TRUE(PostToWindowClass(kClass, kAccepted, 3, -4));
  EXPECT_EVENTUALLY_EQ(window.received.size(), 1u);
  EXPECT_EQ(window.received[0].msg, kAccepted);
  EXPECT_EQ(window.received[0].wParam, 3u);
  EXPECT_EQ(window.received[0].lParam, -4);
}

TEST_F(WindowChannelTest, GarbageStallsAndFloodsNeitherCrashNorStall) {
  testsupport::RecordingWindow window;
  WindowChannel channel(kClass, window.Handle(), {kAccepted});
  ASSERT_TRUE(channel.IsListening());

  // A bad magic ends the connection; what follows on it is not read.
  QLocalSocket garbage;
  garbage.connectToServer(WindowClassPath(kClass));
  ASSERT_TRUE(garbage.waitForConnected(1000));
  garbage.write(QByteArray(kWindowFrameSize, 'x') + Frames({{kAccepted, 1, 1}}));
  EXPECT_EVENTUALLY_EQ(garbage.state(), QLocalSocket::UnconnectedState);

  // Half a frame is dropped after the time-out, without blocking anything else.
  QLocalSocket stalled;
  stalled.connectToServer(WindowClassPath(kClass));
  ASSERT_TRUE(stalled.waitForConnected(1000));
  stalled.write(Frames({{kAccepted, 2, 2}}).left(10));
  ASSERT_TRUE(stalled.waitForBytesWritten(1000));

  // A thousand frames at once: only the accepted half arrives, in order.
  std::vector<WindowFrame> flood;
  for (int i = 0; i < 1000; ++i) flood.push_back({i % 2 == 0 ? kAccepted : kOther, i, 0});
  QLocalSocket flooding;
  flooding.connectToServer(WindowClassPath(kClass));
  ASSERT_TRUE(flooding.waitForConnected(1000));
  flooding.write(Frames(flood));
  EXPECT_EVENTUALLY_EQ(window.received.size(), 500u);
  EXPECT_EQ(window.received.back().wParam, 998u);

  EXPECT_EVENTUALLY_EQ_WITHIN(stalled.state(), QLocalSocket::UnconnectedState, 3000);
  EXPECT_EQ(window.received.size(), 500u);  // neither the garbage's tail nor the half frame
}
