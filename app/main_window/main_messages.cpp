// The main window's own messages: the way back from a task pane and on from the
// access-code pane, starting and stopping the preview, the status bar's operation part
// (status codes, a send's progress and result) and link part, and the updater's
// request to end the program.

#include <QTreeWidget>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <utility>

#include "app/canvas/preview_dialog.h"
#include "app/main_window/quendra_dlg.h"
#include "app/main_window/status_codes.h"
#include "app/main_window/status_icons.h"
#include "controls/animation/pane_slide.h"
#include "controls/shell/pane_ids.h"
#include "controls/shell/program_messages.h"
#include "device/common/screen_texts.h"
#include "device/lock/led_locker_dialog.h"
#include "device/logo/logo_set_dialog.h"
#include "device/settings/screen_edits.h"
#include "device/settings/screen_param_dialog.h"
#include "model/project/current_screen.h"
#include "model/project/project_file.h"
#include "model/project/project_globals.h"
#include "model/settings/program_save_path.h"
#include "platform/blocking_call.h"
#include "platform/window_channel.h"
#include "render/rerender/content_rerender.h"

namespace {

constexpr int kOperationPart = 2;
constexpr int kLinkPart = 0;
constexpr int kSizePart = 1;

// The guarded pane the access-code pane opens, by its lParam 1-3; 0 for none.
int GuardedPane(LPARAM which) {
  switch (which) {
    case 1: return kScreenParamPane;
    case 2: return kLockerPane;
    case 3: return kLogoPane;
    default: return 0;
  }
}

QPixmap LinkIcon(std::int32_t sendType) {
  switch (sendType) {
    case kSendByNetwork: return LoadStatusIcon(StatusIcon::Network);
    case kSendBySerialLine: return LoadStatusIcon(StatusIcon::SerialLine);
    case kSendByUsbDisk: return LoadStatusIcon(StatusIcon::UsbDisk);
    default: return {};
  }
}

}  // namespace

int CQuendraDlg::RunModal() {
  std::optional<int> code;
  const auto finished = connect(this, &QDialog::finished, [&code](int result) { code = result; });
  show();
  static_cast<void>(WaitDispatchingUntil([&code] { return code.has_value(); }));
  disconnect(finished);
  return code.value_or(0);  // 0 when the application quit first
}

void CQuendraDlg::OnPaneBack(WPARAM pane, LPARAM lParam) {
  if (pane == kAccessCodePane && GuardedPane(lParam) != 0) {
    OpenGuardedPane(lParam);
    return;
  }
  if (lParam != 0) return;
  if (pane >= 1 && pane <= static_cast<WPARAM>(kTaskPaneCount)) {
    CollapseAndExpandWindows(&Pane(static_cast<int>(pane)), projectPage_, [this, pane] {
      toolbar_.show();
      SwapMenuBar(1);
      if (pane == kScreenParamPane || pane == kAccessCodePane) projectPage_->Tree().setFocus();
    });
  }
  CurrentPaneIndex = 0;
}

// The access code was right: on to the pane it guards, toolbar and blank menu bar
// staying as they are. The screen parameters open on the current screen; what the
// other panes load on opening comes with them.
void CQuendraDlg::OpenGuardedPane(LPARAM which) {
  const int pane = GuardedPane(which);
  if (pane == kScreenParamPane) {
    auto& screens = static_cast<CScreenParamDialog&>(Pane(pane));
    // Ports come and go (USB adapters): listed anew before the screen shows its own.
    static_cast<CCommunicationSetDialog&>(screens.Page(CScreenParamDialog::kCommunicationPage))
        .FillComPortList();
    screens.FillScreenList(ScreenIndexOf(CurrentScreenNo));
    screens.ScreenListBox().setFocus();
  } else if (pane == kLockerPane) {
    static_cast<CLedLockerDialog&>(Pane(pane)).LoadLockTime();
  } else if (pane == kLogoPane) {
    static_cast<CLogoSetDialog&>(Pane(pane)).LoadScreenLogo();
  }
  CurrentPaneIndex = pane;
  CollapseAndExpandWindows(&Pane(kAccessCodePane), &Pane(pane));
}

