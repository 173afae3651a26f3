#include "render/raster/stretch_image.h"

#include <QRgb>

#include <algorithm>
#include <cstdint>

#include "render/raster/vector_support.h"

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

// own reduced to the screen's colours when the copy reduces.
template <bool kReduce>
QRgb Own(QRgb own, ScreenColors colors) {
  if constexpr (kReduce) {
    return ReducedPixel(own, colors);
  } else {
    return own;
  }
}

// The pixel to write over `under`: `own` made opaque, or `under` where a keyed copy
// meets black (after the reduction, so that what the screen shows dark lets the
// target through). Chosen without a branch, since black and coloured pixels of a
// pattern alternate unpredictably, and so that the unit loop vectorises.
template <NearestCopy kCopy, bool kReduce>
QRgb Blend(QRgb source, QRgb under, ScreenColors colors) {
  const QRgb own = Own<kReduce>(source, colors);
  if constexpr (kCopy == NearestCopy::kOpaque) {
    return own | 0xFF000000u;
  } else {
    const QRgb mask = 0u - static_cast<QRgb>((own & 0xFFFFFFu) != 0);
    return ((own | 0xFF000000u) & mask) | (under & ~mask);
  }
}

// Blend of four pixels side by side at once, where the processor has SSE2; returns
// how many leading pixels of the run it drew (a multiple of four).
template <NearestCopy kCopy, bool kReduce>
int BlendRunInFours(const QRgb* __restrict from, QRgb* __restrict target, int count,
                    ScreenColors colors) {
#if defined(__SSE2__)
  const __m128i opaque = _mm_set1_epi32(static_cast<int>(0xFF000000u));
  const __m128i colour = _mm_set1_epi32(0x00FFFFFF);
  // The screen's channels, one bit each at the channel's bottom.
  const __m128i low = _mm_set1_epi32(static_cast<int>(colors.channels & 0x010101u));
  int i = 0;
  for (; i + 4 <= count; i += 4) {
    __m128i own = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i));
    if constexpr (kReduce) {
      // x 255 as x x 256 - x: no channel carries into the next.
      const __m128i lit = _mm_and_si128(_mm_srli_epi32(own, 7), low);
      own = _mm_sub_epi32(_mm_slli_epi32(lit, 8), lit);
    }
    own = _mm_or_si128(own, opaque);
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
  (void)colors;
  return 0;
#endif
}

#ifdef KQ_HAVE_AVX2_PATHS
// Blend of eight pixels at once, own read from the source and under from the target.
template <NearestCopy kCopy, bool kReduce>
__attribute__((target("avx2"))) inline __m256i BlendEight(__m256i own, __m256i under,
                                                          ScreenColors colors) {
  if constexpr (kReduce) {
    const __m256i low = _mm256_set1_epi32(static_cast<int>(colors.channels & 0x010101u));
    const __m256i lit = _mm256_and_si256(_mm256_srli_epi32(own, 7), low);
    own = _mm256_sub_epi32(_mm256_slli_epi32(lit, 8), lit);
  }
  own = _mm256_or_si256(own, _mm256_set1_epi32(static_cast<int>(0xFF000000u)));
  if constexpr (kCopy == NearestCopy::kOpaque) {
    (void)under;
    return own;
  } else {
    const __m256i black = _mm256_cmpeq_epi32(_mm256_and_si256(own, _mm256_set1_epi32(0x00FFFFFF)),
                                             _mm256_setzero_si256());
    return _mm256_blendv_epi8(own, under, black);
  }
}

// The eight target pixels from at on, as the blend reads them (an opaque copy does
// not).
template <NearestCopy kCopy>
__attribute__((target("avx2"))) inline __m256i Under(const QRgb* at) {
  if constexpr (kCopy == NearestCopy::kOpaque) {
    (void)at;
    return _mm256_setzero_si256();
  } else {
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at));
  }
}

// The whole unit run: eight pixels a step, and the last up to seven through a mask, so
// that a narrow band (a border's side) takes one step a row.
template <NearestCopy kCopy, bool kReduce>
__attribute__((target("avx2"))) void BlendRunInEights(const QRgb* __restrict from,
                                                      QRgb* __restrict target, int count,
                                                      ScreenColors colors) {
  int i = 0;
  for (; i + 8 <= count; i += 8) {
    const __m256i own = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from + i));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(target + i),
                        BlendEight<kCopy, kReduce>(own, Under<kCopy>(target + i), colors));
  }
  if (i == count) return;
  // Lanes below the pixels left; the masked-off lanes are neither read nor written.
  const __m256i lanes =
      _mm256_cmpgt_epi32(_mm256_set1_epi32(count - i), _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7));
  const __m256i own = _mm256_maskload_epi32(reinterpret_cast<const int*>(from + i), lanes);
  const __m256i under = _mm256_maskload_epi32(reinterpret_cast<const int*>(target + i), lanes);
  _mm256_maskstore_epi32(reinterpret_cast<int*>(target + i), lanes,
                         BlendEight<kCopy, kReduce>(own, under, colors));
}

