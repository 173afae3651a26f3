// The emulator's display-data decoder on images written by hand from the card's
// tables, and on the faults it must catch.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "tests/support/display_data_codec.h"

namespace {

// Little-endian bytes written by hand.
struct Bytes {
  Bytes& U8(int value) {
    data.push_back(static_cast<std::uint8_t>(value));
    return *this;
  }
  Bytes& U16(int value) { return U8(value).U8(value >> 8); }
  Bytes& U32(std::uint32_t value) { return U16(int(value & 0xFFFF)).U16(int(value >> 16)); }
  Bytes& Fill(std::size_t count, int value) {
    data.insert(data.end(), count, static_cast<std::uint8_t>(value));
    return *this;
  }
  Bytes& Append(const Bytes& other) {
    data.insert(data.end(), other.data.begin(), other.data.end());
    return *this;
  }
  std::vector<std::uint8_t> data;
};

Bytes Header(int programs, int mode = 0, int colorType = 1) {
  Bytes b;
  return b.Fill(16, 0).U16(64).U16(32).U8(colorType).U8(programs).U8(mode).Fill(7, 0);
}

Bytes ProgramRecord(int index, std::uint32_t length, int areas) {
  Bytes b;
  b.U8(index).U32(length).U8(areas).U16(300).U8(2).U8(5).U8(0x41);
  b.U16(2026).U8(12).U8(9).U8(1).U8(2).U8(3);
  return b.U16(2027).U8(1).U8(31).U8(23).U8(59).U8(58);
}

// A 64 x 32 image-text block at left 0 with one frame whose first pixel is lit.
Bytes ImageTextBlock() {
  Bytes b;
  b.U8(1).U32(280).U8(1).U16(0).U16(0).U16(63).U16(31).U16(1);
  b.U8(3).U8(4).U16(5).U16(32).U16(64);
  b.U8(0xFE).Fill(8 * 32 - 1, 0xFF);
  return b;
}

// A two-colour water border of thickness 3 around the screen.
Bytes BorderBlock() {
  Bytes b;
  b.U8(1).U32(206).U8(15).U16(0).U16(0).U16(63).U16(31);
  b.U8(3).U8(1).U8(2).U8(0).U8(9).Fill(3, 0).U16(24).U16(64).U16(24).U16(64);
  return b.Fill(24, 0x11).Fill(64, 0x22).Fill(24, 0x33).Fill(64, 0x44);
}

// A digital clock with one number element and a 2-byte glyph.
Bytes DigitalClockBlock() {
  Bytes b;
  b.U8(1).U32(18 + 14 + 2).U8(5).U16(0).U16(0).U16(63).U16(31);
  b.U16(0x8000 | 480).U16(14);
  b.U16(4).U16(8).U8(7).U16(0).U16(8).U16(16).U8(3).U16(0);
  return b.U8(0xAA).U8(0xBB);
}

// A countdown with no elements but one glyph byte.
Bytes CountdownBlock() {
  Bytes b;
  b.U8(1).U32(27).U8(7).U16(0).U16(0).U16(63).U16(31);
  b.Fill(3, 0).U16(2030).U8(6).U8(15).U8(12).U8(30).U8(45).U16(0);
  return b.U8(0xFF);
}

Bytes Image(const std::vector<Bytes>& blocks) {
  std::uint32_t length = 25;
  for (const Bytes& block : blocks) length += static_cast<std::uint32_t>(block.data.size());
  Bytes image = Header(1, 0xF2, 2);
  image.Append(ProgramRecord(0, length, static_cast<int>(blocks.size())));
  for (const Bytes& block : blocks) image.Append(block);
  return image;
}

TEST(DisplayDataCodec, ReadsHeaderProgramsAndEveryBlockKind) {
  emu::DisplayData empty;
  ASSERT_EQ(emu::DecodeDisplayData(Header(0, 0xF1).data, empty), "");
  EXPECT_EQ(empty.width, 64);
  EXPECT_EQ(empty.height, 32);
  EXPECT_EQ(empty.modeByte, 0xF1);
  EXPECT_TRUE(empty.programs.empty());

  Bytes image = Image({BorderBlock(), DigitalClockBlock(), CountdownBlock()});
  emu::DisplayData decoded;
  ASSERT_EQ(emu::DecodeDisplayData(image.data, decoded), "");
  EXPECT_EQ(decoded.colorType, 2);
  ASSERT_EQ(decoded.programs.size(), 1u);
  const emu::DisplayProgram& program = decoded.programs[0];
  EXPECT_EQ(program.length, 25u + 206 + 34 + 27);
  EXPECT_EQ(program.playTime, 300);
  EXPECT_EQ(program.weekdayMask, 0x41);
  EXPECT_EQ(program.start, (emu::CardTime{2026, 12, 9, 1, 2, 3}));
  EXPECT_EQ(program.end, (emu::CardTime{2027, 1, 31, 23, 59, 58}));
  ASSERT_EQ(program.areas.size(), 3u);

  const emu::DisplayArea& border = program.areas[0];
  EXPECT_EQ(border.kind, 15);
  EXPECT_EQ(border.thickness, 3);
  EXPECT_EQ(border.style, 2);
  EXPECT_EQ(border.speed, 9);
  EXPECT_EQ(border.sides[1], std::vector<std::uint8_t>(64, 0x22));

  const emu::DisplayArea& clock = program.areas[1];
  EXPECT_EQ(clock.timeOffset, 0x8000 | 480);
  ASSERT_EQ(clock.elements.size(), 1u);
  EXPECT_EQ(clock.elements[0].kind, 7);
  EXPECT_EQ(clock.elements[0].colorBits, 3);
  EXPECT_EQ(clock.glyphs, (std::vector<std::uint8_t>{0xAA, 0xBB}));

  const emu::DisplayArea& countdown = program.areas[2];
  EXPECT_EQ(countdown.target, (emu::CardTime{2030, 6, 15, 12, 30, 45}));
  EXPECT_TRUE(countdown.elements.empty());
}

TEST(DisplayDataCodec, ReadsAnImageTextFrameAndItsPixels) {
  Bytes image = Header(1);
  image.Append(ProgramRecord(0, 305, 1)).Append(ImageTextBlock());
  ASSERT_EQ(image.data.size(), 30u + 305);
  emu::DisplayData decoded;
  ASSERT_EQ(emu::DecodeDisplayData(image.data, decoded), "");
  const emu::DisplayArea& area = decoded.programs.at(0).areas.at(0);
  EXPECT_EQ(area.frameTotal, 1);
  const emu::PageFrame& frame = area.frames.at(0);
  EXPECT_EQ(frame.effect, 3);
  EXPECT_EQ(frame.stay, 5);
  EXPECT_EQ(frame.width, 64);
  std::vector<std::uint8_t> pixels;
  ASSERT_EQ(emu::PlanesToPixels(frame.planes, 0, 64, 32, 1, pixels), "");
  EXPECT_EQ(pixels[0], 1);
  EXPECT_EQ(pixels[1], 0);
}

TEST(DisplayDataCodec, PlanesStartAtTheLeftColumnsBitAndKeepPaddingDark) {
  // 10 pixels at column 6: bits 6-7 of byte 0 and bits 0-7 of byte 1.
  std::vector<std::uint8_t> pixels;
  ASSERT_EQ(emu::PlanesToPixels({0xBF, 0x7F}, 6, 10, 1, 1, pixels), "");
  EXPECT_EQ(pixels, (std::vector<std::uint8_t>{1, 0, 0, 0, 0, 0, 0, 0, 0, 1}));
  EXPECT_NE(emu::PlanesToPixels({0xFE, 0xFF}, 6, 10, 1, 1, pixels), "");
  EXPECT_NE(emu::PlanesToPixels({0xFF}, 6, 10, 1, 1, pixels), "");
  // Three colours: red, then green, then blue plane.
  ASSERT_EQ(emu::PlanesToPixels({0xFE, 0xFF, 0xFE}, 0, 1, 1, 3, pixels), "");
  EXPECT_EQ(pixels, (std::vector<std::uint8_t>{5}));
}

TEST(DisplayDataCodec, RefusesLengthsCountsAndReservedBytesThatDisagree) {
  const std::vector<std::uint8_t> good = Image({BorderBlock(), CountdownBlock()}).data;
  emu::DisplayData decoded;
  ASSERT_EQ(emu::DecodeDisplayData(good, decoded), "");

  std::vector<std::uint8_t> bad = good;
  bad.push_back(0);
  EXPECT_NE(emu::DecodeDisplayData(bad, decoded), "") << "a byte left over";
  bad = good;
  bad[3] = 1;
  EXPECT_NE(emu::DecodeDisplayData(bad, decoded), "") << "reserved header byte";
  bad = good;
  bad[21] = 2;
  EXPECT_NE(emu::DecodeDisplayData(bad, decoded), "") << "program count";
  bad = good;
  bad[30 + 5] = 1;
  EXPECT_NE(emu::DecodeDisplayData(bad, decoded), "") << "area count";
  bad = good;
  bad[30 + 25 + 1] += 1;
  EXPECT_NE(emu::DecodeDisplayData(bad, decoded), "") << "block length";
  bad = good;
  bad[30 + 25 + 22] = 25;
  EXPECT_NE(emu::DecodeDisplayData(bad, decoded), "") << "border side size";

  Bytes image = Header(1);
  Bytes block = ImageTextBlock();
  block.data[14] = 2;
  image.Append(ProgramRecord(0, 305, 1)).Append(block);
  EXPECT_NE(emu::DecodeDisplayData(image.data, decoded), "") << "frame total";
}

}  // namespace
