#include "app/send/usb_send_dialog.h"

#include <QFile>

#include <cstring>
#include <exception>
#include <iterator>

#include "app/builder/program_builder.h"
#include "app/builder/send_checks.h"
#include "app/prerender/screen_program.h"
#include "controls/dialogs/style_message_dialog.h"
#include "controls/shell/pane_ids.h"
#include "controls/shell/program_messages.h"
#include "controls/shell/widgets_disabled.h"
#include "controls/shell/window_globals.h"
#include "device/common/card_settings.h"
#include "device/common/device_icons.h"
#include "device/usb/usb_ids.h"
#include "model/common/app_paths.h"
#include "model/common/bounded_text.h"
#include "model/common/disk_folder.h"
#include "model/common/regular_file.h"
#include "model/project/project_globals.h"
#include "model/project/screen_file.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"

namespace {

constexpr int kStyleError = 0x10;
constexpr int kStyleInformation = 0x40;
// The USB-disk notice of IDD_UPDATECPU_DIALOG: choose a drive first.
constexpr int kNoDriveText = 1008;

// UM_STATUS_CODE's codes of an export.
constexpr WPARAM kWritingStatus = 6;
constexpr WPARAM kWrittenStatus = 7;
constexpr WPARAM kFailedStatus = 8;

// Settings sections beside the screen's own (card_settings.h): timed power, brightness,
// clock and lock.
constexpr std::int32_t kBaseSections = kBasicSection | kPolaritySection | kScanSection | 64 | 128;
constexpr std::int32_t kClockSection = 16;
constexpr std::int32_t kLockSection = 256;
constexpr std::int32_t kLocked = 2;  // ScreenRecord::LockState
constexpr std::int32_t kAllSendTypes = 0;

constexpr int kScreenIconSize = 24;

// The program file each card folder holds beside the card's own files.
const QString kProgramFile = QStringLiteral("kq_disp_pgm.usb");

const ScreenValueIds kLabelIds = {IDC_USB_SEND_CARD_MODEL_LABEL, IDC_USB_SEND_CARD_NUMBER_LABEL,
                                  IDC_USB_SEND_WIDTH_LABEL,      IDC_USB_SEND_HEIGHT_LABEL,
                                  IDC_USB_SEND_COLOR_LABEL,      IDC_USB_SEND_OE_LABEL,
                                  IDC_USB_SEND_DA_LABEL,         IDC_USB_SEND_SCAN_TYPE_LABEL};
const ScreenValueIds kValueIds = {
    IDC_USB_SEND_CARD_MODEL, IDC_USB_SEND_CARD_NUMBER, IDC_USB_SEND_WIDTH, IDC_USB_SEND_HEIGHT,
    IDC_USB_SEND_COLOR,      IDC_USB_SEND_OE,          IDC_USB_SEND_DA,    IDC_USB_SEND_SCAN_TYPE};

static_assert(sizeof(PowerSchedule) == sizeof(TimeOnOffInfo));
static_assert(sizeof(BrightnessSchedule) == sizeof(TimeBrightnessInfo));

QString Text(int key) { return ReadLangText(lang_section::IDD_USBSEND_DIALOG, key); }

void Report(WPARAM code, std::int32_t result) {
  SendMessage(MainWindowHandle, UM_STATUS_CODE, code, result);
}

ScreenRecord* ScreenAtRow(int row) {
  if (row < 0) row = 0;  // nothing selected: the first screen
  if (row >= static_cast<int>(ScreenList.size())) return nullptr;
  return &*std::next(ScreenList.begin(), row);
}

// Writes the job's screen file into the KQ-P folder and the same bytes into the KQ-W
// folder, each synced before it replaces an older one; false when either fails (no
// KQ-W copy after a failed KQ-P write). The file is made in the program's own Temp
// folder first, so that only its bytes go to the disk, by the folders' descriptors.
bool WriteProgramFiles(const QString& root, const ScreenSendJob& job) {
  const QString made = AppFilePath(AppFolder::Temp, kProgramFile);
  QByteArray bytes;
  const bool written = WriteScreenXml(job, made) == 1 && ReadRegularFile(made, &bytes) == 0;
  static_cast<void>(QFile::remove(made));
  if (!written) return false;
  for (const char* folder : {"marvane/KQ-P", "marvane/KQ-W"}) {
    DiskFolder target;
    if (target.Open(root, QLatin1String(folder), true) != 0 ||
        target.WriteFile(kProgramFile, bytes) != 0) {
      return false;
    }
  }
  return true;
}

}  // namespace

