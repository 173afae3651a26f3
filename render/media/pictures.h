#pragma once
// A still picture of a media item: read once at load, drawn over black, stretched
// nearest-neighbour to the area and reduced to the current screen's colours; copied
// into the area at each drawing.

#include <QImage>
#include <QString>

class CPictures {
 public:
  // Reads the picture at path for width x height. 1 when loaded; 0 when it is
  // missing, cannot be decoded (a picture that claims a size beyond Qt's allocation
  // limit is refused before any pixel is decoded), or the picture cannot be made.
  [[nodiscard]] int Load(const QString& path, int width, int height);
  // Copies the picture onto (0, 0, width, height) of dc: one to one when the sizes
  // match, else stretched nearest-neighbour.
  void Draw(int width, int height, QImage& dc) const;

 private:
  QImage picture_;
  int width_ = 0;
  int height_ = 0;
};
