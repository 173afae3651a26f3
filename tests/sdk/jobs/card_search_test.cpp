// Card search inside network namespaces made for the test: the computer has two
// interfaces, each leading to one answering card.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <list>
#include <memory>

#include "model/common/bounded_text.h"
#include "sdk/link/transport_settings.h"
#include "tests/sdk/sdk_test_support.h"
#include "tests/support/card_network.h"
#include "tests/support/search_card.h"

using namespace sdktest;

namespace {

emu::CardState NamedCard(const char* name, std::uint8_t lastIpByte) {
  emu::CardState state;
  std::memcpy(state.name, name, std::strlen(name));
  state.baudCode = 1;
  state.width = 192;
  state.height = 64;
  state.colorType = 2;
  const std::uint8_t ip[4] = {10, 201, 9, lastIpByte}, mac[6] = {2, 0, 0, 0, 0, lastIpByte};
  std::memcpy(state.ip, ip, 4);
  std::memcpy(state.mac, mac, 6);
  state.serverPort = 7000 + lastIpByte;
  return state;
}

std::vector<std::uint8_t> Junk(std::size_t bytes) {
  std::vector<std::uint8_t> junk = emu::SearchReply(NamedCard("JUNK", 99));
  junk.resize(bytes);
  return junk;
}

class CardSearch : public testing::Test {
 protected:
  void SetUp() override {
    if (const std::string why = network_.Unavailable(); !why.empty()) GTEST_SKIP() << why;
    ASSERT_TRUE(network_.Build()) << "ip could not build the test network";
    settings_.searchQuietMs = 300;
  }

  // Card i answers every search with these datagrams.
  void Answer(int card, std::vector<emu::SearchAnswer> answers) {
    const int fd = network_.OpenCardSocket(card);
    ASSERT_GE(fd, 0);
    cards_[card] = std::make_unique<emu::SearchCard>(fd, std::move(answers));
  }

  int Search(std::list<LedSettingInfo>& list) {
    ScopedTransportSettings scope(settings_);
    int result = 1234;
    network_.Computer().RunInside([&] { result = KQ_SearchLedToList(&list); });
    for (const auto& card : cards_) {
      if (card && !card->Errors().empty()) ADD_FAILURE() << card->Errors().front();
    }
    return result;
  }

  int SearchInto(LedSettingInfo* records, std::int32_t* count) {
    ScopedTransportSettings scope(settings_);
    int result = 1234;
    network_.Computer().RunInside([&] { result = KQ_SearchLed(records, count); });
    return result;
  }

  emu::CardNetwork network_;
  TransportSettings settings_;
  std::unique_ptr<emu::SearchCard> cards_[emu::CardNetwork::kCards];
};

QString Name(const LedSettingInfo& record) { return ReadBoundedText(record.CardName); }

TEST_F(CardSearch, ValidRepliesOfBothInterfacesAreAppendedInArrivalOrder) {
  const std::vector<std::uint8_t> first = emu::SearchReply(NamedCard("FIRST", 11));
  std::vector<std::uint8_t> truncated = emu::SearchReply(NamedCard("CUT", 12));
  truncated.resize(24 + 16 + 4 + 7);  // name, serial and basic sections only
  std::vector<std::uint8_t> badMagic = emu::SearchReply(NamedCard("MAGIC", 13));
  badMagic[1] = 0xAB;
  Answer(0, {{first}, {Junk(20)}, {truncated}, {badMagic}});
  Answer(1, {{emu::SearchReply(NamedCard("BROADCAST", 14), 0), true}});

  std::list<LedSettingInfo> list(1);
  CopyBoundedText(list.front().CardName, u"KEPT");
  ASSERT_EQ(Search(list), 0);
  ASSERT_EQ(list.size(), 4u);
  auto record = list.begin();
  EXPECT_EQ(Name(*record), "KEPT");

  // Every section, parsed as a read reply is (checked in detail there).
  const LedSettingInfo& full = *++record;
  EXPECT_EQ(Name(full), "FIRST");
  EXPECT_EQ(full.Width, 192);
  EXPECT_EQ(ReadBoundedText(full.MacAddress), "02-00-00-00-00-0B");
  EXPECT_EQ(full.ServerPort, 7011);

  // Only the sections that arrived; nothing of the reply before it.
  const LedSettingInfo& cut = *++record;
  EXPECT_EQ(Name(cut), "CUT");
  EXPECT_EQ(cut.BaudRate, 115200);
  EXPECT_EQ(cut.Width, 192);
  EXPECT_EQ(cut.ColorType, 2);
  EXPECT_EQ(ReadBoundedText(cut.IpAddress), "");
  EXPECT_EQ(ReadBoundedText(cut.MacAddress), "");
  EXPECT_EQ(cut.ServerPort, 0);

  // Answered by broadcast only, with result 0: listed all the same.
  const LedSettingInfo& broadcast = *++record;
  EXPECT_EQ(Name(broadcast), "BROADCAST");
  EXPECT_EQ(ReadBoundedText(broadcast.IpAddress), "10.201.9.14");
  EXPECT_EQ(cards_[0]->Searches(), 1);
  EXPECT_EQ(cards_[1]->Searches(), 1);
}

// Notes the list's length at every timer tick.
class ListWatcher : public RecordingWindow {
 public:
  explicit ListWatcher(const std::list<LedSettingInfo>& list) : list_(list) {}
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == WM_TIMER) lengths.push_back(list_.size());
    return RecordingWindow::WindowProc(msg, wParam, lParam);
  }
  std::vector<std::size_t> lengths;

 private:
  const std::list<LedSettingInfo>& list_;
};

