#include "controls/rich_edit/rich_edit_ex.h"

#include <QTextBlockFormat>
#include <QTextCursor>

#include <algorithm>

#include "render/text/rich_paragraph.h"
#include "render/text/rtf_reader.h"
#include "render/text/rtf_writer.h"
#include "render/text/text_bounds.h"

namespace {

// The range [start, end) as paragraphs: its runs in their formats, a paragraph for
// each mark in it, the last one open.
RichParagraphs ParagraphsOf(const RichText& content, int start, int end) {
  RichParagraphs paragraphs(1);
  paragraphs.back().format = content.ParaFormatAt(start);
  paragraphs.back().mark = content.CharFormatAt(start);
  for (const RichText::FormatSpan& span : content.FormatSpans(start, end)) {
    QString text = content.Text(span.start, span.end);
    if (text == u"\r") {  // a mark is a span of its own
      paragraphs.back().mark = span.format;
      paragraphs.push_back({{}, content.ParaFormatAt(span.end), span.format});
      continue;
    }
    text.replace(u'\v', kLineBreak);
    paragraphs.back().runs.push_back({text, span.format});
  }
  return paragraphs;
}

// Inserts paragraphs at the cursor as the Windows control pasted them: each pasted
// mark ends a paragraph in the pasted paragraph's format, and the text after the
// cursor keeps the paragraph it was in.
void InsertParagraphs(QTextCursor& cursor, const RichParagraphs& paragraphs) {
  const QTextBlockFormat tail = cursor.blockFormat();
  const QTextCharFormat tailMark = cursor.blockCharFormat();
  for (std::size_t i = 0; i < paragraphs.size(); ++i) {
    const RichParagraph& paragraph = paragraphs[i];
    for (const RichRun& run : paragraph.runs) {
      cursor.insertText(run.text, ToTextCharFormat(run.format));
    }
    if (i + 1 == paragraphs.size()) break;
    QTextBlockFormat block = tail;
    SetParaFormat(block, paragraph.format);
    SetMarkFormat(block, paragraph.mark);
    cursor.setBlockFormat(block);
    cursor.setBlockCharFormat(ToTextCharFormat(paragraph.mark));
    cursor.insertBlock(tail, tailMark);
  }
}

}  // namespace

CRichEditEx::CRichEditEx(QWidget* parent) : QTextEdit(parent) { setDocument(&content_.Document()); }

// The view lets go of the document before the RichText that owns it goes, telling no
// one: the owner of a control being destroyed is often half destroyed itself.
CRichEditEx::~CRichEditEx() {
  blockSignals(true);
  setDocument(nullptr);
}

int CRichEditEx::LoadRtfFile(const QString& path) { return content_.LoadRtfFile(path) ? 1 : 0; }

int CRichEditEx::SaveRtfFile(const QString& path) { return content_.SaveRtfFile(path) ? 1 : 0; }

void CRichEditEx::SetDefaultCharFormat(const RichCharFormat& format) {
  content_.SetBaseFormat(format);
}

void CRichEditEx::SetWindowText(const QString& text) { content_.SetText(text); }

void CRichEditEx::SetSel(int start, int end) {
  QTextCursor cursor = textCursor();
  if (start < 0) {
    cursor.clearSelection();
  } else {
    const auto [from, to] = content_.Range(start, end);
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
  }
  setTextCursor(cursor);
}

std::pair<int, int> CRichEditEx::GetSel() const {
  const QTextCursor cursor = textCursor();
  return {cursor.selectionStart(), cursor.selectionEnd()};
}

QString CRichEditEx::GetSelText() const {
  const auto [start, end] = GetSel();
  return content_.Text(start, end);
}

RichCharFormat CRichEditEx::GetSelectionCharFormat() const {
  const auto [start, end] = GetSel();
  if (start < end) return content_.CharFormatAt(start);
  return FromTextCharFormat(currentCharFormat(), content_.CharFormatAt(start));
}

void CRichEditEx::SetSelectionCharFormat(const RichCharFormat& format, unsigned mask) {
  const auto [start, end] = GetSel();
  if (start == end) {  // also the format of what is typed next
    RichCharFormat typed = GetSelectionCharFormat();
    MergeCharFormat(typed, format, mask);
    setCurrentCharFormat(ToTextCharFormat(typed));
  }
  content_.SetCharFormat(start, end, format, mask);
}

RichParaFormat CRichEditEx::GetParaFormat() const { return content_.ParaFormatAt(GetSel().first); }

void CRichEditEx::SetParaFormat(const RichParaFormat& format) {
  const auto [start, end] = GetSel();
  content_.SetParaFormat(start, end, format);
}

void CRichEditEx::SetRect(const QRect& rect) {
  rect_ = rect;
  rectSet_ = true;
  content_.SetFormattingWidth(rect.width());
  setLineWrapMode(QTextEdit::FixedPixelWidth);
  setLineWrapColumnOrWidth(rect.width());
}

int CRichEditEx::LineIndex(int line) {
  return content_.LineIndex(line < 0 ? LineFromChar(textCursor().position()) : line);
}

void CRichEditEx::resizeEvent(QResizeEvent* event) {
  QTextEdit::resizeEvent(event);
  if (!rectSet_) content_.SetFormattingWidth(viewport()->width());
}

QMimeData* CRichEditEx::createMimeDataFromSelection() const {
  const auto [start, end] = GetSel();
  auto* data = new QMimeData;
  QString text = content_.Text(start, end);
  text.replace(u'\r', u'\n');
  text.replace(u'\v', u'\n');
  data->setText(text);
  data->setData(QString::fromLatin1(kFragmentMimeType),
                WriteRtf(ParagraphsOf(content_, start, end)));
  return data;
}

bool CRichEditEx::canInsertFromMimeData(const QMimeData* source) const {
  return source->hasFormat(QString::fromLatin1(kFragmentMimeType)) || source->hasText();
}

void CRichEditEx::insertFromMimeData(const QMimeData* source) {
  const QString fragmentType = QString::fromLatin1(kFragmentMimeType);
  // Plain text takes the format where it goes, as typed text would.
  const QTextCharFormat typed = currentCharFormat();
  QTextCursor cursor = textCursor();
  cursor.beginEditBlock();
  cursor.removeSelectedText();
  // What the page cannot hold is not inserted, and long lines come broken.
  const qsizetype room = std::max<qsizetype>(0, kMaxRichTextUnits - content_.TextLength());
  bool cut = false;
  if (source->hasFormat(fragmentType)) {
    RichParagraphs paragraphs = ReadRtf(source->data(fragmentType), content_.BaseFormat());
    cut = BoundParagraphs(paragraphs, room);
    InsertParagraphs(cursor, paragraphs);
  } else if (source->hasText()) {
    QString text = source->text();
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(u'\r', u'\n');
    text.remove(QChar::ObjectReplacementCharacter);
    cursor.insertText(BoundedPlainText(text, room, &cut), typed);
  }
  cursor.endEditBlock();
  setTextCursor(cursor);
  ensureCursorVisible();
  if (cut && textCut) textCut();
}