// An enlarging run eight pixels at a time: the eight columns listed from i on lie within
// the eight source pixels from columns[i] on, which one load reads and one permutation
// spreads. Stops before a load would pass the end of the source row (sourceWidth
// pixels); returns how many leading pixels it drew.
template <NearestCopy kCopy, bool kReduce>
__attribute__((target("avx2"))) int SpreadRunInEights(const QRgb* __restrict source,
                                                      int sourceWidth, QRgb* __restrict target,
                                                      int count, const int* columns,
                                                      ScreenColors colors) {
  int i = 0;
  for (; i + 8 <= count && columns[i] + 8 <= sourceWidth; i += 8) {
    const __m256i listed = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(columns + i));
    const __m256i within = _mm256_sub_epi32(listed, _mm256_set1_epi32(columns[i]));
    const __m256i near = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(source + columns[i]));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(target + i),
                        BlendEight<kCopy, kReduce>(_mm256_permutevar8x32_epi32(near, within),
                                                   Under<kCopy>(target + i), colors));
  }
  return i;
}
#endif

// Columns per slice of a stretch: the source columns of a slice that is not a unit
// walk are found once, for all its rows, and kept on the stack (8 KiB). Stepping the
// walk is a chain of dependent operations that costs more than the copy when it runs
// for every pixel.
constexpr int kSliceColumns = 2048;

// How the columns of a slice take their source columns: listed and spread when every
// column moves at most one source pixel on (an enlargement).
enum class ColumnWalk { kUnit, kSingle, kListed, kSpread };

// What a row copy needs beside its source and target rows.
struct RowCopy {
  int count;  // pixels in the row
  int first;  // the source column of the first
  ColumnWalk walk;
  const int* columns;  // listed source columns, for kListed and kSpread
  int sourceWidth;     // pixels readable in a source row
  bool avx2;           // the processor runs AVX2
  ScreenColors colors;
};

// Leading pixels of an enlarging row drawn eight at a time where the processor can;
// returns how many.
template <NearestCopy kCopy, bool kReduce>
int SpreadRowInEights(const QRgb* source, QRgb* target, const RowCopy& row) {
#ifdef KQ_HAVE_AVX2_PATHS
  if (row.avx2 && row.walk == ColumnWalk::kSpread) {
    return SpreadRunInEights<kCopy, kReduce>(source, row.sourceWidth, target, row.count,
                                             row.columns, row.colors);
  }
#else
  (void)source;
  (void)target;
  (void)row;
#endif
  return 0;
}

// One row of a slice: from source + first on when every column moves one source pixel
// on, all from source[first] when the source is one column wide, else from the source
// columns listed.
template <NearestCopy kCopy, bool kReduce>
void CopyRow(const QRgb* __restrict source, QRgb* __restrict target, const RowCopy& row) {
  const int count = row.count;
  const int first = row.first;
  const ColumnWalk walk = row.walk;
  const int* const columns = row.columns;
  const ScreenColors colors = row.colors;
  if (walk == ColumnWalk::kSingle) {
    const QRgb own = source[first];
    for (int i = 0; i < count; ++i) target[i] = Blend<kCopy, kReduce>(own, target[i], colors);
    return;
  }
  if (walk == ColumnWalk::kUnit) {
    const QRgb* __restrict from = source + first;
    for (int i = BlendRunInFours<kCopy, kReduce>(from, target, count, colors); i < count; ++i) {
      target[i] = Blend<kCopy, kReduce>(from[i], target[i], colors);
    }
    return;
  }
  for (int i = SpreadRowInEights<kCopy, kReduce>(source, target, row); i < count; ++i) {
    target[i] = Blend<kCopy, kReduce>(source[columns[i]], target[i], colors);
  }
}

// The rows of a slice: where the target's and the source's rows lie, and which source
// row each target row takes.
struct SliceRows {
  const uchar* sourceBits;
  qsizetype sourceStride;
  uchar* bits;  // the target's
  qsizetype stride;
  int left;  // the slice's first column in the target
  int top;
  int bottom;
  NearestWalk walk;
};

// Calls copy(source row, target row from the slice's left on) for every row of the
// slice, top down. Inlined into its caller, so that an AVX2 caller's copy is inlined too.
template <typename Copy>
[[gnu::always_inline]] inline void ForEachRow(SliceRows rows, const Copy& copy) {
  const qsizetype ahead = kPrefetchRows * rows.stride;
  for (int y = rows.top; y < rows.bottom; ++y, rows.walk.Next()) {
    uchar* line = rows.bits + y * rows.stride + qsizetype{rows.left} * 4;
    if (y + kPrefetchRows < rows.bottom) __builtin_prefetch(line + ahead, 1);
    copy(reinterpret_cast<const QRgb*>(rows.sourceBits + rows.walk.Index() * rows.sourceStride),
         reinterpret_cast<QRgb*>(line));
  }
}

