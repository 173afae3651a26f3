// The countdown and digital clock blocks, read field by field and compared with
// layouts worked out from the card's tables and placement rules, with the test
// font's measures.

#include <gtest/gtest.h>

#include <QStringList>

#include <map>

#include "sdk/generate/clock/clock_generators.h"
#include "tests/sdk/generate/clock/clock_test_support.h"

using namespace clocktest;

namespace {

constexpr int kW = 200;  // area width and height
constexpr int kH = 32;
const CardRect kArea{8, 4, 8 + kW - 1, 4 + kH - 1};

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

std::vector<Element> DigitalElements(const DigitalClockAreaInfo& info,
                                     std::vector<std::uint8_t>* out = nullptr,
                                     const CardRect& area = kArea) {
  std::vector<std::uint8_t> block;
  EXPECT_EQ(GenerateDigitalClockArea(area, info, block), KQ_OK);
  if (out) *out = block;
  return block.size() < 18 ? std::vector<Element>{} : Elements(block, 18, U16(block, 16) / 14);
}

TimeAreaInfo CountdownRecord() {
  TimeAreaInfo info{};
  CopyBoundedText(info.ShowStrFont_FontName, kFace);
  info.ShowStrFont_FontSize = kPoints;
  info.ShowStrFont_FontColor = kBlue;
  info.TimeStrColor = kGreen;
  info.nYear = 2027;
  info.nMonth = 2;
  info.nSecond = 6;
  return info;
}

std::vector<std::uint8_t> Countdown(const TimeAreaInfo& info) {
  std::vector<std::uint8_t> block;
  const int length = GenerateTimeArea(kArea, info, block);
  EXPECT_EQ(length, int(block.size()));
  return block;
}

// A row of the date or time table as the card's documentation writes it: numbers
// Y4, Y2, M, D, H, Mi, S and the words between them.
struct Token {
  int kind, groupWidth, width;
};

std::vector<Token> Tokens(const QString& row, int hourKind, const Measures& m) {
  const std::map<QString, std::pair<int, int>> numbers = {
      {"Y4", {20, 4}},      {"Y2", {19, 2}}, {"M", {10, 2}}, {"D", {6, 2}},
      {"H", {hourKind, 2}}, {"Mi", {11, 2}}, {"S", {13, 2}}};
  std::vector<Token> tokens;
  for (const QString& text : row.split(' ', Qt::SkipEmptyParts)) {
    if (numbers.count(text)) {
      tokens.push_back({numbers.at(text).first, numbers.at(text).second * m.w, m.w});
    } else {
      const int width = QStringLiteral("年月日时時分秒").contains(text) ? m.k : Width(m, text);
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

// Checks the first elements against a group starting at x0, the words' glyphs from
// `offset` on; returns the offset after their strips.
int ExpectGroup(const std::vector<Element>& elements, const std::vector<Token>& tokens, int x0,
                const Measures& m, int offset, const std::string& what) {
  int x = x0;
  for (std::size_t index = 0; index < tokens.size() && index < elements.size(); ++index) {
    const Element& element = elements[index];
    const Token& token = tokens[index];
    EXPECT_EQ(element.kind, token.kind) << what << " token " << index;
    EXPECT_EQ(element.x, x & 0xFFFF) << what << " token " << index;
    EXPECT_EQ(element.y, (kH - m.h) / 2) << what;
    EXPECT_EQ(element.width, token.width) << what << " token " << index;
    EXPECT_EQ(element.height, m.h);
    EXPECT_EQ(element.glyphOffset, token.kind == 255 ? offset : 0) << what << " token " << index;
    if (token.kind == 255) offset += StripBytes(1, token.width, m.h);
    x += token.groupWidth;
  }
  return offset;
}

const char* const kShownDate[7] = {"YMD", "MD", "YD", "YM", "Y", "M", "D"};
const char* const kDateTable[7][8] = {
    {"Y4 年 M 月 D 日", "Y2 年 M 月 D 日", "M / D / Y4", "Y4 / M / D", "Y4 - M - D", "Y4 . M . D",
     "M . D . Y4", "D . M . Y4"},
    {"M 月 D 日", "M 月 D 日", "M / D", "M / D", "M - D", "M . D", "M . D", "D . M"},
    {"Y4 年 D 日", "Y2 年 D 日", "D / Y4", "Y4 / D", "Y4 - D", "Y4 . D", "D . Y4", "D . Y4"},
    {"Y4 年 M 月", "Y2 年 M 月", "M / Y4", "Y4 / M", "Y4 - M", "Y4 . M", "M . Y4", "M . Y4"},
    {"Y4 年", "Y2 年", "Y4", "Y4", "Y4", "Y4", "Y4", "Y4"},
    {"M 月", "M 月", "M", "M", "M", "M", "M", "M"},
    {"D 日", "D 日", "D", "D", "D", "D", "D", "D"},
};

const char* const kShownTime[8] = {"HMS", "HM", "HS", "MS", "H", "M", "S", ""};
const char* const kTimeTable[8][4] = {
    // formats 0, 1, 2 and 3-6
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
      std::vector<std::uint8_t> block;
      const std::vector<Element> elements = DigitalElements(info, &block);
      const std::vector<Token> tokens = Tokens(kDateTable[row][format], 0, m);
      const std::string what = shown.toStdString() + " format " + std::to_string(format);
      ASSERT_EQ(elements.size(), tokens.size()) << what;
      const int end = ExpectGroup(elements, tokens, (kW - GroupWidth(tokens)) / 2, m,
                                  StripBytes(12, m.w, m.h), what);
      EXPECT_EQ(int(block.size()), 18 + 14 * int(tokens.size()) + end) << what;
      for (const Element& element : elements) EXPECT_EQ(element.colorBits, 1);
    }
  }
}

TEST(DigitalClock, EveryTimeFormatFollowsTheTimeTableWithItsAmPmWord) {
  const Measures m = MeasuresOf(16);
  ASSERT_GT(Width(m, "AM"), 2 * m.w) << "the test font's \"AM\" is wider than two digits";
  for (int row = 0; row < 8; ++row) {
    for (int format = 0; format < 7; ++format) {
      const QString shown = kShownTime[row];
      DigitalClockAreaInfo info = DigitalRecord();
      info.IsShowHour = shown.contains('H');
      info.IsShowMinite = shown.contains('M');
      info.IsShowSecond = shown.contains('S');
      info.TimeFormat = format;
      const std::vector<Element> elements = DigitalElements(info);
      const std::vector<Token> tokens =
          Tokens(kTimeTable[row][std::min(format, 3)], format <= 2 ? 7 : 8, m);
      const std::string what = shown.toStdString() + " format " + std::to_string(format);
      const bool amPm = format >= 3;
      if (!amPm && tokens.empty()) continue;  // the placeholder, tested below
      ASSERT_EQ(elements.size(), tokens.size() + (amPm ? 1 : 0)) << what;
      // Formats 3 and 4 put the AM/PM word in front, 5 and 6 behind, a digit apart.
      // The English words take their own width where it is more than two digits'.
      const bool english = format == 4 || format == 6;
      const int amPmWidth = !amPm     ? 0
                            : english ? std::max({2 * m.w, Width(m, "AM"), Width(m, "PM")})
                                      : 2 * m.k;
      const int timeWidth = GroupWidth(tokens);
      const int gap = !tokens.empty() && amPm ? m.w : 0;
      const int x0 = (kW - timeWidth - gap - amPmWidth) / 2;
      const bool amPmFirst = format == 3 || format == 4;
      const int end = ExpectGroup(elements, tokens, amPmFirst ? x0 + amPmWidth + gap : x0, m,
                                  tokens.empty() ? 0 : StripBytes(12, m.w, m.h), what);
      if (!amPm) continue;
      const Element& word = elements.back();
      EXPECT_EQ(word.kind, 9) << what;
      EXPECT_EQ(word.width, amPmWidth) << what;
      EXPECT_EQ(word.x, amPmFirst ? x0 : x0 + timeWidth + gap) << what;
      EXPECT_EQ(word.glyphOffset, end) << what;
      EXPECT_EQ(word.colorBits, 2) << what;
    }
  }
}

TEST(DigitalClock, OneLineOfTextDateAndTimeWithTheHead) {
  const Measures m = MeasuresOf(16);
  DigitalClockAreaInfo info = DigitalRecord();
  info.IsShowYear = info.IsShowMonth = info.IsShowDay = 1;
  info.IsShowHour = info.IsShowMinite = info.IsShowSecond = 1;
  info.DateFormat = 4;
  info.TimeFormat = 2;
  info.HourNum = 8;
  info.MiniteNum = 30;
  CopyBoundedText(info.FixedText, u"Now");
  std::vector<std::uint8_t> block;
  const std::vector<Element> elements = DigitalElements(info, &block);
  const std::vector<int> head = {U8(block, 0),   U32(block, 1),  U8(block, 5),
                                 U16(block, 6),  U16(block, 8),  U16(block, 10),
                                 U16(block, 12), U16(block, 14), U16(block, 16)};
  EXPECT_EQ(head, (std::vector<int>{1, int(block.size()), 5, 8, 4, 8 + kW - 1, 4 + kH - 1,
                                    0x8000 | 510, 11 * 14}));
  EXPECT_EQ(Kinds(elements), (std::vector<int>{20, 255, 10, 255, 6, 7, 255, 11, 255, 13, 255}));
  // Text, date and time a digit's width apart, centred (here wider than the area, so
  // the text, which would start left of it, starts at its edge).
  const int text = Width(m, "Now");
  const int date = 8 * m.w + 2 * Width(m, "-");
  const int x0 = (kW - (text + m.w + date + m.w + 6 * m.w + 2 * Width(m, ":"))) / 2;
  ASSERT_LT(x0, 0);
  EXPECT_EQ(elements.back().x, 0);
  EXPECT_EQ(elements.back().colorBits, 7);
  EXPECT_EQ(elements[0].x, (x0 + text + m.w) & 0xFFFF);
  EXPECT_EQ(elements[5].x, (x0 + text + m.w + date + m.w) & 0xFFFF);

  info.TimeLagType = 1;
  info.HourNum = -1;
  info.MiniteNum = 0;
  DigitalElements(info, &block);
  EXPECT_EQ(U16(block, 14), 0x10000 - 60);
}

TEST(DigitalClock, EmptyClockSendsThePlaceholder) {
  std::vector<std::uint8_t> block;
  const std::vector<Element> elements = DigitalElements(DigitalRecord(), &block);
  ASSERT_EQ(block.size(), 40u);
  EXPECT_EQ(U32(block, 1), 40);
  ASSERT_EQ(elements.size(), 1u);
  EXPECT_EQ(std::vector<int>({elements[0].kind, elements[0].width, elements[0].height,
                              elements[0].colorBits, elements[0].glyphOffset}),
            std::vector<int>({255, 8, 8, 1, 0}));
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
  // g = 2.0: the lines start at trunc(g) and lie h + trunc(2g) apart; lines taller
  // than the area (g -1.0, and -0.5 where they would begin to overlap) are stacked from
  // the top without a gap.
  for (const auto& [height, firstY] :
       {std::pair{2 * m.h + 8, 2}, std::pair{2 * m.h - 4, 0}, std::pair{2 * m.h - 2, 0}}) {
    const std::vector<Element> elements =
        DigitalElements(info, nullptr, CardRect{0, 0, kW - 1, height - 1});
    ASSERT_EQ(Kinds(elements), (std::vector<int>{6, 11, 9}));
    EXPECT_EQ(elements[0].y, firstY);
    EXPECT_EQ(elements[0].x, (kW - 2 * m.w) / 2);
    EXPECT_EQ(elements[1].y, firstY + m.h + 2 * firstY);
    EXPECT_EQ(elements[2].y, elements[1].y);
    const int amPm = std::max({2 * m.w, Width(m, "AM"), Width(m, "PM")});
    const int start = (kW - m.w - amPm - 2 * m.w) / 2;  // (W - w - A - T) / 2
    EXPECT_EQ(elements[2].x, start);
    EXPECT_EQ(elements[1].x, start + amPm + m.w);
  }
}

TEST(DigitalClock, WeekdayUnusedAndUnknownSettingsAndBounds) {
  const Measures m = MeasuresOf(16);
  DigitalClockAreaInfo info = DigitalRecord();
  info.IsShowWeek = 1;
  info.WeekFormat = 1;
  info.IsShowYear = info.IsShowHour = 1;
  std::vector<std::uint8_t> block;
  const std::vector<Element> elements = DigitalElements(info, &block);
  ASSERT_EQ(Kinds(elements), (std::vector<int>{20, 255, 7, 255, 127}));
  EXPECT_EQ(elements[4].width, Width(m, "Wednesday"));
  EXPECT_EQ(elements[4].colorBits, 4);
  EXPECT_EQ(int(block.size()), 18 + 5 * 14 + StripBytes(12, m.w, m.h) +
                                   2 * StripBytes(1, m.k, m.h) +
                                   StripBytes(7, Width(m, "Wednesday"), m.h));

  DigitalClockAreaInfo other = info;
  other.HourType = other.YearType = 1;
  other.DateFormat = 8;
  other.TimeFormat = -1;
  std::vector<std::uint8_t> same;
  DigitalElements(other, &same);
  EXPECT_EQ(same, block) << "HourType and YearType unread, unknown formats count as 0";

  for (const int size : {0, -7}) {
    other.ShowStrFont_FontSize = size;
    EXPECT_EQ(DigitalElements(other).at(0).height, MeasuresOf(1).h) << "size " << size;
  }
  // 200-pixel weekday names push the AM/PM strip behind them past offset 65535.
  info.ShowStrFont_FontSize = 150;
  info.IsShowYear = info.IsShowHour = 0;
  DigitalElements(info);
  info.TimeFormat = 4;
  EXPECT_EQ(GenerateDigitalClockArea(kArea, info, block), KQ_ERR_DRAW);
}

// ---- Countdown ----------------------------------------------------------------------

const char* const kUnitWords[5][4] = {{"天", "时", "分", "秒"},
                                      {"天", "時", "分", "秒"},
                                      {"Day", "Hour", "Min", "Sec"},
                                      {"d", "h", "m", "s"},
                                      {":", ":", ":", ":"}};

TEST(Countdown, DaysAndSecondsChainBehindEachOther) {
  const Measures m = MeasuresOf(16);
  TimeAreaInfo info = CountdownRecord();
  info.ShowType = 2;
  info.IsShowDay = info.IsShowSecond = 1;
  const std::vector<std::uint8_t> block = Countdown(info);
  const std::vector<int> head = {
      U8(block, 0),   U32(block, 1), U8(block, 5),  U16(block, 12), U8(block, 14) | U16(block, 15),
      U16(block, 17), U8(block, 19), U8(block, 23), U16(block, 24)};
  EXPECT_EQ(head, (std::vector<int>{1, int(block.size()), 7, 4 + kH - 1, 0, 2027, 2, 6, 4}));
  const std::vector<Element> elements = Elements(block, 26, 4);
  EXPECT_EQ(Kinds(elements), (std::vector<int>{6, 255, 13, 255}));
  const int digits = StripBytes(12, m.w, m.h);
  const std::vector<std::vector<int>> fields = {
      {0, 0, m.w},
      {0xFFFF, digits, Width(m, "Day")},
      {0xFFFF, 0, m.w},
      {0xFFFF, digits + StripBytes(1, Width(m, "Day"), m.h), Width(m, "Sec")}};
  for (int index = 0; index < 4; ++index) {
    const Element& element = elements[index];
    EXPECT_EQ((std::vector<int>{element.x, element.glyphOffset, element.width}), fields[index]);
    EXPECT_EQ((std::vector<int>{element.y, element.height, element.colorBits}),
              (std::vector<int>{(kH - m.h) / 2, m.h, 2}));
  }
  EXPECT_EQ(int(block.size()), 26 + 4 * 14 + fields[3][1] + StripBytes(1, Width(m, "Sec"), m.h));
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
    EXPECT_EQ(Kinds(elements), showType == 4 ? std::vector<int>(all.begin(), all.end() - 1) : all)
        << "ShowType " << showType << "; no colon after the seconds";
    for (std::size_t word = 1; word < elements.size(); word += 2) {
      EXPECT_EQ(elements[word].width, Width(m, kUnitWords[showType][word / 2]));
    }
  }
  TimeAreaInfo first = info;
  first.ShowType = 0;
  info.ShowType = 9;
  EXPECT_EQ(Countdown(info), Countdown(first)) << "an unknown ShowType counts as 0";
}

TEST(Countdown, FixedTextInFrontOrAboveAndLastInTheTable) {
  const Measures m = MeasuresOf(16);
  TimeAreaInfo info = CountdownRecord();
  CopyBoundedText(info.ShowStr, u"Left");
  const int textWidth = Width(m, "Left");
  std::vector<std::uint8_t> block = Countdown(info);
  ASSERT_EQ(U16(block, 24), 1);
  const Element text = Elements(block, 26, 1)[0];
  EXPECT_EQ((std::vector<int>{text.x, text.y, text.colorBits, text.glyphOffset}),
            (std::vector<int>{0, (kH - m.h) / 2, 4, StripBytes(12, m.w, m.h)}));

  info.IsShowHour = 1;
  std::vector<Element> elements = Elements(Countdown(info), 26, 3);
  EXPECT_EQ(Kinds(elements), (std::vector<int>{8, 255, 255}));
  EXPECT_EQ(elements[0].x, textWidth);
  EXPECT_EQ(elements[0].y, (kH - m.h) / 2);

  info.IsMutleLineShow = 1;
  elements = Elements(Countdown(info), 26, 3);
  EXPECT_EQ(elements[2].width, textWidth) << "the text goes last";
  ASSERT_LT(kH - 2 * m.h, 0);
  EXPECT_EQ(elements[2].y, 0) << "would start above the area: starts at its top edge";
  EXPECT_EQ(elements[0].x, 0);
  EXPECT_EQ(elements[0].y, m.h + (kH - 2 * m.h) / 2);
}

}  // namespace
