#include "updater/app/update_dlg.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QProgressBar>

#include <algorithm>
#include <cstdint>
#include <utility>

#include "controls/buttons/kv_menu.h"
#include "controls/support/command_action.h"
#include "platform/window_channel.h"
#include "updater/app/notice_dialog.h"
#include "updater/app/plain_button.h"
#include "updater/app/update_ids.h"
#include "updater/app/update_look.h"
#include "updater/app/update_texts.h"
#include "updater/app/update_tray.h"
#include "updater/core/updater_messages.h"

namespace {

// The status band, and the controls below it.
constexpr QRect kStatusBand(0, 250, 600, 35);
constexpr QRect kProgressPlace(60, 288, 480, 12);
constexpr int kButtonTop = 306;
constexpr int kButtonHeight = 28;

// The transfer's progress under its first line.
QString ProgressLine(std::int64_t doneKb, std::int64_t allKb, std::int64_t percent) {
  return QStringLiteral("\n%1KB/%2KB  %3%").arg(doneKb).arg(allKb).arg(percent);
}

QString StateText(int state, const QString& version) {
  switch (state) {
    case kServerFailed: return UpdateText(kServerFailedText);
    case kUpToDate: return UpdateText(kUpToDateText);
    case kOffered: return UpdateText(kOfferedText, version);
    case kDownloading: return UpdateText(kDownloadingText) + ProgressLine(0, 0, 0);
    case kDownloadFailed: return UpdateLines(kDownloadFailedText, kRetryQuestionText);
    case kInstalling: return UpdateText(kInstallingText);
    case kBadPackage: return UpdateLines(kBadPackageText, kDownloadAgainText);
    case kMainRunning: return UpdateText(kMainRunningText);
    case kDone: return UpdateText(kDoneText);
    case kInstallingAfterClose: return UpdateText(kInstallingAfterCloseText);
    default: return QString();
  }
}

// Button 1000 by state: what pressing it does there.
QString UpgradeButtonText(int state) {
  switch (state) {
    case kOffered: return UpdateText(kUpgradeButtonText);
    case kDownloading:
    case kInstalling: return UpdateText(kBackgroundButtonText);
    case kDownloadFailed:
    case kBadPackage: return UpdateText(kRetryButtonText);
    case kDone: return UpdateText(kFinishButtonText);
    default: return OkText();
  }
}

void AddTrayMenuTemplate() {
  static bool added = false;
  if (std::exchange(added, true)) return;
  AddMenuTemplate(
      {IDR_TRAY_MENU,
       QStringLiteral("IDR_TRAY_MENU"),
       {{MF_POPUP | MF_END, 0, QString()}, {MF_END, ID_TRAY_SHOW, UpdateText(kTrayShowText)}}});
}

UpdateDlgHooks WithDefaults(UpdateDlgHooks hooks, QWidget* owner) {
  if (!hooks.askNotice) hooks.askNotice = [](CNoticeDialog& notice) { return notice.RunModal(); };
  if (!hooks.showError) {
    hooks.showError = [owner](const QString& text, const QString& caption) {
      QMessageBox::critical(owner, caption, text);
    };
  }
  if (!hooks.exit) hooks.exit = [](int code) { QCoreApplication::exit(code); };
  return hooks;
}

}  // namespace

CUpdateDlg::CUpdateDlg(UpdateDlgHooks hooks)
    : hooks_(WithDefaults(std::move(hooks), this)), tray_(new UpdateTray(Handle(), this)) {
  AddTrayMenuTemplate();
  setObjectName(QStringLiteral("update"));
  setWindowTitle(UpdateText(kUpdateTitleText));
  setWindowIcon(UpdaterIcon());
  setFixedSize(kWidth, kHeight);
  setStyleSheet(UpdaterStyleSheet());
  BuildControls();
  SetState(kIdle);
}

