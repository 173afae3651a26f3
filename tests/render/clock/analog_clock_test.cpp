// The analog clock: the face's size and place, the hands at a known time, the
// marks by clock type, the offset, the once-a-second face and the one-second pass.

#include <gtest/gtest.h>

#include "render/clock/analog_clock.h"
#include "render/common/fake_play_clock.h"
#include "tests/render/clock/clock_test_support.h"

using namespace clocktest;

namespace {

constexpr ColorRef kHourMark = 0x808080;
constexpr ColorRef kMinuteMark = 0x404040;

// The mean position of the pixels of a colour; (-1, -1) when there are none.
QPointF Centroid(const QImage& image, ColorRef color) {
  const QRgb wanted = ColorRefToQRgb(color);
  double x = 0;
  double y = 0;
  int count = 0;
  for (int row = 0; row < image.height(); ++row) {
    for (int column = 0; column < image.width(); ++column) {
      if (image.pixel(column, row) != wanted) continue;
      x += column;
      y += row;
      ++count;
    }
  }
  return count == 0 ? QPointF(-1, -1) : QPointF(x / count, y / count);
}

class AnalogClockImage : public ClockTest {
 protected:
  AnalogClockImage() {
    CopyBoundedText(info_.ShowStrFont_FontName, kLatinFace);
    info_.ShowStrFont_FontSize = 9;
    info_.ShowStrFont_FontColor = kWhite;
    info_.HourMarkColor = kHourMark;
    info_.HourMarkWidth = 4;
    info_.MiniteMarkColor = kMinuteMark;
    info_.MiniteMarkWidth = 2;
    info_.MiniteMarkType = 1;
    info_.HourPointerColor = kRed;
    info_.MinitePointerColor = kGreen;
    info_.SecondPointerColor = kBlue;
  }

  ClockAreaInfo info_{};
  FakePlayClock clock_{LocalSeconds(2024, 3, 5, 3, 0, 0), 0xFFFFFF00u};
};

TEST_F(AnalogClockImage, FaceSizePlaceAndRadius) {
  CClockImage wide(clock_);
  ASSERT_EQ(wide.Init(32, 64, &info_), 1);
  EXPECT_EQ(wide.Radius(), 8);
  EXPECT_EQ(wide.Face().size(), QSize(32, 32));
  QImage area = BlackArea(64, 32);
  area.fill(Qt::white);
  wide.Draw(area);
  KeepPicture(area, QStringLiteral("analog_64x32"));
  bool inside = false;
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 64; ++x) {
      const bool lit = qRgb(0, 0, 0) != area.pixel(x, y);
      if (x < 16 || x >= 48) {
        EXPECT_FALSE(lit) << x << ", " << y;
      }
      inside = inside || lit;
    }
  }
  EXPECT_TRUE(inside) << "the face is copied to (16, 0)";

  CClockImage small(clock_);
  EXPECT_EQ(small.Init(16, 16, &info_), 1);
  EXPECT_EQ(small.Radius(), 1);
  CClockImage eighteen(clock_);
  EXPECT_EQ(eighteen.Init(18, 18, &info_), 1);
  EXPECT_EQ(eighteen.Radius(), 1);
  EXPECT_EQ(eighteen.Init(20, 20, &info_), 1);
  EXPECT_EQ(eighteen.Radius(), 2);

  CClockImage huge(clock_);
  EXPECT_EQ(huge.Init(20000, 20000, &info_), 0) << "larger than any screen";
  QImage untouched = BlackArea(8, 8);
  EXPECT_EQ(huge.Draw(untouched), 1);
  EXPECT_TRUE(AllBlack(untouched));
}

TEST_F(AnalogClockImage, HandsAtThreeOClockAndMarksByClockType) {
  CClockImage clock(clock_);
  EXPECT_EQ(clock.Init(128, 128, &info_), 1);
  QImage area = BlackArea(128, 128);
  clock.Draw(area);
  KeepPicture(area, QStringLiteral("analog_three_oclock"));
  const QPointF hour = Centroid(area, kRed);
  const QPointF minute = Centroid(area, kGreen);
  const QPointF second = Centroid(area, kBlue);
  EXPECT_GT(hour.x(), 64 + 8);
  EXPECT_NEAR(hour.y(), 64, 2);
  for (const QPointF& up : {minute, second}) {
    EXPECT_LT(up.y(), 64 - 8);
    EXPECT_NEAR(up.x(), 64, 2);
  }
  EXPECT_TRUE(HasColor(area, kHourMark) && HasColor(area, kMinuteMark));
  EXPECT_EQ(area.pixel(64, 3), ColorRefToQRgb(kHourMark)) << "mark 0 at (64, 3)";

  info_.ClockType = 2;
  clock_.SetSeconds(clock_.NowSeconds() + 1);
  clock.Draw(area);
  EXPECT_FALSE(HasColor(area, kHourMark) || HasColor(area, kMinuteMark));
  EXPECT_TRUE(HasColor(area, kRed) && HasColor(area, kBlue));
}

TEST_F(AnalogClockImage, OffsetAddsForLagTypeZero) {
  info_.HourNum = 1;
  for (const int lag : {0, 1}) {
    info_.TimeLagType = lag;
    CClockImage clock(clock_);
    EXPECT_EQ(clock.Init(128, 128, &info_), 1);
    QImage area = BlackArea(128, 128);
    clock.Draw(area);
    const QPointF hour = Centroid(area, kRed);
    EXPECT_GT(hour.x(), 64 + 4);
    // 04:00 points below the centre line, 02:00 above it.
    if (lag == 0) {
      EXPECT_GT(hour.y(), 64 + 4);
    } else {
      EXPECT_LT(hour.y(), 64 - 4);
    }
  }
}

TEST_F(AnalogClockImage, FaceOncePerSecondAndPassAfterOneSecond) {
  CClockImage clock(clock_);
  EXPECT_EQ(clock.Init(32, 64, &info_), 1);
  QImage area = BlackArea(64, 32);
  EXPECT_EQ(clock.Draw(area), 1);
  const qint64 face = clock.Face().cacheKey();
  clock_.Advance(500);
  EXPECT_EQ(clock.Draw(area), 1);
  EXPECT_EQ(clock.Face().cacheKey(), face) << "same second, same face";
  clock_.Advance(500);
  EXPECT_EQ(clock.Draw(area), 1) << "exactly 1000 ms";
  EXPECT_NE(clock.Face().cacheKey(), face) << "next second, face drawn again";
  clock_.Advance(1);
  EXPECT_EQ(clock.Draw(area), 0) << "more than 1000 ms, across the tick's wrap";
  clock.Restart();
  EXPECT_EQ(clock.Draw(area), 1);
}

}  // namespace
