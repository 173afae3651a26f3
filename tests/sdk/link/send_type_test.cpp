// SendCommand's choice of transport, and the no-link send type.

#include <gtest/gtest.h>

#include "sdk/api/return_codes.h"
#include "sdk/link/send_command.h"
#include "tests/sdk/sdk_test_support.h"
#include "tests/support/card_emulator.h"

using namespace sdktest;

TEST(SendType, NoLinkSucceedsWithoutAnyIo) {
  emu::Card card;
  emu::TcpCard server(card);
  CommInfo info = TcpInfo(server.Address());
  info.SendType = KQ_SEND_NONE;
  const std::vector<std::uint8_t> payload = Payload(2000);
  EXPECT_EQ(SendCommand(nullptr, nullptr, &info, kCommandDisplayData, payload.data(),
                        payload.size(), false, true),
            0);
  EXPECT_TRUE(card.Frames().empty());
}

TEST(SendType, UnknownTypesAndMissingRecordAreRefused) {
  const std::uint8_t byte = 0;
  for (std::int32_t type : {5, -1, 1000}) {
    const CommInfo info = MakeInfo(type);
    EXPECT_EQ(SendCommand(nullptr, nullptr, &info, kCommandSettings, &byte, 1, false, true),
              KQ_ERR_SEND_TYPE)
        << type;
  }
  EXPECT_EQ(SendCommand(nullptr, nullptr, nullptr, kCommandSettings, &byte, 1, false, true),
            KQ_ERR_SEND_TYPE);
}

TEST(ReturnCodes, EveryCodeHasItsOwnText) {
  EXPECT_STREQ(ReturnCodeText(KQ_ERR_CONNECT), "TCP connection not made");
  EXPECT_STRNE(ReturnCodeText(KQ_ERR_SERIAL_OPEN), ReturnCodeText(KQ_ERR_SERIAL_STATE));
  EXPECT_STREQ(ReturnCodeText(0xDAA3), "error reported by the card");
}
