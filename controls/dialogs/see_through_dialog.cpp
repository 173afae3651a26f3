#include "controls/dialogs/see_through_dialog.h"

#include <QBitmap>
#include <QPainter>
#include <QScreen>

#include <algorithm>

#include "controls/support/main_window.h"

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
