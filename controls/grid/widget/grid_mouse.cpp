// The grid window's mouse: the mouse-mode state machine (selecting by dragging, sizing
// at dividers, preparing an edit or a drag), clicks on header cells, double clicks,
// the right button, the wheel, the cursor and the title tip.
#include <QApplication>
#include <QMouseEvent>
#include <QWheelEvent>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "controls/grid/widget/grid_ctrl.h"

namespace {

// The wheel's unit: one notch of a classic wheel.
constexpr int kWheelDelta = 120;

bool Contains(const PixelRect& rect, QPoint point) {
  return point.x() >= rect.left && point.x() < rect.right && point.y() >= rect.top &&
         point.y() < rect.bottom;
}

}  // namespace

// ------------------------------------------------------------------ Qt events

void CGridCtrl::mousePressEvent(QMouseEvent* event) {
  titleTip_.Hide();
  if (event->button() == Qt::LeftButton) {
    OnLButtonDown(event->position().toPoint(), event->modifiers());
  }
}

void CGridCtrl::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) OnLButtonUp(event->position().toPoint());
  if (event->button() == Qt::RightButton) OnRButtonUp(event->position().toPoint());
}

void CGridCtrl::mouseDoubleClickEvent(QMouseEvent* event) {
  titleTip_.Hide();
  if (event->button() == Qt::LeftButton) OnLButtonDblClk(event->position().toPoint());
}

void CGridCtrl::mouseMoveEvent(QMouseEvent* event) {
  OnMouseMove(event->position().toPoint(), (event->buttons() & Qt::LeftButton) != 0);
}

void CGridCtrl::wheelEvent(QWheelEvent* event) {
  titleTip_.Hide();
  OnMouseWheel(event->angleDelta().y());
  event->accept();
}

bool CGridCtrl::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::Leave) titleTip_.Hide();
  return QAbstractScrollArea::viewportEvent(event);
}

// ------------------------------------------------------------------ helpers

CCellID CGridCtrl::CellAtMousePoint(QPoint point) {
  if (Contains(GetClientRect(), point)) return GetCellFromPoint(point, true);
  PixelRect cells;
  (void)GetVisibleCellBlock(&cells);
  if (cells.IsEmpty()) return {};
  return GetCellFromPoint(QPoint(std::clamp(point.x(), cells.left, cells.right - 1),
                                 std::clamp(point.y(), cells.top, cells.bottom - 1)),
                          true);
}

QPoint CGridCtrl::GetPointInCell(int row, int col, QPoint point) {
  QPoint origin;
  return GetCellOrigin(row, col, &origin) ? point - origin : QPoint(0, 0);
}

bool CGridCtrl::IsInTextArea(const CCellID& id, QPoint point) {
  const CGridCellBase* cell = GetCell(id.row, id.col);
  PixelRect rect;
  return cell != nullptr && GetCellRect(id.row, id.col, &rect) && cell->GetTextRect(&rect) &&
         Contains(rect, point);
}

void CGridCtrl::UpdateCursor() {
  switch (GetMouseMode()) {
    case MOUSE_OVER_ROW_DIVIDER:
    case MOUSE_SIZING_ROW: viewport()->setCursor(Qt::SizeVerCursor); break;
    case MOUSE_OVER_COL_DIVIDER:
    case MOUSE_SIZING_COL: viewport()->setCursor(Qt::SizeHorCursor); break;
    case MOUSE_DRAGGING: break;  // the drag shows its own
    default: viewport()->setCursor(Qt::ArrowCursor); break;
  }
}

void CGridCtrl::SelectThroughMode(const CCellID& cell) {
  ExtendSelectionTo(cell);
  const int mode = GetMouseMode();
  if ((cell.row >= GetFixedRowCount() && cell.col >= GetFixedColumnCount()) ||
      mode == MOUSE_SELECT_COL || mode == MOUSE_SELECT_ROW) {
    SetFocusCell(cell);
  }
}

