#pragma once
// CQuendraDlg: the main window. It owns the toolbar, the status bar with its progress
// bar and clock, the menu bar and its blank twin, the project page and ten task panes
// stacked in one client area, the hidden rich-edit control the renderers use, and the
// separate preview frame. While it exists it serves the window class "Quendra6", on
// which the updater's UM_EXIT_FOR_UPDATE reaches it.

#include <QDateTime>
#include <QMenuBar>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

#include "app/canvas/frame_dialog.h"
#include "app/main_window/start_dialog.h"
#include "app/main_window/status_bar.h"
#include "app/tree/main_dialog.h"
#include "controls/bars/my_tool_bar.h"
#include "controls/buttons/button_qx.h"
#include "controls/dialogs/magnet_dialog.h"
#include "controls/rich_edit/rich_edit_ex.h"
#include "controls/shell/task_pane.h"
#include "controls/shell/window_globals.h"
#include "model/project/comm_info.h"

class WindowChannel;

// What the main window takes from outside, replaceable in tests.
struct MainWindowHooks {
  std::function<QDateTime()> clock;                        // the status bar's clock
  std::function<int(const QString& text, int style)> ask;  // the styled message box
  std::function<void()> exitForUpdate;                     // ends the process at once
  // The open-file and save-file dialogs: the path chosen, empty for Cancel.
  std::function<QString(const QString& filter)> chooseOpenFile{};
  std::function<QString(const QString& filter, const QString& defaultName)> chooseSaveFile{};
  // Starts a program, unwatched; false when it could not be started.
  std::function<bool(const QString& program)> launch{};
  // How long the splash window holds its picture before it fades; negative: no
  // splash (a forked test process, which lacks the threads Qt paints pictures with).
  int splashHoldMs = CStartDialog::kHoldMs;
};

class CQuendraDlg : public CMagnetDialog {
 public:
  static constexpr UINT kClockTimer = 1;
  static constexpr int kClockPart = 4;

  explicit CQuendraDlg(MainWindowHooks hooks = {});
  ~CQuendraDlg() override;

  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  // Shows the window and runs until it is closed; hiding it (while the preview plays)
  // does not end the run. Returns the code it was closed with.
  int RunModal();

  // Flag 0: a task pane opens, the blank menu bar shows; otherwise the kept one again.
  void SwapMenuBar(int flag);
  // Slides task pane 1-10 in over the project page, hides the toolbar and shows the
  // blank menu bar.
  void ShowTaskPane(int pane);

  CMyToolBar& ToolBar() { return toolbar_; }
  MainStatusBar& StatusBar() { return *statusBar_; }
  QMenuBar& MainMenuBar() { return *menuBar_; }
  QMenuBar& BlankMenuBar() { return *blankMenuBar_; }
  // Pane 0 is the project page; a task pane is made the first time it is asked for.
  QWidget& Pane(int pane);
  CMainDialog& ProjectPage() { return *projectPage_; }
  CFrameDialog& PreviewFrame() { return *previewFrame_; }

  // The command switch on the whole wParam of WM_COMMAND; unknown ids do nothing.
  void OnCommand(WPARAM id);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void reject() override;
  void changeEvent(QEvent* event) override;
  // Lays the client area out again when it changes size.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void LayOutClient();
  void OnInitDialog();
  void CreateStatusBar();
  void CreateToolBar();
  // The toolbar's and menu bar's texts, the buttons as wide as their texts need.
  void LoadMenuTexts();
  void CreateProjectPage();
  // The task pane of a number, 1 to kTaskPaneCount.
  TaskPane* MakeTaskPane(int pane);
  // Where the task panes lie in the client area.
  QRect PaneArea() const;
  void LoadProject();
  void ShowClock();
  void OnClose();
  // The window's own messages.
  void OnPaneBack(WPARAM pane, LPARAM lParam);
  void OpenGuardedPane(LPARAM which);
  void OnExitForUpdate();
  void OnPlayToggle(WPARAM wParam);
  void OnStatusCode(WPARAM code, LPARAM result);
  void OnSendProgress(LPARAM percent);
  void OnSendResult(LPARAM result);
  void OnStatusRefresh();
  // Shows the operation's status text and keeps how to make it, so that a language
  // switch shows it again in the new language.
  void ShowOperationText(std::function<QString()> text);
  // The language: the seven commands, and the windows a switch re-texts.
  void OnLanguageCommand(WPARAM commandId);
  void RegisterLanguageTexts();

  // The commands (main_commands.cpp, send_current_screen.cpp).
  void ShowMessage(int key, int style);
  [[nodiscard]] bool SaveBeforeClearing();
  void OnFileNew();
  // The device command dialogs of the current screen (brightness, timed power, test).
  void OpenBrightnessDialog();
  void OpenTimedPowerDialog();
  void OpenTestDialog();
  void OnFileOpen();
  void OnFileSave();
  void OnFileSaveAs();
  void OpenPane(int pane);
  void RunDeviceCommand(int startCode, std::int32_t (*call)(const CommInfo*, std::int32_t),
                        std::int32_t value);
  void OnCheckUpdate();
  void SendCurrentScreen();

  MainWindowHooks hooks_;
  QWidget* client_;  // the area under the menu bar
  CMyToolBar toolbar_;
  MainStatusBar* statusBar_ = nullptr;
  std::function<QString()> operationText_;  // the operation part's last text
  CMainDialog* projectPage_ = nullptr;
  std::array<TaskPane*, kTaskPaneCount> panes_{};
  std::unique_ptr<CFrameDialog> previewFrame_;
  CRichEditEx richEdit_;
  CButtonQx button1263_;
  QMenuBar* menuBar_;
  QMenuBar* blankMenuBar_;  // shown while a task pane is
  std::unique_ptr<WindowChannel> channel_;
};
