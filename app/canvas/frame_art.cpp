#include "app/canvas/frame_art.h"

#include <QPainter>

namespace {

const QColor kDark(50, 60, 75);
const QColor kBlue(38, 120, 200);
const QColor kArea(120, 190, 240);
const QColor kGreen(60, 170, 80);
const QColor kRed(205, 60, 50);

enum Picture {
  kZoomIn,
  kZoomOut,
  kAlignLeft,
  kAlignRight,
  kAlignTop,
  kAlignBottom,
  kFullWidth,
  kFullHeight,
  kFill,
  kPlay,
  kStop,
};

void DrawMagnifier(QPainter& p, bool plus) {
  p.setBrush(QColor(225, 240, 252));
  p.drawEllipse(QPointF(6.5, 6.5), 4.5, 4.5);
  p.drawLine(QPointF(4.5, 6.5), QPointF(8.5, 6.5));
  if (plus) p.drawLine(QPointF(6.5, 4.5), QPointF(6.5, 8.5));
  p.setPen(QPen(kDark, 2.2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(10, 10), QPointF(14.5, 14.5));
}

// An area (filled) against a guide line: the line on the side the area goes to.
void DrawAlign(QPainter& p, Picture picture) {
  p.setBrush(kArea);
  switch (picture) {
    case kAlignLeft: p.drawRect(QRectF(3.5, 4.5, 8, 7)); break;
    case kAlignRight: p.drawRect(QRectF(4.5, 4.5, 8, 7)); break;
    case kAlignTop: p.drawRect(QRectF(4.5, 3.5, 7, 8)); break;
    default: p.drawRect(QRectF(4.5, 4.5, 7, 8)); break;
  }
  p.setPen(QPen(kBlue, 1.6, Qt::SolidLine, Qt::RoundCap));
  switch (picture) {
    case kAlignLeft: p.drawLine(QPointF(1.5, 1.5), QPointF(1.5, 14.5)); break;
    case kAlignRight: p.drawLine(QPointF(14.5, 1.5), QPointF(14.5, 14.5)); break;
    case kAlignTop: p.drawLine(QPointF(1.5, 1.5), QPointF(14.5, 1.5)); break;
    default: p.drawLine(QPointF(1.5, 14.5), QPointF(14.5, 14.5)); break;
  }
}

// An area stretched inside a frame: across, down or both.
void DrawFull(QPainter& p, Picture picture) {
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(1.5, 1.5, 13, 13));
  p.setBrush(kArea);
  switch (picture) {
    case kFullWidth: p.drawRect(QRectF(3, 6, 10, 4)); break;
    case kFullHeight: p.drawRect(QRectF(6, 3, 4, 10)); break;
    default: p.drawRect(QRectF(3, 3, 10, 10)); break;
  }
}

void DrawArt(QPainter& p, Picture picture) {
  p.setPen(QPen(kDark, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  switch (picture) {
    case kZoomIn:
    case kZoomOut: DrawMagnifier(p, picture == kZoomIn); break;
    case kAlignLeft:
    case kAlignRight:
    case kAlignTop:
    case kAlignBottom: DrawAlign(p, picture); break;
    case kFullWidth:
    case kFullHeight:
    case kFill: DrawFull(p, picture); break;
    case kPlay:
      p.setBrush(kGreen);
      p.drawPolygon(QPolygonF({{4, 2.5}, {13.5, 8}, {4, 13.5}}));
      break;
    case kStop:
      p.setBrush(kRed);
      p.drawRoundedRect(QRectF(3, 3, 10, 10), 1.5, 1.5);
      break;
  }
}

}  // namespace

QImage PaintFrameArt(int index, int size) {
  if (index < 0 || index >= kFrameArtCount) return {};
  QImage image(size, size, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  // Drawn in a 16 x 16 design space scaled to the picture.
  painter.scale(size / 16.0, size / 16.0);
  DrawArt(painter, static_cast<Picture>(index));
  return image;
}
