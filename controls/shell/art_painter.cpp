#include "controls/shell/art_painter.h"

#include <QPainter>

const QColor kArtDark(50, 60, 75);
const QColor kArtBlue(38, 120, 200);

QPen ArtOutline(qreal width) {
  return QPen(kArtDark, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QImage PaintInDesignSpace(int size, bool onWhite, const std::function<void(QPainter&)>& draw) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(onWhite ? Qt::white : Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / 16.0, size / 16.0);
  draw(painter);
  painter.end();
  return image;
}
