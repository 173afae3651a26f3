// The USB panes through the main window, against the real controller library: a
// screen's settings, display data and screen file written into a folder that stands
// for a USB disk, decoded as a card reads them; the file read back and imported into
// the current screen or as a new one; the drive list following the disks.
#include <QAbstractButton>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <cstring>

#include "app/send/usb_send_dialog.h"
#include "controls/shell/main_window_ids.h"
#include "controls/shell/pane_ids.h"
#include "controls/shell/program_messages.h"
#include "controls/shell/window_globals.h"
#include "device/usb/usb_ids.h"
#include "device/usb/usb_import_dialog.h"
#include "model/common/app_paths.h"
#include "model/common/bounded_text.h"
#include "model/common/file_system.h"
#include "model/common/guid_text.h"
#include "model/common/media_kind.h"
#include "model/project/default_screen.h"
#include "model/project/project_editing.h"
#include "model/project/project_globals.h"
#include "model/project/scan_tables.h"
#include "model/project/screen_file.h"
#include "model/project/screen_import.h"
#include "render/frame/pak_file.h"
#include "render/frame/pak_writer.h"
#include "render/raster/dib24.h"
#include "sdk/Corvanix.h"
#include "tests/app/main_window/main_window_fixture.h"
#include "tests/model/project/project_file_test_support.h"
#include "tests/support/card_settings_codec.h"
#include "tests/support/cut_texts.h"
#include "tests/support/display_data_codec.h"
#include "tests/support/project_building.h"
#include "tests/support/recording_window.h"
#include "tests/support/screenshot.h"

