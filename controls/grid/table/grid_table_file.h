#pragma once
// The table file read into the grid and written from it. The file's rows and columns
// are the grid's from 1: row 0 and column 0 are the grid's fixed headers (numbers),
// which the file does not hold.

#include <QString>

class GridModel;

// Width and height of the fixed header column and row.
inline constexpr int kHeaderCellSize = 24;

// Empties the grid and gives it rows x cols body cells under one fixed row and column
// of kHeaderCellSize in the fixed cells' colour, numbered from 1 and centred. False
// when the grid refuses a step.
[[nodiscard]] bool StartTableGrid(GridModel& grid, int rows, int cols);

// Writes the grid's table to path, atomically: row heights, column widths and every
// body cell with its text (cut at 511 units), font (the default cell's where the grid
// holds no cell), format and colours; a merged block becomes the extras of its top-left
// cell and visible 0 on the cells it covers. 1, or 0 when anything fails; the old file
// then stays as it was.
[[nodiscard]] int SaveTableFile(const GridModel& grid, const QString& path);

// Fills the grid from the table file at path: one fixed row and one fixed column (24
// pixels, numbered, light blue), then the file's sizes, cells and merges. A file that
// is missing or not a table gives the default grid of 4 x 4 empty cells; a table of 0
// rows and 0 columns leaves the grid as it is; both return 1. A damaged file (counts
// out of range, shorter than they say) returns 0 and leaves the grid as it was.
[[nodiscard]] int LoadTableFile(GridModel& grid, const QString& path);