TEST_F(CardSearch, CallersTimerSeesTheListGrowDuringTheSearch) {
  Answer(0, {{emu::SearchReply(NamedCard("A", 1)), false, 2}});
  Answer(1, {{emu::SearchReply(NamedCard("B", 2))}});
  std::list<LedSettingInfo> list;
  ListWatcher window(list);
  ASSERT_TRUE(SetTimer(window.Handle(), 1, 20));
  ASSERT_EQ(Search(list), 0);
  EXPECT_TRUE(KillTimer(window.Handle(), 1));
  EXPECT_EQ(list.size(), 3u);
  // While the second interface waited for its replies, the first one's were listed.
  EXPECT_NE(std::find(window.lengths.begin(), window.lengths.end(), 2u), window.lengths.end());
  EXPECT_TRUE(std::is_sorted(window.lengths.begin(), window.lengths.end()));
}

TEST_F(CardSearch, StopsAtTheReplyCapAndAfterItsTimeEvenWhileRepliesKeepComing) {
  settings_.searchMaxReplies = 5;
  Answer(0, {{emu::SearchReply(NamedCard("FLOOD", 1)), false, 40, 2}});
  Answer(1, {{emu::SearchReply(NamedCard("SECOND", 2))}});
  std::list<LedSettingInfo> list;
  ASSERT_EQ(Search(list), 0);
  EXPECT_EQ(list.size(), 5u);
  EXPECT_EQ(cards_[1]->Searches(), 0) << "the search went on after its cap";

  // A reply every few milliseconds for far longer than the search may last.
  settings_.searchMaxReplies = 100000;
  settings_.searchLimitMs = 200;
  cards_[0].reset();
  Answer(0, {{emu::SearchReply(NamedCard("FLOOD", 1)), false, 20000, 3}});
  list.clear();
  ASSERT_EQ(Search(list), 0);
  EXPECT_TRUE(cards_[0]->Answering()) << "the search waited for the flood to end";
  EXPECT_GT(list.size(), 0u);
}

TEST_F(CardSearch, SearchLedWritesNoMoreThanTheCapacity) {
  Answer(0, {{emu::SearchReply(NamedCard("A", 1))}, {emu::SearchReply(NamedCard("B", 2))}});
  Answer(1, {{emu::SearchReply(NamedCard("C", 3))}});
  LedSettingInfo records[3];
  std::memset(records, 0x5A, sizeof records);
  std::int32_t count = 2;
  ASSERT_EQ(SearchInto(records, &count), 0);
  ASSERT_EQ(count, 2);
  EXPECT_EQ(Name(records[0]), "A");
  EXPECT_EQ(Name(records[1]), "B");
  EXPECT_EQ(records[2].Width, 0x5A5A5A5A);
}

TEST_F(CardSearch, SearchLedWithoutACapacityWritesAtMost256) {
  Answer(0, {{emu::SearchReply(NamedCard("MANY", 1)), false, 300, 1}});
  auto records = std::make_unique<LedSettingInfo[]>(257);
  std::memset(&records[256], 0x5A, sizeof(LedSettingInfo));
  std::int32_t count = 0;
  ASSERT_EQ(SearchInto(records.get(), &count), 0);
  EXPECT_EQ(count, 256);
  EXPECT_EQ(Name(records[255]), "MANY");
  EXPECT_EQ(records[256].Width, 0x5A5A5A5A);
}

TEST_F(CardSearch, ComputerWithoutInterfacesFindsNothing) {
  emu::NetworkNamespace alone;
  ASSERT_TRUE(alone.Shell("ip link set lo up"));
  LedSettingInfo records[1];
  std::int32_t count = 1;
  int result = 1234;
  alone.RunInside([&] { result = KQ_SearchLed(records, &count); });
  EXPECT_EQ(result, KQ_ERR_NO_LOCAL_ADDRESS);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(KQ_SearchLedToList(nullptr), KQ_ERR_BAD_HANDLE);
}

}  // namespace