void CGridCtrl::UpdateDividerHover(QPoint point) {
  if (allowColumnResize_ && IsOverColumnDivider(point)) {
    SetMouseMode(MOUSE_OVER_COL_DIVIDER);
  } else if (allowRowResize_ && IsOverRowDivider(point)) {
    SetMouseMode(MOUSE_OVER_ROW_DIVIDER);
  } else {
    SetMouseMode(MOUSE_NOTHING);
  }
  UpdateCursor();
}

void CGridCtrl::ShowTitleTip(QPoint point) {
  if (GetVirtualMode() && !GetTitleTips()) return;
  const CCellID id = CellAtMousePoint(point);
  CGridCellBase* cell = GetCell(id.row, id.col);
  if (cell == nullptr) return;
  cell->OnMouseOver();
  const QString text = cell->GetTitleTipText();
  PixelRect rect;
  if (!GetTitleTips() || text.isEmpty() || cell->IsEditing() ||
      !GetCellRect(id.row, id.col, &rect)) {
    return;
  }
  PixelRect textRect = rect;
  if (!cell->GetTitleTipRect(&textRect)) return;
  titleTip_.Show(&rect, text, cell->GetFont(), GetTitleTipTextClr(), GetTitleTipBackClr(),
                 textRect);
}

// ------------------------------------------------------------------ wheel

void CGridCtrl::OnMouseWheel(int delta) {
  // Angle deltas add up to whole notches (a turn the other way starts afresh), so that
  // fine-grained wheels and touchpads scroll too; each notch scrolls as the setting says.
  if ((wheelRemainder_ > 0 && delta < 0) || (wheelRemainder_ < 0 && delta > 0)) {
    wheelRemainder_ = 0;
  }
  const std::int64_t units = std::int64_t{wheelRemainder_} + delta;
  const std::int64_t notches = units / kWheelDelta;
  wheelRemainder_ = static_cast<int>(units - notches * kWheelDelta);
  const int lines = GetWheelScrollLines();
  const std::int64_t steps = lines == -1 ? notches : notches * lines;
  const int request =
      lines == -1 ? (steps > 0 ? SB_PAGEUP : SB_PAGEDOWN) : (steps > 0 ? SB_LINEUP : SB_LINEDOWN);
  for (std::int64_t i = std::llabs(steps); i > 0; --i) OnScroll(Qt::Vertical, request);
}

// ------------------------------------------------------------------ moves

void CGridCtrl::OnMouseMove(QPoint point, bool buttonDown) {
  if (!Contains(GetClientRect(), point) && GetMouseMode() != MOUSE_DRAGGING) return;
  if (titleTip_.isVisible() && !Contains(titleTip_.HoverRect(), point)) titleTip_.Hide();
  const int mode = GetMouseMode();
  if (buttonDown && mode != MOUSE_NOTHING) {
    if (!IsValid(leftClickDownCell_)) {
      lastMousePoint_ = point;
      return;
    }
    if (mode == MOUSE_SELECT_COL || mode == MOUSE_SELECT_ROW || mode == MOUSE_SELECT_CELLS) {
      const CCellID cell = CellAtMousePoint(point);
      if (!IsValid(cell)) return;
      if (cell != GetFocusCell()) SelectThroughMode(cell);
    } else if (mode == MOUSE_SIZING_COL || mode == MOUSE_SIZING_ROW) {
      // The line stays where the cursor was confined to.
      const bool columns = mode == MOUSE_SIZING_COL;
      point = columns ? QPoint(std::clamp(point.x(), trackingMin_, trackingMax_), point.y())
                      : QPoint(point.x(), std::clamp(point.y(), trackingMin_, trackingMax_));
      viewport()->update();
    } else if ((mode == MOUSE_PREPARE_EDIT || mode == MOUSE_PREPARE_DRAG) && GetDragAndDrop() &&
               (point - leftButtonDownPoint_).manhattanLength() >=
                   QApplication::startDragDistance()) {
      // Without drag and drop a move keeps the prepared edit (or click).
      SetMouseMode(MOUSE_PREPARE_DRAG);
      StartCellDrag();
    }
    lastMousePoint_ = point;
    return;
  }
  UpdateDividerHover(point);
  if (GetMouseMode() == MOUSE_NOTHING) ShowTitleTip(point);
  lastMousePoint_ = point;
}

