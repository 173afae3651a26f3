#pragma once
// Rich text as the RTF reader produces it and the writer takes it: paragraphs of
// runs, each paragraph with its format and the format of its paragraph mark, and
// the bridge to and from a QTextDocument.

#include <QString>
#include <QTextDocument>

#include <vector>

#include "render/text/rich_format.h"

// Inside a paragraph's text, a line break that is not a paragraph mark (RTF \line).
constexpr QChar kLineBreak = QChar::LineSeparator;

struct RichRun {
  QString text;  // no paragraph marks; kLineBreak and '\t' may occur
  RichCharFormat format;

  bool operator==(const RichRun&) const = default;
};

struct RichParagraph {
  std::vector<RichRun> runs;
  RichParaFormat format;
  RichCharFormat mark;      // the format in effect at the paragraph's mark
  RichCellPlace cell = {};  // where the paragraph stands in a table

  bool operator==(const RichParagraph&) const = default;
};

using RichParagraphs = std::vector<RichParagraph>;

// Replaces the whole content of document with paragraphs (one empty paragraph in
// the mark format of defaults when there are none) and clears its undo history.
// The document gets each drawn picture as an image resource, so that an editor
// shows it.
void SetDocumentParagraphs(QTextDocument& document, const RichParagraphs& paragraphs);
// The content of document; runs of equal format are merged.
RichParagraphs DocumentParagraphs(const QTextDocument& document);
