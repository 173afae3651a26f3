// The countdown: OLE dates, the rounding of a span, the folded parts, the card's
// layout composed for a span and for an invalid target, and the pass after a redraw.

#include <gtest/gtest.h>

#include <QStringList>

#include "render/clock/clock_time.h"
#include "render/clock/countdown.h"
#include "render/common/fake_play_clock.h"
#include "tests/render/clock/clock_test_support.h"

using namespace clocktest;

namespace {

constexpr double kSecond = 1.0 / 86400;
// 1 day 2 h 3 min 4 s.
constexpr double kSpan = 1 + (2 * 3600 + 3 * 60 + 4) * kSecond;

TimeAreaInfo Shown(bool day, bool hour, bool minute, bool second, int showType) {
  TimeAreaInfo info{};
  info.IsShowDay = day;
  info.IsShowHour = hour;
  info.IsShowMinute = minute;
  info.IsShowSecond = second;
  info.ShowType = showType;
  return info;
}

// The numbers of the parts shown, in order, separated by "/".
QString Numbers(double span, const TimeAreaInfo& info) {
  const ElementValues values = CountdownValues(SplitSpan(span), info);
  QStringList numbers;
  const std::pair<bool, int> parts[] = {{info.IsShowDay != 0, kKindDay},
                                        {info.IsShowHour != 0, kKindHour12},
                                        {info.IsShowMinute != 0, kKindMinute},
                                        {info.IsShowSecond != 0, kKindSecond}};
  for (const auto& [shown, kind] : parts) {
    if (shown) numbers << values.digits.at(kind);
  }
  return numbers.join(u'/');
}

TEST(CountdownValues, PartsFoldedIntoTheFirstShown) {
  EXPECT_EQ(Numbers(kSpan, Shown(true, true, true, true, 0)), QStringLiteral("1/02/03/04"));
  EXPECT_EQ(Numbers(kSpan, Shown(false, false, true, true, 2)), QStringLiteral("1563/04"));
  EXPECT_EQ(Numbers(kSpan, Shown(false, false, false, true, 0)), QStringLiteral("93784"));
  EXPECT_EQ(Numbers(kSpan, Shown(true, false, false, true, 3)), QStringLiteral("1/7384"));
  EXPECT_EQ(Numbers(kSpan, Shown(false, true, false, true, 3)), QStringLiteral("26/184"));
  EXPECT_EQ(Numbers(kSpan, Shown(true, false, true, false, 3)), QStringLiteral("1/123"));
  // After the target the count runs upwards.
  EXPECT_EQ(Numbers(-1.0 / 24, Shown(false, true, true, false, 3)), QStringLiteral("01/00"));
  // Totals beyond 32 bits: 30,000 days in seconds alone.
  EXPECT_EQ(Numbers(30000, Shown(false, false, false, true, 3)), QStringLiteral("2592000000"));
}

TEST(CountdownValues, RoundsToTheNearestSecond) {
  const TimeAreaInfo seconds = Shown(false, false, false, true, 3);
  EXPECT_EQ(Numbers(0.4 * kSecond, seconds), QStringLiteral("00"));
  EXPECT_EQ(Numbers(0.6 * kSecond, seconds), QStringLiteral("01"));
  EXPECT_EQ(Numbers(-0.6 * kSecond, seconds), QStringLiteral("01"));
  const CountdownParts parts = SplitSpan(-kSpan);
  EXPECT_EQ(parts.days, -1);
  EXPECT_EQ(parts.hours, -2);
  EXPECT_EQ(parts.seconds, -4);
}

TEST(CountdownText, OleDates) {
  EXPECT_EQ(OleDate(1899, 12, 30, 0, 0, 0), 0.0);
  EXPECT_EQ(OleDate(1900, 1, 1, 12, 0, 0), 2.5);
  EXPECT_EQ(OleDate(1899, 12, 29, 0, 0, 0), -1.0);
  EXPECT_EQ(OleDate(2024, 2, 29, 0, 0, 0), 45351.0);
  EXPECT_EQ(OleDate(2023, 2, 29, 0, 0, 0), std::nullopt);
  EXPECT_EQ(OleDate(2024, 4, 31, 0, 0, 0), std::nullopt) << "never taken for 1 May";
  EXPECT_EQ(OleDate(2024, 13, 1, 0, 0, 0), std::nullopt);
  EXPECT_EQ(OleDate(2024, 1, 1, 24, 0, 0), std::nullopt);
  EXPECT_EQ(OleDate(99, 1, 1, 0, 0, 0), std::nullopt);
  EXPECT_EQ(OleDate(10000, 1, 1, 0, 0, 0), std::nullopt);
}

class CountdownImage : public ClockTest {
 protected:
  CountdownImage() {
    info_ = Shown(true, true, true, true, 0);
    // Target: 1 d 2 h 3 min 4 s after the clock's now, 10:00:00 on 5 March 2024.
    info_.nYear = 2024;
    info_.nMonth = 3;
    info_.nDay = 6;
    info_.nHour = 12;
    info_.nMinute = 3;
    info_.nSecond = 4;
    CopyBoundedText(info_.ShowStrFont_FontName, kCjkFace);
    info_.ShowStrFont_FontSize = 12;
    info_.ShowStrFont_FontColor = kRed;
    info_.TimeStrColor = kCyan;
  }

  // The card's picture of the record with the numbers of a span.
  QImage CardPicture(int width, int height, const CountdownParts& parts) const {
    ClockLayout layout;
    EXPECT_TRUE(LayOutCountdown(info_, width, height, layout));
    QImage picture = BlackArea(width, height);
    DrawClockLayout(picture, layout, CountdownValues(parts, info_), std::nullopt);
    return picture;
  }

  TimeAreaInfo info_{};
  FakePlayClock clock_{LocalSeconds(2024, 3, 5, 10, 0, 0), 5000};
};

TEST_F(CountdownImage, ComposesTheCardsLayoutAndFollowsTheRecordAsEdited) {
  CopyBoundedText(info_.ShowStr, u"Left:");
  CountdownState state = MakeCountdownState(160, 48, &info_, clock_);
  QImage area = BlackArea(160, 48);
  DrawCountdown(area, state);
  KeepPicture(area, QStringLiteral("countdown"));
  EXPECT_EQ(area, CardPicture(160, 48, SplitSpan(kSpan)));

  info_.IsMutleLineShow = 1;  // edited in place
  clock_.SetSeconds(clock_.NowSeconds() + 1);
  DrawCountdown(area, state);
  EXPECT_EQ(area, CardPicture(160, 48, SplitSpan(kSpan - kSecond)));

  info_.nMonth = 13;  // no date: every part shows 0
  clock_.SetSeconds(clock_.NowSeconds() + 1);
  DrawCountdown(area, state);
  EXPECT_EQ(area, CardPicture(160, 48, {}));
}

TEST_F(CountdownImage, PassEndsOnlyOnARedrawAfterOneSecond) {
  CountdownState state = MakeCountdownState(64, 32, &info_, clock_);
  QImage area = BlackArea(64, 32);
  EXPECT_EQ(DrawCountdown(area, state), 1);
  clock_.SetTickMs(5000 + 1500);
  EXPECT_EQ(DrawCountdown(area, state), 1) << "same second: no redraw, no pass";
  clock_.SetSeconds(clock_.NowSeconds() + 1);
  EXPECT_EQ(DrawCountdown(area, state), 0);
  state.startTick = clock_.TickMs();
  clock_.SetSeconds(clock_.NowSeconds() + 1);
  EXPECT_EQ(DrawCountdown(area, state), 1);
}

}  // namespace
