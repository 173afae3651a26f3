#include "controls/grid/widget/virtual_keys.h"

int VirtualKeyOf(int key) {
  switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_F2: return VK_F2;
    default: break;
  }
  const bool letterOrDigit =
      (key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9);
  return letterOrDigit ? key : 0;
}

Qt::KeyboardModifiers ModifiersOf(const QKeyEvent& event) {
  Qt::KeyboardModifiers modifiers = event.modifiers();
  if (event.key() == Qt::Key_Backtab) modifiers |= Qt::ShiftModifier;
  return modifiers;
}

int TypedCharacterOf(const QKeyEvent& event) {
  const QString text = event.text();
  if (text.isEmpty() || (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) != 0) {
    return 0;
  }
  const char32_t character = text.toUcs4().value(0);
  const bool control = character < 32 || character == 127;
  const bool typed = character == VK_BACK || character == VK_TAB || character == VK_RETURN ||
                     character == VK_ESCAPE;
  return control && !typed ? 0 : static_cast<int>(character);
}
