// The grid window's editing: the in-place editor's cycle, the edit commands on the
// clipboard, and drag and drop of cell texts.
#include <QApplication>
#include <QClipboard>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QPainter>

#include "controls/grid/widget/grid_ctrl.h"
#include "controls/grid/widget/in_place_edit.h"

// ------------------------------------------------------------------ in-place editing

void CGridCtrl::BeginCellEdit(int row, int col, QPoint point, int character, bool byKey) {
  titleTip_.Hide();
  if (!IsValid(row, col) || !IsEditable() || (GetCellState(row, col) & GVIS_READONLY) != 0) {
    return;
  }
  EnsureVisible(row, col);
  PixelRect rect;
  if (!IsCellVisible(row, col) || !GetCellRect(row, col, &rect) ||
      SendMessageToParent(row, col, GVN_BEGINLABELEDIT) < 0) {
    return;
  }
  if (CGridCellBase* cell = GetCell(row, col)) {
    (void)cell->Edit(row, col, rect, point, kEditorId, character, byKey);  // false: no editor
  }
}

QWidget* CGridCtrl::GetEditor() const {
  const CGridCellBase* cell = GetCell(GetFocusCell().row, GetFocusCell().col);
  return cell != nullptr && cell->IsEditing() ? dynamic_cast<QWidget*>(cell->GetEditWnd())
                                              : nullptr;
}

QObject* CGridCtrl::OpenCellEditor(const CellEditRequest& request) {
  titleTip_.Hide();
  return new CInPlaceEdit(viewport(), this, Handle(), request, GetFont());
}

void CGridCtrl::EndCellEditor(QObject* editor) {
  if (auto* box = dynamic_cast<CInPlaceEdit*>(editor)) box->EndEdit();
}

void CGridCtrl::SendCharToEditor(QObject* editor, int character) {
  if (auto* box = dynamic_cast<CInPlaceEdit*>(editor)) box->TypeCharacter(character);
}

QPixmap CGridCtrl::CreateDragImage(QSize* size) {
  const CCellID focus = GetFocusCell();
  PixelRect rect;
  CGridCellBase* cell = GetCell(focus.row, focus.col);
  if (cell == nullptr || !GetCellRect(focus.row, focus.col, &rect) || rect.IsEmpty()) {
    return {};
  }
  if (size != nullptr) *size = QSize(rect.Width(), rect.Height());
  QPixmap image(rect.Width(), rect.Height());
  image.fill(QColor::fromRgb(ColorRefToQRgb(GetDefaultCell(false, false)->GetBackColor())));
  QPainter painter(&image);
  (void)cell->Draw(&painter, focus.row, focus.col, PixelRectOfSize(rect.Width(), rect.Height()),
                   true);  // a cell that cannot draw leaves the background
  return image;
}

// ------------------------------------------------------------------ edit commands

void CGridCtrl::OnEditCopy() {
  std::unique_ptr<QMimeData> data = CopySelectionText();
  if (data != nullptr) QGuiApplication::clipboard()->setMimeData(data.release());
}

void CGridCtrl::OnEditCut() {
  if (!IsEditable()) return;
  std::unique_ptr<QMimeData> data = CopySelectionText();
  if (data == nullptr) return;
  QGuiApplication::clipboard()->setMimeData(data.release());
  OnEditClearSelection();
}

void CGridCtrl::OnEditPaste() {
  if (!IsEditable()) return;
  const CCellBlock bounds = GetSelectionBounds();
  CCellID target = IsCellRangeValid(bounds)  ? CCellID(bounds.minRow, bounds.minCol)
                   : IsValid(GetFocusCell()) ? GetFocusCell()
                                             : GetFirstVisibleCell();
  if (!IsValid(target)) return;
  const CGridCellBase* cell = GetCell(target.row, target.col);
  if (auto* editor = cell != nullptr && cell->IsEditing()
                         ? dynamic_cast<CInPlaceEdit*>(cell->GetEditWnd())
                         : nullptr) {
    editor->paste();
    return;
  }
  (void)PasteSelectionText(target.row, target.col, QGuiApplication::clipboard()->mimeData(),
                           true);  // false: nothing to paste, nothing changed
}

void CGridCtrl::OnEditSelectAll() {
  SendMessageToParent(leftClickDownCell_.row, leftClickDownCell_.col, GVN_SELCHANGING);
  SelectAllCells();
  SendMessageToParent(GetFocusCell().row, GetFocusCell().col, GVN_SELCHANGED);
}

bool CGridCtrl::IsEditCommandEnabled(int command) const {
  const bool selected = !GetSelectedCells().empty();
  switch (command) {
    case ID_EDIT_COPY: return selected;
    case ID_EDIT_CUT: return IsEditable() && selected;
    case ID_EDIT_PASTE: {
      const CCellID focus = GetFocusCell();
      const QMimeData* data = QGuiApplication::clipboard()->mimeData();
      return IsValid(focus) && IsEditable() &&
             (GetCellState(focus.row, focus.col) & GVIS_READONLY) == 0 && data != nullptr &&
             data->hasText();
    }
    case ID_EDIT_SELECT_ALL: return IsSelectable();
    default: return false;
  }
}

// ------------------------------------------------------------------ drag and drop

