#include "controls/shell/artwork.h"

#include <QPainter>

#include "controls/shell/art_painter.h"

namespace {

const QColor kOrange(240, 150, 40);
const QColor kRed(200, 50, 40);

// A green plus in the lower right: "add".
void DrawPlus(QPainter& p) {
  p.setPen(QPen(QColor(40, 150, 60), 2.2, Qt::SolidLine, Qt::FlatCap));
  p.drawLine(QPointF(12, 9), QPointF(12, 15));
  p.drawLine(QPointF(9, 12), QPointF(15, 12));
  p.setPen(ArtOutline());
}

void DrawArt(QPainter& p, Art art) {
  p.setPen(ArtOutline());
  switch (art) {
    case Art::Edit:
      p.setBrush(kOrange);
      p.drawPolygon(QPolygonF({{3, 13}, {4, 10}, {11, 3}, {13, 5}, {6, 12}}));
      p.drawLine(QPointF(3, 14), QPointF(13, 14));
      break;
    case Art::Search:
      p.setBrush(QColor(200, 230, 250));
      p.drawEllipse(QPointF(7, 7), 4.5, 4.5);
      p.setPen(QPen(kArtDark, 2.2, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(10.5, 10.5), QPointF(14, 14));
      break;
    case Art::SendToScreens:
      p.setBrush(kArtBlue);
      p.drawRect(QRectF(1.5, 2.5, 8, 5.5));
      p.drawRect(QRectF(6.5, 8, 8, 5.5));
      break;
    case Art::Usb:
      p.setPen(ArtOutline(1.6));
      p.drawLine(QPointF(8, 2), QPointF(8, 13));
      p.drawPolyline(QPolygonF({{8, 10}, {4, 7}, {4, 5}}));
      p.drawPolyline(QPolygonF({{8, 8}, {12, 6}, {12, 4}}));
      p.setBrush(kArtDark);
      p.drawEllipse(QPointF(8, 13.5), 1.5, 1.5);
      p.drawPolygon(QPolygonF({{6.5, 3}, {8, 1}, {9.5, 3}}));
      break;
    case Art::Send:
      p.setBrush(QColor(90, 180, 90));
      p.drawPolygon(QPolygonF({{1.5, 7.5}, {14.5, 2}, {10, 14}, {7.5, 9}}));
      p.drawLine(QPointF(7.5, 9), QPointF(14.5, 2));
      break;
    case Art::Back:
    case Art::BackIdle:
      p.setPen(Qt::NoPen);
      p.setBrush(art == Art::Back ? kArtBlue : QColor(150, 150, 150));
      p.drawEllipse(QRectF(1, 1, 14, 14));
      p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      p.drawPolyline(QPolygonF({{9, 4.5}, {5.5, 8}, {9, 11.5}}));
      break;
    case Art::Application:
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(30, 30, 40));
      p.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 2, 2);
      for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
          p.setBrush((row + column) % 3 == 0 ? QColor(60, 220, 90) : QColor(235, 50, 40));
          p.drawEllipse(QPointF(2.75 + 3.5 * column, 2.75 + 3.5 * row), 1.2, 1.2);
        }
      }
      break;
    case Art::NewFile:
      p.setBrush(Qt::white);
      p.drawPolygon(QPolygonF({{3, 1.5}, {10, 1.5}, {13, 4.5}, {13, 14.5}, {3, 14.5}}));
      break;
    case Art::OpenFile:
      p.setBrush(QColor(245, 205, 90));
      p.drawPolygon(QPolygonF({{1.5, 3}, {6, 3}, {7.5, 4.5}, {14.5, 4.5}, {14.5, 13}, {1.5, 13}}));
      break;
    case Art::SaveFile:
    case Art::SaveFileAs:
      p.setBrush(kArtBlue);
      p.drawRect(QRectF(2, 2, 12, 12));
      p.setBrush(Qt::white);
      p.drawRect(QRectF(4.5, 2, 7, 4.5));
      if (art == Art::SaveFileAs) {
        p.setBrush(kOrange);
        p.drawPolygon(QPolygonF({{9, 15}, {9.5, 13}, {14, 8.5}, {15.5, 10}, {11, 14.5}}));
      }
      break;
    case Art::Exit:
      p.setBrush(QColor(235, 235, 235));
      p.drawRect(QRectF(2, 1.5, 7, 13));
      p.setPen(QPen(kRed, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      p.drawLine(QPointF(7, 8), QPointF(14.5, 8));
      p.drawPolyline(QPolygonF({{12, 5.5}, {14.5, 8}, {12, 10.5}}));
      break;
    case Art::AddBuiltIn:
      p.setBrush(QColor(60, 70, 110));
      p.drawRect(QRectF(1.5, 3.5, 11, 8));
      p.setPen(QPen(kOrange, 1.2));
      p.drawLine(QPointF(3, 10), QPointF(11, 5));
      DrawPlus(p);
      break;
    case Art::AddPictures:
      p.setBrush(QColor(200, 230, 250));
      p.drawRect(QRectF(1.5, 3.5, 11, 8));
      p.setBrush(QColor(90, 180, 90));
      p.drawPolygon(QPolygonF({{2.5, 10.5}, {6, 6.5}, {9, 9}, {11.5, 7}, {11.5, 10.5}}));
      DrawPlus(p);
      break;
    case Art::DeleteEntry:
      p.setPen(QPen(kRed, 2.2, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(4, 4), QPointF(12, 12));
      p.drawLine(QPointF(12, 4), QPointF(4, 12));
      break;
    case Art::DeleteAll:
      p.setBrush(QColor(235, 235, 235));
      p.drawPolygon(QPolygonF({{3.5, 4.5}, {12.5, 4.5}, {11.5, 14.5}, {4.5, 14.5}}));
      p.drawLine(QPointF(2, 3), QPointF(14, 3));
      p.setPen(QPen(kRed, 1.2));
      for (const qreal x : {6.5, 8.0, 9.5}) p.drawLine(QPointF(x, 6.5), QPointF(x, 12.5));
      break;
    case Art::MediaEntry:
      p.setBrush(QColor(200, 230, 250));
      p.drawRect(QRectF(1.5, 3.5, 13, 9));
      p.setPen(Qt::NoPen);
      p.setBrush(kArtBlue);
      p.drawPolygon(QPolygonF({{3, 11}, {7, 6.5}, {10, 9.5}, {12, 8}, {13.5, 11}}));
      break;
  }
}

}  // namespace

QImage PaintArt(Art art, int size, bool onWhite) {
  return PaintInDesignSpace(size, onWhite, [art](QPainter& p) { DrawArt(p, art); });
}
