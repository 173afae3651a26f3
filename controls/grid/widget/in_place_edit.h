#pragma once
// The box that opens over a cell while its text is edited: a multi-line plain-text
// editor without wrapping or scroll bars, with a one-pixel frame, the cell's alignment
// and the grid's font. It ends on focus loss, Tab, Esc, or a navigation key when it was
// not opened by the mouse (or with Ctrl); it then reports its text and the key that
// ended it to the grid (WM_NOTIFY -176 with its control id), closes and deletes itself.

#include <QFont>
#include <QPlainTextEdit>

#include "controls/grid/model/grid_cell.h"
#include "platform/window_handle.h"

class CInPlaceEdit : public QPlainTextEdit {
 public:
  // Opens over request.rect in `parent` (the grid's client area) and takes the focus.
  // The report goes to `owner`; the focus goes back to `grid` when a key ends the edit.
  CInPlaceEdit(QWidget* parent, QWidget* grid, HWND owner, const CellEditRequest& request,
               const QFont& font);

  // Reports the text and the last key to the owner, once, then closes; the box is
  // deleted when control returns to the event loop.
  void EndEdit();
  // Types a character as if it had been pressed.
  void TypeCharacter(int character);
  // The key that ended the edit: 9 Tab, 27 Esc, 33, 34, 37-40 navigation; 0 for a loss
  // of focus.
  int LastKey() const { return lastKey_; }

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void Start(int character, bool byKey);
  // Ends the edit with a key: the focus returns to the grid.
  void FinishWith(int key);
  // Widens the box to its text plus two spaces, up to the right edge of the parent.
  void Grow();

  QWidget* grid_;
  HWND owner_;
  int row_;
  int col_;
  int controlId_;
  QString initialText_;
  int lastKey_ = 0;
  bool exitOnNavigation_;
  bool ended_ = false;
};
