#include "app/main_window/main_menu.h"

#include <span>

#include "controls/buttons/kv_menu.h"
#include "controls/shell/artwork.h"
#include "controls/shell/main_window_ids.h"
#include "controls/support/command_action.h"

namespace {

constexpr int kMenuImageSize = 16;

// The items of each top-level menu, 0 a separator.
constexpr UINT kFileMenu[] = {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_SAVE_AS,
                              0,           ID_FILE_EXIT};
constexpr UINT kSettingsMenu[] = {ID_SETTINGS_SCREEN_PARAMS, ID_SETTINGS_BOOT_LOGO,
                                  ID_SETTINGS_ADMINISTRATOR};
constexpr UINT kCommandsMenu[] = {ID_COMMANDS_BRIGHTNESS,   ID_COMMANDS_ADJUST_TIME,
                                  ID_COMMANDS_SCREEN_ON,    ID_COMMANDS_SCREEN_OFF,
                                  ID_COMMANDS_TIMED_ON_OFF, ID_COMMANDS_TEST,
                                  ID_COMMANDS_FIRMWARE};
constexpr UINT kToolsMenu[] = {ID_TOOLS_USB_READ_BACK};
constexpr UINT kHelpMenu[] = {ID_HELP_TOPICS, ID_HELP_CHECK_UPDATE, ID_HELP_ABOUT};
const std::span<const UINT> kMenus[] = {kFileMenu,  kSettingsMenu,     kCommandsMenu,
                                        kToolsMenu, kLanguageCommands, kHelpMenu};

// The languages' own names, which no language file changes (index 1-6).
const QString kLanguageNames[] = {QString(),
                                  QStringLiteral("中文"),
                                  QStringLiteral("English"),
                                  QStringLiteral("繁體中文"),
                                  QStringLiteral("русский "),
                                  QStringLiteral("Türk"),
                                  QStringLiteral("فارسی")};

// The File menu's images, by position (the separator has none).
const Art kFileImages[] = {Art::NewFile,    Art::OpenFile, Art::SaveFile,
                           Art::SaveFileAs, Art::Exit,     Art::Exit};

}  // namespace

QMenuBar* BuildMainMenuBar(QWidget* parent, HWND window) {
  auto* bar = new QMenuBar(parent);
  for (int position = 0; position < 6; ++position) {
    QMenu* menu = bar->addMenu(QString());
    int index = 0;
    for (const UINT command : kMenus[position]) {
      if (command == 0) {
        menu->addSeparator();
        ++index;
        continue;
      }
      QAction* action = menu->addAction(QString());
      SetCommandId(*action, command);
      RouteCommand(*action, [window] { return window; });
      if (position == 0) {
        action->setIcon(QPixmap::fromImage(PaintArt(kFileImages[index], kMenuImageSize)));
      }
      if (position == 4) {
        action->setCheckable(true);
        if (index > 0) action->setText(kLanguageNames[index]);
      }
      ++index;
    }
  }
  return bar;
}

QAction* FindMenuCommand(const QMenuBar& bar, UINT commandId) {
  for (const QAction* top : bar.actions()) {
    if (top->menu() == nullptr) continue;
    for (QAction* action : top->menu()->actions()) {
      if (CommandIdOf(action) == commandId) return action;
    }
  }
  return nullptr;
}

void AddDropDownMenuTemplate() {
  static bool added = false;
  if (added) return;
  added = true;
  // The Parts give the items' ids but no texts and no actions: they are numbered.
  AddMenuTemplate({IDR_DROP_DOWN_MENU,
                   QString(),
                   {{MF_POPUP | MF_END, 0, QString()},
                    {0, ID_DROP_DOWN_1, QStringLiteral("&1")},
                    {0, ID_DROP_DOWN_2, QStringLiteral("&2")},
                    {MF_END, ID_DROP_DOWN_3, QStringLiteral("&3")}}});
}
