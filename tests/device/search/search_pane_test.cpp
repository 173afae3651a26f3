// The search pane against the real controller library, inside network namespaces
// made for the test with two answering cards; and the texts of a found card's row.
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "device/common/card_link_dialog.h"
#include "device/search/search_dialog.h"
#include "device/search/search_ids.h"
#include "model/common/bounded_text.h"
#include "model/project/scan_tables.h"
#include "model/settings/lang_text.h"
#include "tests/app/app_fixture.h"
#include "tests/support/card_network.h"
#include "tests/support/cut_texts.h"
#include "tests/support/screenshot.h"
#include "tests/support/search_card.h"

namespace {

emu::CardState KnownCard(const char* name, std::uint8_t last) {
  emu::CardState state;
  std::memcpy(state.name, name, std::strlen(name));
  state.baudCode = 2;  // 57600
  state.serialByte1 = 3, state.width = 64, state.height = 32, state.colorType = 2;
  state.scan[0] = 8;
  const std::uint8_t ip[4] = {10, 201, 9, last}, subnet[4] = {255, 255, 255, 0},
                     gateway[4] = {10, 201, 9, 254}, mac[6] = {2, 0, 0, 0, 9, last};
  std::memcpy(state.ip, ip, 4);
  std::memcpy(state.subnet, subnet, 4);
  std::memcpy(state.gateway, gateway, 4);
  std::memcpy(state.mac, mac, 6);
  return state;
}

class RowColours : public apptest::AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    SelectLanguageFile(2);
  }
};

QStringList RowTexts(const QTreeWidget& list, int row) {
  QStringList texts;
  const QTreeWidgetItem* item = list.topLevelItem(row);
  for (int column = 0; item && column < CSearchDialog::kColumnCount; ++column) {
    texts << item->text(column);
  }
  return texts;
}

TEST_F(RowColours, ColourTypesOneToFourAreNamedAndOthersEmpty) {
  const QString names[] = {QStringLiteral("Single colour"),
                           QStringLiteral("Two colours"),
                           QStringLiteral("Three colours"),
                           QStringLiteral("Full colour"),
                           QString(),
                           QString()};
  LedSettingInfo card{};
  for (int type = 1; type <= 6; ++type) {
    card.ColorType = type == 6 ? 0 : type;
    EXPECT_EQ(SearchRowTexts(1, card)[5], names[type - 1]) << type;
  }
}

class SearchPane : public apptest::AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    SelectLanguageFile(2);
    if (const std::string why = network.Unavailable(); !why.empty()) GTEST_SKIP() << why;
    ASSERT_TRUE(network.Build()) << "ip could not build the test network";
    pane = std::make_unique<CSearchDialog>(
        nullptr, [this](const LedSettingInfo& card) { opened.push_back(CardLinkValuesOf(card)); },
        [this] { ++localOpened; });
    pane->resize(900, 520);
    pane->show();
  }
  void TearDown() override {
    pane.reset();
    for (auto& card : cards) card.reset();
    AppTest::TearDown();
  }

  void Answer(int card, std::vector<emu::SearchAnswer> answers) {
    const int fd = network.OpenCardSocket(card);
    ASSERT_GE(fd, 0);
    cards[card] = std::make_unique<emu::SearchCard>(fd, std::move(answers));
  }

  // Searches, noting the most rows the list showed while the search ran.
  int SearchNotingRows() {
    int most = 0;
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout,
                     [&] { most = std::max(most, pane->Results().topLevelItemCount()); });
    probe.start(20);
    Search();
    return most;
  }
  void Search() {
    network.Computer().RunInside([this] { static_cast<void>(pane->OnSearch()); });
  }

  emu::CardNetwork network;
  std::unique_ptr<emu::SearchCard> cards[emu::CardNetwork::kCards];
  std::unique_ptr<CSearchDialog> pane;
  std::vector<CardLinkValues> opened;
  int localOpened = 0;
};

