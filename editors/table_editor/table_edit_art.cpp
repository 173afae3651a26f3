#include "editors/table_editor/table_edit_art.h"

#include <QPainter>

#include "controls/shell/art_painter.h"

namespace {

const QColor kPaper(250, 250, 250);
const QColor kGreen(40, 150, 60);
const QColor kRed(200, 50, 40);

// A 3 x 3 table over (2, 2)-(14, 14); the cells of the marked row or column (-1 none)
// filled in the colour.
void DrawTable(QPainter& p, int markedRow, int markedColumn, const QColor& mark) {
  p.setPen(ArtOutline(1));
  p.setBrush(kPaper);
  p.drawRect(QRectF(2, 2, 12, 12));
  p.setBrush(mark);
  p.setPen(Qt::NoPen);
  if (markedRow >= 0) p.drawRect(QRectF(2.5, 2.5 + 4 * markedRow, 11, 3.5));
  if (markedColumn >= 0) p.drawRect(QRectF(2.5 + 4 * markedColumn, 2.5, 3.5, 11));
  p.setPen(ArtOutline(1));
  for (int line = 1; line < 3; ++line) {
    p.drawLine(QPointF(2, 2 + 4 * line), QPointF(14, 2 + 4 * line));
    p.drawLine(QPointF(2 + 4 * line, 2), QPointF(2 + 4 * line, 14));
  }
}

// Three lines of text across the width, each placed by where a line of its length starts.
void DrawLines(QPainter& p, qreal top, qreal (*start)(qreal length)) {
  constexpr qreal kLengths[] = {12, 8, 12};
  p.setPen(ArtOutline(1.5));
  for (int line = 0; line < 3; ++line) {
    const qreal y = top + 3 * line;
    p.drawLine(QPointF(start(kLengths[line]), y),
               QPointF(start(kLengths[line]) + kLengths[line], y));
  }
}

void DrawArt(QPainter& p, TableArt art) {
  switch (art) {
    case TableArt::InsertRow: DrawTable(p, 1, -1, kGreen); break;
    case TableArt::InsertColumn: DrawTable(p, -1, 1, kGreen); break;
    case TableArt::DeleteRows: DrawTable(p, 1, -1, kRed); break;
    case TableArt::DeleteColumns: DrawTable(p, -1, 1, kRed); break;
    case TableArt::Merge:
    case TableArt::Split:
      DrawTable(p, -1, -1, kPaper);
      p.setPen(QPen(kArtBlue, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      if (art == TableArt::Merge) {
        p.drawPolyline(QPolygonF({{3.5, 6}, {6, 8}, {3.5, 10}}));
        p.drawPolyline(QPolygonF({{12.5, 6}, {10, 8}, {12.5, 10}}));
      } else {
        p.drawPolyline(QPolygonF({{6, 6}, {3.5, 8}, {6, 10}}));
        p.drawPolyline(QPolygonF({{10, 6}, {12.5, 8}, {10, 10}}));
      }
      break;
    case TableArt::Apply:
      p.setPen(QPen(kGreen, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      p.drawPolyline(QPolygonF({{3, 8.5}, {6.5, 12}, {13, 4}}));
      break;
    case TableArt::AlignLeft: DrawLines(p, 5, [](qreal) { return qreal(2); }); break;
    case TableArt::AlignCentre: DrawLines(p, 5, [](qreal length) { return 8 - length / 2; }); break;
    case TableArt::AlignRight: DrawLines(p, 5, [](qreal length) { return 14 - length; }); break;
    case TableArt::AlignTop:
    case TableArt::AlignMiddle:
      p.setPen(ArtOutline(1));
      p.drawLine(QPointF(1.5, 1.5), QPointF(14.5, 1.5));
      DrawLines(p, art == TableArt::AlignTop ? 4 : 7, [](qreal length) { return 8 - length / 2; });
      p.setPen(ArtOutline(1));
      p.drawLine(QPointF(1.5, 14.5), QPointF(14.5, 14.5));
      break;
  }
}

}  // namespace

QImage PaintTableArt(TableArt art, int size, bool onWhite) {
  return PaintInDesignSpace(size, onWhite, [art](QPainter& p) { DrawArt(p, art); });
}
