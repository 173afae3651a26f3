// The main window's commands: the file commands with dialogs the test answers, the
// panes they open, the device commands and the send of the current screen against
// emulated cards, and the updater call.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "app/builder/program_builder.h"
#include "app/builder/send_error_text.h"
#include "app/main_window/quendra_dlg.h"
#include "app/send/send_dialog.h"
#include "controls/color/color_picker.h"
#include "controls/shell/main_window_ids.h"
#include "controls/shell/pane_ids.h"
#include "controls/shell/program_messages.h"
#include "editors/border/border_dialog.h"
#include "model/common/app_paths.h"
#include "model/common/bounded_text.h"
#include "model/project/clear_project.h"
#include "model/project/project_file.h"
#include "model/project/project_globals.h"
#include "model/settings/program_save_path.h"
#include "platform/window_channel.h"
#include "render/borders/border_strips.h"
#include "render/flash/flash_background.h"
#include "sdk/Corvanix.h"
#include "tests/app/main_window/main_window_fixture.h"
#include "tests/support/card_emulator.h"
#include "tests/support/card_picture.h"
#include "tests/support/display_data_codec.h"
#include "tests/support/eventually.h"
#include "tests/support/recording_window.h"
#include "tests/support/screenshot.h"

namespace {

constexpr ColorRef kGreen = MakeColorRef(0, 255, 0);

struct Message {
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
  bool frameEnabled;  // the preview frame as the message came
  friend bool operator==(const Message&, const Message&) = default;
};

// The main window recording the messages of its commands.
class RecordingMainWindow : public CQuendraDlg {
 public:
  using CQuendraDlg::CQuendraDlg;
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg >= UM_PLAY_TOGGLE && msg <= UM_SEND_RESULT) {
      got.push_back({msg, wParam, lParam, PreviewFrame().isEnabled()});
    }
    return CQuendraDlg::WindowProc(msg, wParam, lParam);
  }
  std::vector<LPARAM> Of(UINT msg) const {
    std::vector<LPARAM> found;
    for (const Message& m : got) {
      if (m.msg == msg)
        found.push_back(msg == UM_STATUS_CODE ? m.wParam * 1000 + m.lParam : m.lParam);
    }
    return found;
  }
  std::vector<Message> got;
};

class MainCommands : public apptest::MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    ASSERT_TRUE(QDir().mkpath(AppFolderPath(AppFolder::Temp)));
    MainWindowHooks hooks = Hooks();
    hooks.chooseOpenFile = [this](const QString&) { return chosen; };
    hooks.chooseSaveFile = [this](const QString&, const QString&) { return chosen; };
    hooks.launch = [this](const QString& program) { return launch(program); };
    window_ = std::make_unique<RecordingMainWindow>(hooks);
    window_->show();
  }
  void TearDown() override {
    window_.reset();
    MainWindowTest::TearDown();
  }

  static QString Path(const QString& name) { return AppFilePath(AppFolder::Project, name); }
  void Command(WPARAM id) { SendMessage(window_->Handle(), WM_COMMAND, id, 0); }
  static QString ScreenName() { return ReadBoundedText(ScreenList.front().LedName); }

  // The project anew: one screen of that name, current, in the tree, reaching the card.
  ScreenRecord& OnlyScreen(const QString& name, const emu::TcpCard* card = nullptr) {
    ClearProject(window_->ProjectPage());
    ScreenRecord& screen = ScreenList.emplace_back();
    screen.LedNo = 7, screen.LedWidth = 64, screen.LedHeight = 32;
    static_cast<void>(CopyBoundedText(screen.LedName, name));
    for (const QString& octet : QString::fromStdString(card ? card->Address() : "").split('.'))
      screen.LedIp = screen.LedIp << 8 | octet.toUInt();
    window_->ProjectPage().BuildTreeFromModel();
    return screen;
  }
  // Saved as "mine.kqprj" under the name "Saved", then renamed "Edited".
  void SavedThenEdited() {
    ScreenRecord& screen = OnlyScreen(QStringLiteral("Saved"));
    ASSERT_EQ(SaveProjectXml(Path("mine.kqprj")), 1);
    ASSERT_TRUE(SetProgramSavePath(Path("mine.kqprj")));
    static_cast<void>(CopyBoundedText(screen.LedName, QStringLiteral("Edited")));
  }
  bool MineHolds(const char* name) const {
    QFile file(Path("mine.kqprj"));
    return file.open(QIODevice::ReadOnly) && file.readAll().contains(name);
  }
  // A program of one digital clock, told apart by its loop count.
  static void ClockProgram(ScreenRecord& screen, bool checked, std::int32_t loops) {
    ProgramRecord& program = AddProgram(screen);
    program.CheckState = checked, program.LoopCount = loops;
    AreaRecord& area = *AddArea(program, kDigitalClockArea);
    area.AreaRect_Right = 32, area.AreaRect_Bottom = 16;
  }

  std::unique_ptr<RecordingMainWindow> window_;
  QString chosen;
  std::function<bool(const QString&)> launch = [](const QString&) { return true; };
};

}  // namespace

