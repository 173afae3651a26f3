// The communication page of the screen-parameter pane: the link controls, the serial
// ports, the connection test over a card on loopback, and (inside network namespaces
// made for the test) the card search, found cards added as screens, and the card
// communication dialog.
#include <QLabel>
#include <QTest>
#include <QTimer>

#include <arpa/inet.h>

#include <cstring>
#include <memory>

#include "controls/animation/pane_slide.h"
#include "controls/shell/pane_ids.h"
#include "controls/shell/program_messages.h"
#include "controls/shell/window_globals.h"
#include "device/common/card_link_dialog.h"
#include "device/settings/communication_ids.h"
#include "device/settings/screen_param_dialog.h"
#include "model/common/bounded_text.h"
#include "model/project/project_editing.h"
#include "model/project/project_globals.h"
#include "model/project/project_window.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"
#include "tests/app/app_fixture.h"
#include "tests/support/card_network.h"
#include "tests/support/cut_texts.h"
#include "tests/support/project_building.h"
#include "tests/support/recording_window.h"
#include "tests/support/screenshot.h"
#include "tests/support/search_card.h"
#include "tests/support/settings_card.h"

namespace {

using testsupport::Message;
using testsupport::RecordingWindow;

constexpr std::uint8_t kCardNumber = 2;

std::vector<char> Bytes(const ScreenRecord& screen) {
  const auto* start = reinterpret_cast<const char*>(&screen);
  return {start, reinterpret_cast<const char*>(&screen.LogoFiles)};
}

QString Text(int key) { return ReadLangText(lang_section::IDD_COMMUNICATIONSET_DIALOG, key); }

emu::CardState CardAt(const char* name, const std::uint8_t (&ip)[4], int cardNumber) {
  emu::CardState state;
  std::memcpy(state.name, name, std::strlen(name));
  std::memcpy(state.ip, ip, 4);
  const std::uint8_t subnet[4] = {255, 255, 255, 0}, mac[6] = {2, 0, 0, 0, 0, ip[3]};
  std::memcpy(state.subnet, subnet, 4);
  std::memcpy(state.gateway, ip, 3);
  state.gateway[3] = 1;
  std::memcpy(state.mac, mac, 6);
  state.baudCode = 2;  // 57600
  state.serialByte1 = cardNumber, state.width = 192, state.height = 64, state.colorType = 2;
  state.oeDa[2] = 32, state.oeDa[3] = 16;
  return state;
}

class CommunicationPage : public apptest::AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    SelectLanguageFile(2);
    ClearProjectModel();
    SetSlidePause([](int) {});
    SetProjectWindow(project.Handle());
    PreviewFrameWindow = frame.Handle();
    MainWindowHandle = mainWindow.Handle();
    for (int i = 0; i < 2; ++i) {
      ScreenRecord& screen = testsupport::AddScreen(128, 32);
      CopyBoundedText(screen.LedName, QStringLiteral("Screen %1").arg(i + 1));
      screen.LedNo = i + 1, screen.LedNumber = kCardNumber;
      screen.Bps = 57600, screen.Commport = 2;
    }
    pane = std::make_unique<CScreenParamDialog>(nullptr);
    PaneWindows[kScreenParamPane] = pane->Handle();
    pane->resize(980, 637);
    Page().ShowSerialPorts({QStringLiteral("COM1"), QStringLiteral("COM2")});
    Page().tell = [this](const QString& text, int style) {
      told.emplace_back(text, style);
      return 1;
    };
    pane->FillScreenList();
    pane->show();
    mainWindow.Take();
    project.Take();
  }
  void TearDown() override {
    pane.reset();
    PaneWindows[kScreenParamPane] = nullptr;
    MainWindowHandle = nullptr;
    SetProjectWindow(nullptr);
    PreviewFrameWindow = nullptr;
    SetSlidePause({});
    ClearProjectModel();
    AppTest::TearDown();
  }
  CCommunicationSetDialog& Page() {
    return static_cast<CCommunicationSetDialog&>(
        pane->Page(CScreenParamDialog::kCommunicationPage));
  }
  ScreenRecord& Screen(int index) { return *std::next(ScreenList.begin(), index); }
  void Select(int index) { pane->ScreenListBox().setCurrentRow(index); }
  bool Shown(QWidget& control) { return control.isVisibleTo(&Page()); }
  // The page's label of a language key.
  QLabel& Label(int key) {
    for (QLabel* label : Page().findChildren<QLabel*>()) {
      if (label->text() == Text(key)) return *label;
    }
    return *Page().findChild<QLabel*>();
  }
  std::vector<Message> Statuses() {
    std::vector<Message> statuses;
    for (const Message& m : mainWindow.Take()) {
      if (m.msg == UM_STATUS_CODE) statuses.push_back(m);
    }
    return statuses;
  }

  RecordingWindow project, frame, mainWindow;
  std::unique_ptr<CScreenParamDialog> pane;
  std::vector<std::pair<QString, int>> told;
};

