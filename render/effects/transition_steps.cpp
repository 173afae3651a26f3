// The drawings of the entry effects 2 to 38. Step n of s steps: p = length x n / s in
// integers (multiply first) is how far the new picture has come, q = length - p.
// Every copy is clipped to the area, so a band that lies outside it (effects 11 to 14
// name row H or column W at p = 0) is never read and draws nothing.

#include <QRgb>

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstdint>

#include "render/effects/transition_codes.h"
#include "render/effects/transition_effect.h"
#include "render/raster/band_copy.h"
#include "render/raster/stretch_image.h"

namespace {

// What one step draws with: the area picture, the new and the old picture, the step
// n of steps and the area's size.
struct StepScene {
  QImage& target;
  const QImage& source;
  const QImage& old;
  int n;
  int steps;
  int width;
  int height;

  int Progress(int length) const { return static_cast<int>(std::int64_t{length} * n / steps); }
  int ColumnsIn() const { return Progress(width); }
  int RowsIn() const { return Progress(height); }
};

// Columns to ... to + count - 1 of the target take columns from ... of picture, in the
// rows top to bottom - 1 (full height when not given), both kept inside the area.
void CopyColumns(const StepScene& scene, const QImage& picture, int from, int to, int count,
                 BandLines lines = BandLines::kAll, int top = 0, int bottom = INT_MAX) {
  const int first = std::max({0, -from, -to});
  const int last = std::min({count, scene.width - from, scene.width - to});
  if (last <= first) return;
  CopyBand(picture, {from + first, top, from + last, std::min(bottom, scene.height)}, scene.target,
           to + first, top, lines);
}

// Several column bands are copied strip by strip down the area, all bands of a strip
// together: band by band, each pass down a large picture would touch more pages than
// the processor keeps translated.
constexpr int kStripRows = 16;

// Rows likewise, full width.
void CopyRows(const StepScene& scene, const QImage& picture, int from, int to, int count,
              BandLines lines = BandLines::kAll) {
  const int first = std::max({0, -from, -to});
  const int last = std::min({count, scene.height - from, scene.height - to});
  if (last <= first) return;
  CopyBand(picture, {0, from + first, scene.width, from + last}, scene.target, 0, to + first,
           lines);
}

// The band sourceBand of the new picture stretched over targetBand; an empty band
// draws nothing, as GDI drew nothing. A picture that could not be made draws nothing
// either, unnoticed, as every copy of a transition.
void Stretch(const StepScene& scene, const PixelRect& sourceBand, const PixelRect& targetBand) {
  if (sourceBand.IsEmpty() || targetBand.IsEmpty()) return;
  StretchNearest(scene.source, sourceBand, scene.target, targetBand, NearestCopy::kOpaque);
}

PixelRect Area(const StepScene& scene) { return PixelRectOfSize(scene.width, scene.height); }

// 2, 6: the old picture moves left, the new one follows from the right.
void PushLeft(const StepScene& scene) {
  const int p = scene.ColumnsIn();
  for (int top = 0; top < scene.height; top += kStripRows) {
    CopyColumns(scene, scene.old, p, 0, scene.width - p, BandLines::kAll, top, top + kStripRows);
    CopyColumns(scene, scene.source, 0, scene.width - p, p, BandLines::kAll, top, top + kStripRows);
  }
}

// 3, 7
void PushRight(const StepScene& scene) {
  const int p = scene.ColumnsIn();
  for (int top = 0; top < scene.height; top += kStripRows) {
    CopyColumns(scene, scene.old, 0, p, scene.width - p, BandLines::kAll, top, top + kStripRows);
    CopyColumns(scene, scene.source, scene.width - p, 0, p, BandLines::kAll, top, top + kStripRows);
  }
}

// 4, 8
void PushUp(const StepScene& scene) {
  const int p = scene.RowsIn();
  CopyRows(scene, scene.old, p, 0, scene.height - p);
  CopyRows(scene, scene.source, 0, scene.height - p, p);
}

// 5, 9
void PushDown(const StepScene& scene) {
  const int p = scene.RowsIn();
  CopyRows(scene, scene.old, 0, p, scene.height - p);
  CopyRows(scene, scene.source, scene.height - p, 0, p);
}

// 10: k = n / (steps / 8); the new picture at even k; at odd k the area picture's own
// brush, which is black. The divisor is at least 1, so fewer than 8 steps blink at
// every step.
void Blink(const StepScene& scene) {
  const int k = scene.n / std::max(1, scene.steps / 8);
  if (k % 2 == 0) {
    CopyRows(scene, scene.source, 0, 0, scene.height);
    return;
  }
  QImage& target = scene.target;
  if (target.format() != QImage::Format_RGB32 && target.format() != QImage::Format_ARGB32) return;
  const int columns = std::min(scene.width, target.width());
  for (int y = 0; y < std::min(scene.height, target.height()); ++y) {
    std::fill_n(reinterpret_cast<QRgb*>(target.scanLine(y)), columns, qRgb(0, 0, 0));
  }
}

// 11: rows q ... come in from below, row q stretched over the rows above them.
void RiseWithTrail(const StepScene& scene) {
  const int q = scene.height - scene.RowsIn();
  CopyRows(scene, scene.source, q, q, scene.height - q);
  if (q < scene.height) Stretch(scene, {0, q, scene.width, q + 1}, {0, 0, scene.width, q});
}

// 12
void FallWithTrail(const StepScene& scene) {
  const int p = scene.RowsIn();
  CopyRows(scene, scene.source, 0, 0, p);
  if (p < scene.height) {
    Stretch(scene, {0, p, scene.width, p + 1}, {0, p, scene.width, scene.height});
  }
}

// 13
void LeftwardWithTrail(const StepScene& scene) {
  const int q = scene.width - scene.ColumnsIn();
  CopyColumns(scene, scene.source, q, q, scene.width - q);
  if (q < scene.width) Stretch(scene, {q, 0, q + 1, scene.height}, {0, 0, q, scene.height});
}

// 14
void RightwardWithTrail(const StepScene& scene) {
  const int p = scene.ColumnsIn();
  CopyColumns(scene, scene.source, 0, 0, p);
  if (p < scene.width) {
    Stretch(scene, {p, 0, p + 1, scene.height}, {p, 0, scene.width, scene.height});
  }
}

// 15: even rows wipe in from the left, odd rows from the right.
void InterlacedWipeAcross(const StepScene& scene) {
  const int p = scene.ColumnsIn();
  CopyColumns(scene, scene.source, 0, 0, p, BandLines::kEvenRows);
  CopyColumns(scene, scene.source, scene.width - p, scene.width - p, p, BandLines::kOddRows);
}

// 16: even columns wipe in from the top, odd columns from the bottom.
void InterlacedWipeDownAndUp(const StepScene& scene) {
  const int p = scene.RowsIn();
  CopyRows(scene, scene.source, 0, 0, p, BandLines::kEvenColumns);
  CopyRows(scene, scene.source, scene.height - p, scene.height - p, p, BandLines::kOddColumns);
}

// 17: even rows slide in from the left, odd rows from the right.
void InterlacedSlideAcross(const StepScene& scene) {
  const int p = scene.ColumnsIn();
  CopyColumns(scene, scene.source, scene.width - p, 0, p, BandLines::kEvenRows);
  CopyColumns(scene, scene.source, 0, scene.width - p, p, BandLines::kOddRows);
}

// 18: even columns slide in from the top, odd columns from the bottom.
void InterlacedSlideDownAndUp(const StepScene& scene) {
  const int p = scene.RowsIn();
  CopyRows(scene, scene.source, scene.height - p, 0, p, BandLines::kEvenColumns);
  CopyRows(scene, scene.source, 0, scene.height - p, p, BandLines::kOddColumns);
}

// 19
void WipeFromRight(const StepScene& scene) {
  const int q = scene.width - scene.ColumnsIn();
  CopyColumns(scene, scene.source, q, q, scene.width - q);
}

// 20
void WipeFromLeft(const StepScene& scene) {
  CopyColumns(scene, scene.source, 0, 0, scene.ColumnsIn());
}

// 21
void WipeFromBottom(const StepScene& scene) {
  const int q = scene.height - scene.RowsIn();
  CopyRows(scene, scene.source, q, q, scene.height - q);
}

// 22
void WipeFromTop(const StepScene& scene) { CopyRows(scene, scene.source, 0, 0, scene.RowsIn()); }

// Eight blinds across length: s = ceil(length / 8) in reals, a = s x n / steps; blind
// k starts at k x length / 8, moved by s - a - 1 when it opens backwards; each band is
// a + 1 wide.
constexpr int kBlinds = 8;

// The start of blind k and the width of every blind's band.
struct Blind {
  int start;
  int size;
};
Blind BlindAt(const StepScene& scene, int length, bool backwards, int k) {
  const int s = static_cast<int>(std::ceil(length / static_cast<double>(kBlinds)));
  const int a = scene.Progress(s);
  return {k * length / kBlinds + (backwards ? s - a - 1 : 0), a + 1};
}

// 23, 24: column bands, strip by strip.
void VerticalBlinds(const StepScene& scene, bool backwards) {
  for (int top = 0; top < scene.height; top += kStripRows) {
    for (int k = 0; k < kBlinds; ++k) {
      const Blind blind = BlindAt(scene, scene.width, backwards, k);
      CopyColumns(scene, scene.source, blind.start, blind.start, blind.size, BandLines::kAll, top,
                  top + kStripRows);
    }
  }
}

// 25, 26: whole rows.
void HorizontalBlinds(const StepScene& scene, bool backwards) {
  for (int k = 0; k < kBlinds; ++k) {
    const Blind blind = BlindAt(scene, scene.height, backwards, k);
    CopyRows(scene, scene.source, blind.start, blind.start, blind.size);
  }
}

// 23
void BlindsRightwards(const StepScene& scene) { VerticalBlinds(scene, false); }
// 24
void BlindsLeftwards(const StepScene& scene) { VerticalBlinds(scene, true); }
// 25
void BlindsUpwards(const StepScene& scene) { HorizontalBlinds(scene, true); }
// 26
void BlindsDownwards(const StepScene& scene) { HorizontalBlinds(scene, false); }

// 27
void OpenFromVerticalCentre(const StepScene& scene) {
  const int p = scene.ColumnsIn();
  const int x = (scene.width - p) / 2;
  CopyColumns(scene, scene.source, x, x, p);
}

// 28
void OpenFromHorizontalCentre(const StepScene& scene) {
  const int p = scene.RowsIn();
  const int y = (scene.height - p) / 2;
  CopyRows(scene, scene.source, y, y, p);
}

// 29, 30: c = the integer part of (length / 2 in integers) x n / steps + 1 in reals.
int ClosingBand(const StepScene& scene, int length) {
  return static_cast<int>(static_cast<double>(length / 2) * scene.n / scene.steps + 1);
}

// 29
void CloseFromLeftAndRight(const StepScene& scene) {
  const int c = ClosingBand(scene, scene.width);
  CopyColumns(scene, scene.source, 0, 0, c);
  CopyColumns(scene, scene.source, scene.width - c, scene.width - c, c);
}

// 30
void CloseFromTopAndBottom(const StepScene& scene) {
  const int c = ClosingBand(scene, scene.height);
  CopyRows(scene, scene.source, 0, 0, c);
  CopyRows(scene, scene.source, scene.height - c, scene.height - c, c);
}

// 31
void StretchFromLeft(const StepScene& scene) {
  Stretch(scene, {0, 0, scene.ColumnsIn(), scene.height}, Area(scene));
}

// 32
void StretchFromRight(const StepScene& scene) {
  Stretch(scene, {scene.width - scene.ColumnsIn(), 0, scene.width, scene.height}, Area(scene));
}

// 33
void StretchFromTop(const StepScene& scene) {
  Stretch(scene, {0, 0, scene.width, scene.RowsIn()}, Area(scene));
}

// 34
void StretchFromBottom(const StepScene& scene) {
  Stretch(scene, {0, scene.height - scene.RowsIn(), scene.width, scene.height}, Area(scene));
}

// 35 to 38: the whole new picture at every step.
void Cut(const StepScene& scene) { CopyRows(scene, scene.source, 0, 0, scene.height); }

// A drawing in the one signature of the transition's step functions.
template <void (*Draw)(const StepScene&)>
int StepOf(const TransitionEffect& effect, QImage& target, const QImage& source, const int* counter,
           int steps, int width, int height) {
  Draw({target, source, effect.OldPicture(), *counter, steps, width, height});
  return 1;
}

// The step function of effect n at index n - kFirstDrawnEffect.
constexpr std::array<TransitionStep, kLastDrawnEffect - kFirstDrawnEffect + 1> kSteps = {
    StepOf<PushLeft>,
    StepOf<PushRight>,
    StepOf<PushUp>,
    StepOf<PushDown>,  // 2-5
    StepOf<PushLeft>,
    StepOf<PushRight>,
    StepOf<PushUp>,
    StepOf<PushDown>,  // 6-9
    StepOf<Blink>,     // 10
    StepOf<RiseWithTrail>,
    StepOf<FallWithTrail>,  // 11-12
    StepOf<LeftwardWithTrail>,
    StepOf<RightwardWithTrail>,  // 13-14
    StepOf<InterlacedWipeAcross>,
    StepOf<InterlacedWipeDownAndUp>,  // 15-16
    StepOf<InterlacedSlideAcross>,
    StepOf<InterlacedSlideDownAndUp>,  // 17-18
    StepOf<WipeFromRight>,
    StepOf<WipeFromLeft>,  // 19-20
    StepOf<WipeFromBottom>,
    StepOf<WipeFromTop>,  // 21-22
    StepOf<BlindsRightwards>,
    StepOf<BlindsLeftwards>,  // 23-24
    StepOf<BlindsUpwards>,
    StepOf<BlindsDownwards>,  // 25-26
    StepOf<OpenFromVerticalCentre>,
    StepOf<OpenFromHorizontalCentre>,  // 27-28
    StepOf<CloseFromLeftAndRight>,
    StepOf<CloseFromTopAndBottom>,  // 29-30
    StepOf<StretchFromLeft>,
    StepOf<StretchFromRight>,  // 31-32
    StepOf<StretchFromTop>,
    StepOf<StretchFromBottom>,  // 33-34
    StepOf<Cut>,
    StepOf<Cut>,
    StepOf<Cut>,
    StepOf<Cut>};  // 35-38

}  // namespace

TransitionStep TransitionStepOf(int effect) {
  if (effect < kFirstDrawnEffect || effect > kLastDrawnEffect) return nullptr;
  return kSteps[static_cast<size_t>(effect - kFirstDrawnEffect)];
}
