#include "render/media/pictures.h"

#include "render/media/color_reduction.h"
#include "render/raster/picture_file.h"
#include "render/raster/picture_on_background.h"
#include "render/raster/pixel_rect.h"
#include "render/raster/stretch_image.h"

int CPictures::Load(const QString& path, int width, int height) {
  PictureFile file;
  if (!file.Read(path)) return 0;
  QImage picture = PictureOnBackground(file.Reader().read(), width, height);
  if (picture.isNull()) return 0;
  ReduceColors(picture, CurrentLedColor());
  picture_ = std::move(picture);
  width_ = width;
  height_ = height;
  return 1;
}

void CPictures::Draw(int width, int height, QImage& dc) const {
  if (picture_.isNull()) return;
  (void)StretchNearest(picture_, PixelRectOfSize(width_, height_), dc,
                       PixelRectOfSize(width, height), NearestCopy::kOpaque);
}
