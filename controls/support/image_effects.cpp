#include "controls/support/image_effects.h"

#include "controls/support/sys_color.h"

namespace {

int BlendComponent(int v, double f) { return static_cast<int>(f * (255 - v) + v); }

// Below this alpha a pixel counts as transparent.
constexpr int kOpaqueAlpha = 128;

// The image's pixels in one 32-bit layout.
QImage AsArgb(const QImage& image) { return image.convertToFormat(QImage::Format_ARGB32); }

// The work picture of one pass: the background (or nothing) with the painted pixels of
// the mask in the colour.
QImage PassPicture(const QImage& mask, ColorRef color, std::optional<ColorRef> background) {
  QImage work(mask.size(), QImage::Format_ARGB32);
  work.fill(background ? QColor::fromRgb(ColorRefToQRgb(*background)) : QColor(Qt::transparent));
  const QRgb ink = ColorRefToQRgb(color);
  for (int y = 0; y < mask.height(); ++y) {
    const uchar* maskRow = mask.constScanLine(y);
    auto* row = reinterpret_cast<QRgb*>(work.scanLine(y));
    for (int x = 0; x < mask.width(); ++x) {
      if (maskRow[x] != 0) row[x] = ink;
    }
  }
  return work;
}

}  // namespace

ColorRef BlendTowardsWhite(ColorRef color, double f) {
  if (f < 0.0 || f > 1.0) return color;
  return MakeColorRef(BlendComponent(ColorRefRed(color), f),
                      BlendComponent(ColorRefGreen(color), f),
                      BlendComponent(ColorRefBlue(color), f));
}

QImage EmbossMask(const QImage& image, std::initializer_list<ColorRef> lightColors) {
  const QImage source = AsArgb(image);
  QImage mask(source.size(), QImage::Format_Grayscale8);
  for (int y = 0; y < source.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(source.constScanLine(y));
    uchar* maskRow = mask.scanLine(y);
    for (int x = 0; x < source.width(); ++x) {
      bool painted = qAlpha(row[x]) >= kOpaqueAlpha;
      for (ColorRef light : lightColors) {
        if (QRgbToColorRef(row[x]) == light) painted = false;
      }
      maskRow[x] = painted ? 255 : 0;
    }
  }
  return mask;
}

void DrawEmbossed(QPainter& painter, QPoint at, const QImage& image,
                  std::initializer_list<ColorRef> lightColors, std::optional<ColorRef> background) {
  if (image.isNull()) return;
  const QImage mask = EmbossMask(image, lightColors);
  painter.drawImage(at + QPoint(1, 1), PassPicture(mask, SysColor(COLOR_3DHILIGHT), background));
  painter.drawImage(at, PassPicture(mask, SysColor(COLOR_BTNSHADOW), background));
}

QImage GreyCopy(const QImage& image) {
  QImage copy = AsArgb(image);
  for (int y = 0; y < copy.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(copy.scanLine(y));
    for (int x = 0; x < copy.width(); ++x) {
      const QRgb pixel = row[x];
      if ((pixel & 0x00FFFFFF) == 0) continue;
      const int grey =
          static_cast<int>(0.299 * qRed(pixel) + 0.587 * qGreen(pixel) + 0.114 * qBlue(pixel)) &
          255;
      row[x] = qRgba(grey, grey, grey, qAlpha(pixel));
    }
  }
  return copy;
}
