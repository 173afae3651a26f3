#include "render/raster/stretch.h"

#include <QRgb>

#include <algorithm>
#include <cstdint>

#include "render/raster/band_copy.h"

namespace {

// The source indices of the target indices first, first + 1, ... of a target run of
// targetLength pixels starting at targetStart, taken from a source run of sourceLength
// pixels starting at sourceStart: sourceStart + (i - targetStart) x sourceLength /
// targetLength, stepped without a division per pixel.
class NearestWalk {
 public:
  NearestWalk(int first, int targetStart, int targetLength, int sourceStart, int sourceLength)
      : whole_(sourceLength / targetLength),
        part_(sourceLength % targetLength),
        length_(targetLength) {
    const std::int64_t offset = std::int64_t{first - targetStart} * sourceLength;
    index_ = sourceStart + static_cast<int>(offset / targetLength);
    rest_ = static_cast<int>(offset % targetLength);
  }

  int Index() const { return index_; }
  // Without a branch: whether the remainder carries follows no pattern the processor
  // could predict.
  void Advance() {
    rest_ += part_;
    const int carry = rest_ >= length_ ? 1 : 0;
    index_ += whole_ + carry;
    rest_ -= carry * length_;
  }

 private:
  int whole_;
  int part_;
  int length_;
  int index_ = 0;
  int rest_ = 0;
};

bool Is32Bit(const QImage& picture) {
  return picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32;
}

// The checks both pictures share: the part of target to draw, empty when nothing is to
// be drawn; false when the call fails.
bool TargetPart(const PixelRect& sourceRect, const PixelRect& sourceWhole, const QImage& target,
                const PixelRect& targetRect, PixelRect& part) {
  if (sourceRect.IsEmpty() || sourceRect.Intersected(sourceWhole) != sourceRect) return false;
  if (!Is32Bit(target)) return false;
  part = targetRect.IsEmpty()
             ? PixelRect{}
             : targetRect.Intersected(PixelRectOfSize(target.width(), target.height()));
  return true;
}

// Columns per slice of a 32-bit stretch: the source columns of one slice live on the
// stack (8 KiB).
constexpr int kSliceColumns = 2048;

// The slice (at most kSliceColumns wide, inside targetRect and target) of a 32-bit
// stretch.
void StretchSlice(const QImage& source, const PixelRect& sourceRect, QImage& target,
                  const PixelRect& targetRect, const PixelRect& slice) {
  const int width = slice.Width();
  const bool sameWidth = sourceRect.Width() == targetRect.Width();
  int columns[kSliceColumns];
  NearestWalk column(slice.left, targetRect.left, targetRect.Width(), sourceRect.left,
                     sourceRect.Width());
  const int firstColumn = column.Index();
  if (!sameWidth) {
    for (int x = 0; x < width; ++x, column.Advance()) columns[x] = column.Index();
  }

  uchar* targetBits = target.bits();
  const qsizetype targetStride = target.bytesPerLine();
  NearestWalk row(slice.top, targetRect.top, targetRect.Height(), sourceRect.top,
                  sourceRect.Height());
  int previousSourceRow = -1;
  for (int y = slice.top; y < slice.bottom; ++y, row.Advance()) {
    QRgb* out = reinterpret_cast<QRgb*>(targetBits + y * targetStride) + slice.left;
    if (row.Index() == previousSourceRow) {
      // An enlarged row repeats the row above it.
      CopyPixels(out, reinterpret_cast<QRgb*>(targetBits + (y - 1) * targetStride) + slice.left,
                 width);
      continue;
    }
    previousSourceRow = row.Index();
    const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(row.Index()));
    if (sameWidth) {
      CopyPixels(out, in + firstColumn, width);
    } else if (sourceRect.Width() == 1) {
      std::fill_n(out, width, in[firstColumn]);
    } else {
      for (int x = 0; x < width; ++x) out[x] = in[columns[x]];
    }
  }
}

}  // namespace

bool StretchNearest(const Dib24& source, const PixelRect& sourceRect, QImage& target,
                    const PixelRect& targetRect) {
  PixelRect part;
  if (!TargetPart(sourceRect, PixelRectOfSize(source.Width(), source.Height()), target,
                  targetRect, part)) {
    return false;
  }
  if (part.IsEmpty()) return true;

  NearestWalk row(part.top, targetRect.top, targetRect.Height(), sourceRect.top,
                  sourceRect.Height());
  for (int y = part.top; y < part.bottom; ++y, row.Advance()) {
    auto* line = reinterpret_cast<QRgb*>(target.scanLine(y));
    NearestWalk column(part.left, targetRect.left, targetRect.Width(), sourceRect.left,
                       sourceRect.Width());
    for (int x = part.left; x < part.right; ++x, column.Advance()) {
      const std::uint8_t* pixel = source.PixelAddress(column.Index(), row.Index());
      line[x] = qRgb(pixel[2], pixel[1], pixel[0]);
    }
  }
  return true;
}

bool StretchNearest(const QImage& source, const PixelRect& sourceRect, QImage& target,
                    const PixelRect& targetRect) {
  PixelRect part;
  if (!Is32Bit(source) ||
      !TargetPart(sourceRect, PixelRectOfSize(source.width(), source.height()), target,
                  targetRect, part)) {
    return false;
  }
  // The target is drawn in slices of columns whose source columns are found once, for
  // every row of the slice: stepping the index is a chain of dependent operations that
  // would cost more than the copy if it ran for every pixel.
  for (int left = part.left; left < part.right; left += kSliceColumns) {
    const PixelRect slice{left, part.top, std::min(left + kSliceColumns, part.right),
                          part.bottom};
    StretchSlice(source, sourceRect, target, targetRect, slice);
  }
  return true;
}

bool StretchNearest(const QImage& source, const PixelRect& sourceRect, Dib24& target,
                    const PixelRect& targetRect, ColorRef outside) {
  if (sourceRect.IsEmpty() || !Is32Bit(source)) return false;
  if (targetRect.IsEmpty()) return true;
  const PixelRect part = targetRect.Intersected(PixelRectOfSize(target.Width(), target.Height()));
  if (part.IsEmpty()) return true;

  const std::uint8_t fill[3] = {static_cast<std::uint8_t>(ColorRefBlue(outside)),
                                static_cast<std::uint8_t>(ColorRefGreen(outside)),
                                static_cast<std::uint8_t>(ColorRefRed(outside))};
  const int sourceWidth = source.width();
  const int sourceHeight = source.height();
  NearestWalk row(part.top, targetRect.top, targetRect.Height(), sourceRect.top,
                  sourceRect.Height());
  for (int y = part.top; y < part.bottom; ++y, row.Advance()) {
    const bool rowInside = row.Index() >= 0 && row.Index() < sourceHeight;
    const auto* line =
        rowInside ? reinterpret_cast<const QRgb*>(source.constScanLine(row.Index())) : nullptr;
    std::uint8_t* pixel = target.PixelAddress(part.left, y);
    NearestWalk column(part.left, targetRect.left, targetRect.Width(), sourceRect.left,
                       sourceRect.Width());
    for (int x = part.left; x < part.right; ++x, column.Advance(), pixel += 3) {
      const int from = column.Index();
      if (line == nullptr || from < 0 || from >= sourceWidth) {
        std::copy(fill, fill + 3, pixel);
        continue;
      }
      pixel[0] = static_cast<std::uint8_t>(qBlue(line[from]));
      pixel[1] = static_cast<std::uint8_t>(qGreen(line[from]));
      pixel[2] = static_cast<std::uint8_t>(qRed(line[from]));
    }
  }
  return true;
}
