#include "app/tree/tree_menus.h"

#include <QIcon>
#include <QPixmap>

#include "app/tree/tree_art.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"

namespace {

constexpr int kMenuImageSize = 16;

struct MenuLine {
  UINT command;  // 0 a separator
  int textNumber;
};

// The add-area popup in menu order.
constexpr MenuLine kAddAreaLines[] = {{ID_ADD_SINGLE_LINE, 1001},  {ID_ADD_IMAGE_TEXT, 1002},
                                      {ID_ADD_FILES, 1003},        {ID_ADD_FLASH_WORDS, 1004},
                                      {ID_ADD_ANALOG_CLOCK, 1005}, {ID_ADD_DIGITAL_CLOCK, 1006},
                                      {ID_ADD_COUNTDOWN, 1007}};

// The context menu; the add-area popup stands at kAddAreaPopupPosition.
constexpr MenuLine kTreeLines[] = {{ID_TREE_MENU_PREVIEW, 1001},
                                   {0, 0},
                                   {ID_TREE_MENU_ADD_PROGRAM, 1002},
                                   {ID_TREE_MENU_COPY, 1004},
                                   {ID_TREE_MENU_PASTE, 1005},
                                   {ID_TREE_MENU_DELETE, 1006},
                                   {0, 0},
                                   {ID_TREE_MENU_MOVE_UP, 1007},
                                   {ID_TREE_MENU_MOVE_DOWN, 1008}};

bool DisabledOnScreen(UINT command) {
  return command == ID_TREE_MENU_PREVIEW || command == ID_TREE_MENU_COPY ||
         command == ID_TREE_MENU_DELETE || command == ID_TREE_MENU_MOVE_UP ||
         command == ID_TREE_MENU_MOVE_DOWN;
}

void Append(KvMenu& menu, QLatin1StringView section, const MenuLine& line, UINT flags) {
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
    Append(*menu, lang_section::IDR_MENU_ADDAREA, line, 0);
    const QImage image = PaintTreeImage(AddAreaKindOf(line.command) + 1, kMenuImageSize);
    menu->actions().back()->setIcon(QIcon(QPixmap::fromImage(image)));
  }
  return menu;
}

std::unique_ptr<KvMenu> BuildTreeMenu(bool onScreen, bool hasCopiedItem) {
  const QLatin1StringView section = lang_section::IDR_MENU_TREE;
  auto menu = std::make_unique<KvMenu>();
  for (const MenuLine& line : kTreeLines) {
    if (menu->actions().size() == kAddAreaPopupPosition) {
      static_cast<void>(
          menu->AppendItem(ReadLangText(section, 1003), MF_POPUP, 0, BuildAddAreaMenu()));
    }
    const bool disabled = (line.command == ID_TREE_MENU_PASTE && !hasCopiedItem) ||
                          (onScreen && DisabledOnScreen(line.command));
    Append(*menu, section, line, disabled ? MF_GRAYED : 0);
  }
  return menu;
}
