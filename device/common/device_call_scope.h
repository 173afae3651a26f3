#pragma once
// One device call of a pane or dialog: the SDK call dispatches messages while it runs,
// so for its length the caller's whole pane (or dialog), the main window's menu bar and
// toolbar and the preview frame are disabled, and nothing can select, delete or edit
// the record the call writes into, or start another call.

#include <QWidget>

#include "controls/shell/widgets_disabled.h"

class DeviceCallScope {
 public:
  // `caller` is a widget of the pane or dialog that makes the call: the task pane it
  // lies in is disabled, else its window.
  explicit DeviceCallScope(QWidget* caller);
  DeviceCallScope(const DeviceCallScope&) = delete;
  DeviceCallScope& operator=(const DeviceCallScope&) = delete;

 private:
  WidgetsDisabled caller_;
  DeviceCallLock mainWindow_;
};
