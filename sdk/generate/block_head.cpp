#include "sdk/generate/block_head.h"

#include "model/common/little_endian.h"

namespace {

// The kind codes the card knows its areas by.
std::uint8_t CardKindCode(AreaKind kind) {
  switch (kind) {
    case AreaKind::ImageText: return 1;
    case AreaKind::DigitalClock: return 5;
    case AreaKind::Time: return 7;
    case AreaKind::AnalogClock: return 10;
    case AreaKind::WaterBorder: return 15;
  }
  return 0;
}

}  // namespace

void StartBlock(std::vector<std::uint8_t>& block, AreaKind kind, const CardRect& area, int layer) {
  block.assign(kBlockHeadBytes, 0);
  std::uint8_t* head = block.data();
  head[kBlockLayerAt] = static_cast<std::uint8_t>(layer);
  head[kBlockKindAt] = CardKindCode(kind);
  const int edges[] = {area.left, area.top, area.right, area.bottom};
  for (int i = 0; i < 4; ++i) WriteLe16(head + kBlockRectAt + 2 * i, edges[i]);
}

void SetBlockLength(std::vector<std::uint8_t>& block, std::uint32_t length) {
  WriteLe32(block.data() + kBlockLengthAt, length);
}

int FinishBlock(std::vector<std::uint8_t>& block) {
  const auto length = static_cast<std::uint32_t>(block.size());
  SetBlockLength(block, length);
  return static_cast<int>(length);
}
