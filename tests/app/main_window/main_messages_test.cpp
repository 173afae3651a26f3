// The main window's own messages: every status code's text and icon, a send's
// progress and result, the link part, the ways back from and on from the panes, the
// preview's play toggle, and the updater's request to end the program.
#include <QTest>
#include <QTimer>

#include <cstdlib>

#include "app/builder/send_error_text.h"
#include "app/canvas/preview_dialog.h"
#include "app/main_window/status_codes.h"
#include "app/main_window/status_icons.h"
#include "model/common/window_messages.h"
#include "model/project/project_file.h"
#include "model/project/project_globals.h"
#include "model/settings/program_save_path.h"
#include "platform/window_channel.h"
#include "tests/app/main_window/main_window_fixture.h"
#include "tests/support/screenshot.h"

namespace {

struct Message {
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
  friend bool operator==(const Message&, const Message&) = default;
};

// Stands for the preview frame or the canvas: records what it is sent.
class RecordingWindow : public MessageWindow {
 public:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    received.push_back({msg, wParam, lParam});
    return 0;
  }
  std::vector<Message> received;
};

class MainMessagesTest : public apptest::MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    PlayingFlag = 0;
  }
  void TearDown() override {
    PlayingFlag = 0;
    MainWindowTest::TearDown();
  }

  static LRESULT Send(CQuendraDlg& window, UINT msg, std::intptr_t wParam, LPARAM lParam) {
    return SendMessage(window.Handle(), msg, static_cast<WPARAM>(wParam), lParam);
  }
  static bool IconIs(CQuendraDlg& window, int part, StatusIcon icon) {
    return window.StatusBar().Icon(part).toImage() == LoadStatusIcon(icon).toImage();
  }
};

// The status table as its rows were laid down: codes 0-7 from key 1011 on, code 8 the
// USB disk's failure, 9-48 from key 1019 on, and the boot logo's -3, -2, -1.
int ExpectedKey(int code) {
  if (code >= 0 && code <= 7) return 1011 + code;
  if (code == 8) return 1059;
  if (code >= 9 && code <= 48) return 1010 + code;
  return code == -3 ? 1007 : code == -2 ? 1009 : 1010;
}

bool ExpectedWithError(int code) {
  // Each operation's third code is its failure; the USB read-back (30-33) has none, so
  // from the timed lock's codes on the failures fall on multiples of three; -1 is the
  // boot logo's failure.
  if (code == -1) return true;
  if (code >= 30 && code <= 35) return false;
  return code >= 0 && code % 3 == (code < 30 ? 2 : 0);
}

}  // namespace

TEST_F(MainMessagesTest, EveryStatusCodeShowsItsTextErrorAndIcon) {
  CQuendraDlg window(Hooks());
  for (int code = -3; code <= 48; ++code) {
    SCOPED_TRACE(code);
    const QString text = Text(ExpectedKey(code));
    EXPECT_FALSE(text.isEmpty());
    for (const std::int32_t result : {0, -3}) {
      Send(window, UM_STATUS_CODE, code, result);
      EXPECT_EQ(window.StatusBar().Text(2),
                ExpectedWithError(code) ? text + GetSendErrorText(result) : text);
      EXPECT_TRUE(IconIs(window, 2, result != 0 ? StatusIcon::Failure : StatusIcon::Success));
    }
  }
  for (const std::intptr_t outside :
       {std::intptr_t{-4}, std::intptr_t{49}, std::intptr_t{1000}, std::intptr_t{1} << 40}) {
    Send(window, UM_STATUS_CODE, 2, -3);
    Send(window, UM_STATUS_CODE, outside, 0);
    EXPECT_EQ(window.StatusBar().Text(2), QString()) << outside;
  }
}

