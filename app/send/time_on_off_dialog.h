#pragma once
// CTimeOnOffLedSetDialog (433): the modal callout of the send pane's timed on/off
// command. It chooses a schedule of three power on/off slots, or its cancellation,
// remembers its values in "setting.cfg" [ONOFF_TIMEINFO] and sends nothing itself.
// OK ends it with QDialog::Accepted; Cancel, Escape and the close box with Rejected.

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimeEdit>

#include <array>

#include "controls/dialogs/see_through_dialog.h"
#include "device/common/card_schedules.h"
#include "sdk/Corvanix.h"

class CTimeOnOffLedSetDialog : public SeeThroughDialog {
 public:
  enum Choice { kSetTiming = 0, kCancelTiming = 1 };
  static constexpr int kSlotCount = kScheduleSlots;
  static constexpr QSize kClientSize{400, 230};
  static constexpr int kRightInset = 100;
  static constexpr int kBottomInset = 220;

  // OK fills schedule, which the caller hands in zero-filled.
  CTimeOnOffLedSetDialog(TimeOnOffInfo& schedule, QWidget* parent = nullptr);

  Choice ChosenAction() const { return choice_; }
  // False when OK could not write "setting.cfg".
  bool SettingsStored() const { return settingsStored_; }

  QRadioButton& ChoiceRadio(Choice choice) { return choice == kSetTiming ? set_ : cancel_; }
  QCheckBox& SlotCheck(int slot) { return *slots_.at(static_cast<std::size_t>(slot)).check; }
  QTimeEdit& SlotOn(int slot) { return *slots_.at(static_cast<std::size_t>(slot)).start; }
  QTimeEdit& SlotOff(int slot) { return *slots_.at(static_cast<std::size_t>(slot)).end; }
  QPushButton& OkButton() { return ok_; }
  QPushButton& CancelButton() { return cancelButton_; }

  void OnOK();

 protected:
  void PaintSurface(QPainter& painter, QSize size) override;

 private:
  void CreateControls();
  void ApplyLanguage();
  void LoadSettings();
  bool StoreSettings() const;
  void EnableSlot(int slot);

  TimeOnOffInfo& schedule_;
  Choice choice_ = kSetTiming;
  bool settingsStored_ = true;
  QRadioButton set_{this};
  QRadioButton cancel_{this};
  QLabel onLabel_{this};
  QLabel offLabel_{this};
  ScheduleSlotRows slots_;
  QPushButton ok_{this};
  QPushButton cancelButton_{this};
};
