#include "editors/background/gif_dialog.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>

#include <limits>

namespace {

constexpr int kHoverAlpha = 120;
// The cells play until the chooser closes: a hold time no chooser outlasts.
constexpr int kHoldMs = std::numeric_limits<int>::max();

// Picture 442 with its white pixels see-through.
QImage SelectionMark() {
  QImage mark(QStringLiteral(":/images/442.png"));
  if (mark.isNull()) return mark;
  mark = mark.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < mark.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(mark.scanLine(y));
    for (int x = 0; x < mark.width(); ++x) {
      if ((row[x] & 0xFFFFFF) == 0xFFFFFF) row[x] = 0;
    }
  }
  return mark;
}

}  // namespace

CGifDialog::CGifDialog() : cursor_([] { return QCursor::pos(); }) {
  timer_.setInterval(kHoverCheckMs);
  connect(&timer_, &QTimer::timeout, this, [this] { OnTimer(); });
}

void CGifDialog::Create(int gifId, QWidget* parent, QPoint at) {
  setParent(parent);
  setGeometry(QRect(at, kCellSize));
  show();
  frame_ = QImage(kCellSize, QImage::Format_RGB32);
  frame_.fill(Qt::black);
  mark_ = SelectionMark();
  if (player_.LoadResource(gifId, frame_, kCellSize.width(), kCellSize.height()) != 0) {
    player_.SetStayTime(kHoldMs);
    player_.Play();
  }
  timer_.start();
}

void CGifDialog::SetSelected(bool selected) {
  selected_ = selected;
  update();
}

void CGifDialog::OnTimer() {
  const QPoint cursor = cursor_();
  const QPoint topLeft = mapToGlobal(QPoint(0, 0));
  hovering_ = cursor.x() >= topLeft.x() && cursor.x() <= topLeft.x() + width() &&
              cursor.y() >= topLeft.y() && cursor.y() <= topLeft.y() + height();
  repaint();
}

void CGifDialog::paintEvent(QPaintEvent* /*event*/) {
  player_.Draw(frame_, kCellSize.width(), kCellSize.height());
  QPainter painter(this);
  painter.drawImage(0, 0, frame_);
  if (hovering_) painter.fillRect(rect(), QColor(255, 255, 255, kHoverAlpha));
  if (selected_) painter.drawImage(0, 0, mark_);
}

void CGifDialog::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) SetSelected(!selected_);
  QWidget::mousePressEvent(event);
}
