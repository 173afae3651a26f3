#pragma once
// The table file (".kqg"): the table of an image-text page, in the layout project files
// made on Windows carry too, so tables travel both ways inside project files. All integers 32-bit
// little-endian: magic, rows R, columns K, R row heights, K column widths, then R x K
// cells of 1140 bytes, row by row:
//   0 text, 512 UTF-16 units (at most 511, then a 0, then zeros)
//   1024 font, a LOGFONTW (five i32, eight u8, 32 UTF-16 units)
//   1116 format (DrawText bits: 0x1 centre, 0x2 right, 0x4 centre vertically)
//   1120 text colour, 1124 back colour (0x00BBGGRR)
//   1128 merged extra rows, 1132 merged extra columns (0: not merged)
//   1136 visible (0: covered by another cell's merged block)
// The codec knows no grid; controls/ fills a grid from it and the renderer draws it.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <vector>

#include "render/raster/color_ref.h"
#include "render/raster/log_font.h"

// Bytes 9D F5 13 AC at the start of every table file.
constexpr std::uint32_t kTableMagic = 0xAC13F59D;
constexpr int kTableHeaderSize = 12;
constexpr int kTableCellSize = 1140;
// UTF-16 units of a cell's text field, the terminating 0 included.
constexpr int kTableTextCapacity = 512;
// Largest row or column count a reader accepts; no screen needs more.
constexpr int kTableMaxCount = 10000;

struct TableFileCell {
  QString text;  // at most 511 units are stored
  LogFontW font;
  std::uint32_t format = 0;
  ColorRef textColor = 0;
  ColorRef backColor = 0;
  std::int32_t mergedRows = 0;
  std::int32_t mergedCols = 0;
  std::int32_t visible = 1;

  friend bool operator==(const TableFileCell&, const TableFileCell&) = default;
};

struct TableFile {
  std::vector<std::int32_t> rowHeights;  // one per row, top row first
  std::vector<std::int32_t> colWidths;   // one per column, left column first
  std::vector<TableFileCell> cells;      // rows x columns, row by row

  int Rows() const { return static_cast<int>(rowHeights.size()); }
  int Columns() const { return static_cast<int>(colWidths.size()); }
  // Sizes the table to rows x columns of default cells, heights and widths 0.
  void Resize(int rows, int columns);
  TableFileCell& Cell(int row, int col) {
    return cells[static_cast<std::size_t>(row) * colWidths.size() + static_cast<std::size_t>(col)];
  }
  const TableFileCell& Cell(int row, int col) const {
    return cells[static_cast<std::size_t>(row) * colWidths.size() + static_cast<std::size_t>(col)];
  }
};

enum class TableRead {
  Ok,
  NoTable,  // the file cannot be opened or does not start with the magic
  Damaged,  // counts out of range, or the file is shorter than they say
};

// Reads a table from the bytes of a file. The counts are checked against the bytes
// (in 64-bit arithmetic, each at most kTableMaxCount) before anything is allocated;
// *table is changed only on Ok. Bytes after the last cell are ignored.
[[nodiscard]] TableRead DecodeTableFile(QByteArrayView bytes, TableFile* table);

// Reads the table file at path (a regular file; see OpenRegularFile).
[[nodiscard]] TableRead ReadTableFile(const QString& path, TableFile* table);

// The bytes of a table. Texts over 511 units are cut at 511 without splitting a
// surrogate pair; zeros follow every text.
QByteArray EncodeTableFile(const TableFile& table);

// Writes the table to path atomically: false, with the old file as it was, when any
// step fails.
[[nodiscard]] bool WriteTableFile(const QString& path, const TableFile& table);

// The default table of a new table page: 2 x 2 cells filling width x height (heights
// height / 2 and height - height / 2, widths likewise), empty texts in the stock
// default GUI font at height -12, format 5, red on black, not merged, visible.
TableFile DefaultTable(int width, int height);

// Writes the default table for an inner height and width to path (that argument
// order). 1, or 0 when nothing could be written.
[[nodiscard]] int WriteDefaultTableFile(int innerHeight, const QString& path, int innerWidth);

// GetAppDir() + "UserData/" + name + ".kqg", the table file of the page whose GUID
// text is name; empty when name is not a GUID text, so that no other file is named.
QString TableFilePath(const QString& name);
