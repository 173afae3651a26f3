#include "render/clock/layout_drawing.h"

#include <algorithm>

namespace {

QString Digits(int value, int count) { return QString::number(value).rightJustified(count, u'0'); }

// The hour on the 12-hour clock: 12 for 0 and 12.
int TwelveHour(int hour) { return hour % 12 == 0 ? 12 : hour % 12; }

// Draws the first `columns` columns and `rows` rows of one cell at (x, y).
void DrawCell(QImage& area, const GlyphStrip& strip, int cell, int x, int y, int columns, int rows,
              QRgb color) {
  const int lastRow = std::min({rows, strip.height, area.height() - y});
  const int lastColumn = std::min({columns, strip.cellWidth, area.width() - x});
  for (int row = std::max(0, -y); row < lastRow; ++row) {
    auto* line = reinterpret_cast<QRgb*>(area.scanLine(y + row));
    for (int column = std::max(0, -x); column < lastColumn; ++column) {
      if (GlyphPixelLit(strip, cell, column, row)) line[x + column] = color;
    }
  }
}

// Draws one element at x in the colour of bits (nothing when 0); returns where the
// element ends.
int DrawElement(QImage& area, const ClockLayout& layout, const ClockElement& element, int x,
                int bits, const ElementValues& values) {
  const QRgb color = ColorOfBits(bits);
  if (element.IsNumber()) {
    const auto found = values.digits.find(element.kind);
    const QString digits = found == values.digits.end() ? QString() : found->second;
    for (int i = 0; bits != 0 && i < digits.size(); ++i) {
      DrawCell(area, layout.digits, digits[i].digitValue(), x + i * element.width, element.y,
               element.width, element.height, color);
    }
    return x + static_cast<int>(digits.size()) * element.width;
  }
  const int cell = element.kind == kKindWeekday ? values.weekday
                   : element.kind == kKindAmPm  ? values.amPm
                                                : 0;
  if (bits != 0) {
    DrawCell(area, element.strip, cell, x, element.y, element.width, element.height, color);
  }
  return x + element.width;
}

}  // namespace

ElementValues ClockValues(const std::tm& time) {
  ElementValues values;
  const int year = time.tm_year + 1900;
  values.digits = {{kKindDay, Digits(time.tm_mday, 2)},
                   {kKindHour24, Digits(time.tm_hour, 2)},
                   {kKindHour12, Digits(TwelveHour(time.tm_hour), 2)},
                   {kKindMonth, Digits(time.tm_mon + 1, 2)},
                   {kKindMinute, Digits(time.tm_min, 2)},
                   {kKindSecond, Digits(time.tm_sec, 2)},
                   {kKindYear2, Digits(year % 100, 2)},
                   {kKindYear4, Digits(year, 4)}};
  values.amPm = time.tm_hour > 11 ? 1 : 0;
  values.weekday = time.tm_wday;
  return values;
}

int VisibleBits(int colorBits, const std::optional<ScreenColors>& colors) {
  if (!colors) return colorBits;
  const QRgb channels = colors->channels;
  const int shown = (qRed(channels) != 0 ? 1 : 0) | (qGreen(channels) != 0 ? 2 : 0) |
                    (qBlue(channels) != 0 ? 4 : 0);
  return colorBits & shown;
}

void DrawClockLayout(QImage& area, const ClockLayout& layout, const ElementValues& values,
                     const std::optional<ScreenColors>& colors) {
  int end = 0;
  for (const ClockElement& element : layout.elements) {
    end = DrawElement(area, layout, element, element.x == kChainedX ? end : element.x,
                      VisibleBits(element.colorBits, colors), values);
  }
}
