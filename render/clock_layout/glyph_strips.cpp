#include "render/clock_layout/glyph_strips.h"

#include <QImage>

#include <algorithm>
#include <array>
#include <new>

#include "render/raster/color_ref.h"
#include "render/raster/dib24.h"
#include "render/raster/gdi_text.h"

namespace {

constexpr ColorRef kPureRed = MakeColorRef(255, 0, 0);

// Where a text goes in its cell.
enum class Placement { Left, Centred, Right };

struct Glyph {
  QString text;
  Placement placement;
};

using WeekdayNameList = std::array<const char16_t*, 7>;  // Sunday first

const WeekdayNameList& WeekdayNames(int style) {
  static constexpr WeekdayNameList chinese = {u"星期日", u"星期一", u"星期二", u"星期三",
                                              u"星期四", u"星期五", u"星期六"};
  static constexpr WeekdayNameList english = {u"Sunday",   u"Monday", u"Tuesday", u"Wednesday",
                                              u"Thursday", u"Friday", u"Saturday"};
  static constexpr WeekdayNameList shortNames = {u"Sun.",  u"Mon.", u"Tues.", u"Wed.",
                                                 u"Thur.", u"Fri.", u"Sat."};
  return style == 0 ? chinese : style == 1 ? english : shortNames;
}

int XInCell(const QFont& font, const Glyph& glyph, int glyphWidth) {
  const int width = TextExtent(font, glyph.text).width();
  switch (glyph.placement) {
    case Placement::Right: return glyphWidth - width;
    case Placement::Centred: return (glyphWidth - width) / 2;
    case Placement::Left: break;
  }
  return 0;
}

// Clears the bit of every lit pixel (red 128 or more) of a picture one cell in size
// in the cell's bytes.
void ConvertCell(const QImage& surface, std::uint8_t* cell) {
  const int rowBytes = surface.width() / 8;
  for (int y = 0; y < surface.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(surface.constScanLine(y));
    std::uint8_t* row = cell + std::size_t(y) * rowBytes;
    for (int x = 0; x < surface.width(); ++x) {
      if (qRed(line[x]) >= 128) row[x / 8] &= static_cast<std::uint8_t>(~(1u << (x % 8)));
    }
  }
}

// Draws each glyph into its own cell of one reused picture and converts the cell's
// red channel into its place in the strip.
[[nodiscard]] bool RenderStrip(const QFont& font, int glyphWidth, int height,
                               const std::vector<Glyph>& glyphs, GlyphStrip& strip) {
  strip = {};
  const int cellWidth = GlyphCellWidth(glyphWidth);
  const std::int64_t cellBytes = std::int64_t{cellWidth} / 8 * height;
  const std::int64_t total = cellBytes * std::int64_t(glyphs.size());
  if (!Dib24::IsValidSize(cellWidth, height) || total > Dib24::kMaxBytes) return false;
  try {
    QImage surface(cellWidth, height, QImage::Format_RGB32);
    if (surface.isNull()) return false;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(total), 0xFF);
    for (std::size_t index = 0; index < glyphs.size(); ++index) {
      surface.fill(Qt::black);
      DrawTextTopLeft(surface, XInCell(font, glyphs[index], glyphWidth), 0, glyphs[index].text,
                      font, kPureRed);
      ConvertCell(surface, bytes.data() + index * cellBytes);
    }
    strip.cellWidth = cellWidth;
    strip.height = height;
    strip.cellCount = static_cast<int>(glyphs.size());
    strip.bytes = std::move(bytes);
    return true;
  } catch (const std::bad_alloc&) {
    strip = {};
    return false;
  }
}

}  // namespace

int GlyphCellWidth(int glyphWidth) {
  const std::int64_t rounded = (std::max<std::int64_t>(glyphWidth, 1) + 7) / 8 * 8;
  return static_cast<int>(std::min<std::int64_t>(rounded, Dib24::kMaxSide + 1));
}

bool GlyphPixelLit(const GlyphStrip& strip, int cell, int x, int y) {
  if (cell < 0 || cell >= strip.cellCount || x < 0 || x >= strip.cellWidth || y < 0 ||
      y >= strip.height) {
    return false;
  }
  const std::size_t rowBytes = static_cast<std::size_t>(strip.cellWidth / 8);
  const std::size_t at = (static_cast<std::size_t>(cell) * strip.height + y) * rowBytes + x / 8;
  return at < strip.bytes.size() && ((strip.bytes[at] >> (x % 8)) & 1) == 0;
}

bool RenderDigitStrip(const QFont& font, int glyphWidth, int height, GlyphStrip& strip) {
  std::vector<Glyph> glyphs;
  for (const QChar character : QStringLiteral("0123456789: ")) {
    glyphs.push_back(
        {QString(character), character == u':' ? Placement::Centred : Placement::Right});
  }
  return RenderStrip(font, glyphWidth, height, glyphs, strip);
}

int MeasureWeekdayWidth(int style, const QFont& font) {
  int widest = 0;
  for (const char16_t* name : WeekdayNames(style)) {
    widest = std::max(widest, TextExtent(font, QString::fromUtf16(name)).width());
    if (style == 0) break;  // the Chinese names are measured on Sunday's alone
  }
  return widest;
}

bool RenderWeekdayStrip(int height, int style, const QFont& font, int glyphWidth,
                        GlyphStrip& strip) {
  std::vector<Glyph> glyphs;
  for (const char16_t* name : WeekdayNames(style)) {
    glyphs.push_back({QString::fromUtf16(name), Placement::Centred});
  }
  return RenderStrip(font, glyphWidth, height, glyphs, strip);
}

bool RenderAmPmStrip(int height, const QFont& font, bool english, int glyphWidth,
                     GlyphStrip& strip) {
  const std::vector<Glyph> glyphs =
      english ? std::vector<Glyph>{{QStringLiteral("AM"), Placement::Left},
                                   {QStringLiteral("PM"), Placement::Left}}
              : std::vector<Glyph>{{QStringLiteral("上午"), Placement::Left},
                                   {QStringLiteral("下午"), Placement::Left}};
  return RenderStrip(font, glyphWidth, height, glyphs, strip);
}

int MeasureAmPmWidth(const QFont& font) {
  return std::max(TextExtent(font, QStringLiteral("AM")).width(),
                  TextExtent(font, QStringLiteral("PM")).width());
}

bool RenderTextStrip(int height, const QFont& font, const QString& text, int glyphWidth,
                     GlyphStrip& strip) {
  return RenderStrip(font, glyphWidth, height, {{text, Placement::Left}}, strip);
}
