#include "controls/support/image_list.h"

int ImageList::Add(const QImage& image) {
  if (image.isNull()) return -1;
  images_.push_back(image.size() == imageSize_ ? image : image.scaled(imageSize_));
  return GetImageCount() - 1;
}

int ImageList::AddMasked(const QImage& image, ColorRef maskColor) {
  QImage masked = image.convertToFormat(QImage::Format_ARGB32);
  const QRgb mask = ColorRefToQRgb(maskColor);
  for (int y = 0; y < masked.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(masked.scanLine(y));
    for (int x = 0; x < masked.width(); ++x) {
      if ((line[x] | 0xFF000000u) == mask) line[x] = 0;
    }
  }
  return Add(masked);
}

QImage ImageList::GetImage(int index) const {
  if (index < 0 || index >= GetImageCount()) return {};
  return images_[static_cast<std::size_t>(index)];
}

bool ImageList::GetImageRect(int index, PixelRect* rect) const {
  if (index < 0 || index >= GetImageCount() || rect == nullptr) return false;
  *rect = {0, 0, imageSize_.width() - 1, imageSize_.height() - 1};
  return true;
}

bool ImageList::Draw(QPainter& painter, int index, QPoint topLeft) const {
  if (index < 0 || index >= GetImageCount()) return false;
  painter.drawImage(topLeft, images_[static_cast<std::size_t>(index)]);
  return true;
}
