#pragma once
// The key and mouse codes of the messaging layer, with the values the Windows API gave
// them: the virtual-key numbers that key handlers and UM_CANVAS_KEY carry, and the
// mouse-key flags that mouse handlers take. Letters and digits are their own
// virtual-key numbers, the capitals and '0'-'9'.

#include <QtCore/qnamespace.h>

#include "platform/window_handle.h"

constexpr int VK_BACK = 8;
constexpr int VK_TAB = 9;
constexpr int VK_RETURN = 13;
constexpr int VK_ESCAPE = 27;
constexpr int VK_SPACE = 32;
constexpr int VK_PRIOR = 33;  // Page Up
constexpr int VK_NEXT = 34;   // Page Down
constexpr int VK_END = 35;
constexpr int VK_HOME = 36;
constexpr int VK_LEFT = 37;
constexpr int VK_UP = 38;
constexpr int VK_RIGHT = 39;
constexpr int VK_DOWN = 40;
constexpr int VK_INSERT = 45;
constexpr int VK_DELETE = 46;
constexpr int VK_F2 = 113;

// The mouse-key flags: the buttons held and the Shift and Ctrl keys.
constexpr UINT MK_LBUTTON = 0x0001;
constexpr UINT MK_RBUTTON = 0x0002;
constexpr UINT MK_SHIFT = 0x0004;
constexpr UINT MK_CONTROL = 0x0008;
constexpr UINT MK_MBUTTON = 0x0010;
constexpr UINT MK_XBUTTON1 = 0x0020;
constexpr UINT MK_XBUTTON2 = 0x0040;

// The mouse-key flags of the buttons held and the keyboard modifiers of a mouse event.
inline UINT MouseKeyFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
  UINT flags = 0;
  if (buttons.testFlag(Qt::LeftButton)) flags |= MK_LBUTTON;
  if (buttons.testFlag(Qt::RightButton)) flags |= MK_RBUTTON;
  if (modifiers.testFlag(Qt::ShiftModifier)) flags |= MK_SHIFT;
  if (modifiers.testFlag(Qt::ControlModifier)) flags |= MK_CONTROL;
  if (buttons.testFlag(Qt::MiddleButton)) flags |= MK_MBUTTON;
  if (buttons.testFlag(Qt::XButton1)) flags |= MK_XBUTTON1;
  if (buttons.testFlag(Qt::XButton2)) flags |= MK_XBUTTON2;
  return flags;
}
