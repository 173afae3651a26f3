// The main window shell: texts, clock, keys that must not close it, panes and the way
// back, the close path with its questions and the save, a damaged remembered project,
// the preview frame with a minimised window, and the updater's messages.
#include <QApplication>
#include <QTest>
#include <QToolButton>

#include <deque>

#include "app/main_window/main_menu.h"
#include "app/main_window/quendra_dlg.h"
#include "controls/animation/pane_slide.h"
#include "controls/shell/main_window_ids.h"
#include "controls/shell/pane_ids.h"
#include "controls/shell/rtf_editor_opener.h"
#include "model/project/project_editing.h"
#include "model/project/project_file.h"
#include "model/project/project_globals.h"
#include "model/settings/lang_text.h"
#include "model/settings/program_save_path.h"
#include "platform/window_channel.h"
#include "tests/app/main_window/main_window_fixture.h"
#include "tests/support/eventually.h"
#include "tests/support/recording_window.h"
#include "tests/support/screenshot.h"

namespace {

using testsupport::RecordingWindow;

using apptest::MainWindowTest;

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

TEST_F(MainWindowTest, ShellTextsClockKeysAndTheUpdatersMessage) {
  CQuendraDlg window(Hooks());
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  SaveScreenshot(window, QStringLiteral("quendra_dlg"));
  EXPECT_TRUE(RunRtfEditor);  // published for the pages and panes that open the editor

  QStringList buttons;
  for (QAction* action : window.ToolBar().actions()) buttons << action->text();
  EXPECT_EQ(buttons, (QStringList{"Edit", "Search", "Send to screens", "USB", "Send"}));
  EXPECT_FALSE(window.ToolBar().ButtonAction(0)->isEnabled());
  auto* dropDown = qobject_cast<QToolButton*>(
      window.ToolBar().widgetForAction(window.ToolBar().ButtonAction(2)));
  ASSERT_NE(dropDown, nullptr);
  EXPECT_EQ(dropDown->popupMode(), QToolButton::MenuButtonPopup);
  EXPECT_EQ(window.MainMenuBar().actions()[0]->text(), QStringLiteral("File"));
  EXPECT_EQ(FindMenuCommand(window.MainMenuBar(), ID_FILE_EXIT)->text(), QStringLiteral("Exit"));
  EXPECT_TRUE(FindMenuCommand(window.MainMenuBar(), ID_LANGUAGE_ENGLISH)->isChecked());  // English
  EXPECT_EQ(FindMenuCommand(window.MainMenuBar(), ID_LANGUAGE_PERSIAN)->text(),
            QStringLiteral("فارسی"));

  EXPECT_EQ(window.StatusBar().Text(4), QStringLiteral("2026-12-09 10:00:00"));
  now = now.addSecs(1);
  window.WindowProc(WM_TIMER, CQuendraDlg::kClockTimer, 0);
  EXPECT_EQ(window.StatusBar().Text(4), QStringLiteral("2026-12-09 10:00:01"));

  for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
    QTest::keyClick(&window, key);
  EXPECT_TRUE(window.isVisible());
  EXPECT_TRUE(asked.isEmpty());

  // Only the updater's exit request reaches the window over its class.
  EXPECT_TRUE(PostToWindowClass(kMainWindowClass, UM_QUIT_UPDATER, 0, 0));
  EXPECT_TRUE(PostToWindowClass(kMainWindowClass, UM_EXIT_FOR_UPDATE, 0, 0));
  EXPECT_EVENTUALLY_EQ(exits, 1);
}

TEST_F(MainWindowTest, ClosingGoesBackFromAPaneThenAsksSavesAndTellsTheUpdater) {
  CQuendraDlg window(Hooks());
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  // The send pane, filled as it opens.
  SendMessage(window.Handle(), WM_COMMAND, ID_TOOLBAR_SEND_TO_SCREENS, 0);
  EXPECT_EQ(CurrentPaneIndex, kSendPane);
  EXPECT_TRUE(window.BlankMenuBar().isVisible());
  EXPECT_FALSE(window.ToolBar().isVisible());
  SaveScreenshot(window, QStringLiteral("quendra_dlg_task_pane"));
  window.close();
  EXPECT_TRUE(asked.isEmpty());
  EXPECT_EQ(CurrentPaneIndex, 0);
  EXPECT_TRUE(window.Pane(kProjectPagePane).isVisible());
  EXPECT_FALSE(window.Pane(kSendPane).isVisible());
  EXPECT_TRUE(window.MainMenuBar().isVisible());
  EXPECT_TRUE(window.ToolBar().isVisible());

  // A pane's Back button takes the same way.
  window.ShowTaskPane(kUsbSendPane);
  QTest::mouseClick(&static_cast<TaskPane&>(window.Pane(kUsbSendPane)).BackButton(),
                    Qt::LeftButton);
  EXPECT_EQ(CurrentPaneIndex, 0);

  answers = {2};  // Cancel
  window.close();
  EXPECT_EQ(asked, QStringList{Text(1061)});
  EXPECT_EQ(styles, std::vector<int>{0x41});
  EXPECT_TRUE(window.isVisible());
  EXPECT_FALSE(QFile::exists(GetProgramSavePath()));

  RecordingWindow updater;
  WindowChannel updaterClass(kUpdaterWindowClass, updater.Handle(), {UM_QUIT_UPDATER});
  window.close();
  EXPECT_FALSE(window.isVisible());
  EXPECT_TRUE(IsProjectFile(GetProgramSavePath()));
  EXPECT_EVENTUALLY_EQ(updater.received.size(), 1u);
  EXPECT_EQ(updater.Numbers()[0], UM_QUIT_UPDATER);
}

TEST_F(MainWindowTest, FailedSaveAsksWhetherToCloseWithoutSaving) {
  ASSERT_TRUE(QDir(GetAppDir() + QStringLiteral("project")).removeRecursively());
  QFile blocker(GetAppDir() + QStringLiteral("project"));  // a file where the folder goes
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  CQuendraDlg window(Hooks());
  window.show();
  answers = {1, 2};
  window.close();
  EXPECT_EQ(asked, (QStringList{Text(1061), Text(4002)}));
  EXPECT_TRUE(window.isVisible());
  answers = {1, 1};
  window.close();
  EXPECT_FALSE(window.isVisible());
}

TEST_F(MainWindowTest, DamagedRememberedProjectIsNeverOverwritten) {
  const QString damaged = GetAppDir() + QStringLiteral("project/damaged.kqprj");
  QFile file(damaged);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("<LEDS><LED");
  file.close();
  ASSERT_TRUE(SetProgramSavePath(damaged));
  {
    CQuendraDlg window(Hooks());
    EXPECT_EQ(asked, QStringList{Text(4001)});
    EXPECT_EQ(ScreenList.size(), 1u);  // the default screen
    window.show();
    window.close();
    EXPECT_FALSE(window.isVisible());
  }
  EXPECT_EQ(ReadFile(damaged), QByteArray("<LEDS><LED"));
  EXPECT_NE(GetProgramSavePath(), damaged);
  EXPECT_TRUE(IsProjectFile(GetProgramSavePath()));
}

TEST_F(MainWindowTest, MinimisingHidesThePreviewFrame) {
  CQuendraDlg window(Hooks());
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  EXPECT_TRUE(window.PreviewFrame().isVisible());
  EXPECT_EQ(window.PreviewFrame().Master(), &window);
  window.setWindowState(Qt::WindowMinimized);
  EXPECT_EVENTUALLY(!window.PreviewFrame().isVisible());
  window.setWindowState(Qt::WindowNoState);
  EXPECT_EVENTUALLY(window.PreviewFrame().isVisible());
}
