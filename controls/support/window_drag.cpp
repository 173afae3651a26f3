#include "controls/support/window_drag.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

#include <utility>

WindowDrag::WindowDrag(QWidget* window, PlaceHook hook)
    : QObject(window), window_(window), hook_(std::move(hook)) {
  window_->installEventFilter(this);
}

bool WindowDrag::CanPlaceWindows() {
  const QString platform = QGuiApplication::platformName();
  return platform == u"xcb" || platform == u"offscreen";
}

bool WindowDrag::eventFilter(QObject* watched, QEvent* event) {
  if (watched != window_) return false;
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() != Qt::LeftButton) return false;
      if (!CanPlaceWindows()) {
        QWindow* handle = window_->windowHandle();
        return handle && handle->startSystemMove();
      }
      dragging_ = true;
      pressGlobal_ = mouse->globalPosition().toPoint();
      pressFrame_ = window_->frameGeometry().topLeft();
      return true;
    }
    case QEvent::MouseMove: {
      if (!dragging_) return false;
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (!(mouse->buttons() & Qt::LeftButton)) {  // the release went elsewhere
        dragging_ = false;
        return false;
      }
      const QPoint moved = pressFrame_ + (mouse->globalPosition().toPoint() - pressGlobal_);
      const QRect proposal(moved, window_->frameGeometry().size());
      window_->move((hook_ ? hook_(proposal) : proposal).topLeft());
      return true;
    }
    case QEvent::MouseButtonRelease:
      if (!dragging_ || static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) {
        return false;
      }
      dragging_ = false;
      return true;
    default: return false;
  }
}
