#pragma once
// CClockDialog (IDD_CLOCK_DIALOG): the page of an analog clock area. It edits the
// face shape, the time difference from local time (TimeLagType 0 "+" runs ahead, 1
// "-" behind), the hour and minute marks (type, size, colour), the three hands'
// colours and a custom text with its font, in the area's ClockAreaInfo (see
// clock_page.h for how a page edits its record). The hands' widths and the date and
// weekday lines are not the page's: they keep the values the record came with.

#include "editors/clock/clock_page.h"
#include "model/project/area_records.h"

class CClockDialog : public ClockPage<ClockAreaInfo> {
 public:
  // The largest font size the page stores; a larger typed size stores this.
  static constexpr int kMaxFontSize = 200;

  explicit CClockDialog(QWidget* parent);

  // The labels' texts and the face and mark lists from the language file; the lists
  // keep their selections.
  void ApplyLanguage();

  QComboBox& FaceTypeList() { return *faceType_; }
  QComboBox& SignList() { return *sign_; }
  QTimeEdit& OffsetPicker() { return *offset_; }
  QComboBox& HourMarkTypeList() { return *hourMarkType_; }
  QComboBox& HourMarkSizeList() { return *hourMarkSize_; }
  QComboBox& MinuteMarkTypeList() { return *minuteMarkType_; }
  QComboBox& MinuteMarkSizeList() { return *minuteMarkSize_; }
  QLineEdit& TextEdit() { return *text_; }

 protected:
  void Load(const ClockAreaInfo& record) override;

 private:
  QComboBox* AddMarkSizeList(int id, const QRect& place, std::int32_t ClockAreaInfo::*field);

  QComboBox* faceType_ = nullptr;
  QComboBox* sign_ = nullptr;
  QTimeEdit* offset_ = nullptr;
  QComboBox* hourMarkType_ = nullptr;
  QComboBox* hourMarkSize_ = nullptr;
  QComboBox* minuteMarkType_ = nullptr;
  QComboBox* minuteMarkSize_ = nullptr;
  QLineEdit* text_ = nullptr;
};