TEST_F(CommunicationPage, ControlsFollowTheModeAndEditOnlyOnTheUsersChanges) {
  ScreenRecord& screen = Screen(1);
  screen.SendType = kSendBySerialLine;
  screen.NetworkType = 1;  // a direct cable, which a serial screen does not show
  screen.LedIp = 0x0A000102;
  const std::vector<char> before = Bytes(screen);
  Select(1);
  Select(0);
  Select(1);
  EXPECT_EQ(Bytes(screen), before);
  CCommunicationSetDialog& page = Page();
  EXPECT_FALSE(Shown(page.IpEdit()) || Shown(page.FixedIpRadio()) || Shown(page.DirectText()));
  EXPECT_TRUE(Shown(page.PortList()) && Shown(page.BaudList()) &&
              Shown(page.Button(IDC_LINK_TEST)));
  EXPECT_EQ(page.PortList().currentText(), QStringLiteral("COM2"));
  EXPECT_EQ(page.BaudList().currentIndex(), 1);

  EXPECT_EQ((QStringList{page.ModeList().item(0)->text(), page.ModeList().item(1)->text(),
                         page.ModeList().item(2)->text()}),
            (QStringList{Text(1011), Text(1012), "USB"}));
  page.ModeList().setCurrentRow(0);  // network, direct cable
  EXPECT_EQ(screen.SendType, kSendByNetwork);
  EXPECT_TRUE(Shown(page.DirectText()) && page.DirectRadio().isChecked());
  EXPECT_FALSE(Shown(page.IpEdit()) || Shown(Label(1005)) || Shown(page.PortList()));
  page.FixedIpRadio().click();
  EXPECT_EQ(screen.NetworkType, 0);
  EXPECT_TRUE(Shown(page.IpEdit()) && Shown(Label(1005)) && Shown(page.Button(IDC_LINK_TEST)));
  EXPECT_FALSE(Shown(page.DirectText()));
  EXPECT_EQ(page.IpEdit().Field(0).text(), QStringLiteral("10"));
  page.IpEdit().Field(3).clear();
  QTest::keyClicks(&page.IpEdit().Field(3), QStringLiteral("2556"));  // three digits at most
  EXPECT_EQ(screen.LedIp, 0x0A0001FFu);
  page.IpEdit().Field(3).clear();
  QTest::keyClicks(&page.IpEdit().Field(3), QStringLiteral("0255"));
  EXPECT_EQ(screen.LedIp, 0x0A000119u);

  page.ModeList().setCurrentRow(2);  // USB disk: no link to test
  EXPECT_EQ(screen.SendType, kSendByUsbDisk);
  EXPECT_FALSE(Shown(page.Button(IDC_LINK_TEST)) || Shown(page.IpEdit()) ||
               Shown(page.PortList()) || Shown(page.FixedIpRadio()));
  page.BaudList().setCurrentIndex(2);
  emit page.BaudList().activated(2);
  EXPECT_EQ(screen.Bps, 115200);

  // A rate the list lacks shows 9600 and stays; a mode one past the list's shows no row.
  screen.Bps = 38400;
  screen.SendType = page.ModeList().count();
  Select(0);
  Select(1);
  EXPECT_EQ(std::tuple(page.BaudList().currentIndex(), page.ModeList().currentRow()),
            std::tuple(0, -1));
  EXPECT_EQ(std::tuple(screen.Bps, screen.SendType), std::tuple(38400, 3));
}

