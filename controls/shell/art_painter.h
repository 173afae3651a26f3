#pragma once
// How the program draws its own pictures (toolbar buttons, menu, tree and status
// images): anti-aliased in a 16 x 16 design space scaled to the picture, with the
// colours and the outline pen they share.

#include <QColor>
#include <QImage>
#include <QPen>

#include <functional>

class QPainter;

// Outlines and marks.
extern const QColor kArtDark;
// The program's blue.
extern const QColor kArtBlue;

// The outline pen: dark, with round caps and joins.
QPen ArtOutline(qreal width = 1.2);

// A size x size picture, transparent or white (onWhite: a toolbar's transparent
// colour), on which draw paints in the 16 x 16 design space.
QImage PaintInDesignSpace(int size, bool onWhite, const std::function<void(QPainter&)>& draw);
