#include "device/firmware/update_dialog.h"

#include <QFileDialog>
#include <QPainter>

#include "controls/dialogs/loading_dialog.h"
#include "controls/dialogs/style_message_dialog.h"
#include "controls/shell/pane_ids.h"
#include "controls/shell/program_messages.h"
#include "controls/shell/window_globals.h"
#include "device/common/device_call_scope.h"
#include "device/common/device_icons.h"
#include "device/firmware/firmware_file.h"
#include "device/firmware/firmware_ids.h"
#include "model/painting/painting_helpers.h"
#include "model/project/current_screen.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"
#include "platform/blocking_call.h"
#include "sdk/Corvanix.h"

namespace {

constexpr int kStyleInformation = 0x40;
constexpr int kNoFileText = 1005;
constexpr int kNoDriveText = 1008;
// UM_SEND_RESULT's code of a transfer that is running.
constexpr LPARAM kTransferRunning = -1000;
// The framed panel: 500 x 300 pixels, 120 pixels down, centred across the pane.
constexpr QSize kPanelSize(501, 301);
constexpr int kPanelTop = 120;
constexpr int kCaptionIconSize = 32;
constexpr int kButtonIconSize = 20;

QString Text(int key) { return ReadLangText(lang_section::IDD_UPDATECPU_DIALOG, key); }

void Name(QWidget& widget, int id) { widget.setObjectName(QString::number(id)); }

}  // namespace

CUpdateDialog::CUpdateDialog(QWidget* parent, Ask ask, ChooseFile chooseFile)
    : TaskPane(kFirmwarePane, parent, IDC_FIRMWARE_BACK),
      ask_(ask ? std::move(ask) : Ask(ShowStyleMessage)),
      chooseFile_(chooseFile ? std::move(chooseFile) : ChooseFile([this](const QString& filter) {
        return QFileDialog::getOpenFileName(this, QString(), QString(), filter);
      })),
      pathLabel_(this),
      path_(this),
      browse_(this),
      modelLabel_(this),
      model_(this),
      driveLabel_(this),
      drives_(this),
      refresh_(this),
      update_(this) {
  Name(pathLabel_, IDC_FIRMWARE_PATH_LABEL);
  Name(path_, IDC_FIRMWARE_PATH);
  Name(browse_, IDC_FIRMWARE_BROWSE);
  Name(modelLabel_, IDC_FIRMWARE_MODEL_LABEL);
  Name(model_, IDC_FIRMWARE_MODEL);
  Name(driveLabel_, IDC_FIRMWARE_DRIVE_LABEL);
  Name(drives_, IDC_FIRMWARE_DRIVES);
  Name(refresh_, IDC_FIRMWARE_REFRESH);
  Name(update_, IDC_FIRMWARE_UPDATE);
  static_cast<void>(
      browse_.SetIcon(QPixmap::fromImage(PaintDeviceIcon(DeviceIcon::Browse, kButtonIconSize))));
  static_cast<void>(
      refresh_.SetIcon(QPixmap::fromImage(PaintDeviceIcon(DeviceIcon::Refresh, kButtonIconSize))));
  connect(&browse_, &QPushButton::clicked, this, [this] { OnBrowse(); });
  connect(&refresh_, &QPushButton::clicked, this, [this] { OnRefreshDrives(); });
  connect(&update_, &QPushButton::clicked, this, [this] { OnUpdate(); });
  for (QWidget* drive : {static_cast<QWidget*>(&driveLabel_), static_cast<QWidget*>(&drives_),
                         static_cast<QWidget*>(&refresh_)}) {
    drive->hide();
  }
  ApplyLanguage();
}

LRESULT CUpdateDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_TIMER && wParam == kDriveTimerId) drives_.RefreshIfChanged();
  return TaskPane::WindowProc(msg, wParam, lParam);
}

void CUpdateDialog::ResetPane() {
  path_.clear();
  model_.clear();
  drives_.Fill();
  const ScreenRecord* screen = GetCurrentScreen();
  const bool usbDisk = screen != nullptr && screen->SendType >= kSendByUsbDisk;
  driveLabel_.setVisible(usbDisk);
  drives_.setVisible(usbDisk);
  refresh_.setVisible(usbDisk);
  if (usbDisk) {
    static_cast<void>(SetTimer(Handle(), kDriveTimerId, kDriveTimerMs));
  } else {
    static_cast<void>(KillTimer(Handle(), kDriveTimerId));
  }
}

void CUpdateDialog::OnBrowse() {
  const QString chosen = chooseFile_(QStringLiteral("*.cpu *.CPU"));
  if (chosen.isEmpty()) return;
  const QString model = CheckedFirmwareModel(chosen, ask_);
  if (model.isEmpty()) return;
  path_.setText(chosen);
  model_.setText(model);
}

