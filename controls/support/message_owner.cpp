#include "controls/support/message_owner.h"

#include <QWidget>

#include "platform/message_window.h"

MessageWindow* NearestMessageWindow(const QWidget* widget) {
  for (QWidget* ancestor = widget->parentWidget(); ancestor != nullptr;
       ancestor = ancestor->parentWidget()) {
    if (auto* window = dynamic_cast<MessageWindow*>(ancestor)) return window;
  }
  return nullptr;
}
