// Commands over TCP to the emulated card: frames, acknowledgements, failures.

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <thread>

#include "sdk/link/send_command.h"
#include "sdk/link/transport_settings.h"
#include "tests/sdk/sdk_test_support.h"
#include "tests/support/card_emulator.h"

using namespace sdktest;

namespace {

class TcpTransport : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(server_.Listening()); }

  int Send(const std::vector<std::uint8_t>& payload, HWND window = nullptr) {
    const CommInfo info = TcpInfo(server_.Address(), window);
    return SendCommand(nullptr, nullptr, &info, kCommandDisplayData, payload.data(), payload.size(),
                       false, true);
  }

  emu::Card card_;
  emu::TcpCard server_{card_};
};

TEST_F(TcpTransport, ChunksPayloadsIntoFramesTheCardReassembles) {
  for (std::size_t length :
       {std::size_t{1}, std::size_t{512}, std::size_t{1024}, std::size_t{1025}}) {
    SCOPED_TRACE(length);
    emu::Card card;
    emu::TcpCard server(card);
    const CommInfo info = TcpInfo(server.Address());
    const std::vector<std::uint8_t> payload = Payload(length);
    EXPECT_EQ(SendCommand(nullptr, nullptr, &info, kCommandDisplayData, payload.data(),
                          payload.size(), false, true),
              0);
    EXPECT_TRUE(card.Errors().empty()) << card.Errors().front();
    ASSERT_EQ(card.Payloads().size(), 1u);
    EXPECT_EQ(card.Payloads()[0], payload);
    const std::vector<emu::Frame> frames = card.Frames();
    ASSERT_EQ(frames.size(), (length + 511) / 512);
    for (std::size_t i = 0; i < frames.size(); ++i) {
      EXPECT_EQ(frames[i].index, i);
      EXPECT_EQ(frames[i].total, length);
      EXPECT_EQ(frames[i].command, 0xDA00);
    }
    EXPECT_EQ(frames.back().frameBytes, (length - 1) % 512 + 1 + 24);
  }
}

TEST_F(TcpTransport, PostsProgressPerAcknowledgedChunkAlsoWithoutStatusMessage) {
  RecordingWindow window;
  CommInfo info = TcpInfo(server_.Address(), window.Handle());
  info.StatusMessage = 0;
  const std::vector<std::uint8_t> payload = Payload(1025);
  EXPECT_EQ(SendCommand(nullptr, nullptr, &info, kCommandDisplayData, payload.data(),
                        payload.size(), false, true),
            0);
  EXPECT_EQ(Progress(window), (std::vector<LPARAM>{33, 66, 100}));
  EXPECT_EQ(window.received.size(), 3u);
}

TEST_F(TcpTransport, BlockingCallReturnsOnAThreadWithNothingToDispatch) {
  int result = 1234;
  std::thread host([&] { result = Send(Payload(1500)); });
  host.join();
  EXPECT_EQ(result, 0);
  EXPECT_EQ(card_.Payloads().size(), 1u);
}

TEST_F(TcpTransport, EmptyPayloadSendsNothing) {
  EXPECT_EQ(Send({}), 0);
  EXPECT_TRUE(card_.Frames().empty());
}

TEST_F(TcpTransport, CardResultsOneSucceedsAboveOneEndsTheTransfer) {
  card_.ReactAt(0, {emu::Reaction::kAck, 1});
  card_.ReactAt(1, {emu::Reaction::kAck, 2});
  EXPECT_EQ(Send(Payload(1600)), 2);
  EXPECT_EQ(card_.Frames().size(), 2u);
}

TEST_F(TcpTransport, ResultThatLooksLikeThePendingMarkerIsReturned) {
  card_.ReactAlways({emu::Reaction::kAck, 0x0FFFFFFF});
  EXPECT_EQ(Send(Payload(10)), 0x0FFFFFFF);
}

TEST_F(TcpTransport, ResultWordsBeyondAPositiveIntAreNoAcknowledgement) {
  // Read as an int these would be 0x80000000, -6, -100 and -1000.
  for (std::uint32_t word : {0x80000000u, 0xFFFFFFFAu, 0xFFFFFF9Cu, 0xFFFFFC18u}) {
    SCOPED_TRACE(word);
    card_.ReactAlways({emu::Reaction::kAck, word});
    EXPECT_EQ(Send(Payload(10)), KQ_ERR_BAD_REPLY);
  }
  card_.ReactAlways({emu::Reaction::kAck, 0x7FFFFFFF});
  EXPECT_EQ(Send(Payload(10)), 0x7FFFFFFF);
}

TEST_F(TcpTransport, InvalidRepliesGiveBadReply) {
  for (auto kind : {emu::Reaction::kShort, emu::Reaction::kGarbage, emu::Reaction::kOversized}) {
    SCOPED_TRACE(kind);
    emu::Card card;
    emu::TcpCard server(card);
    card.ReactAlways({kind, 0});
    const CommInfo info = TcpInfo(server.Address());
    const std::vector<std::uint8_t> payload = Payload(700);
    EXPECT_EQ(SendCommand(nullptr, nullptr, &info, kCommandSettings, payload.data(), payload.size(),
                          false, true),
              KQ_ERR_BAD_REPLY);
    EXPECT_EQ(card.Frames().size(), 1u);
  }
}

