#include "sdk/generate/clock/clock_generators.h"

#include <QString>

#include <algorithm>
#include <array>
#include <cstdint>

#include "model/common/bounded_text.h"
#include "model/common/little_endian.h"
#include "render/raster/dib24.h"
#include "render/raster/gdi_text.h"
#include "sdk/api/guarded_call.h"
#include "sdk/generate/bit_planes.h"
#include "sdk/generate/block_head.h"
#include "sdk/generate/clock/clock_elements.h"
#include "render/dial/dial_marks.h"
#include "sdk/generate/clock/clock_sequences.h"
#include "sdk/generate/glyph_strips.h"

namespace {

// A font and its measures.
struct MeasuredFont {
  QFont font;
  FontMeasures measures;
};

template <std::size_t N>
MeasuredFont FontOf(const char16_t (&face)[N], int points, int bold, int italic,
                    int underline) {
  const QFont font = RecordFont(face, points, bold, italic, underline);
  return {font, MeasureFont(font)};
}

// The font of a record's ShowStrFont_ fields.
template <typename Record>
MeasuredFont ShowStrFontOf(const Record& info) {
  return FontOf(info.ShowStrFont_FontName, info.ShowStrFont_FontSize, info.ShowStrFont_FontBold,
                info.ShowStrFont_FontItalic, info.ShowStrFont_FontUnderLine);
}

ElementGroup SingleGroup(ClockElement element) {
  ElementGroup group;
  group.width = element.width;
  group.elements.push_back(std::move(element));
  return group;
}

bool HasNumber(const std::vector<ClockElement>& elements) {
  return std::any_of(elements.begin(), elements.end(),
                     [](const ClockElement& element) { return element.IsNumber(); });
}

std::vector<ClockElement> Concatenated(std::initializer_list<ElementGroup*> groups) {
  std::vector<ClockElement> elements;
  for (ElementGroup* group : groups) {
    for (ClockElement& element : group->elements) elements.push_back(std::move(element));
  }
  return elements;
}

// A word element as wide as the whole text, or an empty group for an empty text.
[[nodiscard]] int TextGroup(const MeasuredFont& text, const QString& words, int colorBits,
              ElementGroup& group) {
  group = {};
  if (words.isEmpty()) return KQ_OK;
  ClockElement element;
  const int result = WordElement(text.font, text.measures, words,
                                 TextExtent(text.font, words).width(), element);
  element.colorBits = colorBits;
  if (result == KQ_OK) group = SingleGroup(std::move(element));
  return result;
}

// The weekday element of a style: as wide as its widest name, seven cells.
[[nodiscard]] int WeekdayGroup(const MeasuredFont& text, int style, int colorBits, ElementGroup& group) {
  group = {};
  ClockElement element;
  element.kind = kKindWeekday;
  element.width = MeasureWeekdayWidth(style, text.font);
  element.height = text.measures.h;
  element.colorBits = colorBits;
  if (element.width < 0) return element.width;
  const int size = RenderWeekdayStrip(text.measures.h, style, text.font, element.width,
                                      element.strip);
  if (size < 0) return size;
  group = SingleGroup(std::move(element));
  return KQ_OK;
}

// Appends the element table and glyph data, with the digit strip when an element
// needs it, and finishes the block.
[[nodiscard]] int FinishClockBlock(const MeasuredFont& numbers, const std::vector<ClockElement>& elements,
                     std::vector<std::uint8_t>& block) {
  GlyphStrip digits;
  if (HasNumber(elements)) {
    const int result = RenderDigits(numbers.font, numbers.measures, digits);
    if (result != KQ_OK) return result;
  }
  const int result = AppendElements(block, elements, digits);
  return result == KQ_OK ? FinishBlock(block) : result;
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
[[nodiscard]] int CountdownCounters(const MeasuredFont& text, const TimeAreaInfo& info,
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
    const int result = WordElement(text.font, text.measures, word,
                                   TextExtent(text.font, word).width(), unit);
    if (result != KQ_OK) return result;
    counters.push_back(std::move(unit));
  }
  // No colon after the seconds (or whichever counter comes last).
  if (showType == kColonShowType && !counters.empty()) counters.pop_back();
  for (ClockElement& element : counters) {
    element.x = kChainedX;
    element.colorBits = ColorBits(info.TimeStrColor);
  }
  return KQ_OK;
}

// Lines of the countdown: the fixed text above the counters or in front of them;
// the text goes last in the table wherever it is drawn.
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

[[nodiscard]] int GenerateTimeBlock(const CardRect& area, const TimeAreaInfo& info,
                      std::vector<std::uint8_t>& block) {
  const MeasuredFont text = ShowStrFontOf(info);
  GlyphStrip digits;
  int result = RenderDigits(text.font, text.measures, digits);
  std::vector<ClockElement> elements;
  if (result == KQ_OK) result = CountdownCounters(text, info, elements);
  ElementGroup words;
  if (result == KQ_OK) {
    result = TextGroup(text, ReadBoundedText(info.ShowStr), ColorBits(info.ShowStrFont_FontColor),
                       words);
  }
  if (result != KQ_OK) return result;
  PlaceCountdown(area.Height(), text.measures.h, info.IsMutleLineShow != 0, words, elements);
  for (ClockElement& element : words.elements) elements.push_back(std::move(element));

  std::vector<std::uint8_t> out;
  StartBlock(out, AreaKind::Time, area);
  AppendZeros(out, 3);
  AppendLe16(out, info.nYear);
  for (const int part : {info.nMonth, info.nDay, info.nHour, info.nMinute, info.nSecond}) {
    AppendU8(out, part);
  }
  AppendLe16(out, elements.size());
  result = AppendElements(out, elements, digits);
  if (result != KQ_OK) return result;
  block = std::move(out);
  return FinishBlock(block);
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

[[nodiscard]] int AmPmGroup(const MeasuredFont& text, AmPmStyle style, int colorBits, ElementGroup& group) {
  group = {};
  if (style.place == AmPmPlace::None) return KQ_OK;
  ClockElement element;
  element.kind = kKindAmPm;
  element.width = 2 * (style.english ? text.measures.w : text.measures.k);
  element.height = text.measures.h;
  element.colorBits = colorBits;
  const int size = RenderAmPmStrip(text.measures.h, text.font, style.english, element.width,
                                   element.strip);
  if (size < 0) return size;
  group = SingleGroup(std::move(element));
  return KQ_OK;
}

[[nodiscard]] int BuildDigitalParts(const MeasuredFont& text, const DigitalClockAreaInfo& info,
                      DigitalParts& parts) {
  const DateFields dateFields{info.IsShowYear != 0, info.IsShowMonth != 0, info.IsShowDay != 0};
  const TimeFields timeFields{info.IsShowHour != 0, info.IsShowMinite != 0,
                              info.IsShowSecond != 0};
  parts.amPmStyle = AmPmStyleOf(info.TimeFormat);
  int result = BuildDateGroup(text.font, text.measures, dateFields, info.DateFormat,
                              ColorBits(info.DateColor), parts.date);
  if (result == KQ_OK && info.IsShowWeek) {
    result = WeekdayGroup(text, info.WeekFormat, ColorBits(info.WeekColor), parts.weekday);
  }
  if (result == KQ_OK) {
    result = BuildTimeGroup(text.font, text.measures, timeFields, info.TimeFormat,
                            ColorBits(info.TimeColor), parts.time);
  }
  if (result == KQ_OK) {
    result = AmPmGroup(text, parts.amPmStyle, ColorBits(info.TimeColor), parts.amPm);
  }
  if (result == KQ_OK) {
    result = TextGroup(text, ReadBoundedText(info.FixedText), ColorBits(info.ShowStrFont_FontColor),
                       parts.text);
  }
  const bool empty = parts.date.IsEmpty() && parts.time.IsEmpty() && parts.weekday.IsEmpty() &&
                     parts.amPm.IsEmpty() && parts.text.IsEmpty();
  if (result == KQ_OK && empty) parts.text = SingleGroup(PlaceholderElement());
  return result;
}

// Everything on one line, centred, with a digit's width between neighbours.
void PlaceDigitalLine(const CardRect& area, const FontMeasures& measures, DigitalParts& parts) {
  const bool amPmFirst = parts.amPmStyle.place == AmPmPlace::Front;
  std::vector<ElementGroup*> line = {&parts.text, &parts.date, &parts.weekday};
  line.push_back(amPmFirst ? &parts.amPm : &parts.time);
  line.push_back(amPmFirst ? &parts.time : &parts.amPm);
  std::erase_if(line, [](const ElementGroup* group) { return group->IsEmpty(); });
  int length = 0;
  for (const ElementGroup* group : line) length += group->width;
  if (!line.empty()) length += measures.w * int(line.size() - 1);
  int x = (area.Width() - length) / 2;
  for (ElementGroup* group : line) {
    group->Place(x, (area.Height() - measures.h) / 2);
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
    case AmPmPlace::None:
      parts.time.Place((areaWidth - timeWidth) / 2, y);
      break;
  }
}

// One line each for the text, the date, the weekday and the time, spread evenly
// over the area's height.
void PlaceDigitalLines(const CardRect& area, const FontMeasures& measures, DigitalParts& parts) {
  std::vector<ElementGroup*> centred = {&parts.text, &parts.date, &parts.weekday};
  std::erase_if(centred, [](const ElementGroup* group) { return group->IsEmpty(); });
  const bool timeLine = !parts.time.IsEmpty() || !parts.amPm.IsEmpty();
  const int lines = std::max(1, int(centred.size()) + (timeLine ? 1 : 0));
  const float gap = static_cast<float>(area.Height() - lines * measures.h) /
                    static_cast<float>(2 * lines);
  const int step = measures.h + static_cast<int>(2 * gap);
  int y = static_cast<int>(gap);
  for (ElementGroup* group : centred) {
    group->Place((area.Width() - group->width) / 2, y);
    y += step;
  }
  if (timeLine) PlaceTimeLine(area.Width(), measures.w, y, parts);
}

// ---- Analog clock ------------------------------------------------------------------

// The face: marks and the face text in a picture of the area's size, as planes.
[[nodiscard]] int RenderFace(const CardRect& area, const ClockAreaInfo& info, int colorType, int margin,
               std::vector<std::uint8_t>& planes) {
  const int width = area.Width();
  const int height = area.Height();
  Dib24 face(width, height);
  if (face.IsNull()) return KQ_ERR_DRAW;
  const MarkStyle hourStyle{info.HourMarkColor, info.HourMarkType, info.HourMarkWidth};
  const MarkStyle minuteStyle{info.MiniteMarkColor, info.MiniteMarkType, info.MiniteMarkWidth};
  for (const DialMark& mark : DialMarks(info.ClockType, width, height, margin)) {
    DrawMark(face, mark.x, mark.y, mark.hour ? hourStyle : minuteStyle);
  }
  const QString words = ReadBoundedText(info.ShowStr);
  if (!words.isEmpty()) {
    const QFont font = ShowStrFontOf(info).font;
    const QSize extent = TextExtent(font, words);
    DrawTextTopLeft(face, (width - extent.width()) / 2, height / 4 - extent.height() / 2, words,
                    font, info.ShowStrFont_FontColor);
  }
  const std::int64_t planeSize = PlaneRowBytes(area.left, width) * height;
  planes.assign(static_cast<std::size_t>(planeSize * colorType), 0xFF);
  const bool converted = DibToBitPlanes(planes.data(), static_cast<std::size_t>(planeSize),
                                        colorType, face.Bits(), width, height,
                                        static_cast<std::size_t>(face.Stride()), area.left % 8);
  return converted ? KQ_OK : KQ_ERR_DRAW;
}

// The date and weekday lines, centred in the lower half of the face.
void PlaceClockLines(const CardRect& area, int margin, int dateHeight, int weekdayHeight,
                     ElementGroup& date, ElementGroup& weekday) {
  const int half = area.Height() / 2;
  const int shown = (date.IsEmpty() ? 0 : dateHeight) + (weekday.IsEmpty() ? 0 : weekdayHeight);
  const int y = half + (half - shown - margin) / 2;
  date.Place((area.Width() - date.width) / 2, y);
  weekday.Place((area.Width() - weekday.width) / 2, date.IsEmpty() ? y : y + dateHeight);
}

[[nodiscard]] int GenerateClockBlock(std::vector<std::uint8_t>& block, const CardRect& area,
                       const ClockAreaInfo& info, int colorType) {
  const int margin = DialMargin(info.HourMarkWidth, info.MiniteMarkWidth);
  std::vector<std::uint8_t> face;
  int result = RenderFace(area, info, colorType, margin, face);
  if (result != KQ_OK) return result;
  const MeasuredFont dateFont = FontOf(info.DateFont_FontName, info.DateFont_FontSize,
                                       info.DateFont_FontBold, info.DateFont_FontItalic,
                                       info.DateFont_FontUnderLine);
  const MeasuredFont weekFont = FontOf(info.WeekFont_FontName, info.WeekFont_FontSize,
                                       info.WeekFont_FontBold, info.WeekFont_FontItalic,
                                       info.WeekFont_FontUnderLine);
  ElementGroup date;
  ElementGroup weekday;
  if (info.IsShowDate) {
    result = BuildDateGroup(dateFont.font, dateFont.measures, {true, true, true}, info.DateFormat,
                            ColorBits(info.DateFont_FontColor), date);
  }
  if (result == KQ_OK && info.IsShowWeek) {
    result = WeekdayGroup(weekFont, info.WeekFormat, ColorBits(info.WeekFont_FontColor), weekday);
  }
  if (result != KQ_OK) return result;
  PlaceClockLines(area, margin, dateFont.measures.h, weekFont.measures.h, date, weekday);
  const std::vector<ClockElement> elements = Concatenated({&date, &weekday});

  std::vector<std::uint8_t> out;
  StartBlock(out, AreaKind::AnalogClock, area);
  AppendLe16(out, TimeOffsetField(info.TimeLagType, info.HourNum, info.MiniteNum));
  for (const ColorRef hand :
       {info.HourPointerColor, info.MinitePointerColor, info.SecondPointerColor}) {
    AppendU8(out, ColorBits(hand));
    AppendZeros(out, 2);
  }
  for (const int handWidth :
       {info.HourPointerWidth, info.MinutePointerWidth, info.SecondPointerWidth}) {
    AppendU8(out, handWidth);
  }
  out.insert(out.end(), face.begin(), face.end());
  AppendLe16(out, elements.size());
  const int length = FinishClockBlock(dateFont, elements, out);
  if (length > 0) block = std::move(out);
  return length;
}

[[nodiscard]] int GenerateDigitalClockBlock(const CardRect& area, const DigitalClockAreaInfo& info,
                              std::vector<std::uint8_t>& block) {
  const MeasuredFont text = ShowStrFontOf(info);
  DigitalParts parts;
  const int result = BuildDigitalParts(text, info, parts);
  if (result != KQ_OK) return result;
  if (info.IsMutleLineShow) {
    PlaceDigitalLines(area, text.measures, parts);
  } else {
    PlaceDigitalLine(area, text.measures, parts);
  }
  const std::vector<ClockElement> elements =
      Concatenated({&parts.date, &parts.time, &parts.weekday, &parts.amPm, &parts.text});
  std::vector<std::uint8_t> out;
  StartBlock(out, AreaKind::DigitalClock, area);
  AppendLe16(out, TimeOffsetField(info.TimeLagType, info.HourNum, info.MiniteNum));
  AppendLe16(out, kElementBytes * elements.size());
  const int length = FinishClockBlock(text, elements, out);
  if (length < 0) return length;
  block = std::move(out);
  return KQ_OK;
}

// Runs a generator where text can be drawn, through the library's one guard.
template <typename Generate>
[[nodiscard]] int GuardedWithText(Generate generate) {
  if (!CanDrawText()) return KQ_ERR_DRAW;
  return Guarded(generate);
}

}  // namespace

int GenerateTimeArea(const CardRect& area, const TimeAreaInfo& info,
                     std::vector<std::uint8_t>& block) {
  return GuardedWithText([&] { return GenerateTimeBlock(area, info, block); });
}

int GenerateDigitalClockArea(const CardRect& area, const DigitalClockAreaInfo& info,
                             std::vector<std::uint8_t>& block) {
  return GuardedWithText([&] { return GenerateDigitalClockBlock(area, info, block); });
}

int GenerateClockArea(std::vector<std::uint8_t>& block, const CardRect& area,
                      const ClockAreaInfo& info, int colorType) {
  if (colorType < 1 || colorType > 3 || area.left < 0 || area.Width() < 1 ||
      area.Height() < 1) {
    return KQ_ERR_BAD_SIZE;
  }
  return GuardedWithText([&] { return GenerateClockBlock(block, area, info, colorType); });
}
