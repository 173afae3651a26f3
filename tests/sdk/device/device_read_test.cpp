// Reading a card's settings, the probe, and the communication settings with their
// refusals.

#include <cstring>

#include "model/common/bounded_text.h"
#include "sdk/device/settings_payload.h"
#include "tests/sdk/device/device_test_support.h"

using namespace sdktest;

namespace {

emu::CardState FullCard() {
  emu::CardState state;
  const std::uint8_t name[] = {'L', 'E', 'D', 0xD6, 0xD0, 0xCE, 0xC4};  // "LED中文" in GBK
  std::memcpy(state.name, name, sizeof name);
  state.baudCode = 2;
  state.serialByte1 = 5;
  state.serialByte2 = 6;
  state.width = 0x0140;
  state.height = 0x0120;
  state.colorType = 3;
  const std::uint8_t oeDa[4] = {1, 0, 16, 8};
  std::memcpy(state.oeDa, oeDa, 4);
  const std::uint8_t scan[8] = {11, 12, 13, 0x55, 0x55, 0x55, 16, 17};
  std::memcpy(state.scan, scan, 8);
  const std::uint8_t ip[4] = {192, 168, 1, 250}, subnet[4] = {255, 255, 255, 0},
                     gateway[4] = {192, 168, 1, 1}, mac[6] = {0x00, 0x1A, 0xB2, 0x0C, 0xFF, 0x09};
  std::memcpy(state.ip, ip, 4);
  std::memcpy(state.subnet, subnet, 4);
  std::memcpy(state.gateway, gateway, 4);
  std::memcpy(state.mac, mac, 6);
  state.netValue1 = 0x1234;
  state.netValue2 = 80;
  const std::uint8_t server[4] = {10, 0, 0, 7};
  std::memcpy(state.serverIp, server, 4);
  state.serverPort = 8080;
  state.serverByte6 = 66;
  state.serverByte8 = 88;
  state.serverByte9 = 99;
  return state;
}

class DeviceRead : public DeviceCardTest {
 protected:
  // The card answers reads with result `result` and the sections of the request,
  // the last `cut` bytes left off.
  void Answer(std::uint32_t result, std::size_t cut = 0) {
    card_.ReactAlways({emu::Reaction::kAck, result});
    card_.RespondWith([this, cut](std::uint16_t command, const std::vector<std::uint8_t>& payload) {
      std::uint16_t mask = 0;
      if (command != 0xA300 || emu::DecodeReadRequest(payload, mask) != "")
        return std::vector<std::uint8_t>{};
      std::vector<std::uint8_t> sections = emu::ReadReplySections(state_, mask);
      sections.resize(sections.size() > cut ? sections.size() - cut : 0);
      return sections;
    });
  }
  std::uint16_t RequestedMask() {
    std::uint16_t mask = 0;
    EXPECT_EQ(emu::DecodeReadRequest(LastPayload(0xA300, 8), mask), "");
    return mask;
  }

