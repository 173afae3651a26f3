#include "sdk/generate/clock/clock_elements.h"

#include "model/common/little_endian.h"
#include "sdk/Corvanix.h"

namespace {

// The highest glyph offset the element record's 16-bit field holds.
constexpr std::int64_t kMaxGlyphOffset = 0xFFFF;

void PutElement(std::vector<std::uint8_t>& out, const ClockElement& element, int glyphOffset) {
  AppendLe16(out, element.x);
  AppendLe16(out, element.y);
  AppendU8(out, element.kind);
  AppendLe16(out, glyphOffset);
  AppendLe16(out, element.width);
  AppendLe16(out, element.height);
  AppendU8(out, element.colorBits);
  AppendZeros(out, 2);
}

}  // namespace

int TimeOffsetField(int timeLagType, int hours, int minutes) {
  const std::int64_t offset = std::int64_t{hours} * 60 + minutes;
  return static_cast<int>(offset & 0xFFFF) | (timeLagType == 0 ? 0x8000 : 0);
}

int AppendElements(std::vector<std::uint8_t>& block, const ClockLayout& layout) {
  const std::vector<ClockElement>& elements = layout.elements;
  std::vector<int> offsets;
  std::int64_t next = static_cast<std::int64_t>(layout.digits.bytes.size());
  for (const ClockElement& element : elements) {
    if (element.IsNumber()) {
      offsets.push_back(0);
      continue;
    }
    if (next > kMaxGlyphOffset) return KQ_ERR_DRAW;
    offsets.push_back(static_cast<int>(next));
    next += static_cast<std::int64_t>(element.strip.bytes.size());
  }
  for (std::size_t index = 0; index < elements.size(); ++index) {
    PutElement(block, elements[index], offsets[index]);
  }
  block.insert(block.end(), layout.digits.bytes.begin(), layout.digits.bytes.end());
  for (const ClockElement& element : elements) {
    block.insert(block.end(), element.strip.bytes.begin(), element.strip.bytes.end());
  }
  return KQ_OK;
}