void CGridCtrl::StartCellDrag() {
  if (!GetDragAndDrop()) return;
  std::unique_ptr<QMimeData> data = CopySelectionText();
  if (data == nullptr) return;
  const CCellBlock bounds = GetSelectionBounds();
  SendMessageToParent(bounds.minRow, bounds.minCol, GVN_BEGINDRAG);
  SetMouseMode(MOUSE_DRAGGING);
  leftButtonDown_ = false;
  // The dragged cells, kept apart from the selection that a drop here replaces.
  const std::set<CCellID> dragged = GetSelectedCells();
  droppedCells_.clear();
  if (DoDragDrop(std::move(data)) == Qt::MoveAction) EmptyMovedCells(dragged);
  if (GetMouseMode() == MOUSE_DRAGGING) SetMouseMode(MOUSE_NOTHING);
}

void CGridCtrl::EmptyMovedCells(const std::set<CCellID>& dragged) {
  for (const CCellID& cell : dragged) {
    if (!droppedCells_.contains(cell)) SetCellTextChecked(cell.row, cell.col, QString());
  }
  droppedCells_.clear();
}

Qt::DropAction CGridCtrl::DoDragDrop(std::unique_ptr<QMimeData> data) {
  auto* drag = new QDrag(this);  // deleted by Qt once the drag is over
  drag->setMimeData(data.release());
  QSize size;
  const QPixmap image = CreateDragImage(&size);
  if (!image.isNull()) drag->setPixmap(image);
  return drag->exec(Qt::CopyAction | Qt::MoveAction);
}

namespace {

Qt::DropAction ProposedAction(Qt::KeyboardModifiers keys) {
  return (keys & Qt::ControlModifier) != 0 ? Qt::CopyAction : Qt::MoveAction;
}

// Accepts a drag with the action the drop target proposes, or refuses it.
void AnswerDrag(QDragMoveEvent* event, Qt::DropAction action) {
  if (action == Qt::IgnoreAction) {
    event->ignore();
    return;
  }
  event->setDropAction(action);
  event->accept();
}

}  // namespace

Qt::DropAction CGridCtrl::OnDragEnter(const QMimeData* data, Qt::KeyboardModifiers keys,
                                      QPoint point) {
  if (!GetDragAndDrop() || data == nullptr || !data->hasText()) return Qt::IgnoreAction;
  const CCellID cell = GetCellFromPoint(point, false);
  lastDragOverCell_ = cell;
  if (!IsValid(cell) || !IsCellEditable(cell)) return Qt::IgnoreAction;
  (void)SetCellState(cell.row, cell.col, GetCellState(cell.row, cell.col) | GVIS_DROPHILITED);
  RedrawCell(cell.row, cell.col);
  return ProposedAction(keys);
}

Qt::DropAction CGridCtrl::OnDragOver(const QMimeData* data, Qt::KeyboardModifiers keys,
                                     QPoint point) {
  if (!GetDragAndDrop() || !IsEditable() || data == nullptr || !data->hasText()) {
    return Qt::IgnoreAction;
  }
  const CCellID cell = GetCellFromPoint(point, false);
  if (!IsValid(cell)) {
    OnDragLeave();
    lastDragOverCell_ = CCellID();
    return Qt::IgnoreAction;
  }
  if (!IsCellEditable(cell)) return Qt::IgnoreAction;
  if (cell != lastDragOverCell_) {
    OnDragLeave();
    lastDragOverCell_ = cell;
    (void)SetCellState(cell.row, cell.col, GetCellState(cell.row, cell.col) | GVIS_DROPHILITED);
    RedrawCell(cell.row, cell.col);
  }
  return ProposedAction(keys);
}

void CGridCtrl::OnDragLeave() {
  const CCellID cell = lastDragOverCell_;
  if (!IsValid(cell)) return;
  (void)SetCellState(cell.row, cell.col, GetCellState(cell.row, cell.col) & ~GVIS_DROPHILITED);
  RedrawCell(cell.row, cell.col);
}

bool CGridCtrl::OnDrop(const QMimeData* data, Qt::DropAction, QPoint) {
  SetMouseMode(MOUSE_NOTHING);
  const CCellID cell = lastDragOverCell_;
  if (!GetDragAndDrop() || !IsValid(cell) || !IsCellEditable(cell)) return false;
  OnDragLeave();
  return PasteSelectionText(cell.row, cell.col, data, false, &droppedCells_);
}

void CGridCtrl::dragEnterEvent(QDragEnterEvent* event) {
  AnswerDrag(event, dropTarget_.OnDragEnter(this, event->mimeData(), event->modifiers(),
                                            event->position().toPoint()));
}

void CGridCtrl::dragMoveEvent(QDragMoveEvent* event) {
  AnswerDrag(event, dropTarget_.OnDragOver(this, event->mimeData(), event->modifiers(),
                                           event->position().toPoint()));
}

void CGridCtrl::dragLeaveEvent(QDragLeaveEvent*) { dropTarget_.OnDragLeave(this); }

void CGridCtrl::dropEvent(QDropEvent* event) {
  const Qt::DropAction action = ProposedAction(event->modifiers());
  if (dropTarget_.OnDrop(this, event->mimeData(), action, event->position().toPoint())) {
    event->setDropAction(action);
    event->accept();
  } else {
    event->ignore();
  }
}
