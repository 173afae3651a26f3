// Sending the current screen's checked programs from the toolbar. The card's progress
// and result reach the main window as UM_SEND_PROGRESS and UM_SEND_RESULT while the
// call runs; the status bar shows them.
#include "app/builder/program_builder.h"
#include "app/builder/send_checks.h"
#include "app/main_window/main_commands_p.h"
#include "app/main_window/quendra_dlg.h"
#include "app/prerender/screen_program.h"
#include "controls/dialogs/loading_dialog.h"
#include "controls/shell/main_window_ids.h"
#include "controls/shell/program_messages.h"
#include "controls/shell/widgets_disabled.h"
#include "device/common/card_settings.h"
#include "model/project/current_screen.h"
#include "sdk/Corvanix.h"

void CQuendraDlg::SendCurrentScreen() {
  ScreenRecord* screen = GetCurrentScreen();
  if (screen == nullptr) return;
  if (screen->SendType == kSendByUsbDisk) {
    // A USB-disk screen is written by the USB send pane.
    SendMessage(Handle(), WM_COMMAND, ID_TOOLBAR_USB, 0);
    return;
  }
  ScreenSendJob job{};
  CollectCheckedPrograms(*screen, *projectPage_, job, false);
  if (const SendCheckResult check = CheckJobBeforeSend(job); check.code != kSendCheckOk) {
    hooks_.ask(SendCheckMessage(job, check), kStyleError);
    return;
  }
  // From here on messages are dispatched while files are written and read for the
  // card: the preview would render the same frame files again if it could play.
  const WidgetsDisabled preview({previewFrame_.get()});
  std::int32_t refusal = KQ_OK;
  const OwnedProgramSet set = PrepareScreenProgram(job, &refusal);

  CommInfo info = CardLinkOf(*screen);
  info.NotifyWindow = Handle();
  info.StatusMessage = UM_SEND_RESULT;
  info.ProgressMessage = UM_SEND_PROGRESS;
  info.CallerValue = 0;
  {
    CLoadingDialog busy;
    busy.ShowBusy(QString(), this);
    const WidgetsDisabled window({this});
    // The result is posted to the window like the progress, before the call returns.
    static_cast<void>(KQ_Send(&info, set.get()));
  }
  activateWindow();
  // A set the builder refused parts of failed, even when the card took what it got.
  if (refusal != KQ_OK) {
    static_cast<void>(PostMessage(Handle(), UM_SEND_RESULT, 0, refusal));
  }
}
