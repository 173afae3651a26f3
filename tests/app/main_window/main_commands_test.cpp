// The main window's commands: the file commands with their dialogs answered by the
// test, the panes they open, the device commands and the send of the current screen
// against emulated cards, and the updater call.
#include <QApplication>
#include <QDir>
#include <QTest>
#include <QTimer>

#include <deque>

#include "app/main_window/quendra_dlg.h"
#include "app/send/send_dialog.h"
#include "controls/animation/pane_slide.h"
#include "model/common/app_paths.h"
#include "model/common/bounded_text.h"
#include "model/common/window_messages.h"
#include "model/project/clear_project.h"
#include "model/project/project_editing.h"
#include "model/project/project_file.h"
#include "model/project/project_globals.h"
#include "model/settings/lang_text.h"
#include "model/settings/program_save_path.h"
#include "platform/window_channel.h"
#include "sdk/Corvanix.h"
#include "tests/app/app_fixture.h"
#include "tests/support/card_emulator.h"
#include "tests/support/display_data_codec.h"
#include "tests/support/screenshot.h"

namespace {

struct Posted {
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
  bool windowEnabled;  // the main window and the preview frame as the message came
  bool frameEnabled;
};

// The main window recording the messages its commands send itself.
class RecordingMainWindow : public CQuendraDlg {
 public:
  using CQuendraDlg::CQuendraDlg;
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == UM_STATUS_CODE || msg == UM_SEND_PROGRESS || msg == UM_SEND_RESULT ||
        msg == UM_PLAY_TOGGLE) {
      posted.push_back({msg, wParam, lParam, isEnabled(), PreviewFrame().isEnabled()});
    }
    return CQuendraDlg::WindowProc(msg, wParam, lParam);
  }
  std::vector<Posted> Of(UINT msg) const {
    std::vector<Posted> found;
    for (const Posted& p : posted) {
      if (p.msg == msg) found.push_back(p);
    }
    return found;
  }
  std::vector<Posted> posted;
};

class RecordingWindow : public MessageWindow {
 public:
  LRESULT WindowProc(UINT msg, WPARAM, LPARAM) override {
    received.push_back(msg);
    return 0;
  }
  std::vector<UINT> received;
};

