// The water-border block: a 32-pixel strip laid round the four sides of a program.
#include <QImage>
#include <QImageReader>
#include <QtEndian>

#include <algorithm>
#include <array>

#include "model/common/bounded_text.h"
#include "render/borders/border_strips.h"
#include "render/borders/strip_turns.h"
#include "sdk/generate/bit_planes.h"
#include "sdk/generate/page_generators.h"
#include "sdk/generate/picture_file.h"

namespace {

constexpr int kHeadBytes = 30;
constexpr std::uint8_t kWaterBorderKind = 15;
constexpr std::uint8_t kAreaLayer = 1;
constexpr int kStripFileSource = 1;
// A side column holds one byte a row, so a strip file may be at most 8 rows thick.
constexpr int kMaxStripFileThickness = 8;

// The strip the border is made of, row 0 outside. 0, -12 missing or unreadable,
// -16 not a strip.
int LoadStrip(const WaterBorderInfo& info, Dib24& strip) {
  if (info.Source != kStripFileSource) {
    strip = BuiltInBorderStrip(info.StripFamily, info.StripNumber);
    return strip.IsNull() ? KQ_ERR_FILE : KQ_OK;
  }
  PictureFile file;
  if (!file.Read(ReadBoundedText(info.StripFile))) return KQ_ERR_FILE;
  QImageReader& reader = file.Reader();
  reader.setAutoTransform(false);
  const QImage image = reader.read();
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

void PutU16(std::vector<std::uint8_t>& block, int offset, std::int64_t value) {
  qToLittleEndian(static_cast<std::uint16_t>(value), block.data() + offset);
}

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
  block.assign(static_cast<size_t>(length), 0xFF);
  std::fill_n(block.begin(), kHeadBytes, std::uint8_t{0});
  block[0] = kAreaLayer;
  qToLittleEndian(static_cast<std::uint32_t>(length), block.data() + 1);
  block[5] = kWaterBorderKind;
  PutU16(block, 6, area.left);
  PutU16(block, 8, area.top);
  PutU16(block, 10, area.right);
  PutU16(block, 12, area.bottom);
  block[14] = static_cast<std::uint8_t>(thickness);
  block[15] = 1;
  block[16] = static_cast<std::uint8_t>(info.Style);
  block[18] = static_cast<std::uint8_t>(info.BorderSpeed);
  std::int64_t offset = kHeadBytes;
  for (size_t i = 0; i < sides.size(); ++i) {
    const Side& side = sides[i];
    const std::int64_t planeBytes = side.PlaneBytes();
    PutU16(block, 22 + 2 * static_cast<int>(i), planeBytes * colorType);
    if (!DibToBitPlanes(block.data() + offset, static_cast<size_t>(planeBytes), colorType,
                        side.picture.Bits(), side.picture.Width(), side.picture.Height(),
                        static_cast<size_t>(side.picture.Stride()), side.startBit)) {
      block.clear();
      return KQ_ERR_DRAW;
    }
    offset += planeBytes * colorType;
  }
  return static_cast<int>(length);
}
