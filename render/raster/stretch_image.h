#pragma once
// Nearest-neighbour stretching from one picture in memory to another, by the index
// rule of StretchNearest: target column i of a w-wide target rectangle takes source
// column sourceRect.left + i x sourceRect.Width() / w, and rows alike. Either opaque,
// or keyed on black as a border or an area's content is laid over what a picture
// already shows.

#include <QImage>

#include <optional>

#include "render/raster/pixel_rect.h"
#include "render/raster/screen_colors.h"

enum class NearestCopy {
  kOpaque,
  kKeyedOnBlack,  // source pixels that are exactly black (RGB 0, 0, 0) are not copied
};

// Draws the part sourceRect of source stretched onto targetRect of target, clipped to
// target; the pixels drawn are opaque. With colors, each source pixel is first reduced
// to what that screen shows (ReducedPixel), and a keyed copy keys on the reduced
// pixel. Both pictures must be Format_RGB32 or Format_ARGB32. Allocates nothing.
// Returns false, drawing nothing, when sourceRect does not lie inside source or is
// empty, or when a picture has another format; an empty targetRect draws nothing and
// succeeds.
bool StretchNearest(const QImage& source, const PixelRect& sourceRect, QImage& target,
                    const PixelRect& targetRect, NearestCopy copy,
                    const std::optional<ScreenColors>& colors = std::nullopt);
