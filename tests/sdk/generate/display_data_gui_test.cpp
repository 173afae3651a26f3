// A program with one area of every kind, generated and read back by the emulator's
// decoder field by field. Clocks draw text, so this runs with a QGuiApplication.

#include "model/common/bounded_text.h"
#include "sdk/generate/clock/clock_generators.h"
#include "sdk/generate/page_generators.h"
#include "tests/sdk/generate/display_data_test_support.h"

namespace {

using ddtest::OwnedProgram;

constexpr int kColorType = 3;
constexpr ColorRef kRed = 0x0000FF;
constexpr ColorRef kGreen = 0x00FF00;
constexpr ColorRef kBlue = 0xFF0000;

CardRect Stored(const AreaRect& rect) {
  CardRect stored;
  EXPECT_TRUE(ToCardRect(rect, stored));
  return stored;
}

DigitalClockAreaInfo DigitalClock() {
  DigitalClockAreaInfo info{};
  CopyBoundedText(info.FixedText, QStringLiteral("Now"));
  CopyBoundedText(info.ShowStrFont_FontName, QStringLiteral("Arial"));
  info.ShowStrFont_FontSize = 9;
  info.ShowStrFont_FontColor = kRed;
  info.TimeLagType = 0;
  info.HourNum = 8;
  info.MiniteNum = 30;
  info.DateFormat = 3;
  info.DateColor = kGreen;
  info.TimeFormat = 2;
  info.TimeColor = kBlue;
  info.IsShowYear = info.IsShowMonth = info.IsShowDay = 1;
  info.IsShowHour = info.IsShowMinite = 1;
  info.IsMutleLineShow = 1;
  return info;
}

ClockAreaInfo AnalogClock() {
  ClockAreaInfo info{};
  CopyBoundedText(info.ShowStrFont_FontName, QStringLiteral("Arial"));
  info.ShowStrFont_FontSize = 8;
  info.TimeLagType = 1;
  info.HourNum = 2;
  info.HourMarkColor = kRed;
  info.HourMarkWidth = 4;
  info.MiniteMarkColor = kGreen;
  info.MiniteMarkWidth = 2;
  info.HourPointerColor = kRed;
  info.MinitePointerColor = kGreen;
  info.SecondPointerColor = kBlue | kRed;
  info.HourPointerWidth = 3;
  info.MinutePointerWidth = 2;
  info.SecondPointerWidth = 1;
  info.IsShowWeek = 1;
  info.WeekFormat = 1;
  CopyBoundedText(info.WeekFont_FontName, QStringLiteral("Arial"));
  info.WeekFont_FontSize = 7;
  info.WeekFont_FontColor = kGreen;
  return info;
}

TimeAreaInfo Countdown() {
  TimeAreaInfo info{};
  info.ShowType = 2;
  info.nYear = 2030;
  info.nMonth = 6;
  info.nDay = 15;
  info.nHour = 12;
  info.nMinute = 30;
  info.nSecond = 45;
  info.IsShowDay = info.IsShowHour = 1;
  CopyBoundedText(info.ShowStr, QStringLiteral("Left"));
  info.TimeStrColor = kRed;
  CopyBoundedText(info.ShowStrFont_FontName, QStringLiteral("Arial"));
  info.ShowStrFont_FontSize = 9;
  info.ShowStrFont_FontColor = kBlue;
  return info;
}

WaterBorderInfo Border() {
  WaterBorderInfo info{};
  info.StripNumber = 6;  // first family, thickness 3
  info.StripColor = kGreen;
  info.Style = 2;
  info.BorderSpeed = 5;
  return info;
}

TEST(DisplayDataAllKinds, EveryAreaKindReadsBackAsItsGeneratorMadeIt) {
  const OwnedProgram set(KQ_CreateProgram(256, 64, kColorType, 0));
  ASSERT_NE(set, nullptr);
  ASSERT_EQ(KQ_AddProgram(set.get(), 3, 20, 2), KQ_OK);
  const AreaRect pageRect{5, 0, 60, 32}, digitalRect{64, 0, 64, 64}, analogRect{128, 0, 64, 64},
      countdownRect{192, 0, 64, 32}, borderRect{0, 0, 256, 64};
  const DigitalClockAreaInfo digital = DigitalClock();
  const ClockAreaInfo analog = AnalogClock();
  const TimeAreaInfo countdown = Countdown();
  const WaterBorderInfo border = Border();
  ASSERT_EQ(KQ_AddImageTextArea(set.get(), 3, 1, &pageRect, 0), KQ_OK);
  ASSERT_EQ(KQ_AddDigitalClockArea(set.get(), 3, 2, &digitalRect, &digital), KQ_OK);
  ASSERT_EQ(KQ_AddClockArea(set.get(), 3, 3, &analogRect, &analog), KQ_OK);
  ASSERT_EQ(KQ_AddTimeArea(set.get(), 3, 4, &countdownRect, &countdown), KQ_OK);
  ASSERT_EQ(KQ_AddWaterBorder(set.get(), 3, 5, &borderRect, &border), KQ_OK);
  const QImage picture = ddtest::Pattern(60, 32);
  const PageInfo page{4, 0, 6, 2};
  const QString frames = ddtest::WriteFrameFile("p.pak", {picture});
  ASSERT_EQ(KQ_AddImageTextAreaDataFromFile(set.get(), 3, 1, ddtest::Utf16(frames), &page), KQ_OK);

  const emu::DisplayData data = ddtest::Generated(set.get());
  EXPECT_EQ(data.width, 256);
  EXPECT_EQ(data.colorType, kColorType);
  ASSERT_EQ(data.programs.size(), 1u);
  const emu::DisplayProgram& program = data.programs[0];
  ASSERT_EQ(program.areas.size(), 5u);
  std::uint32_t length = 25;
  for (const emu::DisplayArea& area : program.areas) length += area.length;
  EXPECT_EQ(program.length, length);

  const emu::DisplayArea& pages = program.areas[0];
  EXPECT_EQ(pages.kind, 1);
  EXPECT_EQ(pages.layer, 0);
  ASSERT_EQ(pages.frames.size(), 1u);
  EXPECT_EQ(pages.frames[0].effect, 4);
  EXPECT_EQ(pages.frames[0].speed, 6);
  ddtest::ExpectFrameShows(pages.frames[0], pages, picture, kColorType);

  // Each clock and border block is its generator's own block, copied whole.
  std::vector<std::uint8_t> block;
  ASSERT_EQ(GenerateDigitalClockArea(Stored(digitalRect), digital, block), KQ_OK);
  const emu::DisplayArea& clock = program.areas[1];
  EXPECT_EQ(clock.block, block);
  EXPECT_EQ(clock.kind, 5);
  EXPECT_EQ(clock.layer, 1);
  EXPECT_EQ(clock.left, 64);
  EXPECT_EQ(clock.bottom, 63);
  EXPECT_EQ(clock.timeOffset, 0x8000 | (8 * 60 + 30));
  EXPECT_FALSE(clock.elements.empty());

  ASSERT_GT(GenerateClockArea(block, Stored(analogRect), analog, kColorType), 0);
  const emu::DisplayArea& face = program.areas[2];
  EXPECT_EQ(face.block, block);
  EXPECT_EQ(face.kind, 10);
  EXPECT_EQ(face.timeOffset, 2 * 60);
  EXPECT_EQ(face.handColorBits, (std::array<int, 3>{1, 2, 5}));
  EXPECT_EQ(face.handWidths, (std::array<int, 3>{3, 2, 1}));
  ASSERT_EQ(face.elements.size(), 1u);
  EXPECT_EQ(face.elements[0].kind, 127);
  EXPECT_EQ(face.elements[0].colorBits, 2);

  ASSERT_GT(GenerateTimeArea(Stored(countdownRect), countdown, block), 0);
  const emu::DisplayArea& left = program.areas[3];
  EXPECT_EQ(left.block, block);
  EXPECT_EQ(left.kind, 7);
  EXPECT_EQ(left.target, (emu::CardTime{2030, 6, 15, 12, 30, 45}));
  EXPECT_EQ(left.elements.size(), 5u);  // days, its word, hours, its word, the text

  ASSERT_GT(GenerateWaterBorder(block, Stored(borderRect), border, kColorType), 0);
  const emu::DisplayArea& strip = program.areas[4];
  EXPECT_EQ(strip.block, block);
  EXPECT_EQ(strip.kind, 15);
  EXPECT_EQ(strip.thickness, 3);
  EXPECT_EQ(strip.style, 2);
  EXPECT_EQ(strip.speed, 5);
  EXPECT_EQ(strip.length, 30u + 2 * (3 * 3 * 4) + 2 * (3 * 32));
}

}  // namespace
