#pragma once
// The three-slot timed schedules of a screen (power on/off and brightness) as the
// schedule dialogs show and edit them, and as the SDK sends them to a card; also the
// controls of one slot row, which every schedule dialog lays out the same way.

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QTime>
#include <QTimeEdit>

#include <array>

#include "model/project/project_records.h"
#include "sdk/Corvanix.h"

constexpr int kScheduleSlots = 3;
constexpr int kBrightnessLevels = 16;  // 0 (darkest) to 15 (brightest)

// One slot: its enable flag, the times of day it starts and ends (power: on and off)
// and, for brightness, its level.
struct ScheduleSlot {
  bool enabled = false;
  QTime start{0, 0};
  QTime end{0, 0};
  int level = 0;
};
using ScheduleSlots = std::array<ScheduleSlot, kScheduleSlots>;

// The slots of a stored schedule; an hour or minute outside its range reads as 0.
ScheduleSlots PowerSlotsOf(const PowerSchedule& schedule);
ScheduleSlots BrightnessSlotsOf(const BrightnessSchedule& schedule);
// Writes the slots into a stored schedule (flags 0 or 1, hours, minutes, levels).
void PutPowerSlots(const ScheduleSlots& times, PowerSchedule& schedule);
void PutBrightnessSlots(const ScheduleSlots& times, BrightnessSchedule& schedule);

// The SDK's records of a stored schedule, field for field.
TimeOnOffInfo CardPowerSchedule(const PowerSchedule& schedule);
TimeBrightnessInfo CardBrightnessSchedule(const BrightnessSchedule& schedule);

// True when an enabled slot starts at the minute it ends: such a schedule is refused.
bool HasEnabledEmptySlot(const ScheduleSlots& times);

// The control ids of one slot row; a level id of 0 for a row without a level list.
struct ScheduleSlotIds {
  int check = 0, start = 0, end = 0, level = 0;
};

// The controls of one slot row: its check, its two "HH:mm" pickers and, for
// brightness, its level list ("0(dark)", "1" ... "14", "15(bright)" in the language's
// words). The dialog owns them.
struct ScheduleSlotRow {
  QCheckBox* check = nullptr;
  QTimeEdit* start = nullptr;
  QTimeEdit* end = nullptr;
  QComboBox* level = nullptr;  // null in a power schedule

  // Makes the controls as children of parent, named by their ids (object name and
  // control id): the pickers with
  // format "HH:mm", the level list filled.
  void Create(QWidget* parent, const ScheduleSlotIds& ids);
  // Lays the row out in the grid's row from column 0: check, start, end, level.
  void AddTo(QGridLayout& grid, int gridRow) const;
  // Shows the slot with signals blocked, so that no edit handler runs.
  void Load(const ScheduleSlot& slot);
  ScheduleSlot Read() const;
  // The check follows rowEnabled; the pickers and level list need the check on too.
  void Enable(bool rowEnabled);
};
using ScheduleSlotRows = std::array<ScheduleSlotRow, kScheduleSlots>;

ScheduleSlots ReadSlots(const ScheduleSlotRows& rows);
