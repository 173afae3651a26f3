#include "render/raster/log_font.h"

#include <QFontMetrics>

#include <algorithm>
#include <cstdint>

#include "render/raster/gdi_text.h"

namespace {

// Largest pixel size handed to Qt; beyond it fonts are meaningless on any screen.
constexpr std::int64_t kMaxPixelSize = 8192;

int ClampPixels(std::int64_t pixels) {
  return static_cast<int>(std::clamp<std::int64_t>(pixels, 1, kMaxPixelSize));
}

}  // namespace

QString LogFontFaceName(const LogFontW& font) {
  const auto* end = std::find(font.lfFaceName, font.lfFaceName + LogFontW::kFaceCapacity, 0);
  return QString::fromUtf16(font.lfFaceName, end - font.lfFaceName);
}

void SetLogFontFaceName(LogFontW& font, const QString& face) {
  std::fill(std::begin(font.lfFaceName), std::end(font.lfFaceName), 0);
  const auto units = std::min<qsizetype>(face.size(), LogFontW::kFaceCapacity - 1);
  std::copy_n(face.utf16(), units, font.lfFaceName);
}

LogFontW StockDefaultGuiFont() {
  LogFontW font;
  font.lfHeight = -11;
  font.lfWeight = 400;
  font.lfCharSet = kDefaultCharSet;
  SetLogFontFaceName(font, QStringLiteral("MS Shell Dlg"));
  return font;
}

QFont LogFontToQFont(const LogFontW& source) {
  QFont font(LogFontFaceName(source));
  if (source.lfHeight < 0) {
    font.setPixelSize(ClampPixels(-std::int64_t{source.lfHeight}));
  } else if (source.lfHeight > 0) {
    font.setPixelSize(ClampPixels(source.lfHeight));
    const QFontMetrics metrics(font);
    const int cell = std::max(1, metrics.ascent() + metrics.descent());
    font.setPixelSize(ClampPixels(std::int64_t{source.lfHeight} * source.lfHeight / cell));
  }
  const int weight = source.lfWeight == 0 ? 400 : source.lfWeight;
  font.setWeight(static_cast<QFont::Weight>(std::clamp(weight, 1, 1000)));
  font.setItalic(source.lfItalic != 0);
  font.setUnderline(source.lfUnderline != 0);
  font.setStrikeOut(source.lfStrikeOut != 0);
  return font;
}

LogFontW LogFontFromQFont(const QFont& font) {
  LogFontW result;
  result.lfHeight = font.pixelSize() > 0
                        ? -font.pixelSize()
                        : FontHeightFromPoints(qRound(font.pointSizeF()));
  result.lfWeight = font.weight();
  result.lfItalic = font.italic() ? 1 : 0;
  result.lfUnderline = font.underline() ? 1 : 0;
  result.lfStrikeOut = font.strikeOut() ? 1 : 0;
  result.lfCharSet = kDefaultCharSet;
  SetLogFontFaceName(result, font.family());
  return result;
}
