// The digital clock: every cell of the date table, the weekdays, the time formats,
// the offset, the single- and multi-line layouts and the once-a-second redraw.

#include <gtest/gtest.h>

#include <QStringList>

#include "render/clock/clock_time.h"
#include "render/clock/digital_clock.h"
#include "render/clock/digital_clock_text.h"
#include "render/common/fake_play_clock.h"
#include "tests/render/clock/clock_test_support.h"

using namespace clocktest;

namespace {

// Tuesday 5 March 2024.
ClockFields Fields(int hour, int minute, int second) {
  return {2024, 3, 5, hour, minute, second, 1};
}

// The date table as written: rows Y M D, M D, Y D, Y M, Y, M, D; columns the formats.
const char* const kDateTable[7][8] = {
    {"%Y年%m月%d日", "YY年%m月%d日", "%m/%d/%Y", "%Y/%m/%d", "YY-%m-%d", "YY.%m.%d", "%m.%d.%Y", "%d.%m.%Y"},
    {"%m月%d日", "%m月%d日", "%m/%d", "%m/%d", "%m-%d", "%m.%d", "%m.%d", "%d.%m"},
    {"%Y年%d日", "YY年%d日", "%d/%Y", "%Y/%d", "YY-%d", "YY.%d", "%d.%Y", "%d.%Y"},
    {"%Y年%m月", "YY年%m月", "%m/%Y", "%Y/%m", "YY-%m", "YY.%m", "%m.%Y", "%m.%Y"},
    {"%Y年", "YY年", "%Y", "%Y", "YY", "YY", "%Y", "%Y"},
    {"%m月", "%m月", "%m", "%m", "%m", "%m", "%m", "%m"},
    {"%d日", "%d日", "%d", "%d", "%d", "%d", "%d", "%d"},
};
const DateParts kDateRows[7] = {{true, true, true},  {false, true, true}, {true, false, true},
                                {true, true, false}, {true, false, false}, {false, true, false},
                                {false, false, true}};

TEST(DigitalClockText, EveryCellOfTheDateTable) {
  for (int row = 0; row < 7; ++row) {
    for (int format = 0; format < 8; ++format) {
      QString expected = QString::fromUtf8(kDateTable[row][format]);
      expected.replace(QStringLiteral("%Y"), QStringLiteral("2024"))
          .replace(QStringLiteral("YY"), QStringLiteral("24"))
          .replace(QStringLiteral("%m"), QStringLiteral("03"))
          .replace(QStringLiteral("%d"), QStringLiteral("05"));
      EXPECT_EQ(DateText(Fields(14, 7, 9), kDateRows[row], format), expected)
          << "row " << row << " format " << format;
    }
  }
  EXPECT_EQ(DateText(Fields(14, 7, 9), {}, 3), QString()) << "nothing shown";
  EXPECT_EQ(DateText(Fields(14, 7, 9), kDateRows[0], 8), std::nullopt);
  EXPECT_EQ(DateText(Fields(14, 7, 9), kDateRows[0], -1), std::nullopt);
}

TEST(DigitalClockText, WeekdaysMondayToSundayInTheThreeStyles) {
  const QStringList styles[3] = {
      QString::fromUtf8("星期一 星期二 星期三 星期四 星期五 星期六 星期天").split(u' '),
      QStringLiteral("Monday Tuesday Wednesday Thursday Friday Saturday Sunday").split(u' '),
      QStringLiteral("Mon. Tues. Wed. Thur. Fri. Sat. Sun.").split(u' ')};
  for (int style = 0; style < 3; ++style) {
    for (int day = 0; day < 7; ++day) {
      ClockFields fields = Fields(0, 0, 0);
      fields.weekday = day;
      EXPECT_EQ(WeekdayText(fields, true, style), styles[style][day]);
    }
  }
  std::tm sunday{};
  sunday.tm_wday = 0;
  EXPECT_EQ(ClockFieldsOf(sunday).weekday, 6);
  EXPECT_EQ(WeekdayText(Fields(0, 0, 0), false, 9), QString()) << "not shown";
  EXPECT_EQ(WeekdayText(Fields(0, 0, 0), true, 3), std::nullopt);
}

TEST(DigitalClockText, TimeFormats) {
  const TimeParts all{true, true, true};
  struct Case {
    ClockFields fields;
    TimeParts shown;
    int format;
    const char* text;
  };
  const Case cases[] = {
      {Fields(14, 7, 9), all, 0, "14时07分09秒"},
      {Fields(14, 7, 9), {false, true, true}, 0, "07分09秒"},
      {Fields(9, 7, 9), all, 1, "09時07分09秒"},
      {Fields(14, 7, 9), all, 2, "14:07:09"},
      {Fields(14, 7, 9), {true, false, true}, 2, "14:09"},
      {Fields(14, 7, 9), all, 3, "下午 02:07:09"},
      {Fields(9, 7, 9), all, 4, "AM 09:07:09"},
      {Fields(14, 7, 9), {false, true, true}, 4, "PM 07:09"},
      {Fields(9, 7, 9), {true, false, false}, 4, "AM 09"},
      {Fields(11, 7, 9), all, 5, "11:07:09 上午"},
      {Fields(9, 7, 9), all, 6, "09:07:09 AM"},
      {Fields(12, 7, 9), {false, false, true}, 6, "09 PM"},
      {Fields(0, 0, 0), {true, false, false}, 6, "12 AM"},
      {Fields(12, 0, 0), {true, false, false}, 3, "下午 12"},
      {Fields(13, 0, 0), {}, 4, "PM"},
      {Fields(13, 0, 0), {}, 3, "下午"},
      {Fields(1, 0, 0), {}, 5, "上午"},
      {Fields(1, 0, 0), {}, 6, "AM"},
      {Fields(13, 0, 0), {}, 2, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TimeText(c.fields, c.shown, c.format), QString::fromUtf8(c.text)) << c.text;
  }
  EXPECT_EQ(TimeText(Fields(1, 0, 0), all, 7), std::nullopt);
}

class DigitalClockImage : public ClockTest {
 protected:
  DigitalClockImage() {
    CopyBoundedText(info_.ShowStrFont_FontName, kLatinFace);
    info_.ShowStrFont_FontSize = 12;
    info_.ShowStrFont_FontColor = kRed;
    info_.DateColor = kGreen;
    info_.WeekColor = kYellow;
    info_.TimeColor = kBlue;
    info_.TimeFormat = 2;
    info_.DateFormat = 4;
    info_.TimeLagType = 1;
  }

