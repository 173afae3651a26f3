// The main window's own messages: the status bar's parts, the ways back from and on
// from the panes, the preview's play toggle, and the updater's request to end.
#include <QLabel>
#include <QTest>
#include <QTimer>

#include <cstdlib>

#include "app/builder/send_error_text.h"
#include "app/canvas/preview_dialog.h"
#include "app/main_window/status_codes.h"
#include "app/main_window/status_icons.h"
#include "controls/shell/pane_ids.h"
#include "controls/shell/program_messages.h"
#include "model/project/project_file.h"
#include "model/project/project_globals.h"
#include "model/settings/program_save_path.h"
#include "platform/window_channel.h"
#include "tests/app/main_window/main_window_fixture.h"
#include "tests/support/eventually.h"
#include "tests/support/recording_window.h"
#include "tests/support/screenshot.h"

namespace {

using testsupport::Message;
using testsupport::RecordingWindow;

class MainMessagesTest : public apptest::MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    window = std::make_unique<CQuendraDlg>(Hooks());
  }
  void TearDown() override {
    window.reset();
    PlayingFlag = 0;
    MainWindowTest::TearDown();
  }
  void Send(UINT msg, std::intptr_t wParam, LPARAM lParam) {
    SendMessage(window->Handle(), msg, static_cast<WPARAM>(wParam), lParam);
  }
  QString Part(int part) { return window->StatusBar().Text(part); }
  bool IconIs(int part, StatusIcon icon) {
    return window->StatusBar().Icon(part).toImage() == LoadStatusIcon(icon).toImage();
  }
  std::unique_ptr<CQuendraDlg> window;
};

// The status table as laid down: codes 0-7 from key 1011 on, 8 the USB disk's
// failure, 9-48 from key 1019 on; each operation's third code is its failure, but the
// USB read-back's (30-33), which has none; -3, -2, -1 the boot logo's.
int ExpectedKey(int code) {
  if (code >= 0 && code <= 8) return code == 8 ? 1059 : 1011 + code;
  if (code >= 9) return 1010 + code;
  return code == -3 ? 1007 : code == -2 ? 1009 : 1010;
}
bool ExpectedWithError(int code) {
  if (code < 0) return code == -1;
  return code >= 36 ? code % 3 == 0 : code < 30 && code % 3 == 2;
}

}  // namespace

TEST_F(MainMessagesTest, StatusCodesSendProgressAndResults) {
  for (int code = -3; code <= 48; ++code) {
    const QString text = Text(ExpectedKey(code));
    EXPECT_FALSE(text.isEmpty()) << code;
    for (const std::int32_t result : {0, -3}) {
      Send(UM_STATUS_CODE, code, result);
      EXPECT_EQ(Part(2), ExpectedWithError(code) ? text + GetSendErrorText(result) : text) << code;
      EXPECT_TRUE(IconIs(2, result != 0 ? StatusIcon::Failure : StatusIcon::Success));
    }
  }
  for (const std::intptr_t outside :
       {std::intptr_t{-4}, std::intptr_t{49}, std::intptr_t{1} << 40}) {
    Send(UM_STATUS_CODE, outside, 0);
    EXPECT_EQ(Part(2), QString()) << outside;
  }

  window->show();
  Send(UM_SEND_RESULT, 0, kSendGenerating);
  EXPECT_EQ(Part(2), Text(1008));
  Send(UM_SEND_RESULT, 0, kSendSending);
  EXPECT_EQ(Part(2), Text(1007));
  EXPECT_TRUE(IconIs(2, StatusIcon::Success));
  Send(UM_SEND_PROGRESS, 5, 42);
  EXPECT_EQ(Part(2), Text(1007) + QStringLiteral("(42%)"));
  EXPECT_EQ(window->StatusBar().Progress().value(), 42);
  SaveScreenshot(*window, QStringLiteral("quendra_dlg_sending"));
  Send(UM_SEND_PROGRESS, 0, 150);  // held to the bar's range
  EXPECT_EQ(Part(2), Text(1007) + QStringLiteral("(100%)"));
  EXPECT_EQ(window->StatusBar().Progress().value(), 100);

  Send(UM_SEND_RESULT, 0, -102);
  EXPECT_EQ(Part(2), Text(1010) + GetSendErrorText(-102));
  EXPECT_TRUE(IconIs(2, StatusIcon::Failure));
  EXPECT_EQ(window->StatusBar().Progress().value(), 100);  // a failure keeps the bar
  Send(UM_SEND_RESULT, 0, 0);
  EXPECT_EQ(Part(2), Text(1009));
  EXPECT_TRUE(IconIs(2, StatusIcon::Success));
  EXPECT_EQ(window->StatusBar().Progress().value(), 0);
  SaveScreenshot(*window, QStringLiteral("quendra_dlg_sent"));
}

