#pragma once
// An animation in steps on the GUI thread. Play runs the first step at once and returns;
// each later step runs when the pause of the step before it has passed, on a timer, so
// the thread goes on dispatching meanwhile and the windows repaint between steps. Steps
// without a pause run together with the step after them.
//
// One play at a time: playing again, or Finish, first runs what is left of the running
// play at once, in order and without pauses, so every play reaches its end state and
// what the user sees keeps its order. Destroying the animation drops what is left.
//
// While the window it animates is not visible (hidden itself or with a window around
// it, as every window is before the program's first show), a play sets the end state
// at once: its steps run within the call, without pauses.

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <deque>
#include <functional>
#include <vector>

class StepAnimation : public QObject {
 public:
  struct Step {
    std::function<void()> run;
    int pauseMs = 0;  // after run, before the next step
  };

  // window: the window whose contents the steps change, also the animation's parent;
  // without one every play is animated.
  explicit StepAnimation(QWidget* window = nullptr);

  // Plays steps. A pause function stands for the timer: the steps then all run within
  // the call, pause(ms) called for each pause (tests that must not wait).
  void Play(std::vector<Step> steps, const std::function<void(int ms)>& pause = {});
  // Runs what is left of the running play at once.
  void Finish();
  bool Running() const { return !steps_.empty(); }

 private:
  // Runs the next steps up to and with the next one that pauses.
  void RunNext();

  QPointer<QWidget> window_;
  std::deque<Step> steps_;
  QTimer timer_;
};
