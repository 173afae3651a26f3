#pragma once
// The date and time groups of the clocks: which numbers, unit words and separators
// stand in a row, by the fields shown and the record's DateFormat or TimeFormat.
// Each element's x is its place within the group: the widths before it, counting a
// four-digit year as 4w, every other number as 2w, a unit word as k and a
// separator as its measured width. A format outside the known ones counts as 0. The
// builders return false when a word's strip cannot be drawn.

#include <QFont>

#include "render/clock_layout/clock_elements.h"

struct DateFields {
  bool year = false;
  bool month = false;
  bool day = false;
};

struct TimeFields {
  bool hour = false;
  bool minute = false;
  bool second = false;
};

// Date formats 0-7: 0 "Y年M月D日", 1 the same with a two-digit year, 2 "M/D/Y",
// 3 "Y/M/D", 4 "Y-M-D", 5 "Y.M.D", 6 "M.D.Y", 7 "D.M.Y".
[[nodiscard]] bool BuildDateGroup(const QFont& font, const FontMeasures& measures,
                                  DateFields fields, int dateFormat, int colorBits,
                                  ElementGroup& group);

// Time formats 0-6: 0 "H时Mi分S秒", 1 the same with "時", 2-6 "H:Mi:S"; 0-2 count
// the hour on the 24-hour clock, 3-6 on the 12-hour clock.
[[nodiscard]] bool BuildTimeGroup(const QFont& font, const FontMeasures& measures,
                                  TimeFields fields, int timeFormat, int colorBits,
                                  ElementGroup& group);

// Where a time format puts its AM/PM element.
enum class AmPmPlace { None, Front, Behind };

struct AmPmStyle {
  AmPmPlace place = AmPmPlace::None;
  bool english = false;
};

// Formats 3 and 5 use the Chinese words, 4 and 6 the English ones; 3 and 4 put
// them in front of the time, 5 and 6 behind it.
AmPmStyle AmPmStyleOf(int timeFormat);
