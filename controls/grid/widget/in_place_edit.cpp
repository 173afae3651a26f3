#include "controls/grid/widget/in_place_edit.h"

#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>

#include <algorithm>

#include "controls/grid/model/grid_records.h"
#include "controls/grid/widget/virtual_keys.h"
#include "controls/support/draw_text.h"
#include "platform/message_window.h"

CInPlaceEdit::CInPlaceEdit(QWidget* parent, QWidget* grid, HWND owner,
                           const CellEditRequest& request, const QFont& font)
    : QPlainTextEdit(parent),
      grid_(grid),
      owner_(owner),
      row_(request.row),
      col_(request.col),
      controlId_(request.controlId),
      initialText_(request.text),
      exitOnNavigation_(request.character != 1) {
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setFrameStyle(QFrame::Box | QFrame::Plain);
  setLineWidth(1);
  setFont(font);
  // The text sits right inside the frame, as in an edit control, so that it fits a row.
  document()->setDocumentMargin(1);
  QTextOption option = document()->defaultTextOption();
  option.setAlignment(request.alignment == DT_RIGHT    ? Qt::AlignRight
                      : request.alignment == DT_CENTER ? Qt::AlignHCenter
                                                       : Qt::AlignLeft);
  document()->setDefaultTextOption(option);
  setGeometry(request.rect.ToQRect());
  setPlainText(request.text);
  show();
  setFocus(Qt::OtherFocusReason);
  Start(request.character, request.byKey);
}

void CInPlaceEdit::Start(int character, bool byKey) {
  QTextCursor cursor = textCursor();
  cursor.movePosition(QTextCursor::End);
  if (character == 1 || character == VK_RETURN || character == VK_BACK) {
    if (character == VK_BACK) cursor.deletePreviousChar();
    setTextCursor(cursor);
    ensureCursorVisible();
    return;
  }
  selectAll();
  ensureCursorVisible();
  const bool selectOnly = character == 0 || character == VK_TAB || character == VK_SPACE ||
                          (byKey && IsNavigationKey(character));
  if (!selectOnly) TypeCharacter(character);
}

void CInPlaceEdit::TypeCharacter(int character) {
  const char32_t code = static_cast<char32_t>(character);
  insertPlainText(QString::fromUcs4(&code, 1));
  Grow();
}

bool CInPlaceEdit::event(QEvent* event) {
  // Alt with a character is swallowed while editing (keyPressEvent), so it may not
  // trigger a shortcut either.
  if (event->type() == QEvent::ShortcutOverride) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if ((key->modifiers() & Qt::AltModifier) != 0 && !key->text().isEmpty()) {
      event->accept();
      return true;
    }
  }
  return QPlainTextEdit::event(event);
}

void CInPlaceEdit::keyPressEvent(QKeyEvent* event) {
  const int key = VirtualKeyOf(event->key());
  const bool ctrl = (event->modifiers() & Qt::ControlModifier) != 0;
  if ((event->modifiers() & Qt::AltModifier) != 0 && !event->text().isEmpty()) return;
  if (key == VK_TAB) {
    FinishWith(VK_TAB);
  } else if (event->key() == Qt::Key_Escape) {
    setPlainText(initialText_);
    FinishWith(VK_ESCAPE);
  } else if (IsNavigationKey(key) && key != VK_HOME && key != VK_END &&
             (exitOnNavigation_ || ctrl)) {
    FinishWith(key);
  } else {
    QPlainTextEdit::keyPressEvent(event);
    if (!event->text().isEmpty()) Grow();
  }
}

void CInPlaceEdit::focusOutEvent(QFocusEvent* event) {
  QPlainTextEdit::focusOutEvent(event);
  // The editor's own context menu or an input-method pop-up leaves the edit open.
  if (event->reason() != Qt::PopupFocusReason) EndEdit();
}

void CInPlaceEdit::FinishWith(int key) {
  lastKey_ = key;
  grid_->setFocus(Qt::OtherFocusReason);
  // Without an active window the focus change reports nothing: end here in any case.
  EndEdit();
}

void CInPlaceEdit::EndEdit() {
  if (ended_) return;
  ended_ = true;
  GridDisplayInfo info;
  info.hdr.idFrom = static_cast<WPARAM>(controlId_);
  info.hdr.code = GVN_ENDLABELEDIT;
  info.item.mask = GVIF_TEXT | GVIF_PARAM;
  info.item.row = row_;
  info.item.col = col_;
  info.item.text = toPlainText();
  info.item.param = lastKey_;
  SendMessage(owner_, WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
  hide();
  deleteLater();
}

void CInPlaceEdit::Grow() {
  const QFontMetrics metrics(font());
  int widest = 0;
  for (const QString& line : toPlainText().split(u'\n')) {
    widest = std::max(widest, metrics.horizontalAdvance(line + QStringLiteral("  ")));
  }
  const int margins = 2 * (frameWidth() + static_cast<int>(document()->documentMargin()));
  const int wanted = widest + margins;
  if (wanted <= width()) return;
  const int right = std::min(x() + wanted, parentWidget()->width());
  setGeometry(x(), y(), std::max(right - x(), width()), height());
}
