// The countdown and digital clock blocks, read field by field and compared with
// layouts worked out from the card's tables and placement rules, with the test
// font's measures.

#include <gtest/gtest.h>

#include <QStringList>

#include <map>

#include "sdk/clock_generators.h"
#include "tests/sdk/clock_test_support.h"

using namespace clocktest;

namespace {

constexpr int kAreaWidth = 200;
constexpr int kAreaHeight = 32;
const CardRect kArea{8, 4, 8 + kAreaWidth - 1, 4 + kAreaHeight - 1};

constexpr ColorRef kRed = 0x0000FF;
constexpr ColorRef kGreen = 0x00FF00;
constexpr ColorRef kBlue = 0xFF0000;

DigitalClockAreaInfo DigitalRecord() {
  DigitalClockAreaInfo info{};
  CopyBoundedText(info.ShowStrFont_FontName, kFace);
  info.ShowStrFont_FontSize = kPoints;
  info.ShowStrFont_FontColor = 0xC8C8C8;
  info.DateColor = kRed;
  info.TimeColor = kGreen;
  info.WeekColor = kBlue;
  return info;
}

TimeAreaInfo CountdownRecord() {
  TimeAreaInfo info{};
  CopyBoundedText(info.ShowStrFont_FontName, kFace);
  info.ShowStrFont_FontSize = kPoints;
  info.ShowStrFont_FontColor = kBlue;
  info.TimeStrColor = kGreen;
  info.nYear = 2027;
  info.nMonth = 2;
  info.nDay = 3;
  info.nHour = 4;
  info.nMinute = 5;
  info.nSecond = 6;
  return info;
}

std::vector<std::uint8_t> Digital(const DigitalClockAreaInfo& info) {
  std::vector<std::uint8_t> block;
  EXPECT_EQ(GenerateDigitalClockArea(kArea, info, block), KQ_OK);
  return block;
}

std::vector<Element> DigitalElements(const std::vector<std::uint8_t>& block) {
  return Elements(block, 18, U16(block, 16) / 14);
}

std::vector<std::uint8_t> Countdown(const TimeAreaInfo& info) {
  std::vector<std::uint8_t> block;
  const int length = GenerateTimeArea(kArea, info, block);
  EXPECT_EQ(length, int(block.size()));
  return block;
}

// A row of the date or time table as the card's documentation writes it: numbers
// Y4, Y2, M, D, H, Mi, S and words between them.
struct Token {
  int kind;
  int groupWidth;
  int width;
};

std::vector<Token> Tokens(const QString& row, int hourKind, const Measures& m) {
  const std::map<QString, std::pair<int, int>> numbers = {
      {"Y4", {20, 4}}, {"Y2", {19, 2}}, {"M", {10, 2}}, {"D", {6, 2}},
      {"H", {hourKind, 2}}, {"Mi", {11, 2}}, {"S", {13, 2}}};
  const QString units = QStringLiteral("年月日时時分秒");
  std::vector<Token> tokens;
  for (const QString& text : row.split(' ', Qt::SkipEmptyParts)) {
    if (numbers.count(text)) {
      tokens.push_back({numbers.at(text).first, numbers.at(text).second * m.w, m.w});
    } else {
      const int width = units.contains(text) ? m.k : Width(m, text);
      tokens.push_back({255, width, width});
    }
  }
  return tokens;
}

int GroupWidth(const std::vector<Token>& tokens) {
  int width = 0;
  for (const Token& token : tokens) width += token.groupWidth;
  return width;
}

// Checks elements [first, first + tokens) against a group starting at x0, and
// their glyph offsets from `offset` on; returns the offset after their strips.
int ExpectGroup(const std::vector<Element>& elements, std::size_t first,
                const std::vector<Token>& tokens, int x0, int y, const Measures& m, int offset,
                const QString& what) {
  int x = x0;
  for (std::size_t index = 0; index < tokens.size(); ++index) {
    SCOPED_TRACE((what + " token %1").arg(index).toStdString());
    if (first + index >= elements.size()) {
      ADD_FAILURE() << "too few elements";
      return offset;
    }
    const Element& element = elements[first + index];
    EXPECT_EQ(element.kind, tokens[index].kind);
    EXPECT_EQ(element.x, x & 0xFFFF);
    EXPECT_EQ(element.y, y & 0xFFFF);
    EXPECT_EQ(element.width, tokens[index].width);
    EXPECT_EQ(element.height, m.h);
    EXPECT_EQ(element.zero, 0);
    if (tokens[index].kind == 255) {
      EXPECT_EQ(element.glyphOffset, offset);
      offset += StripBytes(1, tokens[index].width, m.h);
    } else {
      EXPECT_EQ(element.glyphOffset, 0);
    }
    x += tokens[index].groupWidth;
  }
  return offset;
}

const char* const kShownDate[7] = {"YMD", "MD", "YD", "YM", "Y", "M", "D"};
const char* const kDateTable[7][8] = {
    {"Y4 年 M 月 D 日", "Y2 年 M 月 D 日", "M / D / Y4", "Y4 / M / D", "Y4 - M - D",
     "Y4 . M . D", "M . D . Y4", "D . M . Y4"},
    {"M 月 D 日", "M 月 D 日", "M / D", "M / D", "M - D", "M . D", "M . D", "D . M"},
    {"Y4 年 D 日", "Y2 年 D 日", "D / Y4", "Y4 / D", "Y4 - D", "Y4 . D", "D . Y4", "D . Y4"},
    {"Y4 年 M 月", "Y2 年 M 月", "M / Y4", "Y4 / M", "Y4 - M", "Y4 . M", "M . Y4", "M . Y4"},
    {"Y4 年", "Y2 年", "Y4", "Y4", "Y4", "Y4", "Y4", "Y4"},
    {"M 月", "M 月", "M", "M", "M", "M", "M", "M"},
    {"D 日", "D 日", "D", "D", "D", "D", "D", "D"},
};

const char* const kShownTime[8] = {"HMS", "HM", "HS", "MS", "H", "M", "S", ""};
const char* const kTimeTable[8][4] = {
    {"H 时 Mi 分 S 秒", "H 時 Mi 分 S 秒", "H : Mi : S", "H : Mi : S"},
    {"H 时 Mi 分", "H 時 Mi 分", "H : Mi", "H : Mi"},
    {"H 时 S 秒", "H 時 S 秒", "H : S", "H : S"},
    {"Mi 分 S 秒", "Mi 分 S 秒", "Mi : S", "Mi : S"},
    {"H 时", "H 時", "H", "H"},
    {"Mi 分", "Mi 分", "Mi", "Mi"},
    {"S 秒", "S 秒", "S", "S"},
    {"", "", "", ""},
};

TEST(DigitalClock, EveryDateFormatFollowsTheDateTable) {
  const Measures m = MeasuresOf(16);
  for (int row = 0; row < 7; ++row) {
    for (int format = 0; format < 8; ++format) {
      const QString shown = kShownDate[row];
      DigitalClockAreaInfo info = DigitalRecord();
      info.IsShowYear = shown.contains('Y');
      info.IsShowMonth = shown.contains('M');
      info.IsShowDay = shown.contains('D');
      info.DateFormat = format;
      const std::vector<std::uint8_t> block = Digital(info);
      const std::vector<Element> elements = DigitalElements(block);
      const std::vector<Token> tokens = Tokens(kDateTable[row][format], 0, m);
      const QString what = QStringLiteral("%1 format %2").arg(shown).arg(format);
      ASSERT_EQ(elements.size(), tokens.size()) << what.toStdString();
      const int end = ExpectGroup(elements, 0, tokens, (kAreaWidth - GroupWidth(tokens)) / 2,
                                  (kAreaHeight - m.h) / 2, m, StripBytes(12, m.w, m.h), what);
      EXPECT_EQ(int(block.size()), 18 + 14 * int(tokens.size()) + end);
      for (const Element& element : elements) EXPECT_EQ(element.colorBits, 1);
    }
  }
}

TEST(DigitalClock, EveryTimeFormatFollowsTheTimeTableWithItsAmPmWord) {
  const Measures m = MeasuresOf(16);
  for (int row = 0; row < 8; ++row) {
    for (int format = 0; format < 7; ++format) {
      const QString shown = kShownTime[row];
      DigitalClockAreaInfo info = DigitalRecord();
      info.IsShowHour = shown.contains('H');
      info.IsShowMinite = shown.contains('M');
      info.IsShowSecond = shown.contains('S');
      info.TimeFormat = format;
      const std::vector<Element> elements = DigitalElements(Digital(info));
      const std::vector<Token> tokens =
          Tokens(kTimeTable[row][std::min(format, 3)], format <= 2 ? 7 : 8, m);
      const QString what = QStringLiteral("%1 format %2").arg(shown).arg(format);
      const bool amPm = format >= 3;
      const int amPmWidth = amPm ? 2 * (format == 4 || format == 6 ? m.w : m.k) : 0;
      const int timeWidth = GroupWidth(tokens);
      if (row == 7 && !amPm) {
        ASSERT_EQ(elements.size(), 1u) << "placeholder";
        continue;
      }
      ASSERT_EQ(elements.size(), tokens.size() + (amPm ? 1 : 0)) << what.toStdString();
      const int gap = !tokens.empty() && amPm ? m.w : 0;
      const int x0 = (kAreaWidth - timeWidth - gap - amPmWidth) / 2;
      const bool amPmFirst = format == 3 || format == 4;
      const int groupX = amPmFirst ? x0 + amPmWidth + gap : x0;
      const int digits = tokens.empty() ? 0 : StripBytes(12, m.w, m.h);
      const int end =
          ExpectGroup(elements, 0, tokens, groupX, (kAreaHeight - m.h) / 2, m, digits, what);
      if (!amPm) continue;
      const Element& word = elements.back();
      EXPECT_EQ(word.kind, 9) << what.toStdString();
      EXPECT_EQ(word.width, amPmWidth) << what.toStdString();
      EXPECT_EQ(word.x, amPmFirst ? x0 : x0 + timeWidth + gap) << what.toStdString();
      EXPECT_EQ(word.glyphOffset, end);
      EXPECT_EQ(word.colorBits, 2);
    }
  }
}

TEST(DigitalClock, DashDateAndColonTimeOnOneLine) {
  const Measures m = MeasuresOf(16);
  DigitalClockAreaInfo info = DigitalRecord();
  info.IsShowYear = info.IsShowMonth = info.IsShowDay = 1;
  info.IsShowHour = info.IsShowMinite = info.IsShowSecond = 1;
  info.DateFormat = 4;
  info.TimeFormat = 2;
  info.TimeLagType = 0;
  info.HourNum = 8;
  info.MiniteNum = 30;
  CopyBoundedText(info.FixedText, u"Now");
  const std::vector<std::uint8_t> block = Digital(info);
  EXPECT_EQ(U8(block, 0), 1);
  EXPECT_EQ(U32(block, 1), int(block.size()));
  EXPECT_EQ(U8(block, 5), 5);
  EXPECT_EQ(U16(block, 6), 8);
  EXPECT_EQ(U16(block, 8), 4);
  EXPECT_EQ(U16(block, 10), 8 + kAreaWidth - 1);
  EXPECT_EQ(U16(block, 12), 4 + kAreaHeight - 1);
  EXPECT_EQ(U16(block, 14), 0x8000 | 510);
  EXPECT_EQ(U16(block, 16), 11 * 14);
  const std::vector<Element> elements = DigitalElements(block);
  EXPECT_EQ(Kinds(elements), (std::vector<int>{20, 255, 10, 255, 6, 7, 255, 11, 255, 13, 255}));
  // The line from the left: text, date, time, a digit's width apart, centred.
  const int textWidth = Width(m, "Now");
  const int dateWidth = 8 * m.w + 2 * Width(m, "-");
  const int timeWidth = 6 * m.w + 2 * Width(m, ":");
  const int x0 = (kAreaWidth - (textWidth + m.w + dateWidth + m.w + timeWidth)) / 2;
  EXPECT_EQ(elements.back().x, x0 & 0xFFFF);
  EXPECT_EQ(elements.back().width, textWidth);
  EXPECT_EQ(elements.back().colorBits, 7);
  EXPECT_EQ(elements[0].x, (x0 + textWidth + m.w) & 0xFFFF);
  EXPECT_EQ(elements[5].x, (x0 + textWidth + m.w + dateWidth + m.w) & 0xFFFF);

  info.TimeLagType = 1;
  info.HourNum = -1;
  info.MiniteNum = 0;
  EXPECT_EQ(U16(Digital(info), 14), 0x10000 - 60);
}

TEST(DigitalClock, EmptyClockSendsThePlaceholder) {
  const std::vector<std::uint8_t> block = Digital(DigitalRecord());
  ASSERT_EQ(block.size(), 40u);
  EXPECT_EQ(U32(block, 1), 40);
  EXPECT_EQ(U16(block, 16), 14);
  const Element placeholder = DigitalElements(block)[0];
  EXPECT_EQ(placeholder.kind, 255);
  EXPECT_EQ(placeholder.width, 8);
  EXPECT_EQ(placeholder.height, 8);
  EXPECT_EQ(placeholder.colorBits, 1);
  EXPECT_EQ(placeholder.glyphOffset, 0);
  EXPECT_EQ(std::vector<std::uint8_t>(block.begin() + 32, block.end()),
            std::vector<std::uint8_t>(8, 0xFF));
}

TEST(DigitalClock, SeveralLinesSpreadOverTheHeight) {
  const Measures m = MeasuresOf(16);
  DigitalClockAreaInfo info = DigitalRecord();
  info.IsMutleLineShow = 1;
  info.IsShowDay = 1;
  info.DateFormat = 2;
  info.IsShowMinite = 1;
  info.TimeFormat = 4;
  // g = 2.0, then g = -1.0: the lines start at trunc(g) and follow h + trunc(2g) apart.
  for (const auto& [height, firstY] : {std::pair{2 * m.h + 8, 2}, std::pair{2 * m.h - 4, -1}}) {
    const CardRect area{0, 0, kAreaWidth - 1, height - 1};
    std::vector<std::uint8_t> block;
    ASSERT_EQ(GenerateDigitalClockArea(area, info, block), KQ_OK);
    const std::vector<Element> elements = DigitalElements(block);
    ASSERT_EQ(Kinds(elements), (std::vector<int>{6, 11, 9}));
    EXPECT_EQ(elements[0].y, firstY & 0xFFFF);
    EXPECT_EQ(elements[0].x, (kAreaWidth - 2 * m.w) / 2);
    const int secondY = firstY + m.h + 2 * firstY;
    EXPECT_EQ(elements[1].y, secondY);
    EXPECT_EQ(elements[2].y, secondY);
    // English AM/PM in front: s = (W - w - A - T) / 2.
    const int start = (kAreaWidth - m.w - 2 * m.w - 2 * m.w) / 2;
    EXPECT_EQ(elements[2].x, start);
    EXPECT_EQ(elements[1].x, start + 2 * m.w + m.w);
  }
}

TEST(DigitalClock, WeekdayAndUnusedOrUnknownSettings) {
  const Measures m = MeasuresOf(16);
  DigitalClockAreaInfo info = DigitalRecord();
  info.IsShowWeek = 1;
  info.WeekFormat = 1;
  info.IsShowYear = 1;
  const std::vector<std::uint8_t> block = Digital(info);
  const std::vector<Element> elements = DigitalElements(block);
  ASSERT_EQ(Kinds(elements), (std::vector<int>{20, 255, 127}));
  EXPECT_EQ(elements[2].width, Width(m, "Wednesday"));
  EXPECT_EQ(elements[2].colorBits, 4);
  EXPECT_EQ(int(block.size()), 18 + 3 * 14 + StripBytes(12, m.w, m.h) + StripBytes(1, m.k, m.h) +
                                   StripBytes(7, Width(m, "Wednesday"), m.h));

  DigitalClockAreaInfo other = info;
  other.HourType = 1;
  other.YearType = 1;
  EXPECT_EQ(Digital(other), block) << "HourType and YearType are not read";
  other.DateFormat = 8;
  EXPECT_EQ(Digital(other), block) << "an unknown date format counts as 0";
  info.IsShowHour = 1;
  other = info;
  other.TimeFormat = -1;
  EXPECT_EQ(Digital(other), Digital(info)) << "an unknown time format counts as 0";
}

TEST(DigitalClock, FontSizesAndGlyphOffsetsAreBounded) {
  DigitalClockAreaInfo info = DigitalRecord();
  info.IsShowHour = 1;
  for (const int size : {0, -7}) {
    info.ShowStrFont_FontSize = size;
    const std::vector<Element> elements = DigitalElements(Digital(info));
    ASSERT_FALSE(elements.empty());
    EXPECT_EQ(elements[0].height, MeasuresOf(1).h) << "size " << size;
  }
  // A weekday strip of 200-pixel names pushes the AM/PM strip past offset 65535.
  info = DigitalRecord();
  info.ShowStrFont_FontSize = 150;
  info.IsShowWeek = 1;
  info.WeekFormat = 1;
  std::vector<std::uint8_t> block;
  EXPECT_EQ(GenerateDigitalClockArea(kArea, info, block), KQ_OK);
  info.TimeFormat = 4;
  block.clear();
  EXPECT_EQ(GenerateDigitalClockArea(kArea, info, block), KQ_ERR_DRAW);
}

// ---- Countdown ----------------------------------------------------------------------

const char* const kUnitWords[5][4] = {
    {"天", "时", "分", "秒"}, {"天", "時", "分", "秒"}, {"Day", "Hour", "Min", "Sec"},
    {"d", "h", "m", "s"},     {":", ":", ":", ":"}};

TEST(Countdown, DaysAndSecondsChainBehindEachOther) {
  const Measures m = MeasuresOf(16);
  TimeAreaInfo info = CountdownRecord();
  info.ShowType = 2;
  info.IsShowDay = info.IsShowSecond = 1;
  const std::vector<std::uint8_t> block = Countdown(info);
  EXPECT_EQ(U8(block, 0), 1);
  EXPECT_EQ(U32(block, 1), int(block.size()));
  EXPECT_EQ(U8(block, 5), 7);
  EXPECT_EQ(U16(block, 6), 8);
  EXPECT_EQ(U16(block, 12), 4 + kAreaHeight - 1);
  EXPECT_EQ(U8(block, 14) | U16(block, 15), 0);
  EXPECT_EQ(U16(block, 17), 2027);
  EXPECT_EQ((std::vector<int>{U8(block, 19), U8(block, 20), U8(block, 21), U8(block, 22),
                              U8(block, 23)}),
            (std::vector<int>{2, 3, 4, 5, 6}));
  ASSERT_EQ(U16(block, 24), 4);
  const std::vector<Element> elements = Elements(block, 26, 4);
  EXPECT_EQ(Kinds(elements), (std::vector<int>{6, 255, 13, 255}));
  const std::vector<int> xs = {elements[0].x, elements[1].x, elements[2].x, elements[3].x};
  EXPECT_EQ(xs, (std::vector<int>{0, 0xFFFF, 0xFFFF, 0xFFFF}));
  const int digits = StripBytes(12, m.w, m.h);
  EXPECT_EQ(elements[1].width, Width(m, "Day"));
  EXPECT_EQ(elements[3].width, Width(m, "Sec"));
  EXPECT_EQ(elements[1].glyphOffset, digits);
  EXPECT_EQ(elements[2].glyphOffset, 0);
  EXPECT_EQ(elements[3].glyphOffset, digits + StripBytes(1, Width(m, "Day"), m.h));
  for (const Element& element : elements) {
    EXPECT_EQ(element.y, (kAreaHeight - m.h) / 2);
    EXPECT_EQ(element.height, m.h);
    EXPECT_EQ(element.colorBits, 2);
  }
  EXPECT_EQ(int(block.size()), 26 + 4 * 14 + elements[3].glyphOffset +
                                   StripBytes(1, Width(m, "Sec"), m.h));
}

TEST(Countdown, EveryShowTypeHasItsUnitWords) {
  const Measures m = MeasuresOf(16);
  TimeAreaInfo info = CountdownRecord();
  info.IsShowDay = info.IsShowHour = info.IsShowMinute = info.IsShowSecond = 1;
  for (int showType = 0; showType < 5; ++showType) {
    info.ShowType = showType;
    const std::vector<std::uint8_t> block = Countdown(info);
    const std::vector<Element> elements = Elements(block, 26, U16(block, 24));
    const std::vector<int> all = {6, 255, 8, 255, 11, 255, 13, 255};
    EXPECT_EQ(Kinds(elements),
              showType == 4 ? std::vector<int>(all.begin(), all.end() - 1) : all)
        << "ShowType " << showType << "; no colon after the seconds";
    for (std::size_t word = 1; word < elements.size(); word += 2) {
      EXPECT_EQ(elements[word].width, Width(m, kUnitWords[showType][word / 2]));
    }
  }
  info.ShowType = 9;
  TimeAreaInfo first = info;
  first.ShowType = 0;
  EXPECT_EQ(Countdown(info), Countdown(first)) << "an unknown ShowType counts as 0";
}

TEST(Countdown, FixedTextLines) {
  const Measures m = MeasuresOf(16);
  TimeAreaInfo info = CountdownRecord();
  CopyBoundedText(info.ShowStr, u"Left");
  const int textWidth = Width(m, "Left");
  std::vector<std::uint8_t> block = Countdown(info);
  ASSERT_EQ(U16(block, 24), 1);
  Element text = Elements(block, 26, 1)[0];
  EXPECT_EQ(text.x, 0);
  EXPECT_EQ(text.y, (kAreaHeight - m.h) / 2);
  EXPECT_EQ(text.colorBits, 4);
  EXPECT_EQ(text.glyphOffset, StripBytes(12, m.w, m.h));

  info.IsShowHour = 1;
  std::vector<Element> elements = Elements(Countdown(info), 26, 3);
  EXPECT_EQ(Kinds(elements), (std::vector<int>{8, 255, 255}));
  EXPECT_EQ(elements[0].x, textWidth);
  EXPECT_EQ(elements[0].y, (kAreaHeight - m.h) / 2);
  EXPECT_EQ(elements[2].width, textWidth);

  info.IsMutleLineShow = 1;
  elements = Elements(Countdown(info), 26, 3);
  EXPECT_EQ(elements[2].width, textWidth) << "the text goes last";
  EXPECT_EQ(elements[2].y, ((kAreaHeight - 2 * m.h) / 2) & 0xFFFF) << "may lie above the area";
  EXPECT_EQ(elements[0].x, 0);
  EXPECT_EQ(elements[0].y, m.h + (kAreaHeight - 2 * m.h) / 2);
  EXPECT_EQ(elements[1].y, elements[0].y);
}

}  // namespace