  emu::CardState state_ = FullCard();
};

LedSettingInfo Untouched(std::int32_t mask) {
  LedSettingInfo record;
  std::memset(&record, 0x5A, sizeof record);
  record.SectionMask = mask;
  return record;
}

TEST_F(DeviceRead, FullReplyFillsEveryRequestedSection) {
  Answer(1);
  LedSettingInfo record = Untouched(0x3BE);
  ASSERT_EQ(KQ_GetLedSettingInfo(&info_, &record), 0);
  EXPECT_EQ(RequestedMask(), 0x3BF);
  EXPECT_EQ(ReadBoundedText(record.CardName), QStringLiteral(u"LED中文"));
  EXPECT_EQ(record.BaudRate, 57600);
  EXPECT_EQ(record.SerialByte1, 5);
  EXPECT_EQ(record.SerialByte2, 6);
  EXPECT_EQ(record.Width, 320);
  EXPECT_EQ(record.Height, 288);
  EXPECT_EQ(record.ColorType, 3);
  EXPECT_EQ(record.OePolarity, 1);
  EXPECT_EQ(record.DaPolarity, 0);
  EXPECT_EQ(record.OeDaByte2, 16);
  EXPECT_EQ(record.OeDaByte3, 8);
  EXPECT_EQ(record.ScanByte0, 11);
  EXPECT_EQ(record.ScanByte1, 12);
  EXPECT_EQ(record.ScanByte2, 13);
  EXPECT_EQ(record.ScanReserved, 0x5A5A5A5A);
  EXPECT_EQ(record.ScanByte6, 16);
  EXPECT_EQ(record.ScanByte7, 17);
  EXPECT_EQ(ReadBoundedText(record.IpAddress), QStringLiteral("192.168.1.250"));
  EXPECT_EQ(ReadBoundedText(record.SubnetMask), QStringLiteral("255.255.255.0"));
  EXPECT_EQ(ReadBoundedText(record.Gateway), QStringLiteral("192.168.1.1"));
  EXPECT_EQ(ReadBoundedText(record.MacAddress), QStringLiteral("00-1A-B2-0C-FF-09"));
  EXPECT_EQ(record.NetValue1, 0x1234);
  EXPECT_EQ(record.NetValue2, 80);
  EXPECT_EQ(ReadBoundedText(record.ServerIp), QStringLiteral("10.0.0.7"));
  EXPECT_EQ(record.ServerPort, 8080);
  EXPECT_EQ(record.ServerByte6, 66);
  EXPECT_EQ(record.ServerByte8, 88);
  EXPECT_EQ(record.ServerByte9, 99);
  EXPECT_EQ(record.Brightness, 0x5A5A5A5A);
}

TEST_F(DeviceRead, AsksOnlyForSectionsOfKnownSize) {
  Answer(1);
  LedSettingInfo record = Untouched(0x8048);
  ASSERT_EQ(KQ_GetLedSettingInfo(&info_, &record), 0);
  EXPECT_EQ(RequestedMask(), 0x0009);
  EXPECT_EQ(record.Width, 320);
  EXPECT_EQ(record.Height, 288);
  EXPECT_EQ(record.ColorType, 3);
  const LedSettingInfo before = Untouched(0x8048);
  EXPECT_EQ(record.BaudRate, before.BaudRate);
  EXPECT_EQ(std::memcmp(record.CardName, before.CardName, sizeof record.CardName), 0);
  EXPECT_EQ(record.OePolarity, before.OePolarity);
}

TEST_F(DeviceRead, FailedReadsFillNothing) {
  struct Case {
    std::uint32_t result;
    std::size_t cut;
    int expected;
  };
  for (const Case& c : {Case{1, 1, KQ_ERR_BAD_REPLY}, Case{0, 0, KQ_ERR_BAD_REPLY},
                        Case{5, 0, 5}, Case{0xFFFFFFFA, 0, KQ_ERR_BAD_REPLY},
                        Case{0x80000000, 0, KQ_ERR_BAD_REPLY}}) {
    SCOPED_TRACE(c.result);
    Answer(c.result, c.cut);
    LedSettingInfo record = Untouched(0x0B);
    EXPECT_EQ(KQ_GetLedSettingInfo(&info_, &record), c.expected);
    const LedSettingInfo before = Untouched(0x0B);
    EXPECT_EQ(std::memcmp(&record, &before, sizeof record), 0);
  }
}

TEST(ReadReplyWalk, RefusesAReplyShorterThanItsHead) {
  // Exactly as long as given, so a read of the 20-byte head would be caught.
  const std::vector<std::uint8_t> reply = {0x55, 0xAA, 0x00, 0x00, 0x01};
  LedSettingInfo record{};
  EXPECT_FALSE(FillFromReadReply(reply.data(), reply.size(), 0x009, record));
  EXPECT_EQ(record.Width, 0);
}

TEST_F(DeviceRead, UnknownBaudCodeReadsAs9600AndProbeSendsMaskOne) {
  state_.baudCode = 9;
  Answer(1);
  LedSettingInfo record{};
  record.SectionMask = 0x004;
  ASSERT_EQ(KQ_GetLedSettingInfo(&info_, &record), 0);
  EXPECT_EQ(record.BaudRate, 9600);
  EXPECT_EQ(KQ_TestOnline(&info_), 0);
  EXPECT_EQ(RequestedMask(), 0x0001);
}

TEST(DeviceReadWithoutLink, UsbAndNoLinkCannotBeRead) {
  for (int type : {KQ_SEND_USB, KQ_SEND_NONE}) {
    const CommInfo info = MakeInfo(type);
    LedSettingInfo record{};
    record.SectionMask = 0x008;
    EXPECT_EQ(KQ_GetLedSettingInfo(&info, &record), KQ_ERR_SEND_TYPE);
    EXPECT_EQ(record.Width, 0);
  }
  const CommInfo none = MakeInfo(KQ_SEND_NONE);
  EXPECT_EQ(KQ_TestOnline(&none), 0);
  EXPECT_EQ(KQ_GetLedSettingInfo(&none, nullptr), KQ_ERR_MISSING_RECORD);
}

TEST(CardName, ConvertsWithinSixteenBytesWithoutSplittingACharacter) {
  const std::uint8_t full[16] = {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H',
                                 'I', 'J', 'K', 'L', 'M', 'N', 'O', 'P'};
  LedSettingInfo record{};
  CopyBoundedText(record.CardName, DecodeCardName(full, 16));
  EXPECT_EQ(ReadBoundedText(record.CardName), QStringLiteral("ABCDEFGHIJKLMNO"));
  std::uint8_t cut[16];
  std::memcpy(cut, full, 15);
  cut[15] = 0xD6;  // first byte of a double-byte character
  EXPECT_EQ(DecodeCardName(cut, 16), QStringLiteral("ABCDEFGHIJKLMNO"));
  std::memcpy(cut + 14, "\xD6\xD0", 2);  // a whole double-byte character at the end
  EXPECT_EQ(DecodeCardName(cut, 16), QStringLiteral(u"ABCDEFGHIJKLMN中"));
  const std::uint8_t invalid[4] = {'X', 0xFF, 'Y', 0};
  EXPECT_EQ(DecodeCardName(invalid, 4), QStringLiteral(u"X\uFFFDY"));
}

LedSettingInfo NetworkRecord() {
  LedSettingInfo record{};
  record.SectionMask = 0xFF0F;
  CopyBoundedText(record.IpAddress, u"192.168.1.250");
  CopyBoundedText(record.Gateway, u"192.168.1.1");
  CopyBoundedText(record.SubnetMask, u"255.255.255.0");
  CopyBoundedText(record.MacAddress, u"00-1a-B2-c-FF-09");
  CopyBoundedText(record.NewIpAddress, u"10.0.0.20");
  CopyBoundedText(record.NewGateway, u"10.0.0.1");
  CopyBoundedText(record.NewSubnetMask, u"255.0.0.0");
  CopyBoundedText(record.NewMacAddress, u"02-00-00-00-00-01");
  record.NetValue1 = 0x0102;
  record.NetValue2 = 7;
  CopyBoundedText(record.ServerIp, u"10.1.2.3");
  record.ServerPort = 9000;
  record.ServerByte6 = 6;
  record.ServerByte8 = 8;
  record.ServerByte9 = 9;
  record.BaudRate = 57600;
  record.SerialByte1 = 3;
  record.SerialByte2 = 4;
  return record;
}

using DeviceCommunication = DeviceCardTest;

TEST_F(DeviceCommunication, SendsEverySectionInItsOrder) {
  const LedSettingInfo record = NetworkRecord();
  ASSERT_EQ(KQ_SetLedCommunicationInfo(&info_, &record), 0);
  emu::CommunicationCommand sent;
  ASSERT_EQ(emu::DecodeCommunicationCommand(LastPayload(0xCA00, 62), sent), "");
  EXPECT_EQ(sent.mask, 0x0F);
  EXPECT_EQ(sent.ip, "192.168.1.250");
  EXPECT_EQ(sent.gateway, "192.168.1.1");
  EXPECT_EQ(sent.subnet, "255.255.255.0");
  EXPECT_EQ(sent.mac, "00-1A-B2-0C-FF-09");
  EXPECT_EQ(sent.newIp, "10.0.0.20");
  EXPECT_EQ(sent.newGateway, "10.0.0.1");
  EXPECT_EQ(sent.newSubnet, "255.0.0.0");
  EXPECT_EQ(sent.newMac, "02-00-00-00-00-01");
  EXPECT_EQ(sent.netValue1, 0x0102);
  EXPECT_EQ(sent.netValue2, 7);
  EXPECT_EQ(sent.serverIp, "10.1.2.3");
  EXPECT_EQ(sent.serverPort, 9000);
  EXPECT_EQ(sent.serverByte6, 6);
  EXPECT_EQ(sent.serverByte8, 8);
  EXPECT_EQ(sent.serverByte9, 9);
  EXPECT_EQ(sent.baudCode, 2);
  EXPECT_EQ(sent.serialByte1, 3);
  EXPECT_EQ(sent.serialByte2, 4);
}

TEST_F(DeviceCommunication, RefusesBadAddressesAndBaudRatesBeforeSending) {
  const struct {
    std::int32_t mask;
    const char16_t* ip;
    const char16_t* mac;
    const char16_t* server;
    std::int32_t baud;
    int expected;
  } cases[] = {
      {0x01, u"192.168.1.250", u"00-1A-B2-0C-FF", u"", 9600, KQ_ERR_ADDRESS_TEXT},
      {0x01, u"192.168.1.300", u"00-1A-B2-0C-FF-09", u"", 9600, KQ_ERR_ADDRESS_TEXT},
      {0x01, u"192.168.1.", u"00-1A-B2-0C-FF-09", u"", 9600, KQ_ERR_ADDRESS_TEXT},
      {0x01, u"192.168.a.1", u"00-1A-B2-0C-FF-09", u"", 9600, KQ_ERR_ADDRESS_TEXT},
      {0x01, u"192.168.1.250", u"00-1A-B2-0C-FF-G9", u"", 9600, KQ_ERR_ADDRESS_TEXT},
      {0x01, u"192.168.1.250", u"00-1A-B2-0C-0FF-9", u"", 9600, KQ_ERR_ADDRESS_TEXT},
      {0x04, u"", u"", u"10.1.2", 9600, KQ_ERR_ADDRESS_TEXT},
      {0x08, u"", u"", u"", 14400, KQ_ERR_BAUD_RATE},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(QString::fromUtf16(c.ip).toStdString() + " " +
                 QString::fromUtf16(c.mac).toStdString());
    LedSettingInfo record = NetworkRecord();
    record.SectionMask = c.mask;
    CopyBoundedText(record.IpAddress, QStringView(c.ip));
    CopyBoundedText(record.MacAddress, QStringView(c.mac));
    CopyBoundedText(record.ServerIp, QStringView(c.server));
    record.BaudRate = c.baud;
    EXPECT_EQ(KQ_SetLedCommunicationInfo(&info_, &record), c.expected);
  }
  EXPECT_TRUE(card_.Frames().empty());
}

}  // namespace