class MainCommands : public apptest::AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    ClearProjectModel();
    SetSlidePause([](int) {});
    ASSERT_TRUE(QDir().mkpath(AppFolderPath(AppFolder::Temp)));
    window_ = std::make_unique<RecordingMainWindow>(Hooks());
    window_->show();
  }
  void TearDown() override {
    window_.reset();
    SetSlidePause({});
    ClearProjectModel();
    AppTest::TearDown();
  }

  MainWindowHooks Hooks() {
    MainWindowHooks hooks;
    hooks.ask = [this](const QString& text, int style) {
      asked << text;
      styles.push_back(style);
      if (answers.empty()) return 1;
      const int answer = answers.front();
      answers.pop_front();
      return answer;
    };
    hooks.exitForUpdate = [] {};
    hooks.chooseOpenFile = [this](const QString&) { return chosen; };
    hooks.chooseSaveFile = [this](const QString&, const QString& defaultName) {
      offeredName = defaultName;
      return chosen;
    };
    hooks.launch = [this](const QString& program) { launch(program); };
    return hooks;
  }

  static QString Path(const QString& name) { return AppFilePath(AppFolder::Project, name); }
  static QString Text(int key) { return ReadLangText(QStringLiteral("IDD_QUENDRA_DIALOG"), key); }
  void Command(WPARAM id) { SendMessage(window_->Handle(), WM_COMMAND, id, 0); }

  // The project made anew of one screen with that name and number, shown in the tree.
  ScreenRecord& OnlyScreen(const QString& name, std::int32_t sendType = kSendByNetwork) {
    ClearProject(window_->ProjectPage());
    ScreenRecord& screen = ScreenList.emplace_back();
    screen.LedNo = 7, screen.SendType = sendType;
    screen.LedWidth = 64, screen.LedHeight = 32;
    static_cast<void>(CopyBoundedText(screen.LedName, name));
    window_->ProjectPage().BuildTreeFromModel();
    return screen;
  }
  ScreenRecord& CardScreen(const emu::TcpCard& card) {
    ScreenRecord& screen = OnlyScreen(QStringLiteral("Card"));
    for (const QString& octet : QString::fromStdString(card.Address()).split('.'))
      screen.LedIp = screen.LedIp << 8 | octet.toUInt();
    return screen;
  }
  // A program of one digital clock, told apart by its loop count.
  static AreaRecord& ClockProgram(ScreenRecord& screen, bool checked, std::int32_t loops) {
    ProgramRecord& program = AddProgram(screen);
    program.CheckState = checked ? 1 : 0;
    program.LoopCount = loops;
    AreaRecord& area = *AddArea(program, kDigitalClockArea);
    area.AreaRect_Right = 32, area.AreaRect_Bottom = 16;
    return area;
  }
  static QString FirstScreenName() { return ReadBoundedText(ScreenList.front().LedName); }
  // The project saved as "mine.kqprj" with its screen "Saved", then renamed "Edited".
  void SavedThenEdited() {
    ScreenRecord& screen = OnlyScreen(QStringLiteral("Saved"));
    ASSERT_EQ(SaveProjectXml(Path("mine.kqprj")), 1);
    ASSERT_TRUE(SetProgramSavePath(Path("mine.kqprj")));
    static_cast<void>(CopyBoundedText(screen.LedName, QStringLiteral("Edited")));
  }

  std::unique_ptr<RecordingMainWindow> window_;
  QStringList asked;
  std::vector<int> styles;
  std::deque<int> answers;
  QString chosen;
  QString offeredName;
  std::function<void(const QString&)> launch = [](const QString&) {};
};

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

emu::DisplayData Decoded(const emu::Card& card) {
  emu::DisplayData data;
  const auto payloads = card.Payloads();
  EXPECT_EQ(payloads.size(), 1u);
  if (!payloads.empty()) {
    EXPECT_EQ(emu::DecodeDisplayData(payloads.back(), data), "");
  }
  return data;
}

}  // namespace

TEST_F(MainCommands, NewAsksSavesTheOldProjectAndStartsADefaultScreenUnderANewPath) {
  SavedThenEdited();
  answers = {2};
  Command(32800);
  EXPECT_EQ(asked, QStringList{Text(1060)});
  EXPECT_EQ(styles, std::vector<int>{1});
  EXPECT_EQ(FirstScreenName(), QStringLiteral("Edited"));
  EXPECT_FALSE(ReadFile(Path("mine.kqprj")).contains("Edited"));

  Command(32800);
  EXPECT_TRUE(ReadFile(Path("mine.kqprj")).contains("Edited"));
  ASSERT_EQ(ScreenList.size(), 1u);
  EXPECT_EQ(FirstScreenName(), QStringLiteral("LED1"));
  EXPECT_EQ(window_->ProjectPage().Tree().topLevelItemCount(), 1);
  EXPECT_NE(GetProgramSavePath(), Path("mine.kqprj"));

  // A second new project within the same second never takes the first one's file.
  Command(32806);
  const QString first = GetProgramSavePath();
  Command(32800);
  EXPECT_NE(GetProgramSavePath(), first);
  EXPECT_TRUE(IsProjectFile(first));
  EXPECT_EQ(asked.size(), 3);
}

