#pragma once
// Rich text as the rich-edit control holds it, without a widget: the document, its
// RTF files, the formats of characters, paragraph marks and paragraphs, and the
// lines it breaks into at its formatting width. The renderers read it; the rich-edit
// widget shows and edits its document.
//
// Positions count UTF-16 units from 0. Each paragraph but the last ends in a mark
// that counts one unit; the last paragraph's mark is at TextLength() and counts
// none. Ranges are [start, end); -1 as end means the end of the text. No range
// splits a surrogate pair.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QTextDocument>

#include <memory>
#include <utility>
#include <vector>

#include "render/text/char_cell.h"
#include "render/text/line_layout.h"
#include "render/text/rich_format.h"

class RichText {
 public:
  RichText();
  ~RichText();
  RichText(const RichText&) = delete;
  RichText& operator=(const RichText&) = delete;

  QTextDocument& Document() { return *document_; }
  const QTextDocument& Document() const { return *document_; }

  // The format of text that has none of its own: plain text, new text, an empty
  // document.
  void SetBaseFormat(const RichCharFormat& format) { base_ = format; }
  const RichCharFormat& BaseFormat() const { return base_; }

  // Replaces the content with the file's (RTF, or plain text). False, with the
  // content unchanged, when the file cannot be read.
  [[nodiscard]] bool LoadRtfFile(const QString& path);
  // Writes the content as RTF, atomically. False when anything fails; the file at
  // path is then as it was.
  [[nodiscard]] bool SaveRtfFile(const QString& path) const;
  void SetRtf(QByteArrayView rtf);
  QByteArray Rtf() const;
  // Whether the last LoadRtfFile, SetRtf or SetText left text out: past
  // kMaxRichTextUnits (text_bounds.h) no page keeps it.
  bool Cut() const { return cut_; }

  int TextLength() const;
  // Replaces the content with text; "\r", "\n" or "\r\n" separate paragraphs. The
  // text takes the format of the first character.
  void SetText(const QString& text);
  // The text of the range with "\r" for each paragraph mark and "\v" for each line
  // break.
  QString Text(int start, int end) const;
  // The range clamped to the text with neither end inside a surrogate pair.
  std::pair<int, int> Range(int start, int end) const;

  // The format of the character at pos; at a paragraph mark, the mark's format.
  RichCharFormat CharFormatAt(int pos) const;
  // The formats of the range's characters and paragraph marks as CharFormatAt gives
  // them, as spans in text order, one per stretch of text that keeps its format.
  struct FormatSpan {
    int start;
    int end;
    RichCharFormat format;
  };
  std::vector<FormatSpan> FormatSpans(int start, int end) const;
  // Sets the fields of format that mask names on the characters and paragraph marks
  // of the range; the last paragraph's mark when the range reaches the end.
  void SetCharFormat(int start, int end, const RichCharFormat& format, unsigned mask);
  RichParaFormat ParaFormatAt(int pos) const;
  RichCellPlace CellPlaceAt(int pos) const;
  // Sets the format of every paragraph the range touches.
  void SetParaFormat(int start, int end, const RichParaFormat& format);

  // The width in pixels lines are broken at.
  void SetFormattingWidth(int width);
  int FormattingWidth() const { return width_; }
  int LineCount();
  // The position of the line's first character; -1 for no such line.
  int LineIndex(int line);
  // The line that holds pos (a line holds its paragraph mark).
  int LineFromChar(int pos);
  // The length of the line that holds pos, without its mark or line break.
  int LineLength(int pos);

  // The lines at the formatting width, a table row's cells placed in its line.
  const std::vector<TextLine>& Lines();

  // The measure of the lines, for the renderers to measure the same way.
  CharMeasure& Measure() { return measure_; }

 private:
  std::unique_ptr<QTextDocument> document_;
  RichCharFormat base_;
  CharMeasure measure_;
  int width_ = 1;
  std::vector<TextLine> lines_;
  bool linesValid_ = false;
  bool cut_ = false;
};
