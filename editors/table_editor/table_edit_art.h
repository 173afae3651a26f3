#pragma once
// The table editor's pictures, drawn by the program: the toolbar's table commands and
// the alignment buttons.

#include <QImage>

enum class TableArt {
  InsertRow,
  InsertColumn,
  DeleteRows,
  DeleteColumns,
  Merge,
  Split,
  Apply,
  AlignLeft,
  AlignCentre,
  AlignRight,
  AlignTop,
  AlignMiddle,
};

// The picture at size x size pixels, transparent or on white (a toolbar's).
QImage PaintTableArt(TableArt art, int size, bool onWhite = false);
