#pragma once
// CDigitalClockDialog (IDD_DIGITALCLOCK_DIALOG): the page of a digital clock area. It
// edits the date, time and weekday formats and colours, which parts are shown, one or
// several lines, the time difference from local time (TimeLagType 1 "+" runs ahead,
// 0 "-" behind: the opposite of the analog clock's record), and a fixed text with its
// font, in the area's DigitalClockAreaInfo (see clock_page.h for how a page edits its
// record). HourType and YearType are not the page's: they keep their values.

#include <array>

#include "editors/clock/clock_page.h"
#include "model/project/area_records.h"

class QRadioButton;
class QCheckBox;

class CDigitalClockDialog : public ClockPage<DigitalClockAreaInfo> {
 public:
  explicit CDigitalClockDialog(QWidget* parent);

  // The labels', checks' and radios' texts from the language file.
  void ApplyLanguage();

  QComboBox& DateFormatList() { return *dateFormat_; }
  QComboBox& TimeFormatList() { return *timeFormat_; }
  QComboBox& WeekFormatList() { return *weekFormat_; }
  QComboBox& SignList() { return *sign_; }
  QTimeEdit& OffsetPicker() { return *offset_; }
  // Year, month, day, weekday, hour, minute, second.
  QCheckBox& PartCheck(int part) { return *parts_[static_cast<std::size_t>(part)]; }
  QRadioButton& SingleLineRadio() { return *single_; }
  QRadioButton& SeveralLinesRadio() { return *several_; }
  QLineEdit& TextEdit() { return *text_; }

 private:
  QComboBox* dateFormat_ = nullptr;
  QComboBox* timeFormat_ = nullptr;
  QComboBox* weekFormat_ = nullptr;
  QComboBox* sign_ = nullptr;
  QTimeEdit* offset_ = nullptr;
  std::array<QCheckBox*, 7> parts_{};
  QRadioButton* single_ = nullptr;
  QRadioButton* several_ = nullptr;
  QLineEdit* text_ = nullptr;
};
