// CUpdateDlg's upgrade: button 1000 by state, the download and its checks, the wait
// for the main program, the install and the main program's new start.
#include <QDeadlineTimer>
#include <QProcess>

#include "model/common/app_dir.h"
#include "model/common/app_paths.h"
#include "platform/blocking_call.h"
#include "platform/window_channel.h"
#include "updater/app/plain_button.h"
#include "updater/app/update_dlg.h"
#include "updater/app/update_texts.h"
#include "updater/core/digest.h"
#include "updater/core/package_install.h"
#include "updater/core/update_files.h"

namespace {

// A package that is already there stands in for the download after this pause.
constexpr int kPackageThereMs = 500;
// Button 1001 asks the main program to close this often...
constexpr int kExitRequestMs = 5;
// ...and installs this long after it has gone.
constexpr int kAfterCloseMs = 1000;

}  // namespace

void CUpdateDlg::OnUpgradeButton() {
  switch (state_) {
    case kIdle:
    case kServerFailed:
    case kUpToDate:
      SetState(kIdle);
      hide();
      break;
    case kOffered:
    case kDownloadFailed:
    case kBadPackage: DownloadAndInstall(); break;
    case kDownloading:
    case kInstalling: ShowTrayBalloon(); break;
    case kDone:
      SetState(kIdle);
      hide();
      StartMainProgram();
      StartCheckTimer();
      break;
    default: break;  // 8 and 10 hide the button; 11 is the notice's
  }
}

void CUpdateDlg::DownloadAndInstall() {
  cancel_.store(false);  // a close before now cancels nothing of this one
  SetState(kDownloading);
  const PackageFetch fetch = FetchPackage(server_, hooks_.options, Handle(), &cancel_);
  if (leaving_) return;
  if (fetch == PackageFetch::AlreadyThere) WaitPumping(kPackageThereMs);
  // A close during the pause cancels as it would have cancelled the transfer.
  if (leaving_) return;
  if (fetch == PackageFetch::Failed || cancel_.load()) {
    SetState(kDownloadFailed);
    return;
  }
  SetState(kInstalling);
  if (!DigestMatches(FileDigest(UpdateDataPath(kPackageName)), server_.md5)) {
    SetState(kBadPackage);
    return;
  }
  if (WindowClassExists(kMainWindowClass)) {
    SetState(kMainRunning);
    return;
  }
  Install();
}

void CUpdateDlg::OnForceCloseButton() {
  if (state_ != kMainRunning) return;
  // Hidden first: a second click cannot start a second wait inside this one.
  forceClose_->hide();
  confirmClosed_->hide();
  if (!WaitForMainProgramToLeave()) {
    hooks_.showError(UpdateText(kCloseManuallyText), UpdateText(kErrorCaptionText));
    SetState(kMainRunning);
    return;
  }
  InstallAfterClose();
}

void CUpdateDlg::OnConfirmClosedButton() {
  if (state_ != kMainRunning) return;
  if (WindowClassExists(kMainWindowClass)) {
    hooks_.showError(UpdateText(kCloseManuallyText), UpdateText(kErrorCaptionText));
    return;
  }
  InstallAfterClose();
}

bool CUpdateDlg::WaitForMainProgramToLeave() {
  closingMain_ = true;
  const QDeadlineTimer deadline(hooks_.mainProgramWaitMs);
  bool gone = !WindowClassExists(kMainWindowClass);
  while (!gone && !deadline.hasExpired()) {
    // A main program that has just gone takes no request; the next look sees it.
    static_cast<void>(PostToWindowClass(kMainWindowClass, UM_EXIT_FOR_UPDATE, 0, 0));
    WaitPumping(kExitRequestMs);
    gone = !WindowClassExists(kMainWindowClass);
  }
  closingMain_ = false;
  return gone;
}

void CUpdateDlg::InstallAfterClose() {
  SetState(kInstallingAfterClose);
  WaitPumping(kAfterCloseMs);
  Install();
}

void CUpdateDlg::Install() {
  if (InstallPackage(server_.md5, hooks_.options, Handle()) == InstallResult::Installed) {
    SetState(kDone);
  } else {
    // The core has put the old program back (an undo that failed keeps its journal,
    // which the next start undoes).
    SetState(kBadPackage, UpdateLines(kInstallFailedText, kDownloadAgainText));
  }
}

void CUpdateDlg::StartMainProgram() {
  const QString folder = GetAppDir();
  if (!QProcess::startDetached(folder + kMainProgramFile, {}, folder)) {
    hooks_.showError(UpdateText(kCannotStartText), UpdateText(kErrorCaptionText));
  }
}
