#pragma once
// Reading clock and countdown blocks in the tests, field by field as the card reads
// them, and the records and font the tests generate them from.

#include <QFont>
#include <QString>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "model/common/bounded_text.h"
#include "render/raster/gdi_text.h"
#include "sdk/Corvanix.h"

namespace clocktest {

// The face every test record names, and its size in points (16 pixels).
inline const QString kFace = QStringLiteral("DejaVu Sans");
constexpr int kPoints = 12;

constexpr ColorRef kRed = 0x0000FF;
constexpr ColorRef kGreen = 0x00FF00;
constexpr ColorRef kBlue = 0xFF0000;

inline int U8(const std::vector<std::uint8_t>& block, std::size_t at) { return block.at(at); }
inline int U16(const std::vector<std::uint8_t>& block, std::size_t at) {
  return block.at(at) | (block.at(at + 1) << 8);
}
inline int U32(const std::vector<std::uint8_t>& block, std::size_t at) {
  return U16(block, at) | (U16(block, at + 2) << 16);
}

// One 14-byte element record.
struct Element {
  int x, y, kind, glyphOffset, width, height, colorBits, zero;
};

inline std::vector<Element> Elements(const std::vector<std::uint8_t>& block, std::size_t at,
                                     int count) {
  std::vector<Element> elements;
  for (int index = 0; index < count && at + 14 <= block.size(); ++index, at += 14) {
    elements.push_back({U16(block, at), U16(block, at + 2), U8(block, at + 4), U16(block, at + 5),
                        U16(block, at + 7), U16(block, at + 9), U8(block, at + 11),
                        U16(block, at + 12)});
  }
  return elements;
}

inline std::vector<int> Kinds(const std::vector<Element>& elements) {
  std::vector<int> kinds;
  for (const Element& element : elements) kinds.push_back(element.kind);
  return kinds;
}

// The measures of the test font, taken as the card's layout defines them.
struct Measures {
  QFont font;
  int h, k, w;
};

inline Measures MeasuresOf(int pixels) {
  const QFont font = MakeLedFont(kFace, -pixels);
  const QSize hu = TextExtent(font, QStringLiteral("胡"));
  return {font, hu.height(), hu.width(), TextExtent(font, QStringLiteral("8")).width()};
}

inline int Width(const Measures& measures, const QString& text) {
  return TextExtent(measures.font, text).width();
}

// Bytes of a strip of `cells` cells of glyphs `width` wide and `height` high.
inline int StripBytes(int cells, int width, int height) {
  return cells * ((std::max(width, 1) + 7) / 8) * height;
}

}  // namespace clocktest
