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
  pause_(kStepPauseMs);
}

void CProgramDialog::Slide(bool show) {
  if (show == timingShown_) return;
  timingShown_ = show;
  const int sign = show ? -1 : 1;  // up and left when the section comes in
  const std::vector<QWidget*> check{timing_};
  const std::vector<QWidget*> frame{frame_};
  const std::vector<QWidget*> controls = ScheduleControls();
  if (show) {
    for (int step = 0; step < kCheckSteps; ++step) MoveStep(check, {0, sign * kCheckStep}, false);
    update(kSectionRect);
    for (int step = 0; step < kFourSteps; ++step) MoveStep(frame, {sign * kFrameStep, 0}, true);
    for (int step = 0; step < kFourSteps; ++step) {
      MoveStep(controls, {0, sign * kControlStep}, false);
    }
  } else {
    update(kSectionRect);
    for (int step = 0; step < kFourSteps; ++step) {
      MoveStep(controls, {0, sign * kControlStep}, false);
    }
    for (int step = 0; step < kFourSteps; ++step) MoveStep(frame, {sign * kFrameStep, 0}, false);
    for (int step = 0; step < kCheckSteps; ++step) MoveStep(check, {0, sign * kCheckStep}, false);
  }
}
