#include "render/text/visual_order.h"

#include <QTextBlock>
#include <QTextDocument>

#include <unicode/ubidi.h>

#include <iterator>
#include <utility>

#include "render/text/char_walk.h"

namespace {

struct BidiDeleter {
  void operator()(UBiDi* bidi) const { ubidi_close(bidi); }
};
using BidiPtr = std::unique_ptr<UBiDi, BidiDeleter>;

// Whether text holds a character that the bidirectional algorithm may show right to
// left: a right-to-left letter or an explicit right-to-left embedding or isolate.
bool HoldsRightToLeft(const QString& text) {
  for (const char32_t code : text.toUcs4()) {
    switch (QChar::direction(code)) {
      case QChar::DirR:
      case QChar::DirAL:
      case QChar::DirRLE:
      case QChar::DirRLO:
      case QChar::DirRLI: return true;
      default: break;
    }
  }
  return false;
}

// A single character shown right to left takes its mirrored form: "(" shows as ")".
// A right-to-left word is shaped whole, which mirrors what it holds.
void Mirror(RtfCharCell& cell) {
  if (cell.Text.size() == 1) cell.Text = QString(cell.Text.front().mirroredChar());
}

}  // namespace

struct VisualOrder::Bidi {
  BidiPtr paragraph{ubidi_open()};
  BidiPtr line{ubidi_open()};
};

VisualOrder::VisualOrder(const RichText& text) : text_(text), bidi_(std::make_unique<Bidi>()) {}

VisualOrder::~VisualOrder() = default;

void VisualOrder::Order(int pos, std::vector<RtfCharCell>& cells, std::size_t first,
                        std::size_t last) {
  if (first >= last) return;
  const int left = cells[first].X;
  bool moved = false;
  for (std::size_t i = first; i < last;) {
    const QTextBlock block = text_.Document().findBlock(pos);
    if (!block.isValid()) break;  // cells past the text: no paragraph to order
    const int mark = block.position() + block.length() - 1;
    std::size_t end = i;
    int at = pos;
    while (end < last && at < mark) at += CellLength(cells[end++]);
    if (end > i) {
      if (Prepare(block.blockNumber())) {
        moved = OrderLine(pos - block.position(), at - pos, cells, i, end) || moved;
      }
    } else {
      at += CellLength(cells[end++]);  // the paragraph mark keeps its place
    }
    i = end;
    pos = at;
  }
  if (!moved) return;
  int x = left;
  for (std::size_t i = first; i < last; ++i) {
    cells[i].X = x;
    x += cells[i].Width;
  }
}

// Readies the paragraph of blockNumber; false when it holds no right-to-left text, or
// when ICU cannot take it (it then shows in the order of its text).
bool VisualOrder::Prepare(int blockNumber) {
  if (blockNumber == blockNumber_) return rightToLeft_;
  blockNumber_ = blockNumber;
  paragraph_ = text_.Document().findBlockByNumber(blockNumber).text();
  rightToLeft_ = bidi_->paragraph && bidi_->line && HoldsRightToLeft(paragraph_);
  if (!rightToLeft_) return false;
  UErrorCode error = U_ZERO_ERROR;
  ubidi_setPara(bidi_->paragraph.get(), reinterpret_cast<const UChar*>(paragraph_.utf16()),
                static_cast<int32_t>(paragraph_.size()), UBIDI_DEFAULT_LTR, nullptr, &error);
  rightToLeft_ = U_SUCCESS(error);
  return rightToLeft_;
}

// Reorders cells [first, last), which stand for length units of the prepared
// paragraph from offset, by the levels the algorithm gives that line. False when ICU
// cannot give them.
bool VisualOrder::OrderLine(int offset, int length, std::vector<RtfCharCell>& cells,
                            std::size_t first, std::size_t last) {
  UErrorCode error = U_ZERO_ERROR;
  ubidi_setLine(bidi_->paragraph.get(), offset, offset + length, bidi_->line.get(), &error);
  const UBiDiLevel* levels = ubidi_getLevels(bidi_->line.get(), &error);
  if (U_FAILURE(error)) return false;
  const std::size_t count = last - first;
  std::vector<UBiDiLevel> cellLevels(count);
  int at = 0;
  for (std::size_t i = 0; i < count; ++i) {
    cellLevels[i] = levels[at];  // a cell's units share a level: a word is of one script
    at += CellLength(cells[first + i]);
  }
  std::vector<int32_t> logical(count);  // by visual index
  ubidi_reorderVisual(cellLevels.data(), static_cast<int32_t>(count), logical.data());
  std::vector<RtfCharCell> visual;
  visual.reserve(count);
  for (const int32_t index : logical) {
    visual.push_back(std::move(cells[first + static_cast<std::size_t>(index)]));
    if (cellLevels[static_cast<std::size_t>(index)] & 1) Mirror(visual.back());
  }
  std::move(visual.begin(), visual.end(), cells.begin() + static_cast<std::ptrdiff_t>(first));
  return true;
}
