#pragma once
// Exact turns of a border strip for the four sides of a border. A strip lies along
// the top side with its row 0 on the outer edge; the turns keep that row outside:
// turned by 180 degrees for the bottom side (row 0 at the bottom), a quarter turn
// counter-clockwise for the left side (row 0 the leftmost column, the pattern running
// upwards) and a quarter turn clockwise for the right side (row 0 the rightmost
// column, the pattern running downwards). A null picture gives a null picture.

#include "render/raster/dib24.h"

Dib24 TurnHalf(const Dib24& picture);
Dib24 TurnQuarterCounterClockwise(const Dib24& picture);
Dib24 TurnQuarterClockwise(const Dib24& picture);