// ------------------------------------------------------------------ left button

void CGridCtrl::OnLButtonDown(QPoint point, Qt::KeyboardModifiers keys) {
  setFocus(Qt::MouseFocusReason);
  leftButtonDownPoint_ = point;
  leftButtonDown_ = true;
  leftClickDownCell_ = CellAtMousePoint(point);
  const CCellID clicked = leftClickDownCell_;
  if (!IsValid(clicked)) return;
  const bool shift = (keys & Qt::ShiftModifier) != 0;
  const bool ctrl = (keys & Qt::ControlModifier) != 0;
  if (!shift) {
    SetSelectionStartCell(clicked);
  } else if (!IsValid(GetSelectionStartCell())) {
    SetSelectionStartCell(GetFocusCell());
  }
  CloseCellEditor();
  if (CGridCellBase* cell = GetCell(clicked.row, clicked.col)) {
    cell->OnClickDown(GetPointInCell(clicked.row, clicked.col, point));
  }
  if (clicked == GetFocusCell() && !ctrl && IsInTextArea(clicked, point) &&
      IsCellEditable(clicked)) {
    SetMouseMode(MOUSE_PREPARE_EDIT);
    return;
  }
  if (IsCellSelected(clicked.row, clicked.col)) {
    if (ctrl) {
      SetFocusCell(clicked);
      if (GetListMode()) {
        SelectRows(clicked);
      } else {
        SelectCells(clicked);
      }
      return;
    }
    if (GetDragAndDrop()) SetMouseMode(MOUSE_PREPARE_DRAG);
  } else if (GetMouseMode() != MOUSE_OVER_COL_DIVIDER && GetMouseMode() != MOUSE_OVER_ROW_DIVIDER) {
    SetFocusCell(clicked);
  }
  // The press holds the mouse (Qt's implicit grab) until the release.
  if (GetMouseMode() == MOUSE_NOTHING) UpdateDividerHover(point);
  if (GetMouseMode() == MOUSE_OVER_COL_DIVIDER || GetMouseMode() == MOUSE_OVER_ROW_DIVIDER) {
    if (!BeginDividerSizing(GetMouseMode() == MOUSE_OVER_COL_DIVIDER, point)) return;
  } else if (GetMouseMode() != MOUSE_PREPARE_DRAG) {
    SendMessageToParent(clicked.row, clicked.col, GVN_SELCHANGING);
    ClearPreviousSelection();
    if (ctrl) KeepPreviousSelection();
    if (clicked.row < GetFixedRowCount()) {
      ClickFixedRow(clicked);
    } else if (clicked.col < GetFixedColumnCount()) {
      ClickFixedColumn(clicked);
    } else {
      SetMouseMode(GetListMode() ? MOUSE_SELECT_ROW : MOUSE_SELECT_CELLS);
      SelectThroughMode(clicked);
      StartAutoScroll();
    }
  }
  lastMousePoint_ = point;
}