void FillUsbSettings(const ScreenRecord& screen, const QDateTime* clock, LedAllSettingInfo& info) {
  info = LedAllSettingInfo{};
  // The scan table goes along only where the route has one.
  PutScreenSettings(screen, kBaseSections | kScanTableSection, info);
  if (clock != nullptr) {
    info.SectionMask |= kClockSection;
    const QDate date = clock->date();
    info.TimeYear = date.year();
    info.TimeMonth = date.month();
    info.TimeDay = date.day();
    info.TimeHour = clock->time().hour();
    info.TimeMinute = clock->time().minute();
  }
  if (screen.LockState > 0) {
    info.SectionMask |= kLockSection;
    info.LockOn = screen.LockState == kLocked ? 1 : 0;
    info.LockYear = screen.Year;
    info.LockMonth = screen.Month;
    info.LockDay = screen.Day;
    info.LockHour = screen.Hour;
    info.LockMinute = screen.Minute;
  }
  info.BrightnessMode = screen.IsTimeBrightness;
  if (screen.IsTimeBrightness == 0) {
    info.Brightness = screen.BrightnessValue;
  } else {
    std::memcpy(&info.TimeBrightness, &screen.TimeBrightness, sizeof info.TimeBrightness);
  }
  if (screen.IsTimeOnOff != 0) {
    std::memcpy(&info.TimeOnOff, &screen.TimeOnOff, sizeof info.TimeOnOff);
  }
}

CUsbSendDialog::CUsbSendDialog(QWidget* parent, const ProjectTreeItems& tree, Ask ask)
    : UsbPane(kUsbSendPane, parent, IDC_USB_SEND_BACK, kLabelIds, kValueIds, IDC_USB_SEND_DRIVES,
              IDC_USB_SEND_REFRESH),
      tree_(tree),
      ask_(ask ? std::move(ask) : Ask(ShowStyleMessage)),
      screenImages_(QSize(kScreenIconSize, kScreenIconSize)),
      screenLabel_(this),
      screens_(this),
      paramsLabel_(this),
      brightnessLabel_(this),
      brightness_(this),
      brightnessBar_(Qt::Horizontal, this),
      adjustTime_(this),
      date_(this),
      time_(this),
      driveLabel_(this),
      export_(this) {
  const std::pair<QWidget*, int> named[] = {{&screenLabel_, IDC_USB_SEND_SCREEN_LABEL},
                                            {&screens_, IDC_USB_SEND_SCREENS},
                                            {&paramsLabel_, IDC_USB_SEND_PARAMS_LABEL},
                                            {&brightnessLabel_, IDC_USB_SEND_BRIGHTNESS_LABEL},
                                            {&brightness_, IDC_USB_SEND_BRIGHTNESS},
                                            {&brightnessBar_, IDC_USB_SEND_BRIGHTNESS_BAR},
                                            {&adjustTime_, IDC_USB_SEND_ADJUST_TIME},
                                            {&date_, IDC_USB_SEND_DATE},
                                            {&time_, IDC_USB_SEND_TIME},
                                            {&driveLabel_, IDC_USB_SEND_DRIVE_LABEL},
                                            {&export_, IDC_USB_SEND_EXPORT}};
  for (const auto& [control, id] : named) control->setObjectName(QString::number(id));
  static_cast<void>(screenImages_.Add(PaintDeviceIcon(DeviceIcon::Screen, kScreenIconSize)));
  screens_.setIconSize(screenImages_.ImageSize());
  QFont bold = paramsLabel_.font();
  bold.setBold(true);
  paramsLabel_.setFont(bold);
  // The bar shows the scale of the levels only; nothing reads or sets it.
  brightnessBar_.setRange(0, 15);
  brightnessBar_.setTickInterval(1);
  brightnessBar_.setTickPosition(QSlider::TicksBelow);
  date_.setCalendarPopup(true);
  connect(&screens_, &QComboBox::activated, this, [this] { ShowScreenInfo(); });
  connect(&export_, &QPushButton::clicked, this, [this] { OnExport(); });
  ApplyLanguage();
}

void CUsbSendDialog::ResetPane() {
  screens_.clear();
  const QIcon icon(QPixmap::fromImage(screenImages_.GetImage(0)));
  int selected = 0;
  for (const ScreenRecord& screen : ScreenList) {
    if (screen.LedNo == CurrentScreenNo) selected = screens_.count();
    screens_.addItem(icon, ReadBoundedText(screen.LedName));
  }
  screens_.setCurrentIndex(screens_.count() > 0 ? selected : -1);
  drives_.Fill();
  ShowScreenInfo();
  const QDateTime now = QDateTime::currentDateTime();
  date_.setDate(now.date());
  time_.setTime(now.time());
}

