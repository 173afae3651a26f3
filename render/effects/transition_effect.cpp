#include "render/effects/transition_effect.h"

#include <algorithm>
#include <climits>

#include "render/common/random_source.h"
#include "render/effects/transition_codes.h"
#include "render/raster/band_copy.h"

namespace {

// Transitions take 3 ticks per unit of speed (3000 ms per 1000).
constexpr int kStepsPerSpeed = 3;
constexpr int kDrawnEffectCount = kLastDrawnEffect - kFirstDrawnEffect + 1;

}  // namespace

int TransitionEffect::Init(const QImage* source, QImage* target, int width, int height, int speed,
                           int effect) {
  if (effect == kRandomEffect) {
    effect = static_cast<int>(ProcessRandom().Next() % kDrawnEffectCount) + kFirstDrawnEffect;
  }
  step_ = TransitionStepOf(effect);
  if (step_ == nullptr || source == nullptr || target == nullptr) {
    step_ = nullptr;
    return 0;
  }
  effect_ = effect;
  source_ = source;
  target_ = target;
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  steps_ = std::clamp(speed, 0, INT_MAX / kStepsPerSpeed) * kStepsPerSpeed;
  counter_ = 0;

  // A picture too large to make stays null, and the copies from it draw nothing.
  old_ = QImage(width_, height_, QImage::Format_RGB32);
  if (!old_.isNull()) {
    old_.fill(Qt::black);
    CopyBand(*target_, PixelRectOfSize(width_, height_), old_, 0, 0);
  }
  return 1;
}

int TransitionEffect::Step() {
  // The counter stops at steps, so no number of calls can overflow it.
  if (step_ == nullptr || counter_ >= steps_) return 0;
  ++counter_;
  return step_(*this, *target_, *source_, &counter_, steps_, width_, height_);
}
