#include "device/usb/usb_import_dialog.h"

#include "controls/dialogs/loading_dialog.h"
#include "controls/dialogs/style_message_dialog.h"
#include "controls/shell/pane_ids.h"
#include "controls/shell/program_messages.h"
#include "controls/shell/window_globals.h"
#include "device/common/device_call_scope.h"
#include "device/usb/usb_ids.h"
#include "model/common/file_system.h"
#include "model/project/current_screen.h"
#include "model/project/project_globals.h"
#include "model/project/project_window.h"
#include "model/project/screen_file.h"
#include "model/project/screen_import.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"
#include "platform/blocking_call.h"

namespace {

constexpr int kStyleError = 0x10;
constexpr int kStyleInformation = 0x40;
// The USB-disk notice of IDD_UPDATECPU_DIALOG: choose a drive first.
constexpr int kNoDriveText = 1008;
constexpr int kUnreadableText = 1006;
constexpr int kTooLargeText = 1007;

// UM_STATUS_CODE's codes of a read-back.
constexpr WPARAM kNoFileStatus = 30;
constexpr WPARAM kReadStatus = 31;
constexpr WPARAM kReplacedStatus = 32;
constexpr WPARAM kAppendedStatus = 33;
// UM_SCREEN_ROOT: the screen's branch built again from the model.
constexpr WPARAM kShowBranch = 3;

const ScreenValueIds kLabelIds = {IDC_USB_IMPORT_CARD_MODEL_LABEL, IDC_USB_IMPORT_CARD_NUMBER_LABEL,
                                  IDC_USB_IMPORT_WIDTH_LABEL,      IDC_USB_IMPORT_HEIGHT_LABEL,
                                  IDC_USB_IMPORT_COLOR_LABEL,      IDC_USB_IMPORT_OE_LABEL,
                                  IDC_USB_IMPORT_DA_LABEL,         IDC_USB_IMPORT_SCAN_TYPE_LABEL};
const ScreenValueIds kValueIds = {IDC_USB_IMPORT_CARD_MODEL, IDC_USB_IMPORT_CARD_NUMBER,
                                  IDC_USB_IMPORT_WIDTH,      IDC_USB_IMPORT_HEIGHT,
                                  IDC_USB_IMPORT_COLOR,      IDC_USB_IMPORT_OE,
                                  IDC_USB_IMPORT_DA,         IDC_USB_IMPORT_SCAN_TYPE};

QString Text(int key) { return ReadLangText(lang_section::IDD_USBIMPORT_DIALOG, key); }

// The program file in the card folder of the drive, "P" or "W".
QString ProgramFile(const QString& root, QChar folder) {
  return root + QStringLiteral("marvane/KQ-%1/kq_disp_pgm.usb").arg(folder);
}

}  // namespace

CUsbImportDialog::CUsbImportDialog(QWidget* parent, Ask ask)
    : UsbPane(kUsbImportPane, parent, IDC_USB_IMPORT_BACK, kLabelIds, kValueIds,
              IDC_USB_IMPORT_DRIVES, IDC_USB_IMPORT_REFRESH),
      ask_(ask ? std::move(ask) : Ask(ShowStyleMessage)),
      read_(this),
      toCurrent_(this),
      asNew_(this),
      driveLabel_(this),
      paramsLabel_(this) {
  read_.setObjectName(QString::number(IDC_USB_IMPORT_READ));
  toCurrent_.setObjectName(QString::number(IDC_USB_IMPORT_TO_CURRENT));
  asNew_.setObjectName(QString::number(IDC_USB_IMPORT_AS_NEW));
  driveLabel_.setObjectName(QString::number(IDC_USB_IMPORT_DRIVE_LABEL));
  paramsLabel_.setObjectName(QString::number(IDC_USB_IMPORT_PARAMS_LABEL));
  QFont bold = paramsLabel_.font();
  bold.setBold(true);
  paramsLabel_.setFont(bold);
  connect(&read_, &QPushButton::clicked, this, [this] { OnImport(); });
  connect(&toCurrent_, &QPushButton::clicked, this, [this] { OnImportToCurrent(); });
  connect(&asNew_, &QPushButton::clicked, this, [this] { OnImportAsNew(); });
  EnableImport(false);
  ApplyLanguage();
}

CUsbImportDialog::~CUsbImportDialog() { static_cast<void>(FreeImportedScreen(import_)); }

QPushButton* CUsbImportDialog::Button(int id) {
  switch (id) {
    case IDC_USB_IMPORT_READ: return &read_;
    case IDC_USB_IMPORT_TO_CURRENT: return &toCurrent_;
    case IDC_USB_IMPORT_AS_NEW: return &asNew_;
    default: return nullptr;
  }
}

