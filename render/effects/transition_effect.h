#pragma once
// An entry effect in the preview: turns the area picture (the target) from what it
// showed into the new item's first picture (the source) over a number of ticks, one
// step a tick. Both pictures are 32-bit (Format_RGB32) and of the area's size; the
// caller keeps them alive while the transition runs and owns the transition.

#include <QImage>

class TransitionEffect;

// Draws step *counter (1 to steps) of the effect into target from source and the old
// picture; returns 1. One function per drawing, chosen once from the effect number.
using TransitionStep = int (*)(const TransitionEffect& effect, QImage& target, const QImage& source,
                               const int* counter, int steps, int width, int height);

class TransitionEffect {
 public:
  // Sets the transition up with 3 x speed steps and keeps a copy of the target as the
  // old picture; effect 1 becomes one of 2 to 38 by the process's random source.
  // Returns 1 when the effect number has a drawing, else 0 (effect 0 and numbers
  // outside 1 to 38, or a null picture pointer).
  int Init(const QImage* source, QImage* target, int width, int height, int speed, int effect);
  // Draws the next step and returns 1, or returns 0 without drawing once every step is
  // done (or Init failed). Allocates nothing.
  int Step();

  // The target as it was when the transition began; null when it could not be made,
  // and copies from it then draw nothing.
  const QImage& OldPicture() const { return old_; }
  // The effect number after the random choice; 0 before Init.
  int Effect() const { return effect_; }
  int Steps() const { return steps_; }

 private:
  int steps_ = 0;
  QImage old_;
  int width_ = 0;
  int height_ = 0;
  QImage* target_ = nullptr;
  const QImage* source_ = nullptr;
  int counter_ = 0;
  TransitionStep step_ = nullptr;
  int effect_ = 0;
};

// The drawing of effect number n, or null when the number has none (0, 1 and numbers
// outside 2 to 38).
TransitionStep TransitionStepOf(int effect);