#ifdef KQ_HAVE_AVX2_PATHS
// A unit slice row by row in one function, so that a narrow band (a border's side)
// costs no call a row.
template <NearestCopy kCopy, bool kReduce>
__attribute__((target("avx2"))) void BlendUnitRowsInEights(const SliceRows& rows, int first,
                                                           int count, ScreenColors colors) {
  ForEachRow(rows, [&](const QRgb* source, QRgb* target) {
    BlendRunInEights<kCopy, kReduce>(source + first, target, count, colors);
  });
}
#endif

// The columns slice.left to slice.right - 1 (at most kSliceColumns) of the stretch.
template <NearestCopy kCopy, bool kReduce>
void StretchSlice(const QImage& source, const PixelRect& sourceRect, QImage& target,
                  const PixelRect& targetRect, const PixelRect& slice, ScreenColors colors) {
  NearestWalk walk(slice.left, targetRect.left, targetRect.Width(), sourceRect.left,
                   sourceRect.Width());
  const int first = walk.Index();
  const ColumnWalk kind = walk.IsUnit()                             ? ColumnWalk::kUnit
                          : sourceRect.Width() == 1                 ? ColumnWalk::kSingle
                          : sourceRect.Width() < targetRect.Width() ? ColumnWalk::kSpread
                                                                    : ColumnWalk::kListed;
  const SliceRows rows{source.constBits(),
                       source.bytesPerLine(),
                       target.bits(),
                       target.bytesPerLine(),
                       slice.left,
                       slice.top,
                       slice.bottom,
                       NearestWalk(slice.top, targetRect.top, targetRect.Height(), sourceRect.top,
                                   sourceRect.Height())};
#ifdef KQ_HAVE_AVX2_PATHS
  if (kind == ColumnWalk::kUnit && ProcessorHasAvx2()) {
    BlendUnitRowsInEights<kCopy, kReduce>(rows, first, slice.Width(), colors);
    return;
  }
#endif
  int columns[kSliceColumns];
  if (kind == ColumnWalk::kListed || kind == ColumnWalk::kSpread) {
    for (int i = 0; i < slice.Width(); ++i, walk.Next()) columns[i] = walk.Index();
  }
  const RowCopy row{slice.Width(),      first, kind, columns, source.width(),
                    ProcessorHasAvx2(), colors};
  ForEachRow(rows, [&](const QRgb* from, QRgb* to) { CopyRow<kCopy, kReduce>(from, to, row); });
}

template <NearestCopy kCopy, bool kReduce>
void Stretch(const QImage& source, const PixelRect& sourceRect, QImage& target,
             const PixelRect& targetRect, const PixelRect& part, ScreenColors colors) {
  for (int left = part.left; left < part.right; left += kSliceColumns) {
    const PixelRect slice{left, part.top, std::min(left + kSliceColumns, part.right), part.bottom};
    StretchSlice<kCopy, kReduce>(source, sourceRect, target, targetRect, slice, colors);
  }
}

template <NearestCopy kCopy>
void StretchCopy(const QImage& source, const PixelRect& sourceRect, QImage& target,
                 const PixelRect& targetRect, const PixelRect& part,
                 const std::optional<ScreenColors>& colors) {
  if (colors) {
    Stretch<kCopy, true>(source, sourceRect, target, targetRect, part, *colors);
  } else {
    Stretch<kCopy, false>(source, sourceRect, target, targetRect, part, ScreenColors{});
  }
}

bool IsThirtyTwoBit(const QImage& image) {
  return image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32;
}

}  // namespace

bool StretchNearest(const QImage& source, const PixelRect& sourceRect, QImage& target,
                    const PixelRect& targetRect, NearestCopy copy,
                    const std::optional<ScreenColors>& colors) {
  const PixelRect whole = PixelRectOfSize(source.width(), source.height());
  if (sourceRect.IsEmpty() || sourceRect.Intersected(whole) != sourceRect) return false;
  if (!IsThirtyTwoBit(source) || !IsThirtyTwoBit(target)) return false;
  if (targetRect.IsEmpty()) return true;
  const PixelRect part = targetRect.Intersected(PixelRectOfSize(target.width(), target.height()));
  if (part.IsEmpty()) return true;
  if (copy == NearestCopy::kOpaque) {
    StretchCopy<NearestCopy::kOpaque>(source, sourceRect, target, targetRect, part, colors);
  } else {
    StretchCopy<NearestCopy::kKeyedOnBlack>(source, sourceRect, target, targetRect, part, colors);
  }
  return true;
}
