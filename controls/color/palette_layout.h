#pragma once
// The colour picker's pop-up palettes without widgets: their sizes and placement, the
// cell under a point and the colour of each cell, the colour text, and the pixels of
// the eyedropper cursor.
//
// Palette points are client points: inside the pop-up's 1-pixel border. The full
// palette is 19 columns (a grey column and 18 colour columns) of 12 cells, each cell
// 9 x 9 with a grid line right of and below it; a strip is a row of 24 x 24 cells with
// a line right of each.

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include "render/raster/color_ref.h"

// The palette kinds (the program-wide PaletteKind and a picker's own kind).
constexpr int kFullPalette = 0;
constexpr int kRedStrip = 1;
constexpr int kRedGreenYellowStrip = 2;
constexpr int kSevenColorStrip = 3;

constexpr int kPaletteBorder = 1;            // the pop-up's frame, in pixels
constexpr QSize kFullPaletteSize{191, 150};  // the pop-up's outer size
constexpr int kFullCellPitch = 10;           // a cell and its line
constexpr int kFullColumns = 19;
constexpr int kFullRows = 12;
constexpr int kFullCellsHeight = kFullRows * kFullCellPitch;  // the cells; below them the swatch
constexpr int kStripHeight = 26;
constexpr int kStripCellPitch = 25;
constexpr int kStripCellSide = 24;
// The swatch, its text and the information area below the full palette's cells.
constexpr QRect kSwatchRect{5, 125, 35, 18};
constexpr QPoint kSwatchTextOrigin{80, 127};
constexpr QRect kInfoRect{0, 120, 150, 25};
// The more-colours button of the full palette.
constexpr QRect kMoreColorsRect{167, 126, 16, 16};

constexpr ColorRef kPaletteLineColor = MakeColorRef(86, 184, 225);
constexpr ColorRef kPaletteFocusColor = MakeColorRef(226, 65, 130);

// "#" and the red, green and blue of the colour as two upper-case hex digits each.
QString FormatColor(ColorRef color);

// True for the four kinds above.
bool IsPaletteKind(int kind);

// The number of cells a kind shows: 228 for the full palette, 2, 4 or 8 for the
// strips (one less without black); 0 for another kind.
int PaletteCellCount(int kind, bool withoutBlack);

// The colour of a cell: the grey column's levels and the 216 colours with red, green
// and blue multiples of 51, or a strip's pure colours (black last). Black for a cell
// the kind does not have.
ColorRef PaletteCellColor(int kind, int cell);

// The cell whose own pixels hold the client point; -1 on a grid line, past the last
// cell or below the cells, and for another kind.
int PaletteCellAt(int kind, bool withoutBlack, QPoint client);

// The client rectangle the focus frame of a cell covers: the cell with its lines in
// the full palette, the cell's own 24 x 24 pixels in a strip (its index taken modulo
// the strip's full count, black included). Empty for another kind.
QRect PaletteCellFrame(int kind, int cell);

// The pop-up's outer size; empty for another kind.
QSize PaletteWindowSize(int kind, bool withoutBlack);

// The pop-up's outer rectangle below the button (global coordinates), moved left to
// stay on the screen's available rectangle and above the button where the screen's
// bottom would cut it. Another kind gets the button's own rectangle.
QRect PalettePlacement(int kind, bool withoutBlack, const QRect& button, const QRect& screen);

// The eyedropper cursor: 32 x 32, hotspot (0, 15).
constexpr int kEyedropperSide = 32;
constexpr QPoint kEyedropperHotspot{0, 15};
enum class CursorPixel { kTransparent, kBlack, kWhite };
CursorPixel EyedropperPixel(int x, int y);
