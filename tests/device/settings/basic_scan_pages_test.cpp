// The basic and scan pages of the screen-parameter pane over a card that keeps its
// settings (the real library, TCP on loopback): set, read back and the failures; the
// size rules of the basic page; the scan page's groups and send.
#include <QFile>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include <arpa/inet.h>

#include <cstring>

#include "controls/animation/pane_slide.h"
#include "controls/shell/pane_ids.h"
#include "controls/shell/program_messages.h"
#include "controls/shell/window_globals.h"
#include "device/settings/screen_param_dialog.h"
#include "device/settings/screen_size.h"
#include "model/common/app_dir.h"
#include "model/common/bounded_text.h"
#include "model/project/project_editing.h"
#include "model/project/project_globals.h"
#include "model/project/project_window.h"
#include "model/project/scan_tables.h"
#include "model/project/screen_limits.h"
#include "model/settings/lang_text.h"
#include "tests/app/app_fixture.h"
#include "tests/support/cut_texts.h"
#include "tests/support/project_building.h"
#include "tests/support/recording_window.h"
#include "tests/support/screenshot.h"
#include "tests/support/settings_card.h"

namespace {

using testsupport::Message;
using testsupport::RecordingWindow;

constexpr std::uint8_t kCardNumber = 5;

// Test rows: colour 0 row 0 a 64 x 32 module on route 100 (scan row 20), row 1 a 16 x 16
// module on route 50 (no scan row); colour 1 row 0 a 32 x 16 module on route 8; colour 1
// row 1 is not valid.
const char kRegularRows[] =
    "[Colour0]\n0=64,32,0,1,6,100,3,15\n1=16,16,1,1,0,50,7,3\n"
    "[Colour1]\n0=32,16,1,0,0,8,3,15\n1=32,16,2,0,0,8,3,15\n";

std::uint8_t ScanRowByte(int row, int i) { return static_cast<std::uint8_t>(row * 7 + i); }

// The card's state: its name, serial settings, a size, and its address on loopback.
emu::CardState NamedCard(const std::string& address) {
  emu::CardState state;
  const std::uint32_t ip = ntohl(inet_addr(address.c_str()));
  for (int i = 0; i < 4; ++i) state.ip[i] = static_cast<std::uint8_t>(ip >> (24 - 8 * i));
  std::memcpy(state.name, "KQ-C10", 6);
  state.baudCode = 2;  // 57600
  state.serialByte1 = kCardNumber, state.width = 96, state.height = 48, state.colorType = 1;
  return state;
}

std::vector<char> Bytes(const ScreenRecord& screen) {
  const auto* start = reinterpret_cast<const char*>(&screen);
  return {start, reinterpret_cast<const char*>(&screen.LogoFiles)};
}

void Choose(QComboBox& list, int index) {
  list.setCurrentIndex(index);
  emit list.activated(index);
}

class ScreenPages : public apptest::AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    SelectLanguageFile(2);
    ClearProjectModel();
    WriteRowFiles();
    SetSlidePause([](int) {});
    SetProjectWindow(project.Handle());
    PreviewFrameWindow = frame.Handle();
    MainWindowHandle = mainWindow.Handle();
    ASSERT_TRUE(server.Listening());
    for (int i = 0; i < 2; ++i) {
      ScreenRecord& screen = testsupport::AddScreen(128, 32);
      CopyBoundedText(screen.LedName, QStringLiteral("Screen %1").arg(i + 1));
      screen.LedNo = i + 1, screen.LedNumber = kCardNumber, screen.RedGreenExchange = 1;
      screen.LedIp = ntohl(inet_addr(server.Address().c_str()));
      screen.ModuleType = i;  // the first regular, the second custom
      screen.ModuleWidth = 32, screen.ModuleHeight = 16;
      screen.WidthModuleNum = 4, screen.HeightModuleNum = 2;
    }
    pane = std::make_unique<CScreenParamDialog>(nullptr);
    PaneWindows[kScreenParamPane] = pane->Handle();
    pane->resize(980, 637);
    pane->FillScreenList();
    pane->show();
    mainWindow.Take();
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
  void WriteRowFiles() {
    ASSERT_TRUE(QDir().mkpath(GetAppDir() + QStringLiteral("Data")));
    QFile rows(GetAppDir() + QStringLiteral("Data/regular_modules.ini"));
    ASSERT_TRUE(rows.open(QIODevice::WriteOnly));
    rows.write(kRegularRows);
    QFile scan(GetAppDir() + QStringLiteral("Data/scan_rows.bin"));
    ASSERT_TRUE(scan.open(QIODevice::WriteOnly));
    QByteArray bytes;
    for (int row = 0; row < 24; ++row) {
      for (int i = 0; i < 256; ++i) bytes.append(static_cast<char>(ScanRowByte(row, i)));
    }
    scan.write(bytes);
  }
  ScreenRecord& Screen(int index) { return *std::next(ScreenList.begin(), index); }
  void Select(int index) { pane->ScreenListBox().setCurrentRow(index); }
  CBasicSetDialog& Basic() {
    return static_cast<CBasicSetDialog&>(pane->Page(CScreenParamDialog::kBasicPage));
  }
  CScanSetDialog& Scan() {
    return static_cast<CScanSetDialog&>(pane->Page(CScreenParamDialog::kScanPage));
  }
  std::vector<Message> Statuses() {
    std::vector<Message> statuses;
    for (const Message& m : mainWindow.Take()) {
      if (m.msg == UM_STATUS_CODE) statuses.push_back(m);
    }
    return statuses;
  }
  emu::SettingsCommand LastSettings() {
    const auto sent = settingsCard.SettingsCommands();
    return sent.empty() ? emu::SettingsCommand{} : sent.back();
  }
  void TypeDots(CBasicSetDialog::Side side, const QString& text) {
    QLineEdit& edit = Basic().DotsEdit(side).Edit();
    edit.setText(text);
    emit edit.editingFinished();
  }
  void TypeCount(CBasicSetDialog::Side side, const QString& text) {
    Basic().CountEdit(side).Edit().setText(text);
    Basic().CountEdit(side).onEdited();
  }

