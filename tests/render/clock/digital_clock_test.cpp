// The digital clock: the values the card fills its numbers with, the clock composed
// from the card's layout at the offset time, lines taller than the area kept apart, its
// redraw once a second and a record edited in place.

#include <gtest/gtest.h>

#include "render/clock/clock_time.h"
#include "render/clock/digital_clock.h"
#include "render/common/fake_play_clock.h"
#include "tests/render/clock/clock_test_support.h"

using namespace clocktest;

namespace {

std::tm LocalParts(std::int64_t seconds) { return *LocalTime(seconds); }

TEST(ClockValues, NumbersInTheirDigitsTwelveHourClockAndCells) {
  struct Case {
    int hour;
    const char* hour24;
    const char* hour12;
    int amPm;
  };
  // Midnight and noon are 12 on the 12-hour clock; the afternoon starts at 12.
  const Case cases[] = {{0, "00", "12", 0},  {9, "09", "09", 0},  {11, "11", "11", 0},
                        {12, "12", "12", 1}, {14, "14", "02", 1}, {23, "23", "11", 1}};
  for (const Case& c : cases) {
    std::tm time{};
    time.tm_year = 2024 - 1900;
    time.tm_mon = 2;
    time.tm_mday = 5;
    time.tm_hour = c.hour;
    time.tm_min = 7;
    time.tm_sec = 9;
    time.tm_wday = 2;  // Tuesday
    const ElementValues values = ClockValues(time);
    EXPECT_EQ(values.digits.at(kKindHour24), QString::fromLatin1(c.hour24));
    EXPECT_EQ(values.digits.at(kKindHour12), QString::fromLatin1(c.hour12));
    EXPECT_EQ(values.amPm, c.amPm) << c.hour;
    EXPECT_EQ(values.weekday, 2) << "Sunday first";
  }
  std::tm time{};
  time.tm_year = 2007 - 1900;
  time.tm_mday = 1;
  const ElementValues values = ClockValues(time);
  const std::map<int, QString> expected = {
      {kKindDay, "01"},    {kKindHour24, "00"}, {kKindHour12, "12"}, {kKindMonth, "01"},
      {kKindMinute, "00"}, {kKindSecond, "00"}, {kKindYear2, "07"},  {kKindYear4, "2007"}};
  EXPECT_EQ(values.digits, expected);
}

class DigitalClockImage : public ClockTest {
 protected:
  DigitalClockImage() {
    CopyBoundedText(info_.ShowStrFont_FontName, kLatinFace);
    info_.ShowStrFont_FontSize = 12;
    info_.ShowStrFont_FontColor = kRed;
    info_.DateColor = kGreen;
    info_.TimeColor = kBlue;
    info_.TimeFormat = 4;
    info_.DateFormat = 4;
    info_.TimeLagType = 1;
    info_.IsShowYear = info_.IsShowMonth = info_.IsShowDay = 1;
    info_.IsShowHour = info_.IsShowMinite = info_.IsShowSecond = 1;
    image_.width = 160;
    image_.height = 40;
    image_.settings = &info_;
    image_.startTick = clock_.TickMs();
  }

  // The card's picture of the record at a local time.
  QImage CardPicture(std::int64_t seconds) const {
    ClockLayout layout;
    EXPECT_TRUE(LayOutDigitalClock(info_, 160, 40, layout));
    QImage picture = BlackArea(160, 40);
    DrawClockLayout(picture, layout, ClockValues(LocalParts(seconds)), std::nullopt);
    return picture;
  }

  DigitalClockAreaInfo info_{};
  FakePlayClock clock_{LocalSeconds(2024, 3, 5, 14, 7, 9), 0xFFFFFE00u};
  CDigitalClockImage image_{clock_};
  QImage area_ = BlackArea(160, 40);
};

TEST_F(DigitalClockImage, ComposesTheCardsLayoutAtTheOffsetTime) {
  info_.HourNum = 2;
  info_.MiniteNum = 30;
  image_.Draw(area_);
  KeepPicture(area_, QStringLiteral("digital_clock"));
  const std::int64_t now = clock_.NowSeconds();
  EXPECT_EQ(area_, CardPicture(now + 9000)) << "TimeLagType 1 adds the offset";
  info_.TimeLagType = 0;
  clock_.SetSeconds(now + 1);
  image_.Draw(area_);
  EXPECT_EQ(area_, CardPicture(now + 1 - 9000)) << "any other TimeLagType subtracts it";
}

// The rows of a picture that hold a colour, as a range; empty when none does.
std::pair<int, int> RowsOf(const QImage& picture, ColorRef color) {
  std::pair<int, int> rows{picture.height(), -1};
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      if (picture.pixel(x, y) != ColorRefToQRgb(color)) continue;
      rows = {std::min(rows.first, y), std::max(rows.second, y)};
    }
  }
  return rows;
}

TEST_F(DigitalClockImage, LinesTallerThanTheAreaStackWithoutOverlap) {
  // Three lines of 35 pixels on a 96-pixel area: from the top, date, weekday, time.
  info_.IsMutleLineShow = 1;
  info_.IsShowWeek = 1;
  info_.WeekFormat = 1;
  info_.WeekColor = kRed;
  info_.ShowStrFont_FontSize = 26;
  CDigitalClockImage tall{clock_};
  tall.width = 160;
  tall.height = 96;
  tall.settings = &info_;
  QImage picture = BlackArea(160, 96);
  tall.Draw(picture);
  KeepPicture(picture, QStringLiteral("digital_clock_96"));
  const auto date = RowsOf(picture, kGreen);
  const auto weekday = RowsOf(picture, kRed);
  const auto time = RowsOf(picture, kBlue);
  ASSERT_TRUE(date.second >= 0 && weekday.second >= 0 && time.second >= 0);
  EXPECT_LT(date.second, weekday.first);
  EXPECT_LT(weekday.second, time.first)
      << date.first << "-" << date.second << " " << weekday.first << "-" << weekday.second << " "
      << time.first << "-" << time.second;
}

TEST_F(DigitalClockImage, RedrawsOnceASecondAndFollowsTheRecordAsEdited) {
  image_.Draw(area_);
  ASSERT_TRUE(HasColor(area_, kBlue));
  area_.setPixel(0, 0, 0xFFFFFFFF);
  clock_.Advance(999);  // still 14:07:09 on the wall clock
  EXPECT_EQ(image_.Draw(area_), 1);
  EXPECT_EQ(area_.pixel(0, 0), 0xFFFFFFFFu) << "not drawn again within the second";
  EXPECT_FALSE(ClockPassOver(clock_, image_.startTick));
  clock_.Advance(2);
  EXPECT_TRUE(ClockPassOver(clock_, image_.startTick)) << "across the tick's wrap";
  info_.TimeColor = kYellow;  // edited in place between two seconds
  EXPECT_EQ(image_.Draw(area_), 1);
  EXPECT_EQ(area_, CardPicture(clock_.NowSeconds()));
  EXPECT_FALSE(HasColor(area_, kBlue));
}

}  // namespace
