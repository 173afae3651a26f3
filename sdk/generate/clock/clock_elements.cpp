#include "sdk/generate/clock/clock_elements.h"

#include <algorithm>
#include <cstdint>

#include "model/common/bounded_text.h"
#include "model/common/little_endian.h"
#include "render/raster/dib24.h"
#include "render/raster/gdi_text.h"
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

bool ClockElement::IsNumber() const {
  return kind != kKindWord && kind != kKindWeekday && kind != kKindAmPm;
}

void ElementGroup::Place(int x, int y) {
  for (ClockElement& element : elements) {
    element.x += x;
    element.y = y;
  }
}

QFont RecordFont(const char16_t* face, std::size_t capacity, int points, int bold, int italic,
                 int underline) {
  const int pixels = std::max(1, MulDiv(std::clamp(points, 0, Dib24::kMaxSide), kLogPixelsY, 72));
  return MakeLedFont(ReadBoundedText(face, capacity), -pixels, bold ? 700 : 400, italic != 0,
                     underline != 0);
}

FontMeasures MeasureFont(const QFont& font) {
  const QSize wide = TextExtent(font, QStringLiteral("胡"));
  return {wide.height(), wide.width(), TextExtent(font, QStringLiteral("8")).width()};
}

int ColorBits(ColorRef color) {
  return (ColorRefRed(color) > 128 ? 1 : 0) | (ColorRefGreen(color) > 128 ? 2 : 0) |
         (ColorRefBlue(color) > 128 ? 4 : 0);
}

int TimeOffsetField(int timeLagType, int hours, int minutes) {
  const std::int64_t offset = std::int64_t{hours} * 60 + minutes;
  return static_cast<int>(offset & 0xFFFF) | (timeLagType == 0 ? 0x8000 : 0);
}

ClockElement NumberElement(int kind, const FontMeasures& measures) {
  ClockElement element;
  element.kind = kind;
  element.width = measures.w;
  element.height = measures.h;
  return element;
}

int WordElement(const QFont& font, const FontMeasures& measures, const QString& text, int width,
                ClockElement& element) {
  element = {};
  element.kind = kKindWord;
  element.width = width;
  element.height = measures.h;
  const int size = RenderTextStrip(measures.h, font, text, width, element.strip);
  return size < 0 ? size : KQ_OK;
}

ClockElement PlaceholderElement() {
  ClockElement element;
  element.kind = kKindWord;
  element.width = 8;
  element.height = 8;  // one byte a row: the 8 glyph bytes are the whole cell
  element.colorBits = 1;
  element.strip = {8, 8, 1, std::vector<std::uint8_t>(8, 0xFF)};
  return element;
}

int AppendElements(std::vector<std::uint8_t>& block, const std::vector<ClockElement>& elements,
                   const GlyphStrip& digits) {
  std::vector<int> offsets;
  std::int64_t next = static_cast<std::int64_t>(digits.bytes.size());
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
  block.insert(block.end(), digits.bytes.begin(), digits.bytes.end());
  for (const ClockElement& element : elements) {
    block.insert(block.end(), element.strip.bytes.begin(), element.strip.bytes.end());
  }
  return KQ_OK;
}

int RenderDigits(const QFont& font, const FontMeasures& measures, GlyphStrip& digits) {
  const int size = RenderDigitStrip(font, measures.w, measures.h, digits);
  return size < 0 ? size : KQ_OK;
}