  RecordingWindow project, frame, mainWindow;
  emu::Card card{kCardNumber};
  emu::TcpCard server{card};
  emu::SettingsCard settingsCard{card, NamedCard(server.Address())};
  std::unique_ptr<CScreenParamDialog> pane;
};

TEST_F(ScreenPages, ARegularScreenIsSetAndAnotherReadsItBack) {
  const ScreenRecord& first = Screen(0);
  // Loading the regular screen kept its own module; choosing row 0 of colour 0 took it
  // with its polarities.
  EXPECT_EQ(std::tie(first.ModuleWidth, first.ModuleHeight, first.LedWidth, first.RouteValue),
            std::tuple(32, 16, 128, 0));
  Choose(Basic().RegularList(), 0);
  EXPECT_EQ(std::tie(first.ModuleWidth, first.ModuleHeight, first.LedWidth, first.LedHeight),
            std::tuple(64, 32, 256, 64));
  EXPECT_EQ(std::tie(first.RouteValue, first.HanXu, first.ScanType, first.DataHeight, first.OE),
            std::tuple(100, 6, 3, 15, 0));
  Basic().SetButton().click();
  EXPECT_EQ(Statuses(), (std::vector<Message>{{UM_STATUS_CODE, 0, 0}, {UM_STATUS_CODE, 1, 0}}));
  const emu::SettingsCommand sent = LastSettings();
  EXPECT_EQ(sent.mask, 15);
  EXPECT_EQ(std::tuple(sent.width, sent.height, sent.colorType), std::tuple(256, 64, 1));
  EXPECT_EQ((std::vector<int>(sent.oeDa, sent.oeDa + 4)), (std::vector<int>{0, 1, 64, 32}));
  EXPECT_EQ((std::vector<int>(sent.scan, sent.scan + 5)), (std::vector<int>{100, 6, 1, 3, 15}));
  ASSERT_EQ(sent.scanTable.size(), 256u);
  EXPECT_EQ(sent.scanTable[9], ScanRowByte(20, 9));
  EXPECT_EQ(ReadBoundedText(first.LedTypeStr), QStringLiteral("KQ-C10"));
  EXPECT_EQ(settingsCard.ReadMasks(), std::vector<std::uint16_t>{0x003});  // the name
  EXPECT_TRUE(settingsCard.Errors().empty());

  Select(1);
  ScreenRecord& second = Screen(1);
  ProgramRecord& program = AddProgram(second);
  AreaRecord& area = testsupport::PlaceArea(program, 1, 64, 16, 128, 32);
  mainWindow.Take();
  Basic().ReadBackButton().click();
  EXPECT_EQ(Statuses(), (std::vector<Message>{{UM_STATUS_CODE, 46, 0}, {UM_STATUS_CODE, 47, 0}}));
  EXPECT_EQ(settingsCard.ReadMasks(), (std::vector<std::uint16_t>{0x003, 0x3BF}));
  EXPECT_EQ(std::tie(second.LedWidth, second.LedHeight, second.LedColor, second.OE, second.DA),
            std::tie(first.LedWidth, first.LedHeight, first.LedColor, first.OE, first.DA));
  EXPECT_EQ(std::tie(second.ModuleWidth, second.ModuleHeight, second.RouteValue, second.HanXu),
            std::tie(first.ModuleWidth, first.ModuleHeight, first.RouteValue, first.HanXu));
  EXPECT_EQ(std::tie(second.ScanType, second.DataHeight, second.RedGreenExchange),
            std::tie(first.ScanType, first.DataHeight, first.RedGreenExchange));
  EXPECT_EQ(std::tie(second.ZouXianType, second.Bps, second.LedNumber, second.ModuleType),
            std::tuple(2009, 57600, kCardNumber, 1));
  // The page shows the record it reloaded.
  CBasicSetDialog& page = Basic();
  EXPECT_EQ(std::tuple(page.NameEdit().text(), page.CardNumberList().currentIndex(),
                       page.ColorList().currentIndex(), page.CustomRadio().isChecked(),
                       page.CustomList().currentIndex(), page.OeList().currentIndex(),
                       page.DaList().currentIndex()),
            std::tuple(QStringLiteral("Screen 2"), kCardNumber - 1, second.LedColor, true,
                       second.ModuleValue, second.OE, second.DA));
  EXPECT_EQ(second.BrightnessValue, 15);
  EXPECT_EQ(ReadBoundedText(second.LedTypeStr), QStringLiteral("KQ-C10"));
  // 128 x 32 became 256 x 64: every edge doubled.
  EXPECT_EQ(
      std::tie(area.AreaRect_Left, area.AreaRect_Top, area.AreaRect_Right, area.AreaRect_Bottom),
      std::tuple(128, 32, 256, 64));
  EXPECT_EQ(Basic().DotsEdit(CBasicSetDialog::kAcross).Edit().text(), QStringLiteral("256"));

  // Custom modules send the basic and polarity sections only.
  Basic().SetButton().click();
  EXPECT_EQ(LastSettings().mask, 3);
  // A regular module whose route has no scan row sends no scan table.
  Select(0);
  Choose(Basic().RegularList(), 1);
  Basic().SetButton().click();
  EXPECT_EQ(LastSettings().mask, 7);
  EXPECT_EQ(LastSettings().scan[0], 50);
}

