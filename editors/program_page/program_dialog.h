#pragma once
// CProgramDialog (IDD_PROGRAM_DIALOG): the page of the project page that edits the
// selected program: its name, how long it plays (a number of plays or a time) and its
// play schedule (time of day, date range, weekdays). Every user edit goes at once
// into the ProgramRecord of CurrentSelection; loading the page never writes.
//
// The schedule section slides in and out with its check box: the controls move in
// fixed steps with a short pause after each, on a timer (StepAnimation), on a page of
// fixed geometry. A slide that starts while one runs finishes that one first; while the
// page is not visible the section takes its place at once.

#include <QWidget>

#include <array>
#include <functional>
#include <vector>

#include "controls/animation/step_animation.h"
#include "platform/message_window.h"

class DigitSpinEdit;
class QCheckBox;
class QDateEdit;
class QFrame;
class QLineEdit;
class QRadioButton;
class QTimeEdit;
struct ProgramRecord;

class CProgramDialog : public QWidget, public MessageWindow {
 public:
  static constexpr int kCountMax = 255;
  static constexpr int kDurationMax = 65535;

  // pause(ms), when given, stands for the slide's timer: a slide then runs to its end
  // within the call that starts it (tests that must not wait).
  explicit CProgramDialog(QWidget* parent, std::function<void(int ms)> pause = {});

  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  // The controls' texts and the panel caption from the language file.
  void ApplyLanguage();

  // Whether the schedule section is slid in (shown), or is sliding in.
  bool TimingShown() const { return timingShown_; }
  // Whether the section is still sliding.
  bool Sliding() const { return slide_.Running(); }

  QLineEdit& NameEdit() { return *name_; }
  QRadioButton& CountRadio() { return *countRadio_; }
  QRadioButton& DurationRadio() { return *durationRadio_; }
  DigitSpinEdit& CountEdit() { return *count_; }
  DigitSpinEdit& DurationEdit() { return *duration_; }
  QCheckBox& TimingCheck() { return *timing_; }
  QCheckBox& TimeCheck() { return *timeCheck_; }
  QCheckBox& DateCheck() { return *dateCheck_; }
  QCheckBox& WeekCheck() { return *weekCheck_; }
  QTimeEdit& StartTime() { return *times_[0]; }
  QTimeEdit& EndTime() { return *times_[1]; }
  QDateEdit& StartDate() { return *dates_[0]; }
  QDateEdit& EndDate() { return *dates_[1]; }
  // The weekday checks, Monday (0) to Sunday (6).
  QCheckBox& WeekdayCheck(int day) { return *weekdays_[static_cast<std::size_t>(day)]; }
  QFrame& TimingFrame() { return *frame_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void CreatePlayControls();
  void CreateScheduleControls();
  void Load();
  void LoadPickers(const ProgramRecord& program);
  void EnablePlayMode(bool byDuration);
  void EnableSchedule();
  void OnNameEdited();
  void OnPlayMode(bool byDuration);
  void OnTypedValue(bool duration);
  void OnStep(bool duration, int delta);
  void OnTimingCheck(bool on);
  void OnTimeChanged(bool end);
  void OnDateChanged(bool end);
  void OnWeekday(int day, bool checked);

  // The slide (program_dialog_slide.cpp).
  void Slide(bool show);
  // A step of the slide: the controls moved by offset, the page painted at once.
  void MoveStep(const std::vector<QWidget*>& controls, QPoint offset, bool invalidate);
  std::vector<QWidget*> ScheduleControls() const;

  std::function<void(int ms)> pause_;
  StepAnimation slide_;
  QString caption_;
  bool timingShown_ = true;
  bool loading_ = false;
  QLineEdit* name_ = nullptr;
  QRadioButton* countRadio_ = nullptr;
  QRadioButton* durationRadio_ = nullptr;
  DigitSpinEdit* count_ = nullptr;
  DigitSpinEdit* duration_ = nullptr;
  QCheckBox* timing_ = nullptr;
  QFrame* frame_ = nullptr;
  QCheckBox* timeCheck_ = nullptr;
  QCheckBox* dateCheck_ = nullptr;
  QCheckBox* weekCheck_ = nullptr;
  std::array<QWidget*, 4> timeRow_{};  // start label, start picker, end label, end picker
  std::array<QWidget*, 4> dateRow_{};
  std::array<QTimeEdit*, 2> times_{};
  std::array<QDateEdit*, 2> dates_{};
  std::array<QCheckBox*, 7> weekdays_{};
};
