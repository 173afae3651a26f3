#include "app/tree/tree_art.h"

#include <QPainter>

#include "controls/shell/art_painter.h"

namespace {

const QColor kRed(220, 50, 40);
const QColor kGreen(70, 170, 80);

// A small LED screen: dark face with lit dots.
void DrawScreen(QPainter& p) {
  p.setPen(ArtOutline());
  p.setBrush(QColor(30, 30, 40));
  p.drawRoundedRect(QRectF(1, 3, 14, 9), 1, 1);
  p.setPen(Qt::NoPen);
  for (int x = 0; x < 5; ++x) {
    p.setBrush(x % 2 ? kGreen : kRed);
    p.drawEllipse(QPointF(3.5 + x * 2.25, 7.5), 0.8, 0.8);
  }
  p.setPen(ArtOutline());
  p.drawLine(QPointF(8, 12), QPointF(8, 14.5));
  p.drawLine(QPointF(5, 14.5), QPointF(11, 14.5));
}

// A film strip: a program of areas.
void DrawProgram(QPainter& p) {
  p.setPen(ArtOutline());
  p.setBrush(QColor(250, 210, 90));
  p.drawRect(QRectF(2, 2.5, 12, 11));
  p.setBrush(kArtDark);
  for (int y = 0; y < 4; ++y) {
    p.drawRect(QRectF(3, 3.5 + y * 2.6, 1, 1));
    p.drawRect(QRectF(12, 3.5 + y * 2.6, 1, 1));
  }
  p.setBrush(QColor(255, 245, 220));
  p.drawRect(QRectF(5, 4.5, 6, 7));
}

// The frame every area kind is drawn in.
void DrawAreaFrame(QPainter& p) {
  p.setPen(ArtOutline());
  p.setBrush(QColor(235, 245, 252));
  p.drawRect(QRectF(1, 1.5, 14, 13));
}

void DrawText(QPainter& p, const QString& text, int pixels, const QRectF& box) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(pixels);
  font.setBold(true);
  p.setFont(font);
  p.setPen(kRed);
  p.drawText(box, Qt::AlignCenter, text);
}

void DrawClockFace(QPainter& p) {
  p.setPen(ArtOutline());
  p.setBrush(Qt::white);
  p.drawEllipse(QPointF(8, 8), 5.5, 5.5);
  p.drawLine(QPointF(8, 8), QPointF(8, 4.5));
  p.drawLine(QPointF(8, 8), QPointF(10.5, 9.5));
}

void DrawAreaKind(QPainter& p, int kind) {
  DrawAreaFrame(p);
  switch (kind) {
    case 1:  // single line
      DrawText(p, QStringLiteral("A"), 10, QRectF(1, 2, 14, 12));
      p.setPen(QPen(kArtBlue, 1.2));
      p.drawLine(QPointF(3, 13), QPointF(13, 13));
      break;
    case 2:  // image-text
      p.setPen(Qt::NoPen);
      p.setBrush(kGreen);
      p.drawPolygon(QPolygonF({{2.5, 13}, {6, 8}, {9, 13}}));
      p.setBrush(QColor(250, 190, 40));
      p.drawEllipse(QPointF(11, 5.5), 1.8, 1.8);
      p.setPen(QPen(kArtDark, 1));
      p.drawLine(QPointF(10, 10), QPointF(13.5, 10));
      p.drawLine(QPointF(10, 12.5), QPointF(13.5, 12.5));
      break;
    case 3:  // flash words
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(250, 190, 40));
      p.drawPolygon(QPolygonF({{9.5, 2.5}, {4, 9}, {7.5, 9}, {6, 14}, {12, 6.5}, {8.5, 6.5}}));
      break;
    case 4:  // digital clock
      DrawText(p, QStringLiteral("12"), 7, QRectF(1, 2, 14, 12));
      break;
    case 5:  // analog clock
      DrawClockFace(p);
      break;
    case 6:  // countdown
      p.setPen(ArtOutline());
      p.setBrush(QColor(250, 220, 150));
      p.drawPolygon(QPolygonF({{4, 3}, {12, 3}, {8, 8}}));
      p.drawPolygon(QPolygonF({{4, 13}, {12, 13}, {8, 8}}));
      break;
    case 7:  // files
      p.setPen(ArtOutline());
      p.setBrush(Qt::white);
      p.drawPolygon(QPolygonF({{4, 3}, {9.5, 3}, {12, 5.5}, {12, 13}, {4, 13}}));
      p.setBrush(QColor(120, 180, 230));
      p.drawRect(QRectF(5.5, 8, 5, 3.5));
      break;
    default: break;
  }
}

void DrawArrow(QPainter& p, bool up) {
  p.setPen(Qt::NoPen);
  p.setBrush(kArtBlue);
  const qreal tip = up ? 2 : 14;
  const qreal base = 8;
  const qreal tail = up ? 14 : 2;
  p.drawPolygon(QPolygonF(
      {{8, tip}, {14, base}, {10.5, base}, {10.5, tail}, {5.5, tail}, {5.5, base}, {2, base}}));
}

void DrawPageArt(QPainter& p, PageArt art) {
  switch (art) {
    case PageArt::AddProgram:
    case PageArt::AddArea:
      if (art == PageArt::AddProgram) {
        DrawProgram(p);
      } else {
        DrawAreaFrame(p);
      }
      p.setPen(QPen(kGreen, 2.4, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(12, 9), QPointF(12, 15));
      p.drawLine(QPointF(9, 12), QPointF(15, 12));
      break;
    case PageArt::Delete:
      p.setPen(QPen(kRed, 2.6, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
      p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
      break;
    case PageArt::MoveUp: DrawArrow(p, true); break;
    case PageArt::MoveDown: DrawArrow(p, false); break;
    case PageArt::BorderTab:
      p.setPen(QPen(kRed, 2.2));
      p.setBrush(Qt::NoBrush);
      p.drawRect(QRectF(2, 3, 12, 10));
      p.setPen(QPen(QColor(250, 190, 40), 2.2, Qt::DotLine));
      p.drawRect(QRectF(2, 3, 12, 10));
      break;
    case PageArt::BackgroundTab:
      p.setPen(ArtOutline());
      p.setBrush(QColor(120, 180, 230));
      p.drawRect(QRectF(2, 3, 12, 10));
      p.setPen(Qt::NoPen);
      p.setBrush(Qt::white);
      p.drawEllipse(QPointF(6, 7), 1.8, 1.8);
      p.drawEllipse(QPointF(11, 10), 1.2, 1.2);
      break;
  }
}

}  // namespace

QImage PaintTreeImage(int image, int size) {
  if (image < 0 || image >= kTreeImageCount) return {};
  return PaintInDesignSpace(size, false, [image](QPainter& p) {
    if (image == 0) {
      DrawScreen(p);
    } else if (image == 1) {
      DrawProgram(p);
    } else {
      DrawAreaKind(p, image - 1);
    }
  });
}

QImage PaintPageArt(PageArt art, int size, bool onWhite) {
  return PaintInDesignSpace(size, onWhite, [art](QPainter& p) { DrawPageArt(p, art); });
}
