#include "editors/image_text/image_text_art.h"

#include <QPainter>
#include <QPainterPath>

namespace {

constexpr QColor kInk(40, 70, 130);
constexpr QColor kAccent(200, 40, 40);
constexpr QColor kPaper(250, 250, 245);

// A sheet with a folded corner in the 32-unit square.
void PaintSheet(QPainter& painter) {
  QPainterPath sheet;
  sheet.moveTo(6, 2);
  sheet.lineTo(20, 2);
  sheet.lineTo(26, 8);
  sheet.lineTo(26, 30);
  sheet.lineTo(6, 30);
  sheet.closeSubpath();
  painter.setPen(QPen(kInk, 1.5));
  painter.setBrush(kPaper);
  painter.drawPath(sheet);
  painter.drawLine(QLineF(20, 2, 20, 8));
  painter.drawLine(QLineF(20, 8, 26, 8));
}

void PaintLines(QPainter& painter, int count) {
  painter.setPen(QPen(kInk, 2));
  for (int line = 0; line < count; ++line) {
    const qreal y = 12 + line * 4.5;
    painter.drawLine(QLineF(9, y, line % 2 == 0 ? 23 : 19, y));
  }
}

void PaintKind(QPainter& painter, ImageTextArt art) {
  switch (art) {
    case ImageTextArt::Document:
      PaintSheet(painter);
      PaintLines(painter, 4);
      break;
    case ImageTextArt::Text: {
      PaintSheet(painter);
      painter.setPen(QPen(kAccent, 3));
      painter.drawLine(QLineF(10, 12, 22, 12));
      painter.drawLine(QLineF(16, 12, 16, 26));
      break;
    }
    case ImageTextArt::Caption: {
      painter.setPen(QPen(kInk, 1.5));
      painter.setBrush(kPaper);
      painter.drawRect(QRectF(2, 9, 28, 14));
      painter.setPen(QPen(kAccent, 2));
      painter.drawLine(QLineF(6, 16, 20, 16));
      painter.drawLine(QLineF(21, 12, 26, 16));
      painter.drawLine(QLineF(21, 20, 26, 16));
      break;
    }
    case ImageTextArt::Table: {
      painter.setPen(QPen(kInk, 1.5));
      painter.setBrush(kPaper);
      painter.drawRect(QRectF(3, 5, 26, 22));
      for (qreal x : {12.0, 20.0}) painter.drawLine(QLineF(x, 5, x, 27));
      for (qreal y : {12.0, 19.0}) painter.drawLine(QLineF(3, y, 29, y));
      break;
    }
    default: break;
  }
}

void PaintCommand(QPainter& painter, ImageTextArt art) {
  switch (art) {
    case ImageTextArt::Edit: {
      PaintSheet(painter);
      PaintLines(painter, 2);
      painter.setPen(QPen(kAccent, 4, Qt::SolidLine, Qt::RoundCap));
      painter.drawLine(QLineF(14, 27, 28, 13));
      break;
    }
    case ImageTextArt::Delete:
      PaintSheet(painter);
      painter.setPen(QPen(kAccent, 3, Qt::SolidLine, Qt::RoundCap));
      painter.drawLine(QLineF(10, 13, 22, 25));
      painter.drawLine(QLineF(22, 13, 10, 25));
      break;
    case ImageTextArt::Clear:
      painter.setPen(QPen(kInk, 1.5));
      painter.setBrush(kPaper);
      painter.drawRect(QRectF(3, 4, 20, 20));
      painter.drawRect(QRectF(9, 9, 20, 20));
      painter.setPen(QPen(kAccent, 3, Qt::SolidLine, Qt::RoundCap));
      painter.drawLine(QLineF(13, 13, 25, 25));
      painter.drawLine(QLineF(25, 13, 13, 25));
      break;
    case ImageTextArt::SameProperties:
      painter.setPen(QPen(kInk, 1.5));
      painter.setBrush(kPaper);
      painter.drawRect(QRectF(2, 6, 12, 20));
      painter.drawRect(QRectF(18, 6, 12, 20));
      painter.setPen(QPen(kAccent, 2.5));
      painter.drawLine(QLineF(5, 13, 11, 13));
      painter.drawLine(QLineF(21, 13, 27, 13));
      painter.drawLine(QLineF(5, 19, 11, 19));
      painter.drawLine(QLineF(21, 19, 27, 19));
      break;
    default: PaintKind(painter, art); break;
  }
}

}  // namespace

QImage PaintImageTextArt(ImageTextArt art, int size, bool onWhite) {
  QImage picture(size, size, QImage::Format_ARGB32_Premultiplied);
  picture.fill(onWhite ? Qt::white : Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / 32.0, size / 32.0);
  PaintCommand(painter, art);
  return picture;
}
