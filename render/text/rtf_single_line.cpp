// The single-line renderer: the whole text as one line, either cut into pages of the
// area's width or drawn as one long strip cut into frames for continuous scrolling.
#include "render/text/rtf_single_line.h"

#include <algorithm>
#include <cstdint>

#include "render/text/char_walk.h"
#include "render/text/page_output.h"
#include "render/text/rtf_render.h"
#include "render/text/visual_order.h"

namespace {

// Room for a glyph's overhang beyond its cell: a frame draws the characters whose
// cells come this close to its columns, so the strip's frames join without a seam.
int Overhang(const std::vector<RtfCharCell>& cells) {
  int overhang = 0;
  for (const RtfCharCell& cell : cells) overhang = std::max(overhang, cell.CellHeight);
  return overhang;
}

// The frames of one strip of text width plus the gap: frame k shows the strip's
// columns from k x width. Only the characters near a frame are drawn, so a strip of
// any length needs the memory of one frame. A strip of more frames than the page
// limit is cut after the last frame it allows. The strip's width, or 0.
[[nodiscard]] int RenderStrip(const std::vector<RtfCharCell>& cells, int textWidth,
                              PageOutput& output, CellPainter& painter) {
  const RtfRenderInput& input = output.Input();
  std::int64_t strip = textWidth == 0 ? 4 : textWidth;
  if (!input.noGap) strip += input.width;
  const std::int64_t count =
      std::min<std::int64_t>((strip + input.width - 1) / input.width, output.MaxPages());
  // Fits an int: the limit keeps the frames, each at least 3 x width bytes, within
  // kMaxTextFrameFileBytes.
  strip = std::min(strip, count * input.width);
  const int overhang = Overhang(cells);
  auto endsAfter = [](const RtfCharCell& cell, std::int64_t x) { return cell.X + cell.Width <= x; };
  auto startsBefore = [](std::int64_t x, const RtfCharCell& cell) { return x <= cell.X; };
  for (std::int64_t k = 0; k < count; ++k) {
    const std::int64_t left = k * input.width;
    const std::int64_t right = left + input.width;
    painter.Fill(input.backColor);
    // Cells are in order of X, and so are their ends.
    const auto from = std::lower_bound(cells.begin(), cells.end(), left - overhang, endsAfter);
    const auto to = std::upper_bound(from, cells.end(), right + overhang, startsBefore);
    for (const CellRun& run : SplitRuns(cells, from - cells.begin(), to - cells.begin())) {
      painter.DrawRun(cells, run, static_cast<int>(-left),
                      (input.height - cells[run.first].CellHeight) / 2);
    }
    const int columns = static_cast<int>(std::min<std::int64_t>(input.width, strip - left));
    if (!output.AppendPage(output.Zoom(), columns)) return 0;
  }
  const int lastExtent = static_cast<int>(strip - (count - 1) * input.width);
  return output.Finish(lastExtent) ? static_cast<int>(strip) : 0;
}

// Pages filled greedily in the order of the text: a character that would pass the
// page's width closes the page before it, or, alone on its page, a page of its own,
// up to the page limit; each page shows its characters in visual order. The pages,
// or 0.
[[nodiscard]] int RenderLinePages(std::vector<RtfCharCell>& cells, PageOutput& output,
                                  CellPainter& painter, VisualOrder& order) {
  const RtfRenderInput& input = output.Input();
  int pos = 0;  // of the page's first character in the text
  auto writePage = [&](std::size_t first, std::size_t last) {
    order.Order(pos, cells, first, last);
    for (std::size_t i = first; i < last; ++i) pos += CellLength(cells[i]);
    painter.Fill(input.backColor);
    DrawSingleLinePage(painter, cells, first, last, input.width, input.height);
    return output.AppendPage(output.Zoom(), input.width);
  };
  std::size_t first = 0;
  for (std::size_t i = 0; i < cells.size() && !output.Full(); ++i) {
    if (std::int64_t{cells[i].X} + cells[i].Width - cells[first].X <= input.width) continue;
    const std::size_t last = i > first ? i : i + 1;
    if (!writePage(first, last)) return 0;
    first = last;
  }
  if (first < cells.size() && !output.Full() && !writePage(first, cells.size())) return 0;
  const bool vertical = input.effect == kEffectMoveUp || input.effect == kEffectMoveDown;
  const int frames = output.Frames();
  return output.Finish(vertical ? input.height : input.width) ? frames : 0;
}

}  // namespace

void DrawSingleLinePage(CellPainter& painter, const std::vector<RtfCharCell>& cells,
                        std::size_t first, std::size_t last, int width, int height) {
  if (first >= last) return;
  const int textWidth = cells[last - 1].X + cells[last - 1].Width - cells[first].X;
  const int dx = (width - textWidth) / 2 - cells[first].X;
  for (const CellRun& run : SplitRuns(cells, first, last)) {
    painter.DrawRun(cells, run, dx, (height - cells[run.first].CellHeight) / 2);
  }
}

int RenderRtfSingleLine(const QString& rtfPath, const QString& pakPath, RichText* richEdit,
                        const RtfRenderInput& input, bool* pageLimit) {
  PageOutput output(input, pageLimit);
  if (!output.Start(rtfPath, pakPath, richEdit)) return 0;
  if (richEdit->TextLength() == 0) richEdit->SetText(QStringLiteral(" "));
  std::vector<RtfCharCell> cells;
  if (!WalkCells(*richEdit, 0, richEdit->TextLength(), WalkKind::kSingleLine, cells)) return 0;
  CellPainter painter(output.Surface(), richEdit->Measure());
  VisualOrder order(*richEdit);
  if (!input.continuous) return RenderLinePages(cells, output, painter, order);
  order.Order(0, cells, 0, cells.size());
  return RenderStrip(cells, CellsEnd(cells), output, painter);
}
