// The page renderers: the lines of the rich text, as it breaks them at the area's
// width, placed one below the other by their paragraphs' alignment and spacing and
// cut into pages of the area's height. A table row is one line, its cells' lines
// aligned in their cells; what passes the area's right edge is cut there.
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

// Cells drawn together: a whole line, or one line of a table row's cell.
struct Piece {
  std::vector<RtfCharCell> cells;
  int x = 0;       // where the cells start: the alignment in their box
  int bottom = 0;  // from the line's top
};

struct Line {
  std::vector<Piece> pieces;
  int height = 0;
  float spacing = 0;  // line heights added below the line
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
    const TextLine& text = text_.Lines()[index];
    if (!text.placed.empty()) {
      for (const PlacedLine& placed : text.placed) {
        Piece& piece = line.pieces.emplace_back();
        if (!WalkPiece(placed.start, placed.length, placed.width, placed.width, piece)) {
          return false;
        }
        piece.x += placed.x;
        piece.bottom = placed.y + placed.height;
      }
      line.height = text.height;
      return true;
    }
    Piece& piece = line.pieces.emplace_back();
    if (!WalkPiece(text.start, text.length, input_.width, text_.FormattingWidth(), piece)) {
      return false;
    }
    for (const RtfCharCell& cell : piece.cells) {
      line.height = std::max(line.height, cell.CellHeight);
    }
    piece.bottom = line.height;
    const RichParaFormat paragraph = text_.ParaFormatAt(text.start);
    if (paragraph.lineSpacingRule == kSpacingTwentieths) {
      line.spacing = std::max(0.0f, (paragraph.lineSpacing - 20) / 20.0f);
    }
    return true;
  }

  // The cells of [start, start + length) in the order they show, aligned by their
  // paragraph in a box of width; a picture is no wider than the lines were broken at,
  // limit.
  [[nodiscard]] bool WalkPiece(int start, int length, int width, int limit, Piece& piece) {
    if (length == 0) {
      piece.cells.push_back(WalkMark(text_, start));
    } else if (!WalkCells(text_, start, start + length, WalkKind::kPage, piece.cells, limit)) {
      return false;
    }
    order_.Order(start, piece.cells, 0, piece.cells.size());
    for (RtfCharCell& cell : piece.cells) {
      if (kind_ == PageKind::kNoEffect && cell.Color == 0) cell.Color = 0xFFFFFF;
    }
    const int used = length == 0 ? 0 : CellsEnd(piece.cells);
    const RichAlign align = text_.ParaFormatAt(start).align;
    if (align == RichAlign::kRight) piece.x = width - used;
    if (align == RichAlign::kCenter) piece.x = (width - used) / 2;
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
    const int top = bottom - line.height;
    for (const Piece& piece : line.pieces) {
      for (const CellRun& run : SplitRuns(piece.cells, 0, piece.cells.size())) {
        painter_.DrawRun(piece.cells, run, piece.x,
                         top + piece.bottom - piece.cells[run.first].CellHeight);
      }
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
