#include "render/raster/picture_on_background.h"

#include <QPainter>

#include "render/raster/pixel_rect.h"
#include "render/raster/stretch_image.h"

QImage PictureOnBackground(const QImage& image, int width, int height, QRgb background) {
  if (image.isNull()) return {};
  QImage opaque(image.size(), QImage::Format_RGB32);
  if (opaque.isNull()) return {};
  opaque.fill(background);
  QPainter painter(&opaque);
  painter.drawImage(0, 0, image);
  if (!painter.end()) return {};
  if (opaque.width() == width && opaque.height() == height) return opaque;
  QImage target(width, height, QImage::Format_RGB32);
  if (target.isNull() ||
      !StretchNearest(opaque, PixelRectOfSize(opaque.width(), opaque.height()), target,
                      PixelRectOfSize(width, height), NearestCopy::kOpaque)) {
    return {};
  }
  return target;
}