  // A clock of width x height on the record, at 14:07:09 on 5 March 2024.
  CDigitalClockImage& Make(int width, int height) {
    image_.width = width;
    image_.height = height;
    image_.settings = &info_;
    image_.startTick = clock_.TickMs();
    area_ = BlackArea(width, height);
    return image_;
  }

  QFont Font() const { return ShowStrFont(info_); }

  DigitalClockAreaInfo info_{};
  FakePlayClock clock_{LocalSeconds(2024, 3, 5, 14, 7, 9), 0xFFFFFE00u};
  CDigitalClockImage image_{clock_};
  QImage area_;
};

TEST_F(DigitalClockImage, OffsetAddsForLagTypeOneAndSubtractsOtherwise) {
  info_.IsShowHour = info_.IsShowMinite = info_.IsShowSecond = 1;
  info_.HourNum = 2;
  info_.MiniteNum = 30;
  Make(128, 32).Draw(area_);
  EXPECT_EQ(image_.TimeText(), QStringLiteral("16:37:09"));
  info_.TimeLagType = 0;
  clock_.SetSeconds(clock_.NowSeconds() + 1);
  image_.Draw(area_);
  EXPECT_EQ(image_.TimeText(), QStringLiteral("11:37:10"));
}

TEST_F(DigitalClockImage, SingleLineIsCentredAsOneGroupWithItsSpaces) {
  CopyBoundedText(info_.FixedText, u"Hi");
  info_.IsShowYear = info_.IsShowMonth = info_.IsShowDay = 1;
  info_.IsShowHour = info_.IsShowMinite = info_.IsShowSecond = 1;
  Make(256, 40).Draw(area_);
  KeepPicture(area_, QStringLiteral("digital_single_line"));

  const QFont font = Font();
  const QString texts[] = {QStringLiteral("Hi "), QStringLiteral("24-03-05"),
                           QStringLiteral(" 14:07:09")};
  const ColorRef colors[] = {kRed, kGreen, kBlue};
  int total = 0;
  for (const QString& text : texts) total += TextExtent(font, text).width();
  const int cell = TextExtent(font, texts[0]).height();
  QImage expected = BlackArea(256, 40);
  int x = (256 - total) / 2;
  for (int i = 0; i < 3; ++i) {
    DrawTextTopLeft(expected, x, (40 - cell) / 2, texts[i], font, colors[i]);
    x += TextExtent(font, texts[i]).width();
  }
  EXPECT_EQ(area_, expected);
}

TEST_F(DigitalClockImage, MultiLineSpreadsTheLinesAndStacksThemWhenTooTall) {
  // A 16-pixel font (12 points); its cell is a little taller. An area 16 pixels
  // taller than the cell leaves a gap of 8 above and below the one line.
  info_.IsMutleLineShow = 1;
  info_.IsShowHour = info_.IsShowMinite = 1;
  const QFont font = Font();
  const int cell = TextExtent(font, QStringLiteral("1")).height();
  Make(64, cell + 16).Draw(area_);
  QImage expected = BlackArea(64, cell + 16);
  const QString time = QStringLiteral("14:07");
  DrawTextTopLeft(expected, (64 - TextExtent(font, time).width()) / 2, 8, time, font, kBlue);
  EXPECT_EQ(area_, expected) << "the time at y 8";

  // Date and time in 20 pixels: no room for any gap, the lines stack from the top.
  info_.IsShowYear = info_.IsShowMonth = info_.IsShowDay = 1;
  clock_.SetSeconds(clock_.NowSeconds() + 1);
  Make(64, 20).Draw(area_);
  KeepPicture(area_, QStringLiteral("digital_multi_line_stacked"));
  expected = BlackArea(64, 20);
  const QString date = QStringLiteral("24-03-05");
  DrawTextTopLeft(expected, (64 - TextExtent(font, date).width()) / 2, 0, date, font, kGreen);
  DrawTextTopLeft(expected, (64 - TextExtent(font, time).width()) / 2, cell, time, font, kBlue);
  EXPECT_EQ(area_, expected);
}

TEST_F(DigitalClockImage, RedrawsOnlyWhenTheSecondChanges) {
  info_.IsShowSecond = 1;
  Make(64, 32).Draw(area_);
  ASSERT_TRUE(HasColor(area_, kBlue));
  area_.setPixel(0, 0, 0xFFFFFFFF);
  clock_.Advance(999);  // still 14:07:09 on the wall clock
  EXPECT_EQ(image_.Draw(area_), 1);
  EXPECT_EQ(area_.pixel(0, 0), 0xFFFFFFFFu) << "not drawn again within the second";
  EXPECT_TRUE(ClockPassOver(clock_, image_.startTick) == false);
  clock_.Advance(2);
  EXPECT_TRUE(ClockPassOver(clock_, image_.startTick)) << "across the tick's wrap";
  EXPECT_EQ(image_.Draw(area_), 1);
  EXPECT_EQ(area_.pixel(0, 0), 0xFF000000u) << "the next second fills the area again";
}

TEST_F(DigitalClockImage, FormatOutOfRangeKeepsTheTextAndNothingShownIsBlack) {
  info_.IsShowYear = 1;
  info_.DateFormat = 3;
  Make(64, 32).Draw(area_);
  EXPECT_EQ(image_.DateText(), QStringLiteral("2024"));
  info_.DateFormat = 8;
  info_.IsShowMonth = 1;
  clock_.SetSeconds(clock_.NowSeconds() + 1);
  image_.Draw(area_);
  EXPECT_EQ(image_.DateText(), QStringLiteral("2024"));

  for (const int lines : {0, 1}) {
    DigitalClockAreaInfo empty = info_;
    empty.IsShowYear = empty.IsShowMonth = 0;
    empty.IsMutleLineShow = lines;
    CDigitalClockImage blank(clock_);
    blank.settings = &empty;
    blank.width = 64;
    blank.height = 32;
    QImage area = BlackArea(64, 32);
    area.fill(Qt::white);
    blank.Draw(area);
    EXPECT_TRUE(AllBlack(area)) << "lines " << lines;
  }
}

}  // namespace