TEST_F(CommunicationPage, AStoredPortTheMachineLacksIsListedAndKept) {
  ScreenRecord& screen = Screen(1);
  screen.Commport = 101;
  Select(1);
  CCommunicationSetDialog& page = Page();
  EXPECT_EQ(page.PortList().count(), 3);
  EXPECT_EQ(page.PortList().currentText(), QStringLiteral("COM101"));
  EXPECT_EQ(screen.Commport, 101);
  // The next screen does not keep the extra entry.
  Select(0);
  EXPECT_EQ(page.PortList().count(), 2);

  screen.Commport = 0;
  Select(1);
  EXPECT_EQ(page.PortList().currentText(), QStringLiteral("COM1"));
  EXPECT_EQ(screen.Commport, 1);
  page.PortList().setCurrentIndex(1);
  emit page.PortList().activated(1);
  EXPECT_EQ(screen.Commport, 2);
}

TEST_F(CommunicationPage, TheTestReadsTheCardNameAtTheScreensCardAddress) {
  emu::Card card{kCardNumber};
  emu::TcpCard server{card};
  ASSERT_TRUE(server.Listening());
  const std::uint8_t ip[4] = {127, 0, 0, 1};
  emu::SettingsCard settings{card, CardAt("KQ-C30", ip, kCardNumber)};
  ScreenRecord& screen = Screen(0);
  screen.LedIp = ntohl(inet_addr(server.Address().c_str()));
  Select(0);
  Page().Button(IDC_LINK_TEST).click();
  EXPECT_EQ(ReadBoundedText(screen.LedTypeStr), QStringLiteral("KQ-C30"));
  ASSERT_EQ(told.size(), 1u);
  EXPECT_EQ(told[0], std::pair(Text(1029), 64));
  EXPECT_EQ(settings.ReadMasks(), std::vector<std::uint16_t>{0x003});  // the name
  ASSERT_FALSE(card.Frames().empty());
  EXPECT_EQ(card.Frames().front().card, kCardNumber);
  EXPECT_TRUE(card.Errors().empty());

  // A slow card: the whole pane waits; a silent one fails with the message only.
  card.ReactAlways({emu::Reaction::kAck, 0, 300});
  bool enabledDuringCall = true;
  QTimer::singleShot(100, [&] { enabledDuringCall = pane->isEnabled(); });
  Page().OnTestConnection();
  EXPECT_FALSE(enabledDuringCall);
  EXPECT_TRUE(pane->isEnabled());
  card.ReactAlways({emu::Reaction::kSilence});
  CopyBoundedText(screen.LedTypeStr, u"KEPT");
  Page().OnTestConnection();
  EXPECT_EQ(told.back(), std::pair(Text(1028), 16));
  EXPECT_EQ(ReadBoundedText(screen.LedTypeStr), QStringLiteral("KEPT"));
}

TEST_F(CommunicationPage, AddAndModifyWithoutRowsDoNothing) {
  bool opened = false;
  Page().openCardDialog = [&](const LedSettingInfo&) { opened = true; };
  Page().Button(IDC_LINK_ADD).click();
  Page().Button(IDC_LINK_MODIFY).click();
  EXPECT_FALSE(opened);
  EXPECT_EQ(ScreenList.size(), 2u);
  // The nine result columns are headed by keys 1013-1021.
  for (int column = 0; column < 9; ++column) {
    EXPECT_EQ(Page().Results().headerItem()->text(column), Text(1013 + column)) << column;
  }
}