void CUsbImportDialog::ResetPane() {
  drives_.Fill();
  ClearValues();
  EnableImport(false);
}

void CUsbImportDialog::EnableImport(bool enabled) {
  toCurrent_.setEnabled(enabled);
  asNew_.setEnabled(enabled);
}

void CUsbImportDialog::OnImport() {
  const QString root = drives_.SelectedRoot();
  if (root.isEmpty()) {
    ask_(ReadLangText(lang_section::IDD_UPDATECPU_DIALOG, kNoDriveText), kStyleInformation);
    return;
  }
  QString path = ProgramFile(root, u'P');
  if (!FileExists(path)) path = ProgramFile(root, u'W');
  if (!FileExists(path)) {
    SendMessage(MainWindowHandle, UM_STATUS_CODE, kNoFileStatus, 0);
    return;
  }
  static_cast<void>(FreeImportedScreen(import_));
  // Too large for any card's project: refused before a byte of it is read.
  const bool tooLarge = IsScreenFileTooLarge(path);
  if (tooLarge || !ReadOffWindowThread(path)) {
    // Nothing that could be imported was read: nothing is offered for import.
    ClearValues();
    EnableImport(false);
    ask_(Text(tooLarge ? kTooLargeText : kUnreadableText), kStyleError);
    return;
  }
  ShowValues(*import_.Screen, true);
  EnableImport(true);
  SendMessage(MainWindowHandle, UM_STATUS_CODE, kReadStatus, 0);
}

bool CUsbImportDialog::ReadOffWindowThread(const QString& path) {
  int read = 0;
  CLoadingDialog busy;
  busy.ShowBusy(QString(), this);
  // The window keeps dispatching: nothing may start another import or change the
  // project meanwhile.
  const DeviceCallScope scope(this);
  const bool ran = RunWhileDispatching([&] { read = ReadScreenXml(import_, path); });
  return ran && read == 1;
}

void CUsbImportDialog::OnImportToCurrent() {
  if (ReplaceCurrentScreen(import_) != 1) return;  // the record and the pane stay
  FinishImport(kReplacedStatus, *GetCurrentScreen());
}

void CUsbImportDialog::OnImportAsNew() {
  if (AppendImportedScreen(import_) != 1) return;
  FinishImport(kAppendedStatus, ScreenList.back());
}

void CUsbImportDialog::FinishImport(int statusCode, ScreenRecord& screen) {
  SendMessage(ProjectWindow(), UM_SCREEN_ROOT, kShowBranch, reinterpret_cast<LPARAM>(&screen));
  SendMessage(PreviewFrameWindow, UM_SCREEN_SIZE_CHANGED,
              static_cast<WPARAM>(import_.Screen->LedWidth), import_.Screen->LedHeight);
  // The programs and areas belong to the project now; the settings read go.
  static_cast<void>(FreeImportedScreen(import_));
  SendMessage(MainWindowHandle, UM_STATUS_CODE, static_cast<WPARAM>(statusCode), 0);
  SendMessage(MainWindowHandle, UM_PANE_BACK, static_cast<WPARAM>(kUsbImportPane), 0);
}

void CUsbImportDialog::ApplyLanguage() {
  driveLabel_.setText(ReadLangText(lang_section::IDD_UPDATECPU_DIALOG, 1007));
  paramsLabel_.setText(Text(1000));
  read_.setText(Text(1001));
  toCurrent_.setText(Text(1003));
  asNew_.setText(Text(1004));
  ApplyBaseLanguage(Text(1005));
}

void CUsbImportDialog::resizeEvent(QResizeEvent* event) {
  UsbPane::resizeEvent(event);
  const QRect panel = PanelRect();
  const int left = panel.left() + 30;
  driveLabel_.setGeometry(left, panel.top() + 50, 100, 28);
  drives_.setGeometry(left + 100, panel.top() + 50, 220, 28);
  refresh_.setGeometry(left + 326, panel.top() + 50, 28, 28);
  read_.setGeometry(left + 370, panel.top() + 50, 130, 28);
  paramsLabel_.setGeometry(left, panel.top() + 110, 300, 24);
  for (int value = 0; value < kScreenValueCount; ++value) {
    PlaceValue(static_cast<ScreenValue>(value), 30 + (value % 2) * 260, 150 + (value / 2) * 40);
  }
  toCurrent_.setGeometry(left, panel.top() + 420, 240, 32);
  asNew_.setGeometry(left + 260, panel.top() + 420, 240, 32);
}
