#pragma once
// What the two schedule dialogs of the send pane share: their remembered values in
// "setting.cfg" and the time pickers of their slots.

#include <QLatin1StringView>
#include <QString>
#include <QTime>

class QRect;
class QTimeEdit;
class QWidget;

// The number stored under the key of "setting.cfg"; fallback when the key is absent
// or its value lies outside low-high, so a damaged file opens as a first run would.
int ReadScheduleSetting(QLatin1StringView section, const QString& key, int fallback, int low,
                        int high);

// Stores the number as decimal text; false when "setting.cfg" cannot be written.
[[nodiscard]] bool WriteScheduleSetting(QLatin1StringView section, const QString& key, int value);

// A time picker showing "HH:mm", with its control id, at rect in parent.
QTimeEdit* MakeTimePicker(QWidget* parent, int controlId, const QRect& rect);

// The hour and minute stored under the keys; each missing or out of range one
// takes fallbackHour or minute 0.
QTime ReadScheduleTime(QLatin1StringView section, const QString& hourKey, const QString& minuteKey,
                       int fallbackHour);
[[nodiscard]] bool WriteScheduleTime(QLatin1StringView section, const QString& hourKey,
                                     const QString& minuteKey, QTime time);
