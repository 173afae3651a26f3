#include "device/common/device_icons.h"

#include <QPainter>

#include "controls/shell/art_painter.h"

namespace {

const QColor kGold(235, 180, 50);
const QColor kPanel(25, 30, 45);
const QColor kLed(240, 80, 60);

// A dark LED panel with three rows of lit dots.
void DrawPanel(QPainter& p, const QRectF& rect) {
  p.setPen(ArtOutline(0.8));
  p.setBrush(kPanel);
  p.drawRoundedRect(rect, 1, 1);
  p.setPen(Qt::NoPen);
  p.setBrush(kLed);
  const double step = rect.width() / 5.0;
  for (int row = 1; row < 4; ++row) {
    for (int column = 1; column < 5; ++column) {
      p.drawEllipse(QPointF(rect.left() + column * step, rect.top() + row * rect.height() / 4.0),
                    0.6, 0.6);
    }
  }
}

void DrawIcon(QPainter& p, DeviceIcon icon) {
  switch (icon) {
    case DeviceIcon::AccessCode:
      p.setPen(QPen(kArtDark, 1.6));
      p.setBrush(Qt::NoBrush);
      p.drawArc(QRectF(4.5, 1.5, 7, 8), 0, 180 * 16);
      p.drawLine(QPointF(4.5, 5.5), QPointF(4.5, 7.5));
      p.drawLine(QPointF(11.5, 5.5), QPointF(11.5, 7.5));
      p.setPen(ArtOutline());
      p.setBrush(kGold);
      p.drawRoundedRect(QRectF(2.5, 7, 11, 8), 1.2, 1.2);
      p.setBrush(kArtDark);
      p.drawEllipse(QPointF(8, 10.5), 1, 1);
      break;
    case DeviceIcon::Screen: DrawPanel(p, QRectF(1, 3.5, 14, 9)); break;
    case DeviceIcon::Communication:
      DrawPanel(p, QRectF(1, 1.5, 9, 6.5));
      p.setPen(QPen(kArtBlue, 1.3, Qt::SolidLine, Qt::RoundCap));
      p.setBrush(Qt::NoBrush);
      p.drawPolyline(QPolygonF({{5.5, 8}, {5.5, 12}, {12.5, 12}, {12.5, 5}}));
      p.setPen(ArtOutline());
      p.setBrush(kArtBlue);
      p.drawRect(QRectF(10.5, 2.5, 4, 3));
      break;
    case DeviceIcon::Basic:
      DrawPanel(p, QRectF(1, 4, 14, 8.5));
      p.setPen(QPen(kGold, 1.2, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(1, 14.5), QPointF(15, 14.5));
      p.drawLine(QPointF(1, 13.5), QPointF(1, 15.5));
      p.drawLine(QPointF(15, 13.5), QPointF(15, 15.5));
      break;
    case DeviceIcon::Scan:
      DrawPanel(p, QRectF(1, 2, 14, 12));
      p.setPen(QPen(QColor(90, 200, 250), 1.2, Qt::SolidLine, Qt::RoundCap));
      for (double y : {5.0, 8.0, 11.0}) p.drawLine(QPointF(2.5, y), QPointF(13.5, y));
      break;
    case DeviceIcon::Advanced:
      p.setPen(ArtOutline());
      p.setBrush(QColor(170, 180, 195));
      p.drawEllipse(QPointF(8, 8), 5.5, 5.5);
      p.setBrush(Qt::white);
      p.drawEllipse(QPointF(8, 8), 2, 2);
      break;
    case DeviceIcon::Refresh:
      // Two arrows chasing each other round a circle.
      p.setPen(QPen(kArtBlue, 1.6, Qt::SolidLine, Qt::RoundCap));
      p.setBrush(Qt::NoBrush);
      p.drawArc(QRectF(2.5, 2.5, 11, 11), 30 * 16, 140 * 16);
      p.drawArc(QRectF(2.5, 2.5, 11, 11), 210 * 16, 140 * 16);
      p.setPen(Qt::NoPen);
      p.setBrush(kArtBlue);
      p.drawPolygon(QPolygonF({{1, 6}, {5, 6}, {3, 9}}));
      p.drawPolygon(QPolygonF({{15, 10}, {11, 10}, {13, 7}}));
      break;
    case DeviceIcon::NetworkLink:
      // Three computers joined by a cable.
      p.setPen(QPen(kArtBlue, 1.2));
      p.drawLine(QPointF(3, 11), QPointF(13, 11));
      p.drawLine(QPointF(8, 6), QPointF(8, 11));
      p.setPen(ArtOutline());
      p.setBrush(kArtBlue);
      p.drawRect(QRectF(5.5, 1.5, 5, 4));
      p.drawRect(QRectF(0.5, 11.5, 5, 4));
      p.drawRect(QRectF(10.5, 11.5, 5, 4));
      break;
    case DeviceIcon::SerialLink:
      // A nine-pin plug.
      p.setPen(ArtOutline());
      p.setBrush(QColor(170, 180, 195));
      p.drawPolygon(QPolygonF({{1, 4.5}, {15, 4.5}, {13, 11.5}, {3, 11.5}}));
      p.setPen(Qt::NoPen);
      p.setBrush(kArtDark);
      for (int pin = 0; pin < 5; ++pin) p.drawEllipse(QPointF(3.6 + 2.2 * pin, 6.8), 0.6, 0.6);
      for (int pin = 0; pin < 4; ++pin) p.drawEllipse(QPointF(4.7 + 2.2 * pin, 9.2), 0.6, 0.6);
      break;
    case DeviceIcon::UsbLink:
      // A USB stick.
      p.setPen(ArtOutline());
      p.setBrush(QColor(170, 180, 195));
      p.drawRect(QRectF(5.5, 0.5, 5, 4));
      p.setBrush(kArtBlue);
      p.drawRoundedRect(QRectF(3.5, 4.5, 9, 11), 1.5, 1.5);
      break;
    case DeviceIcon::Browse:
      // An open folder.
      p.setPen(ArtOutline());
      p.setBrush(kGold);
      p.drawPolygon(QPolygonF({{1.5, 3.5}, {6, 3.5}, {7.5, 5}, {13.5, 5}, {13.5, 13}, {1.5, 13}}));
      p.setBrush(QColor(250, 215, 110));
      p.drawPolygon(QPolygonF({{3.5, 7.5}, {15, 7.5}, {13.5, 13}, {1.5, 13}}));
      break;
    case DeviceIcon::Firmware:
      // A chip with its pins.
      p.setPen(QPen(kArtDark, 1.2, Qt::SolidLine, Qt::RoundCap));
      for (double at : {5.0, 8.0, 11.0}) {
        p.drawLine(QPointF(at, 1), QPointF(at, 15));
        p.drawLine(QPointF(1, at), QPointF(15, at));
      }
      p.setPen(ArtOutline());
      p.setBrush(kPanel);
      p.drawRoundedRect(QRectF(3, 3, 10, 10), 1.5, 1.5);
      p.setBrush(kGold);
      p.drawEllipse(QPointF(8, 8), 1.8, 1.8);
      break;
    case DeviceIcon::BootLogo:
      DrawPanel(p, QRectF(1, 2, 14, 12));
      p.setPen(ArtOutline());
      p.setBrush(kGold);
      p.drawEllipse(QPointF(8, 8), 3, 3);
      break;
    case DeviceIcon::RichTextLogo:
      // A red letter A on a page.
      p.setPen(ArtOutline());
      p.setBrush(Qt::white);
      p.drawRect(QRectF(2.5, 1.5, 11, 13));
      p.setPen(QPen(kLed, 1.6, Qt::SolidLine, Qt::RoundCap));
      p.drawPolyline(QPolygonF({{4.5, 12.5}, {8, 3.5}, {11.5, 12.5}}));
      p.drawLine(QPointF(6, 9), QPointF(10, 9));
      break;
    case DeviceIcon::PictureLogo:
      // A landscape: sky, a sun and a hill.
      p.setPen(ArtOutline());
      p.setBrush(QColor(150, 205, 245));
      p.drawRect(QRectF(1.5, 2.5, 13, 11));
      p.setPen(Qt::NoPen);
      p.setBrush(kGold);
      p.drawEllipse(QPointF(5, 6), 1.6, 1.6);
      p.setBrush(QColor(80, 160, 70));
      p.drawPolygon(QPolygonF({{1.5, 13.5}, {7, 7.5}, {14.5, 13.5}}));
      break;
  }
}

}  // namespace

QImage PaintDeviceIcon(DeviceIcon icon, int size) {
  return PaintInDesignSpace(size, false, [icon](QPainter& p) { DrawIcon(p, icon); });
}
