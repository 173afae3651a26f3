#pragma once
// Receives the drag events of the grid's client area and hands them to the grid (its
// OnDragEnter, OnDragOver, OnDragLeave and OnDrop); events for any other window get no
// drop effect. Registering lets the client area accept drops.

#include <QMimeData>
#include <QPoint>
#include <QWidget>

class CGridCtrl;

class CGridDropTarget {
 public:
  // False when already registered or the window is not a grid.
  [[nodiscard]] bool Register(QWidget* window);
  void Revoke();
  bool IsRegistered() const { return registered_; }

  Qt::DropAction OnDragEnter(QWidget* window, const QMimeData* data, Qt::KeyboardModifiers keys,
                             QPoint point);
  Qt::DropAction OnDragOver(QWidget* window, const QMimeData* data, Qt::KeyboardModifiers keys,
                            QPoint point);
  // True when the grid took the dropped text.
  bool OnDrop(QWidget* window, const QMimeData* data, Qt::DropAction effect, QPoint point);
  void OnDragLeave(QWidget* window);
  // The effect while the pointer rests in the scroll zone: copy with Ctrl, else move;
  // the target never scrolls by itself.
  Qt::DropAction OnDragScroll(QWidget* window, Qt::KeyboardModifiers keys, QPoint point) const;

 private:
  // The grid when the window is the registered one.
  CGridCtrl* GridOf(const QWidget* window) const;

  CGridCtrl* grid_ = nullptr;
  bool registered_ = false;
};
