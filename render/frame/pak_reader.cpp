#include "render/frame/pak_reader.h"

#include <algorithm>

#include "render/raster/fill_rect.h"
#include "render/raster/stretch.h"

namespace {

// Stay times are in tenths of a second; the preview ticks every 30 ms.
constexpr int kMsPerStayUnit = 100;
constexpr int kTickMs = 30;

}  // namespace

bool CPakReader::Open(const QString& path) { return frames_.Open(path); }

bool CPakReader::ReadAndCheckHeader() {
  trailingFillDone_ = 1;
  return frames_.ReadHeader() == PakCheck::Ok;
}

int CPakReader::ReadHeaderForPlay(int stay, int tickMode) {
  if (!ReadAndCheckHeader()) return 0;
  timing_.tickMode = tickMode;
  timing_.stayMs = stay * kMsPerStayUnit;
  timing_.stayTicks = stay * kMsPerStayUnit / kTickMs;
  return 1;
}

int CPakReader::ReadHeader(int trailingFill) {
  if (!ReadAndCheckHeader()) return 0;
  lastFrameWidth_ = std::clamp(Header().LastExtent, 0, Header().Width);
  trailingFillDone_ = trailingFill;
  return 1;
}

int CPakReader::DrawNextFrameStretched(QImage& target, int width, int height) {
  if (!frames_.ReadNextFrame()) return 0;
  const Dib24& frame = frames_.Frame();
  return StretchNearest(frame, PixelRectOfSize(frame.Width(), frame.Height()), target,
                        PixelRectOfSize(width, height))
             ? 1
             : 0;
}

int CPakReader::DrawNextFrame(int* drawnWidth, int* drawnHeight, QImage& target) {
  const PakFileHeader& header = Header();
  if (FramesDrawn() == header.FrameCount && trailingFillDone_ == 0) {
    FillRect(target, PixelRectOfSize(header.Width, header.Height), header.BackColor);
    *drawnWidth = header.Width;
    *drawnHeight = header.Height;
    trailingFillDone_ = 1;
    return 1;
  }
  if (!frames_.ReadNextFrame()) return 0;
  const bool last = header.FrameCount == 1 || FramesDrawn() == header.FrameCount;
  const int width = last ? lastFrameWidth_ : header.Width;
  if (width > 0) {
    const PixelRect part = PixelRectOfSize(width, header.Height);
    if (!StretchNearest(frames_.Frame(), part, target, part)) return 0;
  }
  *drawnWidth = width;
  *drawnHeight = header.Height;
  return 1;
}
