#include "render/text/char_walk.h"

#include <QStringView>

bool WalkCells(RichText& text, int start, int end, WalkKind kind, std::vector<RtfCharCell>& cells,
               int widthLimit) {
  cells.clear();
  const QString characters = text.Text(start, end);
  const auto [from, to] = text.Range(start, end);
  const std::vector<RichText::FormatSpan> spans = text.FormatSpans(from, to);
  CharMeasure& measure = text.Measure();
  cells.reserve(static_cast<std::size_t>(characters.size()));
  std::size_t span = 0;
  int x = 0;
  for (int i = 0; i < characters.size();) {
    while (span + 1 < spans.size() && spans[span].end <= from + i) ++span;
    // A cell never reaches past its format's span, as in the line layout.
    const int inSpan = spans.at(span).end - from - i;
    const int units = CellUnits(QStringView(characters).mid(i, inSpan > 0 ? inSpan : 1));
    QStringView character = QStringView(characters).mid(i, units);
    if (kind == WalkKind::kSingleLine && character == u"\r") {
      const RichCellPlace place = text.CellPlaceAt(from + i);
      if (place.cellEnd && !place.rowEnd) character = u"\t";
    }
    RtfCharCell cell = measure.MeasureCell(spans.at(span).format, character, x, widthLimit);
    if (kind == WalkKind::kSingleLine && cell.Text.isEmpty() && !cell.Picture) {
      cell.CellHeight = 0;
    }
    if (cell.Width > kMaxWalkWidth - x) return false;
    x += cell.Width;
    cells.push_back(std::move(cell));
    i += units;
  }
  return true;
}

RtfCharCell WalkMark(RichText& text, int pos) {
  return text.Measure().MeasureCell(text.CharFormatAt(pos), u"\r", 0);
}

int CellsEnd(const std::vector<RtfCharCell>& cells) {
  return cells.empty() ? 0 : cells.back().X + cells.back().Width;
}

int CellLength(const RtfCharCell& cell) {
  return cell.Text.isEmpty() ? 1 : static_cast<int>(cell.Text.size());
}

std::vector<CellRun> SplitRuns(const std::vector<RtfCharCell>& cells, std::size_t first,
                               std::size_t last) {
  std::vector<CellRun> runs;
  for (std::size_t i = first; i < last; ++i) {
    const bool joins = !runs.empty() && !cells[i].Text.isEmpty() && !cells[i - 1].Text.isEmpty() &&
                       IsSameCharFormat(cells[i - 1], cells[i]);
    if (joins) {
      runs.back().last = i + 1;
    } else {
      runs.push_back({i, i + 1});
    }
  }
  return runs;
}
