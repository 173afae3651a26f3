// The slide of the program page's schedule section.

#include <QCheckBox>
#include <QFrame>

#include "editors/program_page/program_dialog.h"

namespace {

constexpr int kStepPauseMs = 20;
constexpr int kCheckStep = 36;
constexpr int kCheckSteps = 5;
constexpr int kFrameStep = 140;
constexpr int kControlStep = 50;
constexpr int kFourSteps = 4;
// The part of the page the section covers.
const QRect kSectionRect(QPoint(2, 125), QPoint(513, 313));

}  // namespace

std::vector<QWidget*> CProgramDialog::ScheduleControls() const {
  std::vector<QWidget*> controls{timeCheck_, dateCheck_, weekCheck_};
  controls.insert(controls.end(), timeRow_.begin(), timeRow_.end());
  controls.insert(controls.end(), dateRow_.begin(), dateRow_.end());
  controls.insert(controls.end(), weekdays_.begin(), weekdays_.end());
  return controls;
}

void CProgramDialog::MoveStep(const std::vector<QWidget*>& controls, QPoint offset,
                              bool invalidate) {
  for (QWidget* control : controls) control->move(control->pos() + offset);
  if (invalidate) update(kSectionRect);
  repaint();
}

void CProgramDialog::Slide(bool show) {
  if (show == timingShown_) return;
  timingShown_ = show;
  const int sign = show ? -1 : 1;  // up and left when the section comes in
  std::vector<StepAnimation::Step> steps;
  const auto moves = [this, &steps](std::vector<QWidget*> controls, QPoint offset, int count,
                                    bool invalidate) {
    for (int step = 0; step < count; ++step) {
      steps.push_back(
          {[this, controls, offset, invalidate] { MoveStep(controls, offset, invalidate); },
           kStepPauseMs});
    }
  };
  const auto invalidateSection = [this, &steps] {
    steps.push_back({[this] { update(kSectionRect); }, 0});
  };
  if (show) {
    moves({timing_}, {0, sign * kCheckStep}, kCheckSteps, false);
    invalidateSection();
    moves({frame_}, {sign * kFrameStep, 0}, kFourSteps, true);
    moves(ScheduleControls(), {0, sign * kControlStep}, kFourSteps, false);
  } else {
    invalidateSection();
    moves(ScheduleControls(), {0, sign * kControlStep}, kFourSteps, false);
    moves({frame_}, {sign * kFrameStep, 0}, kFourSteps, false);
    moves({timing_}, {0, sign * kCheckStep}, kCheckSteps, false);
  }
  slide_.Play(std::move(steps), pause_);
}
