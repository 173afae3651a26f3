#include "editors/program_page/program_dialog.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <QTimeEdit>

#include <algorithm>

#include "controls/shell/program_messages.h"
#include "controls/support/digit_spin_edit.h"
#include "editors/page_parts/picker_values.h"
#include "editors/page_parts/retext_node.h"
#include "model/common/bounded_text.h"
#include "model/painting/painting_helpers.h"
#include "model/project/project_globals.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"
#include "model/settings/ui/dlg_lang_text.h"

namespace {

constexpr int kCaptionText = 1021;
constexpr int kNameKept = 63;
constexpr int kCountDigits = 3;
constexpr int kDurationDigits = 5;
constexpr int kFirstWeekdayId = 1058;
constexpr int kFirstWeekdayText = 1014;
// Control ids and their text numbers.
constexpr int kLangTexts[][2] = {{1075, 1000}, {1076, 1001}, {1077, 1002}, {1078, 1003},
                                 {1521, 1004}, {1522, 1005}, {1073, 1006}, {1027, 1007},
                                 {1069, 1008}, {1070, 1009}, {1028, 1010}, {1071, 1011},
                                 {1072, 1012}, {1031, 1013}};
constexpr int kEditHeight = 22;
constexpr int kWeekdaysPerRow = 4;

ProgramRecord* SelectedProgram() {
  return CurrentSelection ? CurrentSelection->Program() : nullptr;
}

template <typename Control>
Control* Make(QWidget* page, int id, const QRect& place) {
  auto* control = new Control(page);
  SetControlId(control, id);
  control->setGeometry(place);
  return control;
}

}  // namespace

CProgramDialog::CProgramDialog(QWidget* parent, std::function<void(int ms)> pause)
    : QWidget(parent), pause_(std::move(pause)), slide_(this) {
  CreatePlayControls();
  CreateScheduleControls();
  ApplyLanguage();
}

void CProgramDialog::CreatePlayControls() {
  Make<QLabel>(this, 1075, QRect(14, 34, 95, 20));
  name_ = Make<QLineEdit>(this, 1029, QRect(110, 32, 260, kEditHeight));
  name_->setMaxLength(kNameKept);
  connect(name_, &QLineEdit::textEdited, this, [this] { OnNameEdited(); });

  Make<QLabel>(this, 1076, QRect(14, 62, 95, 20));
  countRadio_ = Make<QRadioButton>(this, 1077, QRect(110, 60, 122, kEditHeight));
  durationRadio_ = Make<QRadioButton>(this, 1078, QRect(110, 86, 122, kEditHeight));
  count_ = new DigitSpinEdit(kCountDigits, kCountMax, this);
  count_->SetIds(1032, 1053);
  count_->setGeometry(236, 60, 64, kEditHeight);
  duration_ = new DigitSpinEdit(kDurationDigits, kDurationMax, this);
  duration_->SetIds(1030, 1052);
  duration_->setGeometry(236, 86, 64, kEditHeight);
  Make<QLabel>(this, 1521, QRect(306, 62, 90, 20));
  Make<QLabel>(this, 1522, QRect(306, 88, 90, 20));
  connect(countRadio_, &QRadioButton::clicked, this, [this] { OnPlayMode(false); });
  connect(durationRadio_, &QRadioButton::clicked, this, [this] { OnPlayMode(true); });
  count_->onEdited = [this] { OnTypedValue(false); };
  duration_->onEdited = [this] { OnTypedValue(true); };
  count_->onStepped = [this](int delta) { OnStep(false, delta); };
  duration_->onStepped = [this](int delta) { OnStep(true, delta); };
}

