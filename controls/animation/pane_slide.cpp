#include "controls/animation/pane_slide.h"

#include <QThread>
#include <QWidget>

#include <algorithm>
#include <utility>

namespace {

constexpr int kUpGrowth = 30;
constexpr int kUpPauseMs = 30;
constexpr int kDownGrowth = 30;
constexpr int kDownPauseMs = 20;
constexpr int kSideGrowth = 20;
constexpr int kSidePauseMs = 20;
constexpr int kCollapseGrowth = 20;
constexpr int kCollapsePauseMs = 15;

std::function<void(int)>& Pause() {
  static std::function<void(int)> pause;
  return pause;
}

void PauseFor(int ms) {
  if (Pause()) {
    Pause()(ms);
  } else {
    QThread::msleep(static_cast<unsigned long>(ms));
  }
}

// The edge below a rectangle, as the windows' rectangles count it.
int BottomEdge(const QRect& rect) { return rect.top() + rect.height(); }
int RightEdge(const QRect& rect) { return rect.left() + rect.width(); }

// A window growing upwards from the bottom edge of target until it covers it.
std::vector<QRect> GrowUp(const QRect& target, int growth) {
  std::vector<QRect> steps;
  for (int offset : SlideOffsets(target.height(), growth)) {
    steps.emplace_back(target.left(), BottomEdge(target) - offset, target.width(), offset);
  }
  return steps;
}

// Moves the window to rect and paints it at once.
void Place(QWidget* window, const QRect& rect) {
  window->setGeometry(rect);
  window->repaint();
}

// Hides the old window where the plan leaves it, without painting it there.
void Retire(QWidget* oldWindow, const SlidePlan& plan) {
  oldWindow->hide();
  oldWindow->setGeometry(plan.oldEnd);
}

void Play(QWidget* oldWindow, QWidget* newWindow, const SlidePlan& plan) {
  if (plan.hideOldFirst) oldWindow->hide();
  if (!plan.stepsPaired) {
    for (const QRect& rect : plan.oldSteps) {
      Place(oldWindow, rect);
      PauseFor(plan.pauseMs);
    }
    Retire(oldWindow, plan);
  }
  newWindow->setGeometry(plan.newStart);
  newWindow->show();
  for (std::size_t i = 0; i < plan.newSteps.size(); ++i) {
    if (plan.stepsPaired) Place(oldWindow, plan.oldSteps[i]);
    Place(newWindow, plan.newSteps[i]);
    PauseFor(plan.pauseMs);
  }
  if (plan.stepsPaired) Retire(oldWindow, plan);
}

}  // namespace

std::vector<int> SlideOffsets(int distance, int growth) {
  std::vector<int> offsets;
  long long moved = 0;
  long long step = 0;
  while (moved < distance && growth > 0) {
    step += growth;
    moved = std::min<long long>(moved + step, distance);
    offsets.push_back(static_cast<int>(moved));
  }
  return offsets;
}

SlidePlan PlanSlideUp(const QRect& old) {
  SlidePlan plan;
  plan.hideOldFirst = true;
  plan.newStart = QRect(old.left(), BottomEdge(old), old.width(), 1);
  plan.newSteps = GrowUp(old, kUpGrowth);
  plan.oldEnd = old;
  plan.pauseMs = kUpPauseMs;
  return plan;
}

SlidePlan PlanSlideDown(const QRect& old) {
  SlidePlan plan;
  plan.hideOldFirst = true;
  const int start = old.top() - old.height();
  plan.newStart = QRect(QPoint(old.left(), start), old.size());
  for (int offset : SlideOffsets(old.height(), kDownGrowth)) {
    plan.newSteps.emplace_back(QPoint(old.left(), start + offset), old.size());
  }
  plan.oldEnd = old;
  plan.pauseMs = kDownPauseMs;
  return plan;
}

SlidePlan PlanSlideLeft(const QRect& old, const QRect& target) {
  SlidePlan plan;
  plan.stepsPaired = true;
  plan.newStart = QRect(RightEdge(target), target.top(), 1, target.height());
  for (int offset : SlideOffsets(target.width(), kSideGrowth)) {
    const int left = RightEdge(target) - offset;
    plan.oldSteps.emplace_back(QPoint(left - old.width(), old.top()), old.size());
    plan.newSteps.emplace_back(left, target.top(), offset, target.height());
  }
  plan.oldEnd = QRect(QPoint(target.left(), old.top()), old.size());
  plan.pauseMs = kSidePauseMs;
  return plan;
}

SlidePlan PlanSlideRight(const QRect& old) {
  SlidePlan plan;
  plan.stepsPaired = true;
  const int start = old.left() - old.width();
  plan.newStart = QRect(QPoint(start, old.top()), old.size());
  for (int offset : SlideOffsets(old.width(), kSideGrowth)) {
    const int left = start + offset;
    plan.oldSteps.emplace_back(QPoint(left + old.width(), old.top()), old.size());
    plan.newSteps.emplace_back(QPoint(left, old.top()), old.size());
  }
  plan.oldEnd = old;
  plan.pauseMs = kSidePauseMs;
  return plan;
}

SlidePlan PlanCollapseAndExpand(const QRect& old, const QRect& target) {
  SlidePlan plan;
  for (int offset : SlideOffsets(old.height(), kCollapseGrowth)) {
    plan.oldSteps.emplace_back(old.left(), old.top() + offset, old.width(), old.height() - offset);
  }
  plan.oldEnd = old;
  plan.newStart = QRect(target.left(), BottomEdge(target), target.width(), 1);
  plan.newSteps = GrowUp(target, kCollapseGrowth);
  plan.pauseMs = kCollapsePauseMs;
  return plan;
}

namespace {

// Plays the plan made from the old and the new window's rectangles; nothing happens
// without both windows.
void Animate(QWidget* oldWindow, QWidget* newWindow,
             SlidePlan (*plan)(const QRect& old, const QRect& target)) {
  if (oldWindow && newWindow) {
    Play(oldWindow, newWindow, plan(oldWindow->geometry(), newWindow->geometry()));
  }
}

}  // namespace

void SlideWindowUp(QWidget* oldWindow, QWidget* newWindow) {
  Animate(oldWindow, newWindow, [](const QRect& old, const QRect&) { return PlanSlideUp(old); });
}

void SlideWindowDown(QWidget* oldWindow, QWidget* newWindow) {
  Animate(oldWindow, newWindow, [](const QRect& old, const QRect&) { return PlanSlideDown(old); });
}

void SlideWindowLeft(QWidget* oldWindow, QWidget* newWindow) {
  Animate(oldWindow, newWindow, PlanSlideLeft);
}

void SlideWindowRight(QWidget* oldWindow, QWidget* newWindow) {
  Animate(oldWindow, newWindow, [](const QRect& old, const QRect&) { return PlanSlideRight(old); });
}

void CollapseAndExpandWindows(QWidget* oldWindow, QWidget* newWindow) {
  Animate(oldWindow, newWindow, PlanCollapseAndExpand);
}

void SetSlidePause(std::function<void(int ms)> pause) { Pause() = std::move(pause); }
