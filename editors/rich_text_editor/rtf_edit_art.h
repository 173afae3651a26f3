#pragma once
// The rich-text editor's pictures, drawn by the program: the toolbar's edit commands
// and the paragraph buttons.

#include <QImage>

enum class RtfArt {
  Copy,
  Cut,
  Paste,
  Delete,
  SelectAll,
  Undo,
  AlignLeft,
  AlignCentre,
  AlignRight,
  Vertical,
};

// The picture at size x size pixels, transparent or on white (a toolbar's).
QImage PaintRtfArt(RtfArt art, int size, bool onWhite = false);
