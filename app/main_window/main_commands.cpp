// The main window's command switch: the file commands, the task panes, the device
// commands on the current screen, the updater and the preview's play toggle. Sending
// the current screen is in send_current_screen.cpp.
#include "app/main_window/quendra_dlg.h"

#include "app/main_window/about_dialog.h"
#include "app/main_window/main_commands_p.h"
#include "app/send/send_dialog.h"
#include "app/send/usb_send_dialog.h"
#include "controls/dialogs/style_message_dialog.h"
#include "controls/shell/main_window_ids.h"
#include "controls/shell/pane_ids.h"
#include "controls/shell/program_messages.h"
#include "controls/shell/widgets_disabled.h"
#include "device/access/access_code.h"
#include "device/access/lock_dialog.h"
#include "device/commands/brightness_dialog.h"
#include "device/commands/test_dialog.h"
#include "device/commands/time_on_off_dialog.h"
#include "device/firmware/update_dialog.h"
#include "device/usb/usb_import_dialog.h"
#include "model/common/app_dir.h"
#include "model/common/app_paths.h"
#include "model/common/file_system.h"
#include "model/project/clear_project.h"
#include "model/project/current_screen.h"
#include "model/project/default_screen.h"
#include "model/project/project_file.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"
#include "model/settings/program_save_path.h"
#include "platform/blocking_call.h"
#include "platform/window_channel.h"
#include "sdk/Corvanix.h"

namespace {

// The file dialogs' filters (Qt's form of "*.kqprj|*.kqprj||" and "(*.kqprj)|*.kqprj||";
// file names here tell case apart, so both spellings are listed).
const QString kOpenFilter = QStringLiteral("*.kqprj (*.kqprj *.KQPRJ)");
const QString kSaveFilter = QStringLiteral("(*.kqprj) (*.kqprj *.KQPRJ)");
const QString kProjectExtension = QStringLiteral(".kqprj");

constexpr int kNewProjectQuestion = 1060;
constexpr int kNotAProjectFile = 1067;
constexpr int kSaveFailed = 4003;
constexpr int kUpdaterMissing = 1006;
// The updater started by the command gets this long to open its window class.
constexpr int kUpdaterStartWaitMs = 300;

// Device commands' first status codes; each reports S before its call, then S+1 on
// success or S+2 with the result.
constexpr int kAdjustTimeStatus = 15;
constexpr int kScreenOnStatus = 18;
constexpr int kScreenOffStatus = 21;

std::int32_t AdjustTime(const CommInfo* info, std::int32_t) { return KQ_AdjustTime(info); }

// The access-code pane made ready for what it guards: the mode stored, the field
// emptied. It takes the focus to the field as it shows.
void PrepareAccessCode(QWidget& pane, AccessMode mode) {
  auto& accessCode = static_cast<CLockDialog&>(pane);
  accessCode.SetMode(mode);
  accessCode.ClearCode();
}

}  // namespace