TEST_F(MainMessagesTest, SendProgressAndResultInTheStatusBar) {
  CQuendraDlg window(Hooks());
  window.show();
  Send(window, UM_SEND_RESULT, 0, kSendGenerating);
  EXPECT_EQ(window.StatusBar().Text(2), Text(1008));
  EXPECT_TRUE(IconIs(window, 2, StatusIcon::Success));
  Send(window, UM_SEND_RESULT, 0, kSendSending);
  EXPECT_EQ(window.StatusBar().Text(2), Text(1007));
  EXPECT_TRUE(IconIs(window, 2, StatusIcon::Success));

  Send(window, UM_SEND_PROGRESS, 5, 42);
  EXPECT_EQ(window.StatusBar().Text(2), Text(1007) + QStringLiteral("(42%)"));
  EXPECT_EQ(window.StatusBar().Progress().value(), 42);
  SaveScreenshot(window, QStringLiteral("quendra_dlg_sending"));
  // Beyond the range the bar and the text stop at its ends.
  Send(window, UM_SEND_PROGRESS, 0, 150);
  EXPECT_EQ(window.StatusBar().Progress().value(), 100);
  EXPECT_EQ(window.StatusBar().Text(2), Text(1007) + QStringLiteral("(100%)"));
  Send(window, UM_SEND_PROGRESS, 0, -7);
  EXPECT_EQ(window.StatusBar().Progress().value(), 0);

  Send(window, UM_SEND_PROGRESS, 0, 60);
  Send(window, UM_SEND_RESULT, 0, -102);
  EXPECT_EQ(window.StatusBar().Text(2), Text(1010) + GetSendErrorText(-102));
  EXPECT_TRUE(IconIs(window, 2, StatusIcon::Failure));
  EXPECT_EQ(window.StatusBar().Progress().value(), 60);  // a failure keeps the bar
  Send(window, UM_SEND_RESULT, 0, 0);
  EXPECT_EQ(window.StatusBar().Text(2), Text(1009));
  EXPECT_TRUE(IconIs(window, 2, StatusIcon::Success));
  EXPECT_EQ(window.StatusBar().Progress().value(), 0);
  SaveScreenshot(window, QStringLiteral("quendra_dlg_sent"));
}

TEST_F(MainMessagesTest, StatusRefreshShowsTheCurrentScreensLinkSizeAndColours) {
  CQuendraDlg window(Hooks());
  window.show();
  ASSERT_FALSE(ScreenList.empty());
  ScreenRecord& screen = ScreenList.front();
  CurrentScreenNo = screen.LedNo;
  screen.LedWidth = 1024;
  screen.LedHeight = 1024;
  const StatusIcon links[] = {StatusIcon::Network, StatusIcon::SerialLine, StatusIcon::UsbDisk};
  for (int sendType = 0; sendType < 3; ++sendType) {
    screen.SendType = sendType;
    Send(window, UM_STATUS_REFRESH, 0, 0);
    EXPECT_TRUE(IconIs(window, 0, links[sendType])) << sendType;
  }
  for (const int colour : {0, 1, 2, 3}) {
    screen.LedColor = colour;
    Send(window, UM_STATUS_REFRESH, 0, 0);
    const QString name = ReadLangText(QStringLiteral("IDD_BASICSET_DIALOG"), 1017 + colour);
    EXPECT_FALSE(name.isEmpty());
    EXPECT_EQ(window.StatusBar().Text(1), QStringLiteral("1024*1024 ") + name);
    for (const QLabel* label : window.StatusBar().findChildren<QLabel*>()) {
      if (label->text() != window.StatusBar().Text(1)) continue;  // the part grows to fit
      EXPECT_GT(label->parentWidget()->width(),
                label->fontMetrics().horizontalAdvance(label->text()) + 4);
    }
    if (colour == 2) SaveScreenshot(window.StatusBar(), QStringLiteral("quendra_dlg_status_size"));
  }
  screen.LedColor = 7;
  Send(window, UM_STATUS_REFRESH, 0, 0);
  EXPECT_EQ(window.StatusBar().Text(1), QStringLiteral("1024*1024 "));

  CurrentScreenNo = screen.LedNo + 1000;  // no such screen
  Send(window, UM_STATUS_REFRESH, 0, 0);
  EXPECT_TRUE(window.StatusBar().Icon(0).isNull());
  EXPECT_EQ(window.StatusBar().Text(1), QString());
}

TEST_F(MainMessagesTest, PaneBackAndTheAccessCodePanesWayOn) {
  CQuendraDlg window(Hooks());
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  window.ShowTaskPane(4);
  Send(window, UM_PANE_BACK, 4, 0);
  EXPECT_EQ(CurrentPaneIndex, 0);
  EXPECT_TRUE(window.ToolBar().isVisible());
  EXPECT_TRUE(window.MainMenuBar().isVisible());
  EXPECT_TRUE(window.Pane(0).isVisible());

  // The access code was right: on to the guarded pane, toolbar and menu as they are.
  const struct {
    LPARAM which;
    int pane;
  } guarded[] = {{1, 1}, {2, 9}, {3, 8}};
  for (const auto& [which, pane] : guarded) {
    window.ShowTaskPane(6);
    Send(window, UM_PANE_BACK, 6, which);
    EXPECT_EQ(CurrentPaneIndex, pane);
    EXPECT_TRUE(window.Pane(pane).isVisible());
    EXPECT_FALSE(window.Pane(6).isVisible());
    EXPECT_FALSE(window.ToolBar().isVisible());
    EXPECT_TRUE(window.BlankMenuBar().isVisible());
    if (pane == 9) SaveScreenshot(window, QStringLiteral("quendra_dlg_locker_pane"));
    Send(window, UM_PANE_BACK, static_cast<std::intptr_t>(pane), 0);
    EXPECT_EQ(CurrentPaneIndex, 0);
    EXPECT_TRUE(window.ToolBar().isVisible());
  }

  // Other panes' lParams change nothing; an unknown pane only resets the index.
  window.ShowTaskPane(3);
  Send(window, UM_PANE_BACK, 3, 2);
  EXPECT_EQ(CurrentPaneIndex, 3);
  Send(window, UM_PANE_BACK, 42, 0);
  EXPECT_EQ(CurrentPaneIndex, 0);
}

