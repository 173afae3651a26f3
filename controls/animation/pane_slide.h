#pragma once
// Animated changes from one child window (a pane or a page) to another in the same
// place of the same parent: the new window slides or grows over the place while the
// old one is hidden or pushed out. Each call starts its animation and returns; the
// steps follow on a timer (StepAnimation), each painted at once, the windows
// repainting in the pauses between them. `then`, when given, runs after the last step:
// what the caller shows once the slide has ended. A slide still running in the same
// parent is first finished at once, its `then` included. While the parent is not
// visible a slide sets its end state at once. Rectangles are geometry(), in the
// parent's coordinates.

#include <QRect>

#include <functional>
#include <vector>

class QWidget;

// The rectangles of one animation, step by step.
struct SlidePlan {
  bool hideOldFirst = false;  // the old window disappears before anything moves
  bool stepsPaired = false;   // old and new windows move together, step by step
  // Where the old window moves, step by step: together with the new window when
  // stepsPaired, else all before the new window is shown.
  std::vector<QRect> oldSteps;
  QRect newStart;  // where the new window is shown
  std::vector<QRect> newSteps;
  QRect oldEnd;  // where the hidden old window is left
  int pauseMs = 0;
};

// How far an edge has moved after each step of a distance: the first step moves by
// growth, each later one by growth more than the one before, and the last lands on
// the distance. Empty for a distance of 0 or less.
std::vector<int> SlideOffsets(int distance, int growth);

// The plans of the five animations, from the old window's rectangle and the new
// window's own (used by the left slide and by the collapse and expand).
SlidePlan PlanSlideUp(const QRect& old);
SlidePlan PlanSlideDown(const QRect& old);
SlidePlan PlanSlideLeft(const QRect& old, const QRect& target);
SlidePlan PlanSlideRight(const QRect& old);
SlidePlan PlanCollapseAndExpand(const QRect& old, const QRect& target);

// The new window grows upwards from the old window's bottom edge; the old one is
// hidden at once.
void SlideWindowUp(QWidget* oldWindow, QWidget* newWindow, std::function<void()> then = {});
// The new window slides down from above into the old window's place; the old one is
// hidden at once.
void SlideWindowDown(QWidget* oldWindow, QWidget* newWindow, std::function<void()> then = {});
// The new window grows leftwards from its own right edge, pushing the old one out
// to the left.
void SlideWindowLeft(QWidget* oldWindow, QWidget* newWindow, std::function<void()> then = {});
// The new window slides in from the left, pushing the old one out to the right.
void SlideWindowRight(QWidget* oldWindow, QWidget* newWindow, std::function<void()> then = {});
// The old window collapses downwards, then the new one grows upwards from its own
// bottom edge.
void CollapseAndExpandWindows(QWidget* oldWindow, QWidget* newWindow,
                              std::function<void()> then = {});

// A pause function stands for the timer: each slide then runs to its end within its
// call, pause(ms) called for each pause (tests that must not wait). An empty function
// restores the timer.
void SetSlidePause(std::function<void(int ms)> pause);
// The pause function set, empty for the timer: other step animations of the program's
// windows take it too.
const std::function<void(int ms)>& SlidePause();
