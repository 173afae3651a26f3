#include "render/clock_layout/clock_layout.h"

#include <QString>

#include <algorithm>
#include <array>
#include <initializer_list>

#include "model/common/bounded_text.h"
#include "render/clock_layout/clock_sequences.h"
#include "render/dial/dial_marks.h"
#include "render/raster/gdi_text.h"

namespace {

// A font and its measures.
struct MeasuredFont {
  QFont font;
  FontMeasures measures;
};

template <std::size_t N>
MeasuredFont FontOf(const char16_t (&face)[N], int points, int bold, int italic, int underline) {
  const QFont font = RecordFont(face, points, bold, italic, underline);
  return {font, MeasureFont(font)};
}

template <typename Record>
MeasuredFont ShowStrFontOf(const Record& info) {
  const QFont font = ShowStrFont(info);
  return {font, MeasureFont(font)};
}

ElementGroup SingleGroup(ClockElement element) {
  ElementGroup group;
  group.width = element.width;
  group.elements.push_back(std::move(element));
  return group;
}

std::vector<ClockElement> Concatenated(std::initializer_list<ElementGroup*> groups) {
  std::vector<ClockElement> elements;
  for (ElementGroup* group : groups) {
    for (ClockElement& element : group->elements) elements.push_back(std::move(element));
  }
  return elements;
}

// A word element as wide as the whole text, or an empty group for an empty text.
[[nodiscard]] bool TextGroup(const MeasuredFont& text, const QString& words, int colorBits,
                             ElementGroup& group) {
  group = {};
  if (words.isEmpty()) return true;
  ClockElement element;
  if (!WordElement(text.font, text.measures, words, TextExtent(text.font, words).width(),
                   element)) {
    return false;
  }
  element.colorBits = colorBits;
  group = SingleGroup(std::move(element));
  return true;
}

// The weekday element of a style: as wide as its widest name, seven cells.
[[nodiscard]] bool WeekdayGroup(const MeasuredFont& text, int style, int colorBits,
                                ElementGroup& group) {
  group = {};
  ClockElement element;
  element.kind = kKindWeekday;
  element.width = MeasureWeekdayWidth(style, text.font);
  element.height = text.measures.h;
  element.colorBits = colorBits;
  if (!RenderWeekdayStrip(text.measures.h, style, text.font, element.width, element.strip)) {
    return false;
  }
  group = SingleGroup(std::move(element));
  return true;
}

// Puts every place that works out below 0 at 0; a countdown's chained x stays.
void KeepInsideArea(std::vector<ClockElement>& elements) {
  for (ClockElement& element : elements) {
    if (element.x != kChainedX) element.x = std::max(element.x, 0);
    element.y = std::max(element.y, 0);
  }
}

// The elements in table order with the digit strip when an element needs it (always
// for the countdown).
[[nodiscard]] bool Finish(const MeasuredFont& numbers, std::vector<ClockElement> elements,
                          bool digitsAlways, ClockLayout& layout) {
  KeepInsideArea(elements);
  const bool numbered = std::any_of(elements.begin(), elements.end(),
                                    [](const ClockElement& element) { return element.IsNumber(); });
  if ((digitsAlways || numbered) &&
      !RenderDigitStrip(numbers.font, numbers.measures.w, numbers.measures.h, layout.digits)) {
    return false;
  }
  layout.elements = std::move(elements);
  return true;
}

// ---- Countdown --------------------------------------------------------------------

using UnitWords = std::array<const char16_t*, 4>;  // days, hours, minutes, seconds

// The unit words of a ShowType; an unknown type counts as 0. Type 4 puts colons
// between the numbers.
constexpr std::array<UnitWords, 5> kUnitWords = {{
    {u"天", u"时", u"分", u"秒"},
    {u"天", u"時", u"分", u"秒"},
    {u"Day", u"Hour", u"Min", u"Sec"},
    {u"d", u"h", u"m", u"s"},
    {u":", u":", u":", u":"},
}};
constexpr int kColonShowType = 4;

int CheckedShowType(int showType) {
  return showType >= 0 && showType < int(kUnitWords.size()) ? showType : 0;
}

// Each counter shown, with its unit word behind it, all chained on one line.
[[nodiscard]] bool CountdownCounters(const MeasuredFont& text, const TimeAreaInfo& info,
                                     std::vector<ClockElement>& counters) {
  const int showType = CheckedShowType(info.ShowType);
  const std::array<bool, 4> shown = {info.IsShowDay != 0, info.IsShowHour != 0,
                                     info.IsShowMinute != 0, info.IsShowSecond != 0};
  const std::array<int, 4> kinds = {kKindDay, kKindHour12, kKindMinute, kKindSecond};
  for (std::size_t index = 0; index < shown.size(); ++index) {
    if (!shown[index]) continue;
    counters.push_back(NumberElement(kinds[index], text.measures));
    const QString word = QString::fromUtf16(kUnitWords[showType][index]);
    ClockElement unit;
    if (!WordElement(text.font, text.measures, word, TextExtent(text.font, word).width(), unit)) {
      return false;
    }
    counters.push_back(std::move(unit));
  }
  // No colon after the seconds (or whichever counter comes last).
  if (showType == kColonShowType && !counters.empty()) counters.pop_back();
  for (ClockElement& element : counters) {
    element.x = kChainedX;
    element.colorBits = ColorBits(info.TimeStrColor);
  }
  return true;
}

// Lines of the countdown: the fixed text above the counters or in front of them.
void PlaceCountdown(int areaHeight, int h, bool twoLines, ElementGroup& text,
                    std::vector<ClockElement>& counters) {
  const bool hasText = !text.IsEmpty();
  const int oneLineY = (areaHeight - h) / 2;
  const int upperY = (areaHeight - 2 * h) / 2;
  if (!counters.empty()) counters.front().x = hasText && !twoLines ? text.width : 0;
  for (ClockElement& element : counters) {
    element.y = hasText && twoLines ? h + upperY : oneLineY;
  }
  text.Place(0, twoLines && !counters.empty() ? upperY : oneLineY);
}

// ---- Digital clock -----------------------------------------------------------------

struct DigitalParts {
  ElementGroup date;
  ElementGroup time;
  ElementGroup weekday;
  ElementGroup amPm;
  ElementGroup text;  // the fixed text, or the placeholder of an empty clock
  AmPmStyle amPmStyle;
};

// The AM/PM element: the Chinese words 2k wide; the English ones 2w, or wider where
// "AM" or "PM" needs more, so that the strip never cuts a letter.
[[nodiscard]] bool AmPmGroup(const MeasuredFont& text, AmPmStyle style, int colorBits,
                             ElementGroup& group) {
  group = {};
  if (style.place == AmPmPlace::None) return true;
  ClockElement element;
  element.kind = kKindAmPm;
  element.width = style.english ? std::max(2 * text.measures.w, MeasureAmPmWidth(text.font))
                                : 2 * text.measures.k;
  element.height = text.measures.h;
  element.colorBits = colorBits;
  if (!RenderAmPmStrip(text.measures.h, text.font, style.english, element.width, element.strip)) {
    return false;
  }
  group = SingleGroup(std::move(element));
  return true;
}

[[nodiscard]] bool BuildDigitalParts(const MeasuredFont& text, const DigitalClockAreaInfo& info,
                                     DigitalParts& parts) {
  const DateFields dateFields{info.IsShowYear != 0, info.IsShowMonth != 0, info.IsShowDay != 0};
  const TimeFields timeFields{info.IsShowHour != 0, info.IsShowMinite != 0, info.IsShowSecond != 0};
  parts.amPmStyle = AmPmStyleOf(info.TimeFormat);
  const bool built = BuildDateGroup(text.font, text.measures, dateFields, info.DateFormat,
                                    ColorBits(info.DateColor), parts.date) &&
                     (!info.IsShowWeek || WeekdayGroup(text, info.WeekFormat,
                                                       ColorBits(info.WeekColor), parts.weekday)) &&
                     BuildTimeGroup(text.font, text.measures, timeFields, info.TimeFormat,
                                    ColorBits(info.TimeColor), parts.time) &&
                     AmPmGroup(text, parts.amPmStyle, ColorBits(info.TimeColor), parts.amPm) &&
                     TextGroup(text, ReadBoundedText(info.FixedText),
                               ColorBits(info.ShowStrFont_FontColor), parts.text);
  if (!built) return false;
  const bool empty = parts.date.IsEmpty() && parts.time.IsEmpty() && parts.weekday.IsEmpty() &&
                     parts.amPm.IsEmpty() && parts.text.IsEmpty();
  if (empty) parts.text = SingleGroup(PlaceholderElement());
  return true;
}

// Everything on one line, centred, with a digit's width between neighbours.
void PlaceDigitalLine(int width, int height, const FontMeasures& measures, DigitalParts& parts) {
  const bool amPmFirst = parts.amPmStyle.place == AmPmPlace::Front;
  std::vector<ElementGroup*> line = {&parts.text, &parts.date, &parts.weekday};
  line.push_back(amPmFirst ? &parts.amPm : &parts.time);
  line.push_back(amPmFirst ? &parts.time : &parts.amPm);
  std::erase_if(line, [](const ElementGroup* group) { return group->IsEmpty(); });
  int length = 0;
  for (const ElementGroup* group : line) length += group->width;
  if (!line.empty()) length += measures.w * int(line.size() - 1);
  int x = (width - length) / 2;
  for (ElementGroup* group : line) {
    group->Place(x, (height - measures.h) / 2);
    x += group->width + measures.w;
  }
}

// The time line: the time group with the AM/PM element in front or behind, a
// digit's width apart, centred together.
void PlaceTimeLine(int areaWidth, int w, int y, DigitalParts& parts) {
  const int timeWidth = parts.time.width;
  const int amPmWidth = parts.amPm.width;
  if (parts.time.IsEmpty()) {
    parts.amPm.Place((areaWidth - amPmWidth) / 2, y);
    return;
  }
  const int start = (areaWidth - w - amPmWidth - timeWidth) / 2;
  switch (parts.amPmStyle.place) {
    case AmPmPlace::Front:
      parts.amPm.Place(start, y);
      parts.time.Place(start + amPmWidth + w, y);
      break;
    case AmPmPlace::Behind:
      parts.time.Place(start, y);
      parts.amPm.Place(start + timeWidth + w, y);
      break;
    case AmPmPlace::None: parts.time.Place((areaWidth - timeWidth) / 2, y); break;
  }
}

// One line each for the text, the date, the weekday and the time, spread evenly
// over the area's height; lines taller together than the area are stacked from its top
// with no gap, so that they never overlap.
void PlaceDigitalLines(int width, int height, const FontMeasures& measures, DigitalParts& parts) {
  std::vector<ElementGroup*> centred = {&parts.text, &parts.date, &parts.weekday};
  std::erase_if(centred, [](const ElementGroup* group) { return group->IsEmpty(); });
  const bool timeLine = !parts.time.IsEmpty() || !parts.amPm.IsEmpty();
  const int lines = std::max(1, int(centred.size()) + (timeLine ? 1 : 0));
  const float gap = std::max(
      0.0f, static_cast<float>(height - lines * measures.h) / static_cast<float>(2 * lines));
  const int step = measures.h + static_cast<int>(2 * gap);
  int y = static_cast<int>(gap);
  for (ElementGroup* group : centred) {
    group->Place((width - group->width) / 2, y);
    y += step;
  }
  if (timeLine) PlaceTimeLine(width, measures.w, y, parts);
}

// ---- Analog clock ------------------------------------------------------------------

// The date and weekday lines, centred in the lower half of the face.
void PlaceClockLines(int width, int height, int margin, int dateHeight, int weekdayHeight,
                     ElementGroup& date, ElementGroup& weekday) {
  const int half = height / 2;
  const int shown = (date.IsEmpty() ? 0 : dateHeight) + (weekday.IsEmpty() ? 0 : weekdayHeight);
  const int y = half + (half - shown - margin) / 2;
  date.Place((width - date.width) / 2, y);
  weekday.Place((width - weekday.width) / 2, date.IsEmpty() ? y : y + dateHeight);
}

}  // namespace

