// The analog clock block: the head with the hands, the face planes with the dial's
// marks where the card's layout puts them, and the date and weekday lines.

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <utility>

#include "sdk/clock_generators.h"
#include "sdk/glyph_strips.h"
#include "tests/sdk/clock_test_support.h"

using namespace clocktest;

namespace {

constexpr ColorRef kRed = 0x0000FF;
constexpr ColorRef kGreen = 0x00FF00;
constexpr ColorRef kBlue = 0xFF0000;

ClockAreaInfo AnalogRecord() {
  ClockAreaInfo info{};
  for (char16_t* face : {info.ShowStrFont_FontName, info.DateFont_FontName,
                         info.WeekFont_FontName}) {
    CopyBoundedText(face, 32, kFace);
  }
  info.ShowStrFont_FontSize = kPoints;
  info.ShowStrFont_FontColor = kRed;
  info.DateFont_FontSize = kPoints;
  info.DateFont_FontColor = kGreen;
  info.WeekFont_FontSize = 9;  // 12 pixels
  info.WeekFont_FontColor = kBlue;
  info.ClockType = 2;
  info.HourPointerColor = kRed;
  info.MinitePointerColor = kGreen;
  info.SecondPointerColor = kBlue;
  info.HourPointerWidth = 3;
  info.MinutePointerWidth = 2;
  info.SecondPointerWidth = 1;
  info.HourMarkColor = kRed;
  info.HourMarkType = 1;
  info.HourMarkWidth = 1;
  info.MiniteMarkColor = kGreen;
  info.MiniteMarkType = 1;
  info.MiniteMarkWidth = 1;
  return info;
}

std::vector<std::uint8_t> Analog(const CardRect& area, const ClockAreaInfo& info, int colors) {
  std::vector<std::uint8_t> block;
  const int length = GenerateClockArea(block, area, info, colors);
  EXPECT_EQ(length, int(block.size()));
  return block;
}

// The lit pixels of one plane of the face that starts at byte 28.
std::set<std::pair<int, int>> LitPixels(const std::vector<std::uint8_t>& block,
                                        const CardRect& area, int plane) {
  const int rowBytes = (area.right + 8) / 8 - area.left / 8;
  const int start = area.left % 8;
  std::set<std::pair<int, int>> lit;
  for (int y = 0; y < area.Height(); ++y) {
    for (int x = 0; x < area.Width(); ++x) {
      const std::size_t at = 28 + std::size_t(plane) * rowBytes * area.Height() + y * rowBytes +
                             (start + x) / 8;
      if (((block.at(at) >> ((start + x) % 8)) & 1) == 0) lit.insert({x, y});
    }
  }
  return lit;
}

bool LitNear(const std::set<std::pair<int, int>>& lit, double x, double y) {
  for (int dx = -1; dx <= 1; ++dx) {
    for (int dy = -1; dy <= 1; ++dy) {
      if (lit.count({int(x) + dx, int(y) + dy})) return true;
    }
  }
  return false;
}

TEST(AnalogClock, HeadHandsAndABlankFace) {
  ClockAreaInfo info = AnalogRecord();
  info.TimeLagType = 0;
  info.HourNum = 2;
  const CardRect area{0, 0, 63, 31};
  const std::vector<std::uint8_t> block = Analog(area, info, 1);
  ASSERT_EQ(block.size(), 286u);
  EXPECT_EQ(U8(block, 0), 1);
  EXPECT_EQ(U32(block, 1), 286);
  EXPECT_EQ(U8(block, 5), 10);
  EXPECT_EQ(U16(block, 10), 63);
  EXPECT_EQ(U16(block, 14), 0x8000 | 120);
  const std::vector<int> hands = {U8(block, 16), U16(block, 17), U8(block, 19), U16(block, 20),
                                  U8(block, 22), U16(block, 23), U8(block, 25), U8(block, 26),
                                  U8(block, 27)};
  EXPECT_EQ(hands, (std::vector<int>{1, 0, 2, 0, 4, 0, 3, 2, 1}));
  EXPECT_EQ(std::vector<std::uint8_t>(block.begin() + 28, block.begin() + 284),
            std::vector<std::uint8_t>(256, 0xFF))
      << "no marks, no text, no hands";
  EXPECT_EQ(U16(block, 284), 0);
  std::vector<std::uint8_t> unchanged = block;
  EXPECT_EQ(GenerateClockArea(unchanged, area, info, 4), KQ_ERR_BAD_SIZE);
  EXPECT_EQ(unchanged, block);
}

TEST(AnalogClock, RoundDialMarksSitOnTheCircle) {
  ClockAreaInfo info = AnalogRecord();
  info.ClockType = 0;
  const CardRect area{5, 0, 5 + 60, 60};  // 61 x 61 starting at bit 5
  const std::vector<std::uint8_t> block = Analog(area, info, 2);
  const auto hours = LitPixels(block, area, 0);
  const auto minutes = LitPixels(block, area, 1);
  EXPECT_EQ(hours.size(), 12u);
  EXPECT_EQ(minutes.size(), 48u);
  const double radius = 30.5 - 1;
  for (int i = 0; i < 60; ++i) {
    const double theta = i * 2 * 3.14159265358979 / 60;
    const double x = 30.5 + radius * std::sin(theta);
    const double y = 30.5 - radius * std::cos(theta);
    EXPECT_TRUE(LitNear(i % 5 == 0 ? hours : minutes, x, y)) << "mark " << i;
  }
  EXPECT_EQ(U16(block, 28 + 2 * 9 * 61), 0) << "no elements";
}

TEST(AnalogClock, SquareDialMarksSitOnTheSquare) {
  ClockAreaInfo info = AnalogRecord();
  info.ClockType = 1;
  const CardRect area{0, 0, 40, 40};  // a = (41 - 2) / 2 = 19.5 around 20.5
  const std::vector<std::uint8_t> block = Analog(area, info, 2);
  const auto hours = LitPixels(block, area, 0);
  const auto minutes = LitPixels(block, area, 1);
  EXPECT_EQ(hours.size(), 12u);
  EXPECT_EQ(minutes.size(), 48u);
  for (const auto& lit : {hours, minutes}) {
    for (const auto& [x, y] : lit) {
      EXPECT_TRUE(x == 1 || x == 40 || y == 1 || y == 40) << x << "," << y;
    }
  }
  for (const std::pair<int, int>& hour : {std::pair{20, 1}, {40, 20}, {20, 40}, {1, 20}}) {
    EXPECT_TRUE(hours.count(hour)) << hour.first << "," << hour.second;
  }
}

TEST(AnalogClock, FaceTextInTheUpperQuarter) {
  ClockAreaInfo info = AnalogRecord();
  CopyBoundedText(info.ShowStr, u"12");
  const CardRect area{0, 0, 119, 95};
  const auto lit = LitPixels(Analog(area, info, 1), area, 0);
  const QSize extent = TextExtent(MeasuresOf(16).font, QStringLiteral("12"));
  const int left = (120 - extent.width()) / 2;
  const int top = 96 / 4 - extent.height() / 2;
  ASSERT_FALSE(lit.empty());
  for (const auto& [x, y] : lit) {
    EXPECT_TRUE(x >= left && x < left + extent.width() && y >= top &&
                y < top + extent.height())
        << x << "," << y;
  }
}

TEST(AnalogClock, DateAndWeekdayLinesInTheLowerHalf) {
  const Measures date = MeasuresOf(16);
  const Measures week = MeasuresOf(12);
  ClockAreaInfo info = AnalogRecord();
  info.HourMarkWidth = 6;  // m = 4
  info.IsShowDate = 1;
  info.DateFormat = 3;
  info.IsShowWeek = 1;
  info.WeekFormat = 2;
  const CardRect area{0, 0, 119, 95};
  std::vector<std::uint8_t> block = Analog(area, info, 1);
  const std::size_t count = 28 + 15 * 96;
  ASSERT_EQ(U16(block, count), 6);
  const std::vector<Element> elements = Elements(block, count + 2, 6);
  EXPECT_EQ(Kinds(elements), (std::vector<int>{20, 255, 10, 255, 6, 127}));
  const int dateWidth = 8 * date.w + 2 * Width(date, "/");
  const int weekWidth = MeasureWeekdayWidth(2, week.font);
  const int y = 48 + (48 - week.h - date.h - 4) / 2;
  EXPECT_EQ(elements[0].x, (120 - dateWidth) / 2);
  EXPECT_EQ(elements[2].x, (120 - dateWidth) / 2 + 4 * date.w + Width(date, "/"));
  for (int index = 0; index < 5; ++index) {
    EXPECT_EQ(elements[index].y, y);
    EXPECT_EQ(elements[index].height, date.h);
    EXPECT_EQ(elements[index].colorBits, 2);
  }
  const Element& weekday = elements[5];
  EXPECT_EQ(weekday.x, (120 - weekWidth) / 2);
  EXPECT_EQ(weekday.y, y + date.h);
  EXPECT_EQ(weekday.width, weekWidth);
  EXPECT_EQ(weekday.height, week.h);
  EXPECT_EQ(weekday.colorBits, 4);
  const int digits = StripBytes(12, date.w, date.h);
  const int slash = StripBytes(1, Width(date, "/"), date.h);
  EXPECT_EQ(elements[3].glyphOffset, digits + slash);
  EXPECT_EQ(weekday.glyphOffset, digits + 2 * slash);
  EXPECT_EQ(int(block.size()), int(count) + 2 + 6 * 14 + weekday.glyphOffset +
                                   StripBytes(7, weekWidth, week.h));

  info.IsShowWeek = 0;
  block = Analog(area, info, 1);
  EXPECT_EQ(Elements(block, count + 2, 1)[0].y, 48 + (48 - date.h - 4) / 2);
  info.IsShowWeek = 1;
  info.IsShowDate = 0;
  block = Analog(area, info, 1);
  ASSERT_EQ(U16(block, count), 1);
  EXPECT_EQ(Elements(block, count + 2, 1)[0].y, 48 + (48 - week.h - 4) / 2);
}

}  // namespace
