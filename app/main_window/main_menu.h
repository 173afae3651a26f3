#pragma once
// The main window's menus as the program builds them: the menu bar IDR_MENU_MAIN, the
// blank menu bar 466 a task pane shows, and the toolbar's drop-down menu 181. Every
// item carries its command id; choosing one sends WM_COMMAND (the id, 0) to the window.

#include <QMenuBar>

#include "app/language/language_switch.h"
#include "platform/window_handle.h"

constexpr UINT kExitCommand = 32808;
constexpr int kDropDownMenuId = 181;

// The menu bar IDR_MENU_MAIN; its items send their commands to the window. Texts come
// from LoadMainMenuTexts, but for the language names, which are fixed.
QMenuBar* BuildMainMenuBar(QWidget* parent, HWND window);

// The item with the command id anywhere in the bar; null when there is none.
QAction* FindMenuCommand(const QMenuBar& bar, UINT commandId);

// The command id an item of these menus carries; 0 for others.
UINT MenuCommandOf(const QAction* action);

// Adds the drop-down menu 181 to the process's menu templates (once).
void AddDropDownMenuTemplate();
