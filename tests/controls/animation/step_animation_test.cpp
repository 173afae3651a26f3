// Steps on a timer: the first at once, the next after its pause with messages dispatched
// in between, steps without a pause together with the next; a new play finishes the
// running one first, in order; a pause function runs a play within its call; a play for
// a window that is not visible ends within its call, without pauses.

#include "controls/animation/step_animation.h"

#include <gtest/gtest.h>

#include <QString>
#include <QTest>
#include <QWidget>

#include <vector>

namespace {

TEST(StepAnimation, StepsFollowTheirPausesAndANewPlayFinishesTheRunningOne) {
  std::vector<QString> log;
  const auto step = [&log](const QString& name, int pauseMs) {
    return StepAnimation::Step{[&log, name] { log.push_back(name); }, pauseMs};
  };
  StepAnimation animation;
  animation.Play({step("a1", 30), step("a2", 0), step("a3", 30), step("a4", 0)});
  EXPECT_EQ(log, std::vector<QString>{"a1"});
  QObject receiver;
  QMetaObject::invokeMethod(
      &receiver, [&log] { log.push_back("posted"); }, Qt::QueuedConnection);
  ASSERT_TRUE(QTest::qWaitFor([&log] { return log.size() == 4; }));
  EXPECT_EQ(log, (std::vector<QString>{"a1", "posted", "a2", "a3"}));
  EXPECT_TRUE(animation.Running());

  animation.Play({step("b1", 20), step("b2", 20)});
  EXPECT_EQ(log, (std::vector<QString>{"a1", "posted", "a2", "a3", "a4", "b1"}));
  ASSERT_TRUE(QTest::qWaitFor([&animation] { return !animation.Running(); }));
  EXPECT_EQ(log.back(), "b2");

  std::vector<int> pauses;
  animation.Play({step("c1", 15), step("c2", 0), step("c3", 15)},
                 [&pauses](int ms) { pauses.push_back(ms); });
  EXPECT_EQ(log.size(), 10u);
  EXPECT_EQ(pauses, (std::vector<int>{15, 15}));
  EXPECT_FALSE(animation.Running());
}

TEST(StepAnimation, APlayForAWindowNotVisibleEndsAtOnce) {
  QWidget parent;
  QWidget window(&parent);
  StepAnimation animation(&window);
  std::vector<int> log;
  std::vector<int> pauses;
  const auto pause = [&pauses](int ms) { pauses.push_back(ms); };
  animation.Play({{[&log] { log.push_back(1); }, 30}, {[&log] { log.push_back(2); }, 30}}, pause);
  animation.Play({{[&log] { log.push_back(3); }, 30}, {[&log] { log.push_back(4); }, 0}});
  EXPECT_EQ(log, (std::vector<int>{1, 2, 3, 4}));
  EXPECT_TRUE(pauses.empty());
  EXPECT_FALSE(animation.Running());

  parent.show();  // the window shows with its parent: plays are animated again
  animation.Play({{[&log] { log.push_back(5); }, 30}, {[&log] { log.push_back(6); }, 0}});
  EXPECT_EQ(log.back(), 5);
  EXPECT_TRUE(animation.Running());
  animation.Finish();
  EXPECT_EQ(log.back(), 6);
}

}  // namespace
