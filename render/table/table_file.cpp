#include "render/table/table_file.h"

#include <algorithm>
#include <array>

#include "model/common/app_paths.h"
#include "model/common/atomic_file.h"
#include "model/common/bounded_text.h"
#include "model/common/guid_text.h"
#include "model/common/little_endian.h"
#include "model/common/regular_file.h"
#include "model/common/unique_fd.h"

namespace {

// Offsets inside a cell record.
constexpr int kFontOffset = 1024;
constexpr int kFormatOffset = 1116;
constexpr int kTextColorOffset = 1120;
constexpr int kBackColorOffset = 1124;
constexpr int kMergedRowsOffset = 1128;
constexpr int kMergedColsOffset = 1132;
constexpr int kVisibleOffset = 1136;
// Offsets inside a LOGFONTW.
constexpr int kFontBytesOffset = 20;  // the eight single-byte fields
constexpr int kFaceOffset = 28;
constexpr int kLogFontSize = 92;

// Font height of the default table's cells.
constexpr int kDefaultTableFontHeight = -12;
// Format of the default table's cells: centred both ways.
constexpr std::uint32_t kCentredFormat = 0x1 | 0x4;
constexpr ColorRef kRed = 255;

// The file's size for a table of rows x columns, in 64-bit arithmetic.
std::int64_t TableBytes(std::int64_t rows, std::int64_t columns) {
  return kTableHeaderSize + 4 * rows + 4 * columns + kTableCellSize * rows * columns;
}

struct TableCounts {
  TableRead result = TableRead::NoTable;
  int rows = 0;
  int columns = 0;
};

// The counts of the header at the start of bytes, checked against the file's size.
TableCounts CheckTableHeader(QByteArrayView header, std::int64_t fileSize) {
  const auto* at = reinterpret_cast<const std::uint8_t*>(header.data());
  if (header.size() < 4 || ReadLe32(at) != kTableMagic) return {};
  if (header.size() < kTableHeaderSize) return {TableRead::Damaged};
  const auto rows = static_cast<std::int32_t>(ReadLe32(at + 4));
  const auto columns = static_cast<std::int32_t>(ReadLe32(at + 8));
  if (rows < 0 || columns < 0 || rows > kTableMaxCount || columns > kTableMaxCount ||
      fileSize < TableBytes(rows, columns)) {
    return {TableRead::Damaged};
  }
  return {TableRead::Ok, rows, columns};
}

void ReadLogFont(const std::uint8_t* at, LogFontW& font) {
  font.lfHeight = static_cast<std::int32_t>(ReadLe32(at));
  font.lfWidth = static_cast<std::int32_t>(ReadLe32(at + 4));
  font.lfEscapement = static_cast<std::int32_t>(ReadLe32(at + 8));
  font.lfOrientation = static_cast<std::int32_t>(ReadLe32(at + 12));
  font.lfWeight = static_cast<std::int32_t>(ReadLe32(at + 16));
  std::array<std::uint8_t*, 8> bytes = {
      &font.lfItalic,       &font.lfUnderline,     &font.lfStrikeOut, &font.lfCharSet,
      &font.lfOutPrecision, &font.lfClipPrecision, &font.lfQuality,   &font.lfPitchAndFamily};
  for (std::size_t i = 0; i < bytes.size(); ++i) *bytes[i] = at[kFontBytesOffset + i];
  for (int i = 0; i < LogFontW::kFaceCapacity; ++i) {
    font.lfFaceName[i] = static_cast<char16_t>(ReadLe16(at + kFaceOffset + 2 * i));
  }
}

void WriteLogFont(std::uint8_t* at, const LogFontW& font) {
  WriteLe32(at, font.lfHeight);
  WriteLe32(at + 4, font.lfWidth);
  WriteLe32(at + 8, font.lfEscapement);
  WriteLe32(at + 12, font.lfOrientation);
  WriteLe32(at + 16, font.lfWeight);
  const std::array<std::uint8_t, 8> bytes = {
      font.lfItalic,       font.lfUnderline,     font.lfStrikeOut, font.lfCharSet,
      font.lfOutPrecision, font.lfClipPrecision, font.lfQuality,   font.lfPitchAndFamily};
  std::copy(bytes.begin(), bytes.end(), at + kFontBytesOffset);
  for (int i = 0; i < LogFontW::kFaceCapacity; ++i) {
    WriteLe16(at + kFaceOffset + 2 * i, font.lfFaceName[i]);
  }
}

void ReadCell(const std::uint8_t* at, TableFileCell& cell) {
  // The text ends at its first 0, and after 511 units at the latest.
  std::array<char16_t, kTableTextCapacity - 1> text{};
  for (std::size_t i = 0; i < text.size(); ++i)
    text[i] = static_cast<char16_t>(ReadLe16(at + 2 * i));
  cell.text = ReadBoundedText(text.data(), text.size());
  ReadLogFont(at + kFontOffset, cell.font);
  cell.format = ReadLe32(at + kFormatOffset);
  cell.textColor = ReadLe32(at + kTextColorOffset);
  cell.backColor = ReadLe32(at + kBackColorOffset);
  cell.mergedRows = static_cast<std::int32_t>(ReadLe32(at + kMergedRowsOffset));
  cell.mergedCols = static_cast<std::int32_t>(ReadLe32(at + kMergedColsOffset));
  cell.visible = static_cast<std::int32_t>(ReadLe32(at + kVisibleOffset));
}

void WriteCell(std::uint8_t* at, const TableFileCell& cell) {
  std::array<char16_t, kTableTextCapacity> text{};
  (void)CopyBoundedText(text.data(), text.size(), cell.text);  // a longer text is cut
  for (std::size_t i = 0; i < text.size(); ++i) WriteLe16(at + 2 * i, text[i]);
  WriteLogFont(at + kFontOffset, cell.font);
  WriteLe32(at + kFormatOffset, cell.format);
  WriteLe32(at + kTextColorOffset, cell.textColor);
  WriteLe32(at + kBackColorOffset, cell.backColor);
  WriteLe32(at + kMergedRowsOffset, cell.mergedRows);
  WriteLe32(at + kMergedColsOffset, cell.mergedCols);
  WriteLe32(at + kVisibleOffset, cell.visible);
}

static_assert(kTableCellSize == kVisibleOffset + 4);
static_assert(kFontOffset + kLogFontSize == kFormatOffset);
static_assert(kTableTextCapacity * 2 == kFontOffset);

}  // namespace

