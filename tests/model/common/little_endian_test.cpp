#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "model/common/little_endian.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// Writers keep the low bits of any integer, low byte first; readers undo them.
TEST(LittleEndian, FieldsKeepTheLowBitsLowByteFirst) {
  Bytes in(6, 0xEE);
  WriteLe16(in.data(), -2);                               // two's complement
  WriteLe32(in.data() + 2, std::int64_t{0x1'2345'6789});  // bits 32 and up dropped
  EXPECT_EQ(in, (Bytes{0xFE, 0xFF, 0x89, 0x67, 0x45, 0x23}));
  EXPECT_EQ(ReadLe16(in.data()), 0xFFFE);
  EXPECT_EQ(ReadLe32(in.data() + 2), 0x23456789u);

  Bytes out{0x01};
  AppendLe16(out, 0x1'ABCD);
  AppendU8(out, 0x1FF);
  AppendZeros(out, 2);
  EXPECT_EQ(out, (Bytes{0x01, 0xCD, 0xAB, 0xFF, 0x00, 0x00}));
}

}  // namespace
