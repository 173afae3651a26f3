#include "controls/grid/widget/grid_ctrl.h"

#include <QCoreApplication>
#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>
#include <cstdint>

#include "controls/support/sys_color.h"

namespace {

// The auto-scroll timer's period (timer 513), in milliseconds.
constexpr int kAutoScrollMs = 25;

}  // namespace

CGridCtrl::CGridCtrl(QWidget* parent) : QAbstractScrollArea(parent), titleTip_(viewport()) {
  // WS_BORDER and WS_TABSTOP; painting covers every pixel, so nothing is erased first.
  setFrameStyle(QFrame::Box | QFrame::Plain);
  setLineWidth(1);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_InputMethodEnabled);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  viewport()->setMouseTracking(true);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  for (const Qt::Orientation orientation : {Qt::Horizontal, Qt::Vertical}) {
    connect(Bar(orientation), &QAbstractSlider::actionTriggered, this,
            [this, orientation](int action) { OnBarAction(orientation, action); });
  }
  autoScrollTimer_.setInterval(kAutoScrollMs);
  connect(&autoScrollTimer_, &QTimer::timeout, this, &CGridCtrl::OnAutoScrollTimer);
}

CGridCtrl::~CGridCtrl() = default;

bool CGridCtrl::Create(const QRect& rect, QWidget* parent) {
  setParent(parent);
  setGeometry(rect);
  controlId_ = kControlId;
  show();
  ResetSizesToDefault();
  return true;
}

PixelRect CGridCtrl::GetClientRect() const {
  return PixelRectOfSize(viewport()->width(), viewport()->height());
}

int CGridCtrl::GetHorzScrollPos() const { return horizontalScrollBar()->value(); }
int CGridCtrl::GetVertScrollPos() const { return verticalScrollBar()->value(); }

void CGridCtrl::InvalidateRect(const PixelRect& rect) { viewport()->update(rect.ToQRect()); }
void CGridCtrl::InvalidateAll() { viewport()->update(); }
void CGridCtrl::RepaintRect(const PixelRect& rect) { viewport()->repaint(rect.ToQRect()); }

void CGridCtrl::ShowWaitCursor(bool show) {
  if (show) {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QGuiApplication::restoreOverrideCursor();
  }
}

void CGridCtrl::SetFont(const QFont& font) { SetGridFont(LogFontFromQFont(font)); }

QFont CGridCtrl::GetFont() const { return GetDefaultCell(false, false)->GetFontObject(); }

void CGridCtrl::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  const QRect clip = event->rect();
  OnDraw(painter,
         {clip.left(), clip.top(), clip.left() + clip.width(), clip.top() + clip.height()});
  if (trackingLine_) {
    // The divider being dragged: 2 pixels across the client area.
    const QColor color = QColor::fromRgb(ColorRefToQRgb(SysColor(COLOR_WINDOWTEXT)));
    const bool column = GetMouseMode() == MOUSE_SIZING_COL;
    painter.fillRect(column ? QRect(lastMousePoint_.x(), 0, 2, viewport()->height())
                            : QRect(0, lastMousePoint_.y(), viewport()->width(), 2),
                     color);
  }
}

void CGridCtrl::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  if (inSize_) return;
  inSize_ = true;
  // The first size registers the drop target; later ones are refused, as registered.
  if (!dropTarget_.IsRegistered()) (void)dropTarget_.Register(this);
  CloseCellEditor();
  UpdateScrollBars();
  inSize_ = false;
}

void CGridCtrl::focusOutEvent(QFocusEvent* event) {
  titleTip_.Hide();
  QAbstractScrollArea::focusOutEvent(event);
}

