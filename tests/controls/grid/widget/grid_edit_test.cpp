// Editing in place, by keys, the mouse and an input method; the edit commands on the
// clipboard; and drag and drop of cell texts within the grid.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPointer>

#include "controls/grid/widget/in_place_edit.h"
#include "controls/support/draw_text.h"
#include "tests/controls/grid/widget/grid_edit_fixture.h"
#include "tests/support/screenshot.h"

using namespace grid_test;

namespace {

// The text of the open editor and whether all of it is selected.
struct EditorState {
  QString text;
  int caret = -1;
  bool allSelected = false;
};

EditorState StateOf(QPlainTextEdit* editor) {
  if (editor == nullptr) return {};
  const QTextCursor cursor = editor->textCursor();
  return {editor->toPlainText(), cursor.position(),
          cursor.hasSelection() && cursor.selectedText() == editor->toPlainText()};
}

}  // namespace

TEST(GridEdit, HowAnEditStartsDecidesTheText) {
  EditFixture f;
  f.Focus(1, 1);
  QTest::keyClick(&f.grid, Qt::Key_X);
  EXPECT_EQ(StateOf(f.Editor()).text, QStringLiteral("x"));
  QTest::keyClick(f.Editor(), Qt::Key_Escape);
  EXPECT_EQ(f.Editor(), nullptr);
  EXPECT_EQ(f.grid.GetCellText(1, 1), QStringLiteral("1.1"));

  // A "%" is typed, not taken for a navigation key.
  QTest::keyClick(&f.grid, Qt::Key_Percent, Qt::NoModifier);
  EXPECT_EQ(StateOf(f.Editor()).text, QStringLiteral("%"));
  QTest::keyClick(f.Editor(), Qt::Key_Escape);

  QTest::keyClick(&f.grid, Qt::Key_Backspace);
  EXPECT_EQ(StateOf(f.Editor()).text, QStringLiteral("1."));
  QTest::keyClick(f.Editor(), Qt::Key_Escape);

  QTest::keyClick(&f.grid, Qt::Key_F2);
  EXPECT_EQ(StateOf(f.Editor()).text, QStringLiteral("1.1"));
  EXPECT_EQ(StateOf(f.Editor()).caret, 3);
  EXPECT_FALSE(StateOf(f.Editor()).allSelected);
  QTest::keyClick(f.Editor(), Qt::Key_Escape);

  // A space selects the text and types nothing, as does a read-only cell refuse.
  QTest::keyClick(&f.grid, Qt::Key_Space);
  EXPECT_TRUE(StateOf(f.Editor()).allSelected);
  QTest::keyClick(f.Editor(), Qt::Key_Escape);
  ASSERT_TRUE(f.grid.SetCellState(1, 1, f.grid.GetCellState(1, 1) | GVIS_READONLY));
  QTest::keyClick(&f.grid, Qt::Key_X);
  EXPECT_EQ(f.Editor(), nullptr);

  // Typing widens the box up to the grid's edge; a centred cell centres its text.
  f.Focus(2, 1);
  QTest::keyClick(&f.grid, Qt::Key_X);
  for (const QChar c : QStringLiteral("yz wider than the cell")) {
    QTest::keyClick(f.Editor(), c.toLatin1());
  }
  EXPECT_EQ(f.Editor()->geometry().left(), 60);
  EXPECT_GT(f.Editor()->width(), 120);
  EXPECT_LE(f.Editor()->geometry().right(), f.Viewport()->width() - 1);
  EXPECT_FALSE(SaveScreenshot(f.owner, QStringLiteral("grid_in_place_edit")).isEmpty());
  ASSERT_TRUE(f.grid.SetCellFormat(3, 3, DT_CENTER | DT_VCENTER | DT_SINGLELINE));
  f.Focus(3, 3);
  f.grid.BeginCellEdit(3, 3, QPoint(-1, -1), 1);
  EXPECT_EQ(f.grid.GetCellText(2, 1), QStringLiteral("xyz wider than the cell"));
  EXPECT_FALSE(SaveScreenshot(f.owner, QStringLiteral("grid_in_place_edit_centred")).isEmpty());
}

