// The countdown: OLE dates, the rounding of a span, the folded parts and their unit
// words, invalid targets, the three layouts and the pass after a redraw.

#include <gtest/gtest.h>

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

QString Text(double span, const TimeAreaInfo& info) {
  return CountdownText(SplitSpan(span), info);
}

TEST(CountdownText, PartsUnitWordsAndFolding) {
  EXPECT_EQ(Text(kSpan, Shown(true, true, true, true, 0)), QString::fromUtf8("1天02时03分04秒"));
  EXPECT_EQ(Text(kSpan, Shown(true, true, true, true, 1)), QString::fromUtf8("1天02時03分04秒"));
  EXPECT_EQ(Text(kSpan, Shown(true, true, true, true, 3)), QStringLiteral("1d02h03m04s"));
  EXPECT_EQ(Text(kSpan, Shown(true, true, true, true, 4)), QStringLiteral("1:02:03:04"));
  EXPECT_EQ(Text(kSpan, Shown(true, true, true, false, 4)), QStringLiteral("1:02:03"));
  EXPECT_EQ(Text(kSpan, Shown(false, false, true, true, 2)), QStringLiteral("1563Min04Sec"));
  EXPECT_EQ(Text(kSpan, Shown(false, false, false, true, 0)), QString::fromUtf8("93784秒"));
  EXPECT_EQ(Text(kSpan, Shown(true, false, false, true, 3)), QStringLiteral("1d7384s"));
  EXPECT_EQ(Text(kSpan, Shown(false, true, false, true, 3)), QStringLiteral("26h184s"));
  EXPECT_EQ(Text(kSpan, Shown(true, false, true, false, 3)), QStringLiteral("1d123m"));
  EXPECT_EQ(Text(kSpan, Shown(true, true, true, true, 7)), QStringLiteral("1020304"));
  // After the target the count runs upwards.
  EXPECT_EQ(Text(-1.0 / 24, Shown(false, true, true, false, 3)), QStringLiteral("01h00m"));
  // Totals beyond 32 bits: 30,000 days in seconds alone.
  EXPECT_EQ(Text(30000, Shown(false, false, false, true, 3)), QStringLiteral("2592000000s"));
}

TEST(CountdownText, RoundsToTheNearestSecond) {
  const TimeAreaInfo seconds = Shown(false, false, false, true, 3);
  EXPECT_EQ(Text(0.4 * kSecond, seconds), QStringLiteral("00s"));
  EXPECT_EQ(Text(0.6 * kSecond, seconds), QStringLiteral("01s"));
  EXPECT_EQ(Text(-0.6 * kSecond, seconds), QStringLiteral("01s"));
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

  // The picture the layout should give: the texts at their places.
  QImage Expected(int width, int height, const QString& fixed, QPoint fixedAt,
                  const QString& countdown, QPoint countdownAt) const {
    const QFont font = ShowStrFont(info_);
    QImage image = BlackArea(width, height);
    if (!fixed.isEmpty()) DrawTextTopLeft(image, fixedAt.x(), fixedAt.y(), fixed, font, kRed);
    DrawTextTopLeft(image, countdownAt.x(), countdownAt.y(), countdown, font, kCyan);
    return image;
  }

  int Cell() const { return TextExtent(ShowStrFont(info_), QStringLiteral("1")).height(); }

  TimeAreaInfo info_{};
  FakePlayClock clock_{LocalSeconds(2024, 3, 5, 10, 0, 0), 5000};
};

TEST_F(CountdownImage, LayoutsPlaceTheTexts) {
  const QString count = QString::fromUtf8("1天02时03分04秒");
  const int h = Cell();
  CountdownState state = MakeCountdownState(160, 48, &info_, clock_);
  QImage area = BlackArea(160, 48);
  DrawCountdown(area, state);
  EXPECT_EQ(area, Expected(160, 48, {}, {}, count, {0, (48 - h) / 2})) << "no fixed text";

  const QString fixed = QStringLiteral("Left:");
  CopyBoundedText(info_.ShowStr, fixed);
  const int fixedWidth = TextExtent(ShowStrFont(info_), fixed).width();
  clock_.SetSeconds(clock_.NowSeconds() + 1);
  DrawCountdown(area, state);
  const QString later = QString::fromUtf8("1天02时03分03秒");
  EXPECT_EQ(area, Expected(160, 48, fixed, {0, (48 - h) / 2}, later, {fixedWidth, (48 - h) / 2}))
      << "one line, the countdown right after the text";

  info_.IsMutleLineShow = 1;
  clock_.SetSeconds(clock_.NowSeconds() + 1);
  DrawCountdown(area, state);
  KeepPicture(area, QStringLiteral("countdown_two_lines"));
  const QString last = QString::fromUtf8("1天02时03分02秒");
  EXPECT_EQ(area, Expected(160, 48, fixed, {0, (48 - 2 * h) / 4}, last,
                           {0, 3 * (48 - 2 * h) / 4 + h}));
}

TEST_F(CountdownImage, InvalidTargetShowsZeros) {
  info_.nMonth = 13;
  CountdownState state = MakeCountdownState(160, 48, &info_, clock_);
  QImage area = BlackArea(160, 48);
  DrawCountdown(area, state);
  EXPECT_EQ(area, Expected(160, 48, {}, {}, QString::fromUtf8("0天00时00分00秒"),
                           {0, (48 - Cell()) / 2}));
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
