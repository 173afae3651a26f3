#include "render/text/page_output.h"

#include <algorithm>

#include "render/raster/fill_rect.h"
#include "render/raster/stretch.h"

namespace {

// Keeps zoom and offset far from the ends of int, so the rows they name can be
// computed; no picture has rows out there.
constexpr int kMaxRowShift = 1 << 28;

int ClampedZoom(const RtfRenderInput& input) {
  int zoom = std::max(input.zoom, -kMaxRowShift);
  if (zoom >= input.height / 2) zoom = input.height / 2 - 1;
  return zoom;
}

}  // namespace

PageOutput::PageOutput(const RtfRenderInput& input, bool* pageLimit)
    : input_(input),
      pageLimit_(pageLimit),
      maxPages_(MaxTextPages(input.width, input.height)),
      zoom_(ClampedZoom(input)),
      usableHeight_(input.height - 2 * zoom_) {
  input_.offset = std::clamp(input.offset, -kMaxRowShift, kMaxRowShift);
  if (pageLimit_ != nullptr) *pageLimit_ = false;
}

bool PageOutput::Start(const QString& rtfPath, const QString& pakPath, RichText* text) {
  if (text == nullptr || !Dib24::IsValidSize(input_.width, input_.height)) return false;
  text->SetFormattingWidth(input_.width + 4);
  if (!text->LoadRtfFile(rtfPath)) return false;
  surface_ = QImage(input_.width, input_.height, QImage::Format_RGB32);
  frame_ = Dib24(input_.width, input_.height);
  if (surface_.isNull() || frame_.IsNull()) return false;
  return writer_.Open(pakPath, input_.width, input_.height, input_.backColor);
}

bool PageOutput::AppendPage(int sourceTop, int columns) {
  if (Full()) return false;
  // The stretch covers the frame unless the page is narrower or moved.
  if (columns < input_.width || input_.offset != 0) {
    FillRect(frame_, PixelRectOfSize(input_.width, input_.height), input_.backColor);
  }
  sourceTop = std::clamp(sourceTop, -kMaxRowShift, kMaxRowShift);
  const PixelRect source{0, sourceTop, columns, sourceTop + usableHeight_};
  const PixelRect target{0, -input_.offset, columns, input_.height - input_.offset};
  return StretchNearest(surface_, source, frame_, target, input_.backColor) &&
         writer_.AppendFrame(frame_);
}

bool PageOutput::Finish(int lastExtent) {
  if (!writer_.Finish(lastExtent)) return false;
  if (pageLimit_ != nullptr) *pageLimit_ = Full();
  return true;
}