TEST_F(ScreenPages, FailuresAreReportedAndChangeNothing) {
  ScreenRecord& screen = Screen(0);
  const QString name = ReadBoundedText(screen.LedTypeStr);
  card.ReactAlways({emu::Reaction::kAck, 7});
  Basic().OnSetParams();
  EXPECT_EQ(Statuses(), (std::vector<Message>{{UM_STATUS_CODE, 0, 0}, {UM_STATUS_CODE, 2, 7}}));
  EXPECT_EQ(ReadBoundedText(screen.LedTypeStr), name);

  const std::vector<char> before = Bytes(screen);
  card.ReactAlways({emu::Reaction::kSilence});
  Basic().OnReadParams();
  EXPECT_EQ(Statuses(),
            (std::vector<Message>{{UM_STATUS_CODE, 46, 0}, {UM_STATUS_CODE, 48, -102}}));
  EXPECT_EQ(Bytes(screen), before);

  // A card that answers a size no card's data can show is not taken.
  emu::Card emptyCard{kCardNumber};
  emu::TcpCard hugeServer{emptyCard};
  emu::CardState huge = NamedCard(hugeServer.Address());
  huge.width = 65535;
  huge.height = 65535;
  emu::SettingsCard hugeCard{emptyCard, huge};
  screen.LedIp = ntohl(inet_addr(hugeServer.Address().c_str()));
  Basic().OnReadParams();
  EXPECT_EQ(Statuses(), (std::vector<Message>{{UM_STATUS_CODE, 46, 0}, {UM_STATUS_CODE, 48, -6}}));
  EXPECT_EQ(screen.LedWidth, 128);

  // A USB-disk screen has no card: the set succeeds without sending, the read-back fails.
  screen.SendType = kSendByUsbDisk;
  const std::size_t frames = emptyCard.Frames().size() + card.Frames().size();
  Basic().OnSetParams();
  EXPECT_EQ(Statuses(), (std::vector<Message>{{UM_STATUS_CODE, 0, 0}, {UM_STATUS_CODE, 1, 0}}));
  Basic().OnReadParams();
  EXPECT_EQ(Statuses(), (std::vector<Message>{{UM_STATUS_CODE, 46, 0}, {UM_STATUS_CODE, 48, -15}}));
  EXPECT_EQ(emptyCard.Frames().size() + card.Frames().size(), frames);
}