TEST_F(MainCommands, OpenRefusesOtherFilesAndLoadsAProjectAfterSavingTheOldOne) {
  OnlyScreen(QStringLiteral("Other"));
  ASSERT_EQ(SaveProjectXml(Path("other.kqprj")), 1);
  SavedThenEdited();

  chosen = QString();  // Cancel
  Command(32805);
  chosen = GetAppDir() + QStringLiteral("setting.cfg");
  Command(32805);
  EXPECT_EQ(asked, QStringList{Text(1067)});
  EXPECT_EQ(styles, std::vector<int>{0x10});
  EXPECT_EQ(FirstScreenName(), QStringLiteral("Edited"));
  EXPECT_FALSE(ReadFile(Path("mine.kqprj")).contains("Edited"));

  chosen = Path("other.kqprj");
  Command(32805);
  EXPECT_TRUE(ReadFile(Path("mine.kqprj")).contains("Edited"));
  ASSERT_EQ(ScreenList.size(), 1u);
  EXPECT_EQ(FirstScreenName(), QStringLiteral("Other"));
  ASSERT_EQ(window_->ProjectPage().Tree().topLevelItemCount(), 1);
  EXPECT_EQ(window_->ProjectPage().Tree().topLevelItem(0)->text(0), QStringLiteral("Other"));
  EXPECT_EQ(GetProgramSavePath(), Path("other.kqprj"));
  EXPECT_EQ(asked.size(), 1);
}

TEST_F(MainCommands, SaveAndSaveAsWriteWhereTheyShouldAndReportFailures) {
  SavedThenEdited();
  Command(32806);
  EXPECT_TRUE(ReadFile(Path("mine.kqprj")).contains("Edited"));

  chosen = Path("upper.KQPRJ");
  Command(32807);
  EXPECT_TRUE(offeredName.endsWith(QStringLiteral(".kqprj")));
  EXPECT_TRUE(IsProjectFile(Path("upper.KQPRJ")));
  chosen = Path("x.txt");
  Command(32807);
  EXPECT_TRUE(IsProjectFile(Path("x.txt.kqprj")));
  EXPECT_FALSE(QFile::exists(Path("x.txt")));
  EXPECT_EQ(GetProgramSavePath(), Path("mine.kqprj"));  // Save As leaves it
  EXPECT_TRUE(asked.isEmpty());

  // A folder where the file would go: neither command writes, both say so.
  ASSERT_TRUE(QDir().mkpath(Path("folder.kqprj")));
  chosen = Path("folder.kqprj");
  Command(32807);
  ASSERT_TRUE(QDir(AppFolderPath(AppFolder::Project)).removeRecursively());
  QFile blocker(GetAppDir() + QStringLiteral("project"));  // a file where the folder goes
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  Command(32806);
  EXPECT_EQ(asked, (QStringList{Text(4003), Text(4003)}));
  EXPECT_EQ(styles, (std::vector<int>{0x10, 0x10}));
}

TEST_F(MainCommands, PanesOpenOverTheProjectPageAndThePlayCommandTogglesThePreview) {
  OnlyScreen(QStringLiteral("Mine"));
  ScreenList.emplace_back().LedNo = 8;  // a second screen, not in the tree
  Command(32795);
  EXPECT_EQ(CurrentPaneIndex, 3);
  EXPECT_FALSE(window_->ToolBar().isVisible());
  EXPECT_TRUE(window_->BlankMenuBar().isVisible());
  EXPECT_EQ(static_cast<CSendDialog&>(window_->Pane(3)).Screens().GetItemCount(), 2);
  SendMessage(window_->Handle(), UM_PANE_BACK, 3, 0);

  const std::pair<WPARAM, int> opened[] = {{32796, 4}, {32794, 5}, {32968, 7}, {32957, 6},
                                           {32993, 6}, {32976, 6}, {33005, 10}};
  for (const auto& [command, pane] : opened) {
    Command(command);
    EXPECT_EQ(CurrentPaneIndex, pane) << command;
    EXPECT_TRUE(window_->Pane(pane).isVisible()) << command;
    EXPECT_FALSE(window_->Pane(0).isVisible()) << command;
    SendMessage(window_->Handle(), UM_PANE_BACK, static_cast<WPARAM>(pane), 0);
  }
  // Without a current screen the administrator's and the firmware pane stay shut.
  CurrentScreenNo = 99;
  Command(32976);
  Command(33005);
  EXPECT_EQ(CurrentPaneIndex, 0);

  Command(32797);
  ASSERT_EQ(window_->Of(UM_PLAY_TOGGLE).size(), 1u);
  EXPECT_EQ(window_->Of(UM_PLAY_TOGGLE)[0].wParam, 0u);
}

