#include "render/clock/digital_clock.h"

#include <ctime>

#include "render/clock/clock_time.h"
#include "render/raster/fill_rect.h"

int CDigitalClockImage::Draw(QImage& area) {
  if (settings == nullptr) return 1;
  const DigitalClockAreaInfo& info = *settings;
  const std::optional<std::tm> time = LocalTime(
      DigitalClockSeconds(clock_.NowSeconds(), info.TimeLagType, info.HourNum, info.MiniteNum));
  if (!time || time->tm_sec == lastSecond_) return 1;
  lastSecond_ = time->tm_sec;
  FillRect(area, PixelRectOfSize(width, height), 0);
  DrawClockLayout(area, layout_.Get(info, width, height), ClockValues(*time), colors);
  return 1;
}