namespace {

using testsupport::Message;

// The scan-row table's rows: routes 0-19, then 100-103.
constexpr int kScanRows = 24;
constexpr int kScanTableSize = std::tuple_size_v<ScanTable>;

// Every parameter a USB pane shows, in ScreenValue order.
QStringList Values(const UsbPane& pane) {
  QStringList values;
  for (int value = 0; value < kScreenValueCount; ++value) {
    values << pane.ValueText(static_cast<ScreenValue>(value));
  }
  return values;
}
QString Basic(int key) { return ReadLangText(QStringLiteral("IDD_BASICSET_DIALOG"), key); }

// Each control's text: the control's id, then the section and key of its text.
void ExpectTexts(const QWidget& pane,
                 std::initializer_list<std::tuple<int, const char*, int>> texts) {
  for (const auto& [id, section, key] : texts) {
    const auto* control = pane.findChild<QWidget*>(QString::number(id));
    const auto* label = qobject_cast<const QLabel*>(control);
    const auto* button = qobject_cast<const QAbstractButton*>(control);
    ASSERT_TRUE(label != nullptr || button != nullptr) << id;
    EXPECT_EQ(label != nullptr ? label->text() : button->text(),
              ReadLangText(QLatin1String(section), key))
        << id;
  }
}

std::vector<std::uint8_t> Bytes(const QString& path) {
  const QByteArray bytes = ReadBytes(path);
  return {bytes.begin(), bytes.end()};
}

class UsbPanes : public apptest::MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    ASSERT_TRUE(drive.isValid());
    root = drive.path() + u'/';
    qputenv("QUENDRA_REMOVABLE_DRIVES", drive.path().toLocal8Bit());
    ASSERT_TRUE(QDir().mkpath(AppFolderPath(AppFolder::Temp)));
    WriteScanRows();
    window = std::make_unique<CQuendraDlg>(Hooks());
    window->show();
    // The statuses and the pane's Back reach a recorder in place of the main window.
    MainWindowHandle = main.Handle();
  }
  void TearDown() override {
    MainWindowHandle = window->Handle();
    window.reset();
    qunsetenv("QUENDRA_REMOVABLE_DRIVES");
    MainWindowTest::TearDown();
  }

  // Row r of the scan-row table is r in every byte.
  static void WriteScanRows() {
    QByteArray rows;
    for (int row = 0; row < kScanRows; ++row) rows.append(QByteArray(kScanTableSize, char(row)));
    ASSERT_TRUE(QDir().mkpath(AppFolderPath(AppFolder::Data)));
    ASSERT_TRUE(WriteBytes(AppFilePath(AppFolder::Data, u"scan_rows.bin"), rows));
  }

  CUsbSendDialog& SendPane() { return static_cast<CUsbSendDialog&>(window->Pane(kUsbSendPane)); }
  CUsbImportDialog& ImportPane() {
    return static_cast<CUsbImportDialog&>(window->Pane(kUsbImportPane));
  }
  void Command(WPARAM id) { SendMessage(window->Handle(), WM_COMMAND, id, 0); }

  // The default screen set up for export, with a checked and an unchecked program of
  // one clock each, told apart by their loop counts.
  ScreenRecord& Screen() {
    ScreenRecord& screen = ScreenList.front();
    static_cast<void>(CopyBoundedText(screen.LedTypeStr, u" P2 -4A"));
    screen.LedWidth = 64, screen.LedHeight = 32, screen.LedColor = 1, screen.LedNumber = 3;
    screen.OE = 1, screen.DA = 0, screen.ModuleWidth = 32, screen.ModuleHeight = 16;
    screen.RouteValue = 19, screen.HanXu = 1, screen.RedGreenExchange = 1;
    screen.ScanType = 3, screen.DataHeight = 15, screen.BrightnessValue = 9;
    screen.IsTimeOnOff = 0, screen.IsTimeBrightness = 0, screen.LockState = 0;
    while (!screen.Programs.empty() && RemoveProgram(*screen.Programs.back())) {
    }
    for (const std::int32_t loops : {4, 7}) {
      ProgramRecord& program = AddProgram(screen);
      program.CheckState = loops == 4 ? 1 : 0;
      program.LoopCount = loops;
      AreaRecord& area = *AddArea(program, kDigitalClockArea);
      area.AreaRect_Right = 32, area.AreaRect_Bottom = 16;
    }
    return screen;
  }

  QString CardFile(const char* folder, const char* name) const {
    return root + QStringLiteral("marvane/KQ-%1/%2").arg(folder, name);
  }
  emu::SettingsCommand Settings() const {
    emu::SettingsCommand settings;
    EXPECT_EQ(emu::DecodeSettingsCommand(Bytes(CardFile("P", "kq_disp_cfg.usb")), settings), "");
    return settings;
  }
  std::vector<WPARAM> TakeStatuses() {
    std::vector<WPARAM> codes;
    for (const Message& message : main.Take()) {
      if (message.msg != UM_STATUS_CODE) continue;
      codes.push_back(message.wParam);
      lastResult = message.lParam;
    }
    return codes;
  }
  // The statuses and the closing of a pane, in order.
  std::vector<Message> TakeReports() {
    std::vector<Message> reports;
    for (const Message& message : main.Take()) {
      if (message.msg == UM_STATUS_CODE || message.msg == UM_PANE_BACK) reports.push_back(message);
    }
    return reports;
  }
  void Export() {
    static_cast<void>(main.Take());
    SendPane().OnExport();
  }

  QTemporaryDir drive;
  QString root;
  testsupport::RecordingWindow main;
  std::unique_ptr<CQuendraDlg> window;
  LPARAM lastResult = 0;
};

using Codes = std::vector<WPARAM>;