void CProgramDialog::CreateScheduleControls() {
  frame_ = Make<QFrame>(this, 1074, QRect(6, 124, 506, 187));
  frame_->setFrameShape(QFrame::StyledPanel);
  timing_ = Make<QCheckBox>(this, 1073, QRect(14, 112, 220, 20));
  timing_->raise();
  connect(timing_, &QCheckBox::clicked, this, [this](bool on) { OnTimingCheck(on); });

  timeCheck_ = Make<QCheckBox>(this, 1027, QRect(20, 134, 200, 20));
  timeRow_ = {Make<QLabel>(this, 1069, QRect(40, 162, 80, 20)),
              Make<QTimeEdit>(this, 1054, QRect(124, 160, 80, kEditHeight)),
              Make<QLabel>(this, 1070, QRect(240, 162, 80, 20)),
              Make<QTimeEdit>(this, 1055, QRect(324, 160, 80, kEditHeight))};
  dateCheck_ = Make<QCheckBox>(this, 1028, QRect(20, 205, 200, 20));
  dateRow_ = {Make<QLabel>(this, 1071, QRect(40, 229, 80, 20)),
              Make<QDateEdit>(this, 1056, QRect(124, 227, 110, kEditHeight)),
              Make<QLabel>(this, 1072, QRect(240, 229, 80, 20)),
              Make<QDateEdit>(this, 1057, QRect(324, 227, 110, kEditHeight))};
  weekCheck_ = Make<QCheckBox>(this, 1031, QRect(20, 257, 200, 19));
  for (std::size_t end = 0; end < 2; ++end) {
    times_[end] = static_cast<QTimeEdit*>(timeRow_[1 + 2 * end]);
    times_[end]->setDisplayFormat(QStringLiteral("HH:mm"));
    dates_[end] = static_cast<QDateEdit*>(dateRow_[1 + 2 * end]);
    dates_[end]->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    dates_[end]->setCalendarPopup(true);
    dates_[end]->setMinimumDate(QDate(kEarliestYear, 1, 1));
    connect(times_[end], &QTimeEdit::timeChanged, this, [this, end] { OnTimeChanged(end); });
    connect(dates_[end], &QDateEdit::dateChanged, this, [this, end] { OnDateChanged(end); });
  }
  for (int day = 0; day < 7; ++day) {
    const QRect place(40 + (day % kWeekdaysPerRow) * 116, 276 + (day / kWeekdaysPerRow) * 17, 112,
                      17);
    QCheckBox* check = Make<QCheckBox>(this, kFirstWeekdayId + day, place);
    connect(check, &QCheckBox::clicked, this, [this, day](bool on) { OnWeekday(day, on); });
    weekdays_[static_cast<std::size_t>(day)] = check;
  }
  connect(timeCheck_, &QCheckBox::clicked, this, [this](bool on) {
    if (ProgramRecord* program = SelectedProgram()) program->IsTime = on;
    EnableSchedule();
  });
  connect(dateCheck_, &QCheckBox::clicked, this, [this](bool on) {
    if (ProgramRecord* program = SelectedProgram()) program->IsDate = on;
    EnableSchedule();
  });
  connect(weekCheck_, &QCheckBox::clicked, this, [this](bool on) {
    if (ProgramRecord* program = SelectedProgram()) program->IsWeek = on;
    EnableSchedule();
  });
}

LRESULT CProgramDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == UM_LOAD_SELECTION) {
    Load();
    return 0;
  }
  return MessageWindow::WindowProc(msg, wParam, lParam);
}

void CProgramDialog::ApplyLanguage() {
  for (const auto& [id, text] : kLangTexts) {
    static_cast<void>(SetDlgItemLangText(this, id, lang_section::IDD_PROGRAM_DIALOG, text));
  }
  for (int day = 0; day < 7; ++day) {
    static_cast<void>(SetDlgItemLangText(
        this, kFirstWeekdayId + day, lang_section::IDD_PROGRAM_DIALOG, kFirstWeekdayText + day));
  }
  caption_ = ReadLangText(lang_section::IDD_PROGRAM_DIALOG, kCaptionText);
  update();
}

void CProgramDialog::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  DrawPanelFrameClient(caption_, false, true, this, painter);
  if (!timingShown_) return;
  painter.setPen(QPen(QColor(119, 196, 243), 2));
  painter.drawLine(60, 199, 500, 199);
  painter.drawLine(60, 253, 500, 253);
}

void CProgramDialog::Load() {
  const ProgramRecord* program = SelectedProgram();
  if (!program) return;
  loading_ = true;
  name_->setText(ReadBoundedText(program->ProgramName));
  countRadio_->setChecked(program->StopType == 0);
  durationRadio_->setChecked(program->StopType != 0);
  duration_->ShowValue(program->PlayTime);
  count_->ShowValue(program->LoopCount);
  EnablePlayMode(program->StopType != 0);
  timing_->setChecked(program->IsProgramTiming != 0);
  timeCheck_->setChecked(program->IsTime != 0);
  dateCheck_->setChecked(program->IsDate != 0);
  weekCheck_->setChecked(program->IsWeek != 0);
  LoadPickers(*program);
  for (std::size_t day = 0; day < weekdays_.size(); ++day) {
    weekdays_[day]->setChecked((program->WeekVaule >> ((day + 1) % 7)) & 1);
  }
  loading_ = false;
  Slide(program->IsProgramTiming != 0);
  EnableSchedule();
}

