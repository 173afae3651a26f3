#pragma once
// CUpdateDlg: the updater's window (dialog 102) and its upgrade states. It stays
// hidden while it checks the server's version file 50 ms after the start and then every
// 180 s; a newer version is offered in the notice pop-up; the upgrade downloads the
// package with progress, checks its digest, waits for the main program to close (or
// asks it to), installs the package and starts the main program again.
//
// While the updater works in a nested wait (a transfer, the setup script, the wait for
// the main program), its messages keep arriving: a check asked for meanwhile takes the
// running check's result; UM_QUIT_UPDATER ends the program except while the main
// program is waited for (state 8) or a package is being installed (states 6 and 10);
// the close box hides the window and cancels a transfer.

#include <QDialog>

#include <atomic>
#include <functional>

#include "platform/message_window.h"
#include "updater/core/update_options.h"
#include "updater/core/version_check.h"

class QLabel;
class QProgressBar;
class CNoticeDialog;
class CPlainButton;
class UpdateTray;

// UpdateState: what the updater is doing, and what its window shows.
enum UpdateState : int {
  kIdle = 0,  // window hidden
  kServerFailed = 1,
  kUpToDate = 2,
  kOffered = 3,
  kDownloading = 4,
  kDownloadFailed = 5,
  kInstalling = 6,   // downloaded; checked and installed
  kBadPackage = 7,   // the digest did not match, or the install failed
  kMainRunning = 8,  // the main program must close first: buttons 1001 and 1003
  kDone = 9,         // "Finish" starts the main program
  kInstallingAfterClose = 10,
  kNoticeOpen = 11,
};

// What the window takes from outside, replaceable in tests.
struct UpdateDlgHooks {
  // Runs the notice and gives its answer, IDOK or IDCANCEL.
  std::function<int(CNoticeDialog& notice)> askNotice;
  // The error box: text and caption.
  std::function<void(const QString& text, const QString& caption)> showError;
  // Ends the program with the code (the application's event loop).
  std::function<void(int code)> exit;
  UpdateOptions options;
  // How long button 1001 asks the main program to close before giving up.
  int mainProgramWaitMs = 30000;
};

class CUpdateDlg : public QDialog, public MessageWindow {
 public:
  static constexpr UINT kCheckTimer = 1;
  static constexpr UINT kStartTimer = 2;
  static constexpr UINT kCheckTickMs = 10000;
  static constexpr int kTicksPerCheck = 18;  // a check every 180 s
  static constexpr UINT kStartDelayMs = 50;
  static constexpr int kWidth = 600;
  static constexpr int kHeight = 345;

  explicit CUpdateDlg(UpdateDlgHooks hooks = {});

  // Hidden, the progress at 0-100, the start check due in 50 ms.
  void OnInitDialog();
  // UM_DOWNLOAD_PROGRESS, UM_CHECK_UPDATE, UM_TRAY_NOTIFY, UM_QUIT_UPDATER, WM_CLOSE,
  // WM_TIMER, and the tray menu's command.
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  // Timer 2 (once) hides the window and runs the offer; timer 1 runs it every 18th tick.
  void OnTimer(UINT timerId);
  // Checks the server; offers a newer version in the notice, else keeps timer 1 going.
  void OfferNewVersion();
  // Button 1000, by state.
  void OnUpgradeButton();
  // Button 1001: asks the main program to close, then installs.
  void OnForceCloseButton();
  // Button 1003: installs once the user has closed the main program.
  void OnConfirmClosedButton();
  // Hides the window into the tray with a balloon; where there is no tray it minimises.
  void ShowTrayBalloon();

  // The state with its status text (the table's, or text when given) and buttons.
  void SetState(int state, const QString& text = QString());
  int State() const { return state_; }
  QString StatusText() const;
  int ProgressValue() const;
  bool ProgressShown() const;
  CPlainButton& Button(int id) const;
  bool CheckTimerRunning() const { return checkTimerRunning_; }
  bool TrayShown() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  // The close box and Esc are WM_CLOSE: the window hides, the program goes on.
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  void BuildControls();
  void ShowNormal();
  void StartCheckTimer();
  void StopCheckTimer();
  int RunCheck();
  void ShowCheckResult(int result);
  void OnCheckUpdate();
  void OnDownloadProgress(WPARAM bytes, LPARAM total);
  void OnTrayNotify(LPARAM what);
  void OnClose();
  bool InstallUnderway() const;
  void Leave();
  // The road of button 1000 in states 3, 5 and 7 (update_upgrade.cpp).
  void DownloadAndInstall();
  bool WaitForMainProgramToLeave();
  void InstallAfterClose();
  void Install();
  void StartMainProgram();

  UpdateDlgHooks hooks_;
  int state_ = kIdle;
  ServerVersion server_;
  std::atomic<bool> cancel_{false};       // the package's transfer
  std::atomic<bool> checkCancel_{false};  // the version file's transfer
  bool checking_ = false;
  bool checkRequested_ = false;  // UM_CHECK_UPDATE came during a check
  bool closingMain_ = false;     // button 1001's wait for the main program
  bool leaving_ = false;
  bool checkTimerRunning_ = false;
  int checkTicks_ = 0;
  QLabel* status_ = nullptr;
  QProgressBar* progress_ = nullptr;
  CPlainButton* upgrade_ = nullptr;
  CPlainButton* forceClose_ = nullptr;
  CPlainButton* confirmClosed_ = nullptr;
  UpdateTray* tray_ = nullptr;
};
