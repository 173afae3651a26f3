#include "controls/animation/step_animation.h"

#include <iterator>
#include <utility>

StepAnimation::StepAnimation(QWidget* window) : QObject(window), window_(window) {
  timer_.setSingleShot(true);
  // The pauses are a few tens of milliseconds: a coarse timer would stretch them.
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, [this] { RunNext(); });
}

void StepAnimation::Play(std::vector<Step> steps, const std::function<void(int ms)>& pause) {
  Finish();
  if (window_ && !window_->isVisible()) {
    for (const Step& step : steps) step.run();
    return;
  }
  if (pause) {
    for (const Step& step : steps) {
      step.run();
      if (step.pauseMs > 0) pause(step.pauseMs);
    }
    return;
  }
  steps_.assign(std::make_move_iterator(steps.begin()), std::make_move_iterator(steps.end()));
  RunNext();
}

void StepAnimation::Finish() {
  timer_.stop();
  while (!steps_.empty()) {
    const Step step = std::move(steps_.front());
    steps_.pop_front();
    step.run();
  }
}

void StepAnimation::RunNext() {
  while (!steps_.empty()) {
    const Step step = std::move(steps_.front());
    steps_.pop_front();
    step.run();
    if (step.pauseMs > 0 && !steps_.empty()) {
      timer_.start(step.pauseMs);
      return;
    }
  }
}
