// The analog clock block: the head with the hands, the face planes with the dial's
// marks where the card's layout puts them, and the date and weekday lines.

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <utility>

#include "render/clock_layout/glyph_strips.h"
#include "sdk/generate/clock/clock_generators.h"
#include "tests/sdk/generate/clock/clock_test_support.h"

using namespace clocktest;

namespace {

using Pixels = std::set<std::pair<int, int>>;

ClockAreaInfo AnalogRecord() {
  ClockAreaInfo info{};
  for (char16_t* face :
       {info.ShowStrFont_FontName, info.DateFont_FontName, info.WeekFont_FontName}) {
    CopyBoundedText(face, 32, kFace);
  }
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

// The lit pixels of one plane of the face, which starts at byte 28.
Pixels LitPixels(const std::vector<std::uint8_t>& block, const CardRect& area, int plane) {
  const int rowBytes = (area.right + 8) / 8 - area.left / 8;
  const int start = area.left % 8;
  Pixels lit;
  for (int y = 0; y < area.Height(); ++y) {
    for (int x = 0; x < area.Width(); ++x) {
      const std::size_t at =
          28 + std::size_t(plane) * rowBytes * area.Height() + y * rowBytes + (start + x) / 8;
      if (((block.at(at) >> ((start + x) % 8)) & 1) == 0) lit.insert({x, y});
    }
  }
  return lit;
}

TEST(AnalogClock, HeadHandsAndABlankFace) {
  ClockAreaInfo info = AnalogRecord();
  info.HourNum = 2;
  const CardRect area{0, 0, 63, 31};
  const std::vector<std::uint8_t> block = Analog(area, info, 1);
  ASSERT_EQ(block.size(), 286u);
  const std::vector<int> head = {U8(block, 0),   U32(block, 1), U8(block, 5),   U16(block, 10),
                                 U16(block, 14), U8(block, 16), U16(block, 17), U8(block, 19),
                                 U16(block, 20), U8(block, 22), U16(block, 23), U8(block, 25),
                                 U8(block, 26),  U8(block, 27), U16(block, 284)};
  EXPECT_EQ(head, (std::vector<int>{1, 286, 10, 63, 0x8000 | 120, 1, 0, 2, 0, 4, 0, 3, 2, 1, 0}));
  EXPECT_EQ(std::vector<std::uint8_t>(block.begin() + 28, block.begin() + 284),
            std::vector<std::uint8_t>(256, 0xFF))
      << "ClockType 2, no text: no marks, and the hands are never drawn";
  std::vector<std::uint8_t> unchanged = block;
  EXPECT_EQ(GenerateClockArea(unchanged, area, info, 4), KQ_ERR_BAD_SIZE);
  EXPECT_EQ(unchanged, block);
}

TEST(AnalogClock, RoundDialMarksSitOnTheCircle) {
  ClockAreaInfo info = AnalogRecord();
  info.ClockType = 0;
  const CardRect area{5, 0, 5 + 60, 60};  // 61 x 61 starting at bit 5
  const std::vector<std::uint8_t> block = Analog(area, info, 2);
  const Pixels hours = LitPixels(block, area, 0);
  const Pixels minutes = LitPixels(block, area, 1);
  EXPECT_EQ(hours.size(), 12u);
  EXPECT_EQ(minutes.size(), 48u);
  for (int i = 0; i < 60; ++i) {  // mark i at (cx + R sin θ, cy - R cos θ), R = 30.5 - m
    const double theta = i * 2 * M_PI / 60;
    const int x = int(30.5 + 29.5 * std::sin(theta));
    const int y = int(30.5 - 29.5 * std::cos(theta));
    bool near = false;
    for (const auto& [litX, litY] : i % 5 == 0 ? hours : minutes) {
      near = near || (std::abs(litX - x) <= 1 && std::abs(litY - y) <= 1);
    }
    EXPECT_TRUE(near) << "mark " << i;
  }
}

TEST(AnalogClock, SquareDialMarksSitOnTheSquare) {
  ClockAreaInfo info = AnalogRecord();
  info.ClockType = 1;
  const CardRect area{0, 0, 40, 40};  // a = (41 - 2) / 2 = 19.5 around 20.5
  const std::vector<std::uint8_t> block = Analog(area, info, 2);
  const Pixels hours = LitPixels(block, area, 0);
  const Pixels minutes = LitPixels(block, area, 1);
  EXPECT_EQ(hours.size(), 12u);
  EXPECT_EQ(minutes.size(), 48u);
  for (const Pixels& lit : {hours, minutes}) {
    for (const auto& [x, y] : lit) EXPECT_TRUE(x == 1 || x == 40 || y == 1 || y == 40);
  }
  EXPECT_EQ(std::count_if(hours.begin(), hours.end(),
                          [](const auto& pixel) { return pixel.second == 20; }),
            2)
      << "the two extra hour marks";
}

TEST(AnalogClock, FaceTextAndDateAndWeekdayLines) {
  const Measures date = MeasuresOf(16);
  const Measures week = MeasuresOf(12);
  ClockAreaInfo info = AnalogRecord();
  CopyBoundedText(info.ShowStr, u"12");
  info.ShowStrFont_FontSize = kPoints;
  info.ShowStrFont_FontColor = kRed;
  info.HourMarkWidth = 6;  // m = 4
  info.IsShowDate = 1;
  info.DateFormat = 3;
  info.IsShowWeek = 1;
  info.WeekFormat = 2;
  const CardRect area{0, 0, 119, 95};
  std::vector<std::uint8_t> block = Analog(area, info, 1);
  const QSize text = TextExtent(date.font, QStringLiteral("12"));
  const QRect textBox((120 - text.width()) / 2, 96 / 4 - text.height() / 2, text.width(),
                      text.height());
  const Pixels lit = LitPixels(block, area, 0);
  EXPECT_FALSE(lit.empty());
  for (const auto& [x, y] : lit) EXPECT_TRUE(textBox.contains(x, y)) << x << "," << y;

  const std::size_t count = 28 + 15 * 96;
  ASSERT_EQ(U16(block, count), 6);
  const std::vector<Element> elements = Elements(block, count + 2, 6);
  EXPECT_EQ(Kinds(elements), (std::vector<int>{20, 255, 10, 255, 6, 127}));
  const int dateWidth = 8 * date.w + 2 * Width(date, "/");
  const int y = 48 + (48 - week.h - date.h - 4) / 2;
  EXPECT_EQ(elements[2].x, (120 - dateWidth) / 2 + 4 * date.w + Width(date, "/"));
  for (int index = 0; index < 5; ++index) {
    EXPECT_EQ(
        (std::vector<int>{elements[index].y, elements[index].height, elements[index].colorBits}),
        (std::vector<int>{y, date.h, 2}));
  }
  const int weekWidth = MeasureWeekdayWidth(2, week.font);
  const Element& weekday = elements[5];
  EXPECT_EQ(
      (std::vector<int>{weekday.x, weekday.y, weekday.width, weekday.height, weekday.colorBits}),
      (std::vector<int>{(120 - weekWidth) / 2, y + date.h, weekWidth, week.h, 4}));
  const int slash = StripBytes(1, Width(date, "/"), date.h);
  EXPECT_EQ(weekday.glyphOffset, StripBytes(12, date.w, date.h) + 2 * slash);
  EXPECT_EQ(int(block.size()),
            int(count) + 2 + 6 * 14 + weekday.glyphOffset + StripBytes(7, weekWidth, week.h));

  info.IsShowDate = 0;
  block = Analog(area, info, 1);
  EXPECT_EQ(Elements(block, count + 2, 1).at(0).y, 48 + (48 - week.h - 4) / 2) << "alone";
}

}  // namespace