TEST_F(SearchPane, FoundCardsAreListedWithTheirParameters) {
  Answer(0, {{emu::SearchReply(KnownCard(" KQ-A8 - V2 ", 2))}});
  Answer(1, {{emu::SearchReply(KnownCard("SOLO", 3)), false, 1, 400}});
  EXPECT_GE(SearchNotingRows(), 1);  // rows appear while the call runs
  QTreeWidget& results = pane->Results();
  ASSERT_EQ(results.topLevelItemCount(), 2);
  const QStringList expected =
      QStringLiteral(
          "1|KQ|A8|3|64*32|Two colours|10.201.9.2|255.255.255.0|10.201.9.254|"
          "02-00-00-00-09-02|57600")
          .split(u'|')
      << GetScanTypeName(8);
  EXPECT_FALSE(expected.last().isEmpty());
  EXPECT_EQ(RowTexts(results, 0), expected);
  const QStringList solo = RowTexts(results, 1);
  EXPECT_EQ(solo[0], QStringLiteral("2"));
  EXPECT_EQ(solo[1], QStringLiteral("SOLO"));
  EXPECT_EQ(solo[2], QString());
  // The headings: keys of the communication page and of the search pane, and two texts.
  const char* const kLink = "IDD_COMMUNICATIONSET_DIALOG";
  const char* const kSearch = "IDD_SEARCH_DIALOG";
  const std::pair<const char*, int> headings[] = {{kLink, 1013}, {kLink, 1014},   {kLink, 1015},
                                                  {kLink, 1016}, {kSearch, 1009}, {kLink, 1021},
                                                  {"IP", 0},     {kSearch, 1010}, {kSearch, 1011},
                                                  {"MAC", 0},    {kLink, 1018},   {kSearch, 1012}};
  for (int column = 0; column < CSearchDialog::kColumnCount; ++column) {
    const auto [section, key] = headings[column];
    EXPECT_EQ(
        results.headerItem()->text(column),
        key == 0 ? QString::fromLatin1(section) : ReadLangText(QString::fromLatin1(section), key))
        << column;
  }
  SaveScreenshot(*pane, QStringLiteral("search_pane"));
  EXPECT_EQ(CutTextsInTranslations(
                *pane, [this] { pane->ApplyLanguage(); }, QStringLiteral("search_pane")),
            "");

  // "modify": nothing without a selected row; the selected card's values with one.
  pane->Button(IDC_SEARCH_MODIFY)->click();
  EXPECT_TRUE(opened.empty());
  results.setCurrentItem(results.topLevelItem(1));
  pane->Button(IDC_SEARCH_MODIFY)->click();
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0].ip, 0x0AC90903u);
  EXPECT_EQ(opened[0].mask, 0xFFFFFF00u);
  EXPECT_EQ(opened[0].gateway, 0x0AC909FEu);
  EXPECT_EQ(opened[0].mac, QStringLiteral("02-00-00-00-09-03"));
  EXPECT_EQ(opened[0].cardIndex, 2);
  EXPECT_EQ(opened[0].baudIndex, 1);
  EXPECT_EQ(
      (QStringList{pane->Button(IDC_SEARCH_START)->text(), pane->Button(IDC_SEARCH_MODIFY)->text(),
                   pane->Button(IDC_SEARCH_LOCAL_ADDRESS)->text()}),
      (QStringList{ReadLangText(QStringLiteral("IDD_SEARCH_DIALOG"), 1000),
                   ReadLangText(QStringLiteral("IDD_SEARCH_DIALOG"), 1001),
                   ReadLangText(QStringLiteral("IDD_SEARCH_DIALOG"), 1002)}));
  pane->Button(IDC_SEARCH_LOCAL_ADDRESS)->click();
  EXPECT_EQ(localOpened, 1);

  // A second search empties the list first and numbers from 1 again.
  cards[1].reset();
  Search();
  ASSERT_EQ(results.topLevelItemCount(), 1);
  EXPECT_EQ(RowTexts(results, 0)[0], QStringLiteral("1"));
  EXPECT_TRUE(pane->Button(IDC_SEARCH_START)->isEnabled());
}

TEST_F(SearchPane, NoCardLeavesTheListEmpty) {
  Search();
  EXPECT_EQ(pane->Results().topLevelItemCount(), 0);
  EXPECT_TRUE(pane->Found().empty());
}

}  // namespace
