#include "device/common/card_schedules.h"

#include <QSignalBlocker>

#include <algorithm>

#include <cstring>

#include "model/settings/fixed_texts.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"
#include "model/settings/ui/dlg_lang_text.h"

namespace {

// The three slots' values of one field of a schedule record.
using SlotValues = std::array<std::int32_t*, kScheduleSlots>;

QTime StoredTime(std::int32_t hour, std::int32_t minute) {
  const bool validHour = hour >= 0 && hour < 24;
  const bool validMinute = minute >= 0 && minute < 60;
  return QTime(validHour ? hour : 0, validMinute ? minute : 0);
}

struct SlotFields {
  SlotValues flag, startHour, startMinute, endHour, endMinute, level;
};

template <typename Schedule>
SlotFields FieldsOf(Schedule& s) {
  return {{&s.TimeFlag1, &s.TimeFlag2, &s.TimeFlag3},
          {&s.StartHour1, &s.StartHour2, &s.StartHour3},
          {&s.StartMinute1, &s.StartMinute2, &s.StartMinute3},
          {&s.EndHour1, &s.EndHour2, &s.EndHour3},
          {&s.EndMinute1, &s.EndMinute2, &s.EndMinute3},
          {}};
}

ScheduleSlots SlotsOf(const SlotFields& fields) {
  ScheduleSlots times;
  for (int i = 0; i < kScheduleSlots; ++i) {
    times[i].enabled = *fields.flag[i] != 0;
    times[i].start = StoredTime(*fields.startHour[i], *fields.startMinute[i]);
    times[i].end = StoredTime(*fields.endHour[i], *fields.endMinute[i]);
    if (fields.level[i] != nullptr) {
      const std::int32_t level = *fields.level[i];
      times[i].level = level >= 0 && level < kBrightnessLevels ? level : 0;
    }
  }
  return times;
}

void PutSlots(const ScheduleSlots& times, const SlotFields& fields) {
  for (int i = 0; i < kScheduleSlots; ++i) {
    *fields.flag[i] = times[i].enabled ? 1 : 0;
    *fields.startHour[i] = times[i].start.hour();
    *fields.startMinute[i] = times[i].start.minute();
    *fields.endHour[i] = times[i].end.hour();
    *fields.endMinute[i] = times[i].end.minute();
    if (fields.level[i] != nullptr) *fields.level[i] = times[i].level;
  }
}

SlotFields BrightnessFields(BrightnessSchedule& schedule) {
  SlotFields fields = FieldsOf(schedule);
  fields.level = {&schedule.BrightnessValue1, &schedule.BrightnessValue2,
                  &schedule.BrightnessValue3};
  return fields;
}

// A control is found by its id both as its object name and as its control id.
void Name(QWidget* control, int id) {
  control->setObjectName(QString::number(id));
  SetControlId(control, id);
}

// The darkest and brightest levels carry their words: "0(dark)", "15(bright)".
QString LevelText(int level) {
  constexpr int kBrightWord = 1008;
  constexpr int kDarkWord = 1009;
  const bool end = level == 0 || level == kBrightnessLevels - 1;
  if (!end) return QString::number(level);
  const QString word = ReadLangTextOrFixed(lang_section::IDD_TIMEBRIGHTNESSSET_DIALOG,
                                           level == 0 ? kDarkWord : kBrightWord);
  return FormatLangText(QStringLiteral("%1(%s)").arg(level), {word});
}

}  // namespace

ScheduleSlots PowerSlotsOf(const PowerSchedule& schedule) {
  PowerSchedule copy = schedule;
  return SlotsOf(FieldsOf(copy));
}

ScheduleSlots BrightnessSlotsOf(const BrightnessSchedule& schedule) {
  BrightnessSchedule copy = schedule;
  return SlotsOf(BrightnessFields(copy));
}

void PutPowerSlots(const ScheduleSlots& times, PowerSchedule& schedule) {
  PutSlots(times, FieldsOf(schedule));
}

void PutBrightnessSlots(const ScheduleSlots& times, BrightnessSchedule& schedule) {
  PutSlots(times, BrightnessFields(schedule));
}

// The stored schedules are laid out as the SDK's records.
static_assert(sizeof(PowerSchedule) == sizeof(TimeOnOffInfo));
static_assert(sizeof(BrightnessSchedule) == sizeof(TimeBrightnessInfo));

TimeOnOffInfo CardPowerSchedule(const PowerSchedule& schedule) {
  TimeOnOffInfo info{};
  std::memcpy(&info, &schedule, sizeof info);
  return info;
}

TimeBrightnessInfo CardBrightnessSchedule(const BrightnessSchedule& schedule) {
  TimeBrightnessInfo info{};
  std::memcpy(&info, &schedule, sizeof info);
  return info;
}

bool HasEnabledEmptySlot(const ScheduleSlots& times) {
  for (const ScheduleSlot& slot : times) {
    if (slot.enabled && slot.start.hour() == slot.end.hour() &&
        slot.start.minute() == slot.end.minute()) {
      return true;
    }
  }
  return false;
}

void ScheduleSlotRow::Create(QWidget* parent, const ScheduleSlotIds& ids) {
  check = new QCheckBox(parent);
  start = new QTimeEdit(parent);
  end = new QTimeEdit(parent);
  Name(check, ids.check);
  Name(start, ids.start);
  Name(end, ids.end);
  for (QTimeEdit* picker : {start, end}) picker->setDisplayFormat(QStringLiteral("HH:mm"));
  if (ids.level == 0) return;
  level = new QComboBox(parent);
  Name(level, ids.level);
  for (int i = 0; i < kBrightnessLevels; ++i) level->addItem(LevelText(i));
}

void ScheduleSlotRow::AddTo(QGridLayout& grid, int gridRow) const {
  grid.addWidget(check, gridRow, 0);
  grid.addWidget(start, gridRow, 1);
  grid.addWidget(end, gridRow, 2);
  if (level != nullptr) grid.addWidget(level, gridRow, 3);
}

void ScheduleSlotRow::Load(const ScheduleSlot& slot) {
  const QSignalBlocker checkBlocker(check), startBlocker(start), endBlocker(end);
  check->setChecked(slot.enabled);
  start->setTime(slot.start);
  end->setTime(slot.end);
  if (level != nullptr) {
    const QSignalBlocker levelBlocker(level);
    level->setCurrentIndex(slot.level);
  }
}

ScheduleSlot ScheduleSlotRow::Read() const {
  ScheduleSlot slot;
  slot.enabled = check->isChecked();
  slot.start = start->time();
  slot.end = end->time();
  if (level != nullptr) slot.level = std::max(level->currentIndex(), 0);
  return slot;
}

void ScheduleSlotRow::Enable(bool rowEnabled) {
  check->setEnabled(rowEnabled);
  const bool slotEnabled = rowEnabled && check->isChecked();
  start->setEnabled(slotEnabled);
  end->setEnabled(slotEnabled);
  if (level != nullptr) level->setEnabled(slotEnabled);
}

ScheduleSlots ReadSlots(const ScheduleSlotRows& rows) {
  ScheduleSlots times;
  for (int i = 0; i < kScheduleSlots; ++i) times[i] = rows[i].Read();
  return times;
}