// Inside the test's own network: the computer with two interfaces, a card behind each.
class FoundCards : public CommunicationPage {
 protected:
  void SetUp() override {
    CommunicationPage::SetUp();
    if (const std::string why = network.Unavailable(); !why.empty()) GTEST_SKIP() << why;
    ASSERT_TRUE(network.Build()) << "ip could not build the test network";
  }
  void Answer(int side, const emu::CardState& state, int copies = 1, int pauseMs = 0) {
    const int fd = network.OpenCardSocket(side);
    ASSERT_GE(fd, 0);
    searchCards[side] = std::make_unique<emu::SearchCard>(
        fd, std::vector<emu::SearchAnswer>{{emu::SearchReply(state), false, copies, pauseMs}});
  }
  std::int32_t Search() {
    std::int32_t result = 1234;
    network.Computer().RunInside([&] { result = Page().OnSearch(); });
    return result;
  }
  QString Cell(int row, int column) { return Page().Results().topLevelItem(row)->text(column); }

  emu::CardNetwork network;
  std::unique_ptr<emu::SearchCard> searchCards[emu::CardNetwork::kCards];
};

TEST_F(FoundCards, RowsAppearWhileTheSearchRunsAndCheckedCardsBecomeScreens) {
  const std::uint8_t first[4] = {10, 201, 1, 2}, second[4] = {10, 201, 2, 2};
  Answer(0, CardAt("MONO", first, 3), 2, 1000);
  Answer(1, CardAt(" KQC10 - V2-x", second, 4));
  int rowsDuringSearch = -1;
  QTimer::singleShot(1500, [&] { rowsDuringSearch = Page().Results().topLevelItemCount(); });
  EXPECT_EQ(Search(), KQ_OK);
  EXPECT_GE(rowsDuringSearch, 1);
  QTreeWidget& results = Page().Results();
  ASSERT_EQ(results.topLevelItemCount(), 3);  // the pausing card answered twice
  EXPECT_TRUE(Page().Button(IDC_LINK_SEARCH).isEnabled());
  int row = 0;
  while (row < 2 && Cell(row, CCommunicationSetDialog::kModel) != QStringLiteral("KQC10")) ++row;
  QStringList cells;
  for (int column = 1; column < 9; ++column) cells << Cell(row, column);
  EXPECT_EQ(cells,
            (QStringList{"KQC10", "V2", "4", "10.201.2.2", "57600", "192", "64", Text(1024)}));
  const int mono = row == 0 ? 1 : 0;
  EXPECT_EQ(Cell(mono, CCommunicationSetDialog::kModel), QStringLiteral("MONO"));
  EXPECT_EQ(Cell(mono, CCommunicationSetDialog::kVersion), QString());
  // Each found card's row shows an empty check box.
  EXPECT_EQ(results.topLevelItem(row)->data(0, Qt::CheckStateRole), QVariant(Qt::Unchecked));
  results.topLevelItem(row)->setCheckState(0, Qt::Checked);
  results.topLevelItem(mono)->setCheckState(0, Qt::Checked);
  SaveScreenshot(*pane, QStringLiteral("communication_page_found_cards"));
  EXPECT_EQ(CutTextsInTranslations(
                *pane, [this] { pane->ApplyLanguage(); }, QStringLiteral("communication_page")),
            "");

  Page().Button(IDC_LINK_ADD).click();
  ASSERT_EQ(ScreenList.size(), 4u);
  const std::uint32_t addresses[] = {0x0AC90202, 0x0AC90102};
  const int numbers[] = {4, 3};
  for (int added = 0; added < 2; ++added) {
    const int index = row < mono ? added : 1 - added;
    const ScreenRecord& screen = Screen(2 + index);
    EXPECT_EQ(screen.SendType, kSendByNetwork);
    EXPECT_EQ(screen.LedIp, addresses[added]);
    EXPECT_EQ(std::tie(screen.LedNumber, screen.Bps, screen.LedColor),
              std::tuple(numbers[added], 57600, 1));
    EXPECT_EQ(std::tie(screen.ModuleValue, screen.WidthModuleNum, screen.HeightModuleNum),
              std::tuple(0, 6, 4));
  }
  int roots = 0;
  for (const Message& m : project.Take()) roots += m.msg == UM_SCREEN_ROOT && m.wParam == 0;
  EXPECT_EQ(roots, 2);

  // A second search starts from an empty list. A card that says it is larger than
  // any card's data can show is refused with a message and makes no screen.
  emu::CardState huge = CardAt("HUGE", first, 5);
  huge.width = 65535;
  huge.height = 65535;
  huge.colorType = 0;  // outside the colour list: no colour text
  searchCards[0].reset();
  Answer(0, huge);
  searchCards[1].reset();
  EXPECT_EQ(Search(), KQ_OK);
  ASSERT_EQ(results.topLevelItemCount(), 1);
  EXPECT_EQ(std::pair(Cell(0, 0), Cell(0, CCommunicationSetDialog::kColor)),
            std::pair(QStringLiteral("1"), QString()));
  EXPECT_TRUE(told.empty());
  results.topLevelItem(0)->setCheckState(0, Qt::Checked);
  Page().Button(IDC_LINK_ADD).click();
  EXPECT_EQ(ScreenList.size(), 4u);
  ASSERT_EQ(told.size(), 1u);
  EXPECT_EQ(told[0], std::pair(Text(1030), 16));
  // No card at all is no message.
  searchCards[0].reset();
  told.clear();
  EXPECT_EQ(Search(), KQ_OK);
  EXPECT_EQ(results.topLevelItemCount(), 0);
  EXPECT_TRUE(told.empty());
}

