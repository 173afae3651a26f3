#pragma once
// Nearest-neighbour stretching, the rule of all LED output: every target pixel takes
// exactly one source pixel, never a blend.
// Target column i of a w-wide target rectangle takes source column
// sourceRect.left + i x sourceRect.Width() / w (integer division), and rows alike, so
// a whole-number enlargement repeats every source pixel the same number of times.

#include <QImage>

#include "render/raster/dib24.h"
#include "render/raster/pixel_rect.h"

// Draws the part sourceRect of source stretched onto targetRect of target, clipped to
// target; equal sizes copy one to one. target must be Format_RGB32 or Format_ARGB32
// (the result is opaque). Returns false, drawing nothing, when sourceRect does not lie
// inside source or is empty, or when target has another format; an empty targetRect
// draws nothing and succeeds.
[[nodiscard]] bool StretchNearest(const Dib24& source, const PixelRect& sourceRect, QImage& target,
                    const PixelRect& targetRect);

// The same rule from a drawing surface into a picture, clipped to target. sourceRect
// may reach beyond source: a target pixel whose source pixel lies outside source
// gets outside instead (a page moved down, or cut from rows above the surface).
// source must be Format_RGB32 or Format_ARGB32. Returns false, drawing nothing, when
// sourceRect is empty or source has another format; an empty targetRect draws
// nothing and succeeds.
[[nodiscard]] bool StretchNearest(const QImage& source, const PixelRect& sourceRect, Dib24& target,
                    const PixelRect& targetRect, ColorRef outside);