TEST_F(UsbPanes, ExportWritesSettingsProgramsAndTheScreenFileIntoBothCardFolders) {
  ScreenRecord& screen = Screen();
  Command(ID_TOOLBAR_USB);
  EXPECT_EQ(CurrentPaneIndex, kUsbSendPane);
  CUsbSendDialog& pane = SendPane();
  ASSERT_EQ(pane.Drives().SelectedRoot(), root);
  pane.ShowScreenInfo();
  EXPECT_EQ(Values(pane), QStringList({"P2", "3", "64", "32", Basic(1018), Basic(1022), Basic(1023),
                                       GetScanTypeName(19)}));
  EXPECT_EQ(pane.BrightnessText(), ReadLangText(QStringLiteral("IDD_USBSEND_DIALOG"), 1004) + "9");

  Export();
  EXPECT_EQ(TakeStatuses(), Codes({6, 6, 7}));
  EXPECT_TRUE(pane.ExportButton().isEnabled());
  emu::SettingsCommand settings = Settings();
  EXPECT_EQ(settings.mask, 207);
  EXPECT_EQ(std::vector<int>({settings.width, settings.height, settings.colorType}),
            std::vector<int>({64, 32, 2}));
  EXPECT_EQ(std::vector<int>(settings.oeDa, settings.oeDa + 4), std::vector<int>({1, 0, 32, 16}));
  EXPECT_EQ(std::vector<int>(settings.scan, settings.scan + 5),
            std::vector<int>({19, 1, 1, 3, 15}));
  EXPECT_EQ(settings.scanTable, std::vector<std::uint8_t>(kScanTableSize, 19));
  EXPECT_EQ(settings.brightness, 9);
  EXPECT_EQ(settings.powerEnable, 0);
  EXPECT_EQ(Bytes(CardFile("W", "kq_disp_cfg.usb")), Bytes(CardFile("P", "kq_disp_cfg.usb")));

  emu::DisplayData data;
  ASSERT_EQ(emu::DecodeDisplayData(Bytes(CardFile("P", "kq_disp_dat.usb")), data), "");
  ASSERT_EQ(data.programs.size(), 1u);  // the checked program only
  EXPECT_EQ(data.programs[0].loopCount, 4);

  const QByteArray program = ReadBytes(CardFile("P", "kq_disp_pgm.usb"));
  EXPECT_FALSE(program.isEmpty());
  EXPECT_EQ(ReadBytes(CardFile("W", "kq_disp_pgm.usb")), program);
  ScreenImport read;
  ASSERT_EQ(ReadScreenXml(read, CardFile("W", "kq_disp_pgm.usb")), 1);
  EXPECT_EQ(ReadBoundedText(read.Screen->LedTypeStr), ReadBoundedText(screen.LedTypeStr));
  EXPECT_EQ(read.Screen->RouteValue, 19);
  ASSERT_EQ(read.Screen->Programs.size(), 1u);
  EXPECT_EQ(read.Screen->Programs[0]->LoopCount, 4);
  static_cast<void>(FreeImportedScreen(read));
  ExpectTexts(pane, {{1555, "IDD_USBSEND_DIALOG", 1000},
                     {1556, "IDD_USBIMPORT_DIALOG", 1000},
                     {1557, "IDD_LEDINFO_DIALOG", 1000},
                     {1558, "IDD_COMMUNICATIONSET_DIALOG", 1016},
                     {1559, "IDD_COMMUNICATIONSET_DIALOG", 1019},
                     {1560, "IDD_COMMUNICATIONSET_DIALOG", 1020},
                     {1561, "IDD_COMMUNICATIONSET_DIALOG", 1021},
                     {1562, "IDD_BASICSET_DIALOG", 1006},
                     {1563, "IDD_BASICSET_DIALOG", 1005},
                     {1564, "IDD_SEARCH_DIALOG", 1012},
                     {1565, "IDD_BRIGHTNESS_DIALOG", 1001},
                     {1321, "IDD_SEND_DIALOG", 1007},
                     {1566, "IDD_UPDATECPU_DIALOG", 1007},
                     {1302, "IDD_USBSEND_DIALOG", 1002}});
  EXPECT_FALSE(SaveScreenshot(*window, QStringLiteral("usb_send_pane")).isEmpty());
  EXPECT_EQ(
      CutTextsInTranslations(
          SendPane(), [this] { SendPane().ApplyLanguage(); }, QStringLiteral("usb_send_pane")),
      "");

  // The clock from the pickers, a cancelled lock, route 100 and the schedules.
  pane.AdjustTime().setChecked(true);
  pane.DatePicker().setDate(QDate(2027, 3, 4));
  pane.TimePicker().setTime(QTime(5, 6, 7));
  screen.LockState = 1, screen.Year = 2028, screen.Month = 2, screen.Day = 29, screen.Hour = 23;
  screen.Minute = 59;
  screen.RouteValue = 100;
  screen.IsTimeBrightness = 1, screen.TimeBrightness.TimeFlag2 = 1;
  screen.TimeBrightness.BrightnessValue2 = 12;
  screen.IsTimeOnOff = 1, screen.TimeOnOff.TimeFlag1 = 1, screen.TimeOnOff.StartHour1 = 7;
  pane.ShowScreenInfo();
  EXPECT_EQ(pane.BrightnessText(), ReadLangText(QStringLiteral("IDD_USBSEND_DIALOG"), 1003));
  Export();
  EXPECT_EQ(TakeStatuses(), Codes({6, 6, 7}));
  settings = Settings();
  EXPECT_EQ(settings.mask, 207 + 16 + 256);
  EXPECT_EQ(settings.time, (emu::CardTime{2027, 3, 4, 5, 6, 0}));
  EXPECT_EQ(settings.lockOn, 0);
  EXPECT_EQ(settings.lockAt, (emu::CardTime{2028, 2, 29, 23, 59, 0}));
  EXPECT_EQ(settings.scanTable, std::vector<std::uint8_t>(kScanTableSize, 20));
  EXPECT_TRUE(settings.brightnessSchedule);
  EXPECT_EQ(settings.brightnessLevel[1], 12);
  EXPECT_EQ(settings.powerEnable & 1, 1);
  EXPECT_EQ(settings.powerOn[0].hour, 7);

  // Locked, and a route the table has no row for: no scan table.
  screen.LockState = 2, screen.RouteValue = 104;
  pane.AdjustTime().setChecked(false);
  Export();
  EXPECT_EQ(TakeStatuses(), Codes({6, 6, 7}));
  settings = Settings();
  EXPECT_EQ(settings.mask, 199 + 256);
  EXPECT_EQ(settings.lockOn, 1);
}