bool LayOutCountdown(const TimeAreaInfo& info, int /*width*/, int height, ClockLayout& layout) {
  layout = {};
  const MeasuredFont text = ShowStrFontOf(info);
  std::vector<ClockElement> elements;
  ElementGroup words;
  if (!CountdownCounters(text, info, elements) ||
      !TextGroup(text, ReadBoundedText(info.ShowStr), ColorBits(info.ShowStrFont_FontColor),
                 words)) {
    return false;
  }
  PlaceCountdown(height, text.measures.h, info.IsMutleLineShow != 0, words, elements);
  for (ClockElement& element : words.elements) elements.push_back(std::move(element));
  return Finish(text, std::move(elements), true, layout);
}

bool LayOutDigitalClock(const DigitalClockAreaInfo& info, int width, int height,
                        ClockLayout& layout) {
  layout = {};
  const MeasuredFont text = ShowStrFontOf(info);
  DigitalParts parts;
  if (!BuildDigitalParts(text, info, parts)) return false;
  if (info.IsMutleLineShow) {
    PlaceDigitalLines(width, height, text.measures, parts);
  } else {
    PlaceDigitalLine(width, height, text.measures, parts);
  }
  return Finish(text,
                Concatenated({&parts.date, &parts.time, &parts.weekday, &parts.amPm, &parts.text}),
                false, layout);
}

