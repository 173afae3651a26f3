// The main window's part of the language at run time: the seven language commands,
// and its own windows in the table of windows a switch gives their texts again.

#include "app/language/language_switch.h"
#include "app/language/language_texts.h"
#include "app/main_window/quendra_dlg.h"
#include "controls/shell/pane_ids.h"
#include "controls/shell/program_messages.h"

void CQuendraDlg::OnLanguageCommand(WPARAM commandId) {
  const int language = LanguageOfCommand(commandId);
  if (language < 0) return;
  // A choice that could not be stored still holds for this run; the next start
  // follows what the file holds, as it would after any failed write of it.
  static_cast<void>(SwitchLanguage(*menuBar_, language));
}

void CQuendraDlg::RegisterLanguageTexts() {
  RegisterTexts(TextSlot::StatusBar, this,
                [this] { SendMessage(Handle(), UM_STATUS_REFRESH, 0, 0); });
  RegisterTexts(TextSlot::MainMenu, this, [this] { LoadMenuTexts(); });
  CFrameDialog* frame = previewFrame_.get();
  RegisterTexts(TextSlot::LayoutFrame, frame, [frame] { frame->ApplyLanguage(); });
}
