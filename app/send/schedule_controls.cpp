#include "app/send/schedule_controls.h"

#include <algorithm>

#include "model/settings/settings_file.h"

namespace {

const QString kSettingsFile = QStringLiteral("setting.cfg");

}  // namespace

int ReadScheduleSetting(QLatin1StringView section, const QString& key, int fallback, int low,
                        int high) {
  const QString text = ReadIniString(section, key, kSettingsFile);
  if (text.isEmpty()) return fallback;
  const int value = ParseIniInt(text);
  return value < low || value > high ? fallback : value;
}

bool WriteScheduleSetting(QLatin1StringView section, const QString& key, int value) {
  return WriteIniInt(section, key, value, kSettingsFile);
}

bool HasSlotNotBeforeItsEnd(const ScheduleSlots& slotTimes) {
  return std::any_of(slotTimes.begin(), slotTimes.end(), [](const ScheduleSlot& slot) {
    return slot.enabled && slot.start >= slot.end;
  });
}

QTime ReadScheduleTime(QLatin1StringView section, const QString& hourKey, const QString& minuteKey,
                       int fallbackHour) {
  return QTime(ReadScheduleSetting(section, hourKey, fallbackHour, 0, 23),
               ReadScheduleSetting(section, minuteKey, 0, 0, 59));
}

bool WriteScheduleTime(QLatin1StringView section, const QString& hourKey, const QString& minuteKey,
                       QTime time) {
  const bool hourStored = WriteScheduleSetting(section, hourKey, time.hour());
  return WriteScheduleSetting(section, minuteKey, time.minute()) && hourStored;
}
