#pragma once
// A grid in an owner window for the editing and mouse tests: 6 rows of 20 pixels and 5
// columns of 60, one fixed row and column, cell texts "row.col", DejaVu Sans at 12
// pixels; the owner records the grid's notifications and commands and can veto.

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

#include "controls/grid/widget/grid_ctrl.h"
#include "tests/controls/grid/fixed_palette.h"

namespace grid_test {

struct Notice {
  int code;
  CCellID cell;
};

class EditOwner : public QWidget, public MessageWindow {
 public:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == WM_COMMAND) commands.push_back(LowWord(wParam));
    if (msg != WM_NOTIFY) return 0;
    const auto* notify = reinterpret_cast<const GridNotify*>(lParam);
    notices.push_back({notify->hdr.code, CCellID(notify->row, notify->col)});
    return notify->hdr.code == veto ? -1 : 0;
  }
  int Count(int code) const {
    int n = 0;
    for (const Notice& notice : notices) n += notice.code == code ? 1 : 0;
    return n;
  }

  std::vector<Notice> notices;
  std::vector<int> commands;
  int veto = 0;  // a code answered -1
};

// A grid whose drags run through a hook (offscreen, a real drag ends at once).
// It also counts the reports of its in-place editors.
class TestGrid : public CGridCtrl {
 public:
  std::function<Qt::DropAction(const QMimeData&)> dragHook;
  int editorReports = 0;

  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == WM_NOTIFY && wParam == kEditorId) ++editorReports;
    return CGridCtrl::WindowProc(msg, wParam, lParam);
  }

 protected:
  Qt::DropAction DoDragDrop(std::unique_ptr<QMimeData> data) override {
    return dragHook ? dragHook(*data) : CGridCtrl::DoDragDrop(std::move(data));
  }
};

struct EditFixture {
  EditFixture() {
    owner.resize(400, 220);
    EXPECT_TRUE(grid.Create(QRect(10, 10, 322, 142), &owner));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(12);
    grid.SetFont(font);
    EXPECT_TRUE(grid.SetRowCount(6));
    EXPECT_TRUE(grid.SetColumnCount(5));
    EXPECT_TRUE(grid.SetFixedRowCount(1));
    EXPECT_TRUE(grid.SetFixedColumnCount(1));
    for (int row = 0; row < 6; ++row) {
      EXPECT_TRUE(grid.SetRowHeight(row, 20));
      for (int col = 0; col < 5; ++col)
        grid.SetCellText(row, col, QStringLiteral("%1.%2").arg(row).arg(col));
    }
    for (int col = 0; col < 5; ++col) EXPECT_TRUE(grid.SetColumnWidth(col, 60));
    other.setGeometry(10, 180, 100, 24);
    owner.show();
    owner.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&owner));
    grid.setFocus();
  }

  QWidget* Viewport() { return grid.viewport(); }
  // The middle of a cell in client coordinates.
  QPoint Centre(int row, int col) {
    PixelRect rect;
    EXPECT_TRUE(grid.GetCellRect(row, col, &rect));
    return QPoint((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  }
  void Click(QPoint point, Qt::KeyboardModifiers keys = Qt::NoModifier) {
    QTest::mouseClick(Viewport(), Qt::LeftButton, keys, point);
  }
  void Focus(int row, int col) {
    grid.SetSelectionStartCell(CCellID(row, col));
    grid.SetFocusCell(row, col);
  }
  QPlainTextEdit* Editor() { return dynamic_cast<QPlainTextEdit*>(grid.GetEditor()); }

  FixedPalette palette;
  EditOwner owner;
  TestGrid grid;
  QLineEdit other{&owner};  // somewhere else for the focus to go
};

}  // namespace grid_test