void CProgramDialog::LoadPickers(const ProgramRecord& program) {
  // Out-of-range stored values show as the nearest valid ones; the record keeps them
  // until the user edits the picker.
  times_[0]->setTime(NearestTime(program.StartHour, program.StartMinute, program.StartSecond));
  times_[1]->setTime(NearestTime(program.EndHour, program.EndMinute, program.EndSecond));
  dates_[0]->setDate(NearestDate(program.StartYear, program.StartMonth, program.StartDay));
  dates_[1]->setDate(NearestDate(program.EndYear, program.EndMonth, program.EndDay));
}

void CProgramDialog::EnablePlayMode(bool byDuration) {
  duration_->setEnabled(byDuration);
  count_->setEnabled(!byDuration);
}

void CProgramDialog::EnableSchedule() {
  for (QWidget* control : timeRow_) control->setEnabled(timeCheck_->isChecked());
  for (QWidget* control : dateRow_) control->setEnabled(dateCheck_->isChecked());
  for (QCheckBox* check : weekdays_) check->setEnabled(weekCheck_->isChecked());
}

void CProgramDialog::OnNameEdited() {
  ProgramRecord* program = SelectedProgram();
  if (!program) return;
  static_cast<void>(CopyBoundedText(program->ProgramName, name_->text()));
  RetextSelectedNode(*this);
}

void CProgramDialog::OnPlayMode(bool byDuration) {
  EnablePlayMode(byDuration);
  if (ProgramRecord* program = SelectedProgram()) program->StopType = byDuration ? 1 : 0;
}

void CProgramDialog::OnTypedValue(bool duration) {
  ProgramRecord* program = SelectedProgram();
  const std::optional<int> value = (duration ? duration_ : count_)->Value();
  if (!program || !value) return;  // an emptied edit leaves the record as it was
  (duration ? program->PlayTime : program->LoopCount) = *value;
}

void CProgramDialog::OnStep(bool duration, int delta) {
  ProgramRecord* program = SelectedProgram();
  if (!program) return;
  DigitSpinEdit& edit = duration ? *duration_ : *count_;
  std::int32_t& field = duration ? program->PlayTime : program->LoopCount;
  const int value =
      std::clamp(edit.Value().value_or(field) + delta, 1, duration ? kDurationMax : kCountMax);
  edit.ShowValue(value);
  field = value;
}

void CProgramDialog::OnTimingCheck(bool on) {
  Slide(on);
  if (ProgramRecord* program = SelectedProgram()) program->IsProgramTiming = on;
}

void CProgramDialog::OnTimeChanged(bool end) {
  ProgramRecord* program = SelectedProgram();
  if (loading_ || !program) return;
  const QTime time = times_[end]->time();
  const bool valid = time.isValid();
  (end ? program->EndHour : program->StartHour) = valid ? time.hour() : -1;
  (end ? program->EndMinute : program->StartMinute) = valid ? time.minute() : -1;
  (end ? program->EndSecond : program->StartSecond) = valid ? time.second() : -1;
}

void CProgramDialog::OnDateChanged(bool end) {
  ProgramRecord* program = SelectedProgram();
  if (loading_ || !program) return;
  const QDate date = dates_[end]->date();
  const bool valid = date.isValid();
  (end ? program->EndYear : program->StartYear) = valid ? date.year() : 0;
  (end ? program->EndMonth : program->StartMonth) = valid ? date.month() : 0;
  (end ? program->EndDay : program->StartDay) = valid ? date.day() : 0;
}

void CProgramDialog::OnWeekday(int day, bool checked) {
  ProgramRecord* program = SelectedProgram();
  if (!program) return;
  const std::int32_t bit = 1 << ((day + 1) % 7);  // Monday bit 1 ... Sunday bit 0
  program->WeekVaule = checked ? (program->WeekVaule | bit) : (program->WeekVaule & ~bit);
}
