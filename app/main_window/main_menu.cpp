#include "app/main_window/main_menu.h"

#include <span>

#include "controls/buttons/kv_menu.h"
#include "controls/shell/artwork.h"
#include "platform/message_window.h"

namespace {

constexpr int kMenuImageSize = 16;

// The items of each top-level menu, 0 a separator.
constexpr UINT kFileMenu[] = {32800, 32805, 32806, 32807, 0, kExitCommand};
constexpr UINT kSettingsMenu[] = {32957, 32993, 32976};
constexpr UINT kCommandsMenu[] = {32974, 32978, 32979, 32980, 32981, 32983, 33005};
constexpr UINT kToolsMenu[] = {32968};
constexpr UINT kHelpMenu[] = {32989, 32990, 32991};
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

UINT MenuCommandOf(const QAction* action) {
  return action == nullptr ? 0 : action->data().toUInt();
}

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
      action->setData(command);
      QObject::connect(action, &QAction::triggered, bar,
                       [window, command] { SendMessage(window, WM_COMMAND, command, 0); });
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
      if (MenuCommandOf(action) == commandId) return action;
    }
  }
  return nullptr;
}

void AddDropDownMenuTemplate() {
  static bool added = false;
  if (added) return;
  added = true;
  // The Parts give the items' ids but no texts and no actions: they are numbered.
  AddMenuTemplate({kDropDownMenuId,
                   QString(),
                   {{MF_POPUP | MF_END, 0, QString()},
                    {0, 32821, QStringLiteral("&1")},
                    {0, 32822, QStringLiteral("&2")},
                    {MF_END, 32823, QStringLiteral("&3")}}});
}
