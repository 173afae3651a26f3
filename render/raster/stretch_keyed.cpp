#include "render/raster/stretch_keyed.h"

#include <QRgb>

#include <cstdint>

namespace {

// Walks a clipped range of a target run of targetLength pixels from its first index
// on, giving for each the source index sourceStart + i x sourceLength / targetLength
// (i counted from the run's start) with one division at the start and none per step.
class NearestWalk {
 public:
  NearestWalk(int first, int targetStart, int targetLength, int sourceStart, int sourceLength)
      : length_(targetLength),
        whole_(sourceLength / targetLength),
        part_(sourceLength % targetLength) {
    const std::int64_t offset = std::int64_t{first - targetStart} * sourceLength;
    index_ = sourceStart + static_cast<int>(offset / targetLength);
    remainder_ = static_cast<int>(offset % targetLength);
  }

  int Index() const { return index_; }

  void Next() {
    index_ += whole_;
    remainder_ += part_;
    if (remainder_ >= length_) {
      remainder_ -= length_;
      ++index_;
    }
  }

 private:
  int length_;
  int whole_;
  int part_;
  int index_ = 0;
  int remainder_ = 0;
};

}  // namespace

bool StretchNearestKeyed(const Dib24& source, const PixelRect& sourceRect, QImage& target,
                         const PixelRect& targetRect) {
  const PixelRect whole = PixelRectOfSize(source.Width(), source.Height());
  if (sourceRect.IsEmpty() || sourceRect.Intersected(whole) != sourceRect) return false;
  if (target.format() != QImage::Format_RGB32 && target.format() != QImage::Format_ARGB32) {
    return false;
  }
  if (targetRect.IsEmpty()) return true;
  const PixelRect part = targetRect.Intersected(PixelRectOfSize(target.width(), target.height()));
  if (part.IsEmpty()) return true;

  NearestWalk rows(part.top, targetRect.top, targetRect.Height(), sourceRect.top,
                   sourceRect.Height());
  for (int y = part.top; y < part.bottom; ++y, rows.Next()) {
    const std::uint8_t* sourceRow = source.PixelAddress(0, rows.Index());
    auto* line = reinterpret_cast<QRgb*>(target.scanLine(y));
    NearestWalk columns(part.left, targetRect.left, targetRect.Width(), sourceRect.left,
                        sourceRect.Width());
    for (int x = part.left; x < part.right; ++x, columns.Next()) {
      const std::uint8_t* pixel = sourceRow + std::int64_t{columns.Index()} * 3;
      if ((pixel[0] | pixel[1] | pixel[2]) != 0) line[x] = qRgb(pixel[2], pixel[1], pixel[0]);
    }
  }
  return true;
}
