#pragma once
// The borders the preview draws round what it plays, built from the project's current
// selection, on the preview's picture.

#include <memory>
#include <vector>

#include "render/borders/border_renderer.h"
#include "render/raster/pixel_rect.h"

// The preview's borders: the rectangle of the program border, which that border reads,
// and the renderers in drawing order. It stays where it is built (neither copied nor
// moved), since its program border points into it.
struct PreviewBorderList {
  PreviewBorderList() = default;
  PreviewBorderList(const PreviewBorderList&) = delete;
  PreviewBorderList& operator=(const PreviewBorderList&) = delete;

  PixelRect ProgramRect;
  std::vector<std::unique_ptr<CBorderRenderer>> Borders;
};

// Replaces the list's borders with those of the current selection, drawn on
// PreviewPicture. A program selected: the border of every area of CanvasAreaList that
// uses one, round the area's rectangle as it is at each tick, then the program's
// border round its screen, last. An area selected: its program's border only. Borders
// not in use, and the program border of a program without a screen, are left out.
// While PreviewPicture is null it builds nothing. Returns 1. The areas must stay in
// the model while the list holds their borders: whoever frees them rebuilds or frees
// the list first.
int BuildPreviewBorders(PreviewBorderList& list);

// One tick of every border of the list, in order. Returns 1.
int DrawPreviewBorders(PreviewBorderList& list);

// Deletes every border of the list.
void FreePreviewBorders(PreviewBorderList& list);
