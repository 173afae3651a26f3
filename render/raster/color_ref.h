#pragma once
// GDI colour values as records, files and the SDK hold them: 0x00BBGGRR, red in the
// low byte. Qt's QRgb is 0xAARRGGBB.

#include <QRgb>

#include <cstdint>

using ColorRef = std::uint32_t;

constexpr ColorRef MakeColorRef(int red, int green, int blue) {
  return static_cast<ColorRef>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}
constexpr int ColorRefRed(ColorRef color) { return static_cast<int>(color & 0xFF); }
constexpr int ColorRefGreen(ColorRef color) { return static_cast<int>((color >> 8) & 0xFF); }
constexpr int ColorRefBlue(ColorRef color) { return static_cast<int>((color >> 16) & 0xFF); }

// The opaque Qt colour of a GDI colour value; the high byte is ignored.
QRgb ColorRefToQRgb(ColorRef color);

// The GDI colour value of a Qt colour; alpha is dropped.
ColorRef QRgbToColorRef(QRgb rgb);
