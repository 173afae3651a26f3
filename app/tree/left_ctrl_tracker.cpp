#include "app/tree/left_ctrl_tracker.h"

#include <QCoreApplication>
#include <QKeyEvent>

LeftCtrlTracker::LeftCtrlTracker() {
  if (QCoreApplication* app = QCoreApplication::instance()) app->installEventFilter(this);
}

LeftCtrlTracker::~LeftCtrlTracker() {
  if (QCoreApplication* app = QCoreApplication::instance()) app->removeEventFilter(this);
}

bool LeftCtrlTracker::LeftCtrlHeld(Qt::KeyboardModifiers modifiers) const {
  if (!modifiers.testFlag(Qt::ControlModifier)) return false;
  return !sided_ || leftDown_;
}

bool LeftCtrlTracker::eventFilter(QObject* watched, QEvent* event) {
  // A key event passes the filter once for each receiver on its way; watching it
  // again changes nothing.
  const QEvent::Type type = event->type();
  if (type == QEvent::KeyPress || type == QEvent::KeyRelease) {
    Watch(*static_cast<QKeyEvent*>(event));
  }
  return QObject::eventFilter(watched, event);
}

void LeftCtrlTracker::Watch(const QKeyEvent& key) {
  if (key.key() != Qt::Key_Control) return;
  const quint32 native = key.nativeVirtualKey();
  const bool pressed = key.type() == QEvent::KeyPress;
  if (pressed) sided_ = native == kControlL || native == kControlR;
  if (native == kControlL || !sided_) leftDown_ = pressed;
}
