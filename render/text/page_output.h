#pragma once
// What every rich-text renderer does around its drawing: the checks and the loading
// of the RTF file before anything is written, the zoom clamp, the drawing surface,
// the copy of each finished surface into a frame of the frame file, and the page
// limit (MaxTextPages), past which no frame is written.

#include <QImage>
#include <QString>

#include "render/frame/pak_writer.h"
#include "render/raster/dib24.h"
#include "render/text/rich_text.h"
#include "render/text/rtf_render.h"

class PageOutput {
 public:
  // pageLimit, when given, is cleared now and set by a Finish that completes a file
  // holding MaxPages() frames.
  PageOutput(const RtfRenderInput& input, bool* pageLimit);

  // Loads rtfPath into text, breaking lines at the width + 4 the control's formatting
  // rectangle gave, and starts the frame file. False, with nothing written and the
  // file at pakPath untouched, when there is no text, the size is not a picture size
  // or the RTF file cannot be read; false also when the frame file cannot be created.
  [[nodiscard]] bool Start(const QString& rtfPath, const QString& pakPath, RichText* text);

  const RtfRenderInput& Input() const { return input_; }
  // The zoom after the clamp: at most height / 2 - 1.
  int Zoom() const { return zoom_; }
  // A surface of the area's size, for the renderer to draw on.
  QImage& Surface() { return surface_; }

  // Appends a frame: the surface's rows from sourceTop (the zoom, or less to centre
  // the page), usable height of them stretched over the frame's height and moved up
  // by the offset, columns [0, columns) one to one; every other pixel, and every row
  // taken from outside the surface, is background. False, appending nothing, once
  // the file is Full().
  [[nodiscard]] bool AppendPage(int sourceTop, int columns);
  // Completes the file. False when it cannot be written.
  [[nodiscard]] bool Finish(int lastExtent);
  int Frames() const { return writer_.FramesWritten(); }
  // The page limit at the area's size, and whether the file has reached it.
  int MaxPages() const { return maxPages_; }
  bool Full() const { return Frames() >= maxPages_; }

 private:
  RtfRenderInput input_;
  bool* pageLimit_;
  int maxPages_;
  int zoom_;
  int usableHeight_;
  QImage surface_;
  Dib24 frame_;
  PakWriter writer_;
};
