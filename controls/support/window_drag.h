#pragma once
// Drags a top-level window by a press of the left button on its own surface: on a
// free spot or on a child that leaves the press to it (a label), never on a control
// that takes the press (a button).
//
// Where the program may place windows itself (xcb, offscreen) the drag follows the
// global pointer and passes every proposed frame rectangle through a hook, which may
// change it before the window takes it. Elsewhere (Wayland) the window manager moves
// the window and the hook is never called.

#include <QObject>
#include <QPoint>
#include <QRect>

#include <functional>

class QWidget;

class WindowDrag : public QObject {
 public:
  // The frame rectangle the window takes for a proposed one.
  using PlaceHook = std::function<QRect(const QRect& proposedFrame)>;

  // Watches the events of window, a top-level widget that becomes this object's
  // parent. A null hook takes every proposal as it is.
  WindowDrag(QWidget* window, PlaceHook hook);

  bool IsDragging() const { return dragging_; }

  // True where the program may place its top-level windows.
  static bool CanPlaceWindows();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* window_;
  PlaceHook hook_;
  bool dragging_ = false;
  QPoint pressGlobal_;  // the pointer at the press
  QPoint pressFrame_;   // the frame's top-left corner at the press
};
