#include "device/common/device_call_scope.h"

#include "controls/shell/task_pane.h"

namespace {

QWidget* CallingWindow(QWidget* caller) {
  for (QWidget* widget = caller; widget != nullptr; widget = widget->parentWidget()) {
    if (dynamic_cast<TaskPane*>(widget) != nullptr) return widget;
  }
  return caller != nullptr ? caller->window() : nullptr;
}

}  // namespace

DeviceCallScope::DeviceCallScope(QWidget* caller) : caller_({CallingWindow(caller)}) {}
