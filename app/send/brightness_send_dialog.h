#pragma once
// CSetBrightnessSendDlg (483): the modal callout of the send pane's brightness command.
// It chooses one fixed level, a schedule of three timed levels, or the end of the
// schedule, remembers its values in "setting.cfg" [BRIGHTNESS] and sends nothing
// itself. Escape and the close box end it as Exit.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTimeEdit>

#include <array>

#include "controls/dialogs/see_through_dialog.h"
#include "device/common/card_schedules.h"
#include "sdk/Corvanix.h"

class CSetBrightnessSendDlg : public SeeThroughDialog {
 public:
  enum Choice { kExit = 0, kSet = 1, kCancelBrightness = 2 };
  enum Mode { kTimed = 0, kManual = 1 };
  static constexpr int kSlotCount = kScheduleSlots;
  static constexpr int kMaxLevel = 15;
  static constexpr int kSetId = 1354;
  static constexpr int kCancelBrightnessId = 1355;
  static constexpr int kExitId = 1356;
  // The size with the English texts; Cancel brightness and Exit move right, and the
  // dialog widens, as far as a longer text needs.
  static constexpr QSize kClientSize{580, 262};
  static constexpr int kRightInset = 100;
  static constexpr int kBottomInset = 254;

  // A valid Set in timed mode fills schedule, which the caller hands in zero-filled.
  CSetBrightnessSendDlg(TimeBrightnessInfo& schedule, QWidget* parent = nullptr);

  Choice ChosenAction() const { return choice_; }
  Mode ChosenMode() const { return mode_; }
  int ManualLevel() const { return manualLevel_; }
  // False when Set could not write "setting.cfg".
  bool SettingsStored() const { return settingsStored_; }

  // The controls by slot (0-2), for the caller's tests.
  QRadioButton& ModeRadio(Mode mode) { return mode == kTimed ? timed_ : manual_; }
  QSlider& LevelSlider() { return slider_; }
  QCheckBox& SlotCheck(int slot) { return *slots_.at(slot).check; }
  QTimeEdit& SlotStart(int slot) { return *slots_.at(slot).start; }
  QTimeEdit& SlotEnd(int slot) { return *slots_.at(slot).end; }
  QComboBox& SlotLevel(int slot) { return *slots_.at(slot).level; }
  QPushButton& Button(int controlId);

  void OnSet();
  void reject() override;

 protected:
  void PaintSurface(QPainter& painter, QSize size) override;

 private:
  void CreateControls();
  void ApplyLanguage();
  void FitButtonRow();
  void LoadSettings();
  bool StoreSettings() const;
  void SwitchMode(Mode mode);
  void EnableSlot(int slot);
  void Finish(Choice choice);

  TimeBrightnessInfo& schedule_;
  Choice choice_ = kExit;
  Mode mode_ = kTimed;
  int manualLevel_ = kMaxLevel;
  bool settingsStored_ = true;
  QRadioButton timed_{this};
  QRadioButton manual_{this};
  std::array<QLabel, 3> columnLabels_;
  ScheduleSlotRows slots_;
  QSlider slider_{Qt::Horizontal, this};
  QLabel brightLabel_{this};
  QLabel darkLabel_{this};
  QPushButton set_{this};
  QPushButton cancelBrightness_{this};
  QPushButton exit_{this};
};