TEST_F(UsbPanes, ExportFailuresWriteNoScreenFileAndSayWhy) {
  ScreenRecord& screen = Screen();
  Command(ID_TOOLBAR_USB);
  for (const auto& program : screen.Programs) program->CheckState = 0;
  Export();
  EXPECT_EQ(asked, QStringList(Text(1065)));
  EXPECT_EQ(TakeStatuses(), Codes({6}));
  EXPECT_FALSE(DirExists(root + "marvane"));
  screen.Programs[0]->CheckState = 1;

  // A set the builder refused parts of (a border that leaves no content) fails though
  // the card's files were written; the screen file is not.
  AreaRecord& clock = *screen.Programs[0]->Areas[0];
  clock.IsUseBorder = 1, clock.BorderWidth = 9;
  Export();
  EXPECT_EQ(TakeStatuses(), Codes({6, 6, 8}));
  EXPECT_EQ(lastResult, KQ_ERR_BAD_SIZE);
  EXPECT_FALSE(FileExists(CardFile("P", "kq_disp_pgm.usb")));
  clock.IsUseBorder = 0;
  ASSERT_TRUE(QDir(root + "marvane").removeRecursively());

  ASSERT_TRUE(WriteBytes(root + "marvane", "in the way"));
  Export();
  EXPECT_EQ(TakeStatuses(), Codes({6, 6, 8}));
  EXPECT_EQ(lastResult, KQ_ERR_USB_FOLDER);
  ASSERT_TRUE(QFile::remove(root + "marvane"));

  // Links planted as "marvane" and as the screen file: nothing is written through them.
  QTemporaryDir elsewhere;
  ASSERT_TRUE(QFile::link(elsewhere.path(), root + "marvane"));
  Export();
  EXPECT_EQ(TakeStatuses(), Codes({6, 6, 8}));
  EXPECT_EQ(lastResult, KQ_ERR_USB_FOLDER);
  ASSERT_TRUE(QFile::remove(root + "marvane"));
  ASSERT_TRUE(QDir().mkpath(root + "marvane/KQ-P"));
  ASSERT_TRUE(QFile::link(elsewhere.filePath("pgm"), CardFile("P", "kq_disp_pgm.usb")));
  Export();
  EXPECT_EQ(TakeStatuses(), Codes({6, 6, 8}));
  EXPECT_EQ(lastResult, KQ_ERR_FILE);
  EXPECT_TRUE(QDir(elsewhere.path()).isEmpty());
  ASSERT_TRUE(QFile::remove(CardFile("P", "kq_disp_pgm.usb")));

  ASSERT_TRUE(QDir().mkpath(CardFile("P", "kq_disp_pgm.usb")));
  Export();
  EXPECT_EQ(TakeStatuses(), Codes({6, 6, 8}));
  EXPECT_EQ(lastResult, KQ_ERR_FILE);
  EXPECT_FALSE(FileExists(CardFile("W", "kq_disp_pgm.usb")));
  EXPECT_TRUE(SendPane().ExportButton().isEnabled());
  ASSERT_TRUE(QDir(root + "marvane").removeRecursively());

  // No room for the program file in the program's own Temp folder: none reaches the disk.
  const QString temp = AppFolderPath(AppFolder::Temp).chopped(1);
  ASSERT_TRUE(QDir(temp).removeRecursively() && WriteBytes(temp, "in the way"));
  Export();
  EXPECT_EQ(TakeStatuses(), Codes({6, 6, 8}));
  EXPECT_FALSE(FileExists(CardFile("P", "kq_disp_pgm.usb")));
  ASSERT_TRUE(QFile::remove(temp) && QDir().mkpath(temp));

  qunsetenv("QUENDRA_REMOVABLE_DRIVES");
  SendPane().FillDriveList();
  asked.clear();
  Export();
  EXPECT_EQ(asked, QStringList(ReadLangText(QStringLiteral("IDD_UPDATECPU_DIALOG"), 1008)));
  EXPECT_EQ(styles.back(), 0x40);
  EXPECT_TRUE(TakeStatuses().empty());
}

