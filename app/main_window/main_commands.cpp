// The main window's command switch: the file commands, the task panes, the device
// commands on the current screen, the updater and the preview's play toggle. Sending
// the current screen is in send_current_screen.cpp.
#include "app/main_window/quendra_dlg.h"

#include "app/main_window/main_commands_p.h"
#include "app/main_window/main_menu.h"
#include "app/send/send_dialog.h"
#include "controls/dialogs/style_message_dialog.h"
#include "controls/shell/program_messages.h"
#include "controls/shell/widgets_disabled.h"
#include "model/common/app_dir.h"
#include "model/common/app_paths.h"
#include "model/common/file_system.h"
#include "model/project/clear_project.h"
#include "model/project/current_screen.h"
#include "model/project/default_screen.h"
#include "model/project/project_file.h"
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

// Task panes that commands open.
constexpr int kSearchPane = 4;
constexpr int kUsbSendPane = 5;
constexpr int kAccessCodePane = 6;
constexpr int kUsbImportPane = 7;
constexpr int kFirmwarePane = 10;

// Device commands' first status codes; each reports S before its call, then S+1 on
// success or S+2 with the result.
constexpr int kAdjustTimeStatus = 15;
constexpr int kScreenOnStatus = 18;
constexpr int kScreenOffStatus = 21;

std::int32_t AdjustTime(const CommInfo* info, std::int32_t) { return KQ_AdjustTime(info); }

}  // namespace

void CQuendraDlg::OnCommand(WPARAM id) {
  switch (id) {
    case 32800: OnFileNew(); break;
    case 32805: OnFileOpen(); break;
    case 32806: OnFileSave(); break;
    case 32807: OnFileSaveAs(); break;
    case kExitCommand: OnClose(); break;
    // Settings: the access-code pane guards the screen parameters, the boot logo and,
    // with a current screen, the administrator's pane.
    case 32957:
    case 32993: OpenPane(kAccessCodePane); break;
    case 32976:
      if (GetCurrentScreen() != nullptr) OpenPane(kAccessCodePane);
      break;
    case 32978: RunDeviceCommand(kAdjustTimeStatus, AdjustTime, 0); break;
    case 32979: RunDeviceCommand(kScreenOnStatus, KQ_PowerOnOff, 0); break;
    case 32980: RunDeviceCommand(kScreenOffStatus, KQ_PowerOnOff, 1); break;
    case 33005:
      if (GetCurrentScreen() != nullptr) OpenPane(kFirmwarePane);
      break;
    case 32968: OpenPane(kUsbImportPane); break;
    case 32990: OnCheckUpdate(); break;
    case 32780: SendCurrentScreen(); break;
    case 32795:
      static_cast<CSendDialog&>(Pane(CSendDialog::kPaneNumber)).FillGroupList();
      OpenPane(CSendDialog::kPaneNumber);
      Pane(CSendDialog::kPaneNumber).update();
      break;
    case 32796: OpenPane(kSearchPane); break;
    case 32794: OpenPane(kUsbSendPane); break;
    case 32797: SendMessage(Handle(), UM_PLAY_TOGGLE, 0, 0); break;
    default: break;
  }
}

void CQuendraDlg::ShowMessage(int key, int style) {
  hooks_.ask(ReadLangText(QString::fromLatin1(kMainWindowSection), key), style);
}

bool CQuendraDlg::SaveBeforeClearing() {
  // Edits are kept as closing keeps them; a project that cannot be written stays open.
  if (SaveProjectXml(GetProgramSavePath()) == 1) return true;
  ShowMessage(kSaveFailed, kStyleError);
  return false;
}

void CQuendraDlg::OnFileNew() {
  if (hooks_.ask(ReadLangText(QString::fromLatin1(kMainWindowSection), kNewProjectQuestion),
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
  CommInfo info{};
  MakeCommInfo(*screen, info);
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
