// Pane animations: the step sequences as pure functions, then the five animations on
// real child widgets with the pause replaced, so nothing waits, and two on the timer.

#include "controls/animation/pane_slide.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>

#include <memory>

#include "tests/support/screenshot.h"

namespace {

TEST(SlideOffsets, AccelerateAndLandOnTheDistance) {
  EXPECT_EQ(SlideOffsets(600, 30), (std::vector<int>{30, 90, 180, 300, 450, 600}));
  EXPECT_EQ(SlideOffsets(20, 20), (std::vector<int>{20}));
  EXPECT_EQ(SlideOffsets(21, 20), (std::vector<int>{20, 21}));
  EXPECT_TRUE(SlideOffsets(0, 20).empty());
  EXPECT_TRUE(SlideOffsets(-5, 20).empty());
}

// Every step of every window moves the same edge the same way.
TEST(SlidePlans, MoveMonotonicallyOntoTheirTargets) {
  const QRect place(10, 20, 300, 200);
  const SlidePlan up = PlanSlideUp(place);
  EXPECT_EQ(up.newStart, QRect(10, 220, 300, 1));
  ASSERT_FALSE(up.newSteps.empty());
  EXPECT_EQ(up.newSteps.back(), place);
  for (std::size_t i = 1; i < up.newSteps.size(); ++i) {
    EXPECT_LT(up.newSteps[i].top(), up.newSteps[i - 1].top());
    EXPECT_EQ(up.newSteps[i].bottom(), place.bottom());
  }
  const SlidePlan left = PlanSlideLeft(place, place);
  ASSERT_EQ(left.oldSteps.size(), left.newSteps.size());
  for (std::size_t i = 0; i < left.newSteps.size(); ++i) {
    EXPECT_EQ(left.oldSteps[i].right() + 1, left.newSteps[i].left());  // pushed, edge to edge
    if (i > 0) {
      EXPECT_LT(left.newSteps[i].left(), left.newSteps[i - 1].left());
    }
  }
  EXPECT_EQ(left.newSteps.back(), place);
  const SlidePlan collapse = PlanCollapseAndExpand(place, place);
  ASSERT_FALSE(collapse.oldSteps.empty());
  EXPECT_EQ(collapse.oldSteps.back().height(), 0);
  EXPECT_EQ(collapse.newSteps.back(), place);
  EXPECT_EQ(PlanSlideDown(place).newStart, QRect(10, -180, 300, 200));
  EXPECT_EQ(PlanSlideRight(place).newSteps.back(), place);
}

TEST(SlidePlans, ZeroHeightOldWindowLeavesTheNewOneOnePixelHigh) {
  const SlidePlan up = PlanSlideUp(QRect(5, 40, 100, 0));
  EXPECT_TRUE(up.newSteps.empty());
  EXPECT_EQ(up.newStart, QRect(5, 40, 100, 1));
}

class PaneSlide : public ::testing::Test {
 protected:
  void SetUp() override {
    SetSlidePause([this](int ms) { pauses_.push_back(ms); });
    parent_.resize(400, 300);
    oldPane_ = new QWidget(&parent_);
    newPane_ = new QWidget(&parent_);
    oldPane_->setGeometry(kPlace);
    newPane_->setGeometry(kPlace);
    newPane_->hide();
    Paint(oldPane_, Qt::darkCyan);
    Paint(newPane_, Qt::darkYellow);
    parent_.show();
  }
  void TearDown() override { SetSlidePause({}); }

  static void Paint(QWidget* pane, QColor color) {
    QPalette palette = pane->palette();
    palette.setColor(QPalette::Window, color);
    pane->setPalette(palette);
    pane->setAutoFillBackground(true);
  }

  void ExpectEndState(bool oldBackInPlace) {
    EXPECT_EQ(newPane_->geometry(), kPlace);
    EXPECT_TRUE(newPane_->isVisible());
    EXPECT_FALSE(oldPane_->isVisible());
    if (oldBackInPlace) {
      EXPECT_EQ(oldPane_->geometry(), kPlace);
    }
  }

  const QRect kPlace{20, 30, 300, 200};
  QWidget parent_;
  QWidget* oldPane_ = nullptr;
  QWidget* newPane_ = nullptr;
  std::vector<int> pauses_;
};

TEST_F(PaneSlide, UpAndDownEndWithTheNewPaneInPlace) {
  SlideWindowUp(oldPane_, newPane_);
  ExpectEndState(false);
  EXPECT_EQ(pauses_, std::vector<int>(SlideOffsets(200, 30).size(), 30));
  pauses_.clear();
  SlideWindowDown(newPane_, oldPane_);
  EXPECT_EQ(oldPane_->geometry(), kPlace);
  EXPECT_TRUE(oldPane_->isVisible());
  EXPECT_FALSE(newPane_->isVisible());
  EXPECT_EQ(pauses_, std::vector<int>(SlideOffsets(200, 30).size(), 20));
}

TEST_F(PaneSlide, LeftRightAndCollapsePutTheOldPaneBack) {
  SetSlidePause([this](int) {
    if (pauses_.size() == 3) SaveScreenshot(parent_, QStringLiteral("pane_slide_left_step_4"));
    pauses_.push_back(0);
  });
  SlideWindowLeft(oldPane_, newPane_);
  ExpectEndState(true);
  std::swap(oldPane_, newPane_);
  SlideWindowRight(oldPane_, newPane_);
  ExpectEndState(true);
  std::swap(oldPane_, newPane_);
  pauses_.clear();
  SetSlidePause([this](int ms) { pauses_.push_back(ms); });
  CollapseAndExpandWindows(oldPane_, newPane_);
  ExpectEndState(true);
  EXPECT_EQ(pauses_.size(), 2 * SlideOffsets(200, 20).size());
  EXPECT_EQ(pauses_.front(), 15);
}

// On the timer a slide returns after its first step; a second slide in the same parent
// first finishes it, its `then` included, and starts from where it left the panes.
TEST_F(PaneSlide, OnTheTimerASecondSlideFinishesTheFirstOne) {
  SetSlidePause({});
  std::vector<QString> ended;
  SlideWindowUp(oldPane_, newPane_, [&ended] { ended.push_back("up"); });
  EXPECT_TRUE(newPane_->isVisible());
  EXPECT_EQ(newPane_->height(), 30);
  SlideWindowDown(newPane_, oldPane_, [&ended] { ended.push_back("down"); });
  EXPECT_EQ(ended, std::vector<QString>{"up"});
  ASSERT_TRUE(QTest::qWaitFor([&ended] { return ended.size() == 2; }));
  EXPECT_EQ(oldPane_->geometry(), kPlace);
  EXPECT_TRUE(oldPane_->isVisible());
  EXPECT_FALSE(newPane_->isVisible());
  EXPECT_EQ(newPane_->geometry(), kPlace);
}

}  // namespace