TEST_F(ScreenPages, ThePaneMenuToolbarAndFrameAreDisabledDuringACall) {
  QWidget menuBar, toolbar, previewFrame;
  DeviceCallLockedWidgets[0] = &menuBar;
  DeviceCallLockedWidgets[1] = &toolbar;
  DeviceCallLockedWidgets[2] = &previewFrame;
  card.ReactAlways({emu::Reaction::kAck, 1, 300});
  std::vector<bool> enabled;
  QTimer::singleShot(100, [&] {
    enabled = {pane->isEnabled(), menuBar.isEnabled(), toolbar.isEnabled(),
               previewFrame.isEnabled()};
  });
  Basic().OnReadParams();
  EXPECT_EQ(enabled, (std::vector<bool>{false, false, false, false}));
  EXPECT_TRUE(pane->isEnabled() && menuBar.isEnabled() && toolbar.isEnabled() &&
              previewFrame.isEnabled());
  for (QPointer<QWidget>& widget : DeviceCallLockedWidgets) widget = nullptr;
}

TEST_F(ScreenPages, SizesFollowWholeModules) {
  Select(1);  // custom 32 x 16 modules, 4 x 2
  using Side = CBasicSetDialog;
  ScreenRecord& screen = Screen(1);
  QTest::keyClicks(&Basic().NameEdit(), QString(70, u'n'));  // the record keeps 63
  EXPECT_EQ(ReadBoundedText(screen.LedName), QStringLiteral("Screen 2") + QString(55, u'n'));
  // Card numbers 1 to 255, the list's index + 1.
  QComboBox& numbers = Basic().CardNumberList();
  ASSERT_EQ(numbers.count(), 255);
  Choose(numbers, 254);
  EXPECT_EQ(std::tuple(numbers.itemText(0), numbers.itemText(254), screen.LedNumber),
            std::tuple(QStringLiteral("1"), QStringLiteral("255"), 255));
  // Dots round up to whole modules, at most 999 of them.
  for (const auto& [typed, count] :
       {std::pair{"96", 3}, {"97", 4}, {"31968", 999}, {"31969", 999}}) {
    TypeDots(Side::kAcross, QString::fromLatin1(typed));
    EXPECT_EQ(std::tie(screen.WidthModuleNum, screen.LedWidth), std::tuple(count, count * 32))
        << typed;
  }
  TypeDots(Side::kAcross, QStringLiteral("100"));
  EXPECT_EQ(std::tie(screen.WidthModuleNum, screen.LedWidth), std::tuple(4, 128));
  EXPECT_EQ(Basic().DotsEdit(Side::kAcross).Edit().selectedText(), QStringLiteral("128"));
  // An emptied edit, which editingFinished skips, is one module when it loses the focus.
  Basic().DotsEdit(Side::kAcross).Edit().clear();
  Basic().DotsEdit(Side::kAcross).onFocusLost();
  EXPECT_EQ(std::tie(screen.WidthModuleNum, screen.LedWidth), std::tuple(1, 32));
  for (const char* typed : {"0", ""}) {
    TypeCount(Side::kDown, QString::fromLatin1(typed));
    EXPECT_EQ(std::tie(screen.HeightModuleNum, screen.LedHeight), std::tuple(1, 16)) << typed;
  }
  TypeCount(Side::kAcross, QStringLiteral("999"));
  EXPECT_EQ(screen.LedWidth, 999 * 32);
  Basic().CountEdit(Side::kAcross).onStepped(1);
  EXPECT_EQ(screen.WidthModuleNum, 999);
  Basic().CountEdit(Side::kAcross).onStepped(-1);
  EXPECT_EQ(screen.WidthModuleNum, 998);
  EXPECT_EQ(std::tuple(Basic().ModuleTotal().text(), Basic().DotTotal().text()),
            std::tuple(QStringLiteral("998"), QString::number(998 * 32 * 16)));
  // The dot spinners pass 999 modules but stop below 65536 dots.
  TypeDots(Side::kAcross, QStringLiteral("65500"));
  EXPECT_EQ(screen.WidthModuleNum, 999);
  for (int step = 0; step < 1100; ++step) Basic().DotsEdit(Side::kAcross).onStepped(1);
  EXPECT_EQ(std::tie(screen.WidthModuleNum, screen.LedWidth), std::tuple(2047, 65504));
  // A count whose screen no card's data can show is lowered to the most that can be.
  TypeCount(Side::kDown, QStringLiteral("999"));
  EXPECT_EQ(std::tie(screen.HeightModuleNum, screen.LedHeight), std::tuple(85, 1360));
  EXPECT_TRUE(IsDrivableScreen(screen));

  // Regular to custom keeps the counts; the size follows the custom module.
  Select(0);
  ScreenRecord& regular = Screen(0);
  // Loaded after the custom screen, the regular one shows the regular choice.
  EXPECT_TRUE(Basic().RegularRadio().isChecked());
  Basic().CustomRadio().click();  // 32 x 16, the custom list's first entry
  EXPECT_EQ(std::tie(regular.ModuleType, regular.WidthModuleNum, regular.LedWidth),
            std::tuple(1, 4, 128));
  EXPECT_EQ(pane->Tabs().count(), 3);
  // The custom list offers all 17 module sizes; the last one applies too.
  QStringList sizes;
  for (int i = 0; i < Basic().CustomList().count(); ++i) sizes << Basic().CustomList().itemText(i);
  EXPECT_EQ(sizes, QStringList({"32 * 16", "16 * 8", "64 * 32", "64 * 16", "8 * 8", "32 * 8",
                                "64 * 8", "96 * 8", "128 * 8", "16 * 16", "96 * 16", "128 * 16",
                                "32 * 32", "96 * 32", "128 * 32", "20 * 10", "24 * 12"}));
  // The areas shrink with the screen, across by 96 / 128 and down by 24 / 32.
  AreaRecord& area = testsupport::PlaceArea(AddProgram(regular), 1, 64, 8, 128, 32);
  Choose(Basic().CustomList(), 16);
  EXPECT_EQ(std::tie(regular.ModuleWidth, regular.ModuleHeight, regular.LedWidth),
            std::tuple(24, 12, 4 * 24));
  EXPECT_EQ(
      std::tie(area.AreaRect_Left, area.AreaRect_Top, area.AreaRect_Right, area.AreaRect_Bottom),
      std::tuple(48, 6, 96, 24));
  Basic().RegularRadio().click();
  EXPECT_EQ(pane->Tabs().count(), 2);
  // A colour change takes the new colour's first module with all eight of its values.
  Choose(Basic().RegularList(), 1);
  std::int32_t* const moduleFields[] = {
      &regular.ModuleWidth, &regular.ModuleHeight, &regular.OE,       &regular.DA,
      &regular.HanXu,       &regular.RouteValue,   &regular.ScanType, &regular.DataHeight};
  for (std::int32_t* field : moduleFields) *field = -1;
  Choose(Basic().ColorList(), 1);
  EXPECT_EQ(std::tie(regular.LedColor, regular.ModuleValue, regular.ModuleWidth, regular.OE),
            std::tuple(1, 0, 32, 1));
  EXPECT_EQ(std::tie(regular.RouteValue, regular.ScanType, regular.HanXu), std::tuple(8, 3, 0));
  const RegularModule taken{regular.ModuleWidth, regular.ModuleHeight, regular.OE,
                            regular.DA,          regular.HanXu,        regular.RouteValue,
                            regular.ScanType,    regular.DataHeight};
  EXPECT_EQ(std::optional(taken), RegularModuleRow(1, 0));
  // Row 1 of colour 1 is not valid: choosing it changes nothing.
  regular.ModuleValue = 1;
  const std::vector<char> before = Bytes(regular);
  Choose(Basic().RegularList(), 1);
  EXPECT_EQ(Bytes(regular), before);
  // A module 0 dots wide (from a damaged file) takes the typed count as it stands.
  regular.ModuleWidth = 0;
  TypeCount(Side::kAcross, QStringLiteral("7"));
  EXPECT_EQ(std::tie(regular.WidthModuleNum, regular.LedWidth), std::tuple(7, 0));
}