void CQuendraDlg::OnExitForUpdate() {
  // The updater is about to install over the program: the edits are saved as closing
  // saves them, without asking. A failed save cannot stop the update, so the exit
  // goes on and the project stays as last saved.
  static_cast<void>(SaveProjectXml(GetProgramSavePath()));
  channel_.reset();
  hooks_.exitForUpdate();
}

void CQuendraDlg::OnPlayToggle(WPARAM wParam) {
  constexpr WPARAM kFrameShowsStop = 0;
  constexpr WPARAM kFrameShowsPlay = 1;
  constexpr LPARAM kEnterPlayback = 0;
  constexpr LPARAM kLeavePlayback = 1;
  if (PlayingFlag == 0) {
    // An empty play list plays a black screen; the frame's stop button comes back.
    static_cast<void>(projectPage_->CollectPlayPrograms(wParam == 0 ? 0 : 1));
    RerenderPreviewContent();
    hide();
    SendMessage(PreviewFrameWindow, UM_PLAY_TOGGLE, kFrameShowsStop, 0);
    SendMessage(PreviewCanvasWindow, UM_CANVAS_COMMAND, kCanvasPlay, kEnterPlayback);
  } else {
    show();
    SendMessage(PreviewFrameWindow, UM_PLAY_TOGGLE, kFrameShowsPlay, 0);
    SendMessage(PreviewCanvasWindow, UM_CANVAS_COMMAND, kCanvasPlay, kLeavePlayback);
  }
  PlayingFlag = PlayingFlag == 0 ? 1 : 0;
}

void CQuendraDlg::OnStatusCode(WPARAM code, LPARAM result) {
  const auto sdkResult = static_cast<std::int32_t>(result);
  ShowOperationText(
      [code, sdkResult] { return StatusCodeText(static_cast<std::intptr_t>(code), sdkResult); });
  statusBar_->SetIcon(kOperationPart,
                      LoadStatusIcon(sdkResult != 0 ? StatusIcon::Failure : StatusIcon::Success));
}

void CQuendraDlg::OnSendProgress(LPARAM percent) {
  statusBar_->Progress().setValue(static_cast<int>(std::clamp<LPARAM>(percent, 0, 100)));
  ShowOperationText([percent] { return SendProgressText(percent); });
}

void CQuendraDlg::OnSendResult(LPARAM result) {
  const auto sendResult = static_cast<std::int32_t>(result);
  const bool failed =
      sendResult != 0 && sendResult != kSendSending && sendResult != kSendGenerating;
  if (sendResult == 0) statusBar_->Progress().setValue(0);
  ShowOperationText([sendResult] { return SendResultText(sendResult); });
  statusBar_->SetIcon(kOperationPart,
                      LoadStatusIcon(failed ? StatusIcon::Failure : StatusIcon::Success));
}

void CQuendraDlg::ShowOperationText(std::function<QString()> text) {
  operationText_ = std::move(text);
  statusBar_->SetText(kOperationPart, operationText_());
}

void CQuendraDlg::OnStatusRefresh() {
  if (operationText_) statusBar_->SetText(kOperationPart, operationText_());
  const ScreenRecord* screen = GetCurrentScreen();
  if (screen == nullptr) {
    statusBar_->SetIcon(kLinkPart, {});
    statusBar_->SetText(kSizePart, {});
    return;
  }
  statusBar_->SetIcon(kLinkPart, LinkIcon(screen->SendType));
  statusBar_->SetText(kSizePart, QString::number(screen->LedWidth) + QLatin1Char('*') +
                                     QString::number(screen->LedHeight) + QLatin1Char(' ') +
                                     ColorTypeText(screen->LedColor));
}