TEST_F(FoundCards, TheDialogWritesNewAddressesThatASearchFindsAgain) {
  const std::uint8_t present[4] = {10, 201, 1, 2};
  emu::Card card{kCardNumber};
  auto server = std::make_unique<emu::UdpCard>(card, network.OpenCardSocket(0));
  emu::SettingsCard settings{card, CardAt("KQ-C10", present, kCardNumber)};
  LedSettingInfo found{};
  CopyBoundedText(found.IpAddress, u"10.201.1.2");
  CopyBoundedText(found.SubnetMask, u"255.255.255.0");
  CopyBoundedText(found.Gateway, u"10.201.1.1");
  CopyBoundedText(found.MacAddress, u"02-00-00-00-00-02");
  found.SerialByte1 = 255, found.SerialByte2 = 7, found.BaudRate = 115200;  // the last number
  CLedCommunicationParamSetDialog dialog;
  dialog.SetUp(CardLinkValuesOf(found));
  EXPECT_EQ(std::tuple(dialog.CardNumberList().count(), dialog.CardNumberList().currentIndex()),
            std::tuple(255, 254));
  found.SerialByte1 = 0;  // no card number the list holds: the first shown
  dialog.SetUp(CardLinkValuesOf(found));
  EXPECT_EQ(dialog.CardNumberList().currentIndex(), 0);
  found.SerialByte1 = kCardNumber;
  dialog.SetUp(CardLinkValuesOf(found));
  EXPECT_EQ(dialog.CardNumberList().currentIndex(), 1);
  EXPECT_EQ(dialog.BaudList().currentIndex(), 2);
  dialog.Address(0).SetAddress(0x0AC9010Au);  // 10.201.1.10
  dialog.MacEdit().setText(QStringLiteral("02-00-00-00-00-0A"));
  dialog.show();
  SaveScreenshot(dialog, QStringLiteral("card_link_dialog"));
  // Its four labels, its button and its caption, each from its own key.
  const auto linkText = [](int key) {
    return ReadLangText(lang_section::IDD_LEDCOMMUNICATIONPARAMSET_DIALOG, key);
  };
  QStringList labels;
  for (const QLabel* label : dialog.findChildren<QLabel*>()) labels << label->text();
  for (int key = 1000; key < 1004; ++key) EXPECT_TRUE(labels.contains(linkText(key))) << key;
  EXPECT_EQ(std::pair(dialog.SetButton().text(), dialog.windowTitle()),
            std::pair(linkText(1006), linkText(1007)));
  EXPECT_EQ(CutTextsInTranslations(
                dialog, [&dialog] { dialog.ApplyLanguage(); }, QStringLiteral("card_link_dialog")),
            "");

  // A refused MAC text: nothing sent, the dialog stays.
  dialog.MacEdit().setText(QStringLiteral("12-34"));
  network.Computer().RunInside([&] { dialog.OnSet(); });
  EXPECT_EQ(Statuses(), (std::vector<Message>{{UM_STATUS_CODE, 9, 0}, {UM_STATUS_CODE, 11, -8}}));
  EXPECT_TRUE(card.Frames().empty());
  EXPECT_TRUE(dialog.isVisible());
  // A card error: the dialog stays.
  dialog.MacEdit().setText(QStringLiteral("02-00-00-00-00-0A"));
  card.ReactAt(0, {emu::Reaction::kAck, 0xDAA3});
  network.Computer().RunInside([&] { dialog.OnSet(); });
  EXPECT_EQ(Statuses(),
            (std::vector<Message>{{UM_STATUS_CODE, 9, 0}, {UM_STATUS_CODE, 11, 0xDAA3}}));
  EXPECT_TRUE(dialog.isVisible());
  ASSERT_EQ(settings.CommunicationCommands().size(), 1u);
  EXPECT_EQ(settings.CommunicationCommands()[0].mask, 1);  // the baud rate not changed

  // A changed baud rate goes with the card number in its section.
  dialog.BaudList().setCurrentIndex(0);
  card.ReactAt(0, {emu::Reaction::kAck, 0});
  network.Computer().RunInside([&] { dialog.OnSet(); });
  EXPECT_EQ(Statuses(), (std::vector<Message>{{UM_STATUS_CODE, 9, 0}, {UM_STATUS_CODE, 10, 0}}));
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  const std::vector<emu::CommunicationCommand> sent = settings.CommunicationCommands();
  ASSERT_EQ(sent.size(), 2u);
  const emu::CommunicationCommand& set = sent.back();
  EXPECT_EQ(set.mask, 9);
  EXPECT_EQ(std::tuple(set.baudCode, set.serialByte1, set.serialByte2),
            std::tuple(0, kCardNumber, 7));  // 9600
  EXPECT_EQ(std::tie(set.ip, set.subnet, set.gateway, set.mac),
            std::tuple("10.201.1.2", "255.255.255.0", "10.201.1.1", "02-00-00-00-00-02"));
  EXPECT_EQ(std::tie(set.newIp, set.newSubnet, set.newGateway, set.newMac),
            std::tuple("10.201.1.10", "255.255.255.0", "10.201.1.1", "02-00-00-00-00-0A"));
  EXPECT_TRUE(settings.Errors().empty());
  // A changed card number goes in the serial section too, the card's own rate with it.
  dialog.CardNumberList().setCurrentIndex(254);
  dialog.BaudList().setCurrentIndex(2);
  network.Computer().RunInside([&] { dialog.OnSet(); });
  EXPECT_EQ(std::tuple(settings.CommunicationCommands().back().serialByte1,
                       settings.CommunicationCommands().back().baudCode),
            std::tuple(255, 1));  // 115200

  // The card, searched again, answers with what it now holds.
  server.reset();
  Answer(0, settings.State());
  EXPECT_EQ(Search(), KQ_OK);
  ASSERT_EQ(Page().Results().topLevelItemCount(), 1);
  EXPECT_EQ(Cell(0, CCommunicationSetDialog::kIp), QStringLiteral("10.201.1.10"));
}

}  // namespace