TEST_F(ScreenPages, ShrinkingKeepsAreasInsideTheBorder) {
  ScreenRecord& screen = Screen(1);
  ProgramRecord& program = AddProgram(screen);
  program.BorderWidth = 2;
  AreaRecord& wide = testsupport::PlaceArea(program, 1, 100, 10, 126, 30);
  AreaRecord& thin = testsupport::PlaceArea(program, 2, 100, 10, 102, 30);
  screen.LedWidth = 32;
  RescaleAreas(screen, 128, 32);
  EXPECT_EQ(std::tie(wide.AreaRect_Left, wide.AreaRect_Right), std::tuple(25, 30));
  EXPECT_EQ(std::tie(thin.AreaRect_Left, thin.AreaRect_Right), std::tuple(25, 26));  // 25 to 25
  screen.LedWidth = 8;
  RescaleAreas(screen, 32, 32);
  EXPECT_EQ(std::tie(wide.AreaRect_Left, wide.AreaRect_Right), std::tuple(5, 6));
  EXPECT_EQ(std::tie(wide.AreaRect_Top, wide.AreaRect_Bottom), std::tuple(10, 30));
  // An old size of 0 (a project file may hold one) rescales nothing.
  screen.LedWidth = 64;
  RescaleAreas(screen, 0, 32);
  EXPECT_EQ(std::tie(wide.AreaRect_Left, wide.AreaRect_Right), std::tuple(5, 6));
}

