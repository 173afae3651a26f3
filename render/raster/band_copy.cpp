#include "render/raster/band_copy.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "render/raster/vector_support.h"

namespace {

bool Is32Bit(const QImage& picture) {
  return picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32;
}

// The first index at or after first whose parity is that of wanted (0 even, 1 odd).
int FirstOfParity(int first, int wanted) { return (first & 1) == wanted ? first : first + 1; }

#ifdef KQ_HAVE_AVX2_PATHS
// Eight pixels a move, half the moves of four: copies the leading whole eights of the
// row and returns how many pixels that was.
__attribute__((target("avx2"))) int CopyEights(QRgb* __restrict out, const QRgb* __restrict in,
                                               int count) {
  int done = 0;
  for (; done + 8 <= count; done += 8) {
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + done),
                        _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in + done)));
  }
  return done;
}
#endif

}  // namespace

void CopyBand(const QImage& source, const PixelRect& sourceRect, QImage& target, int targetX,
              int targetY, BandLines lines) {
  if (!Is32Bit(source) || !Is32Bit(target)) return;
  // Clip the band to the source, then its place to the target, moving both alike.
  const PixelRect from = sourceRect.Intersected(PixelRectOfSize(source.width(), source.height()));
  if (from.IsEmpty()) return;
  const int dx = targetX - sourceRect.left;
  const int dy = targetY - sourceRect.top;
  const PixelRect to =
      PixelRect{from.left + dx, from.top + dy, from.right + dx, from.bottom + dy}.Intersected(
          PixelRectOfSize(target.width(), target.height()));
  if (to.IsEmpty()) return;

  const bool everyOtherRow = lines == BandLines::kEvenRows || lines == BandLines::kOddRows;
  const bool everyOtherColumn = lines == BandLines::kEvenColumns || lines == BandLines::kOddColumns;
  const int oddWanted = lines == BandLines::kOddRows || lines == BandLines::kOddColumns ? 1 : 0;
  const int firstRow = everyOtherRow ? FirstOfParity(to.top, oddWanted) : to.top;
  const int firstColumn = everyOtherColumn ? FirstOfParity(to.left, oddWanted) : to.left;
  const int rowStep = everyOtherRow ? 2 : 1;

  // bits() once: scanLine() of a writable picture checks for sharing on every call.
  uchar* targetBits = target.bits();
  const qsizetype targetStride = target.bytesPerLine();
  const uchar* sourceBits = source.constBits();
  const qsizetype sourceStride = source.bytesPerLine();
  for (int y = firstRow; y < to.bottom; y += rowStep) {
    auto* out = reinterpret_cast<QRgb*>(targetBits + y * targetStride);
    const auto* in = reinterpret_cast<const QRgb*>(sourceBits + (y - dy) * sourceStride);
    if (!everyOtherColumn) {
      CopyPixels(out + to.left, in + (to.left - dx), to.Width());
      continue;
    }
    for (int x = firstColumn; x < to.right; x += 2) out[x] = in[x - dx];
  }
}

void CopyPixels(QRgb* out, const QRgb* in, int count) {
  int done = 0;
#ifdef KQ_HAVE_AVX2_PATHS
  if (ProcessorHasAvx2()) done = CopyEights(out, in, count);
#endif
#if defined(__SSE2__)
  // Four pixels a move.
  for (; done + 4 <= count; done += 4) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + done),
                     _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + done)));
  }
#endif
  if (done < count) {
    std::memcpy(out + done, in + done, sizeof(QRgb) * static_cast<size_t>(count - done));
  }
}