void CUpdateDlg::BuildControls() {
  status_ = new QLabel(this);
  status_->setObjectName(QStringLiteral("status"));
  status_->setTextFormat(Qt::PlainText);
  status_->setWordWrap(true);
  status_->setAlignment(Qt::AlignCenter);
  status_->setGeometry(kStatusBand);
  QPalette palette = status_->palette();
  palette.setColor(QPalette::WindowText, kBandColor);
  status_->setPalette(palette);
  progress_ = new QProgressBar(this);
  progress_->setGeometry(kProgressPlace);
  progress_->setTextVisible(false);
  upgrade_ = new CPlainButton(QString(), IDC_UPGRADE, this);
  upgrade_->setGeometry((kWidth - 120) / 2, kButtonTop, 120, kButtonHeight);
  forceClose_ = new CPlainButton(UpdateText(kForceCloseText), IDC_FORCE_CLOSE, this);
  forceClose_->setGeometry(kWidth / 2 - 160, kButtonTop, 150, kButtonHeight);
  confirmClosed_ = new CPlainButton(UpdateText(kConfirmClosedText), IDC_CONFIRM_CLOSED, this);
  confirmClosed_->setGeometry(kWidth / 2 + 10, kButtonTop, 150, kButtonHeight);
  connect(upgrade_, &QAbstractButton::clicked, this, [this] { OnUpgradeButton(); });
  connect(forceClose_, &QAbstractButton::clicked, this, [this] { OnForceCloseButton(); });
  connect(confirmClosed_, &QAbstractButton::clicked, this, [this] { OnConfirmClosedButton(); });
}

void CUpdateDlg::OnInitDialog() {
  hide();
  progress_->setRange(0, 100);
  // The window's own timer: it exists as long as the window.
  static_cast<void>(SetTimer(Handle(), kStartTimer, kStartDelayMs));
}

void CUpdateDlg::SetState(int state, const QString& text) {
  state_ = state;
  status_->setText(text.isEmpty() ? StateText(state, server_.version) : text);
  upgrade_->setText(UpgradeButtonText(state));
  upgrade_->setVisible(state != kMainRunning && state != kInstallingAfterClose);
  forceClose_->setVisible(state == kMainRunning);
  confirmClosed_->setVisible(state == kMainRunning);
  if (state == kDownloading) progress_->setValue(0);
  progress_->setVisible(state == kDownloading || state == kInstalling);
}

QString CUpdateDlg::StatusText() const { return status_->text(); }

int CUpdateDlg::ProgressValue() const { return progress_->value(); }

bool CUpdateDlg::ProgressShown() const { return !progress_->isHidden(); }

CPlainButton& CUpdateDlg::Button(int id) const {
  if (id == IDC_FORCE_CLOSE) return *forceClose_;
  return id == IDC_CONFIRM_CLOSED ? *confirmClosed_ : *upgrade_;
}

bool CUpdateDlg::TrayShown() const { return tray_->IsShown(); }

LRESULT CUpdateDlg::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (leaving_) return 0;
  switch (msg) {
    case WM_TIMER: OnTimer(static_cast<UINT>(wParam)); break;
    case WM_COMMAND:
      if (wParam == ID_TRAY_SHOW) ShowNormal();
      break;
    case WM_CLOSE: OnClose(); break;
    case UM_DOWNLOAD_PROGRESS: OnDownloadProgress(wParam, lParam); break;
    case UM_CHECK_UPDATE: OnCheckUpdate(); break;
    case UM_TRAY_NOTIFY: OnTrayNotify(lParam); break;
    case UM_QUIT_UPDATER:
      if (state_ != kMainRunning && !InstallUnderway()) Leave();
      break;
    default: break;
  }
  return 0;
}

void CUpdateDlg::OnTimer(UINT timerId) {
  if (timerId == kStartTimer) {
    static_cast<void>(KillTimer(Handle(), kStartTimer));  // false only when already gone
    hide();
    OfferNewVersion();
  } else if (timerId == kCheckTimer && ++checkTicks_ >= kTicksPerCheck) {
    checkTicks_ = 0;
    OfferNewVersion();
  }
}

void CUpdateDlg::OfferNewVersion() {
  if (checking_ || state_ != kIdle) return;
  const int result = RunCheck();
  if (leaving_) return;
  if (std::exchange(checkRequested_, false)) {
    ShowCheckResult(result);
    return;
  }
  if (result != kVersionNew) {
    StartCheckTimer();
    return;
  }
  StopCheckTimer();
  SetState(kNoticeOpen);
  CNoticeDialog notice(server_.version, server_.message, this);
  const int answer = hooks_.askNotice(notice);
  if (leaving_) return;
  if (answer != IDOK) {
    SetState(kIdle);
    return;
  }
  SetState(kOffered);
  ShowNormal();
  OnUpgradeButton();
}

int CUpdateDlg::RunCheck() {
  checking_ = true;
  ServerVersion server;
  const int result = CheckVersion(hooks_.options, &server, &checkCancel_);
  checking_ = false;
  server_ = server;
  return result;
}

