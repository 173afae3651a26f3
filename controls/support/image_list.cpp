#include "controls/support/image_list.h"

int ImageList::Add(const QImage& image) {
  if (image.isNull()) return -1;
  images_.push_back(image.size() == imageSize_ ? image : image.scaled(imageSize_));
  return GetImageCount() - 1;
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
