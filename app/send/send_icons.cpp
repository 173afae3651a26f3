#include "app/send/send_icons.h"

#include <QPainter>

namespace {

// One screen: a dark panel with a lit grid of LEDs, in the rectangle.
void DrawScreen(QPainter& painter, const QRectF& rect) {
  painter.setPen(QPen(QColor(40, 40, 40), rect.width() / 16.0));
  painter.setBrush(QColor(25, 30, 45));
  painter.drawRoundedRect(rect, rect.width() / 10.0, rect.width() / 10.0);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(240, 80, 60));
  const double step = rect.width() / 5.0;
  for (int row = 1; row < 4; ++row) {
    for (int column = 1; column < 5; ++column) {
      painter.drawEllipse(
          QPointF(rect.left() + column * step, rect.top() + row * rect.height() / 4.0), step / 4.0,
          step / 4.0);
    }
  }
}

}  // namespace

QImage PaintSendIcon(SendIcon icon, int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  const double s = size;
  switch (icon) {
    case SendIcon::Screen: DrawScreen(painter, QRectF(1, s * 0.2, s - 2, s * 0.6)); break;
    case SendIcon::AllScreens:
      DrawScreen(painter, QRectF(s * 0.05, s * 0.1, s * 0.6, s * 0.42));
      DrawScreen(painter, QRectF(s * 0.35, s * 0.48, s * 0.6, s * 0.42));
      break;
    case SendIcon::Group:
      painter.setPen(Qt::NoPen);
      painter.setBrush(QColor(250, 200, 70));
      painter.drawRoundedRect(QRectF(s * 0.05, s * 0.15, s * 0.9, s * 0.75), s / 12, s / 12);
      DrawScreen(painter, QRectF(s * 0.2, s * 0.32, s * 0.6, s * 0.42));
      break;
  }
  return image;
}