void CUsbSendDialog::ShowScreenInfo() {
  const int row = screens_.currentIndex();
  const ScreenRecord* screen = row < 0 ? nullptr : ScreenAtRow(row);
  if (screen == nullptr) return;
  ShowValues(*screen, false);
  brightness_.setText(screen->IsTimeBrightness != 0
                          ? Text(1003)
                          : Text(1004) + QString::number(screen->BrightnessValue));
}

void CUsbSendDialog::OnExport() {
  const QString root = drives_.SelectedRoot();
  if (root.isEmpty()) {
    ask_(ReadLangText(lang_section::IDD_UPDATECPU_DIALOG, kNoDriveText), kStyleInformation);
    return;
  }
  Report(kWritingStatus, 0);
  ScreenRecord* screen = ScreenAtRow(screens_.currentIndex());
  if (screen == nullptr) return;
  ScreenSendJob job{};
  CollectCheckedPrograms(*screen, tree_, job, false);
  if (const SendCheckResult check = CheckJobBeforeSend(job); check.code != kSendCheckOk) {
    ask_(SendCheckMessage(job, check), kStyleError);
    return;
  }
  // Messages are dispatched from here on: nothing may start another call, replay the
  // preview or change the screen being written.
  const DeviceCallLock lock;
  const WidgetsDisabled pane({this});
  const std::int32_t result = WriteToDrive(root, job);
  Report(result == KQ_OK ? kWrittenStatus : kFailedStatus, result);
}

std::int32_t CUsbSendDialog::WriteToDrive(const QString& root, ScreenSendJob& job) {
  try {
    std::int32_t refusal = KQ_OK;
    const OwnedProgramSet set = PrepareScreenProgram(job, &refusal);

    CommInfo info{};
    info.SendType = KQ_SEND_USB;
    // A root cut to fit would name another folder.
    if (!CopyBoundedText(info.UsbRoot, root)) return KQ_ERR_USB_FOLDER;
    LedAllSettingInfo settings;
    const QDateTime clock(date_.date(), QTime(time_.time().hour(), time_.time().minute()));
    FillUsbSettings(*job.Screen, adjustTime_.isChecked() ? &clock : nullptr, settings);

    Report(kWritingStatus, 0);
    std::int32_t result = KQ_OK;
    static_cast<void>(KQ_SetLedAllSettingInfo(&info, &settings, &result, 1, kAllSendTypes));
    if (result != KQ_OK) return result;
    if (const std::int32_t sent = KQ_Send(&info, set.get()); sent != KQ_OK) return sent;
    // A set the builder refused parts of failed, even though the rest was written.
    if (refusal != KQ_OK) return refusal;
    return WriteProgramFiles(root, job) ? KQ_OK : KQ_ERR_FILE;
  } catch (const std::exception&) {
    // Memory ran out, embedding large media.
    return KQ_ERR_FILE;
  }
}

void CUsbSendDialog::ApplyLanguage() {
  screenLabel_.setText(Text(1000));
  paramsLabel_.setText(ReadLangText(lang_section::IDD_USBIMPORT_DIALOG, 1000));
  brightnessLabel_.setText(ReadLangText(lang_section::IDD_BRIGHTNESS_DIALOG, 1001));
  adjustTime_.setText(ReadLangText(lang_section::IDD_SEND_DIALOG, 1007));
  driveLabel_.setText(ReadLangText(lang_section::IDD_UPDATECPU_DIALOG, 1007));
  export_.setText(Text(1002));
  ApplyBaseLanguage(Text(1001));
  ShowScreenInfo();
}

void CUsbSendDialog::resizeEvent(QResizeEvent* event) {
  UsbPane::resizeEvent(event);
  const QRect panel = PanelRect();
  const int left = panel.left() + 30;
  const int top = panel.top();
  screenLabel_.setGeometry(left, top + 24, 100, 28);
  screens_.setGeometry(left + 100, top + 24, 400, 28);
  paramsLabel_.setGeometry(left, top + 76, 300, 24);
  for (int value = 0; value < kScreenValueCount; ++value) {
    PlaceValue(static_cast<ScreenValue>(value), 30 + (value % 2) * 260, 110 + (value / 2) * 36);
  }
  brightnessLabel_.setGeometry(left, top + 254, 100, 24);
  brightness_.setGeometry(left + 100, top + 254, 150, 24);
  brightnessBar_.setGeometry(left + 260, top + 250, 240, 32);
  adjustTime_.setGeometry(left, top + 304, 158, 28);
  date_.setGeometry(left + 162, top + 304, 150, 28);
  time_.setGeometry(left + 320, top + 304, 120, 28);
  driveLabel_.setGeometry(left, top + 360, 100, 28);
  drives_.setGeometry(left + 100, top + 360, 360, 28);
  refresh_.setGeometry(left + 470, top + 360, 30, 28);
  export_.setGeometry(left + 350, top + 430, 150, 36);
}