TEST(GridEdit, NavigationKeysMoveTheCaretOrEndTheEditAndOpenTheNextCell) {
  EditFixture f;
  f.Focus(1, 2);
  // Started by the mouse: Left moves the caret.
  f.Click(f.Centre(1, 2));
  ASSERT_NE(f.Editor(), nullptr);
  EXPECT_EQ(StateOf(f.Editor()).caret, 3);
  QTest::keyClick(f.Editor(), Qt::Key_Left);
  ASSERT_NE(f.Editor(), nullptr);
  EXPECT_EQ(StateOf(f.Editor()).caret, 2);
  QTest::keyClick(f.Editor(), Qt::Key_Escape);

  // Started by a key: Left ends it, the focus moves and the next cell opens selected.
  QTest::keyClick(&f.grid, Qt::Key_Y);
  QPointer<QPlainTextEdit> first = f.Editor();
  QTest::keyClick(first, Qt::Key_Left);
  EXPECT_EQ(f.grid.GetCellText(1, 2), QStringLiteral("y"));
  EXPECT_EQ(f.grid.GetFocusCell(), CCellID(1, 1));
  EXPECT_TRUE(StateOf(f.Editor()).allSelected);
  EXPECT_EQ(StateOf(f.Editor()).text, QStringLiteral("1.1"));
  // Tab ends it too, and the cell right of it opens.
  QTest::keyClick(f.Editor(), Qt::Key_Z);
  QTest::keyClick(f.Editor(), Qt::Key_Tab);
  EXPECT_EQ(f.grid.GetCellText(1, 1), QStringLiteral("z"));
  EXPECT_EQ(f.grid.GetFocusCell(), CCellID(1, 2));
  EXPECT_NE(f.Editor(), nullptr);
  QCoreApplication::processEvents();
  EXPECT_TRUE(first.isNull());  // the first box deleted itself
}

TEST(GridEdit, EndsOnceReportsChangesAndHonoursTheOwner) {
  EditFixture f;
  f.Focus(2, 2);
  // Esc: the text comes back and the key that ended the edit is 27.
  QTest::keyClick(&f.grid, Qt::Key_Q);
  QPointer<CInPlaceEdit> editor = dynamic_cast<CInPlaceEdit*>(f.Editor());
  QTest::keyClick(editor, Qt::Key_Escape);
  ASSERT_FALSE(editor.isNull());  // deleted once control returns to the event loop
  EXPECT_EQ(editor->LastKey(), 27);
  EXPECT_EQ(f.grid.GetCellText(2, 2), QStringLiteral("2.2"));
  EXPECT_EQ(f.owner.Count(GVN_ENDLABELEDIT), 0);  // unchanged: nothing reported

  // Its own context menu leaves it open; a loss of focus ends it exactly once.
  QTest::keyClick(&f.grid, Qt::Key_Q);
  editor = dynamic_cast<CInPlaceEdit*>(f.Editor());
  QFocusEvent popup(QEvent::FocusOut, Qt::PopupFocusReason);
  QCoreApplication::sendEvent(editor, &popup);
  EXPECT_EQ(f.Editor(), editor.data());
  const int reports = f.grid.editorReports;
  f.other.setFocus();
  QCoreApplication::processEvents();
  EXPECT_TRUE(editor.isNull());
  EXPECT_EQ(f.grid.editorReports, reports + 1);
  EXPECT_EQ(f.grid.GetCellText(2, 2), QStringLiteral("q"));
  EXPECT_EQ(f.owner.Count(GVN_ENDLABELEDIT), 1);
  EXPECT_TRUE(f.grid.GetCell(2, 2)->IsModified());
  EXPECT_FALSE(f.grid.GetCell(2, 2)->IsEditing());

  // The owner vetoes: -175 opens nothing, -176 puts the old text back.
  f.grid.setFocus();
  f.owner.veto = GVN_BEGINLABELEDIT;
  QTest::keyClick(&f.grid, Qt::Key_R);
  EXPECT_EQ(f.Editor(), nullptr);
  f.owner.veto = GVN_ENDLABELEDIT;
  QTest::keyClick(&f.grid, Qt::Key_R);
  QTest::keyClick(f.Editor(), Qt::Key_Tab);
  EXPECT_EQ(f.grid.GetCellText(2, 2), QStringLiteral("q"));
}

TEST(GridEdit, InputMethodTextOpensTheEditorWithIt) {
  EditFixture f;
  f.Focus(3, 1);
  QInputMethodEvent event;
  event.setCommitString(QStringLiteral("中文"));
  QCoreApplication::sendEvent(&f.grid, &event);
  EXPECT_EQ(StateOf(f.Editor()).text, QStringLiteral("中文"));
  QTest::keyClick(f.Editor(), Qt::Key_Tab);
  EXPECT_EQ(f.grid.GetCellText(3, 1), QStringLiteral("中文"));
}

