#pragma once
// What the table editor does to its grid, without the window: new and imported
// tables, body rows and columns inserted and deleted under the fixed headers, the
// formats set on a selection, and the texts too long for the table file. Row 0 and
// column 0 are the numbered headers; the body starts at 1.

#include <QString>

#include <cstdint>
#include <functional>

#include "controls/grid/model/cell_id.h"
#include "render/raster/color_ref.h"
#include "render/raster/log_font.h"

class CGridCellBase;
class GridModel;
struct WorksheetTexts;

// Format bits of a cell (as DrawText takes them).
inline constexpr std::uint32_t kFormatCentre = 0x1;
inline constexpr std::uint32_t kFormatRight = 0x2;
inline constexpr std::uint32_t kFormatMiddle = 0x4;
inline constexpr std::uint32_t kCentredFormat = kFormatCentre | kFormatMiddle;
// Text colours of new and imported cells, and of inserted ones; both on black.
inline constexpr ColorRef kNewCellTextColor = 255;
inline constexpr ColorRef kInsertedCellTextColor = 0x8241E2;

// The size of row or column i (from 1) of count sharing total: i x total / count -
// total x (i - 1) / count, so that the sizes add up to total.
int ShareOf(int total, int count, int i);

// A new table of rows x cols new cells filling width x height.
[[nodiscard]] bool BuildNewTable(GridModel& grid, int rows, int cols, int width, int height);
// The worksheet as a table of new cells, one per sheet cell from row and column 1.
[[nodiscard]] bool BuildImportedTable(GridModel& grid, const WorksheetTexts& sheet);

// Numbers the headers of every row and column from 1.
void NumberHeaders(GridModel& grid);
// A body row or column of inserted cells before the one at index (1 or more).
[[nodiscard]] bool InsertBodyRow(GridModel& grid, int row);
[[nodiscard]] bool InsertBodyColumn(GridModel& grid, int col);
// Deletes the body rows or columns first..last (the headers never), then keeps at
// least one body row or column: a lost last one comes back as new cells.
[[nodiscard]] bool DeleteBodyRows(GridModel& grid, int first, int last);
[[nodiscard]] bool DeleteBodyColumns(GridModel& grid, int first, int last);

// Calls change on every cell of a valid selection, then redraws; false without one.
bool ForEachSelectedCell(GridModel& grid, const std::function<void(CGridCellBase&)>& change);
// Changes the font of every cell of a valid selection (starting from each cell's own).
bool ChangeSelectedFonts(GridModel& grid, const std::function<void(LogFontW&)>& change);

// Font heights and point sizes at kLogPixelsY (render/raster/gdi_text.h), the same on
// every machine; a size of 0 or less becomes 9.
int FontHeightOfSize(int size);
int FontSizeOfHeight(int height);

// The body cells whose texts are longer than the table file holds: the first, by
// rows, and how many.
struct LongTexts {
  CCellID first;
  int count = 0;
};
LongTexts FindLongTexts(const GridModel& grid);