LRESULT CGridCtrl::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NOTIFY && wParam == kEditorId) {
    const auto* info = reinterpret_cast<const GridDisplayInfo*>(lParam);
    if (info->hdr.code == GVN_ENDLABELEDIT) OnEndInPlaceEdit(info->item);
    return 0;
  }
  if (msg == WM_COMMAND) {
    switch (LowWord(wParam)) {
      case ID_EDIT_COPY: OnEditCopy(); break;
      case ID_EDIT_CUT: OnEditCut(); break;
      case ID_EDIT_PASTE: OnEditPaste(); break;
      case ID_EDIT_SELECT_ALL: OnEditSelectAll(); break;
      default: break;
    }
    return 0;
  }
  return MessageWindow::WindowProc(msg, wParam, lParam);
}

bool CGridCtrl::event(QEvent* event) {
  // The grid wants Tab for itself while it handles Tab and Ctrl is up.
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) && GetHandleTabKey() &&
        (key->modifiers() & Qt::ControlModifier) == 0) {
      keyPressEvent(key);
      return true;
    }
  }
  if (event->type() == QEvent::UngrabMouse) OnCaptureChanged(QWidget::mouseGrabber());
  // The application palette holds the system colours (SysColor): its change is
  // WM_SYSCOLORCHANGE.
  if (event->type() == QEvent::ApplicationPaletteChange) {
    OnSysColorChange();
    InvalidateAll();
  }
  return QAbstractScrollArea::event(event);
}

void CGridCtrl::scrollContentsBy(int, int) {
  // Every scroll ends an edit and takes the tip away.
  CloseCellEditor();
  titleTip_.Hide();
  ScrollPositionChanged();
  viewport()->update();
}

void CGridCtrl::UpdateScrollBars() {
  GridModel::UpdateScrollBars();
  if (!GetAllowDraw()) return;
  // The area without scroll bars, right of and below the fixed cells.
  const QRect area = contentsRect();
  const int fixedWidth = GetFixedColumnWidth();
  const int fixedHeight = GetFixedRowHeight();
  if (area.isEmpty()) return;
  std::int64_t availableWidth = std::int64_t{area.width()} - fixedWidth;
  std::int64_t availableHeight = std::int64_t{area.height()} - fixedHeight;
  if (availableWidth <= 0 || availableHeight <= 0) {
    ShowBar(Qt::Horizontal, false, 0, 0);
    ShowBar(Qt::Vertical, false, 0, 0);
    return;
  }
  const std::int64_t nonFixedHeight = std::int64_t{GetGridHeight()} - fixedHeight;
  const std::int64_t nonFixedWidth = std::int64_t{GetGridWidth()} - fixedWidth;
  const int barExtent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  if (availableHeight < nonFixedHeight) availableWidth -= barExtent;
  if (availableWidth < nonFixedWidth) availableHeight -= barExtent;
  const bool vertical = availableHeight < nonFixedHeight;
  const bool horizontal = availableWidth < nonFixedWidth;
  vertScrollRange_ = vertical ? static_cast<int>(nonFixedHeight - 1) : 0;
  horzScrollRange_ = horizontal ? static_cast<int>(nonFixedWidth - 1) : 0;
  ShowBar(Qt::Vertical, vertical, vertScrollRange_,
          static_cast<int>(std::max<std::int64_t>(availableHeight, 0)));
  ShowBar(Qt::Horizontal, horizontal, horzScrollRange_,
          static_cast<int>(std::max<std::int64_t>(availableWidth, 0)));
}

void CGridCtrl::ShowBar(Qt::Orientation orientation, bool show, int range, int page) {
  QScrollBar* bar = orientation == Qt::Horizontal ? horizontalScrollBar() : verticalScrollBar();
  const std::uint32_t bit = orientation == Qt::Horizontal ? kHorzBarShown : kVertBarShown;
  scrollBarState_ = show ? scrollBarState_ | bit : scrollBarState_ & ~bit;
  // A Windows bar of range 0..range and page p scrolls to range - p + 1 at most.
  bar->setPageStep(range > 0 ? page : 0);
  bar->setRange(0, show ? std::max(0, range - page + 1) : 0);
  const Qt::ScrollBarPolicy policy = show ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
  if (orientation == Qt::Horizontal) {
    setHorizontalScrollBarPolicy(policy);
  } else {
    setVerticalScrollBarPolicy(policy);
  }
}

