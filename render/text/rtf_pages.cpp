// The page renderers: the lines of the rich text, as it breaks them at the area's
// width, placed one below the other by their paragraphs' alignment and spacing and
// cut into pages of the area's height.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "render/text/cell_painter.h"
#include "render/text/char_walk.h"
#include "render/text/page_output.h"
#include "render/text/rtf_render.h"
#include "render/text/visual_order.h"

namespace {

enum class PageKind {
  kEffect,    // every page
  kNoEffect,  // the first page only, black text white
};

// Where a page's rows start when nothing centres them.
constexpr int kNotCentred = -1;

struct Line {
  std::vector<RtfCharCell> cells;
  int height = 0;
  float spacing = 0;  // line heights added below the line
  int x = 0;          // where the line starts: its alignment
};

class PageRenderer {
 public:
  PageRenderer(RichText& text, PageOutput& output, PageKind kind)
      : text_(text),
        output_(output),
        input_(output.Input()),
        kind_(kind),
        painter_(output.Surface(), text.Measure()),
        order_(text) {}

  // Draws and appends the pages. False when a frame cannot be written.
  [[nodiscard]] bool Run() {
    painter_.Fill(input_.backColor);
    const int lineCount = text_.LineCount();
    for (int index = 0; index < lineCount && !Done(); ++index) {
      Line line;
      if (!Walk(index, line)) return false;
      if (!Place(line)) return false;
    }
    return linesOnPage_ == 0 || Done() || WritePage(y_);
  }

 private:
  // The first page of kNoEffect, or as many pages as the limit allows.
  bool Done() const {
    return output_.Full() || (kind_ == PageKind::kNoEffect && output_.Frames() > 0);
  }

  [[nodiscard]] bool Walk(int index, Line& line) {
    const int start = text_.LineIndex(index);
    const int length = text_.LineLength(start);
    if (length == 0) {
      line.cells.push_back(WalkMark(text_, start));
    } else if (!WalkCells(text_, start, start + length, WalkKind::kPage, line.cells)) {
      return false;
    }
    order_.Order(start, line.cells, 0, line.cells.size());
    int width = 0;
    for (RtfCharCell& cell : line.cells) {
      line.height = std::max(line.height, cell.CellHeight);
      if (kind_ == PageKind::kNoEffect && cell.Color == 0) cell.Color = 0xFFFFFF;
    }
    if (length != 0) width = CellsEnd(line.cells);
    const RichParaFormat paragraph = text_.ParaFormatAt(start);
    if (paragraph.lineSpacingRule == kSpacingTwentieths) {
      line.spacing = std::max(0.0f, (paragraph.lineSpacing - 20) / 20.0f);
    }
    if (paragraph.align == RichAlign::kRight) line.x = input_.width - width;
    if (paragraph.align == RichAlign::kCenter) line.x = (input_.width - width) / 2;
    return true;
  }

  // Draws the line on the current page, or closes the page first when it does not
  // fit; a line taller than a page gets a page of its own, cut at its bottom.
  [[nodiscard]] bool Place(const Line& line) {
    const std::int64_t bottom = std::int64_t{y_} + line.height;
    if (bottom <= input_.height) {
      Draw(line, static_cast<int>(bottom));
      ++linesOnPage_;
      // In single precision, as the factor is kept; truncated.
      const float next = line.height * line.spacing + static_cast<float>(bottom);
      y_ = next < kMaxWalkWidth ? static_cast<int>(next) : kMaxWalkWidth;
      return true;
    }
    if (linesOnPage_ > 0) {
      if (!WritePage(y_)) return false;
      return Done() || Place(line);
    }
    Draw(line, line.height);
    return WritePage(kNotCentred);
  }

  void Draw(const Line& line, int bottom) {
    for (const CellRun& run : SplitRuns(line.cells, 0, line.cells.size())) {
      painter_.DrawRun(line.cells, run, line.x, bottom - line.cells[run.first].CellHeight);
    }
  }

  // Appends the page whose lines reach down to used (kNotCentred: not centred) and
  // starts the next.
  [[nodiscard]] bool WritePage(int used) {
    int top = output_.Zoom();
    if (input_.verticalCentre && used != kNotCentred) top -= (input_.height - used) / 2;
    if (!output_.AppendPage(top, input_.width)) return false;
    painter_.Fill(input_.backColor);
    linesOnPage_ = 0;
    y_ = 0;
    return true;
  }

  RichText& text_;
  PageOutput& output_;
  const RtfRenderInput& input_;
  PageKind kind_;
  CellPainter painter_;
  VisualOrder order_;
  int y_ = 0;
  int linesOnPage_ = 0;
};

[[nodiscard]] int RenderPages(const QString& rtfPath, const QString& pakPath, RichText* richEdit,
                              const RtfRenderInput& input, PageKind kind, bool* pageLimit) {
  PageOutput output(input, pageLimit);
  if (!output.Start(rtfPath, pakPath, richEdit)) return 0;
  if (!PageRenderer(*richEdit, output, kind).Run()) return 0;
  const bool vertical = input.effect == kEffectMoveUp || input.effect == kEffectMoveDown;
  const int lastExtent = kind == PageKind::kEffect && vertical ? input.height : input.width;
  const int frames = output.Frames();
  return output.Finish(lastExtent) ? frames : 0;
}

}  // namespace

int RenderRtfPages(const QString& rtfPath, const QString& pakPath, RichText* richEdit,
                   const RtfRenderInput& input, bool* pageLimit) {
  return RenderPages(rtfPath, pakPath, richEdit, input, PageKind::kEffect, pageLimit);
}

int RenderRtfPagesNoEffect(const QString& rtfPath, const QString& pakPath, RichText* richEdit,
                           const RtfRenderInput& input, bool* pageLimit) {
  return RenderPages(rtfPath, pakPath, richEdit, input, PageKind::kNoEffect, pageLimit);
}
