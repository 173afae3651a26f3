// The play clock's tick arithmetic across its wrap, and the process-wide random
// source: reproducible from a seed, replaceable, within its bounds.

#include <gtest/gtest.h>

#include <ctime>
#include <vector>

#include "render/common/fake_play_clock.h"
#include "render/common/random_source.h"

namespace {

TEST(PlayClock, TicksWrapAndWallTimeFollowsTheFake) {
  FakePlayClock fake(100, 0xFFFFFFF0u);
  fake.Advance(0x20);
  EXPECT_EQ(fake.TickMs(), 0x10u);
  EXPECT_EQ(fake.ElapsedMs(0xFFFFFFF0u), 0x20u);
  EXPECT_EQ(fake.NowSeconds(), 100);
  fake.Advance(1000 - 0x20);
  EXPECT_EQ(fake.NowSeconds(), 101);

  const std::int64_t now = std::time(nullptr);
  EXPECT_NEAR(static_cast<double>(SystemPlayClock().NowSeconds()), static_cast<double>(now), 2);
  const std::uint32_t start = SystemPlayClock().TickMs();
  EXPECT_LT(SystemPlayClock().ElapsedMs(start), 1000u);
}

class CountingSource : public RandomSource {
 public:
  std::uint32_t Next() override { return value_++; }

 private:
  std::uint32_t value_ = 0;
};

TEST(RandomSource, SeededReplaceableAndBounded) {
  const auto draw = [] {
    std::vector<int> values;
    for (int i = 0; i < 8; ++i) values.push_back(ProcessRandom().Below(39));
    return values;
  };
  SeedProcessRandom(7);
  const std::vector<int> first = draw();
  SeedProcessRandom(7);
  EXPECT_EQ(draw(), first);
  for (const int value : first) EXPECT_TRUE(value >= 0 && value < 39);

  CountingSource counting;
  SetProcessRandom(&counting);
  EXPECT_EQ(ProcessRandom().Below(10), 0);
  EXPECT_EQ(ProcessRandom().Below(10), 1);
  EXPECT_EQ(ProcessRandom().Below(1), 0);
  EXPECT_EQ(ProcessRandom().Below(-5), 0);
  SetProcessRandom(nullptr);
  EXPECT_NE(&ProcessRandom(), &counting);
}

}  // namespace
