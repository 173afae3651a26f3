#include "render/table/table_render.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRectF>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "model/common/bounded_text.h"
#include "render/frame/pak_file.h"
#include "render/frame/pak_writer.h"
#include "render/raster/color_ref.h"
#include "render/raster/dib24.h"
#include "render/raster/log_font.h"
#include "render/table/table_file.h"

namespace {

// Format bits of a cell that place its text.
constexpr std::uint32_t kCentre = 0x1;
constexpr std::uint32_t kRight = 0x2;
constexpr std::uint32_t kMiddle = 0x4;
// Coordinates are kept within this range when they reach the painter; anything beyond
// lies far outside every picture anyway.
constexpr std::int64_t kCoordinateLimit = std::int64_t{1} << 30;

int Coordinate(std::int64_t value) {
  return static_cast<int>(std::clamp(value, -kCoordinateLimit, kCoordinateLimit));
}

// Sums of sizes from the start: prefix[i] is the sum of the first i, a negative size
// counting as 0.
std::vector<std::int64_t> PrefixSums(const std::vector<std::int32_t>& sizes) {
  std::vector<std::int64_t> prefix(sizes.size() + 1, 0);
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    prefix[i + 1] = prefix[i] + std::max<std::int32_t>(sizes[i], 0);
  }
  return prefix;
}

// A cell's merged extras, kept within the table and never negative.
int ClampExtra(std::int32_t extra, int index, int count) {
  return std::clamp(extra, 0, count - 1 - index);
}

QFont CellFont(const LogFontW& logFont) {
  QFont font = LogFontToQFont(logFont);
  font.setStyleStrategy(QFont::NoAntialias);
  return font;
}

Qt::Alignment TextAlignment(std::uint32_t format) {
  Qt::Alignment alignment = (format & kMiddle) != 0 ? Qt::AlignVCenter : Qt::AlignTop;
  if ((format & kCentre) != 0) return alignment | Qt::AlignHCenter;
  return alignment | ((format & kRight) != 0 ? Qt::AlignRight : Qt::AlignLeft);
}

class TablePainter {
 public:
  TablePainter(const TableFile& table, ColorRef lineColor, int width, int height)
      : table_(table),
        line_(QColor::fromRgb(ColorRefToQRgb(lineColor))),
        colLeft_(PrefixSums(table.colWidths)),
        rowTop_(PrefixSums(table.rowHeights)),
        surface_(width, height, QImage::Format_RGB32) {
    // The longest run of columns from the left that fits, else the first alone.
    while (chosen_ < table.Columns() && colLeft_[chosen_ + 1] <= width) ++chosen_;
    chosen_ = std::max(chosen_, 1);
    const std::int64_t tableWidth = colLeft_[chosen_];
    left_ = (width - tableWidth) / 2;
    right_ = (width + tableWidth) / 2;
  }

  // Draws the rows first..last (page height used) onto the cleared surface.
  const QImage& DrawPage(int first, int last, std::int64_t used) {
    surface_.fill(Qt::black);
    QPainter painter(&surface_);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    DrawLines(painter, first, last, used);
    for (int row = first; row <= last; ++row) {
      for (int col = 0; col < chosen_; ++col) DrawCell(painter, row, col, first, last);
    }
    return surface_;
  }

 private:
  static void Fill(QPainter& painter, std::int64_t l, std::int64_t t, std::int64_t r,
                   std::int64_t b, const QColor& color) {
    if (r <= l || b <= t) return;
    painter.fillRect(
        QRect(QPoint(Coordinate(l), Coordinate(t)), QPoint(Coordinate(r) - 1, Coordinate(b) - 1)),
        color);
  }

  // The outline (its right and bottom lines on the last pixel inside), then the lines
  // between the chosen columns and between the page's rows, without their end points.
  void DrawLines(QPainter& painter, int first, int last, std::int64_t used) {
    Fill(painter, left_, 0, right_, 1, line_);
    Fill(painter, left_, used - 1, right_, used, line_);
    Fill(painter, left_, 0, left_ + 1, used, line_);
    Fill(painter, right_ - 1, 0, right_, used, line_);
    for (int col = 1; col < chosen_; ++col) {
      const std::int64_t x = left_ + colLeft_[col];
      Fill(painter, x, 0, x + 1, used, line_);
    }
    for (int row = first + 1; row <= last; ++row) {
      const std::int64_t y = rowTop_[row] - rowTop_[first];
      Fill(painter, left_, y, right_, y + 1, line_);
    }
  }

