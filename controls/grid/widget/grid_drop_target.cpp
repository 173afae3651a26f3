#include "controls/grid/widget/grid_drop_target.h"

#include "controls/grid/widget/grid_ctrl.h"

bool CGridDropTarget::Register(QWidget* window) {
  auto* grid = dynamic_cast<CGridCtrl*>(window);
  if (registered_ || grid == nullptr) return false;
  grid_ = grid;
  grid_->viewport()->setAcceptDrops(true);
  registered_ = true;
  return true;
}

void CGridDropTarget::Revoke() {
  if (registered_) grid_->viewport()->setAcceptDrops(false);
  registered_ = false;
}

CGridCtrl* CGridDropTarget::GridOf(const QWidget* window) const {
  return registered_ && window == grid_ ? grid_ : nullptr;
}

Qt::DropAction CGridDropTarget::OnDragEnter(QWidget* window, const QMimeData* data,
                                            Qt::KeyboardModifiers keys, QPoint point) {
  CGridCtrl* grid = GridOf(window);
  return grid != nullptr ? grid->OnDragEnter(data, keys, point) : Qt::IgnoreAction;
}

Qt::DropAction CGridDropTarget::OnDragOver(QWidget* window, const QMimeData* data,
                                           Qt::KeyboardModifiers keys, QPoint point) {
  CGridCtrl* grid = GridOf(window);
  return grid != nullptr ? grid->OnDragOver(data, keys, point) : Qt::IgnoreAction;
}

bool CGridDropTarget::OnDrop(QWidget* window, const QMimeData* data, Qt::DropAction effect,
                             QPoint point) {
  CGridCtrl* grid = GridOf(window);
  return grid != nullptr && grid->OnDrop(data, effect, point);
}

void CGridDropTarget::OnDragLeave(QWidget* window) {
  if (CGridCtrl* grid = GridOf(window)) grid->OnDragLeave();
}

Qt::DropAction CGridDropTarget::OnDragScroll(QWidget* window, Qt::KeyboardModifiers keys,
                                             QPoint) const {
  if (GridOf(window) == nullptr) return Qt::IgnoreAction;
  return (keys & Qt::ControlModifier) != 0 ? Qt::CopyAction : Qt::MoveAction;
}
