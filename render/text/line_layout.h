#pragma once
// Breaks the paragraphs of a rich-text document into lines of a width in pixels,
// measuring every character with MeasureCell in the format of its own text:
// - a line may end where the Unicode line-breaking rules allow (so CJK text breaks
//   between ideographs), at a line break (U+2028) and at the end of its paragraph;
// - spaces at the end of a line hang: they are part of the line but not of its fit;
// - a word wider than the width is broken at a character, at least one a line (a
//   right-to-left word, one cell, is not broken);
// - an empty paragraph is one line of length 0;
// - a picture wider than the line is measured at the line's width.
// Positions are those of the QTextDocument (UTF-16 units, one for each paragraph
// mark); a line's length holds neither its paragraph mark nor its line break.
//
// A row of a table (RichCellPlace) is one line from its first paragraph to its last:
// each cell spans the row's edges, in pixels at 96 dpi as the fonts are, less the
// row's gap either side; its paragraphs are broken into lines at its width and
// stacked from the row's top, a nested row among them placed inside the cell the same
// way. The row is as tall as its tallest cell. A cell the row's edges do not give is
// an inch wide.

#include <QTextDocument>

#include <vector>

#include "render/text/char_cell.h"

// One line of a table row's cell, placed from the row's top-left corner.
struct PlacedLine {
  int start = 0;
  int length = 0;
  int x = 0;      // the left edge of its cell's text
  int y = 0;      // its top
  int width = 0;  // the width of its cell's text, at least 1
  int height = 0;
};

struct TextLine {
  int start = 0;
  int length = 0;
  int height = 0;                  // its tallest cell's, a row's tallest cell's
  std::vector<PlacedLine> placed;  // the lines of a table row, else empty
};

std::vector<TextLine> LayOutLines(const QTextDocument& document, int width, CharMeasure& measure);
