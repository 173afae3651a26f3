#include "tests/support/card_picture.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <stdexcept>

namespace emu {
namespace {

// Element kinds of the card's tables.
constexpr int kDay = 6, kHour24 = 7, kHour12 = 8, kAmPm = 9, kMonth = 10, kMinute = 11,
              kSecond = 13, kYear2 = 19, kYear4 = 20, kWeekday = 127, kWord = 255;
constexpr int kChained = 0xFFFF;

struct Unshowable : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The screen, lit only inside one area's rectangle; coordinates relative to the area.
class AreaCanvas {
 public:
  AreaCanvas(const DisplayData& data, const DisplayArea& area, std::vector<std::uint8_t>& pixels)
      : data_(data), area_(area), pixels_(pixels) {}

  int Width() const { return area_.right - area_.left + 1; }
  int Height() const { return area_.bottom - area_.top + 1; }

  // Lights pixel (x, y) in the channels of bits the screen has.
  void Light(int x, int y, int bits) {
    bits &= (1 << data_.colorType) - 1;
    if (x < 0 || y < 0 || x >= Width() || y >= Height() || bits == 0) return;
    const int screenX = area_.left + x;
    const int screenY = area_.top + y;
    if (screenX >= data_.width || screenY >= data_.height) return;
    pixels_[std::size_t(screenY) * data_.width + screenX] = std::uint8_t(bits);
  }

  // Planes of a picture width x height whose first column sits at bit (left mod 8),
  // drawn with their top-left corner at (x, y), at most rows rows of them.
  void Planes(const std::vector<std::uint8_t>& planes, int left, int width, int height, int x,
              int y, int rows) {
    std::vector<std::uint8_t> lit;
    const std::string problem = PlanesToPixels(planes, left, width, height, data_.colorType, lit);
    if (!problem.empty()) throw Unshowable(problem);
    for (int row = 0; row < std::min(height, rows); ++row) {
      for (int column = 0; column < width; ++column) {
        Light(x + column, y + row, lit[std::size_t(row) * width + column]);
      }
    }
  }

