#include "render/raster/stretch_image.h"

#include <QRgb>

#include <algorithm>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// A narrow copy down a large picture touches a new cache line on every row; the rows
// this far ahead are asked for early.
constexpr int kPrefetchRows = 8;

// Walks a clipped range of a target run of targetLength pixels from its first index
// on, giving for each the source index sourceStart + i x sourceLength / targetLength
// (i counted from the run's start) with one division at the start and none per step.
class NearestWalk {
 public:
  NearestWalk(int first, int targetStart, int targetLength, int sourceStart, int sourceLength)
      : length_(targetLength),
        whole_(sourceLength / targetLength),
        part_(sourceLength % targetLength) {
    const std::int64_t offset = (std::int64_t{first} - targetStart) * sourceLength;
    index_ = sourceStart + static_cast<int>(offset / targetLength);
    remainder_ = static_cast<int>(offset % targetLength);
  }

  int Index() const { return index_; }
  // True when every step moves one source pixel on.
  bool IsUnit() const { return whole_ == 1 && part_ == 0; }

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

// The pixel to write over `under`: `own` made opaque, or `under` where a keyed copy
// meets black. Chosen without a branch, since black and coloured pixels of a pattern
// alternate unpredictably, and so that the unit loop vectorises.
template <NearestCopy kCopy>
QRgb Blend(QRgb own, QRgb under) {
  if constexpr (kCopy == NearestCopy::kOpaque) {
    return own | 0xFF000000u;
  } else {
    const QRgb mask = 0u - static_cast<QRgb>((own & 0xFFFFFFu) != 0);
    return ((own | 0xFF000000u) & mask) | (under & ~mask);
  }
}

// Blend of four pixels side by side at once, where the processor has SSE2; returns
// how many leading pixels of the run it drew (a multiple of four).
template <NearestCopy kCopy>
int BlendRunInFours(const QRgb* __restrict from, QRgb* __restrict target, int count) {
#if defined(__SSE2__)
  const __m128i opaque = _mm_set1_epi32(static_cast<int>(0xFF000000u));
  const __m128i colour = _mm_set1_epi32(0x00FFFFFF);
  int i = 0;
  for (; i + 4 <= count; i += 4) {
    const __m128i own =
        _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i)), opaque);
    __m128i result = own;
    if constexpr (kCopy == NearestCopy::kKeyedOnBlack) {
      const __m128i under = _mm_loadu_si128(reinterpret_cast<const __m128i*>(target + i));
      const __m128i black = _mm_cmpeq_epi32(_mm_and_si128(own, colour), _mm_setzero_si128());
      result = _mm_or_si128(_mm_andnot_si128(black, own), _mm_and_si128(black, under));
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(target + i), result);
  }
  return i;
#else
  (void)from;
  (void)target;
  (void)count;
  return 0;
#endif
}

// Columns per slice of a stretch: the source columns of a slice that is not a unit
// walk are found once, for all its rows, and kept on the stack (8 KiB). Stepping the
// walk is a chain of dependent operations that costs more than the copy when it runs
// for every pixel.
constexpr int kSliceColumns = 2048;

// How the columns of a slice take their source columns.
enum class ColumnWalk { kUnit, kSingle, kListed };

// One row of a slice: from source + first on when every column moves one source pixel
// on, all from source[first] when the source is one column wide, else from the source
// columns listed.
template <NearestCopy kCopy>
void CopyRow(const QRgb* __restrict source, QRgb* __restrict target, int count, int first,
             ColumnWalk walk, const int* columns) {
  if (walk == ColumnWalk::kSingle) {
    const QRgb own = source[first];
    for (int i = 0; i < count; ++i) target[i] = Blend<kCopy>(own, target[i]);
    return;
  }
  if (walk == ColumnWalk::kUnit) {
    const QRgb* __restrict from = source + first;
    for (int i = BlendRunInFours<kCopy>(from, target, count); i < count; ++i) {
      target[i] = Blend<kCopy>(from[i], target[i]);
    }
    return;
  }
  for (int i = 0; i < count; ++i) target[i] = Blend<kCopy>(source[columns[i]], target[i]);
}

// The columns slice.left to slice.right - 1 (at most kSliceColumns) of the stretch.
template <NearestCopy kCopy>
void StretchSlice(const QImage& source, const PixelRect& sourceRect, QImage& target,
                  const PixelRect& targetRect, const PixelRect& slice) {
  NearestWalk walk(slice.left, targetRect.left, targetRect.Width(), sourceRect.left,
                   sourceRect.Width());
  const int first = walk.Index();
  const ColumnWalk kind = walk.IsUnit()             ? ColumnWalk::kUnit
                          : sourceRect.Width() == 1 ? ColumnWalk::kSingle
                                                    : ColumnWalk::kListed;
  int columns[kSliceColumns];
  if (kind == ColumnWalk::kListed) {
    for (int i = 0; i < slice.Width(); ++i, walk.Next()) columns[i] = walk.Index();
  }

  const uchar* const sourceBits = source.constBits();
  const qsizetype sourceStride = source.bytesPerLine();
  uchar* const bits = target.bits();
  const qsizetype stride = target.bytesPerLine();
  const qsizetype ahead = kPrefetchRows * stride;
  NearestWalk rows(slice.top, targetRect.top, targetRect.Height(), sourceRect.top,
                   sourceRect.Height());
  for (int y = slice.top; y < slice.bottom; ++y, rows.Next()) {
    uchar* line = bits + y * stride + qsizetype{slice.left} * 4;
    if (y + kPrefetchRows < slice.bottom) __builtin_prefetch(line + ahead, 1);
    CopyRow<kCopy>(reinterpret_cast<const QRgb*>(sourceBits + rows.Index() * sourceStride),
                   reinterpret_cast<QRgb*>(line), slice.Width(), first, kind, columns);
  }
}

template <NearestCopy kCopy>
void Stretch(const QImage& source, const PixelRect& sourceRect, QImage& target,
             const PixelRect& targetRect, const PixelRect& part) {
  for (int left = part.left; left < part.right; left += kSliceColumns) {
    const PixelRect slice{left, part.top, std::min(left + kSliceColumns, part.right), part.bottom};
    StretchSlice<kCopy>(source, sourceRect, target, targetRect, slice);
  }
}

bool IsThirtyTwoBit(const QImage& image) {
  return image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32;
}

}  // namespace

bool StretchNearest(const QImage& source, const PixelRect& sourceRect, QImage& target,
                    const PixelRect& targetRect, NearestCopy copy) {
  const PixelRect whole = PixelRectOfSize(source.width(), source.height());
  if (sourceRect.IsEmpty() || sourceRect.Intersected(whole) != sourceRect) return false;
  if (!IsThirtyTwoBit(source) || !IsThirtyTwoBit(target)) return false;
  if (targetRect.IsEmpty()) return true;
  const PixelRect part = targetRect.Intersected(PixelRectOfSize(target.width(), target.height()));
  if (part.IsEmpty()) return true;
  if (copy == NearestCopy::kOpaque) {
    Stretch<NearestCopy::kOpaque>(source, sourceRect, target, targetRect, part);
  } else {
    Stretch<NearestCopy::kKeyedOnBlack>(source, sourceRect, target, targetRect, part);
  }
  return true;
}