TEST(GridEdit, CommandsCopyCutPasteClearAndTheirEnabling) {
  EditFixture f;
  QClipboard* clipboard = QGuiApplication::clipboard();
  f.Focus(1, 1);
  EXPECT_FALSE(f.grid.IsEditCommandEnabled(ID_EDIT_COPY));
  f.grid.SetSelectedRange(1, 1, 2, 2);
  EXPECT_TRUE(f.grid.IsEditCommandEnabled(ID_EDIT_CUT));
  QTest::keyClick(&f.grid, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(clipboard->text(), QStringLiteral("1.1\t1.2\n2.1\t2.2"));
  EXPECT_EQ(f.Editor(), nullptr);  // Ctrl+C types nothing

  // Paste through the command message goes to the selection's top-left cell.
  f.grid.SetSelectedRange(3, 2, 3, 2);
  SendMessage(f.grid.Handle(), WM_COMMAND, ID_EDIT_PASTE, 0);
  EXPECT_EQ(f.grid.GetCellText(3, 2) + f.grid.GetCellText(4, 3), QStringLiteral("1.12.2"));
  EXPECT_EQ(f.grid.GetSelectionBounds(), CCellBlock(3, 2, 4, 3));

  // Cut leaves the text on the clipboard and the cells empty; Delete empties too.
  QTest::keyClick(&f.grid, Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(clipboard->text(), QStringLiteral("1.1\t1.2\n2.1\t2.2"));
  EXPECT_EQ(f.grid.GetCellText(3, 2) + f.grid.GetCellText(4, 3), QString());
  f.grid.SetSelectedRange(5, 4, 5, 4);
  QTest::keyClick(&f.grid, Qt::Key_Delete);
  EXPECT_EQ(f.grid.GetCellText(5, 4), QString());

  ASSERT_TRUE(f.grid.SetCellState(1, 1, f.grid.GetCellState(1, 1) | GVIS_READONLY));
  EXPECT_FALSE(f.grid.IsEditCommandEnabled(ID_EDIT_PASTE));
  QTest::keyClick(&f.grid, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(f.grid.GetSelectionBounds(), CCellBlock(1, 1, 5, 4));
}

TEST(GridDragDrop, CtrlCopiesAndAMoveKeepsWhatTheDropWrote) {
  EditFixture f;
  f.grid.EnableDragAndDrop(true);
  QWidget* viewport = f.Viewport();
  Qt::DropAction proposed = Qt::IgnoreAction;
  bool highlighted = false;
  // Drags the data to a point and drops it there.
  auto dropAt = [&](const QMimeData& data, QPoint point, Qt::KeyboardModifiers keys) {
    const Qt::DropActions allowed = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(point, allowed, &data, Qt::LeftButton, keys);
    QCoreApplication::sendEvent(viewport, &enter);
    QDragMoveEvent move(point, allowed, &data, Qt::LeftButton, keys);
    QCoreApplication::sendEvent(viewport, &move);
    proposed = move.isAccepted() ? move.dropAction() : Qt::IgnoreAction;
    const CCellID cell = f.grid.GetCellFromPoint(point);
    highlighted = (f.grid.GetCellState(cell.row, cell.col) & GVIS_DROPHILITED) != 0;
    QDropEvent drop(point, allowed, &data, Qt::LeftButton, keys);
    QCoreApplication::sendEvent(viewport, &drop);
    return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
  };
  QMimeData text;
  text.setText(QStringLiteral("a\tb"));
  EXPECT_EQ(dropAt(text, f.Centre(4, 1), Qt::ControlModifier), Qt::CopyAction);
  EXPECT_EQ(proposed, Qt::CopyAction);
  EXPECT_TRUE(highlighted);
  EXPECT_EQ(f.grid.GetCellState(4, 1) & GVIS_DROPHILITED, 0u);
  EXPECT_EQ(f.grid.GetCellText(4, 1) + f.grid.GetCellText(4, 2), QStringLiteral("ab"));
  // Over a fixed cell nothing is offered.
  dropAt(text, f.Centre(0, 2), Qt::NoModifier);
  EXPECT_EQ(proposed, Qt::IgnoreAction);

  // Moving 1.1-2.2 one cell right and down: the overlap keeps the dropped text and only
  // the source cells the drop did not write are emptied.
  f.grid.dragHook = [&](const QMimeData& data) {
    return dropAt(data, f.Centre(2, 2), Qt::NoModifier);
  };
  f.grid.SetSelectedRange(1, 1, 2, 2);
  f.grid.StartCellDrag();
  EXPECT_EQ(proposed, Qt::MoveAction);
  EXPECT_EQ(f.owner.Count(GVN_BEGINDRAG), 1);
  EXPECT_EQ(f.grid.GetCellText(1, 1) + f.grid.GetCellText(1, 2) + f.grid.GetCellText(2, 1),
            QString());
  EXPECT_EQ(f.grid.GetCellText(2, 2) + f.grid.GetCellText(2, 3) + f.grid.GetCellText(3, 2) +
                f.grid.GetCellText(3, 3),
            QStringLiteral("1.11.22.12.2"));
  EXPECT_EQ(f.grid.GetMouseMode(), MOUSE_NOTHING);
}
