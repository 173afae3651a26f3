// Without a QGuiApplication (this suite has a QCoreApplication only) text cannot be
// drawn: the clock and countdown blocks fail with a code instead of aborting the host.

#include <gtest/gtest.h>

#include "sdk/Corvanix.h"
#include "sdk/generate/clock/clock_generators.h"

TEST(ClockBlocksWithoutGui, FailWithTheDrawingCode) {
  const CardRect area{0, 0, 63, 31};
  std::vector<std::uint8_t> block;
  EXPECT_EQ(GenerateTimeArea(area, TimeAreaInfo{}, block), KQ_ERR_DRAW);
  EXPECT_EQ(GenerateDigitalClockArea(area, DigitalClockAreaInfo{}, block), KQ_ERR_DRAW);
  EXPECT_EQ(GenerateClockArea(block, area, ClockAreaInfo{}, 1), KQ_ERR_DRAW);
  EXPECT_TRUE(block.empty());
}