TEST_F(MainMessagesTest, StatusRefreshShowsTheCurrentScreensLinkSizeAndColours) {
  window->show();
  ScreenRecord& screen = ScreenList.front();
  CurrentScreenNo = screen.LedNo;
  screen.LedWidth = screen.LedHeight = 1024;
  const StatusIcon links[] = {StatusIcon::Network, StatusIcon::SerialLine, StatusIcon::UsbDisk};
  for (int sendType = 0; sendType < 3; ++sendType) {
    screen.SendType = sendType;
    Send(UM_STATUS_REFRESH, 0, 0);
    EXPECT_TRUE(IconIs(0, links[sendType])) << sendType;
  }
  for (const int colour : {0, 1, 2, 3, 7}) {
    screen.LedColor = colour;
    Send(UM_STATUS_REFRESH, 0, 0);
    const QString name = colour == 7
                             ? QString()
                             : ReadLangText(QStringLiteral("IDD_BASICSET_DIALOG"), 1017 + colour);
    EXPECT_EQ(Part(1), QStringLiteral("1024*1024 ") + name);
    for (const QLabel* label : window->StatusBar().findChildren<QLabel*>()) {
      if (label->text() != Part(1)) continue;  // the part grows to fit
      EXPECT_GT(label->parentWidget()->width(),
                label->fontMetrics().horizontalAdvance(label->text()) + 4);
    }
    if (colour == 2) SaveScreenshot(window->StatusBar(), QStringLiteral("quendra_dlg_status_size"));
  }
  CurrentScreenNo = screen.LedNo + 1000;  // no such screen
  Send(UM_STATUS_REFRESH, 0, 0);
  EXPECT_TRUE(window->StatusBar().Icon(0).isNull());
  EXPECT_EQ(Part(1), QString());
}

TEST_F(MainMessagesTest, PaneBackAndTheAccessCodePanesWayOn) {
  window->show();
  // The access code was right: on to the guarded pane, toolbar and blank menu staying.
  for (const auto& [which, pane] :
       {std::pair{1, kScreenParamPane}, std::pair{2, kLockerPane}, std::pair{3, kLogoPane}}) {
    window->ShowTaskPane(kAccessCodePane);
    Send(UM_PANE_BACK, kAccessCodePane, which);
    EXPECT_EQ(CurrentPaneIndex, pane);
    EXPECT_TRUE(window->Pane(pane).isVisible());
    EXPECT_FALSE(window->Pane(kAccessCodePane).isVisible());
    EXPECT_FALSE(window->ToolBar().isVisible());
    EXPECT_TRUE(window->BlankMenuBar().isVisible());
    Send(UM_PANE_BACK, pane, 0);
    EXPECT_EQ(CurrentPaneIndex, 0);
    EXPECT_TRUE(window->ToolBar().isVisible());
    EXPECT_TRUE(window->MainMenuBar().isVisible());
  }
  // Other panes' lParams change nothing; an unknown pane only resets the index.
  window->ShowTaskPane(kSendPane);
  Send(UM_PANE_BACK, kSendPane, 2);
  EXPECT_EQ(CurrentPaneIndex, kSendPane);
  Send(UM_PANE_BACK, 42, 0);
  EXPECT_EQ(CurrentPaneIndex, 0);
}

TEST_F(MainMessagesTest, PlayToggleHidesTheWindowWithoutEndingItsRun) {
  RecordingWindow frame;
  RecordingWindow canvas;
  PreviewFrameWindow = frame.Handle();
  PreviewCanvasWindow = canvas.Handle();
  bool toggledBack = false;
  QTimer::singleShot(0, window.get(), [&] {
    Send(UM_PLAY_TOGGLE, 0, 0);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(PlayingFlag, 1);
    EXPECT_FALSE(PlayList.empty());
    QTimer::singleShot(20, window.get(), [&] {
      Send(UM_PLAY_TOGGLE, 0, 0);
      toggledBack = window->isVisible();
      window->done(7);
    });
  });
  EXPECT_EQ(window->RunModal(), 7);
  EXPECT_TRUE(toggledBack);
  EXPECT_EQ(PlayingFlag, 0);
  EXPECT_EQ(frame.received, (std::vector<Message>{{UM_PLAY_TOGGLE, 0, 0}, {UM_PLAY_TOGGLE, 1, 0}}));
  EXPECT_EQ(canvas.received, (std::vector<Message>{{UM_CANVAS_COMMAND, kCanvasPlay, 0},
                                                   {UM_CANVAS_COMMAND, kCanvasPlay, 1}}));
}

TEST_F(MainMessagesTest, UpdatersRequestSavesAndEndsEvenWhenTheSaveFails) {
  window.reset();
  // A child process ends with code 0 once it has saved its latest edit.
  MainWindowHooks processEnd = Hooks();
  processEnd.exitForUpdate = nullptr;
  processEnd.splashHoldMs = -1;
  EXPECT_EXIT(
      {
        CQuendraDlg child(processEnd);
        ScreenList.front().LedWidth = 321;
        if (!PostToWindowClass(kMainWindowClass, UM_EXIT_FOR_UPDATE, 0, 0)) std::_Exit(3);
        for (;;) QTest::qWait(10);
      },
      testing::ExitedWithCode(0), "");
  ClearProjectModel();
  ASSERT_EQ(LoadProjectXml(GetProgramSavePath()), 1);
  EXPECT_EQ(ScreenList.front().LedWidth, 321);

  // A save that fails does not stop the exit; the channel is closed before it.
  ASSERT_TRUE(QFile::remove(GetProgramSavePath()));
  ASSERT_TRUE(QDir().mkpath(GetProgramSavePath()));  // a folder where the file goes
  bool channelOpen = true;
  MainWindowHooks hooks = Hooks();
  hooks.exitForUpdate = [&] {
    channelOpen = WindowClassExists(kMainWindowClass);
    ++exits;
  };
  window = std::make_unique<CQuendraDlg>(hooks);
  ASSERT_TRUE(PostToWindowClass(kMainWindowClass, UM_EXIT_FOR_UPDATE, 0, 0));
  EXPECT_EVENTUALLY_EQ(exits, 1);
  EXPECT_FALSE(channelOpen);
  EXPECT_TRUE(asked.isEmpty());
}
