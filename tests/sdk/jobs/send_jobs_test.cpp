// Firmware and settings sent to several cards at once: each card's messages in
// order, refused cards, unreadable firmware, card errors that stop only their card.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <memory>
#include <string>

#include "model/common/bounded_text.h"
#include "tests/sdk/jobs/job_messages.h"
#include "tests/support/card_emulator.h"
#include "tests/support/card_settings_codec.h"
#include "tests/support/fifo_watchdog.h"

using namespace sdktest;

namespace {

constexpr int kCom = 61;

std::vector<std::uint8_t> Bytes(const QByteArray& data) { return {data.begin(), data.end()}; }

class MultiCard : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(tcpServers_[0].Listening() && tcpServers_[1].Listening());
    ASSERT_TRUE(serialLine_.Ready());
    ASSERT_TRUE(folder_.isValid() && QDir(folder_.path()).mkdir("disk"));
  }

  // Card i of the call: its own caller value, messages to the window.
  CommInfo Info(std::int32_t sendType, std::int32_t callerValue) {
    CommInfo info = MakeInfo(sendType, window_.Handle());
    info.CallerValue = callerValue;
    return info;
  }
  CommInfo Tcp(int server, std::int32_t callerValue) {
    CommInfo info = Info(KQ_SEND_TCP, callerValue);
    CopyBoundedText(info.IpAddress, QString::fromStdString(tcpServers_[server].Address()));
    return info;
  }
  CommInfo Serial(std::int32_t callerValue) {
    CommInfo info = Info(KQ_SEND_SERIAL, callerValue);
    info.ComPort = kCom;
    return info;
  }
  CommInfo Usb(std::int32_t callerValue) {
    CommInfo info = Info(KQ_SEND_USB, callerValue);
    CopyBoundedText(info.UsbRoot, folder_.filePath("disk"));
    return info;
  }

  std::u16string WriteFile(const QString& name, const QByteArray& bytes) {
    QFile file(folder_.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return folder_.filePath(name).toStdU16String();
  }

  QByteArray UsbFile(const QString& relative) {
    QFile file(folder_.filePath("disk/marvane/" + relative));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
  }

  void ExpectNoCardErrors() {
    for (const emu::Card* card : {&tcpCards_[0], &tcpCards_[1], &serialCard_}) {
      if (!card->Errors().empty()) ADD_FAILURE() << card->Errors().front();
    }
  }

  RecordingWindow window_;
  emu::Card tcpCards_[2];
  emu::TcpCard tcpServers_[2] = {emu::TcpCard(tcpCards_[0]), emu::TcpCard(tcpCards_[1])};
  emu::Card serialCard_;
  emu::SerialCard serialLine_{serialCard_, kCom};
  QTemporaryDir folder_;
};

TEST_F(MultiCard, FirmwareReachesThreeCardsAndACardErrorStopsOnlyItsCard) {
  const QByteArray firmware = QByteArray("P32\0    ", 8) + QByteArray(1100, '\x11');
  const std::u16string path = WriteFile("card.cpu", firmware);
  tcpCards_[1].ReactAt(1, {emu::Reaction::kAck, 0xD5B0});
  const CommInfo infos[3] = {Tcp(0, 10), Tcp(1, 11), Serial(12)};
  std::int32_t results[3] = {99, 99, 99};

  EXPECT_EQ(KQ_MultiUpdateCPU(infos, path.c_str(), results, 3, 1), 0);
  EXPECT_EQ(results[0], 0);
  EXPECT_EQ(results[1], 0xD5B0);
  EXPECT_EQ(results[2], 0);
  EXPECT_EQ(CardLog(window_, 10), "S-1000 P33 P66 P100 S0");
  EXPECT_EQ(CardLog(window_, 11), "S-1000 P33 S54704");
  EXPECT_EQ(CardLog(window_, 12), "S-1000 P33 P66 P100 S0");
  for (const emu::Card* card : {&tcpCards_[0], &serialCard_}) {
    ASSERT_EQ(card->Payloads().size(), 1u);
    EXPECT_EQ(card->Payloads()[0], Bytes(firmware));
    EXPECT_EQ(card->Frames().back().command, 0xD500);
  }
  EXPECT_EQ(tcpCards_[1].Frames().size(), 2u) << "frames after the card's error";
  ExpectNoCardErrors();
}