TEST_F(TcpTransport, AcknowledgementSplitAcrossSegmentsSucceeds) {
  card_.ReactAlways({emu::Reaction::kSplit, 0, 30});
  EXPECT_EQ(Send(Payload(1500)), 0);
  EXPECT_EQ(card_.Payloads().size(), 1u);
}

TEST_F(TcpTransport, WantReplyHandsBackTheWholeReply) {
  card_.ReactAlways({emu::Reaction::kOversized, 7});
  std::uint8_t reply[200] = {};
  std::size_t length = sizeof reply;
  const CommInfo info = TcpInfo(server_.Address());
  const std::uint8_t mask[4] = {2, 0, 0, 0};
  EXPECT_EQ(SendCommand(reply, &length, &info, kCommandRead, mask, sizeof mask, true, true), 0);
  EXPECT_EQ(length, 124u);
  EXPECT_EQ(reply[20], 7);
}

TEST_F(TcpTransport, SilenceAndClosedConnectionGiveNoReply) {
  TransportSettings quick;
  quick.tcpTimeoutMs = 150;
  ScopedTransportSettings scope(quick);
  card_.ReactAt(1, {emu::Reaction::kSilence});
  EXPECT_EQ(Send(Payload(1500)), KQ_ERR_NO_REPLY);
  card_.ReactAt(1, {emu::Reaction::kClose});
  EXPECT_EQ(Send(Payload(1500)), KQ_ERR_NO_REPLY);
}

TEST_F(TcpTransport, BadAddressTextAndRefusedConnectionFailAtOnce) {
  for (const char* text : {"127.0.0.256", "127.0.0", "", "card"}) {
    const CommInfo info = TcpInfo(text);
    const std::uint8_t byte = 1;
    EXPECT_EQ(SendCommand(nullptr, nullptr, &info, kCommandSettings, &byte, 1, false, true),
              KQ_ERR_CONNECT)
        << text;
  }
  EXPECT_TRUE(card_.Frames().empty());
  TransportSettings otherPort;
  otherPort.tcpPort = 9;  // nothing listens on discard here
  ScopedTransportSettings scope(otherPort);
  EXPECT_EQ(Send(Payload(5)), KQ_ERR_CONNECT);
}

TEST_F(TcpTransport, AddressTextIsReadOnlyWithinItsField) {
  CommInfo info = TcpInfo(server_.Address());
  for (char16_t& unit : info.IpAddress) unit = u'1';  // no terminator at all
  const std::uint8_t byte = 1;
  EXPECT_EQ(SendCommand(nullptr, nullptr, &info, kCommandSettings, &byte, 1, false, true),
            KQ_ERR_CONNECT);
}

// A listener whose backlog is full lets connection attempts go unanswered, like an
// address with no card behind it.
class SilentListener {
 public:
  SilentListener() {
    fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::listen(fd_, 0);
    socklen_t size = sizeof address;
    ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &size);
    port_ = ntohs(address.sin_port);
    for (int& filler : fillers_) {
      filler = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
      ::connect(filler, reinterpret_cast<sockaddr*>(&address), sizeof address);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  ~SilentListener() {
    for (int filler : fillers_) ::close(filler);
    ::close(fd_);
  }
  std::uint16_t Port() const { return port_; }

 private:
  int fd_;
  int fillers_[3];
  std::uint16_t port_ = 0;
};

class TickingWindow : public RecordingWindow {
 public:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == WM_TIMER && busy) ++ticksDuringCall;
    if (msg == WM_USER + 99 && busy) ++postsDuringCall;
    return RecordingWindow::WindowProc(msg, wParam, lParam);
  }
  std::atomic<bool> busy{false};
  int ticksDuringCall = 0;
  int postsDuringCall = 0;
};

TEST(TcpUnreachable, CallerKeepsDispatchingWhileTheConnectWaits) {
  SilentListener listener;
  TransportSettings settings;
  settings.tcpPort = listener.Port();
  ScopedTransportSettings scope(settings);
  TickingWindow window;
  ASSERT_TRUE(SetTimer(window.Handle(), 1, 20));
  std::atomic<bool> stopPosting{false};
  std::thread poster([&] {
    while (!stopPosting.load()) {
      ASSERT_TRUE(PostMessage(window.Handle(), WM_USER + 99, 0, 0));
      std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
  });
  const CommInfo info = TcpInfo("127.0.0.1", window.Handle());
  const std::uint8_t byte = 1;
  window.busy = true;
  const int result = SendCommand(nullptr, nullptr, &info, kCommandSettings, &byte, 1, false, true);
  window.busy = false;
  stopPosting = true;
  poster.join();
  EXPECT_TRUE(KillTimer(window.Handle(), 1));
  EXPECT_EQ(result, KQ_ERR_CONNECT);
  EXPECT_GT(window.ticksDuringCall, 0);
  EXPECT_GT(window.postsDuringCall, 0);
}

}  // namespace