TEST_F(UsbPanes, DriveListFollowsTheDisksAndKeepsTheChoiceOfAnUnchangedSet) {
  QTemporaryDir second;
  qputenv("QUENDRA_REMOVABLE_DRIVES", (drive.path() + u':' + second.path()).toLocal8Bit());
  Command(ID_TOOLS_USB_READ_BACK);
  DriveList& drives = ImportPane().Drives();
  ASSERT_EQ(drives.count(), 2);
  EXPECT_EQ(drives.currentIndex(), 0);
  drives.setCurrentIndex(1);
  SendMessage(ImportPane().Handle(), WM_TIMER, kDriveTimerId, 0);
  EXPECT_EQ(drives.SelectedRoot(), second.path() + u'/');

  ASSERT_TRUE(QDir(drive.path()).removeRecursively());
  SendMessage(ImportPane().Handle(), WM_TIMER, kDriveTimerId, 0);
  ASSERT_EQ(drives.count(), 1);
  EXPECT_EQ(drives.SelectedRoot(), second.path() + u'/');
  EXPECT_EQ(drives.currentIndex(), 0);
}

// A screen file of the default screen's settings, its number and card number as
// given and one program, written into a card folder.
void WriteScreenFile(const QString& path, std::int32_t number, std::int32_t cardNumber) {
  ScreenRecord screen = MakeDefaultScreen();
  screen.LedNo = number, screen.LedNumber = cardNumber;
  screen.LedWidth = 96, screen.LedHeight = 48, screen.LedIp = 0x0A000007;
  // Read back, only 1 counts as high; the last colour type.
  screen.OE = 2, screen.DA = 1, screen.LedColor = 3, screen.RouteValue = 7;
  static_cast<void>(CopyBoundedText(screen.LedTypeStr, u"W3 - x"));
  ProgramRecord& program = AddProgram(screen);
  program.CheckState = 1;
  AreaRecord& area = *AddArea(program, kDigitalClockArea);
  area.AreaRect_Right = 40, area.AreaRect_Bottom = 20;
  ScreenSendJob job{&screen, {{&program, {&area}}}};
  ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
  ASSERT_EQ(WriteScreenXml(job, path), 1);
}