  // A visible cell with its merged block: filled inside the grid lines (one pixel short
  // where it reaches the last chosen column or the page's last row), then its text.
  void DrawCell(QPainter& painter, int row, int col, int first, int last) {
    const TableFileCell& cell = table_.Cell(row, col);
    if (cell.visible == 0) return;
    const int lastRow = row + ClampExtra(cell.mergedRows, row, table_.Rows());
    const int lastCol = col + ClampExtra(cell.mergedCols, col, table_.Columns());
    const std::int64_t x = left_ + colLeft_[col];
    const std::int64_t y = rowTop_[row] - rowTop_[first];
    const std::int64_t right = left_ + colLeft_[lastCol + 1];
    const std::int64_t bottom = rowTop_[lastRow + 1] - rowTop_[first];
    const int a = lastCol >= chosen_ - 1 ? 1 : 0;
    const int b = lastRow >= last ? 1 : 0;
    Fill(painter, x + 1, y + 1, right - a, bottom - b,
         QColor::fromRgb(ColorRefToQRgb(cell.backColor)));
    if (cell.text.isEmpty()) return;
    const QRectF layout(Coordinate(x), Coordinate(y + 2), Coordinate(right - x + 3),
                        Coordinate(bottom - y - 1));
    const QFont font = CellFont(cell.font);
    // The text keeps a sixth of the em clear at either side of the layout rectangle, as
    // text drawing on Windows does, and is clipped inside the cell's grid lines, so that
    // no ink reaches the next row or column.
    const qreal padding = font.pixelSize() / 6.0;
    painter.save();
    painter.setClipRect(QRect(QPoint(Coordinate(x + 1), Coordinate(y + 1)),
                              QPoint(Coordinate(right - a) - 1, Coordinate(bottom - b) - 1)));
    painter.setFont(font);
    painter.setPen(QColor::fromRgb(ColorRefToQRgb(cell.textColor)));
    painter.drawText(layout.adjusted(padding, 0, -padding, 0),
                     static_cast<int>(TextAlignment(cell.format)) | Qt::TextWordWrap, cell.text);
    painter.restore();
  }

  const TableFile& table_;
  QColor line_;
  std::vector<std::int64_t> colLeft_;
  std::vector<std::int64_t> rowTop_;
  QImage surface_;
  int chosen_ = 0;
  std::int64_t left_ = 0;
  std::int64_t right_ = 0;
};

// Writes the pages of the table's rows: a row joins the page while the page's height
// holds it; a row that does not fit closes the page, or, on an empty page, is written
// as a page of its own.
[[nodiscard]] bool WritePages(const TableFile& table, TablePainter& painter, int height,
                              PakWriter& writer) {
  auto write = [&](int first, int last, std::int64_t used) {
    return writer.AppendFrame(Dib24::FromImage(painter.DrawPage(first, last, used)));
  };
  int first = 0;
  std::int64_t used = 0;
  for (int row = 0; row < table.Rows(); ++row) {
    const std::int64_t rowHeight = std::max<std::int32_t>(table.rowHeights[row], 0);
    if (used + rowHeight <= height) {
      used += rowHeight;
    } else if (row > first) {
      if (!write(first, row - 1, used)) return false;
      first = row;
      used = rowHeight;
    } else {
      if (!write(row, row, rowHeight)) return false;
      first = row + 1;
      used = 0;
    }
  }
  return first == table.Rows() || write(first, table.Rows() - 1, used);
}

}  // namespace

int RenderTablePak(const FileItem& item, int width, int height) {
  const QString name = ReadBoundedText(item.guid);
  const QString pakPath = PakFramePath(name);
  if (pakPath.isEmpty()) return 0;
  PakWriter writer;
  if (!writer.Open(pakPath, width, height, 0)) return 0;
  TableFile table;
  bool written = false;
  if (ReadTableFile(TableFilePath(name), &table) != TableRead::Ok || table.Rows() == 0 ||
      table.Columns() == 0) {
    written = writer.AppendFrame(Dib24(width, height));  // an empty table: one black frame
  } else {
    TablePainter painter(table, item.LineColor, width, height);
    written = WritePages(table, painter, height, writer);
  }
  return written && writer.Finish(width) ? writer.FramesWritten() : 0;
}
