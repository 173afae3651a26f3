#pragma once
// The element tables of the countdown, the digital clock and the analog clock's date
// and weekday lines: kinds, places, widths, colour bits and glyph strips, worked out
// once for both the card (the SDK writes them into its blocks) and the preview (which
// composes them as the card does), so that the two cannot drift apart.
//
// Places are relative to the area's top-left corner. A place that works out below 0
// is 0: the element starts at the area's edge, and the card cuts it where it runs past
// the area, as it cuts anything. Text must be drawable (a QGuiApplication exists).

#include <vector>

#include "model/project/area_records.h"
#include "render/clock_layout/clock_elements.h"
#include "render/clock_layout/glyph_strips.h"

struct ClockLayout {
  std::vector<ClockElement> elements;  // in the order of the card's element table
  // The digit strip "0123456789: " every number element draws from; rendered by the
  // countdown always, by the clocks when they have a number element.
  GlyphStrip digits;
};

// The countdown of an area width x height: each counter shown with its unit word
// behind it, chained on one line, and the fixed text, which goes last in the table
// wherever it is drawn. False when a strip cannot be drawn.
[[nodiscard]] bool LayOutCountdown(const TimeAreaInfo& info, int width, int height,
                                   ClockLayout& layout);

// The digital clock of an area width x height: the date, time, weekday, AM/PM and
// fixed text elements (or a placeholder when nothing is shown), on one line or one
// line each. False when a strip cannot be drawn.
[[nodiscard]] bool LayOutDigitalClock(const DigitalClockAreaInfo& info, int width, int height,
                                      ClockLayout& layout);

// The analog clock's date and weekday lines, centred in the lower half of an area
// width x height; no elements when neither is shown. False when a strip cannot be
// drawn.
[[nodiscard]] bool LayOutAnalogClockLines(const ClockAreaInfo& info, int width, int height,
                                          ClockLayout& layout);
