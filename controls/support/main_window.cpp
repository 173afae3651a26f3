#include "controls/support/main_window.h"

#include <QPointer>
#include <QWidget>

namespace {
QPointer<QWidget>& Registered() {
  static QPointer<QWidget> window;
  return window;
}
}  // namespace

void SetMainWindow(QWidget* window) { Registered() = window; }

QWidget* MainWindow() { return Registered().data(); }
