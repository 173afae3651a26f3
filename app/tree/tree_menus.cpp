#include "app/tree/tree_menus.h"

#include <QIcon>
#include <QPixmap>

#include "app/tree/tree_art.h"
#include "model/settings/lang_text.h"

namespace {

constexpr int kMenuImageSize = 16;

struct MenuLine {
  UINT command;  // 0 a separator
  int textNumber;
};

// The add-area popup in menu order; its commands are kAddAreaCommands of kinds 1, 2,
// 7, 3, 5, 4, 6.
constexpr MenuLine kAddAreaLines[] = {{32943, 1001}, {32944, 1002}, {32958, 1003}, {32945, 1004},
                                      {32946, 1005}, {32947, 1006}, {32948, 1007}};

// The context menu; the add-area popup stands at kAddAreaPopupPosition.
constexpr MenuLine kTreeLines[] = {{kCmdPreviewProgram, 1001},
                                   {0, 0},
                                   {kCmdMenuAddProgram, 1002},
                                   {kCmdMenuCopy, 1004},
                                   {kCmdMenuPaste, 1005},
                                   {kCmdMenuDelete, 1006},
                                   {0, 0},
                                   {kCmdMenuMoveUp, 1007},
                                   {kCmdMenuMoveDown, 1008}};

bool DisabledOnScreen(UINT command) {
  return command == kCmdPreviewProgram || command == kCmdMenuCopy || command == kCmdMenuDelete ||
         command == kCmdMenuMoveUp || command == kCmdMenuMoveDown;
}

void Append(KvMenu& menu, const QString& section, const MenuLine& line, UINT flags) {
  const QString text = line.command ? ReadLangText(section, line.textNumber) : QString();
  static_cast<void>(menu.AppendItem(text, flags, line.command));
}

}  // namespace

int AddAreaKindOf(UINT command) {
  for (int kind = 1; kind <= 7; ++kind) {
    if (command == kAddAreaCommands[kind - 1]) return kind;
  }
  return 0;
}

std::unique_ptr<KvMenu> BuildAddAreaMenu() {
  auto menu = std::make_unique<KvMenu>();
  for (const MenuLine& line : kAddAreaLines) {
    Append(*menu, QStringLiteral("IDR_MENU_ADDAREA"), line, 0);
    const QImage image = PaintTreeImage(AddAreaKindOf(line.command) + 1, kMenuImageSize);
    menu->actions().back()->setIcon(QIcon(QPixmap::fromImage(image)));
  }
  return menu;
}

std::unique_ptr<KvMenu> BuildTreeMenu(bool onScreen, bool hasCopiedItem) {
  const QString section = QStringLiteral("IDR_MENU_TREE");
  auto menu = std::make_unique<KvMenu>();
  for (const MenuLine& line : kTreeLines) {
    if (menu->actions().size() == kAddAreaPopupPosition) {
      static_cast<void>(
          menu->AppendItem(ReadLangText(section, 1003), MF_POPUP, 0, BuildAddAreaMenu()));
    }
    const bool disabled = (line.command == kCmdMenuPaste && !hasCopiedItem) ||
                          (onScreen && DisabledOnScreen(line.command));
    Append(*menu, section, line, disabled ? MF_GRAYED : 0);
  }
  return menu;
}

UINT ChosenCommand(const QAction* action) {
  return action ? action->data().value<KvMenuData>().commandId : 0;
}
