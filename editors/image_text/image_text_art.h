#pragma once
// The image-text page's pictures, drawn by the program: one per page kind (the add
// buttons and the list's icons) and one per page command.

#include <QImage>

enum class ImageTextArt {
  Document,
  Text,
  Caption,
  Table,
  Edit,
  Delete,
  Clear,
  SameProperties,
};

// The picture at size x size pixels, transparent or on white (a toolbar's).
QImage PaintImageTextArt(ImageTextArt art, int size, bool onWhite = false);
