#pragma once
// The keyed nearest-neighbour stretch: StretchNearest's rule, with black as the
// transparent colour, as a border or an area's content is laid over what a picture
// already shows.

#include <QImage>

#include "render/raster/dib24.h"
#include "render/raster/pixel_rect.h"

// Draws the part sourceRect of source stretched onto targetRect of target, clipped to
// target, with the index rule of StretchNearest; a source pixel that is exactly black
// (0x000000) is not copied, so the target keeps its own pixel there. Allocates
// nothing. Returns false, drawing nothing, when sourceRect does not lie inside source
// or is empty, or when target is not Format_RGB32 or Format_ARGB32; an empty
// targetRect draws nothing and succeeds.
bool StretchNearestKeyed(const Dib24& source, const PixelRect& sourceRect, QImage& target,
                         const PixelRect& targetRect);