void CUpdateDlg::ShowCheckResult(int result) {
  if (result == kVersionNew) {
    SetState(kOffered);
  } else {
    SetState(result == kVersionUpToDate ? kUpToDate : kServerFailed);
  }
}

void CUpdateDlg::OnCheckUpdate() {
  StopCheckTimer();
  if (state_ == kNoticeOpen) return;
  ShowNormal();
  tray_->Remove();
  if (checking_) {
    checkRequested_ = true;  // the running check answers this request too
    return;
  }
  if (state_ != kIdle) return;
  const int result = RunCheck();
  if (leaving_) return;
  checkRequested_ = false;
  ShowCheckResult(result);
}

void CUpdateDlg::OnDownloadProgress(WPARAM bytes, LPARAM total) {
  const auto done = static_cast<std::int64_t>(bytes);
  const auto all = static_cast<std::int64_t>(total);
  // (-1, -1) tells of a cancel; the state that follows says the rest.
  if (state_ != kDownloading || done <= 0 || all <= 0) return;
  const std::int64_t percent = std::min<std::int64_t>(done * 100 / all, 100);
  progress_->setValue(static_cast<int>(percent));
  status_->setText(UpdateText(kUpgradingText) + ProgressLine(done / 1024, all / 1024, percent));
  status_->repaint();
}

void CUpdateDlg::ShowTrayBalloon() {
  if (!UpdateTray::Available()) {
    showMinimized();  // hidden without a tray icon, it could not be found again
    return;
  }
  hide();
  tray_->Show(UpdateText(kTrayTitleText), status_->text());
}

void CUpdateDlg::OnTrayNotify(LPARAM what) {
  if (what == kTrayDoubleClick) {
    ShowNormal();
    tray_->Remove();
  } else if (what == kTrayContextMenu) {
    KvMenu menu;
    if (menu.LoadMenu(IDR_TRAY_MENU) == 0 || menu.GetSubMenu(0) == nullptr) return;
    // Nothing chosen sends nothing.
    static_cast<void>(SendCommandOf(menu.GetSubMenu(0)->exec(QCursor::pos()), Handle()));
  }
}

void CUpdateDlg::OnClose() {
  // An install under way goes on; only the window goes.
  if (!InstallUnderway()) SetState(kIdle);
  hide();
  cancel_.store(true);
}

bool CUpdateDlg::InstallUnderway() const {
  return state_ == kInstalling || state_ == kInstallingAfterClose || closingMain_;
}

void CUpdateDlg::Leave() {
  leaving_ = true;
  cancel_.store(true);
  checkCancel_.store(true);
  tray_->Remove();
  hooks_.exit(0);
}

void CUpdateDlg::ShowNormal() {
  showNormal();
  raise();
  activateWindow();
}

void CUpdateDlg::StartCheckTimer() {
  checkTimerRunning_ = SetTimer(Handle(), kCheckTimer, kCheckTickMs);
}

void CUpdateDlg::StopCheckTimer() {
  if (std::exchange(checkTimerRunning_, false)) {
    static_cast<void>(KillTimer(Handle(), kCheckTimer));  // it runs: the kill holds
  }
}

void CUpdateDlg::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect banner(0, 0, kWidth, kStatusBand.top());
  QLinearGradient sky(banner.topLeft(), banner.bottomLeft());
  sky.setColorAt(0, QColor(232, 242, 253));
  sky.setColorAt(1, Qt::white);
  painter.fillRect(banner, sky);
  painter.drawPixmap(QRect((kWidth - 96) / 2, 36, 96, 96), UpdaterIcon().pixmap(96, 96));
  QFont font = painter.font();
  font.setPixelSize(30);
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(QColor(40, 60, 90));
  painter.drawText(QRect(0, 140, kWidth, 40), Qt::AlignCenter, QStringLiteral("Quendra"));
  font.setPixelSize(15);
  font.setBold(false);
  painter.setFont(font);
  painter.setPen(QColor(100, 110, 125));
  painter.drawText(QRect(0, 190, kWidth, 30), Qt::AlignCenter, UpdateText(kBannerText));
}

void CUpdateDlg::closeEvent(QCloseEvent* event) {
  event->ignore();
  static_cast<void>(WindowProc(WM_CLOSE, 0, 0));
}

void CUpdateDlg::reject() { static_cast<void>(WindowProc(WM_CLOSE, 0, 0)); }
