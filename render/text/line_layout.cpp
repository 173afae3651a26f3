#include "render/text/line_layout.h"

#include <QTextBlock>
#include <QTextBoundaryFinder>

#include <algorithm>
#include <cstdint>
#include <memory>

#include "render/raster/gdi_text.h"
#include "render/text/rich_paragraph.h"

namespace {

// Rows and cells are kept within this many pixels, however many lines they hold.
constexpr std::int64_t kMaxExtent = 1 << 30;
constexpr int kDefaultCellTwips = 1440;

// One cell of a paragraph: a code point, or a right-to-left word (CellUnits).
struct Item {
  int offset;   // in the paragraph's text
  int units;    // UTF-16 units
  int advance;  // 0 for a tab, whose width depends on its place
  int height;
  bool tab;
  bool space;  // hangs at the end of a line
  bool breakBefore;
};

int MaxHeight(const std::vector<Item>& items, int begin, int end, int empty) {
  if (begin >= end) return empty;
  int height = 0;
  for (int i = begin; i < end; ++i) height = std::max(height, items[i].height);
  return height;
}

// Breaks items [begin, end) of one paragraph segment (text between line breaks)
// into lines, appended to lines with positions from base; an empty line is as tall
// as the paragraph's mark.
void BreakSegment(const std::vector<Item>& items, int begin, int end, int segmentStart,
                  int segmentEnd, int base, int width, int markHeight,
                  std::vector<TextLine>& lines) {
  int lineStart = begin;
  int lastBreak = -1;  // the latest item a line may start at, after lineStart
  qint64 x = 0;        // a long paragraph at a huge width may pass an int
  auto startOf = [&](int i) { return i < end ? items[i].offset : segmentEnd; };
  for (int i = begin; i < end;) {
    const Item& item = items[i];
    if (i > lineStart && item.breakBefore) lastBreak = i;
    const qint64 advance = item.tab ? kTabStepPixels - x % kTabStepPixels : item.advance;
    if (!item.space && i > lineStart && x + advance > width) {
      const int next = lastBreak > lineStart ? lastBreak : i;  // else break the word
      lines.push_back({base + startOf(lineStart),
                       startOf(next) - startOf(lineStart),
                       MaxHeight(items, lineStart, next, markHeight),
                       {}});
      lineStart = i = next;
      lastBreak = -1;
      x = 0;
      continue;
    }
    x += advance;
    ++i;
  }
  const int from = lineStart < end ? items[lineStart].offset : segmentStart;
  lines.push_back(
      {base + from, segmentEnd - from, MaxHeight(items, lineStart, end, markHeight), {}});
}

void BreakParagraph(const QTextBlock& block, int width, CharMeasure& measure,
                    std::vector<TextLine>& lines) {
  const QString text = block.text();
  std::vector<bool> breakAt(text.size() + 1, false);
  QTextBoundaryFinder finder(QTextBoundaryFinder::Line, text);
  for (qsizetype at = finder.toNextBoundary(); at >= 0; at = finder.toNextBoundary()) {
    breakAt[at] = true;
  }
  std::vector<Item> items;
  items.reserve(text.size());
  const RichCharFormat blockFormat = FromTextCharFormat(block.charFormat());
  for (auto it = block.begin(); !it.atEnd(); ++it) {
    const QTextFragment fragment = it.fragment();
    const RichCharFormat format = FromTextCharFormat(fragment.charFormat(), blockFormat);
    const int offset = fragment.position() - block.position();
    const QString part = fragment.text();
    for (int i = 0; i < part.size();) {
      const int units = CellUnits(QStringView(part).mid(i));
      const QStringView character = QStringView(part).mid(i, units);
      const QChar c = part[i];
      const bool tab = c == u'\t';
      const RtfCharCell cell = measure.MeasureCell(format, character, 0, width);
      items.push_back({offset + i, units, tab ? 0 : cell.Width, cell.CellHeight, tab, c == u' ',
                       breakAt[offset + i]});
      i += units;
    }
  }
  const int markHeight =
      measure.MeasureCell(MarkFormatOf(block.blockFormat(), blockFormat), u"\r", 0).CellHeight;
  // Segments end at line breaks, which belong to no line.
  int begin = 0;
  int segmentStart = 0;
  for (int i = 0; i <= static_cast<int>(items.size()); ++i) {
    const bool atEnd = i == static_cast<int>(items.size());
    if (!atEnd && text[items[i].offset] != kLineBreak) continue;
    const int segmentEnd = atEnd ? static_cast<int>(text.size()) : items[i].offset;
    BreakSegment(items, begin, i, segmentStart, segmentEnd, block.position(), width, markHeight,
                 lines);
    begin = i + 1;
    segmentStart = segmentEnd + 1;
  }
}

struct Block {
  QTextBlock block;
  RichCellPlace place;
};

// A table row as its paragraphs give it: cells of paragraphs and nested rows.
struct Row;
struct CellItem {
  const QTextBlock* block = nullptr;
  std::unique_ptr<Row> row;
};
struct Row {
  std::vector<std::vector<CellItem>> cells;
  const RichRowFormat* format = nullptr;  // none when the row's end is missing
};

// The row at depth whose first paragraph is blocks[i]; i moves past it. A row ends
// with the paragraph that carries its format, or before a paragraph outside it.
std::unique_ptr<Row> ReadRow(const std::vector<Block>& blocks, std::size_t& i, int depth) {
  auto row = std::make_unique<Row>();
  while (i < blocks.size() && blocks[i].place.depth >= depth && !row->format) {
    std::vector<CellItem>& cell = row->cells.emplace_back();
    while (i < blocks.size() && blocks[i].place.depth >= depth) {
      if (blocks[i].place.depth > depth) {
        cell.push_back({nullptr, ReadRow(blocks, i, depth + 1)});
        continue;
      }
      const RichCellPlace& place = blocks[i].place;
      cell.push_back({&blocks[i++].block, nullptr});
      if (place.rowEnd) row->format = &*place.rowEnd;
      if (place.cellEnd || place.rowEnd) break;
    }
  }
  return row;
}

int Pixels(std::int64_t twips) {
  return static_cast<int>(std::clamp(twips * kLogPixelsY / 1440, -kMaxExtent, kMaxExtent));
}

// Places the lines of row with its origin at (x, y); its height.
std::int64_t PlaceRow(const Row& row, int x, std::int64_t y, CharMeasure& measure,
                      std::vector<PlacedLine>& placed) {
  const RichRowFormat none;
  const RichRowFormat& format = row.format ? *row.format : none;
  std::int64_t left = format.left;
  std::int64_t height = 0;
  std::vector<TextLine> lines;
  for (std::size_t k = 0; k < row.cells.size(); ++k) {
    const std::int64_t right = k < format.edges.size() ? format.edges[k] : left + kDefaultCellTwips;
    const int textLeft = x + Pixels(left + format.gap);
    const int width = std::max(1, x + Pixels(right - format.gap) - textLeft);
    std::int64_t cellY = y;
    for (const CellItem& item : row.cells[k]) {
      if (item.row) {
        cellY = std::min(cellY + PlaceRow(*item.row, textLeft, cellY, measure, placed), kMaxExtent);
        continue;
      }
      lines.clear();
      BreakParagraph(*item.block, width, measure, lines);
      for (const TextLine& line : lines) {
        placed.push_back(
            {line.start, line.length, textLeft, static_cast<int>(cellY), width, line.height});
        cellY = std::min(cellY + line.height, kMaxExtent);
      }
    }
    height = std::max(height, cellY - y);
    left = right;
  }
  return height;
}

}  // namespace

std::vector<TextLine> LayOutLines(const QTextDocument& document, int width, CharMeasure& measure) {
  std::vector<Block> blocks;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    blocks.push_back({block, CellPlaceOf(block.blockFormat())});
  }
  std::vector<TextLine> lines;
  for (std::size_t i = 0; i < blocks.size();) {
    if (blocks[i].place.depth == 0) {
      BreakParagraph(blocks[i++].block, width, measure, lines);
      continue;
    }
    TextLine row;
    row.start = blocks[i].block.position();
    const std::unique_ptr<Row> cells = ReadRow(blocks, i, 1);
    const QTextBlock& last = blocks[i - 1].block;
    row.length = last.position() + last.length() - 1 - row.start;
    row.height = static_cast<int>(PlaceRow(*cells, 0, 0, measure, row.placed));
    lines.push_back(std::move(row));
  }
  return lines;
}