void TableFile::Resize(int rows, int columns) {
  rowHeights.assign(static_cast<std::size_t>(rows), 0);
  colWidths.assign(static_cast<std::size_t>(columns), 0);
  cells.assign(static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns), {});
}

TableRead DecodeTableFile(QByteArrayView bytes, TableFile* table) {
  const TableCounts counts = CheckTableHeader(bytes, bytes.size());
  if (counts.result != TableRead::Ok) return counts.result;
  TableFile read;
  read.Resize(counts.rows, counts.columns);
  const auto* at = reinterpret_cast<const std::uint8_t*>(bytes.data()) + kTableHeaderSize;
  for (auto& height : read.rowHeights) {
    height = static_cast<std::int32_t>(ReadLe32(at));
    at += 4;
  }
  for (auto& width : read.colWidths) {
    width = static_cast<std::int32_t>(ReadLe32(at));
    at += 4;
  }
  for (auto& cell : read.cells) {
    ReadCell(at, cell);
    at += kTableCellSize;
  }
  *table = std::move(read);
  return TableRead::Ok;
}

TableRead ReadTableFile(const QString& path, TableFile* table) {
  UniqueFd file;
  std::int64_t size = 0;
  if (OpenRegularFile(path, &file, &size) != 0) return TableRead::NoTable;
  // The header first, so that only as many bytes as its counts name are read.
  QByteArray header(static_cast<qsizetype>(std::min<std::int64_t>(size, kTableHeaderSize)),
                    Qt::Uninitialized);
  if (file.ReadAll(header.data(), static_cast<std::size_t>(header.size()), 0) != 0) {
    return TableRead::Damaged;
  }
  const TableCounts counts = CheckTableHeader(header, size);
  if (counts.result != TableRead::Ok) return counts.result;
  QByteArray bytes(static_cast<qsizetype>(TableBytes(counts.rows, counts.columns)),
                   Qt::Uninitialized);
  if (file.ReadAll(bytes.data(), static_cast<std::size_t>(bytes.size()), 0) != 0) {
    return TableRead::Damaged;
  }
  return DecodeTableFile(bytes, table);
}

QByteArray EncodeTableFile(const TableFile& table) {
  QByteArray bytes(static_cast<qsizetype>(TableBytes(table.Rows(), table.Columns())), '\0');
  auto* at = reinterpret_cast<std::uint8_t*>(bytes.data());
  WriteLe32(at, kTableMagic);
  WriteLe32(at + 4, table.Rows());
  WriteLe32(at + 8, table.Columns());
  at += kTableHeaderSize;
  for (std::int32_t height : table.rowHeights) {
    WriteLe32(at, height);
    at += 4;
  }
  for (std::int32_t width : table.colWidths) {
    WriteLe32(at, width);
    at += 4;
  }
  for (const TableFileCell& cell : table.cells) {
    WriteCell(at, cell);
    at += kTableCellSize;
  }
  return bytes;
}

bool WriteTableFile(const QString& path, const TableFile& table) {
  return WriteFileAtomically(path, EncodeTableFile(table));
}

TableFile DefaultTable(int width, int height) {
  TableFile table;
  table.Resize(2, 2);
  table.rowHeights = {height / 2, height - height / 2};
  table.colWidths = {width / 2, width - width / 2};
  LogFontW font = StockDefaultGuiFont();
  font.lfHeight = kDefaultTableFontHeight;
  for (TableFileCell& cell : table.cells) {
    cell.font = font;
    cell.format = kCentredFormat;
    cell.textColor = kRed;
  }
  return table;
}

int WriteDefaultTableFile(int innerHeight, const QString& path, int innerWidth) {
  return WriteTableFile(path, DefaultTable(innerWidth, innerHeight)) ? 1 : 0;
}

QString TableFilePath(const QString& name) {
  if (!IsGuidText(name)) return {};
  return AppFilePath(AppFolder::UserData, QString(name + QStringLiteral(".kqg")));
}