bool CGridCtrl::BeginDividerSizing(bool columns, QPoint point) {
  SetMouseMode(columns ? MOUSE_SIZING_COL : MOUSE_SIZING_ROW);
  auto size = [&](int i) { return columns ? GetColumnWidth(i) : GetRowHeight(i); };
  auto along = [&](QPoint p) { return columns ? p.x() : p.y(); };
  auto originOf = [&](int i, QPoint* origin) {
    return columns ? GetCellOrigin(0, i, origin) : GetCellOrigin(i, 0, origin);
  };
  const int last = (columns ? GetColumnCount() : GetRowCount()) - 1;
  const int v = along(point);
  int index = columns ? leftClickDownCell_.col : leftClickDownCell_.row;
  PixelRect visible;
  (void)GetVisibleCellBlock(&visible);
  // A last column narrower than the capture range is taken at the visible cells' edge.
  if (size(last) < kResizeCaptureRange &&
      std::abs(v - (columns ? visible.right : visible.bottom)) < kResizeCaptureRange) {
    index = last;
  }
  QPoint origin;
  bool sizing = originOf(index, &origin);
  const bool nearStart = sizing && v - along(origin) < kResizeCaptureRange;
  if (sizing && !(columns ? hiddenColumnsUnhide_ : hiddenRowsUnhide_) &&
      !(index == last && !nearStart)) {
    // A hidden one stays hidden: the divider belongs to the nearest shown one before.
    while (index >= 0 && size(nearStart ? index - 1 : index) == 0) --index;
    sizing = index >= 0 && (nearStart ? index - 1 : index) >= 0;
  }
  if (sizing && nearStart && (index != last || size(last) >= kResizeCaptureRange)) {
    --index;
    sizing = originOf(index, &origin);
  }
  if (!sizing) {
    SetMouseMode(MOUSE_NOTHING);
    UpdateCursor();
    return false;
  }
  (columns ? leftClickDownCell_.col : leftClickDownCell_.row) = index;
  const PixelRect client = GetClientRect();
  const int fixedSize = columns ? GetFixedColumnWidth() : GetFixedRowHeight();
  trackingMin_ = along(origin) + 1;
  trackingMax_ = trackingMin_ + (columns ? client.Width() : client.Height()) - fixedSize;
  const int tracked = std::clamp(v, trackingMin_, trackingMax_);
  lastMousePoint_ = columns ? QPoint(tracked, point.y()) : QPoint(point.x(), tracked);
  trackingLine_ = true;
  viewport()->update();
  return true;
}

bool CGridCtrl::EndDividerSizing(bool columns, QPoint point) {
  trackingLine_ = false;
  viewport()->update();
  if (point == leftButtonDownPoint_ || point == QPoint(0, 0)) return true;
  const CCellID cell = GetMergeOriginOf(leftClickDownCell_.row, leftClickDownCell_.col);
  QPoint origin;
  if (!GetCellOrigin(cell.row, cell.col, &origin)) return false;
  const int v = std::clamp(columns ? point.x() : point.y(), trackingMin_, trackingMax_);
  const int minimum = (columns ? columnsSizeToZero_ : rowsSizeToZero_) ? 0 : 1;
  const int wanted = std::max(v - (columns ? origin.x() : origin.y()), minimum);
  // The whole merged block takes the wanted size: the others of it keep theirs.
  const int others = columns ? GetMergedWidth(cell.row, cell.col) - GetColumnWidth(cell.col)
                             : GetMergedHeight(cell.row, cell.col) - GetRowHeight(cell.row);
  const int size = std::max(wanted - others, minimum);
  if (columns) {
    (void)SetColumnWidth(cell.col, size);  // the column exists: the cell has an origin
  } else {
    (void)SetRowHeight(cell.row, size);
  }
  UpdateScrollBars();
  Refresh();
  return true;
}

void CGridCtrl::ClickFixedRow(const CCellID& cell) {
  if (!IsValid(cell)) return;
  if (GetHeaderSort()) {
    ShowWaitCursor(true);
    const bool ascending = cell.col != GetSortColumn() || !GetSortAscending();
    (void)SortColumn(cell.col, ascending);  // false: a merged block keeps the rows as they are
    Refresh();
    ShowWaitCursor(false);
  }
  if (GetFixedRowSelection()) {
    SetMouseMode(cell.col < GetFixedColumnCount() ? MOUSE_SELECT_ALL : MOUSE_SELECT_COL);
    SelectThroughMode(cell);
  }
}

void CGridCtrl::ClickFixedColumn(const CCellID& cell) {
  if (!IsValid(cell) || !GetFixedColumnSelection()) return;
  SetMouseMode(cell.row < GetFixedRowCount() ? MOUSE_SELECT_ALL : MOUSE_SELECT_ROW);
  SelectThroughMode(cell);
}