 private:
  const DisplayData& data_;
  const DisplayArea& area_;
  std::vector<std::uint8_t>& pixels_;
};

std::string Padded(long long value, int digits) {
  std::string text = std::to_string(value);
  if (int(text.size()) < digits) text.insert(0, std::size_t(digits - int(text.size())), '0');
  return text;
}

// Days from 1970-01-01 of a date of the Gregorian calendar.
long long DaysFromCivil(long long year, int month, int day) {
  year -= month <= 2;
  const long long era = (year >= 0 ? year : year - 399) / 400;
  const long long yearOfEra = year - era * 400;
  const long long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  return era * 146097 + yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear - 719468;
}

long long LocalSeconds(int year, int month, int day, int hour, int minute, int second) {
  return DaysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
}

std::map<int, std::string> ClockNumbers(const CardClock& now) {
  const int hour12 = now.hour % 12 == 0 ? 12 : now.hour % 12;
  return {{kDay, Padded(now.day, 2)},          {kHour24, Padded(now.hour, 2)},
          {kHour12, Padded(hour12, 2)},        {kMonth, Padded(now.month, 2)},
          {kMinute, Padded(now.minute, 2)},    {kSecond, Padded(now.second, 2)},
          {kYear2, Padded(now.year % 100, 2)}, {kYear4, Padded(now.year, 4)}};
}

// The countdown's numbers: the time between now and the target, each counter shown
// carrying the larger counters not shown.
std::map<int, std::string> CountdownNumbers(const DisplayArea& area, const CardClock& now) {
  const CardTime& t = area.target;
  const long long total =
      std::llabs(LocalSeconds(t.year, t.month, t.day, t.hour, t.minute, t.second) -
                 LocalSeconds(now.year, now.month, now.day, now.hour, now.minute, now.second));
  bool shown[256] = {};
  for (const LayoutElement& element : area.elements) shown[element.kind & 0xFF] = true;
  const long long day = total / 86400;
  const long long hour = shown[kDay] ? total / 3600 % 24 : total / 3600;
  const long long minute = shown[kHour12] ? total / 60 % 60
                           : shown[kDay]  ? total % 86400 / 60
                                          : total / 60;
  const long long second = shown[kMinute]   ? total % 60
                           : shown[kHour12] ? total % 3600
                           : shown[kDay]    ? total % 86400
                                            : total;
  return {{kDay, std::to_string(day)},
          {kHour12, Padded(hour, 2)},
          {kMinute, Padded(minute, 2)},
          {kSecond, Padded(second, 2)}};
}

bool IsNumber(int kind) { return kind != kWord && kind != kWeekday && kind != kAmPm; }

// Draws the first `width` columns and `height` rows of cell `cell` of the glyphs at
// offset: cells as wide as the element's width rounded up to 8, one bit a pixel, lit
// as 0.
void DrawCell(AreaCanvas& canvas, const DisplayArea& area, std::size_t offset, int cell, int x,
              const LayoutElement& element) {
  const int rowBytes = (std::max(element.width, 1) + 7) / 8;
  const std::size_t start = offset + std::size_t(cell) * rowBytes * element.height;
  if (cell < 0 || start + std::size_t(rowBytes) * element.height > area.glyphs.size()) {
    throw Unshowable("a glyph cell lies outside the glyph data");
  }
  for (int row = 0; row < element.height; ++row) {
    for (int column = 0; column < element.width; ++column) {
      const std::uint8_t byte = area.glyphs[start + std::size_t(row) * rowBytes + column / 8];
      if ((byte >> (column % 8) & 1) == 0) {
        canvas.Light(x + column, element.y + row, element.colorBits);
      }
    }
  }
}

void DrawElements(AreaCanvas& canvas, const DisplayArea& area,
                  const std::map<int, std::string>& numbers, const CardClock& now) {
  int end = 0;
  for (const LayoutElement& element : area.elements) {
    const int x = element.x == kChained && area.kind == 7 ? end : element.x;
    if (IsNumber(element.kind)) {
      const auto found = numbers.find(element.kind);
      if (found == numbers.end()) throw Unshowable("unknown element kind");
      const std::string& digits = found->second;
      for (std::size_t i = 0; i < digits.size(); ++i) {
        DrawCell(canvas, area, 0, digits[i] - '0', x + int(i) * element.width, element);
      }
      end = x + int(digits.size()) * element.width;
      continue;
    }
    const int cell = element.kind == kWeekday ? now.weekday
                     : element.kind == kAmPm  ? (now.hour > 11 ? 1 : 0)
                                              : 0;
    DrawCell(canvas, area, std::size_t(element.glyphOffset), cell, x, element);
    end = x + element.width;
  }
}

// A still water border: each side's strip repeated from the rectangle's top-left
// corner, the top and bottom bands across the whole width, the sides between them.
void DrawBorder(AreaCanvas& canvas, const DisplayArea& area) {
  const int t = area.thickness;
  const int width = canvas.Width();
  const int height = canvas.Height();
  for (int x = 0; x < width; x += 32) {
    canvas.Planes(area.sides[0], 0, 32, t, x, 0, t);
    canvas.Planes(area.sides[2], 0, 32, t, x, height - t, t);
  }
  // The right side's pixels lie in the top bits of its bytes.
  for (int y = t; y < height - t; y += 32) {
    canvas.Planes(area.sides[3], 0, t, 32, 0, y, height - t - y);
    canvas.Planes(area.sides[1], 8 - t, t, 32, width - t, y, height - t - y);
  }
}

void DrawArea(AreaCanvas& canvas, const DisplayArea& area, const CardClock& now) {
  const int width = canvas.Width();
  const int height = canvas.Height();
  switch (area.kind) {
    case 1:
      if (!area.frames.empty()) {
        canvas.Planes(area.frames[0].planes, area.left, width, height, 0, 0, height);
      }
      break;
    case 5:
    case 10:
      if ((area.timeOffset & 0x7FFF) != 0) throw Unshowable("clock time offsets are not modelled");
      if (area.kind == 10) canvas.Planes(area.face, area.left, width, height, 0, 0, height);
      DrawElements(canvas, area, ClockNumbers(now), now);
      break;
    case 7: DrawElements(canvas, area, CountdownNumbers(area, now), now); break;
    case 15: DrawBorder(canvas, area); break;
    default: throw Unshowable("unknown area kind");
  }
}

}  // namespace

std::string ComposeProgram(const DisplayData& data, const DisplayProgram& program,
                           const CardClock& now, std::vector<std::uint8_t>& pixels) {
  pixels.assign(std::size_t(data.width) * data.height, 0);
  try {
    for (const DisplayArea& area : program.areas) {
      AreaCanvas canvas(data, area, pixels);
      DrawArea(canvas, area, now);
    }
  } catch (const Unshowable& problem) {
    return problem.what();
  }
  return {};
}

}  // namespace emu