TEST_F(MainCommands, DeviceCommandsReportTheirStatusCodesAroundTheCall) {
  emu::Card card;
  card.ReactAlways({emu::Reaction::kAck, 0, 40});
  emu::TcpCard tcp(card);
  ASSERT_TRUE(tcp.Listening());
  CardScreen(tcp);
  // The menu bar, toolbar and preview frame as a timer sees them during the call.
  bool lockedDuringCall = false;
  QTimer probe;
  QObject::connect(&probe, &QTimer::timeout, [&] {
    lockedDuringCall |= !window_->MainMenuBar().isEnabled() && !window_->ToolBar().isEnabled() &&
                        !window_->PreviewFrame().isEnabled();
  });
  probe.start(5);
  Command(32978);
  Command(32979);
  probe.stop();
  card.ReactAlways({emu::Reaction::kAck, 7, 0});
  Command(32980);

  std::vector<std::pair<WPARAM, LPARAM>> codes;
  for (const Posted& p : window_->Of(UM_STATUS_CODE)) codes.emplace_back(p.wParam, p.lParam);
  EXPECT_EQ(codes, (std::vector<std::pair<WPARAM, LPARAM>>{
                       {15, 0}, {16, 0}, {18, 0}, {19, 0}, {21, 0}, {23, 7}}));
  EXPECT_EQ(card.Payloads().size(), 3u);
  EXPECT_TRUE(lockedDuringCall);
  EXPECT_TRUE(window_->MainMenuBar().isEnabled() && window_->ToolBar().isEnabled() &&
              window_->PreviewFrame().isEnabled());

  // A USB-disk screen has no card: nothing is reported, nothing is sent.
  window_->posted.clear();
  CardScreen(tcp).SendType = kSendByUsbDisk;
  for (const WPARAM command : {32978, 32979, 32980}) Command(command);
  EXPECT_TRUE(window_->posted.empty());
  EXPECT_EQ(card.Payloads().size(), 3u);
}

TEST_F(MainCommands, SendingTheCurrentScreenReportsProgressAndTheCardsResult) {
  emu::Card card;
  card.ReactAlways({emu::Reaction::kAck, 0, 20});
  emu::TcpCard tcp(card);
  ASSERT_TRUE(tcp.Listening());
  ScreenRecord& screen = CardScreen(tcp);
  ClockProgram(screen, false, 3);
  ClockProgram(screen, true, 4);
  window_->ProjectPage().BuildTreeFromModel();
  Command(32780);

  const std::vector<Posted> progress = window_->Of(UM_SEND_PROGRESS);
  ASSERT_FALSE(progress.empty());
  for (const Posted& p : progress) {
    EXPECT_FALSE(p.windowEnabled || p.frameEnabled);
    EXPECT_EQ(p.wParam, 0u);
  }
  EXPECT_EQ(progress.back().lParam, 100);
  const std::vector<Posted> results = window_->Of(UM_SEND_RESULT);
  ASSERT_EQ(results.size(), 3u);
  EXPECT_EQ(results[0].lParam, KQ_STATUS_GENERATING);
  EXPECT_EQ(results[1].lParam, KQ_STATUS_SENDING);
  EXPECT_EQ(results[2].lParam, KQ_OK);
  EXPECT_TRUE(window_->isEnabled() && window_->PreviewFrame().isEnabled());
  const emu::DisplayData data = Decoded(card);
  ASSERT_EQ(data.programs.size(), 1u);
  EXPECT_EQ(data.programs[0].loopCount, 4);
  EXPECT_TRUE(asked.isEmpty());
  SaveScreenshot(*window_, QStringLiteral("main_window_after_send"));

  // A page the builder refused fails the send, though the card took the rest.
  window_->posted.clear();
  AreaRecord& files = *AddArea(*screen.Programs.back(), kFilesArea);
  files.AreaRect_Left = 40, files.AreaRect_Right = 56, files.AreaRect_Bottom = 16;
  FileAreaItem missing{};
  missing.FileType = 4;
  static_cast<void>(CopyBoundedText(missing.FilePath, QDir::temp().filePath("missing.png")));
  std::get<std::vector<FileAreaItem>>(files.Kind) = {missing};
  Command(32780);
  EXPECT_EQ(window_->Of(UM_SEND_RESULT).back().lParam, KQ_OK);
  // Posted after the card's result.
  QTRY_COMPARE(window_->Of(UM_SEND_RESULT).back().lParam, LPARAM{KQ_ERR_PAGE_NOT_FOUND});
  EXPECT_EQ(card.Payloads().size(), 2u);
}

