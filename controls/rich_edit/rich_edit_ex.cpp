#include "controls/rich_edit/rich_edit_ex.h"

#include <QTextCursor>

CRichEditEx::CRichEditEx(QWidget* parent) : QTextEdit(parent) { setDocument(&content_.Document()); }

// The view lets go of the document before the RichText that owns it goes.
CRichEditEx::~CRichEditEx() { setDocument(nullptr); }

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
