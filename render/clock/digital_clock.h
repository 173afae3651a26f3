#pragma once
// The preview's digital clock: a fixed text, the date, the weekday and the time in
// one font, on one line or one line each, drawn again only when the shown second
// changes. It is composed from the element table the card gets for the same record,
// as the card composes it.

#include <QImage>

#include <cstdint>
#include <optional>

#include "model/project/area_records.h"
#include "render/clock/layout_drawing.h"
#include "render/common/play_clock.h"

class CDigitalClockImage {
 public:
  // The clock reads the time from `clock`, which must outlive it.
  explicit CDigitalClockImage(const PlayClock& clock) : clock_(clock) {}
  virtual ~CDigitalClockImage() = default;
  CDigitalClockImage(const CDigitalClockImage&) = delete;
  CDigitalClockImage& operator=(const CDigitalClockImage&) = delete;

  // Set by the area player right after construction: the area's size, the record
  // (kept alive by the caller, read in place) and the tick its pass started at
  // (reset by the player at every restart).
  int width = 1;
  int height = 1;
  const DigitalClockAreaInfo* settings = nullptr;
  std::uint32_t startTick = 0;
  std::optional<ScreenColors> colors;  // of the area's screen; none: all channels

  // Fills area (a Format_RGB32 picture of the area's size) black and composes the
  // clock's elements for the clock time when its second differs from the last one
  // drawn; otherwise leaves it as it is. Returns 1; the area player ends a pass by
  // ClockPassOver(clock, startTick).
  int Draw(QImage& area);

 private:
  const PlayClock& clock_;
  int lastSecond_ = -1;
  CachedClockLayout<DigitalClockAreaInfo> layout_{&LayOutDigitalClock};
};
