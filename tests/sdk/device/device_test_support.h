#pragma once
// A card over TCP for the device-call tests, with the last payload it received.

#include <gtest/gtest.h>

#include "tests/sdk/sdk_test_support.h"
#include "tests/support/card_emulator.h"
#include "tests/support/card_settings_codec.h"

namespace sdktest {

class DeviceCardTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(server_.Listening());
    info_ = TcpInfo(server_.Address());
  }

  // The one payload of command the card received last, checked for length.
  std::vector<std::uint8_t> LastPayload(std::uint16_t command, std::size_t bytes) {
    EXPECT_TRUE(card_.Errors().empty()) << card_.Errors().front();
    const auto payloads = card_.Payloads();
    if (payloads.empty()) {
      ADD_FAILURE() << "no payload received";
      return {};
    }
    EXPECT_EQ(card_.Frames().back().command, command);
    EXPECT_EQ(payloads.back().size(), bytes);
    return payloads.back();
  }

  emu::SettingsCommand LastSettings(std::size_t bytes) {
    emu::SettingsCommand decoded;
    EXPECT_EQ(emu::DecodeSettingsCommand(LastPayload(0xC100, bytes), decoded), "");
    return decoded;
  }

  emu::Card card_;
  emu::TcpCard server_{card_};
  CommInfo info_{};
};

}  // namespace sdktest
