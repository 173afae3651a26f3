// The boot-logo pane through the main window, against the real controller library and
// renderer: logos listed, rendered and sent to an emulated card and into a folder that
// stands for a USB disk, the rectangle and stay-time rules, and the pane's opening and
// closing around the canvas.
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "controls/shell/pane_ids.h"
#include "controls/shell/program_messages.h"
#include "controls/shell/rtf_editor_opener.h"
#include "controls/shell/window_globals.h"
#include "device/logo/logo_ids.h"
#include "device/logo/logo_set_dialog.h"
#include "model/common/file_system.h"
#include "model/common/guid_text.h"
#include "model/project/project_globals.h"
#include "model/settings/lang_sections.h"
#include "model/settings/ui/dlg_lang_text.h"
#include "tests/app/main_window/send_fixture.h"
#include "tests/model/project/project_file_test_support.h"
#include "tests/support/card_settings_codec.h"
#include "tests/support/cut_texts.h"
#include "tests/support/recording_window.h"
#include "tests/support/screenshot.h"
#include "tests/support/settings_card.h"

namespace {

using testsupport::Message;
using testsupport::RecordingWindow;

std::vector<std::uint8_t> Bytes(const QString& path) {
  const QByteArray bytes = ReadBytes(path);
  return {bytes.begin(), bytes.end()};
}

class LogoPane : public apptest::SendTest {
 protected:
  void SetUp() override {
    SendTest::SetUp();
    ASSERT_TRUE(drive.isValid());
    qputenv("QUENDRA_REMOVABLE_DRIVES", drive.path().toLocal8Bit());
    ShowWindow();
    RunRtfEditor = [this](const RtfEditRequest& request) {
      edited.push_back(ReadBoundedText(request.item->FileName));
    };
    Pane().SetPictureChooser([this](QWidget*) { return chosen; });
    // The statuses reach a recorder in place of the main window.
    MainWindowHandle = main.Handle();
    screen = &ScreenList.front();
    screen->LedWidth = 64, screen->LedHeight = 32, screen->LedColor = 1;
    screen->IsShowLogoStart = 0, screen->IsShowLogoNoProgram = 0;
    screen->LogoLeft = 0, screen->LogoTop = 0, screen->LogoRight = 32, screen->LogoBottom = 16;
    screen->LogoFiles.clear();
  }
  void TearDown() override {
    MainWindowHandle = window_->Handle();
    qunsetenv("QUENDRA_REMOVABLE_DRIVES");
    SendTest::TearDown();
  }