TEST_F(MainCommands, NewAndOpenSaveTheOldProjectFirst) {
  SavedThenEdited();
  answers = {2};
  Command(ID_FILE_NEW);
  EXPECT_EQ(ScreenName(), QStringLiteral("Edited"));
  Command(ID_FILE_NEW);
  EXPECT_TRUE(MineHolds("Edited"));
  EXPECT_EQ(ScreenName(), QStringLiteral("LED1"));
  EXPECT_EQ(window_->ProjectPage().Tree().topLevelItemCount(), 1);
  // A second new project within the same second never takes the first one's file.
  Command(ID_FILE_SAVE);
  const QString first = GetProgramSavePath();
  Command(ID_FILE_NEW);
  EXPECT_NE(GetProgramSavePath(), first);
  EXPECT_TRUE(IsProjectFile(first));
  EXPECT_EQ(asked, QStringList(3, Text(1060)));
  EXPECT_EQ(styles, std::vector<int>(3, 1));

  asked.clear();
  OnlyScreen(QStringLiteral("Other"));
  ASSERT_EQ(SaveProjectXml(Path("other.kqprj")), 1);
  SavedThenEdited();
  chosen = GetAppDir() + QStringLiteral("setting.cfg");
  Command(ID_FILE_OPEN);
  EXPECT_EQ(asked, QStringList{Text(1067)});
  EXPECT_EQ(ScreenName(), QStringLiteral("Edited"));
  EXPECT_FALSE(MineHolds("Edited"));
  chosen = Path("other.kqprj");
  Command(ID_FILE_OPEN);
  EXPECT_TRUE(MineHolds("Edited"));
  EXPECT_EQ(ScreenName(), QStringLiteral("Other"));
  EXPECT_EQ(window_->ProjectPage().Tree().topLevelItem(0)->text(0), QStringLiteral("Other"));
  EXPECT_EQ(GetProgramSavePath(), Path("other.kqprj"));
}

TEST_F(MainCommands, SaveAndSaveAsWriteWhereTheyShouldAndReportFailures) {
  SavedThenEdited();
  Command(ID_FILE_SAVE);
  EXPECT_TRUE(MineHolds("Edited"));
  for (const char* name : {"upper.KQPRJ", "x.txt"}) {
    chosen = Path(name);
    Command(ID_FILE_SAVE_AS);
  }
  EXPECT_TRUE(IsProjectFile(Path("upper.KQPRJ")));
  EXPECT_TRUE(IsProjectFile(Path("x.txt.kqprj")));
  EXPECT_EQ(GetProgramSavePath(), Path("mine.kqprj"));
  EXPECT_TRUE(asked.isEmpty());
  // Neither command can write where a folder stands; both say so.
  ASSERT_TRUE(QDir().mkpath(Path("folder.kqprj")));
  chosen = Path("folder.kqprj");
  Command(ID_FILE_SAVE_AS);
  ASSERT_TRUE(QDir(AppFolderPath(AppFolder::Project)).removeRecursively());
  QFile blocker(GetAppDir() + QStringLiteral("project"));  // Save makes a new path there
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  Command(ID_FILE_SAVE);
  EXPECT_EQ(asked, QStringList(2, Text(4003)));
  EXPECT_EQ(styles, std::vector<int>(2, 0x10));
}