QScrollBar* CGridCtrl::Bar(Qt::Orientation orientation) const {
  return orientation == Qt::Horizontal ? horizontalScrollBar() : verticalScrollBar();
}

void CGridCtrl::SetScrollPosition(Qt::Orientation orientation, int position) {
  ScrollPositionChanged();
  Bar(orientation)->setValue(position);
}

int CGridCtrl::ScrollTarget(Qt::Orientation orientation, int request) {
  const QScrollBar* bar = Bar(orientation);
  const std::int64_t position = bar->value();
  const int maximum = bar->maximum();
  const bool columns = orientation == Qt::Horizontal;
  const int first = columns ? GetFirstVisibleCell().col : GetFirstVisibleCell().row;
  const int fixedCount = columns ? GetFixedColumnCount() : GetFixedRowCount();
  const int count = columns ? GetColumnCount() : GetRowCount();
  const PixelRect client = GetClientRect();
  const std::int64_t page = columns ? std::int64_t{client.right} - GetFixedColumnWidth()
                                    : std::int64_t{client.bottom} - GetFixedRowHeight();
  auto size = [&](int i) { return columns ? GetColumnWidth(i) : GetRowHeight(i); };
  std::int64_t target = position;
  switch (request) {
    case SB_LINEDOWN:
      if (position >= maximum) break;
      for (int i = first; i < count; ++i) {
        if (size(i) > 0) {
          target = position + size(i);
          break;
        }
      }
      break;
    case SB_LINEUP:
      if (position <= 0 || first <= fixedCount) break;
      for (int i = first - 1; i >= fixedCount; --i) {
        if (size(i) > 0) {
          target = position - size(i);
          break;
        }
      }
      break;
    case SB_PAGEDOWN:
      if (position < maximum) target = position + std::max<std::int64_t>(page, 0);
      break;
    case SB_PAGEUP:
      if (position > 0) target = position - std::max<std::int64_t>(page, 0);
      break;
    case SB_TOP: target = 0; break;
    case SB_BOTTOM: target = maximum; break;
    default: break;
  }
  return static_cast<int>(std::clamp<std::int64_t>(target, 0, maximum));
}

void CGridCtrl::OnScroll(Qt::Orientation orientation, int request) {
  const int target = ScrollTarget(orientation, request);
  if (target != Bar(orientation)->value()) SetScrollPosition(orientation, target);
}

bool CGridCtrl::ScrollStep(Qt::Orientation orientation, int request) {
  const int before = Bar(orientation)->value();
  OnScroll(orientation, request);
  return Bar(orientation)->value() != before;
}

void CGridCtrl::OnBarAction(Qt::Orientation orientation, int action) {
  int request = SB_ENDSCROLL;
  switch (action) {
    case QAbstractSlider::SliderSingleStepAdd: request = SB_LINEDOWN; break;
    case QAbstractSlider::SliderSingleStepSub: request = SB_LINEUP; break;
    case QAbstractSlider::SliderPageStepAdd: request = SB_PAGEDOWN; break;
    case QAbstractSlider::SliderPageStepSub: request = SB_PAGEUP; break;
    case QAbstractSlider::SliderToMinimum: request = SB_TOP; break;
    case QAbstractSlider::SliderToMaximum: request = SB_BOTTOM; break;
    default: return;  // the thumb: the value follows it and the cache is emptied
  }
  // The slider has already stepped by its own measure; the grid's step replaces it.
  Bar(orientation)->setSliderPosition(ScrollTarget(orientation, request));
}