TEST_F(MainCommands, SendingRefusesFailedChecksAndReportsCardErrorsAndSilence) {
  emu::Card card;
  emu::TcpCard tcp(card);
  ASSERT_TRUE(tcp.Listening());
  ScreenRecord& screen = CardScreen(tcp);
  Command(32780);  // no checked program
  ClockProgram(screen, true, 1);
  ClockProgram(screen, true, 1);
  AreaRecord& overlapping = *AddArea(*screen.Programs.back(), kDigitalClockArea);
  overlapping.AreaRect_Right = 1, overlapping.AreaRect_Bottom = 1;
  Command(32780);  // overlap
  ClearScreenPrograms(screen);
  AddProgram(screen).CheckState = 1;
  Command(32780);  // a program without areas
  ClearScreenPrograms(screen);
  ProgramRecord& pages = AddProgram(screen);
  pages.CheckState = 1;
  AddArea(pages, kImageTextArea)->AreaRect_Right = 8;
  Command(32780);  // an image-text area without pages
  EXPECT_EQ(asked, (QStringList{Text(1065), Text(1063), Text(1066), Text(1064)}));
  EXPECT_TRUE(card.Payloads().empty());
  EXPECT_TRUE(window_->posted.empty());

  ClearScreenPrograms(screen);
  ClockProgram(screen, true, 1);
  card.ReactAlways({emu::Reaction::kAck, 7, 0});
  Command(32780);
  ASSERT_FALSE(window_->Of(UM_SEND_RESULT).empty());
  EXPECT_EQ(window_->Of(UM_SEND_RESULT).back().lParam, 7);
  card.ReactAlways({emu::Reaction::kSilence, 0, 0});
  Command(32780);
  EXPECT_EQ(window_->Of(UM_SEND_RESULT).back().lParam, KQ_ERR_NO_REPLY);

  // A USB-disk screen goes to the USB send pane instead.
  screen.SendType = kSendByUsbDisk;
  Command(32780);
  EXPECT_EQ(CurrentPaneIndex, 5);
}

TEST_F(MainCommands, CheckUpdateTellsARunningUpdaterOrStartsIt) {
  Command(32990);
  EXPECT_EQ(asked, QStringList{Text(1006)});

  QFile updaterFile(GetAppDir() + kUpdaterFile);
  ASSERT_TRUE(updaterFile.open(QIODevice::WriteOnly));
  updaterFile.close();
  RecordingWindow updater;
  std::unique_ptr<WindowChannel> channel;
  QStringList launched;
  launch = [&](const QString& program) {
    launched << program;
    channel = std::make_unique<WindowChannel>(kUpdaterWindowClass, updater.Handle(),
                                              std::vector<UINT>{UM_CHECK_UPDATE});
  };
  Command(32990);
  EXPECT_EQ(launched, QStringList{GetAppDir() + kUpdaterFile});
  QTRY_COMPARE(updater.received.size(), 1u);
  Command(32990);  // running now: told, not started again
  QTRY_COMPARE(updater.received.size(), 2u);
  EXPECT_EQ(updater.received, (std::vector<UINT>{UM_CHECK_UPDATE, UM_CHECK_UPDATE}));
  EXPECT_EQ(launched.size(), 1);
  EXPECT_EQ(asked.size(), 1);
}
