#pragma once
// The program's rich-edit control: a QTextEdit that shows and edits the document of
// its RichText, loads and saves it as RTF files, and answers the queries of the
// renderers and editors in the Windows control's terms (positions in UTF-16 units,
// "\r" for a paragraph mark, lines as the formatting width breaks them). The
// selection is the widget's own.
//
// Copy, cut and drag give the selection as plain text and as an RTF fragment of the
// program's own type; paste and drop insert such a fragment with its formats and
// anything else as plain text in the current format. Pictures, tables and other
// objects, which the RTF files cannot keep, are never inserted.

#include <QMimeData>
#include <QRect>
#include <QString>
#include <QTextEdit>

#include <functional>
#include <utility>

#include "render/text/rich_text.h"

class CRichEditEx : public QTextEdit {
 public:
  // The clipboard type of a fragment copied from a rich-edit control: RTF.
  static constexpr const char* kFragmentMimeType = "application/x-quendra-rich-text";

  explicit CRichEditEx(QWidget* parent = nullptr);
  ~CRichEditEx() override;

  RichText& Content() { return content_; }
  // Called after a paste or drop that left text out: past kMaxRichTextUnits
  // (text_bounds.h) no page keeps it. May be empty.
  std::function<void()> textCut;

  // Replaces the content with the file's. 1, or 0 with the content unchanged when
  // the file cannot be read.
  [[nodiscard]] int LoadRtfFile(const QString& path);
  // Writes the content to a temporary file and renames it into place. 1, or 0 when
  // anything failed; the file at path is then as it was.
  [[nodiscard]] int SaveRtfFile(const QString& path);

  // The format of text that has none: plain text and an empty document.
  void SetDefaultCharFormat(const RichCharFormat& format);
  int GetTextLength() const { return content_.TextLength(); }
  // Replaces the content with text in the format of its first character.
  void SetWindowText(const QString& text);

  // Selects [start, end); end -1 is the end of the text, start -1 removes the
  // selection. Neither end splits a surrogate pair.
  void SetSel(int start, int end);
  std::pair<int, int> GetSel() const;
  QString GetSelText() const;
  // The format of the selection's first character, or where text would be typed.
  RichCharFormat GetSelectionCharFormat() const;
  void SetSelectionCharFormat(const RichCharFormat& format, unsigned mask);
  // The format of the paragraph where the selection starts; the set applies to
  // every paragraph the selection touches.
  RichParaFormat GetParaFormat() const;
  void SetParaFormat(const RichParaFormat& format);

  // The formatting rectangle: its width is where lines break, in the line queries
  // and in the view. Until it is set, lines break at the view's width.
  void SetRect(const QRect& rect);
  QRect GetRect() const { return rect_; }
  int GetLineCount() { return content_.LineCount(); }
  // The first position of the line; -1 for the caret's line.
  int LineIndex(int line = -1);
  // The length of the line holding pos, without its paragraph mark.
  int LineLength(int pos) { return content_.LineLength(pos); }
  int LineFromChar(int pos) { return content_.LineFromChar(pos); }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  QMimeData* createMimeDataFromSelection() const override;
  bool canInsertFromMimeData(const QMimeData* source) const override;
  void insertFromMimeData(const QMimeData* source) override;

 private:
  RichText content_;
  QRect rect_;
  bool rectSet_ = false;
};
