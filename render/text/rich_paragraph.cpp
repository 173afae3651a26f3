#include "render/text/rich_paragraph.h"

#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QUrl>

namespace {

QTextBlockFormat BlockFormat(const RichParagraph& paragraph) {
  QTextBlockFormat block;
  SetParaFormat(block, paragraph.format);
  SetMarkFormat(block, paragraph.mark);
  SetCellPlace(block, paragraph.cell);
  return block;
}

void AddPictureResource(QTextDocument& document, const RichCharFormat& format) {
  if (!format.picture || format.picture->data.isEmpty()) return;
  const QUrl name(PictureName(*format.picture));
  if (document.resource(QTextDocument::ImageResource, name).isValid()) return;
  document.addResource(QTextDocument::ImageResource, name, QImage::fromData(format.picture->data));
}

}  // namespace

void SetDocumentParagraphs(QTextDocument& document, const RichParagraphs& paragraphs) {
  const bool undo = document.isUndoRedoEnabled();
  document.setUndoRedoEnabled(false);
  document.clear();
  QTextCursor cursor(&document);
  cursor.beginEditBlock();
  const RichParagraphs empty(paragraphs.empty() ? 1 : 0);
  bool first = true;
  for (const RichParagraph& paragraph : paragraphs.empty() ? empty : paragraphs) {
    const QTextCharFormat mark = ToTextCharFormat(paragraph.mark);
    if (first) {
      cursor.setBlockFormat(BlockFormat(paragraph));
      cursor.setBlockCharFormat(mark);
      first = false;
    } else {
      cursor.insertBlock(BlockFormat(paragraph), mark);
    }
    for (const RichRun& run : paragraph.runs) {
      AddPictureResource(document, run.format);
      cursor.insertText(run.text, ToTextCharFormat(run.format));
    }
  }
  cursor.endEditBlock();
  document.setUndoRedoEnabled(undo);
}

RichParagraphs DocumentParagraphs(const QTextDocument& document) {
  RichParagraphs paragraphs;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    RichParagraph paragraph;
    const QTextBlockFormat blockFormat = block.blockFormat();
    paragraph.format = ParaFormatOf(blockFormat);
    paragraph.cell = CellPlaceOf(blockFormat);
    const RichCharFormat blockChar = FromTextCharFormat(block.charFormat());
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      const RichCharFormat format = FromTextCharFormat(fragment.charFormat(), blockChar);
      if (!paragraph.runs.empty() && paragraph.runs.back().format == format) {
        paragraph.runs.back().text += fragment.text();
      } else {
        paragraph.runs.push_back({fragment.text(), format});
      }
    }
    paragraph.mark = MarkFormatOf(
        blockFormat, paragraph.runs.empty() ? blockChar : paragraph.runs.back().format);
    paragraphs.push_back(std::move(paragraph));
  }
  return paragraphs;
}