TEST_F(MainMessagesTest, PlayToggleHidesTheWindowAndDrivesFrameAndCanvas) {
  CQuendraDlg window(Hooks());
  RecordingWindow frame;
  RecordingWindow canvas;
  PreviewFrameWindow = frame.Handle();
  PreviewCanvasWindow = canvas.Handle();
  int code = -1;
  bool toggledBack = false;
  // Hidden while playing, the window still runs until it is closed.
  QTimer::singleShot(0, &window, [&] {
    Send(window, UM_PLAY_TOGGLE, 0, 0);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(PlayingFlag, 1);
    EXPECT_FALSE(PlayList.empty());
    QTimer::singleShot(20, &window, [&] {
      Send(window, UM_PLAY_TOGGLE, 0, 0);
      toggledBack = true;
      EXPECT_TRUE(window.isVisible());
      window.done(7);
    });
  });
  code = window.RunModal();
  EXPECT_TRUE(toggledBack);
  EXPECT_EQ(code, 7);
  EXPECT_EQ(PlayingFlag, 0);
  EXPECT_EQ(frame.received, (std::vector<Message>{{UM_PLAY_TOGGLE, 0, 0}, {UM_PLAY_TOGGLE, 1, 0}}));
  EXPECT_EQ(canvas.received, (std::vector<Message>{{UM_CANVAS_COMMAND, kCanvasPlay, 0},
                                                   {UM_CANVAS_COMMAND, kCanvasPlay, 1}}));
}

TEST_F(MainMessagesTest, ExitForUpdateSavesClosesTheChannelAndEnds) {
  MainWindowHooks hooks = Hooks();
  bool channelOpen = true;
  int savedWidth = 0;
  hooks.exitForUpdate = [&] {
    channelOpen = WindowClassExists(kMainWindowClass);
    ClearProjectModel();
    if (LoadProjectXml(GetProgramSavePath()) == 1) savedWidth = ScreenList.front().LedWidth;
    ++exits;
  };
  CQuendraDlg window(hooks);
  ScreenList.front().LedWidth = 321;
  ASSERT_TRUE(PostToWindowClass(kMainWindowClass, UM_EXIT_FOR_UPDATE, 0, 0));
  QTRY_COMPARE(exits, 1);
  EXPECT_FALSE(channelOpen);
  EXPECT_EQ(savedWidth, 321);
  EXPECT_TRUE(asked.isEmpty());
}

TEST_F(MainMessagesTest, ExitForUpdateEndsEvenWhenTheSaveFails) {
  ASSERT_TRUE(QDir(GetAppDir() + QStringLiteral("project")).removeRecursively());
  QFile blocker(GetAppDir() + QStringLiteral("project"));  // a file where the folder goes
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  CQuendraDlg window(Hooks());
  Send(window, UM_EXIT_FOR_UPDATE, 0, 0);
  EXPECT_EQ(exits, 1);
  EXPECT_TRUE(asked.isEmpty());
}

TEST_F(MainMessagesTest, UpdatersRequestEndsTheProcessWithCodeZeroAfterSaving) {
  MainWindowHooks hooks = Hooks();
  hooks.exitForUpdate = nullptr;  // the process's own end
  EXPECT_EXIT(
      {
        CQuendraDlg window(hooks);
        ScreenList.front().LedWidth = 321;
        if (!PostToWindowClass(kMainWindowClass, UM_EXIT_FOR_UPDATE, 0, 0)) std::_Exit(3);
        for (;;) QTest::qWait(10);
      },
      testing::ExitedWithCode(0), "");
  ASSERT_EQ(LoadProjectXml(GetProgramSavePath()), 1);
  EXPECT_EQ(ScreenList.front().LedWidth, 321);
}