void CGridCtrl::EnsureVisible(int row, int col) {
  if (!GetAllowDraw()) return;
  const CCellBlock visible = GetVisibleCellBlock();
  for (int i = visible.maxCol; i < col && ScrollStep(Qt::Horizontal, SB_LINEDOWN); ++i) {
  }
  for (int i = col; i < visible.minCol && ScrollStep(Qt::Horizontal, SB_LINEUP); ++i) {
  }
  for (int i = visible.maxRow; i < row && ScrollStep(Qt::Vertical, SB_LINEDOWN); ++i) {
  }
  for (int i = row; i < visible.minRow && ScrollStep(Qt::Vertical, SB_LINEUP); ++i) {
  }
  const PixelRect client = GetClientRect();
  PixelRect rect;
  while (GetCellRect(row, col, &rect) && rect.right > client.right &&
         GetFixedColumnWidth() < rect.left && ScrollStep(Qt::Horizontal, SB_LINEDOWN)) {
  }
  while (GetCellRect(row, col, &rect) && rect.bottom > client.bottom &&
         GetFixedRowHeight() < rect.top && ScrollStep(Qt::Vertical, SB_LINEDOWN)) {
  }
}

// ------------------------------------------------------------------ keyboard

void CGridCtrl::keyPressEvent(QKeyEvent* event) {
  titleTip_.Hide();
  const int key = VirtualKeyOf(event->key());
  const Qt::KeyboardModifiers modifiers = ModifiersOf(*event);
  const bool defaultProcessing = key == 0 || OnKeyDown(key, modifiers);
  // The character the key types follows its key press, as WM_CHAR follows WM_KEYDOWN.
  const int character = TypedCharacterOf(*event);
  if (character != 0) OnChar(character, modifiers);
  // Default processing of a Tab the grid took does nothing: the focus stays.
  event->setAccepted(!defaultProcessing || key == VK_TAB || character != 0);
}

void CGridCtrl::OnChar(int character, Qt::KeyboardModifiers modifiers) {
  if ((modifiers & Qt::ControlModifier) != 0 || GetMouseMode() != MOUSE_NOTHING ||
      character == VK_ESCAPE || (character == VK_TAB && GetHandleTabKey())) {
    return;
  }
  BeginCellEdit(GetFocusCell().row, GetFocusCell().col, QPoint(-1, -1), character);
}

void CGridCtrl::inputMethodEvent(QInputMethodEvent* event) {
  // Input-method text on an idle grid opens the editor, which then takes the text.
  if (GetEditor() == nullptr && GetMouseMode() == MOUSE_NOTHING &&
      (!event->commitString().isEmpty() || !event->preeditString().isEmpty())) {
    BeginCellEdit(GetFocusCell().row, GetFocusCell().col, QPoint(-1, -1), 0);
  }
  if (QWidget* editor = GetEditor()) {
    QCoreApplication::sendEvent(editor, event);
  } else {
    QAbstractScrollArea::inputMethodEvent(event);
  }
}

void CGridCtrl::OnEndInPlaceEdit(const GridCellInfo& item) {
  AcceptCellEdit(item.row, item.col, item.text);
  const int key = static_cast<int>(item.param);
  if (key != VK_TAB && !IsNavigationKey(key)) return;
  // The key goes on as pressed (with the modifiers held now), and the next cell opens.
  (void)OnKeyDown(key, QGuiApplication::keyboardModifiers());
  BeginCellEdit(GetFocusCell().row, GetFocusCell().col, QPoint(-1, -1), key, true);
}

int CGridCtrl::NextShown(bool rows, int from, int limit) const {
  const int step = limit > from ? 1 : -1;
  for (int i = from + step; step > 0 ? i <= limit : i >= limit; i += step) {
    if ((rows ? GetRowHeight(i) : GetColumnWidth(i)) > 0) return i;
  }
  return from;
}

