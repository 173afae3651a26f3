// Broadcast commands, inside network namespaces made for the test: the computer has
// two interfaces, each joined by a veth pair to a namespace with one card.

#include <gtest/gtest.h>

#include <memory>

#include "sdk/link/send_command.h"
#include "sdk/link/transport_settings.h"
#include "tests/sdk/sdk_test_support.h"
#include "tests/support/card_emulator.h"
#include "tests/support/card_network.h"
#include "tests/support/network_namespace.h"

using namespace sdktest;

namespace {

class UdpTransport : public testing::Test {
 protected:
  void SetUp() override {
    if (const std::string why = network_.Unavailable(); !why.empty()) GTEST_SKIP() << why;
    ASSERT_TRUE(network_.Build()) << "ip could not build the test network";
    for (int i = 0; i < 2; ++i) {
      const int fd = network_.OpenCardSocket(i);
      ASSERT_GE(fd, 0);
      servers_[i] = std::make_unique<emu::UdpCard>(card_[i], fd);
    }
  }

  int Send(const emu::NetworkNamespace& from, const std::vector<std::uint8_t>& payload,
           HWND window = nullptr) {
    TransportSettings quick;
    quick.udpTimeoutMs = 300;
    ScopedTransportSettings scope(quick);
    const CommInfo info = MakeInfo(KQ_SEND_UDP, window);
    int result = 1234;
    from.RunInside([&] {
      result = SendCommand(nullptr, nullptr, &info, kCommandDisplayData, payload.data(),
                           payload.size(), false, true);
    });
    return result;
  }

  emu::CardNetwork network_;
  const emu::NetworkNamespace& pc_ = network_.Computer();
  emu::Card card_[2];
  std::unique_ptr<emu::UdpCard> servers_[2];
};

TEST_F(UdpTransport, FirstInterfaceReachesItsCard) {
  const std::vector<std::uint8_t> payload = Payload(1025);
  EXPECT_EQ(Send(pc_, payload), 0);
  ASSERT_EQ(card_[0].Payloads().size(), 1u);
  EXPECT_EQ(card_[0].Payloads()[0], payload);
  EXPECT_TRUE(card_[0].Errors().empty());
  EXPECT_TRUE(card_[1].Frames().empty());
}

TEST_F(UdpTransport, FailureMidTransferStartsAgainOnTheNextInterface) {
  card_[0].ReactAt(2, {emu::Reaction::kSilence});
  RecordingWindow window;
  const std::vector<std::uint8_t> payload = Payload(1025);
  EXPECT_EQ(Send(pc_, payload, window.Handle()), 0);
  EXPECT_EQ(card_[0].Frames().size(), 3u);
  ASSERT_EQ(card_[1].Payloads().size(), 1u);
  EXPECT_EQ(card_[1].Payloads()[0], payload);
  EXPECT_TRUE(card_[1].Errors().empty());
  EXPECT_EQ(Progress(window), (std::vector<LPARAM>{33, 66, 33, 66, 100}));
}

TEST_F(UdpTransport, CardErrorOrInvalidReplyEndsTheCallAtOnce) {
  card_[0].ReactAt(0, {emu::Reaction::kAck, 0xDAA3});
  EXPECT_EQ(Send(pc_, Payload(600)), 0xDAA3);
  card_[0].ReactAt(0, {emu::Reaction::kGarbage});
  EXPECT_EQ(Send(pc_, Payload(600)), KQ_ERR_BAD_REPLY);
  card_[0].ReactAt(0, {emu::Reaction::kOversized});
  EXPECT_EQ(Send(pc_, Payload(600)), KQ_ERR_BAD_REPLY);
  EXPECT_TRUE(card_[1].Frames().empty());
}

TEST_F(UdpTransport, NoCardAnsweringGivesTheLastInterfacesCode) {
  card_[0].ReactAlways({emu::Reaction::kSilence});
  card_[1].ReactAlways({emu::Reaction::kSilence});
  EXPECT_EQ(Send(pc_, Payload(10)), KQ_ERR_NO_REPLY);
  EXPECT_EQ(card_[1].Frames().size(), 1u);
}

TEST_F(UdpTransport, ComputerWithoutInterfacesHasNoLocalAddress) {
  emu::NetworkNamespace alone;
  ASSERT_TRUE(alone.Shell("ip link set lo up"));
  EXPECT_EQ(Send(alone, Payload(10)), KQ_ERR_NO_LOCAL_ADDRESS);
}

}  // namespace
