#include "app/main_window/status_icons.h"

#include <QPainter>

#include "controls/shell/art_painter.h"

namespace {

constexpr int kSize = 16;

void DrawMark(QPainter& p, const QColor& disc, bool check) {
  p.setPen(Qt::NoPen);
  p.setBrush(disc);
  p.drawEllipse(QRectF(1, 1, 14, 14));
  p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  if (check) {
    p.drawPolyline(QPolygonF({{4.5, 8.5}, {7, 11}, {11.5, 5.5}}));
  } else {
    p.drawLine(QPointF(5, 5), QPointF(11, 11));
    p.drawLine(QPointF(11, 5), QPointF(5, 11));
  }
}

// Two computers joined by a cable.
void DrawNetwork(QPainter& p) {
  p.setPen(QPen(kArtDark, 1));
  p.setBrush(QColor(120, 190, 240));
  p.drawRect(QRectF(0.5, 1.5, 6, 5));
  p.drawRect(QRectF(9.5, 9.5, 6, 5));
  p.drawPolyline(QPolygonF({{3.5, 6.5}, {3.5, 12}, {9.5, 12}}));
}

// A nine-pin plug.
void DrawSerialLine(QPainter& p) {
  p.setPen(QPen(kArtDark, 1));
  p.setBrush(QColor(200, 200, 210));
  p.drawPolygon(QPolygonF({{0.5, 4.5}, {15.5, 4.5}, {13.5, 11.5}, {2.5, 11.5}}));
  p.setPen(Qt::NoPen);
  p.setBrush(kArtDark);
  for (int pin = 0; pin < 5; ++pin) p.drawRect(QRectF(3 + 2.2 * pin, 6.5, 1, 1));
  for (int pin = 0; pin < 4; ++pin) p.drawRect(QRectF(4.1 + 2.2 * pin, 9, 1, 1));
}

// A USB stick.
void DrawUsbDisk(QPainter& p) {
  p.setPen(QPen(kArtDark, 1));
  p.setBrush(QColor(240, 150, 40));
  p.drawRoundedRect(QRectF(1.5, 5.5, 9, 6), 1, 1);
  p.setBrush(QColor(220, 220, 220));
  p.drawRect(QRectF(10.5, 6.5, 4, 4));
}

}  // namespace

QPixmap LoadStatusIcon(StatusIcon icon) {
  return QPixmap::fromImage(PaintInDesignSpace(kSize, false, [icon](QPainter& painter) {
    switch (icon) {
      case StatusIcon::Success: DrawMark(painter, QColor(40, 160, 70), true); break;
      case StatusIcon::Failure: DrawMark(painter, QColor(210, 50, 40), false); break;
      case StatusIcon::Network: DrawNetwork(painter); break;
      case StatusIcon::UsbDisk: DrawUsbDisk(painter); break;
      case StatusIcon::SerialLine: DrawSerialLine(painter); break;
    }
  }));
}