TEST_F(MainCommands, PanesOpenOverTheProjectPageAndPlayTogglesThePreview) {
  OnlyScreen(QStringLiteral("Mine"));
  ScreenList.emplace_back().LedNo = 8;
  const std::pair<WPARAM, int> opened[] = {{ID_TOOLBAR_SEND_TO_SCREENS, kSendPane},
                                           {ID_TOOLBAR_SEARCH, kSearchPane},
                                           {ID_TOOLBAR_USB, kUsbSendPane},
                                           {ID_TOOLS_USB_READ_BACK, kUsbImportPane},
                                           {ID_SETTINGS_SCREEN_PARAMS, kAccessCodePane},
                                           {ID_SETTINGS_BOOT_LOGO, kAccessCodePane},
                                           {ID_SETTINGS_ADMINISTRATOR, kAccessCodePane},
                                           {ID_COMMANDS_FIRMWARE, kFirmwarePane}};
  for (const auto& [command, pane] : opened) {
    Command(command);
    EXPECT_EQ(CurrentPaneIndex, pane) << command;
    EXPECT_TRUE(window_->Pane(pane).isVisible() && window_->BlankMenuBar().isVisible());
    EXPECT_FALSE(window_->ToolBar().isVisible());
    SendMessage(window_->Handle(), UM_PANE_BACK, static_cast<WPARAM>(pane), 0);
  }
  EXPECT_EQ(static_cast<CSendDialog&>(window_->Pane(kSendPane)).Screens().GetItemCount(), 2);
  CurrentScreenNo = 99;  // the administrator's and the firmware pane need a screen
  Command(ID_SETTINGS_ADMINISTRATOR);
  Command(ID_COMMANDS_FIRMWARE);
  EXPECT_EQ(CurrentPaneIndex, 0);
  Command(ID_PLAY_TOGGLE);
  EXPECT_FALSE(window_->isVisible());
  Command(ID_PLAY_TOGGLE);  // the frame's stop button sends the same
  EXPECT_TRUE(window_->isVisible());
  EXPECT_EQ(window_->Of(UM_PLAY_TOGGLE), (std::vector<LPARAM>{0, 0}));
}

TEST_F(MainCommands, DeviceCommandsReportTheirStatusCodesAroundTheCall) {
  emu::Card card;
  card.ReactAlways({emu::Reaction::kAck, 0, 40});
  emu::TcpCard tcp(card);
  ASSERT_TRUE(tcp.Listening());
  ScreenRecord& screen = OnlyScreen(QStringLiteral("Card"), &tcp);
  bool locked = false;  // menu bar, toolbar and preview frame as a timer sees them
  QTimer probe;
  QObject::connect(&probe, &QTimer::timeout, [&] {
    locked |= !window_->MainMenuBar().isEnabled() && !window_->ToolBar().isEnabled() &&
              !window_->PreviewFrame().isEnabled();
  });
  probe.start(5);
  Command(ID_COMMANDS_ADJUST_TIME);
  Command(ID_COMMANDS_SCREEN_ON);
  card.ReactAlways({emu::Reaction::kAck, 7, 0});
  Command(ID_COMMANDS_SCREEN_OFF);
  EXPECT_EQ(window_->Of(UM_STATUS_CODE),
            (std::vector<LPARAM>{15000, 16000, 18000, 19000, 21000, 23007}));
  EXPECT_EQ(window_->StatusBar().Text(2), Text(1033) + GetSendErrorText(7));
  EXPECT_TRUE(locked);
  EXPECT_TRUE(window_->MainMenuBar().isEnabled() && window_->PreviewFrame().isEnabled());

  window_->got.clear();
  screen.SendType = kSendByUsbDisk;
  for (const WPARAM command :
       {ID_COMMANDS_ADJUST_TIME, ID_COMMANDS_SCREEN_ON, ID_COMMANDS_SCREEN_OFF})
    Command(command);
  EXPECT_TRUE(window_->got.empty());
  EXPECT_EQ(card.Payloads().size(), 3u);
}

