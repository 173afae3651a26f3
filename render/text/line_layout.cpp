#include "render/text/line_layout.h"

#include <QTextBlock>
#include <QTextBoundaryFinder>

#include "render/text/rich_paragraph.h"

namespace {

// One cell of a paragraph: a code point, or a right-to-left word (CellUnits).
struct Item {
  int offset;   // in the paragraph's text
  int units;    // UTF-16 units
  int advance;  // 0 for a tab, whose width depends on its place
  bool tab;
  bool space;  // hangs at the end of a line
  bool breakBefore;
};

// Breaks items [begin, end) of one paragraph segment (text between line breaks)
// into lines, appended to lines with positions from base.
void BreakSegment(const std::vector<Item>& items, int begin, int end, int segmentStart,
                  int segmentEnd, int base, int width, std::vector<TextLine>& lines) {
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
      lines.push_back({base + startOf(lineStart), startOf(next) - startOf(lineStart)});
      lineStart = i = next;
      lastBreak = -1;
      x = 0;
      continue;
    }
    x += advance;
    ++i;
  }
  const int from = lineStart < end ? items[lineStart].offset : segmentStart;
  lines.push_back({base + from, segmentEnd - from});
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
      const int advance = tab ? 0 : measure.MeasureCell(format, character, 0).Width;
      items.push_back({offset + i, units, advance, tab, c == u' ', breakAt[offset + i]});
      i += units;
    }
  }
  // Segments end at line breaks, which belong to no line.
  int begin = 0;
  int segmentStart = 0;
  for (int i = 0; i <= static_cast<int>(items.size()); ++i) {
    const bool atEnd = i == static_cast<int>(items.size());
    if (!atEnd && text[items[i].offset] != kLineBreak) continue;
    const int segmentEnd = atEnd ? static_cast<int>(text.size()) : items[i].offset;
    BreakSegment(items, begin, i, segmentStart, segmentEnd, block.position(), width, lines);
    begin = i + 1;
    segmentStart = segmentEnd + 1;
  }
}

}  // namespace

std::vector<TextLine> LayOutLines(const QTextDocument& document, int width, CharMeasure& measure) {
  std::vector<TextLine> lines;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    BreakParagraph(block, width, measure, lines);
  }
  return lines;
}
