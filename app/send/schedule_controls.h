#pragma once
// What the two schedule dialogs of the send pane share: their remembered values in
// "setting.cfg" and the check of their slots.

#include <QLatin1StringView>
#include <QString>
#include <QTime>

#include "device/common/card_schedules.h"

// The number stored under the key of "setting.cfg"; fallback when the key is absent
// or its value lies outside low-high, so a damaged file opens as a first run would.
int ReadScheduleSetting(QLatin1StringView section, const QString& key, int fallback, int low,
                        int high);

// Stores the number as decimal text; false when "setting.cfg" cannot be written.
[[nodiscard]] bool WriteScheduleSetting(QLatin1StringView section, const QString& key, int value);

// True when an enabled slot does not start before it ends: the send pane's schedules
// run within one day.
bool HasSlotNotBeforeItsEnd(const ScheduleSlots& slotTimes);

// The hour and minute stored under the keys; each missing or out of range one
// takes fallbackHour or minute 0.
QTime ReadScheduleTime(QLatin1StringView section, const QString& hourKey, const QString& minuteKey,
                       int fallbackHour);
[[nodiscard]] bool WriteScheduleTime(QLatin1StringView section, const QString& hourKey,
                                     const QString& minuteKey, QTime time);
