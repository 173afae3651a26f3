#include "controls/support/gradient_rows.h"

#include <algorithm>

std::vector<ColorRef> GradientRows(std::span<const GradientBand> bands) {
  std::vector<ColorRef> rows;
  for (const GradientBand& band : bands) {
    if (band.rows <= 0) continue;
    const auto count = static_cast<float>(band.rows);
    float red = static_cast<float>(ColorRefRed(band.start));
    float green = static_cast<float>(ColorRefGreen(band.start));
    float blue = static_cast<float>(ColorRefBlue(band.start));
    for (int row = 0; row < band.rows; ++row) {
      rows.push_back(
          MakeColorRef(static_cast<int>(red), static_cast<int>(green), static_cast<int>(blue)));
      red += band.redTotal / count;
      green += band.greenTotal / count;
      blue += band.blueTotal / count;
    }
  }
  return rows;
}

void DrawGradientRows(QPainter& painter, const PixelRect& rect, const std::vector<ColorRef>& rows) {
  const int count = std::min(rect.Height(), static_cast<int>(rows.size()));
  for (int row = 0; row < count; ++row) {
    painter.fillRect(rect.left, rect.top + row, rect.Width(), 1,
                     QColor(ColorRefToQRgb(rows[static_cast<std::size_t>(row)])));
  }
}
