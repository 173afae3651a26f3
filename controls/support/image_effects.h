#pragma once
// Image effects that menus and buttons share: the blend of a colour towards white, the
// embossed (disabled) image and the grey copy of an icon.

#include <QImage>
#include <QPainter>
#include <QPoint>

#include <initializer_list>
#include <optional>

#include "render/raster/color_ref.h"

// Each component v becomes int(f * (255 - v) + v); f outside 0..1 leaves the colour as
// it is.
ColorRef BlendTowardsWhite(ColorRef color, double f);

// The emboss mask: true for each pixel that is painted, that is every pixel that is
// neither of one of the light colours nor (mostly) transparent.
QImage EmbossMask(const QImage& image, std::initializer_list<ColorRef> lightColors);

// Draws the image embossed with its top-left corner at `at`: the painted pixels of its
// mask once in the button-highlight colour one pixel right and down, then in the
// button-shadow colour in place. With a background, each pass is a copy of an image-sized
// work picture filled with it (so the second covers the first but for the right and
// bottom edge); without one, only the painted pixels are drawn.
void DrawEmbossed(QPainter& painter, QPoint at, const QImage& image,
                  std::initializer_list<ColorRef> lightColors, std::optional<ColorRef> background);

// The grey copy of an image: every pixel whose colour is not black becomes the grey
// int(0.299 R + 0.587 G + 0.114 B); black pixels and the alpha channel stay as they are.
QImage GreyCopy(const QImage& image);