void CQuendraDlg::OnCommand(WPARAM id) {
  switch (id) {
    case ID_FILE_NEW: OnFileNew(); break;
    case ID_FILE_OPEN: OnFileOpen(); break;
    case ID_FILE_SAVE: OnFileSave(); break;
    case ID_FILE_SAVE_AS: OnFileSaveAs(); break;
    case ID_FILE_EXIT: OnClose(); break;
    // Settings: the access-code pane guards the screen parameters, the boot logo and,
    // with a current screen, the administrator's pane.
    case ID_SETTINGS_SCREEN_PARAMS:
      PrepareAccessCode(Pane(kAccessCodePane), kAccessScreenParams);
      OpenPane(kAccessCodePane);
      break;
    case ID_SETTINGS_BOOT_LOGO:
      PrepareAccessCode(Pane(kAccessCodePane), kAccessBootLogo);
      OpenPane(kAccessCodePane);
      break;
    case ID_SETTINGS_ADMINISTRATOR:
      if (GetCurrentScreen() == nullptr) break;
      PrepareAccessCode(Pane(kAccessCodePane), kAccessAdministrator);
      OpenPane(kAccessCodePane);
      break;
    case ID_COMMANDS_BRIGHTNESS: OpenBrightnessDialog(); break;
    case ID_COMMANDS_TIMED_ON_OFF: OpenTimedPowerDialog(); break;
    case ID_COMMANDS_TEST: OpenTestDialog(); break;
    case ID_COMMANDS_ADJUST_TIME: RunDeviceCommand(kAdjustTimeStatus, AdjustTime, 0); break;
    case ID_COMMANDS_SCREEN_ON: RunDeviceCommand(kScreenOnStatus, KQ_PowerOnOff, 0); break;
    case ID_COMMANDS_SCREEN_OFF: RunDeviceCommand(kScreenOffStatus, KQ_PowerOnOff, 1); break;
    case ID_COMMANDS_FIRMWARE:
      if (GetCurrentScreen() == nullptr) break;
      static_cast<CUpdateDialog&>(Pane(kFirmwarePane)).ResetPane();
      OpenPane(kFirmwarePane);
      break;
    case ID_TOOLS_USB_READ_BACK:
      static_cast<CUsbImportDialog&>(Pane(kUsbImportPane)).ResetPane();
      OpenPane(kUsbImportPane);
      break;
    case ID_HELP_CHECK_UPDATE: OnCheckUpdate(); break;
    case ID_HELP_ABOUT: {
      CAboutDialog about(this);
      static_cast<void>(about.exec());  // it only closes
      break;
    }
    case ID_TOOLBAR_SEND: SendCurrentScreen(); break;
    case ID_TOOLBAR_SEND_TO_SCREENS:
      static_cast<CSendDialog&>(Pane(kSendPane)).FillGroupList();
      OpenPane(kSendPane);
      Pane(kSendPane).update();
      break;
    case ID_TOOLBAR_SEARCH: OpenPane(kSearchPane); break;
    case ID_TOOLBAR_USB:
      OpenPane(kUsbSendPane);
      static_cast<CUsbSendDialog&>(Pane(kUsbSendPane)).ResetPane();
      break;
    case ID_PLAY_TOGGLE: SendMessage(Handle(), UM_PLAY_TOGGLE, 0, 0); break;
    default: break;
  }
}

// The device command dialogs work on the current screen; without one they do not open.
void CQuendraDlg::OpenBrightnessDialog() {
  ScreenRecord* screen = GetCurrentScreen();
  if (screen == nullptr) return;
  CTimeBrightnessSetDialog dialog(*screen, this, hooks_.ask);
  static_cast<void>(dialog.exec());  // it edits the screen in place
}

void CQuendraDlg::OpenTimedPowerDialog() {
  const ScreenRecord* screen = GetCurrentScreen();
  if (screen == nullptr) return;
  CTimeOnOffDialog dialog(this, hooks_.ask);
  dialog.LoadFromScreen(*screen);
  static_cast<void>(dialog.exec());  // whatever the way it closed, the screen keeps its values
  // The dialog ran its own event loop: the screen is looked up again.
  if (ScreenRecord* current = GetCurrentScreen()) dialog.StoreToScreen(*current);
}

void CQuendraDlg::OpenTestDialog() {
  const ScreenRecord* screen = GetCurrentScreen();
  // A USB-disk screen has no card to show a pattern on.
  if (screen == nullptr || screen->SendType >= kSendByUsbDisk) return;
  CTestDialog dialog(this);
  dialog.SetCommInfo(*screen);
  static_cast<void>(dialog.exec());
}

void CQuendraDlg::ShowMessage(int key, int style) {
  hooks_.ask(ReadLangText(lang_section::IDD_QUENDRA_DIALOG, key), style);
}

bool CQuendraDlg::SaveBeforeClearing() {
  // Edits are kept as closing keeps them; a project that cannot be written stays open.
  if (SaveProjectXml(GetProgramSavePath()) == 1) return true;
  ShowMessage(kSaveFailed, kStyleError);
  return false;
}

