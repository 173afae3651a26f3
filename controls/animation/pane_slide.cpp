#include "controls/animation/pane_slide.h"

#include <QPointer>
#include <QWidget>

#include <algorithm>
#include <utility>

#include "controls/animation/step_animation.h"

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
void Retire(QWidget* oldWindow, const QRect& oldEnd) {
  oldWindow->hide();
  oldWindow->setGeometry(oldEnd);
}

// The steps of a plan, each move of the new window followed by the plan's pause.
std::vector<StepAnimation::Step> StepsOf(QWidget* oldWindow, QWidget* newWindow,
                                         const SlidePlan& plan) {
  std::vector<StepAnimation::Step> steps;
  const auto add = [&steps](std::function<void()> run, int pauseMs) {
    steps.push_back({std::move(run), pauseMs});
  };
  const auto place = [&add](QWidget* window, const QRect& rect, int pauseMs) {
    add([window, rect] { Place(window, rect); }, pauseMs);
  };
  const auto retire = [oldWindow, oldEnd = plan.oldEnd] { Retire(oldWindow, oldEnd); };
  if (plan.hideOldFirst) add([oldWindow] { oldWindow->hide(); }, 0);
  if (!plan.stepsPaired) {
    for (const QRect& rect : plan.oldSteps) place(oldWindow, rect, plan.pauseMs);
    add(retire, 0);
  }
  add(
      [newWindow, start = plan.newStart] {
        newWindow->setGeometry(start);
        newWindow->show();
      },
      0);
  for (std::size_t i = 0; i < plan.newSteps.size(); ++i) {
    if (plan.stepsPaired) place(oldWindow, plan.oldSteps[i], 0);
    place(newWindow, plan.newSteps[i], plan.pauseMs);
  }
  if (plan.stepsPaired) add(retire, 0);
  // A window deleted meanwhile ends the slide's moves.
  for (StepAnimation::Step& step : steps) {
    step.run = [oldGuard = QPointer<QWidget>(oldWindow), newGuard = QPointer<QWidget>(newWindow),
                run = std::move(step.run)] {
      if (oldGuard && newGuard) run();
    };
  }
  return steps;
}

// The slides in a parent, one at a time: a child object of the parent, made on first
// use, so it ends with the windows it moves.
StepAnimation& SlidesIn(QWidget* parent) {
  for (QObject* child : parent->children()) {
    if (auto* slides = dynamic_cast<StepAnimation*>(child)) return *slides;
  }
  return *new StepAnimation(parent);
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

// Plays the plan made from the old and the new window's rectangles, then `then`;
// nothing happens without both windows. A slide still running in the same parent ends
// first, so the plan starts from where it left the windows.
void Animate(QWidget* oldWindow, QWidget* newWindow,
             SlidePlan (*plan)(const QRect& old, const QRect& target), std::function<void()> then) {
  if (!oldWindow || !newWindow) return;
  StepAnimation& slides =
      SlidesIn(newWindow->parentWidget() ? newWindow->parentWidget() : newWindow);
  slides.Finish();
  std::vector<StepAnimation::Step> steps =
      StepsOf(oldWindow, newWindow, plan(oldWindow->geometry(), newWindow->geometry()));
  if (then) steps.push_back({std::move(then), 0});
  slides.Play(std::move(steps), Pause());
}

}  // namespace

void SlideWindowUp(QWidget* oldWindow, QWidget* newWindow, std::function<void()> then) {
  Animate(
      oldWindow, newWindow, [](const QRect& old, const QRect&) { return PlanSlideUp(old); },
      std::move(then));
}

void SlideWindowDown(QWidget* oldWindow, QWidget* newWindow, std::function<void()> then) {
  Animate(
      oldWindow, newWindow, [](const QRect& old, const QRect&) { return PlanSlideDown(old); },
      std::move(then));
}

void SlideWindowLeft(QWidget* oldWindow, QWidget* newWindow, std::function<void()> then) {
  Animate(oldWindow, newWindow, PlanSlideLeft, std::move(then));
}

void SlideWindowRight(QWidget* oldWindow, QWidget* newWindow, std::function<void()> then) {
  Animate(
      oldWindow, newWindow, [](const QRect& old, const QRect&) { return PlanSlideRight(old); },
      std::move(then));
}

void CollapseAndExpandWindows(QWidget* oldWindow, QWidget* newWindow, std::function<void()> then) {
  Animate(oldWindow, newWindow, PlanCollapseAndExpand, std::move(then));
}

void SetSlidePause(std::function<void(int ms)> pause) { Pause() = std::move(pause); }

const std::function<void(int ms)>& SlidePause() { return Pause(); }
