#pragma once
// CTimeBrightnessSetDialog (template 490): the brightness of the current screen's
// card, a fixed level or a schedule of three slots, edited in the screen's brightness
// block in place and sent to the card; the schedule can be cancelled. Modal; it takes
// its texts when it opens.

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include "device/common/card_schedules.h"
#include "device/common/device_command.h"
#include "model/project/project_records.h"

class CTimeBrightnessSetDialog : public QDialog {
 public:
  // The screen must outlive the dialog. Without `ask` messages go through
  // ShowStyleMessage.
  CTimeBrightnessSetDialog(ScreenRecord& screen, QWidget* parent, AskUser ask = {});

  // Sends the level (manual) or the schedule (by time) to the card.
  void OnSend();
  // Clears the three slot flags; by time, sends the cleared schedule.
  void OnCancelSchedule();
  void ApplyLanguage();

  QRadioButton& ByTimeRadio() { return byTime_; }
  QRadioButton& ManualRadio() { return manual_; }
  QSlider& LevelSlider() { return level_; }
  const ScheduleSlotRow& SlotRow(int slot) const { return rows_[slot]; }
  QPushButton& SendButton() { return send_; }
  QPushButton& CancelScheduleButton() { return cancelSchedule_; }

  // Closing stores the slider's level into the screen.
  void done(int result) override;

 private:
  void LoadFromScreen();
  void OnModeChosen();
  void StoreSlots();
  void EnableByMode();
  void StoreLevel();
  // Sends the screen's schedule as it stands (43-45) and shows the USB notice.
  void SendSchedule();

  ScreenRecord& screen_;
  AskUser ask_;
  QRadioButton byTime_;
  QRadioButton manual_;
  QSlider level_;
  QLabel dark_, bright_;
  QLabel startLabel_, endLabel_, levelLabel_;
  ScheduleSlotRows rows_;
  QPushButton send_;
  QPushButton cancelSchedule_;
};