TEST_F(UsbPanes, ReadBackFindsTheFileShowsItAndRefusesWhatItCannotRead) {
  Command(ID_TOOLS_USB_READ_BACK);
  CUsbImportDialog& pane = ImportPane();
  EXPECT_FALSE(pane.Button(IDC_USB_IMPORT_AS_NEW)->isEnabled());
  pane.OnImport();
  EXPECT_EQ(TakeStatuses(), Codes({30}));
  EXPECT_FALSE(pane.Imported().Screen);

  WriteScreenFile(CardFile("W", "kq_disp_pgm.usb"), 9, 11);
  pane.OnImport();
  EXPECT_EQ(TakeStatuses(), Codes({31}));
  ASSERT_TRUE(pane.Imported().Screen);
  EXPECT_EQ(Values(pane), QStringList({"W3", "11", "96", "48", Basic(1020), Basic(1021),
                                       Basic(1024), GetScanTypeName(7)}));
  EXPECT_TRUE(pane.Button(IDC_USB_IMPORT_TO_CURRENT)->isEnabled());
  EXPECT_TRUE(pane.Button(IDC_USB_IMPORT_AS_NEW)->isEnabled());
  ExpectTexts(pane, {{1545, "IDD_UPDATECPU_DIALOG", 1007},
                     {1546, "IDD_USBIMPORT_DIALOG", 1000},
                     {1375, "IDD_USBIMPORT_DIALOG", 1001},
                     {1548, "IDD_LEDINFO_DIALOG", 1000},
                     {1549, "IDD_COMMUNICATIONSET_DIALOG", 1016},
                     {1550, "IDD_COMMUNICATIONSET_DIALOG", 1019},
                     {1551, "IDD_COMMUNICATIONSET_DIALOG", 1020},
                     {1552, "IDD_COMMUNICATIONSET_DIALOG", 1021},
                     {1553, "IDD_BASICSET_DIALOG", 1005},
                     {1554, "IDD_BASICSET_DIALOG", 1006},
                     {1547, "IDD_SEARCH_DIALOG", 1012},
                     {1003, "IDD_USBIMPORT_DIALOG", 1003},
                     {1384, "IDD_USBIMPORT_DIALOG", 1004}});
  EXPECT_FALSE(SaveScreenshot(*window, QStringLiteral("usb_import_pane")).isEmpty());
  EXPECT_EQ(CutTextsInTranslations(
                pane, [&pane] { pane.ApplyLanguage(); }, QStringLiteral("usb_import_pane")),
            "");

  WriteScreenFile(CardFile("P", "kq_disp_pgm.usb"), 9, 12);
  pane.OnImport();  // reads again, the first screen freed
  EXPECT_EQ(pane.ValueText(kValueCardNumber), "12");

  QFile::remove(CardFile("P", "kq_disp_pgm.usb"));
  QFile::remove(CardFile("W", "kq_disp_pgm.usb"));
  pane.OnImport();
  EXPECT_EQ(TakeStatuses(), Codes({31, 30}));
  EXPECT_EQ(pane.ValueText(kValueCardNumber), "12");  // unchanged

  const QByteArray whole = [&] {
    WriteScreenFile(CardFile("P", "kq_disp_pgm.usb"), 9, 13);
    return ReadBytes(CardFile("P", "kq_disp_pgm.usb"));
  }();
  ASSERT_TRUE(WriteBytes(CardFile("P", "kq_disp_pgm.usb"), whole.left(whole.size() / 2)));
  pane.OnImport();
  EXPECT_TRUE(TakeStatuses().empty());
  EXPECT_EQ(asked.back(), ReadLangText(QStringLiteral("IDD_USBIMPORT_DIALOG"), 1006));
  EXPECT_EQ(styles.back(), 0x10);
  EXPECT_EQ(pane.ValueText(kValueCardNumber), QString());
  EXPECT_FALSE(pane.Button(IDC_USB_IMPORT_TO_CURRENT)->isEnabled());
  EXPECT_FALSE(pane.Imported().Screen);

  // A file larger than any card's project is refused, unread, as too large.
  QFile big(CardFile("P", "kq_disp_pgm.usb"));
  ASSERT_TRUE(big.resize(kMaxScreenFileBytes + 1));  // sparse: nothing is written
  pane.OnImport();
  EXPECT_EQ(asked.back(), ReadLangText(QStringLiteral("IDD_USBIMPORT_DIALOG"), 1007));
  EXPECT_FALSE(pane.Imported().Screen);
}

