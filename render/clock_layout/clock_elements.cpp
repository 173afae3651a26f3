#include "render/clock_layout/clock_elements.h"

#include <algorithm>

#include "model/common/bounded_text.h"
#include "render/raster/dib24.h"
#include "render/raster/gdi_text.h"

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

QRgb ColorOfBits(int colorBits) {
  return qRgb((colorBits & 1) ? 255 : 0, (colorBits & 2) ? 255 : 0, (colorBits & 4) ? 255 : 0);
}

ClockElement NumberElement(int kind, const FontMeasures& measures) {
  ClockElement element;
  element.kind = kind;
  element.width = measures.w;
  element.height = measures.h;
  return element;
}

bool WordElement(const QFont& font, const FontMeasures& measures, const QString& text, int width,
                 ClockElement& element) {
  element = {};
  element.kind = kKindWord;
  element.width = width;
  element.height = measures.h;
  return RenderTextStrip(measures.h, font, text, width, element.strip);
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