void CUpdateDialog::OnUpdate() {
  if (path_.text().isEmpty()) {
    ask_(Text(kNoFileText), kStyleInformation);
    return;
  }
  const ScreenRecord* screen = GetCurrentScreen();
  if (screen == nullptr) return;
  if (screen->SendType >= kSendByUsbDisk && drives_.SelectedRoot().isEmpty()) {
    ask_(Text(kNoDriveText), kStyleInformation);
    return;
  }
  // The file is checked again as it is now, and its model is the one asked about.
  const QString model = CheckedFirmwareModel(path_.text(), ask_);
  if (model.isEmpty()) return;
  model_.setText(model);
  if (!ConfirmFirmwareUpdate({screen}, model, ask_)) return;
  if (screen->SendType >= kSendByUsbDisk) {
    UpdateOnDrive();
  } else {
    UpdateOverCable(*screen);
  }
}

void CUpdateDialog::UpdateOverCable(const ScreenRecord& screen) {
  CommInfo info = CardLinkOf(screen);
  info.NotifyWindow = MainWindowHandle;
  info.StatusMessage = UM_SEND_RESULT;
  info.ProgressMessage = UM_SEND_PROGRESS;
  info.CallerValue = 0;
  std::int32_t result = 0;
  const QString path = path_.text();
  // The call dispatches messages while it runs: the pane and the main window's
  // commands stay disabled until it returns. Its results reach the main window.
  const DeviceCallScope scope(this);
  const std::int32_t code =
      KQ_MultiUpdateCPU(&info, reinterpret_cast<const char16_t*>(path.utf16()), &result, 1, 0);
  // A call refused as a whole posts nothing: the main window is told its code.
  if (code != KQ_OK) SendMessage(MainWindowHandle, UM_SEND_RESULT, 0, code);
}

void CUpdateDialog::UpdateOnDrive() {
  const QString root = drives_.SelectedRoot();
  const QString path = path_.text();
  const QString model = model_.text();
  SendMessage(MainWindowHandle, UM_SEND_RESULT, 0, kTransferRunning);
  std::int32_t result = kFirmwareCopyFailed;
  {
    // Up to 64 MiB are read and written twice: off the window thread, behind the busy
    // window, with the pane and the main window's commands disabled.
    const DeviceCallScope scope(this);
    CLoadingDialog busy;
    busy.ShowBusy(QString(), this);
    if (!RunWhileDispatching([&] { result = CopyFirmwareToDrive(root, path, model); })) {
      result = kFirmwareCopyFailed;
    }
  }
  SendMessage(MainWindowHandle, UM_SEND_RESULT, 0, result);
}

void CUpdateDialog::ApplyLanguage() {
  pathLabel_.setText(Text(1000));
  modelLabel_.setText(Text(1001));
  driveLabel_.setText(Text(1007));
  update_.setText(Text(1002));
  browse_.SetTipText(Text(1006), true);
  refresh_.SetTipText(ReadLangText(lang_section::IDD_SCREENPARAM_DIALOG, 1002), true);
  BackButton().SetTipText(ReadLangText(lang_section::PUBLIC, 1004), true);
  caption_ = Text(1003);
  update();
}

void CUpdateDialog::hideEvent(QHideEvent* event) {
  static_cast<void>(KillTimer(Handle(), kDriveTimerId));
  TaskPane::hideEvent(event);
}

void CUpdateDialog::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  DrawPanelFrame(QString(), true, true, painter, PanelRect());
  DrawCaptionBand(
      this, caption_,
      QIcon(QPixmap::fromImage(PaintDeviceIcon(DeviceIcon::Firmware, kCaptionIconSize))), painter);
}

QRect CUpdateDialog::PanelRect() const {
  return QRect(QPoint((width() - kPanelSize.width()) / 2, kPanelTop), kPanelSize);
}

void CUpdateDialog::resizeEvent(QResizeEvent* event) {
  TaskPane::resizeEvent(event);
  const QRect panel = PanelRect();
  const int left = panel.left() + 30;
  const int top = panel.top() + 40;
  pathLabel_.setGeometry(left, top, 100, 28);
  path_.setGeometry(left + 100, top, 290, 28);
  browse_.setGeometry(left + 396, top, 28, 28);
  modelLabel_.setGeometry(left, top + 50, 100, 28);
  model_.setGeometry(left + 100, top + 50, 150, 28);
  driveLabel_.setGeometry(left, top + 100, 100, 28);
  drives_.setGeometry(left + 100, top + 100, 290, 28);
  refresh_.setGeometry(left + 396, top + 100, 28, 28);
  update_.setGeometry(panel.center().x() - 70, panel.bottom() - 60, 140, 34);
}
