#include "render/raster/gdi_text.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>

int MulDiv(int number, int numerator, int denominator) {
  if (denominator == 0) return -1;
  const std::int64_t product = std::int64_t{number} * numerator;
  const std::int64_t magnitude =
      (std::llabs(product) + std::llabs(denominator) / 2) / std::llabs(denominator);
  const std::int64_t result = (product < 0) != (denominator < 0) ? -magnitude : magnitude;
  if (result > std::numeric_limits<int>::max() || result < std::numeric_limits<int>::min()) {
    return -1;
  }
  return static_cast<int>(result);
}

int FontHeightFromPoints(int points) { return -MulDiv(points, kLogPixelsY, 72); }

QFont MakeLedFont(const QString& face, int height, int weight, bool italic, bool underline) {
  QFont font(face);
  const std::int64_t pixels = std::llabs(std::int64_t{height});
  font.setPixelSize(static_cast<int>(std::clamp<std::int64_t>(pixels, 1, Dib24::kMaxSide)));
  font.setWeight(static_cast<QFont::Weight>(std::clamp(weight, 1, 1000)));
  font.setItalic(italic);
  font.setUnderline(underline);
  font.setKerning(false);
  font.setStyleStrategy(QFont::NoAntialias);
  return font;
}

QSize TextExtent(const QFont& font, const QString& text) {
  const QFontMetrics metrics(font);
  return {metrics.horizontalAdvance(text), metrics.height()};
}

void DrawTextTopLeft(QImage& target, int x, int y, const QString& text, const QFont& font,
                     ColorRef color) {
  QPainter painter(&target);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setRenderHint(QPainter::TextAntialiasing, false);
  painter.setFont(font);
  painter.setPen(QColor::fromRgb(ColorRefToQRgb(color)));
  painter.drawText(x, y + QFontMetrics(font).ascent(), text);
}

void DrawTextTopLeft(Dib24& target, int x, int y, const QString& text, const QFont& font,
                     ColorRef color) {
  QImage surface = target.ToImage();
  if (surface.isNull()) return;
  DrawTextTopLeft(surface, x, y, text, font, color);
  target.CopyFromImage(surface, 0, 0);
}
