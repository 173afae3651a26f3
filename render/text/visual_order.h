#pragma once
// The order in which the cells of a line show. Where a paragraph holds right-to-left
// text, its cells are ordered by the Unicode bidirectional algorithm (ICU's, as Qt's
// text layout orders text): the paragraph takes the direction of its first strong
// character, right-to-left words and the spaces between them run from right to left,
// numbers and left-to-right words inside them keep their own order. Paragraphs
// without right-to-left text keep the order and places of their cells.

#include <QString>

#include <cstddef>
#include <memory>
#include <vector>

#include "render/text/char_cell.h"
#include "render/text/rich_text.h"

class VisualOrder {
 public:
  // Orders cells of text's walks; text must not change while the order lives.
  explicit VisualOrder(const RichText& text);
  ~VisualOrder();
  VisualOrder(const VisualOrder&) = delete;
  VisualOrder& operator=(const VisualOrder&) = delete;

  // Puts cells [first, last) of a walk in the order they show, when cells[first]
  // stands at position pos of the text: each paragraph's cells by themselves, its
  // paragraph mark after them; then places them one after the other from the X of
  // cells[first]. A bracket or other mirrored character that shows right to left
  // takes its mirrored form.
  void Order(int pos, std::vector<RtfCharCell>& cells, std::size_t first, std::size_t last);

 private:
  struct Bidi;
  bool Prepare(int blockNumber);
  bool OrderLine(int offset, int length, std::vector<RtfCharCell>& cells, std::size_t first,
                 std::size_t last);

  const RichText& text_;
  int blockNumber_ = -1;  // the paragraph bidi_ holds
  bool rightToLeft_ = false;
  QString paragraph_;  // its text, which ICU reads
  std::unique_ptr<Bidi> bidi_;
};
