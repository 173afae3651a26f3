// The water-border block: a 32-pixel strip laid round the four sides of a program.
#include <QImage>

#include <array>
#include <cstddef>

#include "model/common/bounded_text.h"
#include "model/common/little_endian.h"
#include "render/borders/border_strips.h"
#include "render/borders/strip_turns.h"
#include "render/raster/picture_file.h"
#include "sdk/generate/bit_planes.h"
#include "sdk/generate/block_head.h"
#include "sdk/generate/page_generators.h"

namespace {

// The block's head, 30 bytes: the area head, then the strip's thickness (1), 1 (1),
// the style (1), 0 (1), the speed (1), 3 zero bytes, and the plane bytes of the top,
// right, bottom and left sides (2 each). The four sides' planes follow in that order.
constexpr std::size_t kThicknessAt = kBlockHeadBytes;
constexpr std::size_t kOneAt = 15;
constexpr std::size_t kStyleAt = 16;
constexpr std::size_t kSpeedAt = 18;
constexpr std::size_t kSideBytesAt = 22;
constexpr std::size_t kHeadBytes = 30;
constexpr int kStripFileSource = 1;
// A side column holds one byte a row, so a strip file may be at most 8 rows thick.
constexpr int kMaxStripFileThickness = 8;

// The strip the border is made of, row 0 outside. 0, -12 missing or unreadable,
// -16 not a strip.
[[nodiscard]] int LoadStrip(const WaterBorderInfo& info, Dib24& strip) {
  if (info.Source != kStripFileSource) {
    strip = BuiltInBorderStrip(info.StripFamily, info.StripNumber);
    return strip.IsNull() ? KQ_ERR_FILE : KQ_OK;
  }
  PictureFile file;
  if (!file.Read(ReadBoundedText(info.StripFile))) return KQ_ERR_FILE;
  const QImage image = file.Reader().read();
  if (image.isNull()) return KQ_ERR_FILE;
  if (image.width() != kBorderStripLength || image.height() > kMaxStripFileThickness) {
    return KQ_ERR_DRAW;
  }
  strip = Dib24::FromImage(image);
  return strip.IsNull() ? KQ_ERR_FILE : KQ_OK;
}

// One side of the border in the card's planes; startBit places a column side in its
// byte.
struct Side {
  Dib24 picture;
  int startBit = 0;

  std::int64_t PlaneBytes() const {
    return PlaneRowBytes(startBit, picture.Width()) * picture.Height();
  }
};

}  // namespace

int GenerateWaterBorder(std::vector<std::uint8_t>& block, const CardRect& area,
                        const WaterBorderInfo& info, int colorType) {
  block.clear();
  if (colorType < 1 || colorType > 3) return KQ_ERR_DRAW;
  Dib24 strip;
  if (const int code = LoadStrip(info, strip); code != KQ_OK) return code;
  RecolorBorderStrip(strip, info.StripColor);
  const int thickness = strip.Height();
  // Top, right, bottom, left: the order of the head's sizes and of the planes. The
  // right side's pixels lie in the top bits of its bytes, the left side's in the low.
  const std::array<Side, 4> sides = {{{strip, 0},
                                      {TurnQuarterClockwise(strip), 8 - thickness},
                                      {TurnHalf(strip), 0},
                                      {TurnQuarterCounterClockwise(strip), 0}}};
  std::int64_t length = kHeadBytes;
  for (const Side& side : sides) length += side.PlaneBytes() * colorType;
  StartBlock(block, AreaKind::WaterBorder, area);
  block.resize(kHeadBytes, 0);
  block[kThicknessAt] = static_cast<std::uint8_t>(thickness);
  block[kOneAt] = 1;
  block[kStyleAt] = static_cast<std::uint8_t>(info.Style);
  block[kSpeedAt] = static_cast<std::uint8_t>(info.BorderSpeed);
  block.resize(static_cast<size_t>(length), 0xFF);
  std::int64_t offset = kHeadBytes;
  for (size_t i = 0; i < sides.size(); ++i) {
    const Side& side = sides[i];
    const std::int64_t planeBytes = side.PlaneBytes();
    WriteLe16(block.data() + kSideBytesAt + 2 * i, planeBytes * colorType);
    if (!DibToBitPlanes(block.data() + offset, static_cast<size_t>(planeBytes), colorType,
                        side.picture.Bits(), side.picture.Width(), side.picture.Height(),
                        static_cast<size_t>(side.picture.Stride()), side.startBit)) {
      block.clear();
      return KQ_ERR_DRAW;
    }
    offset += planeBytes * colorType;
  }
  return FinishBlock(block);
}