CCellID CGridCtrl::KeyTarget(int key, bool shift, bool ctrl, bool* wrapped,
                             bool* defaultProcessing) {
  const CCellID focus = GetFocusCell();
  const int lastRow = GetRowCount() - 1;
  const int lastCol = GetColumnCount() - 1;
  const int fixedRows = GetFixedRowCount();
  const int fixedCols = GetFixedColumnCount();
  CCellID next = focus;
  const bool forward = key == VK_RIGHT || (key == VK_TAB && !shift);
  const bool backward = key == VK_LEFT || (key == VK_TAB && shift);
  if (key == VK_DOWN) {
    next.row = NextShown(true, focus.row, lastRow);
  } else if (key == VK_UP) {
    next.row = NextShown(true, focus.row, fixedRows);
  } else if (forward) {
    if (key == VK_TAB && focus.col == lastCol && focus.row < lastRow) {
      next.row = NextShown(true, focus.row, lastRow);
      *wrapped = next.row != focus.row;
    }
    next.col = *wrapped ? fixedCols : NextShown(false, focus.col, lastCol);
    *defaultProcessing = key == VK_TAB && !*wrapped;
  } else if (backward) {
    if (key == VK_TAB && focus.col == fixedCols && focus.row > fixedRows) {
      // At worst the first non-fixed row.
      next.row = NextShown(true, focus.row, fixedRows);
      if (next.row == focus.row) next.row = fixedRows;
      *wrapped = true;
    }
    next.col = *wrapped ? lastCol : NextShown(false, focus.col, fixedCols);
    *defaultProcessing = key == VK_TAB && !*wrapped;
  } else if (key == VK_NEXT || key == VK_PRIOR) {
    const int top = GetFirstVisibleCell().row;
    OnScroll(Qt::Vertical, key == VK_NEXT ? SB_PAGEDOWN : SB_PAGEUP);
    const int moved = GetFirstVisibleCell().row - top;
    if (key == VK_NEXT) {
      next.row = moved != 0 ? std::min(focus.row + moved, lastRow) : lastRow;
    } else {
      next.row = moved != 0 ? std::max(focus.row + moved, fixedRows) : fixedRows;
    }
  } else if (key == VK_HOME) {
    if (ctrl) {
      OnScroll(Qt::Vertical, SB_TOP);
      next.row = fixedRows;
    }
    OnScroll(Qt::Horizontal, SB_TOP);
    next.col = fixedCols;
    while (GetColumnWidth(next.col) == 0 && next.col < lastCol) ++next.col;
    while (GetRowHeight(next.row) == 0 && next.row < lastRow) ++next.row;
  } else if (key == VK_END) {
    if (ctrl) {
      OnScroll(Qt::Vertical, SB_BOTTOM);
      next.row = lastRow;
    }
    OnScroll(Qt::Horizontal, SB_BOTTOM);
    next.col = lastCol;
    while (GetColumnWidth(next.col) == 0 && next.col > fixedCols + 1) --next.col;
    while (GetRowHeight(next.row) == 0 && next.row > fixedRows + 1) --next.row;
  } else {
    *defaultProcessing = true;
  }
  return next;
}

bool CGridCtrl::OnKeyDown(int key, Qt::KeyboardModifiers modifiers) {
  if (!IsValid(GetFocusCell())) return true;
  const bool shift = (modifiers & Qt::ShiftModifier) != 0;
  const bool ctrl = (modifiers & Qt::ControlModifier) != 0;
  if (ctrl) {
    if (key == VK_INSERT || key == 'C') OnEditCopy();
    if (key == 'A') OnEditSelectAll();
    if (key == 'V') OnEditPaste();
    if (key == 'X') OnEditCut();
  }
  if (shift && key == VK_INSERT) {
    OnEditPaste();
    return true;
  }
  if (key == VK_DELETE) {
    OnEditClearSelection();
    return false;
  }
  if (key == VK_F2) {
    BeginCellEdit(GetFocusCell().row, GetFocusCell().col, QPoint(-1, -1), 1);
    return false;
  }
  bool wrapped = false;
  bool defaultProcessing = false;
  const CCellID next = KeyTarget(key, shift, ctrl, &wrapped, &defaultProcessing);
  if (next == GetFocusCell()) return defaultProcessing;
  if (GetMouseMode() == MOUSE_NOTHING) {
    // The key selects as the mouse would, from the start cell to the new focus.
    ClearPreviousSelection();
    SetMouseMode(GetListMode() ? MOUSE_SELECT_ROW : MOUSE_SELECT_CELLS);
    if (!shift || key == VK_TAB) SetSelectionStartCell(next);
    SendMessageToParent(next.row, next.col, GVN_SELCHANGING);
    ExtendSelectionTo(next);
    SendMessageToParent(next.row, next.col, GVN_SELCHANGED);
    SetMouseMode(MOUSE_NOTHING);
  }
  SetFocusCell(next);
  ShowKeyTarget(next, key, shift, wrapped);
  return defaultProcessing;
}

