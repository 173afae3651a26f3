#pragma once
// CTimeDialog (IDD_TIME_DIALOG): the page of a countdown area. It edits the date and
// time counted down to, the units shown, the display format, one or several lines, a
// custom text, the colours of the count and the text, and the font, in the area's
// TimeAreaInfo (see clock_page.h for how a page edits its record).

#include <array>

#include "editors/clock/clock_page.h"
#include "model/project/area_records.h"

class QCheckBox;
class QDateEdit;
class QRadioButton;

class CTimeDialog : public ClockPage<TimeAreaInfo> {
 public:
  explicit CTimeDialog(QWidget* parent);

  // The labels', checks' and radios' texts from the language file.
  void ApplyLanguage();

  QComboBox& FormatList() { return *format_; }
  QDateEdit& DatePicker() { return *date_; }
  QTimeEdit& TimePicker() { return *time_; }
  // Days, hours, minutes, seconds.
  QCheckBox& UnitCheck(int unit) { return *units_[static_cast<std::size_t>(unit)]; }
  QRadioButton& SingleLineRadio() { return *single_; }
  QRadioButton& SeveralLinesRadio() { return *several_; }
  QLineEdit& TextEdit() { return *text_; }

 protected:
  void Load(const TimeAreaInfo& record) override;

 private:
  void OnDateChanged(QDate date);

  QComboBox* format_ = nullptr;
  QDateEdit* date_ = nullptr;
  QTimeEdit* time_ = nullptr;
  std::array<QCheckBox*, 4> units_{};
  QRadioButton* single_ = nullptr;
  QRadioButton* several_ = nullptr;
  QLineEdit* text_ = nullptr;
};