bool LayOutAnalogClockLines(const ClockAreaInfo& info, int width, int height, ClockLayout& layout) {
  layout = {};
  const MeasuredFont dateFont =
      FontOf(info.DateFont_FontName, info.DateFont_FontSize, info.DateFont_FontBold,
             info.DateFont_FontItalic, info.DateFont_FontUnderLine);
  const MeasuredFont weekFont =
      FontOf(info.WeekFont_FontName, info.WeekFont_FontSize, info.WeekFont_FontBold,
             info.WeekFont_FontItalic, info.WeekFont_FontUnderLine);
  ElementGroup date;
  ElementGroup weekday;
  if (info.IsShowDate &&
      !BuildDateGroup(dateFont.font, dateFont.measures, {true, true, true}, info.DateFormat,
                      ColorBits(info.DateFont_FontColor), date)) {
    return false;
  }
  if (info.IsShowWeek &&
      !WeekdayGroup(weekFont, info.WeekFormat, ColorBits(info.WeekFont_FontColor), weekday)) {
    return false;
  }
  PlaceClockLines(width, height, DialMargin(info.HourMarkWidth, info.MiniteMarkWidth),
                  dateFont.measures.h, weekFont.measures.h, date, weekday);
  return Finish(dateFont, Concatenated({&date, &weekday}), false, layout);
}