TEST_F(UsbPanes, ImportReplacesTheCurrentScreenOrAddsANewOne) {
  ScreenRecord& first = ScreenList.front();
  first.LedNo = 1;
  first.LogoLeft = 2, first.LogoRight = 30, first.LogoBottom = 10;
  first.LogoFiles.emplace_back().AddType = 1;
  ScreenList.emplace_back(MakeDefaultScreen()).LedNo = 5;
  window->ProjectPage().BuildTreeFromModel();
  CurrentScreenNo = 1;
  const TreeItemHandle firstItem = first.TreeItem;
  WriteScreenFile(CardFile("P", "kq_disp_pgm.usb"), 2, 11);

  Command(ID_TOOLS_USB_READ_BACK);
  CUsbImportDialog& pane = ImportPane();
  pane.OnImport();
  static_cast<void>(main.Take());
  pane.OnImportToCurrent();
  EXPECT_EQ(first.LedNo, 1);
  EXPECT_EQ(first.TreeItem, firstItem);
  EXPECT_EQ(ScreenList.size(), 2u);
  EXPECT_EQ(&ScreenList.front(), &first);
  EXPECT_EQ(std::vector<int>({first.LogoLeft, first.LogoRight, first.LogoBottom}),
            std::vector<int>({2, 30, 10}));
  EXPECT_EQ(first.LogoFiles.size(), 1u);
  EXPECT_EQ(first.LedNumber, 11);
  EXPECT_EQ(first.LedIp, 0x0A000007u);  // the link settings come from the file
  ASSERT_EQ(first.Programs.size(), 1u);
  EXPECT_EQ(first.Programs[0]->OwnerScreen, &first);
  QTreeWidgetItem* root = window->ProjectPage().Tree().topLevelItem(0);
  EXPECT_EQ(root->childCount(), 1);
  EXPECT_EQ(window->PreviewFrame().ScreenSize(), QSize(96, 48));
  EXPECT_EQ(TakeReports(),
            (std::vector<Message>{{UM_STATUS_CODE, 32, 0}, {UM_PANE_BACK, kUsbImportPane, 0}}));
  EXPECT_FALSE(pane.Imported().Screen);

  // Opened again: nothing read, nothing shown, neither import does anything.
  pane.ResetPane();
  EXPECT_EQ(Values(pane), QStringList(kScreenValueCount, QString()));
  EXPECT_FALSE(pane.Button(IDC_USB_IMPORT_TO_CURRENT)->isEnabled() ||
               pane.Button(IDC_USB_IMPORT_AS_NEW)->isEnabled());
  pane.OnImportToCurrent();
  pane.OnImportAsNew();
  EXPECT_TRUE(TakeReports().empty());

  pane.OnImport();
  CurrentScreenNo = 77;  // no such screen: the read screen stays for another try
  static_cast<void>(main.Take());
  pane.OnImportToCurrent();
  EXPECT_TRUE(TakeReports().empty());
  EXPECT_TRUE(pane.Imported().Screen);
  pane.OnImportAsNew();
  ASSERT_EQ(ScreenList.size(), 3u);
  EXPECT_EQ(ScreenList.back().LedNo, 6);
  EXPECT_EQ(window->ProjectPage().Tree().topLevelItemCount(), 3);
  EXPECT_EQ(TakeReports(),
            (std::vector<Message>{{UM_STATUS_CODE, 33, 0}, {UM_PANE_BACK, kUsbImportPane, 0}}));
}

// The settings an import takes from the file, as one comparable value.
auto ImportedSettings(const ScreenRecord& s) {
  return std::make_tuple(ReadBoundedText(s.LedName), ReadBoundedText(s.LedTypeStr), s.SendType,
                         s.LedIp, s.LedNumber, s.LedColor, s.LedWidth, s.LedHeight, s.ModuleType,
                         s.ModuleWidth, s.ModuleHeight, s.OE, s.DA, s.ZouXianType, s.RouteValue,
                         s.ScanType, s.DataHeight, s.RedGreenExchange, s.HanXu, s.BrightnessValue,
                         s.IsTimeOnOff, s.TimeOnOff.StartHour1, s.IsTimeBrightness,
                         s.TimeBrightness.BrightnessValue2);
}

template <typename Entry>
Entry MediaEntry(char16_t (Entry::*guid)[kNameCapacity], const QString& path) {
  Entry entry{};
  entry.FileType = kMediaPicture;
  static_cast<void>(CopyBoundedText(entry.FilePath, path));
  static_cast<void>(CopyBoundedText(entry.*guid, NewGuidText()));
  return entry;
}