void CQuendraDlg::OnFileNew() {
  if (hooks_.ask(ReadLangText(lang_section::IDD_QUENDRA_DIALOG, kNewProjectQuestion),
                 kStyleOkCancel) == kIdCancel) {
    return;
  }
  if (!SaveBeforeClearing()) return;
  ClearProject(*projectPage_);
  static_cast<void>(NewProgramSavePath());  // unstored, it is made again at the next save
  CreateDefaultScreen();
}

void CQuendraDlg::OnFileOpen() {
  const QString path = hooks_.chooseOpenFile(kOpenFilter);
  if (path.isEmpty()) return;
  if (!IsProjectFile(path)) {
    ShowMessage(kNotAProjectFile, kStyleError);
    update();
    return;
  }
  if (!SaveBeforeClearing()) return;
  // Unless the new path is remembered, the next save would go to the old file.
  if (!SetProgramSavePath(path)) {
    ShowMessage(kSaveFailed, kStyleError);
    return;
  }
  ClearProject(*projectPage_);
  LoadProject();
}

void CQuendraDlg::OnFileSave() {
  if (SaveProjectXml(GetProgramSavePath()) != 1) ShowMessage(kSaveFailed, kStyleError);
}

void CQuendraDlg::OnFileSaveAs() {
  const QString defaultName =
      hooks_.clock().toString(QStringLiteral("yyyyMMddHHmmss")) + kProjectExtension;
  QString path = hooks_.chooseSaveFile(kSaveFilter, AppFilePath(AppFolder::Project, defaultName));
  if (path.isEmpty()) return;
  if (path.right(5).toLower() != kProjectExtension.mid(1)) path += kProjectExtension;
  // The project stays remembered under its own path.
  if (SaveProjectXml(path) != 1) ShowMessage(kSaveFailed, kStyleError);
}

void CQuendraDlg::OpenPane(int pane) {
  toolbar_.hide();
  PumpMessages();
  ShowTaskPane(pane);
}

void CQuendraDlg::RunDeviceCommand(int startCode,
                                   std::int32_t (*call)(const CommInfo*, std::int32_t),
                                   std::int32_t value) {
  const ScreenRecord* screen = GetCurrentScreen();
  // A USB-disk screen has no card to talk to.
  if (screen == nullptr ||
      (screen->SendType != kSendByNetwork && screen->SendType != kSendBySerialLine)) {
    return;
  }
  CommInfo info = CardLinkOf(*screen);
  SendMessage(Handle(), UM_STATUS_CODE, static_cast<WPARAM>(startCode), 0);
  std::int32_t result = KQ_OK;
  {
    // The call dispatches messages: nothing may start another call or replay the
    // preview meanwhile.
    const DeviceCallLock locked;
    result = call(&info, value);
  }
  if (result == KQ_OK) {
    SendMessage(Handle(), UM_STATUS_CODE, static_cast<WPARAM>(startCode + 1), 0);
  } else {
    SendMessage(Handle(), UM_STATUS_CODE, static_cast<WPARAM>(startCode + 2), result);
  }
}

void CQuendraDlg::OnCheckUpdate() {
  if (WindowClassExists(kUpdaterWindowClass)) {
    // An updater that went away meanwhile needs no telling.
    static_cast<void>(PostToWindowClass(kUpdaterWindowClass, UM_CHECK_UPDATE, 0, 0));
    return;
  }
  const QString updater = GetAppDir() + kUpdaterFile;
  // An updater that is missing or does not start cannot check: the user is told.
  if (!FileExists(updater) || !hooks_.launch(updater)) {
    ShowMessage(kUpdaterMissing, kStyleError);
    return;
  }
  WaitPumping(kUpdaterStartWaitMs);
  // An updater not listening by now is not told; it checks by itself as it starts.
  static_cast<void>(PostToWindowClass(kUpdaterWindowClass, UM_CHECK_UPDATE, 0, 0));
}
