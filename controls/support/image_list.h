#pragma once
// A list of same-sized images that controls draw by index (the grid's cell images,
// toolbar buttons, list-box icons). A control keeps a pointer to a caller's list and
// never owns it, unless it says so.

#include <QImage>
#include <QPainter>
#include <QSize>

#include <vector>

#include "render/raster/color_ref.h"
#include "render/raster/pixel_rect.h"

class ImageList {
 public:
  explicit ImageList(QSize imageSize) : imageSize_(imageSize) {}

  // Adds an image, scaled to the list's size; returns its index, -1 for a null image.
  int Add(const QImage& image);
  // Adds an image whose pixels of the mask colour become transparent.
  int AddMasked(const QImage& image, ColorRef maskColor);
  int GetImageCount() const { return static_cast<int>(images_.size()); }

  QSize ImageSize() const { return imageSize_; }
  // The image at the index; a null image for an index out of range.
  QImage GetImage(int index) const;

  // The image's rectangle in GDI's inclusive form (0, 0, width - 1, height - 1), as the
  // controls' size rules expect; false for an index out of range.
  [[nodiscard]] bool GetImageRect(int index, PixelRect* rect) const;

  // Draws the image with its top-left corner at the point; false for a bad index.
  [[nodiscard]] bool Draw(QPainter& painter, int index, QPoint topLeft) const;

 private:
  QSize imageSize_;
  std::vector<QImage> images_;
};