TEST_F(MainCommands, SendingTheCurrentScreenReportsProgressAndResult) {
  emu::Card card;
  card.ReactAlways({emu::Reaction::kAck, 0, 20});
  emu::TcpCard tcp(card);
  ASSERT_TRUE(tcp.Listening());
  ScreenRecord& screen = OnlyScreen(QStringLiteral("Card"), &tcp);
  ClockProgram(screen, false, 3);
  ClockProgram(screen, true, 4);
  window_->ProjectPage().BuildTreeFromModel();
  Command(ID_TOOLBAR_SEND);
  const std::vector<LPARAM> progress = window_->Of(UM_SEND_PROGRESS);
  ASSERT_FALSE(progress.empty());
  EXPECT_EQ(progress.back(), 100);
  for (const Message& m : window_->got) EXPECT_FALSE(m.frameEnabled);
  EXPECT_TRUE(window_->isEnabled() && window_->PreviewFrame().isEnabled());
  EXPECT_EQ(window_->Of(UM_SEND_RESULT),
            (std::vector<LPARAM>{KQ_STATUS_GENERATING, KQ_STATUS_SENDING, KQ_OK}));
  emu::DisplayData data;
  ASSERT_EQ(card.Payloads().size(), 1u);
  ASSERT_EQ(emu::DecodeDisplayData(card.Payloads()[0], data), "");
  ASSERT_EQ(data.programs.size(), 1u);
  EXPECT_EQ(data.programs[0].loopCount, 4);
  EXPECT_EQ(window_->StatusBar().Text(2), Text(1009));
  EXPECT_EQ(window_->StatusBar().Progress().value(), 0);
  SaveScreenshot(*window_, QStringLiteral("main_window_after_send"));
  // A language switch says it again in the new language.
  Command(ID_LANGUAGE_RUSSIAN);
  EXPECT_EQ(window_->StatusBar().Text(2), QString::fromUtf8("Успешно отправлено"));
  Command(ID_LANGUAGE_ENGLISH);

  // An area the library refused (its border leaves no content) fails the send after
  // the card's own result.
  AreaRecord& tight = *AddArea(*screen.Programs.back(), kDigitalClockArea);
  tight.AreaRect_Left = 40, tight.AreaRect_Right = 44, tight.AreaRect_Bottom = 4;
  tight.IsUseBorder = 1, tight.BorderWidth = 3;
  window_->got.clear();
  Command(ID_TOOLBAR_SEND);
  EXPECT_EVENTUALLY_EQ(window_->Of(UM_SEND_RESULT).size(), 4u);
  EXPECT_EQ(window_->Of(UM_SEND_RESULT)[2], KQ_OK);
  EXPECT_EQ(window_->Of(UM_SEND_RESULT)[3], KQ_ERR_BAD_SIZE);
  EXPECT_EQ(window_->StatusBar().Text(2), Text(1010) + GetSendErrorText(KQ_ERR_BAD_SIZE));
}

TEST_F(MainCommands, ACardThatRefusesOrHangsUpEndsTheSendOnItsErrorText) {
  const std::pair<emu::Reaction, std::int32_t> cards[] = {
      {{emu::Reaction::kAck, 7, 0}, 7}, {{emu::Reaction::kClose}, KQ_ERR_NO_REPLY}};
  for (const auto& [reaction, result] : cards) {
    emu::Card card;
    card.ReactAlways(reaction);
    emu::TcpCard tcp(card);
    ASSERT_TRUE(tcp.Listening());
    ClockProgram(OnlyScreen(QStringLiteral("Card"), &tcp), true, 1);
    window_->ProjectPage().BuildTreeFromModel();
    window_->got.clear();
    Command(ID_TOOLBAR_SEND);
    EXPECT_EVENTUALLY(!window_->Of(UM_SEND_RESULT).empty() &&
                      window_->Of(UM_SEND_RESULT).back() == result);
    EXPECT_EQ(window_->StatusBar().Text(2), Text(1010) + GetSendErrorText(result)) << result;
    EXPECT_TRUE(window_->isEnabled() && window_->PreviewFrame().isEnabled());
  }
}

