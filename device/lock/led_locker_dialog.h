#pragma once
// CLedLockerDialog: task pane 9, the administrator's pane behind the access code. It
// tells the current screen's card to lock itself at a chosen date and time, or to
// cancel that lock, and keeps the lock in the screen's record.

#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QTimeEdit>

#include "controls/shell/task_pane.h"
#include "device/common/device_command.h"
#include "render/common/play_clock.h"

class CLedLockerDialog : public TaskPane {
 public:
  // The pickers start at the clock's local time. Without `ask` messages go through
  // ShowStyleMessage.
  explicit CLedLockerDialog(QWidget* parent, const PlayClock& clock = SystemPlayClock(),
                            AskUser ask = {});

  // Shows the current screen's stored lock date and time; a screen never locked (no
  // valid date) leaves the pickers as they are.
  void LoadLockTime();
  // Locks the current screen's card at the pickers' date and time (34-36).
  void OnLock();
  // Cancels the card's lock (37-39).
  void OnUnlock();
  void ApplyLanguage();

  QDateEdit& DatePicker() { return date_; }
  QTimeEdit& TimePicker() { return time_; }
  QPushButton& LockButton() { return lock_; }
  QPushButton& UnlockButton() { return unlock_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  AskUser ask_;
  QLabel label_;
  QDateEdit date_;
  QTimeEdit time_;
  QPushButton lock_;
  QPushButton unlock_;
  QString caption_;
};
