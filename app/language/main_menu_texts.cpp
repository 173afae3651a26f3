#include "app/language/main_menu_texts.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "controls/bars/my_tool_bar.h"
#include "controls/shell/main_window_ids.h"
#include "controls/support/command_action.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"

namespace {

// Toolbar buttons by position: a text number, or 0 for the fixed "USB".
constexpr int kToolbarTexts[] = {1000, 1004, 1003, 0, 1001};

struct CommandText {
  unsigned commandId;
  int textNumber;
};

constexpr CommandText kMenuTexts[] = {{ID_FILE_NEW, 1001},
                                      {ID_FILE_OPEN, 1002},
                                      {ID_FILE_SAVE, 1003},
                                      {ID_FILE_SAVE_AS, 1004},
                                      {ID_FILE_EXIT, 1005},
                                      {ID_SETTINGS_SCREEN_PARAMS, 2001},
                                      {ID_SETTINGS_BOOT_LOGO, 2002},
                                      {ID_SETTINGS_ADMINISTRATOR, 2003},
                                      {ID_COMMANDS_BRIGHTNESS, 3001},
                                      {ID_COMMANDS_ADJUST_TIME, 3002},
                                      {ID_COMMANDS_SCREEN_ON, 3003},
                                      {ID_COMMANDS_SCREEN_OFF, 3004},
                                      {ID_COMMANDS_TIMED_ON_OFF, 3005},
                                      {ID_COMMANDS_TEST, 3006},
                                      {ID_COMMANDS_FIRMWARE, 3007},
                                      {ID_TOOLS_USB_READ_BACK, 4001},
                                      {ID_LANGUAGE_AUTOMATIC, 5001},
                                      {ID_HELP_TOPICS, 6001},
                                      {ID_HELP_CHECK_UPDATE, 6002},
                                      {ID_HELP_ABOUT, 6003}};

void SetCommandText(const QMenuBar& menuBar, unsigned commandId, const QString& text) {
  for (const QAction* top : menuBar.actions()) {
    if (top->menu() == nullptr) continue;
    for (QAction* action : top->menu()->actions()) {
      if (CommandIdOf(action) == commandId) action->setText(text);
    }
  }
}

}  // namespace

void LoadMainMenuTexts(CMyToolBar& toolbar, QMenuBar& menuBar) {
  for (int position = 0; position < static_cast<int>(std::size(kToolbarTexts)); ++position) {
    QAction* button = toolbar.ButtonAction(position);
    if (button == nullptr) continue;
    const int number = kToolbarTexts[position];
    const QString text = number == 0 ? QStringLiteral("USB")
                                     : ReadLangText(lang_section::IDD_QUENDRA_DIALOG, number);
    button->setText(text);
    button->setToolTip(text);  // the tip of a button is its text
  }
  const QList<QAction*> menus = menuBar.actions();
  for (int position = 0; position < menus.size() && position < 6; ++position) {
    menus[position]->setText(ReadLangText(lang_section::IDR_MENU_MAIN, 1000 * (position + 1)));
  }
  for (const CommandText& item : kMenuTexts) {
    SetCommandText(menuBar, item.commandId,
                   ReadLangText(lang_section::IDR_MENU_MAIN, item.textNumber));
  }
}