TEST_F(MultiCard, FirmwareThatCannotBeSentWholeFailsEveryCardWithoutAnyWorker) {
  QFile big(folder_.filePath("big.cpu"));
  ASSERT_TRUE(big.open(QIODevice::WriteOnly) && big.resize((qint64{64} << 20) + 1));
  big.close();
  ASSERT_TRUE(QDir(folder_.path()).mkdir("folder.cpu"));
  const QString fifo = folder_.filePath("fifo.cpu");
  ASSERT_TRUE(fifotest::MakeFifo(fifo));
  const std::u16string cases[] = {
      folder_.filePath("missing.cpu").toStdU16String(), WriteFile("empty.cpu", {}),
      // A model name with something after its end: no firmware a card may take.
      WriteFile("nomodel.cpu", QByteArray("W6\0X\0\0\0\0", 8) + QByteArray(100, 'f')),
      folder_.filePath("big.cpu").toStdU16String(), folder_.filePath("folder.cpu").toStdU16String(),
      fifo.toStdU16String()};
  const CommInfo infos[3] = {Tcp(0, 20), Info(KQ_SEND_UDP, 21), Usb(22)};
  for (const std::u16string& path : cases) {
    SCOPED_TRACE(QString::fromStdU16String(path).toStdString());
    window_.received.clear();
    std::int32_t results[3] = {99, 99, 99};
    const auto update = [&] { return KQ_MultiUpdateCPU(infos, path.c_str(), results, 3, 1); };
    EXPECT_EQ(fifotest::ReturnsPromptly(fifo, update), 0);
    for (int card = 0; card < 3; ++card) {
      EXPECT_EQ(results[card], KQ_ERR_FILE);
      EXPECT_EQ(CardLog(window_, 20 + card), "S-12");
    }
  }
  std::int32_t results[3] = {99, 99, 99};
  EXPECT_EQ(KQ_MultiUpdateCPU(infos, nullptr, results, 3, 0), 0);
  EXPECT_EQ(results[2], KQ_ERR_FILE);
  EXPECT_TRUE(tcpCards_[0].Frames().empty());
  EXPECT_FALSE(QDir(folder_.filePath("disk/marvane")).exists());
}

TEST_F(MultiCard, CardsOfOtherSendTypesAreRefusedAtOnce) {
  LedAllSettingInfo settings{};
  settings.SectionMask = 0x801;
  settings.Width = 320;
  settings.Height = 96;
  settings.ColorType = 3;
  settings.LogoFlagA = 7;
  const CommInfo infos[4] = {Info(KQ_SEND_UDP, 30), Usb(31), Info(KQ_SEND_NONE, 32), Tcp(0, 33)};
  std::int32_t results[4] = {99, 99, 99, 99};

  EXPECT_EQ(KQ_SetLedAllSettingInfo(infos, &settings, results, 4, 1), 0);
  EXPECT_EQ(results[0], KQ_ERR_NOT_SERVED);
  EXPECT_EQ(results[1], KQ_ERR_NOT_SERVED);
  EXPECT_EQ(results[2], KQ_ERR_NOT_SERVED);
  EXPECT_EQ(results[3], 0);
  for (int card = 30; card < 33; ++card) EXPECT_EQ(CardLog(window_, card), "S-37");
  EXPECT_EQ(CardLog(window_, 33), "S-1000 P100 S0");
  // Posted before the served card's worker could post anything.
  EXPECT_LT(FirstMessageAt(window_, 32), FirstMessageAt(window_, 33));
  EXPECT_FALSE(QDir(folder_.filePath("disk/marvane")).exists());

  emu::SettingsCommand sent;
  ASSERT_EQ(tcpCards_[0].Payloads().size(), 1u);
  ASSERT_EQ(emu::DecodeSettingsCommand(tcpCards_[0].Payloads()[0], sent), "");
  EXPECT_EQ(sent.mask, 0x801);
  EXPECT_EQ(sent.width, 320);
  EXPECT_EQ(sent.height, 96);
  EXPECT_EQ(sent.colorType, 3);
  EXPECT_EQ(sent.logo[0], 1);
  ExpectNoCardErrors();
}

TEST_F(MultiCard, EverySendTypeIsServedWithoutRestrictionAndNoResultArrayIsNeeded) {
  LedAllSettingInfo settings{};
  settings.SectionMask = 0x020;
  settings.PowerValue = 1;
  const CommInfo infos[3] = {Usb(40), Info(KQ_SEND_NONE, 41), Serial(42)};

  EXPECT_EQ(KQ_SetLedAllSettingInfo(infos, &settings, nullptr, 3, 0), 0);
  EXPECT_EQ(CardLog(window_, 40), "S-1000 S0");
  EXPECT_EQ(CardLog(window_, 41), "S-1000 S0");
  EXPECT_EQ(CardLog(window_, 42), "S-1000 P100 S0");
  ASSERT_EQ(serialCard_.Payloads().size(), 1u);
  const QByteArray sent(reinterpret_cast<const char*>(serialCard_.Payloads()[0].data()),
                        static_cast<qsizetype>(serialCard_.Payloads()[0].size()));
  EXPECT_EQ(UsbFile("KQ-W/kq_disp_cfg.usb"), sent);
  EXPECT_EQ(UsbFile("KQ-P/kq_disp_cfg.usb"), sent);

  const char16_t* unused = u"/nonexistent";
  EXPECT_EQ(KQ_MultiUpdateCPU(nullptr, unused, nullptr, 2, 0), KQ_ERR_SEND_TYPE);
  EXPECT_EQ(KQ_SetLedAllSettingInfo(infos, nullptr, nullptr, 3, 0), KQ_ERR_MISSING_RECORD);
  window_.received.clear();
  EXPECT_EQ(KQ_SetLedAllSettingInfo(infos, &settings, nullptr, 0, 0), 0);
  EXPECT_EQ(CardLog(window_, 40), "");
  ExpectNoCardErrors();
}

}  // namespace
