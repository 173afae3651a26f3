#include "editors/rich_text_editor/rtf_edit_art.h"

#include <QPainter>
#include <QPainterPath>

#include "controls/shell/art_painter.h"

namespace {

const QColor kPaper(250, 250, 250);
const QColor kRed(200, 50, 40);

// Four lines of text, placed by how each line of a given length starts.
void DrawLines(QPainter& p, qreal (*start)(qreal length)) {
  constexpr qreal kLengths[] = {12, 8, 12, 6};
  for (int line = 0; line < 4; ++line) {
    const qreal y = 3 + 3.3 * line;
    p.drawLine(QPointF(start(kLengths[line]), y),
               QPointF(start(kLengths[line]) + kLengths[line], y));
  }
}

void DrawArt(QPainter& p, RtfArt art) {
  p.setPen(ArtOutline());
  switch (art) {
    case RtfArt::Copy:
      p.setBrush(kPaper);
      p.drawRect(QRectF(2, 2, 8, 9));
      p.drawRect(QRectF(6, 5, 8, 9));
      break;
    case RtfArt::Cut:
      p.drawLine(QPointF(5, 2), QPointF(10.5, 11));
      p.drawLine(QPointF(11, 2), QPointF(5.5, 11));
      p.setBrush(kArtBlue);
      p.drawEllipse(QPointF(4.5, 12.5), 2.2, 2.2);
      p.drawEllipse(QPointF(11.5, 12.5), 2.2, 2.2);
      break;
    case RtfArt::Paste:
      p.setBrush(QColor(200, 150, 90));
      p.drawRect(QRectF(2.5, 2.5, 11, 12));
      p.setBrush(kPaper);
      p.drawRect(QRectF(5, 5, 8, 8.5));
      p.setBrush(kArtDark);
      p.drawRect(QRectF(6, 1.5, 4, 2));
      break;
    case RtfArt::Delete:
      p.setPen(QPen(kRed, 2.2, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(4, 4), QPointF(12, 12));
      p.drawLine(QPointF(12, 4), QPointF(4, 12));
      break;
    case RtfArt::SelectAll:
      p.setPen(QPen(kArtDark, 1, Qt::DashLine));
      p.drawRect(QRectF(1.5, 1.5, 13, 13));
      p.setPen(QPen(kArtBlue, 1.6, Qt::SolidLine, Qt::RoundCap));
      DrawLines(p, [](qreal) { return qreal(3.5); });
      break;
    case RtfArt::Undo: {
      p.setPen(ArtOutline(1.6));
      QPainterPath path(QPointF(4, 7));
      path.cubicTo(QPointF(7, 3), QPointF(14, 4), QPointF(13, 10));
      p.drawPath(path);
      p.setBrush(kArtDark);
      p.drawPolygon(QPolygonF({{1.5, 8}, {6.5, 9}, {4.5, 4}}));
      break;
    }
    case RtfArt::AlignLeft:
      p.setPen(ArtOutline(1.5));
      DrawLines(p, [](qreal) { return qreal(2); });
      break;
    case RtfArt::AlignCentre:
      p.setPen(ArtOutline(1.5));
      DrawLines(p, [](qreal length) { return 8 - length / 2; });
      break;
    case RtfArt::AlignRight:
      p.setPen(ArtOutline(1.5));
      DrawLines(p, [](qreal length) { return 14 - length; });
      break;
    case RtfArt::Vertical:
      p.setPen(ArtOutline(1.5));
      for (int column = 0; column < 3; ++column) {
        const qreal x = 12 - 4 * column;
        p.drawLine(QPointF(x, 2), QPointF(x, column == 1 ? 9 : 14));
      }
      p.setPen(QPen(kArtBlue, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      p.drawPolyline(QPolygonF({{1.5, 11}, {2.5, 14}, {3.5, 11}}));
      break;
  }
}

}  // namespace

QImage PaintRtfArt(RtfArt art, int size, bool onWhite) {
  return PaintInDesignSpace(size, onWhite, [art](QPainter& p) { DrawArt(p, art); });
}
