#pragma once
// Breaks the paragraphs of a rich-text document into lines of a width in pixels,
// measuring every character with MeasureCell in the format of its own text:
// - a line may end where the Unicode line-breaking rules allow (so CJK text breaks
//   between ideographs), at a line break (U+2028) and at the end of its paragraph;
// - spaces at the end of a line hang: they are part of the line but not of its fit;
// - a word wider than the width is broken at a character, at least one a line (a
//   right-to-left word, one cell, is not broken);
// - an empty paragraph is one line of length 0.
// Positions are those of the QTextDocument (UTF-16 units, one for each paragraph
// mark); a line's length holds neither its paragraph mark nor its line break.

#include <QTextDocument>

#include <vector>

#include "render/text/char_cell.h"

struct TextLine {
  int start = 0;
  int length = 0;
};

std::vector<TextLine> LayOutLines(const QTextDocument& document, int width, CharMeasure& measure);