void CGridCtrl::ShowKeyTarget(const CCellID& next, int key, bool shift, bool wrapped) {
  if (!IsCellVisible(next.row, next.col)) {
    if (key == VK_TAB && wrapped) {
      OnScroll(Qt::Vertical, shift ? SB_LINEUP : SB_LINEDOWN);
      SetScrollPosition(Qt::Horizontal, shift ? horizontalScrollBar()->maximum() : 0);
    } else if (key == VK_TAB) {
      OnScroll(Qt::Horizontal, shift ? SB_LINEUP : SB_LINEDOWN);
    } else if (key == VK_LEFT || key == VK_RIGHT) {
      OnScroll(Qt::Horizontal, key == VK_LEFT ? SB_LINEUP : SB_LINEDOWN);
    } else if (key == VK_UP || key == VK_DOWN) {
      OnScroll(Qt::Vertical, key == VK_UP ? SB_LINEUP : SB_LINEDOWN);
    }
    EnsureVisible(next);
    InvalidateAll();
  }
  EnsureVisible(next);
}

void CGridCtrl::OnAutoScrollTimer() {
  const QPoint cursor = viewport()->mapFromGlobal(QCursor::pos());
  const PixelRect client = GetClientRect();
  const int fixedWidth = GetFixedColumnWidth();
  const int fixedHeight = GetFixedRowHeight();
  const int x = std::clamp(cursor.x(), client.left, client.right);
  const int y = std::clamp(cursor.y(), client.top, client.bottom);
  if (cursor.y() > client.bottom) {
    OnKeyDown(VK_DOWN, Qt::NoModifier);
    ExtendSelectionTo(GetCellFromPoint(QPoint(x, client.bottom), true));
  } else if (cursor.y() < fixedHeight) {
    OnKeyDown(VK_UP, Qt::NoModifier);
    ExtendSelectionTo(GetCellFromPoint(QPoint(x, fixedHeight + 1), true));
  }
  if (cursor.x() > client.right) {
    OnKeyDown(VK_RIGHT, Qt::NoModifier);
    ExtendSelectionTo(GetCellFromPoint(QPoint(client.right, y), true));
  } else if (cursor.x() < fixedWidth) {
    OnKeyDown(VK_LEFT, Qt::NoModifier);
    ExtendSelectionTo(GetCellFromPoint(QPoint(fixedWidth + 1, y), true));
  }
}

void CGridCtrl::OnCaptureChanged(const QWidget* gaining) {
  if (gaining == this || gaining == viewport()) return;
  StopAutoScroll();
  if (GetMouseMode() == MOUSE_DRAGGING) SetMouseMode(MOUSE_NOTHING);
}

HWND CGridCtrl::Receiver() const {
  if (IsWindow(owner_)) return owner_;
  for (QWidget* ancestor = parentWidget(); ancestor != nullptr;
       ancestor = ancestor->parentWidget()) {
    if (auto* window = dynamic_cast<MessageWindow*>(ancestor)) return window->Handle();
  }
  return nullptr;
}

LRESULT CGridCtrl::NotifyOwner(NMHDR* header) {
  const HWND receiver = Receiver();
  if (receiver == nullptr) return 0;
  header->hwndFrom = Handle();
  header->idFrom = static_cast<WPARAM>(controlId_);
  return SendMessage(receiver, WM_NOTIFY, header->idFrom, reinterpret_cast<LPARAM>(header));
}

void CGridCtrl::ReportOutOfMemory() {
  // Not modal: the grid keeps what it made and the caller gets its 0 at once.
  auto* box = new QMessageBox(QMessageBox::Critical, QString(), tr("Out of memory."),
                              QMessageBox::Ok, this);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->show();
}
