#pragma once
// CTimeOnOffDialog (template 480): the timed power on/off schedule of three slots,
// sent to the current screen's card, or cancelled. It works on a copy of the screen's
// schedule (LoadFromScreen); the main window stores the dialog's values back into the
// screen once it closes. Modal; it takes its texts when it opens.

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "device/common/card_schedules.h"
#include "device/common/device_command.h"
#include "model/project/project_records.h"

class CTimeOnOffDialog : public QDialog {
 public:
  // Without `ask` messages go through ShowStyleMessage.
  explicit CTimeOnOffDialog(QWidget* parent, AskUser ask = {});

  // Takes the screen's link, schedule mode, slot flags and times into the controls.
  void LoadFromScreen(const ScreenRecord& screen);
  // Writes the dialog's mode, flags and times into the screen's timed power block.
  void StoreToScreen(ScreenRecord& screen) const;

  // Sends the schedule (all zero when it is off) to the card.
  void OnSend();
  void ApplyLanguage();

  QRadioButton& ScheduleOnRadio() { return scheduleOn_; }
  QRadioButton& ScheduleOffRadio() { return scheduleOff_; }
  const ScheduleSlotRow& SlotRow(int slot) const { return rows_[slot]; }
  QPushButton& SendButton() { return send_; }

 private:
  void EnableByMode();

  AskUser ask_;
  ScreenRecord screen_{};  // the link and send type of the loaded screen
  QRadioButton scheduleOff_;
  QRadioButton scheduleOn_;
  QLabel onLabel_, offLabel_;
  ScheduleSlotRows rows_;
  QPushButton send_;
};
