#include "render/raster/fill_rect.h"

#include <QPainter>

void FillRect(Dib24& picture, const PixelRect& rect, ColorRef color) {
  const PixelRect part = rect.Intersected(PixelRectOfSize(picture.Width(), picture.Height()));
  for (int y = part.top; y < part.bottom; ++y) {
    for (int x = part.left; x < part.right; ++x) picture.SetPixel(x, y, color);
  }
}

void FillRect(QImage& target, const PixelRect& rect, ColorRef color) {
  const PixelRect part = rect.Intersected(PixelRectOfSize(target.width(), target.height()));
  if (part.IsEmpty()) return;
  QPainter painter(&target);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.fillRect(part.ToQRect(), QColor::fromRgb(ColorRefToQRgb(color)));
}