  CLogoSetDialog& Pane() { return static_cast<CLogoSetDialog&>(window_->Pane(kLogoPane)); }
  // The access-code pane accepted the code for the boot logo.
  void Open() { SendMessage(window_->Handle(), UM_PANE_BACK, kAccessCodePane, 3); }
  void Close() { SendMessage(window_->Handle(), UM_PANE_BACK, kLogoPane, 0); }
  void Type(int editId, const QString& text) {
    auto* edit = qobject_cast<QLineEdit*>(FindControl(&Pane(), editId));
    ASSERT_NE(edit, nullptr);
    edit->selectAll();
    QTest::keyClicks(edit, text);
  }
  QString EditText(int editId) {
    return qobject_cast<QLineEdit*>(FindControl(&Pane(), editId))->text();
  }
  QCheckBox& Box(int id) { return *qobject_cast<QCheckBox*>(FindControl(&Pane(), id)); }
  void Reach(emu::TcpCard& tcp) {
    for (const QString& octet : QString::fromStdString(tcp.Address()).split('.'))
      screen->LedIp = screen->LedIp << 8 | octet.toUInt();
  }
  // The pane open on a screen that reaches the card, with one picture logo.
  void OpenWithPicture(emu::TcpCard& tcp) {
    Reach(tcp);
    chosen = {Picture("a.png")};
    Open();
    Pane().OnAddPicture();
  }
  std::vector<int> TakeStatuses() {
    std::vector<int> codes;
    for (const Message& message : main.Take()) {
      if (message.msg != UM_STATUS_CODE) continue;
      codes.push_back(static_cast<int>(message.wParam));
      lastResult = static_cast<int>(message.lParam);
    }
    return codes;
  }
  QStringList ListTexts() {
    QStringList texts;
    for (int i = 0; i < Pane().LogoList().count(); ++i) texts << Pane().LogoList().item(i)->text();
    return texts;
  }
  // A picture file of the program folder.
  QString Picture(const QString& name) {
    const QString path = QDir(AppFolderPath(AppFolder::Temp)).filePath(name);
    QImage image(16, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    EXPECT_TRUE(image.save(path));
    return path;
  }

  QTemporaryDir drive;
  RecordingWindow main;
  ScreenRecord* screen = nullptr;
  QStringList chosen;
  QStringList edited;
  int lastResult = 0;
};

TEST_F(LogoPane, NetworkSetSendsTheFlagsThenEveryLogoRenderedAtTheRectangle) {
  emu::Card card(1);
  emu::SettingsCard settingsCard(card, emu::CardState{});
  emu::TcpCard tcp(card);
  ASSERT_TRUE(tcp.Listening());
  Reach(tcp);
  Open();
  EXPECT_EQ(Pane().Caption(), QStringLiteral("Boot logo - ") + ReadBoundedText(screen->LedName));
  EXPECT_FALSE(Pane().Drives().isVisibleTo(&Pane()));  // a USB-disk screen's only

  // Without a logo the box is only remembered for the set, and the set refuses.
  Box(IDC_LOGO_AT_START).click();
  EXPECT_EQ(screen->IsShowLogoStart, 0);
  Pane().OnSend();
  EXPECT_EQ(asked, QStringList{ReadLangText(lang_section::IDD_LOGOSET_DIALOG, 1001)});
  EXPECT_TRUE(card.Payloads().empty());
  EXPECT_TRUE(TakeStatuses().empty());

  // Two rich-text logos, each opened in the editor, then the first made wider: only the
  // selected one renders, the set renders the other.
  Pane().OnAddRtfLogo();
  Pane().OnAddRtfLogo();
  EXPECT_EQ(edited, (QStringList{"Logo 1", "Logo 2"}));
  Box(IDC_LOGO_NO_PROGRAM).click();
  EXPECT_EQ(screen->IsShowLogoNoProgram, 1);
  Pane().LogoList().setCurrentRow(0);
  Type(IDC_LOGO_WIDTH, QStringLiteral("48"));
  SendMessage(Pane().Handle(), WM_TIMER, CLogoSetDialog::kSizeTimerId, 0);
  const auto frameWidth = [](const FileItem& logo) {
    const std::vector<QImage> frames = apptest::FrameFileFrames(ReadBoundedText(logo.guid));
    return frames.empty() ? 0 : frames[0].width();
  };
  EXPECT_EQ(frameWidth(screen->LogoFiles[0]), 48);
  EXPECT_EQ(frameWidth(screen->LogoFiles[1]), 32);
  SaveScreenshot(*window_, QStringLiteral("logo_pane_network"));
  // The texts of the pane: control, section and key.
  const std::tuple<int, const char*, int> texts[] = {
      {IDC_LOGO_WIDTH_LABEL, "IDD_AREASET_DIALOG", 1001},
      {IDC_LOGO_HEIGHT_LABEL, "IDD_AREASET_DIALOG", 1002},
      {IDC_LOGO_LIST_LABEL, "IDD_LOGOSET_DIALOG", 1002},
      {IDC_LOGO_STAY_LABEL, "IDD_FILE_DIALOG", 1002},
      {IDC_LOGO_DRIVE_LABEL, "IDD_UPDATECPU_DIALOG", 1007},
      {IDC_LOGO_AT_START, "IDD_LOGOSET_DIALOG", 1005},
      {IDC_LOGO_NO_PROGRAM, "IDD_LOGOSET_DIALOG", 1006},
      {IDC_LOGO_USB_WARNING, "IDD_LOGOSET_DIALOG", 1007},
      {IDC_LOGO_SET, "IDD_BRIGHTNESS_DIALOG", 1002}};
  for (const auto& [id, section, key] : texts) {
    EXPECT_EQ(FindControl(&Pane(), id)->property("text").toString(),
              ReadLangText(QString::fromLatin1(section), key))
        << id;
  }
  EXPECT_EQ(CutTextsInTranslations(
                Pane(), [this] { Pane().ApplyLanguage(); }, QStringLiteral("logo_pane")),
            "");

  Pane().OnSend();
  EXPECT_EQ(TakeStatuses(), (std::vector<int>{-3, -2}));
  ASSERT_EQ(settingsCard.SettingsCommands().size(), 1u);
  const emu::SettingsCommand sent = settingsCard.SettingsCommands()[0];
  EXPECT_EQ(sent.mask, 0x800);
  EXPECT_EQ(std::vector<int>(sent.logo, sent.logo + 2), (std::vector<int>{1, 1}));
  ASSERT_EQ(card.Payloads().size(), 2u);
  emu::DisplayData data;
  ASSERT_EQ(emu::DecodeDisplayData(card.Payloads()[1], data), "");
  EXPECT_EQ(data.modeByte, 0xF1);  // header mode 2, a boot logo
  ASSERT_EQ(data.programs.size(), 1u);
  ASSERT_EQ(data.programs[0].areas.size(), 1u);
  const emu::DisplayArea& shown = data.programs[0].areas[0];
  std::size_t next = 0;
  for (const FileItem& logo : screen->LogoFiles) {
    EXPECT_EQ(frameWidth(logo), 48);
    for (const QImage& picture : apptest::FrameFileFrames(ReadBoundedText(logo.guid))) {
      ASSERT_LT(next, shown.frames.size());
      EXPECT_EQ(apptest::WrongPixels(shown.frames[next++], picture), 0);
    }
  }
  EXPECT_EQ(next, shown.frames.size());
}

TEST_F(LogoPane, RefusedSettingStopsTheSetWithItsCode) {
  emu::Card card(1);
  card.ReactAlways({emu::Reaction::kAck, 7, 0});
  emu::TcpCard tcp(card);
  ASSERT_TRUE(tcp.Listening());
  OpenWithPicture(tcp);
  Pane().OnSend();
  EXPECT_EQ(TakeStatuses(), (std::vector<int>{-3, -1}));
  EXPECT_EQ(lastResult, 7);
  EXPECT_EQ(card.Payloads().size(), 1u);  // the settings alone
}

TEST_F(LogoPane, PaneIsDisabledWhileTheSetWaitsForTheCard) {
  emu::Card card(1);
  card.ReactAlways({emu::Reaction::kAck, 0, 200});
  emu::TcpCard tcp(card);
  ASSERT_TRUE(tcp.Listening());
  OpenWithPicture(tcp);
  bool enabledDuringSet = true;
  QTimer::singleShot(50, [&] { enabledDuringSet = Pane().isEnabled(); });
  Pane().OnSend();
  EXPECT_FALSE(enabledDuringSet);
  EXPECT_TRUE(Pane().isEnabled());
  EXPECT_EQ(TakeStatuses(), (std::vector<int>{-3, -2}));
}

TEST_F(LogoPane, UsbDiskSetWritesSettingsAndLogosIntoTheDrive) {
  screen->SendType = kSendByUsbDisk;
  chosen = {Picture("a.png")};
  Open();
  Pane().OnAddPicture();
  SendMessage(Pane().Handle(), WM_TIMER, kDriveTimerId, 0);
  ASSERT_EQ(Pane().Drives().count(), 1);
  EXPECT_TRUE(Pane().Drives().isVisibleTo(&Pane()));
  Box(IDC_LOGO_AT_START).click();
  SaveScreenshot(*window_, QStringLiteral("logo_pane_usb"));
  Pane().OnSend();
  EXPECT_EQ(TakeStatuses(), (std::vector<int>{6, 7}));
  const QString folder = drive.path() + QStringLiteral("/marvane/KQ-P/");
  emu::SettingsCommand settings;
  ASSERT_EQ(emu::DecodeSettingsCommand(Bytes(folder + "kq_disp_cfg.usb"), settings), "");
  EXPECT_EQ(settings.mask, 0x801);
  EXPECT_EQ(std::tuple(settings.width, settings.height, settings.colorType), std::tuple(64, 32, 2));
  EXPECT_EQ(std::vector<int>(settings.logo, settings.logo + 2), (std::vector<int>{1, 0}));
  emu::DisplayData data;
  ASSERT_EQ(emu::DecodeDisplayData(Bytes(folder + "kq_disp_dat.usb"), data), "");
  EXPECT_EQ(data.modeByte, 0xF1);  // header mode 2, a boot logo

  // Another drive in the entry's place replaces it.
  QTemporaryDir other;
  qputenv("QUENDRA_REMOVABLE_DRIVES", other.path().toLocal8Bit());
  SendMessage(Pane().Handle(), WM_TIMER, kDriveTimerId, 0);
  ASSERT_EQ(Pane().Drives().count(), 1);
  EXPECT_EQ(Pane().Drives().itemText(0), other.path() + u'/');

  // With the drive gone the set asks for one and writes nothing.
  qunsetenv("QUENDRA_REMOVABLE_DRIVES");
  SendMessage(Pane().Handle(), WM_TIMER, kDriveTimerId, 0);
  ASSERT_TRUE(QFile::remove(folder + "kq_disp_dat.usb"));
  Pane().OnSend();
  EXPECT_EQ(asked.back(), ReadLangText(lang_section::IDD_UPDATECPU_DIALOG, 1008));
  EXPECT_EQ(styles.back(), 0x40);
  EXPECT_TRUE(TakeStatuses().empty());
  EXPECT_FALSE(QFile::exists(folder + "kq_disp_dat.usb"));
}

TEST_F(LogoPane, RectangleAndStayTimeStayInRange) {
  screen->LedWidth = 128;
  screen->LogoLeft = 10, screen->LogoRight = 74;  // width 64
  Open();
  Type(IDC_LOGO_X, QStringLiteral("100"));
  EXPECT_EQ(EditText(IDC_LOGO_X), QStringLiteral("64"));
  EXPECT_EQ(Pane().LogoArea()->AreaRect_Right, 128);
  Close();

  screen->LedWidth = 256;
  screen->LogoLeft = 10, screen->LogoRight = 74;
  Open();
  Type(IDC_LOGO_WIDTH, QStringLiteral("300"));
  EXPECT_EQ(EditText(IDC_LOGO_X), QStringLiteral("0"));
  EXPECT_EQ(EditText(IDC_LOGO_WIDTH), QStringLiteral("256"));
  EXPECT_EQ(Pane().LogoArea()->AreaRect_Right, 256);
  Type(IDC_LOGO_X, QStringLiteral("1"));  // one past the edge: at least 0
  EXPECT_EQ(EditText(IDC_LOGO_X), QStringLiteral("0"));
  Type(IDC_LOGO_HEIGHT, QStringLiteral("0"));
  EXPECT_EQ(EditText(IDC_LOGO_HEIGHT), QStringLiteral("1"));
  // The up arrow raises; a step the edge holds back shows a position selected, a size not.
  const auto step = [this](int spinId) {
    static_cast<DigitSpinEdit*>(FindControl(&Pane(), spinId))->UpButton().click();
  };
  step(IDC_LOGO_HEIGHT_SPIN);
  EXPECT_EQ(EditText(IDC_LOGO_HEIGHT), QStringLiteral("2"));
  const auto selected = [this](int editId) {
    return qobject_cast<QLineEdit*>(FindControl(&Pane(), editId))->selectedText();
  };
  step(IDC_LOGO_X_SPIN);
  EXPECT_EQ(selected(IDC_LOGO_X), QStringLiteral("0"));
  step(IDC_LOGO_WIDTH_SPIN);
  EXPECT_EQ(std::pair(selected(IDC_LOGO_WIDTH), EditText(IDC_LOGO_WIDTH)),
            std::pair(QString(), QStringLiteral("256")));

  // No logo: the stay time changes nothing; with one it keeps 1-255.
  Type(IDC_LOGO_STAY, QStringLiteral("0"));
  EXPECT_EQ(EditText(IDC_LOGO_STAY), QStringLiteral("0"));
  chosen = {Picture("a.png")};
  Pane().OnAddPicture();
  Type(IDC_LOGO_STAY, QStringLiteral("0"));
  EXPECT_EQ(screen->LogoFiles[0].DelayTime, 1);
  static_cast<DigitSpinEdit*>(FindControl(&Pane(), IDC_LOGO_STAY_SPIN))->DownButton().click();
  EXPECT_EQ(screen->LogoFiles[0].DelayTime, 1);
  Type(IDC_LOGO_STAY, QStringLiteral("256"));
  EXPECT_EQ(EditText(IDC_LOGO_STAY), QStringLiteral("255"));
  static_cast<DigitSpinEdit*>(FindControl(&Pane(), IDC_LOGO_STAY_SPIN))->UpButton().click();
  EXPECT_EQ(screen->LogoFiles[0].DelayTime, 255);
  Close();

  // A rectangle stored past a screen that has shrunk since loads inside it.
  screen->LedWidth = 64, screen->LedHeight = 16;
  screen->LogoLeft = 100, screen->LogoTop = 8, screen->LogoRight = 200, screen->LogoBottom = 40;
  Open();
  const AreaRecord& area = *Pane().LogoArea();
  EXPECT_EQ(
      std::tuple(area.AreaRect_Left, area.AreaRect_Top, area.AreaRect_Right, area.AreaRect_Bottom),
      std::tuple(0, 0, 64, 16));
}

TEST_F(LogoPane, ListAddsAndDeletesLogosWithTheirFiles) {
  chosen = {Picture("a.png"), Picture("b.jpg"), Picture("c.bmp")};
  Open();
  Pane().OnAddPicture();
  EXPECT_EQ(ListTexts(), chosen);
  EXPECT_EQ(Pane().LogoList().currentRow(), 2);
  // A picture: kind 0, media kind 4, its path, a GUID of its own, speed 3 and 3 s.
  for (int i = 0; i < 3; ++i) {
    const FileItem& logo = screen->LogoFiles[static_cast<std::size_t>(i)];
    EXPECT_EQ(std::tuple(logo.AddType, logo.FileType, logo.InSpeed, logo.DelayTime),
              std::tuple(0, 4, 3, 3));
    EXPECT_EQ(ReadBoundedText(logo.FileName), chosen[i]);
    EXPECT_TRUE(IsGuidText(ReadBoundedText(logo.guid))) << i;
  }

  // Deleting a picture keeps its file; the entry before it is selected.
  Pane().OnDeleteLogo();
  EXPECT_TRUE(QFile::exists(chosen[2]));
  EXPECT_EQ(Pane().LogoList().currentRow(), 1);
  chosen.clear();  // the file dialog cancelled: nothing changes
  Pane().OnAddPicture();
  EXPECT_EQ(std::tuple(Pane().LogoList().count(), Pane().LogoList().currentRow()),
            std::tuple(2, 1));
  Pane().OnDeleteLogo();
  Pane().OnDeleteLogo();
  EXPECT_EQ(Pane().LogoList().count(), 0);

  // Names count the logos before; a deleted rich-text logo takes its two files along.
  Pane().OnAddRtfLogo();
  Pane().OnAddRtfLogo();
  const FileItem& second = screen->LogoFiles[1];
  EXPECT_EQ(std::tuple(second.AddType, second.FileType, second.InSpeed, second.DelayTime),
            std::tuple(1, 6, 3, 3));
  const QString guid = ReadBoundedText(second.guid);
  const QString rtf = AppFilePath(AppFolder::UserData, QString(guid + ".rtf"));
  ASSERT_TRUE(QFile::exists(rtf));
  ASSERT_TRUE(QFile::exists(PakFramePath(guid)));
  Pane().OnDeleteLogo();
  EXPECT_FALSE(QFile::exists(rtf));
  EXPECT_FALSE(QFile::exists(PakFramePath(guid)));
  Pane().OnAddRtfLogo();
  EXPECT_EQ(ListTexts(), (QStringList{"Logo 1", "Logo 2"}));
  // Opened again: image 1 for rich text, image 2 for any other kind.
  screen->LogoFiles[1].AddType = 2;
  Close();
  Open();
  EXPECT_EQ(std::tuple(Pane().LogoList().GetItemRecord(0)->image,
                       Pane().LogoList().GetItemRecord(1)->image),
            std::tuple(1, 2));
  Pane().LogoList().setCurrentRow(0);
  Pane().OnDeleteLogo();
  EXPECT_EQ(Pane().LogoList().currentRow(), 0);  // the new first
  // Only a rich-text logo's GUID names files of its own.
  const QString otherGuid = ReadBoundedText(screen->LogoFiles[0].guid);
  Pane().OnDeleteLogo();
  EXPECT_EQ(Pane().LogoList().currentRow(), -1);
  EXPECT_TRUE(QFile::exists(AppFilePath(AppFolder::UserData, QString(otherGuid + ".rtf"))));
  EXPECT_TRUE(screen->LogoFiles.empty());
}

TEST_F(LogoPane, HidingGivesTheCanvasBackAndKeepsTheRectangle) {
  RecordingWindow canvas;
  const HWND realCanvas = PreviewCanvasWindow;
  PreviewCanvasWindow = canvas.Handle();
  AreaRecord other{};
  CanvasAreaList = {&other};
  Open();
  EXPECT_EQ(canvas.Take().front(), (Message{UM_CANVAS_COMMAND, 7, -3}));
  ASSERT_NE(Pane().LogoArea(), nullptr);
  EXPECT_EQ(CanvasAreaList, std::vector<AreaRecord*>{Pane().LogoArea()});
  Type(IDC_LOGO_Y, QStringLiteral("5"));
  Type(IDC_LOGO_WIDTH, QStringLiteral("20"));  // starts the size timer
  // The canvas moved and sized the area: the edits take its rectangle as it is.
  AreaRecord& area = *Pane().LogoArea();
  std::tie(area.AreaRect_Left, area.AreaRect_Top, area.AreaRect_Right, area.AreaRect_Bottom) =
      std::tuple(3, 4, 30, 14);
  SendMessage(Pane().Handle(), UM_LOAD_SELECTION, 0, 0);
  EXPECT_EQ((QStringList{EditText(IDC_LOGO_X), EditText(IDC_LOGO_Y), EditText(IDC_LOGO_WIDTH),
                         EditText(IDC_LOGO_HEIGHT)}),
            (QStringList{"3", "4", "27", "10"}));

  Close();
  EXPECT_EQ(Pane().LogoArea(), nullptr);
  EXPECT_EQ(std::tuple(screen->LogoLeft, screen->LogoTop, screen->LogoRight, screen->LogoBottom),
            std::tuple(3, 4, 30, 14));
  EXPECT_EQ(CanvasAreaList, std::vector<AreaRecord*>{&other});
  EXPECT_EQ(canvas.Take().back(), (Message{UM_CANVAS_COMMAND, 8, 0}));
  // A late tick of the size timer finds no area and does nothing.
  SendMessage(Pane().Handle(), WM_TIMER, CLogoSetDialog::kSizeTimerId, 0);
  EXPECT_TRUE(canvas.Take().empty());
  CanvasAreaList.clear();
  PreviewCanvasWindow = realCanvas;
}

}  // namespace
