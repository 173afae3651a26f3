#pragma once
// Solid fills with GDI's FillRect rule: the right and bottom edge of the rectangle
// are not filled. Both clip to the picture, so any rectangle is safe.

#include <QImage>

#include "render/raster/color_ref.h"
#include "render/raster/dib24.h"
#include "render/raster/pixel_rect.h"

void FillRect(Dib24& picture, const PixelRect& rect, ColorRef color);

// target should be Format_RGB32 or Format_ARGB32; the fill is opaque.
void FillRect(QImage& target, const PixelRect& rect, ColorRef color);
