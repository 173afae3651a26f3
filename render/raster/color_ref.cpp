#include "render/raster/color_ref.h"

QRgb ColorRefToQRgb(ColorRef color) {
  return qRgb(ColorRefRed(color), ColorRefGreen(color), ColorRefBlue(color));
}

ColorRef QRgbToColorRef(QRgb rgb) { return MakeColorRef(qRed(rgb), qGreen(rgb), qBlue(rgb)); }
