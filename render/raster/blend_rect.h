#pragma once
// One colour laid over a rectangle of a picture at a constant opacity, as a tint or a
// badge: per channel dst = (color * alpha + dst * (255 - alpha) + 127) / 255. The
// rectangle follows GDI's rule (right and bottom edge excluded) and is clipped to the
// picture, so any rectangle is safe.

#include <QImage>

#include "render/raster/color_ref.h"
#include "render/raster/pixel_rect.h"

// target should be Format_RGB32 or Format_ARGB32 (other formats are left alone); its
// alpha bytes are kept. alpha 0 leaves the picture, 255 fills with color; values
// outside 0-255 count as the nearest of them.
void BlendRect(QImage& target, const PixelRect& rect, ColorRef color, int alpha);
