#pragma once
// The text a grid exchanges through the clipboard and drag and drop: the fields of a
// range of cells joined by "\t" and the rows by "\n" (no "\r", no closing zero), and
// pasted text split back into the fields of lines.

#include <QString>
#include <QStringList>

#include <vector>

#include "controls/grid/model/cell_id.h"

// The text of a range: for each row for which rowShown holds, the columns for which
// colShown holds, each appending its field through field(row, column, text); a "\t"
// follows every such column but the range's last, a "\n" every such row but the
// range's last.
template <typename RowShown, typename ColShown, typename Field>
QString JoinClipboardText(const CCellBlock& range, RowShown rowShown, ColShown colShown,
                          Field field) {
  QString text;
  for (int row = range.minRow; row <= range.maxRow; ++row) {
    if (!rowShown(row)) continue;
    for (int col = range.minCol; col <= range.maxCol; ++col) {
      if (!colShown(col)) continue;
      field(row, col, text);
      if (col != range.maxCol) text += u'\t';
    }
    if (row != range.maxRow) text += u'\n';
  }
  return text;
}

// The lines of pasted text, each a list of fields trimmed of white space at both ends
// (a "\r" before the "\n" goes with it). Fields are split at tabs when the text holds
// one, else at commas, so that a copied cell "1,5" pastes back whole. A last field left
// empty is dropped: an empty line has no fields, and "a\t" writes one.
std::vector<QStringList> SplitClipboardText(const QString& text);
