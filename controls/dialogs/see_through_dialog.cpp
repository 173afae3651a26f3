#include "controls/dialogs/see_through_dialog.h"

#include <QBitmap>
#include <QPainter>
#include <QScreen>

#include <algorithm>

#include "controls/support/main_window.h"

namespace {

constexpr int kCalloutPointerBase = 25;
constexpr qreal kCalloutCornerRadius = 12.5;  // corners of 25 x 25
const QColor kCalloutShadow(120, 120, 120);
const QColor kCalloutOutline(84, 166, 213);

}  // namespace

SeeThroughDialog::SeeThroughDialog(int rightInset, int bottomInset, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      rightInset_(rightInset),
      bottomInset_(bottomInset) {}

QPoint SeeThroughDialog::PlaceByInsets(const QRect& frame, QSize size, int rightInset,
                                       int bottomInset, const QRect& screen) {
  int left = frame.x() + frame.width() - size.width() - rightInset;
  int top = frame.y() + frame.height() - size.height() - bottomInset;
  left = std::max(std::min(left, screen.x() + screen.width() - size.width()), screen.x());
  top = std::max(std::min(top, screen.y() + screen.height() - size.height()), screen.y());
  return {left, top};
}

void SeeThroughDialog::PlaceFromMainWindow() {
  const QWidget* main = MainWindow();
  if (main == nullptr) return;
  const QScreen* screen = main->screen();
  const QRect area = screen != nullptr ? screen->availableGeometry() : main->frameGeometry();
  move(PlaceByInsets(main->frameGeometry(), size(), rightInset_, bottomInset_, area));
}

void SeeThroughDialog::RefreshSurface() {
  surface_ = QImage(size(), QImage::Format_RGB32);
  surface_.fill(kSeeThroughColor);
  {
    QPainter painter(&surface_);
    PaintSurface(painter, size());
  }
  // The mono image marks the see-through pixels white, which a bitmap leaves out.
  setMask(QBitmap::fromImage(surface_.createMaskFromColor(kSeeThroughColor, Qt::MaskInColor)));
}

void SeeThroughDialog::showEvent(QShowEvent* event) {
  RefreshSurface();
  PlaceFromMainWindow();
  QDialog::showEvent(event);
}

void SeeThroughDialog::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  RefreshSurface();
}

void SeeThroughDialog::paintEvent(QPaintEvent* /*event*/) {
  QPainter(this).drawImage(0, 0, surface_);
}

void SeeThroughDialog::PaintRightCallout(QPainter& painter, QSize size,
                                         const CalloutPointer& pointer) {
  const int w = size.width();
  const int h = size.height();
  const QPolygon face({QPoint(w - 27, pointer.baseTop),
                       QPoint(w - 27, pointer.baseTop + kCalloutPointerBase),
                       QPoint(w - 1, pointer.tipY)});
  painter.setRenderHint(QPainter::Antialiasing, false);
  // The rectangles' outlines cover columns and rows up to right - 1 and bottom - 1 of
  // the corners given (an outline in Qt spans the rectangle's size plus one).
  painter.setPen(kCalloutShadow);
  painter.setBrush(kCalloutShadow);
  painter.drawRoundedRect(QRect(1, 1, w - 27, h - 2), kCalloutCornerRadius, kCalloutCornerRadius);
  painter.drawPolygon(face.translated(1, 1));
  painter.setPen(kCalloutOutline);
  painter.setBrush(Qt::white);
  painter.drawRoundedRect(QRect(0, 0, w - 27, h - 2), kCalloutCornerRadius, kCalloutCornerRadius);
  painter.drawPolygon(face);
  painter.setPen(Qt::white);
  painter.drawLine(QPoint(w - 27, pointer.lineTop),
                   QPoint(w - 27, pointer.lineTop + kCalloutPointerBase - 1));
}
