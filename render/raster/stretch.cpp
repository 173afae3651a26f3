#include "render/raster/stretch.h"

#include <QRgb>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

// The source index for each target index of the clipped range [first, last) of a
// target run of targetLength pixels, taken from a source run starting at sourceStart.
std::vector<int> NearestIndices(int first, int last, int targetStart, int targetLength,
                                int sourceStart, int sourceLength) {
  std::vector<int> indices;
  indices.reserve(static_cast<size_t>(last - first));
  for (int i = first; i < last; ++i) {
    const std::int64_t offset = std::int64_t{i - targetStart} * sourceLength / targetLength;
    indices.push_back(sourceStart + static_cast<int>(offset));
  }
  return indices;
}

// The part of targetRect inside a target of the given size, with the source column of
// each of its columns and the source row of each of its rows.
struct NearestMap {
  PixelRect part;
  std::vector<int> columns;
  std::vector<int> rows;
};

NearestMap MapNearest(const PixelRect& sourceRect, const PixelRect& targetRect, int targetWidth,
                      int targetHeight) {
  NearestMap map;
  map.part = targetRect.Intersected(PixelRectOfSize(targetWidth, targetHeight));
  if (map.part.IsEmpty()) return map;
  map.columns = NearestIndices(map.part.left, map.part.right, targetRect.left,
                               targetRect.Width(), sourceRect.left, sourceRect.Width());
  map.rows = NearestIndices(map.part.top, map.part.bottom, targetRect.top, targetRect.Height(),
                            sourceRect.top, sourceRect.Height());
  return map;
}

}  // namespace

bool StretchNearest(const Dib24& source, const PixelRect& sourceRect, QImage& target,
                    const PixelRect& targetRect) {
  const PixelRect whole = PixelRectOfSize(source.Width(), source.Height());
  if (sourceRect.IsEmpty() || sourceRect.Intersected(whole) != sourceRect) return false;
  if (target.format() != QImage::Format_RGB32 && target.format() != QImage::Format_ARGB32) {
    return false;
  }
  if (targetRect.IsEmpty()) return true;
  const auto [part, columns, rows] =
      MapNearest(sourceRect, targetRect, target.width(), target.height());
  for (size_t row = 0; row < rows.size(); ++row) {
    auto* line = reinterpret_cast<QRgb*>(target.scanLine(part.top + static_cast<int>(row))) +
                 part.left;
    for (size_t column = 0; column < columns.size(); ++column) {
      const std::uint8_t* pixel = source.PixelAddress(columns[column], rows[row]);
      line[column] = qRgb(pixel[2], pixel[1], pixel[0]);
    }
  }
  return true;
}

bool StretchNearest(const QImage& source, const PixelRect& sourceRect, Dib24& target,
                    const PixelRect& targetRect, ColorRef outside) {
  if (sourceRect.IsEmpty()) return false;
  if (source.format() != QImage::Format_RGB32 && source.format() != QImage::Format_ARGB32) {
    return false;
  }
  if (targetRect.IsEmpty()) return true;
  const auto [part, columns, rows] =
      MapNearest(sourceRect, targetRect, target.Width(), target.Height());
  const std::uint8_t fill[3] = {static_cast<std::uint8_t>(ColorRefBlue(outside)),
                                static_cast<std::uint8_t>(ColorRefGreen(outside)),
                                static_cast<std::uint8_t>(ColorRefRed(outside))};
  const int sourceWidth = source.width();
  const int sourceHeight = source.height();
  for (size_t row = 0; row < rows.size(); ++row) {
    const bool rowInside = rows[row] >= 0 && rows[row] < sourceHeight;
    const auto* line =
        rowInside ? reinterpret_cast<const QRgb*>(source.constScanLine(rows[row])) : nullptr;
    std::uint8_t* pixel = target.PixelAddress(part.left, part.top + static_cast<int>(row));
    for (size_t column = 0; column < columns.size(); ++column, pixel += 3) {
      const int x = columns[column];
      if (line == nullptr || x < 0 || x >= sourceWidth) {
        std::copy(fill, fill + 3, pixel);
        continue;
      }
      pixel[0] = static_cast<std::uint8_t>(qBlue(line[x]));
      pixel[1] = static_cast<std::uint8_t>(qGreen(line[x]));
      pixel[2] = static_cast<std::uint8_t>(qRed(line[x]));
    }
  }
  return true;
}
