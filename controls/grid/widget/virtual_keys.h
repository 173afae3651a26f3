#pragma once
// Virtual-key numbers of the keys the grid and its editor handle (the numbers the
// grid's handlers and the editor's last key carry); letters and digits are their own
// capitals.

#include <QKeyEvent>

constexpr int VK_BACK = 8;
constexpr int VK_TAB = 9;
constexpr int VK_RETURN = 13;
constexpr int VK_ESCAPE = 27;
constexpr int VK_SPACE = 32;
constexpr int VK_PRIOR = 33;
constexpr int VK_NEXT = 34;
constexpr int VK_END = 35;
constexpr int VK_HOME = 36;
constexpr int VK_LEFT = 37;
constexpr int VK_UP = 38;
constexpr int VK_RIGHT = 39;
constexpr int VK_DOWN = 40;
constexpr int VK_INSERT = 45;
constexpr int VK_DELETE = 46;
constexpr int VK_F2 = 113;

// The virtual-key number of a Qt key; 0 for keys the grid does not know.
int VirtualKeyOf(int key);

// Whether a key is one of the navigation keys 33-40 (pages, End, Home, arrows).
constexpr bool IsNavigationKey(int key) { return key >= VK_PRIOR && key <= VK_DOWN; }

// The modifiers of a key event; Key_Backtab is Tab with Shift.
Qt::KeyboardModifiers ModifiersOf(const QKeyEvent& event);

// The character a key press types as a character message would carry it: printable
// characters, Backspace, Tab, Enter and Esc; 0 for none (no text, other control
// characters, Delete, or Ctrl or Alt held).
int TypedCharacterOf(const QKeyEvent& event);