TEST_F(MainCommands, SendingRefusesFailedChecksAndLeavesUsbDisksToTheirPane) {
  emu::Card card;
  emu::TcpCard tcp(card);
  ASSERT_TRUE(tcp.Listening());
  ScreenRecord& screen = OnlyScreen(QStringLiteral("Card"), &tcp);
  Command(ID_TOOLBAR_SEND);  // no checked program
  ClockProgram(screen, true, 1);
  ClockProgram(screen, true, 1);
  AreaRecord& overlapping = *AddArea(*screen.Programs.back(), kDigitalClockArea);
  overlapping.AreaRect_Right = 1, overlapping.AreaRect_Bottom = 1;
  Command(ID_TOOLBAR_SEND);
  ClearScreenPrograms(screen);
  AddProgram(screen).CheckState = 1;
  Command(ID_TOOLBAR_SEND);  // a program without areas
  AddArea(*screen.Programs.back(), kImageTextArea)->AreaRect_Right = 8;
  Command(ID_TOOLBAR_SEND);  // an image-text area without pages
  EXPECT_EQ(asked, (QStringList{Text(1065), Text(1063), Text(1066), Text(1064)}));

  // A page file that cannot become display data: missing, not a picture inside, of a
  // kind the card cannot show, a built-in background without its movie. The message
  // names the screen, program and area, and the file.
  ClearScreenPrograms(screen);
  ProgramRecord& program = AddProgram(screen);
  program.CheckState = 1;
  static_cast<void>(CopyBoundedText(program.ProgramName, u"Show"));
  AreaRecord& files = *AddArea(program, kFilesArea);
  files.AreaRect_Right = 32, files.AreaRect_Bottom = 16;
  static_cast<void>(CopyBoundedText(files.AreaName, u"Pictures"));
  for (const char16_t* name : {u"notimage.png", u"clip.mp4"}) {
    QFile file(AppFilePath(AppFolder::Temp, name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("not a picture") > 0);
  }
  const std::pair<QString, int> refused[] = {
      {"gone.png", 4101}, {"notimage.png", 4102}, {"clip.mp4", 4103}};
  auto& items = std::get<std::vector<FileAreaItem>>(files.Kind);
  const QString where = FormatLangText(Text(4105), {"Card", "Show", "Pictures"});
  for (const auto& [name, key] : refused) {
    items.assign(1, FileAreaItem{});
    static_cast<void>(CopyBoundedText(items[0].FilePath, AppFilePath(AppFolder::Temp, name)));
    Command(ID_TOOLBAR_SEND);
    // Under the program folder the file is named by its path there.
    EXPECT_EQ(asked.back(), Text(key) + u'\n' + where + QStringLiteral("\nTemp/") + name);
  }
  items.clear();
  files.AreaType = kDigitalClockArea, files.Kind = MakeKindRecord(kDigitalClockArea);
  files.IsUseBack = 1;
  BackgroundItem& builtIn = files.Backgrounds.emplace_back();
  builtIn.FileType = kFlashBackground, builtIn.BackVaule = 3;
  Command(ID_TOOLBAR_SEND);
  EXPECT_TRUE(asked.back().startsWith(Text(4104)));
  EXPECT_TRUE(asked.back().endsWith(u"\nData/flashback/4.fbk"));
  EXPECT_EQ(asked.size(), 8);
  EXPECT_TRUE(card.Payloads().empty() && window_->got.empty());

  screen.SendType = kSendByUsbDisk;
  Command(ID_TOOLBAR_SEND);
  EXPECT_EQ(CurrentPaneIndex, kUsbSendPane);
}

TEST_F(MainCommands, CheckUpdateTellsARunningUpdaterOrStartsIt) {
  Command(ID_HELP_CHECK_UPDATE);
  EXPECT_EQ(asked, QStringList{Text(1006)});
  QFile updaterFile(GetAppDir() + kUpdaterFile);
  ASSERT_TRUE(updaterFile.open(QIODevice::WriteOnly));
  updaterFile.close();
  launch = [](const QString&) { return false; };  // present but does not start
  Command(ID_HELP_CHECK_UPDATE);
  EXPECT_EQ(asked, QStringList(2, Text(1006)));
  testsupport::RecordingWindow updater;
  std::unique_ptr<WindowChannel> channel;
  int launched = 0;
  launch = [&](const QString& program) {
    launched += program == GetAppDir() + kUpdaterFile;
    channel = std::make_unique<WindowChannel>(kUpdaterWindowClass, updater.Handle(),
                                              std::vector<UINT>{UM_CHECK_UPDATE});
    return true;
  };
  Command(ID_HELP_CHECK_UPDATE);
  EXPECT_EVENTUALLY_EQ(updater.received.size(), 1u);
  Command(ID_HELP_CHECK_UPDATE);  // running now: told, not started again
  EXPECT_EVENTUALLY_EQ(updater.received.size(), 2u);
  EXPECT_EQ(updater.Numbers(), (std::vector<UINT>{UM_CHECK_UPDATE, UM_CHECK_UPDATE}));
  EXPECT_EQ(launched, 1);
}

namespace {

// The card's pixel of a strip's pixel: bit 0 red lit, bit 1 green, bit 2 blue.
std::uint8_t CardPixel(ColorRef color) {
  return static_cast<std::uint8_t>((ColorRefRed(color) >= 128) |
                                   (ColorRefGreen(color) >= 128) << 1 |
                                   (ColorRefBlue(color) >= 128) << 2);
}

// Whether the strip's rows of the screen from (left, top), width wide, show the strip
// repeated from left.
bool ShowsStrip(const std::vector<std::uint8_t>& pixels, int screenWidth, const Dib24& strip,
                int left, int top, int width) {
  for (int y = 0; y < strip.Height(); ++y) {
    for (int x = 0; x < width; ++x) {
      const std::size_t at = std::size_t(top + y) * screenWidth + left + x;
      if (pixels[at] != CardPixel(strip.Pixel(x % kBorderStripLength, y))) return false;
    }
  }
  return true;
}

}  // namespace

TEST_F(MainCommands, BordersSetOnTheBorderPageReachTheCard) {
  emu::Card card;
  card.ReactAlways({emu::Reaction::kAck, 0, 20});
  emu::TcpCard tcp(card);
  ASSERT_TRUE(tcp.Listening());
  ScreenRecord& screen = OnlyScreen(QStringLiteral("Card"), &tcp);
  screen.LedColor = 2;
  ProgramRecord& program = AddProgram(screen);
  program.CheckState = 1;
  AreaRecord& area = *AddArea(program, kDigitalClockArea);
  area.AreaRect_Left = 8, area.AreaRect_Top = 8, area.AreaRect_Right = 56,
  area.AreaRect_Bottom = 28;
  CMainDialog& tree = window_->ProjectPage();
  tree.BuildTreeFromModel();
  auto& border = static_cast<CBorderDialog&>(tree.Page(PageSlot::Border));
  const auto choose = [](QComboBox& combo, int index) {
    combo.setCurrentIndex(index);
    emit combo.activated(index);
  };
  QTreeWidgetItem* programItem = tree.Tree().topLevelItem(0)->child(0);
  tree.Tree().setCurrentItem(programItem);
  border.UseCheck().click();
  border.DazzleRadio().click();
  choose(border.Styles(1), 5);
  choose(border.EffectList(), 1);
  choose(border.SpeedList(), 10);
  tree.Tree().setCurrentItem(programItem->child(0));
  border.UseCheck().click();
  choose(border.Styles(0), 4);
  border.ColorButton().SetColor(kGreen);
  QApplication::processEvents();
  ASSERT_EQ(area.BorderColor, kGreen);

  Command(ID_TOOLBAR_SEND);
  ASSERT_EQ(window_->Of(UM_SEND_RESULT).back(), KQ_OK);
  emu::DisplayData data;
  ASSERT_EQ(card.Payloads().size(), 1u);
  ASSERT_EQ(emu::DecodeDisplayData(card.Payloads()[0], data), "");
  ASSERT_EQ(data.programs.size(), 1u);
  const std::vector<emu::DisplayArea>& areas = data.programs[0].areas;
  ASSERT_EQ(areas.size(), 3u);
  const emu::DisplayArea& whole = areas[0];
  EXPECT_EQ(
      std::tuple(whole.kind, whole.left, whole.top, whole.thickness, whole.style, whole.speed),
      std::tuple(15, 0, 0, 3, 1, SdkSpeedValue(10)));
  const emu::DisplayArea& own = areas[1];
  const emu::DisplayArea& content = areas[2];
  EXPECT_EQ(std::tuple(own.kind, own.thickness), std::tuple(15, 2));
  EXPECT_EQ(std::tuple(content.left, content.top, content.right, content.bottom),
            std::tuple(own.left + 2, own.top + 2, own.right - 2, own.bottom - 2));
  EXPECT_EQ(whole.right - own.right, 64 - 56);  // both rectangles as the card keeps them

  // Family and number show in the strips the card was given.
  std::vector<std::uint8_t> pixels;
  ASSERT_EQ(emu::ComposeProgram(data, data.programs[0], {}, pixels), "");
  EXPECT_TRUE(ShowsStrip(pixels, 64, BuiltInBorderStrip(1, 5), 0, 0, 64));
  Dib24 green = BuiltInBorderStrip(0, 4);
  RecolorBorderStrip(green, kGreen);
  EXPECT_TRUE(ShowsStrip(pixels, 64, green, 8, 8, 48));
}
