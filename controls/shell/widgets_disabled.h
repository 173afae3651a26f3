#pragma once
// Widgets kept disabled while a blocking call dispatches messages.

#include <QPointer>
#include <QWidget>

#include <initializer_list>
#include <vector>

#include "controls/shell/window_globals.h"

// Keeps widgets disabled for its lifetime, so that nothing they start runs while a
// blocking call dispatches messages; a widget destroyed meanwhile is skipped.
class WidgetsDisabled {
 public:
  explicit WidgetsDisabled(std::initializer_list<QWidget*> widgets) {
    for (QWidget* widget : widgets) {
      if (widget == nullptr) continue;
      widget->setEnabled(false);
      widgets_.emplace_back(widget);
    }
  }
  ~WidgetsDisabled() {
    for (const QPointer<QWidget>& widget : widgets_) {
      if (widget) widget->setEnabled(true);
    }
  }
  WidgetsDisabled(const WidgetsDisabled&) = delete;
  WidgetsDisabled& operator=(const WidgetsDisabled&) = delete;

 private:
  std::vector<QPointer<QWidget>> widgets_;
};

// Keeps DeviceCallLockedWidgets disabled for its lifetime: around a device call.
class DeviceCallLock : public WidgetsDisabled {
 public:
  DeviceCallLock()
      : WidgetsDisabled(
            {DeviceCallLockedWidgets[0], DeviceCallLockedWidgets[1], DeviceCallLockedWidgets[2]}) {}
};