TEST_F(ScreenPages, TheScanPageChoosesAndSendsTheScan) {
  Select(1);
  ScreenRecord& screen = Screen(1);
  screen.ZouXianType = 3002;
  screen.HanXu = 1;  // any order above 0 shows as reversed
  Select(0);
  Select(1);
  EXPECT_TRUE(Scan().GroupRadio(3).isChecked());
  EXPECT_EQ(Scan().ScanList().currentRow(), 2);
  EXPECT_EQ(
      std::tuple(Scan().RowOrderList().currentIndex(), Scan().ColorOrderList().currentIndex()),
      std::tuple(1, 1));
  Scan().GroupRadio(7).click();
  EXPECT_EQ(std::tuple(Scan().ScanList().count(), screen.ZouXianType), std::tuple(0, 3002));
  // Each group lists the names of its own keys, numbered from 1.
  const std::pair<int, int> groupKeys[] = {{2000, 2003}, {3000, 3000}, {4000, 4012}, {5000, 5004},
                                           {6000, 6000}, {4003, 4003}, {4001, 4001}};
  for (int group = 0; group < 7; ++group) {
    Scan().GroupRadio(group).click();
    const auto [first, last] = groupKeys[group];
    ASSERT_EQ(Scan().ScanList().count(), last - first + 1) << group;
    for (int entry = 0; entry <= last - first; ++entry) {
      EXPECT_EQ(Scan().ScanList().item(entry)->text(),
                QStringLiteral("%1.   ").arg(entry + 1) +
                    ReadLangText(QStringLiteral("IDD_SCANSET_DIALOG"), first + entry))
          << group << " " << entry;
    }
  }
  Scan().GroupRadio(2).click();
  EXPECT_TRUE(Scan().ScanList().item(5)->text().startsWith(QStringLiteral("6.   1/4 scan")));
  Scan().ScanList().setCurrentRow(5);
  EXPECT_EQ(std::tie(screen.ZouXianType, screen.RouteValue, screen.DataHeight, screen.ScanType),
            std::tuple(2005, 12, 7, 3));
  Choose(Scan().RowOrderList(), 0);
  EXPECT_EQ(screen.HanXu, 0);
  Choose(Scan().RowOrderList(), 1);
  EXPECT_EQ(screen.HanXu, 6);
  pane->Tabs().setCurrentRow(2);
  SaveScreenshot(*pane, QStringLiteral("screen_param_scan_page"));
  EXPECT_EQ(CutTextsInTranslations(
                *pane, [this] { pane->ApplyLanguage(); }, QStringLiteral("screen_param_scan_page")),
            "");
  Scan().SendButton().click();
  EXPECT_EQ(Statuses(), (std::vector<Message>{{UM_STATUS_CODE, 3, 0}, {UM_STATUS_CODE, 4, 0}}));
  const emu::SettingsCommand sent = LastSettings();
  EXPECT_EQ(sent.mask, 12);
  EXPECT_EQ((std::vector<int>(sent.scan, sent.scan + 5)), (std::vector<int>{12, 6, 1, 3, 7}));
  EXPECT_EQ(sent.scanTable.at(0), ScanRowByte(12, 0));
  // Routes 100-103 take rows 20-23.
  for (int route = 100; route <= 103; ++route) {
    EXPECT_EQ(ScanTableRow(route).value()[3], ScanRowByte(route - 80, 3)) << route;
  }
  EXPECT_FALSE(ScanTableRow(20).has_value());
  // A key outside every group loads with no radio and an empty list.
  screen.ZouXianType = 9999;
  Select(0);
  Select(1);
  for (int group = 0; group < CScanSetDialog::kGroupCount; ++group) {
    EXPECT_FALSE(Scan().GroupRadio(group).isChecked()) << group;
  }
  EXPECT_EQ(Scan().ScanList().count(), 0);

  pane->Tabs().setCurrentRow(1);
  SaveScreenshot(*pane, QStringLiteral("screen_param_basic_page"));
  // The colour, OE and DA lists: keys 1017-1018, 1021-1022 and 1023-1024.
  QStringList items;
  for (const QComboBox* list : {&Basic().ColorList(), &Basic().OeList(), &Basic().DaList()}) {
    for (int i = 0; i < list->count(); ++i) items << list->itemText(i);
  }
  QStringList keys;
  for (const int key : {1017, 1018, 1021, 1022, 1023, 1024}) {
    keys << ReadLangText(QStringLiteral("IDD_BASICSET_DIALOG"), key);
  }
  EXPECT_EQ(items, keys);
  // Each caption and unit key 1000-1013 (1003 and 1004 are the radios) is on a label,
  // the units of the totals 1012 and 1013 on two each.
  QStringList labels;
  for (const QLabel* label : Basic().findChildren<QLabel*>()) labels << label->text();
  for (int key = 1000; key <= 1013; ++key) {
    if (key == 1003 || key == 1004) continue;
    EXPECT_EQ(labels.count(ReadLangText(QStringLiteral("IDD_BASICSET_DIALOG"), key)),
              key >= 1012 ? 2 : 1)
        << key;
  }
  EXPECT_EQ(
      CutTextsInTranslations(
          *pane, [this] { pane->ApplyLanguage(); }, QStringLiteral("screen_param_basic_page")),
      "");
}

}  // namespace
