#pragma once
// The grid's keys as virtual-key numbers (platform/input_codes.h), the numbers the
// grid's handlers and the editor's last key carry.

#include <QKeyEvent>

#include "platform/input_codes.h"

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