TEST_F(UsbPanes, ExportedScreenComesBackAsANewScreenWithItsContentUnderNewNames) {
  ScreenRecord& screen = Screen();
  screen.IsTimeOnOff = 1, screen.TimeOnOff.StartHour1 = 6;
  screen.IsTimeBrightness = 1, screen.TimeBrightness.BrightnessValue2 = 3;
  ProgramRecord& program = *screen.Programs[0];
  AreaRecord& text = testsupport::PlaceArea(program, kImageTextArea, 32, 0, 64, 16);
  FileItem& page = std::get<std::vector<FileItem>>(text.Kind).emplace_back(FileItem{});
  page.AddType = 1;
  static_cast<void>(CopyBoundedText(page.guid, NewGuidText()));
  const QString pageName = ReadBoundedText(page.guid);
  ASSERT_TRUE(QDir().mkpath(AppFolderPath(AppFolder::UserData)));
  ASSERT_TRUE(WriteBytes(AppFilePath(AppFolder::UserData, pageName + ".rtf"), "{\\rtf1 hi}"));
  PakWriter frames;
  ASSERT_TRUE(frames.Open(PakFramePath(pageName), 32, 16, 0));
  ASSERT_TRUE(frames.AppendFrame(Dib24::FromImage(QImage(32, 16, QImage::Format_RGB32))));
  ASSERT_TRUE(frames.Finish(0));

  const QString picture = GetAppDir() + "media/red.png";
  ASSERT_TRUE(QDir().mkpath(GetAppDir() + "media"));
  QImage red(8, 8, QImage::Format_RGB32);
  red.fill(Qt::red);
  ASSERT_TRUE(red.save(picture));
  AreaRecord& files = testsupport::PlaceArea(program, kFilesArea, 0, 16, 64, 32);
  std::get<std::vector<FileAreaItem>>(files.Kind)
      .push_back(MediaEntry(&FileAreaItem::Guid, picture));
  files.IsUseBack = 1;
  files.Backgrounds.push_back(MediaEntry(&BackgroundItem::guid, picture));

  Command(ID_TOOLBAR_USB);
  Export();
  ASSERT_EQ(TakeStatuses(), Codes({6, 6, 7}));
  Command(ID_TOOLS_USB_READ_BACK);
  ImportPane().OnImport();
  ImportPane().OnImportAsNew();
  ASSERT_EQ(ScreenList.size(), 2u);
  const ScreenRecord& copy = ScreenList.back();
  EXPECT_EQ(ImportedSettings(copy), ImportedSettings(screen));
  EXPECT_NE(copy.LedNo, screen.LedNo);
  ASSERT_EQ(copy.Programs.size(), 1u);  // the checked program
  const ProgramRecord& copied = *copy.Programs[0];
  EXPECT_EQ(copied.LoopCount, program.LoopCount);
  ASSERT_EQ(copied.Areas.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    const AreaRecord& area = *copied.Areas[i];
    const AreaRecord& original = *program.Areas[i];
    EXPECT_EQ(
        std::make_tuple(area.AreaType, area.AreaRect_Left, area.AreaRect_Top, area.AreaRect_Right,
                        area.AreaRect_Bottom, area.IsUseBack),
        std::make_tuple(original.AreaType, original.AreaRect_Left, original.AreaRect_Top,
                        original.AreaRect_Right, original.AreaRect_Bottom, original.IsUseBack));
  }
  const FileItem& copiedPage = std::get<std::vector<FileItem>>(copied.Areas[1]->Kind).at(0);
  EXPECT_EQ(copiedPage.AddType, 1);
  EXPECT_NE(ReadBoundedText(copiedPage.guid), pageName);
  EXPECT_EQ(ReadBytes(AppFilePath(AppFolder::UserData, ReadBoundedText(copiedPage.guid) + ".rtf")),
            "{\\rtf1 hi}");
  const FileAreaItem& copiedFile = std::get<std::vector<FileAreaItem>>(copied.Areas[2]->Kind).at(0);
  const BackgroundItem& copiedBack = copied.Areas[2]->Backgrounds.at(0);
  for (const QString& path :
       {ReadBoundedText(copiedFile.FilePath), ReadBoundedText(copiedBack.FilePath)}) {
    EXPECT_TRUE(path.startsWith(AppFolderPath(AppFolder::UserData))) << path.toStdString();
    EXPECT_EQ(ReadBytes(path), ReadBytes(picture));
  }
  EXPECT_NE(ReadBoundedText(copiedFile.Guid),
            ReadBoundedText(std::get<std::vector<FileAreaItem>>(files.Kind)[0].Guid));
  EXPECT_NE(ReadBoundedText(copiedBack.guid), ReadBoundedText(files.Backgrounds[0].guid));
}

}  // namespace
