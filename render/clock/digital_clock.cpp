#include "render/clock/digital_clock.h"

#include <algorithm>
#include <cmath>
#include <ctime>

#include "model/common/bounded_text.h"
#include "render/clock/clock_time.h"
#include "render/clock/digital_clock_text.h"
#include "render/raster/fill_rect.h"
#include "render/raster/gdi_text.h"

namespace {

// One text of a layout, its colour and its extent (0 x 0 when empty).
struct Line {
  QString text;
  ColorRef color = 0;
  QSize extent;
};

Line Measured(const QFont& font, const QString& text, ColorRef color) {
  return {text, color, text.isEmpty() ? QSize(0, 0) : TextExtent(font, text)};
}

void DrawLine(QImage& area, const QFont& font, const Line& line, int x, int y) {
  if (!line.text.isEmpty()) DrawTextTopLeft(area, x, y, line.text, font, line.color);
}

}  // namespace

int CDigitalClockImage::Draw(QImage& area) {
  if (settings == nullptr) return 1;
  const DigitalClockAreaInfo& info = *settings;
  clockTime_ = DigitalClockSeconds(clock_.NowSeconds(), info.TimeLagType, info.HourNum,
                                   info.MiniteNum);
  const std::optional<std::tm> time = LocalTime(clockTime_);
  if (!time || time->tm_sec == lastSecond_) return 1;
  lastSecond_ = time->tm_sec;
  BuildTexts(*time);
  FillRect(area, PixelRectOfSize(width, height), 0);
  const QFont font = ShowStrFont(info);
  QString fixed = ReadBoundedText(info.FixedText);
  if (!fixed.isEmpty()) fixed += u' ';
  if (info.IsMutleLineShow) {
    DrawLines(area, font, fixed);
  } else {
    DrawSingleLine(area, font, fixed);
  }
  return 1;
}

void CDigitalClockImage::BuildTexts(const std::tm& time) {
  const DigitalClockAreaInfo& info = *settings;
  const ClockFields fields = ClockFieldsOf(time);
  const DateParts dateParts{info.IsShowYear != 0, info.IsShowMonth != 0, info.IsShowDay != 0};
  const TimeParts timeParts{info.IsShowHour != 0, info.IsShowMinite != 0, info.IsShowSecond != 0};
  date_ = ::DateText(fields, dateParts, info.DateFormat).value_or(date_);
  weekday_ = ::WeekdayText(fields, info.IsShowWeek != 0, info.WeekFormat).value_or(weekday_);
  time_ = ::TimeText(fields, timeParts, info.TimeFormat).value_or(time_);
}

// The texts side by side, centred together as one line; the weekday and time take a
// space in front when something stands before them.
void CDigitalClockImage::DrawSingleLine(QImage& area, const QFont& font,
                                        const QString& fixed) const {
  const DigitalClockAreaInfo& info = *settings;
  QString weekday = weekday_;
  if (!weekday.isEmpty() && !date_.isEmpty()) weekday.prepend(u' ');
  QString time = time_;
  if (!time.isEmpty() && (!date_.isEmpty() || !weekday_.isEmpty())) time.prepend(u' ');
  const Line text = Measured(font, fixed, info.ShowStrFont_FontColor);
  const Line date = Measured(font, date_, info.DateColor);
  const Line week = Measured(font, weekday, info.WeekColor);
  const Line clock = Measured(font, time, info.TimeColor);
  // One font gives every text the same cell height.
  const int lineHeight = std::min(height, TextExtent(font, QString()).height());
  const int x0 = (width - (date.extent.width() + week.extent.width() + clock.extent.width()) -
                  text.extent.width()) / 2;
  const int y = (height - lineHeight) / 2;
  DrawLine(area, font, text, x0, (height - text.extent.height()) / 2);
  int x = x0 + text.extent.width();
  for (const Line* line : {&date, &week, &clock}) {
    DrawLine(area, font, *line, x, y);
    x += line->extent.width();
  }
}

// One line each, centred, with a margin of gap above the first and below the last
// and 2 x gap between lines.
void CDigitalClockImage::DrawLines(QImage& area, const QFont& font, const QString& fixed) const {
  const DigitalClockAreaInfo& info = *settings;
  const Line text = Measured(font, fixed, info.ShowStrFont_FontColor);
  const Line lines[] = {Measured(font, date_, info.DateColor),
                        Measured(font, weekday_, info.WeekColor),
                        Measured(font, time_, info.TimeColor)};
  const int numberHeight = TextExtent(font, QStringLiteral("1")).height();
  const int present = static_cast<int>(
      std::count_if(std::begin(lines), std::end(lines),
                    [](const Line& line) { return !line.text.isEmpty(); }));
  const int count = present + (text.text.isEmpty() ? 0 : 1);
  if (count == 0) return;  // nothing to show: the area stays black
  const int free = height - text.extent.height() - numberHeight * present;
  const double gap = std::max(0.0, static_cast<double>(free) / (2.0 * count));
  DrawLine(area, font, text, (width - text.extent.width()) / 2, static_cast<int>(gap));
  double y = text.text.isEmpty() ? std::trunc(gap) : std::trunc(3 * gap + text.extent.height());
  for (const Line& line : lines) {
    if (line.text.isEmpty()) continue;
    DrawLine(area, font, line, (width - line.extent.width()) / 2, static_cast<int>(y));
    y = std::trunc(y + line.extent.height() + 2 * gap);
  }
}
