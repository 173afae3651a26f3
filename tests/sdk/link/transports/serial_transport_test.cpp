// Commands over a serial line, with a pseudo-terminal as the card's end.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cstdlib>
#include <limits>

#include "sdk/link/send_command.h"
#include "sdk/link/transports/serial_port.h"
#include "sdk/link/transport_settings.h"
#include "tests/sdk/sdk_test_support.h"
#include "tests/support/card_emulator.h"

using namespace sdktest;

namespace {

constexpr int kCom = 57;

class SerialTransport : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(line_.Ready()); }

  int Send(const std::vector<std::uint8_t>& payload, int baud = 115200) {
    CommInfo info = MakeInfo(KQ_SEND_SERIAL);
    info.ComPort = kCom;
    info.BaudRate = baud;
    return SendCommand(nullptr, nullptr, &info, kCommandDisplayData, payload.data(),
                       payload.size(), false, true);
  }

  emu::Card card_;
  emu::SerialCard line_{card_, kCom};
};

TEST_F(SerialTransport, PayloadArrivesUnchangedOnARawLine) {
  const std::vector<std::uint8_t> payload = Payload(1025);
  EXPECT_EQ(Send(payload), 0);
  EXPECT_TRUE(card_.Errors().empty()) << card_.Errors().front();
  ASSERT_EQ(card_.Payloads().size(), 1u);
  EXPECT_EQ(card_.Payloads()[0], payload);
  EXPECT_EQ(card_.Frames().size(), 3u);
  EXPECT_TRUE(line_.LineIsRaw8N1());
  EXPECT_EQ(line_.LineSpeed(), static_cast<unsigned>(B115200));
}

TEST_F(SerialTransport, UnlistedBaudRateOpensAt9600) {
  EXPECT_EQ(Send(Payload(3), 14400), 0);
  EXPECT_EQ(line_.LineSpeed(), static_cast<unsigned>(B9600));
  EXPECT_EQ(SerialOpenRate(28800), 9600);
  EXPECT_EQ(SerialOpenRate(1200), 1200);
}

TEST_F(SerialTransport, CardErrorAndInvalidRepliesEndTheTransfer) {
  card_.ReactAt(1, {emu::Reaction::kAck, 0xDAA3});
  EXPECT_EQ(Send(Payload(1600)), 0xDAA3);
  EXPECT_EQ(card_.Frames().size(), 2u);
  card_.ReactAt(1, {emu::Reaction::kOversized, 0});
  EXPECT_EQ(Send(Payload(1600)), KQ_ERR_BAD_REPLY);
  card_.ReactAt(1, {emu::Reaction::kGarbage, 0});
  EXPECT_EQ(Send(Payload(1600)), KQ_ERR_BAD_REPLY);
}

TEST_F(SerialTransport, ReplyInPiecesWithinTheStageSucceeds) {
  card_.ReactAlways({emu::Reaction::kSplit, 1, 40});
  EXPECT_EQ(Send(Payload(600)), 0);
}

TEST_F(SerialTransport, MissingOrShortReplyTimesOut) {
  TransportSettings quick;
  quick.serialStageMs = 120;
  ScopedTransportSettings scope(quick);
  card_.ReactAt(0, {emu::Reaction::kSilence});
  EXPECT_EQ(Send(Payload(10)), KQ_ERR_SERIAL_NO_REPLY);
  card_.ReactAt(0, {emu::Reaction::kShort});  // 24 bytes never make a head of 28
  EXPECT_EQ(Send(Payload(10)), KQ_ERR_SERIAL_NO_REPLY);
}

TEST_F(SerialTransport, BytesQueuedBeforeTheFrameAreDropped) {
  line_.Inject({0x55, 0xAA, 0x00, 0x00, 0x01, 0x02, 0x03});
  EXPECT_EQ(Send(Payload(100)), 0);
}

TEST_F(SerialTransport, PortHeldByAnotherOpenerIsBusy) {
  CCommport holder;
  ASSERT_EQ(holder.Open(9600, kCom), 0);
  EXPECT_EQ(Send(Payload(10)), KQ_ERR_SERIAL_OPEN);
  holder.Close();
  EXPECT_EQ(Send(Payload(10)), 0);
}

TEST(SerialOpen, PortNumbersWithoutADeviceAreRefused) {
  for (int port : {std::numeric_limits<int>::min(), -1, 0, 301, std::numeric_limits<int>::max()}) {
    SCOPED_TRACE(port);
    CommInfo info = MakeInfo(KQ_SEND_SERIAL);
    info.ComPort = port;
    const std::vector<std::uint8_t> payload = Payload(10);
    EXPECT_EQ(SendCommand(nullptr, nullptr, &info, kCommandSettings, payload.data(),
                          payload.size(), false, false),
              KQ_ERR_SERIAL_OPEN);
  }
}

TEST(SerialOpen, OnlyAnExistingTerminalOpens) {
  QTemporaryDir folder;
  const QByteArray missing = folder.filePath("ttyMissing").toLocal8Bit();
  const QByteArray plain = folder.filePath("plain").toLocal8Bit();
  ::close(::open(plain.constData(), O_CREAT | O_WRONLY, 0600));
  CCommport port;
  ::setenv("CORVANIX_COM58", missing.constData(), 1);
  EXPECT_EQ(port.Open(9600, 58), KQ_ERR_SERIAL_OPEN);
  EXPECT_NE(::access(missing.constData(), F_OK), 0);  // never created
  ::setenv("CORVANIX_COM58", plain.constData(), 1);
  EXPECT_EQ(port.Open(9600, 58), KQ_ERR_SERIAL_OPEN);
  ::unsetenv("CORVANIX_COM58");
}

}  // namespace