void CGridCtrl::OnLButtonUp(QPoint point) {
  leftButtonDown_ = false;
  StopAutoScroll();
  const CCellID focus = GetFocusCell();
  const CCellID clicked = leftClickDownCell_;
  const QPoint inCell = GetPointInCell(focus.row, focus.col, point);
  auto clickHook = [&] {
    if (CGridCellBase* cell = GetCell(focus.row, focus.col)) cell->OnClick(inCell);
  };
  switch (GetMouseMode()) {
    case MOUSE_PREPARE_EDIT: BeginCellEdit(focus.row, focus.col, inCell, 1); break;
    case MOUSE_PREPARE_DRAG:
      // Released without a drag: a click that clears the selection.
      clickHook();
      SendMessageToParent(clicked.row, clicked.col, NM_CLICK);
      SendMessageToParent(clicked.row, clicked.col, GVN_SELCHANGING);
      ClearSelection();
      SendMessageToParent(GetFocusCell().row, GetFocusCell().col, GVN_SELCHANGED);
      break;
    case MOUSE_SIZING_COL:
    case MOUSE_SIZING_ROW:
      if (!EndDividerSizing(GetMouseMode() == MOUSE_SIZING_COL, point)) return;
      break;
    default:
      SendMessageToParent(focus.row, focus.col, GVN_SELCHANGED);
      clickHook();
      SendMessageToParent(clicked.row, clicked.col, NM_CLICK);
      break;
  }
  SetMouseMode(MOUSE_NOTHING);
  // As the move that follows a release of the mouse: the divider under the pointer.
  UpdateDividerHover(point);
  const HWND receiver = Receiver();
  if (IsValid(clicked) && receiver != nullptr) {
    // A receiver that has gone drops the message; nothing waits for it.
    (void)PostMessage(receiver, WM_COMMAND, MakeWParam(static_cast<std::uint16_t>(controlId_), 0),
                      reinterpret_cast<LPARAM>(Handle()));
  }
}

void CGridCtrl::OnLButtonDblClk(QPoint point) {
  const CCellID cell = CellAtMousePoint(point);
  if (!IsValid(cell)) return;
  const int mode = GetMouseMode();
  if (mode == MOUSE_OVER_COL_DIVIDER || mode == MOUSE_OVER_ROW_DIVIDER) {
    const bool columns = mode == MOUSE_OVER_COL_DIVIDER;
    QPoint origin;
    if (!(columns ? GetCellOrigin(0, cell.col, &origin) : GetCellOrigin(cell.row, 0, &origin))) {
      return;
    }
    int index = columns ? cell.col : cell.row;
    if ((columns ? point.x() - origin.x() : point.y() - origin.y()) < kResizeCaptureRange) --index;
    while (index >= 0 && (columns ? GetColumnWidth(index) : GetRowHeight(index)) == 0) --index;
    if (index < 0) return;
    // False for a column or row that cannot be measured: its size stays.
    (void)(columns ? AutoSizeColumn(index) : AutoSizeRow(index));
    Refresh();
    return;
  }
  if (mode != MOUSE_NOTHING) return;
  const QPoint inCell = GetPointInCell(cell.row, cell.col, point);
  const bool editable = cell.row >= GetFixedRowCount() && cell.col >= GetFixedColumnCount() &&
                        IsInTextArea(cell, point);
  if (editable && (IsValid(leftClickDownCell_) || GetListMode())) {
    BeginCellEdit(cell.row, cell.col, inCell, 1);
  }
  if (CGridCellBase* target = GetCell(cell.row, cell.col)) target->OnDblClick(inCell);
  SendMessageToParent(cell.row, cell.col, NM_DBLCLK);
}

void CGridCtrl::OnRButtonUp(QPoint point) {
  const CCellID cell = CellAtMousePoint(point);
  CloseCellEditor();
  if (!IsValid(cell)) {
    SendMessageToParent(-1, -1, NM_RCLICK);
    return;
  }
  SetFocusCell(-1, -1);
  SetFocusCell(std::max(cell.row, GetFixedRowCount()), std::max(cell.col, GetFixedColumnCount()));
  if (CGridCellBase* target = GetCell(cell.row, cell.col)) {
    target->OnRClick(GetPointInCell(cell.row, cell.col, point));
  }
  SendMessageToParent(cell.row, cell.col, NM_RCLICK);
}
