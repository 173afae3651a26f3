// Program sets generated and sent end to end: over TCP, a serial line and USB files
// with the card decoding what arrived, and to several cards at once.

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <algorithm>
#include <memory>
#include <string>

#include "model/common/bounded_text.h"
#include "tests/sdk/generate/display_data_test_support.h"
#include "tests/sdk/jobs/job_messages.h"
#include "tests/support/card_emulator.h"

using namespace sdktest;

namespace {

constexpr int kCom = 62;
constexpr PageInfo kPage{1, 0, 2, 5};

// A full-colour 64 x 32 screen showing one picture: display data of two chunks.
ddtest::OwnedProgram PictureSet(const QImage& picture, const QString& name = "picture.png") {
  ddtest::OwnedProgram set(KQ_CreateProgram(64, 32, 3, 0));
  const AreaRect rect{0, 0, 64, 32};
  const QString path = ddtest::TestFile(name);
  EXPECT_TRUE(picture.save(path));
  EXPECT_EQ(KQ_AddProgram(set.get(), 1, 0, 1), KQ_OK);
  EXPECT_EQ(KQ_AddImageTextArea(set.get(), 1, 1, &rect, 1), KQ_OK);
  EXPECT_EQ(KQ_AddImageTextAreaDataFromFile(set.get(), 1, 1, ddtest::Utf16(path), &kPage), KQ_OK);
  return set;
}

std::vector<std::uint8_t> DisplayBytes(ProgramHandle handle) {
  DisplaySnapshot data;
  EXPECT_EQ(SnapshotDisplayData(handle, data), KQ_OK);
  return data ? *data : std::vector<std::uint8_t>{};
}

// The messages of a send of `bytes` bytes that ends with `result` after `acked`
// acknowledged chunks (all of them when -1).
std::string SendLog(std::size_t bytes, int result, int acked = -1) {
  const std::size_t chunks = (bytes + 511) / 512;
  std::string log = "S-1001 S-1000";
  const std::size_t shown = acked < 0 ? chunks : static_cast<std::size_t>(acked);
  for (std::size_t i = 1; i <= shown; ++i) log += " P" + std::to_string(100 * i / chunks);
  return log + " S" + std::to_string(result);
}

void ExpectShows(const std::vector<std::uint8_t>& received, const QImage& picture) {
  emu::DisplayData decoded;
  ASSERT_EQ(emu::DecodeDisplayData(received, decoded), "");
  ASSERT_EQ(decoded.programs.size(), 1u);
  ASSERT_EQ(decoded.programs[0].areas.size(), 1u);
  const emu::DisplayArea& area = decoded.programs[0].areas[0];
  ASSERT_EQ(area.frames.size(), 1u);
  ddtest::ExpectFrameShows(area.frames[0], area, picture, 3);
}

CommInfo Info(std::int32_t sendType, RecordingWindow& window, std::int32_t callerValue) {
  CommInfo info = MakeInfo(sendType, window.Handle());
  info.CallerValue = callerValue;
  info.ComPort = kCom;
  return info;
}

CommInfo Tcp(const emu::TcpCard& server, RecordingWindow& window, std::int32_t callerValue) {
  CommInfo info = Info(KQ_SEND_TCP, window, callerValue);
  CopyBoundedText(info.IpAddress, QString::fromStdString(server.Address()));
  return info;
}

TEST(ProgramSend, OneSetReachesTcpSerialAndUsbCardsAsTheSameDisplayData) {
  const QImage picture = ddtest::Pattern(64, 32);
  const ddtest::OwnedProgram set = PictureSet(picture);
  emu::Card tcpCard, serialCard;
  emu::TcpCard tcp(tcpCard);
  emu::SerialCard serial(serialCard, kCom);
  ASSERT_TRUE(tcp.Listening() && serial.Ready());
  QTemporaryDir disk;
  RecordingWindow window;
  CommInfo usb = Info(KQ_SEND_USB, window, 3);
  CopyBoundedText(usb.UsbRoot, disk.path());

  EXPECT_EQ(KQ_Send(&usb, set.get()), 0);
  const CommInfo network = Tcp(tcp, window, 1);
  EXPECT_EQ(KQ_Send(&network, set.get()), 0);
  const CommInfo line = Info(KQ_SEND_SERIAL, window, 2);
  EXPECT_EQ(KQ_Send(&line, set.get()), 0);

  const std::vector<std::uint8_t> expected = DisplayBytes(set.get());
  ASSERT_GT(expected.size(), 512u);
  EXPECT_EQ(CardLog(window, 1), SendLog(expected.size(), 0));
  EXPECT_EQ(CardLog(window, 2), SendLog(expected.size(), 0));
  EXPECT_EQ(CardLog(window, 3), "S-1001 S-1000 S0");
  for (const emu::Card* card : {&tcpCard, &serialCard}) {
    if (!card->Errors().empty()) ADD_FAILURE() << card->Errors().front();
    ASSERT_EQ(card->Payloads().size(), 1u);
    EXPECT_EQ(card->Payloads()[0], expected);
    EXPECT_EQ(card->Frames().back().command, 0xDA00);
    ExpectShows(card->Payloads()[0], picture);
  }
  for (const char* series : {"KQ-W", "KQ-P"}) {
    QFile file(disk.filePath(QString("marvane/") + series + "/kq_disp_dat.usb"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << series;
    const QByteArray bytes = file.readAll();
    ExpectShows({bytes.begin(), bytes.end()}, picture);
  }
}

TEST(ProgramSend, HandlesWithoutALiveSetAndFailedGenerationsSendNothing) {
  emu::Card card;
  emu::TcpCard server(card);
  ASSERT_TRUE(server.Listening());
  RecordingWindow window;
  const CommInfo info = Tcp(server, window, 5);
  ProgramHandle deleted = KQ_CreateProgram(64, 32, 1, 0);
  ASSERT_EQ(KQ_DeleteProgram(deleted), 1);
  for (ProgramHandle handle :
       {ProgramHandle{}, reinterpret_cast<ProgramHandle>(0xCCCCCCCCu), deleted}) {
    window.received.clear();
    EXPECT_EQ(KQ_Send(&info, handle), KQ_ERR_BAD_HANDLE);
    EXPECT_EQ(CardLog(window, 5), "S-1");
  }
  EXPECT_EQ(KQ_Send(nullptr, deleted), KQ_ERR_SEND_TYPE);

  const ddtest::OwnedProgram set = PictureSet(ddtest::Pattern(64, 32));
  ASSERT_TRUE(QFile::remove(ddtest::TestFile("picture.png")));
  window.received.clear();
  const int failed = KQ_Send(&info, set.get());
  EXPECT_LT(failed, 0);
  EXPECT_EQ(CardLog(window, 5), "S-1001 S" + std::to_string(failed));
  EXPECT_TRUE(card.Frames().empty());
}

TEST(ProgramSend, MultiSendServesFourTcpCardsAndASerialCardAtOnce) {
  constexpr int kTcpCards = 4;
  emu::Card cards[kTcpCards + 1];
  std::unique_ptr<emu::TcpCard> servers[kTcpCards];
  for (int i = 0; i < kTcpCards; ++i) {
    servers[i] = std::make_unique<emu::TcpCard>(cards[i]);
    ASSERT_TRUE(servers[i]->Listening());
  }
  emu::SerialCard serial(cards[kTcpCards], kCom);
  ASSERT_TRUE(serial.Ready());
  cards[2].ReactAt(1, {emu::Reaction::kAck, 0xDAA3});

  RecordingWindow window;
  std::vector<CommInfo> infos;
  std::vector<ddtest::OwnedProgram> sets;
  std::vector<QImage> pictures;
  for (int i = 0; i <= kTcpCards; ++i) {
    infos.push_back(i < kTcpCards ? Tcp(*servers[i], window, i) : Info(KQ_SEND_SERIAL, window, i));
    pictures.push_back(ddtest::Pattern(64, 32 + i).copy(0, i, 64, 32));  // each its own
    sets.push_back(PictureSet(pictures.back(), QString("picture%1.png").arg(i)));
  }
  infos.push_back(Info(KQ_SEND_UDP, window, 5));
  infos.push_back(Info(KQ_SEND_USB, window, 6));
  std::vector<ProgramHandle> handles;
  for (const auto& set : sets) handles.push_back(set.get());
  handles.push_back(sets[0].get());
  handles.push_back(sets[0].get());
  std::int32_t results[7];
  std::fill(std::begin(results), std::end(results), 99);

  EXPECT_EQ(KQ_MultiSend(infos.data(), handles.data(), results, 7), 0);
  for (int i = 0; i <= kTcpCards; ++i) {
    SCOPED_TRACE(i);
    const std::vector<std::uint8_t> expected = DisplayBytes(handles[i]);
    if (!cards[i].Errors().empty()) ADD_FAILURE() << cards[i].Errors().front();
    if (i == 2) {
      EXPECT_EQ(results[i], 0xDAA3);
      EXPECT_EQ(CardLog(window, i), SendLog(expected.size(), 0xDAA3, 1));
      continue;
    }
    EXPECT_EQ(results[i], 0);
    EXPECT_EQ(CardLog(window, i), SendLog(expected.size(), 0));
    ASSERT_EQ(cards[i].Payloads().size(), 1u);
    EXPECT_EQ(cards[i].Payloads()[0], expected);
    ExpectShows(cards[i].Payloads()[0], pictures[static_cast<std::size_t>(i)]);
  }
  EXPECT_EQ(results[5], KQ_ERR_NOT_SERVED);
  EXPECT_EQ(results[6], KQ_ERR_NOT_SERVED);
  EXPECT_EQ(CardLog(window, 5), "S-37");
  EXPECT_EQ(CardLog(window, 6), "S-37");
  EXPECT_EQ(KQ_MultiSend(infos.data(), nullptr, results, 7), KQ_ERR_MISSING_RECORD);
}

}  // namespace
