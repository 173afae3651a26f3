#include "controls/grid/widget/grid_ctrl.h"

#include <QEvent>
#include <QMessageBox>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>

CGridCtrl::CGridCtrl(QWidget* parent) : QAbstractScrollArea(parent) {
  // WS_BORDER and WS_TABSTOP; painting covers every pixel, so nothing is erased first.
  setFrameStyle(QFrame::Box | QFrame::Plain);
  setLineWidth(1);
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
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

void CGridCtrl::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  const QRect clip = event->rect();
  OnDraw(painter, {clip.left(), clip.top(), clip.left() + clip.width(),
                   clip.top() + clip.height()});
}

void CGridCtrl::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  if (inSize_) return;
  inSize_ = true;
  UpdateScrollBars();
  inSize_ = false;
}

bool CGridCtrl::event(QEvent* event) {
  // The application palette holds the system colours (SysColor): its change is
  // WM_SYSCOLORCHANGE.
  if (event->type() == QEvent::ApplicationPaletteChange) {
    OnSysColorChange();
    InvalidateAll();
  }
  return QAbstractScrollArea::event(event);
}

void CGridCtrl::scrollContentsBy(int, int) {
  ResetTopLeftCache();
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
  QScrollBar* bar =
      orientation == Qt::Horizontal ? horizontalScrollBar() : verticalScrollBar();
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
