#pragma once
// The main window's menus as the program builds them: the menu bar IDR_MENU_MAIN, the
// blank menu bar 466 a task pane shows, and the toolbar's drop-down menu. Every item
// carries its command id (CommandIdOf); choosing one sends WM_COMMAND (the id, 0) to
// the window.

#include <QMenuBar>

#include "app/language/language_switch.h"
#include "platform/window_handle.h"

// The menu bar IDR_MENU_MAIN; its items send their commands to the window. Texts come
// from LoadMainMenuTexts, but for the language names, which are fixed.
QMenuBar* BuildMainMenuBar(QWidget* parent, HWND window);

// The item with the command id anywhere in the bar; null when there is none.
QAction* FindMenuCommand(const QMenuBar& bar, UINT commandId);

// Adds the drop-down menu IDR_DROP_DOWN_MENU to the process's menu templates (once).
void AddDropDownMenuTemplate();
