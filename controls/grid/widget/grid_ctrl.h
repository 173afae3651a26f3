#pragma once
// The grid control: a scroll area whose viewport paints a GridModel, and a message
// window, so that owners address it by handle and receive its WM_NOTIFY messages.
// The viewport is the client area without scroll bars; its scroll bars hold the pixel
// positions of the non-fixed area. Qt's backing store double-buffers every paint.

#include <QAbstractScrollArea>
#include <QFont>
#include <QMimeData>
#include <QPixmap>
#include <QRect>
#include <QTimer>

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>
#include <set>
#include <utility>

#include "controls/grid/model/grid_model.h"
#include "controls/grid/model/grid_print_layout.h"
#include "controls/grid/widget/grid_drop_target.h"
#include "controls/grid/widget/title_tip.h"
#include "controls/grid/widget/virtual_keys.h"
#include "platform/message_window.h"

// Scroll requests of a scroll bar (a bar's line, page, thumb and end requests).
constexpr int SB_LINEUP = 0;
constexpr int SB_LINEDOWN = 1;
constexpr int SB_PAGEUP = 2;
constexpr int SB_PAGEDOWN = 3;
constexpr int SB_THUMBPOSITION = 4;
constexpr int SB_THUMBTRACK = 5;
constexpr int SB_TOP = 6;
constexpr int SB_BOTTOM = 7;
constexpr int SB_ENDSCROLL = 8;

// The edit commands (WM_COMMAND ids of menus and keys).
constexpr int ID_EDIT_COPY = 57634;
constexpr int ID_EDIT_CUT = 57635;
constexpr int ID_EDIT_PASTE = 57637;
constexpr int ID_EDIT_SELECT_ALL = 57642;

class CGridCtrl : public QAbstractScrollArea, public GridModel, public MessageWindow {
 public:
  // The control id Create gives the window.
  static constexpr int kControlId = 100;
  // The control id of the in-place editor.
  static constexpr int kEditorId = 8;
  // Scroll-bar state bits.
  static constexpr std::uint32_t kHorzBarShown = 0x01;
  static constexpr std::uint32_t kVertBarShown = 0x02;

  explicit CGridCtrl(QWidget* parent = nullptr);
  ~CGridCtrl() override;

  // Places the window in the parent with control id 100 and shows it, then gives every
  // row the normal default cell's height and every column its width.
  [[nodiscard]] bool Create(const QRect& rect, QWidget* parent);

  int GetDlgCtrlID() const { return controlId_; }
  void SetDlgCtrlID(int id) { controlId_ = id; }
  // The window notifications go to; without one (or when it has gone) the nearest
  // ancestor that is a MessageWindow.
  void SetOwner(HWND owner) { owner_ = owner; }
  HWND GetOwner() const { return owner_; }

  std::uint32_t GetScrollBarState() const { return scrollBarState_; }
  int GetVertScrollRange() const { return vertScrollRange_; }
  int GetHorzScrollRange() const { return horzScrollRange_; }

  // Recomputes the scroll bars from the grid's size and the client area.
  void UpdateScrollBars() override;
  // Moves a bar's thumb to a position (pixels of the non-fixed area).
  void SetScrollPosition(Qt::Orientation bar, int position);
  // Handles a scroll request (SB_*) for a bar: lines are whole rows or columns, pages
  // the client extent less the fixed cells.
  void OnScroll(Qt::Orientation bar, int request);
  // Scrolls until the cell is in view.
  void EnsureVisible(int row, int col);
  void EnsureVisible(const CCellID& cell) { EnsureVisible(cell.row, cell.col); }

  // Handles a key press (a virtual-key number): moves the focus, selects with Shift and
  // scrolls. True when the key also goes to default processing.
  bool OnKeyDown(int key, Qt::KeyboardModifiers modifiers);
  // One tick of the auto-scroll while a mouse selection is outside the window.
  void OnAutoScrollTimer();
  void StartAutoScroll() { autoScrollTimer_.start(); }
  void StopAutoScroll() { autoScrollTimer_.stop(); }
  bool IsAutoScrolling() const { return autoScrollTimer_.isActive(); }
  // The mouse capture went to another window (null: to none): the auto-scroll and a
  // drag end.
  void OnCaptureChanged(const QWidget* gaining);

  // The font of the four default cells.
  void SetFont(const QFont& font);
  QFont GetFont() const;

  // The edit commands (ID_EDIT_*) and the end of an in-place edit (WM_NOTIFY -176 from
  // kEditorId).
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  // --- Mouse (grid_mouse.cpp) ---
  bool GetRowResize() const { return allowRowResize_; }
  void SetRowResize(bool on) { allowRowResize_ = on; }
  bool GetColumnResize() const { return allowColumnResize_; }
  void SetColumnResize(bool on) { allowColumnResize_ = on; }
  // Whether dragging a divider may make a column or row 0 pixels wide (else 1 at
  // least), and whether it may open a hidden one again.
  bool GetColumnsSizeToZero() const { return columnsSizeToZero_; }
  void SetColumnsSizeToZero(bool on) { columnsSizeToZero_ = on; }
  bool GetRowsSizeToZero() const { return rowsSizeToZero_; }
  void SetRowsSizeToZero(bool on) { rowsSizeToZero_ = on; }
  bool GetHiddenColumnsUnhide() const { return hiddenColumnsUnhide_; }
  void SetHiddenColumnsUnhide(bool on) { hiddenColumnsUnhide_ = on; }
  bool GetHiddenRowsUnhide() const { return hiddenRowsUnhide_; }
  void SetHiddenRowsUnhide(bool on) { hiddenRowsUnhide_ = on; }
  // Scrolls by a wheel turn (angle units, 120 a notch, up positive): per notch the
  // wheel setting's lines or a page; less than a notch waits for the next turn the same
  // way.
  void OnMouseWheel(int delta);
  // The point relative to the cell's top-left corner; (0, 0) without a cell origin.
  QPoint GetPointInCell(int row, int col, QPoint point);
  // A left click on a cell of a fixed row or fixed column: sorting and header
  // selection.
  virtual void ClickFixedRow(const CCellID& cell);
  virtual void ClickFixedColumn(const CCellID& cell);
  // The cell under a client point (fixed cells included); a point outside the client
  // area counts at the nearest visible cell.
  CCellID CellAtMousePoint(QPoint point);
  // The cell the left button last went down on.
  CCellID GetLeftClickDownCell() const { return leftClickDownCell_; }

  // --- Editing (grid_edit.cpp) ---
  // Opens the in-place editor on a cell (when editable and the owner does not veto
  // -175), scrolling it into view; the start is a character or the mouse (1), or with
  // byKey a navigation key passed on after an edit (CellEditRequest).
  virtual void BeginCellEdit(int row, int col, QPoint point, int character, bool byKey = false);
  // The open editor, null when none is open.
  QWidget* GetEditor() const;
  // A picture of the focus cell, and its size; null without a focus cell.
  QPixmap CreateDragImage(QSize* size);
  CTitleTip& GetTitleTip() { return titleTip_; }

  // --- Clipboard and drag and drop (grid_edit.cpp) ---
  void OnEditCut();
  void OnEditCopy();
  void OnEditPaste();
  void OnEditSelectAll();
  // Whether an edit command (ID_EDIT_*) can run now.
  bool IsEditCommandEnabled(int command) const;
  // Drags the selection out as text (drag and drop allowed only); after a move the
  // dragged cells that the drop did not write are emptied.
  void StartCellDrag();
  Qt::DropAction OnDragEnter(const QMimeData* data, Qt::KeyboardModifiers keys, QPoint point);
  Qt::DropAction OnDragOver(const QMimeData* data, Qt::KeyboardModifiers keys, QPoint point);
  void OnDragLeave();
  bool OnDrop(const QMimeData* data, Qt::DropAction effect, QPoint point);
  CGridDropTarget& GetDropTarget() { return dropTarget_; }

  // --- Printing: the steps of a print job over a printer's page painter ---
  // Cells print their colours (else black text and no fill).
  bool GetPrintColors() const { return printColors_; }
  void SetPrintColors(bool on) { printColors_ = on; }
  // Printed at three quarters of the screen's size over as many pages across as it
  // needs, instead of scaled to the page's width.
  bool GetProportionalPrinting() const { return proportionalPrinting_; }
  void SetProportionalPrinting(bool on) { proportionalPrinting_ = on; }
  // Makes the print font, measures its average character on the printer, lays the
  // logical page out and counts the pages; info's last page becomes their number and
  // its current page 1.
  virtual void OnBeginPrinting(const GridPrintTarget& dc, PrintInfo* info);
  // Prints info's current page: header, the fixed rows and columns that head it, its
  // band of cells, white below the last row, footer.
  virtual void OnPrint(const GridPrintTarget& dc, PrintInfo* info);
  // Deletes the print font.
  virtual void OnEndPrinting(const GridPrintTarget& dc, PrintInfo* info);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  bool event(QEvent* event) override;
  bool viewportEvent(QEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dragLeaveEvent(QDragLeaveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

  // Runs the drag of the data with copy and move allowed; the action the drop took.
  virtual Qt::DropAction DoDragDrop(std::unique_ptr<QMimeData> data);
  QObject* OpenCellEditor(const CellEditRequest& request) override;
  void EndCellEditor(QObject* editor) override;
  void SendCharToEditor(QObject* editor, int character) override;

  bool HasWindow() const override { return true; }
  PixelRect GetClientRect() const override;
  int GetHorzScrollPos() const override;
  int GetVertScrollPos() const override;
  void InvalidateRect(const PixelRect& rect) override;
  void InvalidateAll() override;
  void RepaintRect(const PixelRect& rect) override;
  void ShowWaitCursor(bool show) override;
  LRESULT NotifyOwner(NMHDR* header) override;
  void ReportOutOfMemory() override;

 protected:
  // The pieces of a printed page, in the page's logical units with the painter's
  // origin where OnPrint puts it.
  virtual void PrintColumnHeadings(const GridPrintTarget& dc, PrintInfo* info);
  virtual void PrintHeader(const GridPrintTarget& dc, PrintInfo* info);
  virtual void PrintFooter(const GridPrintTarget& dc, PrintInfo* info);
  virtual void PrintRowHeadings(const GridPrintTarget& dc, PrintInfo* info);
  // Prints the cells of columns firstCol..endCol - 1 of the row, rect carrying the
  // running width in its right edge and the row's top and bottom; stops at a column
  // that would pass the available width (the page band's first column excepted, which
  // is printed cut at the edge).
  virtual void PrintRowCells(int firstCol, int endCol, int row, PixelRect& rect,
                             const GridPrintTarget& dc, PrintInfo* info);

 private:
  // Prints one cell at its place in the row: a merged block over the block's size.
  void PrintCellAt(const GridPrintTarget& dc, int row, int col, const PixelRect& rect);
  // The width of a printed page between its margins.
  int PrintWidth() const;
  // Draws the texts (each with its alignment) on one line in the bold print font, and a
  // line across the rectangle at ruleY: the header's and the footer's look.
  void PrintTitleTexts(QPainter& painter, const PixelRect& rect,
                       std::initializer_list<std::pair<QString, std::uint32_t>> texts,
                       int ruleY) const;
  // The text of the nearest ancestor window with a title.
  QString AncestorTitle() const;
  // The window a notification goes to, null when there is none.
  HWND Receiver() const;
  void ShowBar(Qt::Orientation orientation, bool show, int range, int page);
  QScrollBar* Bar(Qt::Orientation orientation) const;
  // The position a scroll request moves a bar to from its present position.
  int ScrollTarget(Qt::Orientation orientation, int request);
  // A user action on a bar: its line, page and end steps become the grid's own.
  void OnBarAction(Qt::Orientation orientation, int action);
  // Runs a scroll request; true when the position changed.
  bool ScrollStep(Qt::Orientation orientation, int request);
  // The next row or column from `from` towards `limit` (included) with a size above 0;
  // `from` when there is none.
  int NextShown(bool rows, int from, int limit) const;
  // The cell a navigation key moves the focus to; sets wrapped for a Tab that went to
  // another row and defaultProcessing for a key the grid does not use up.
  CCellID KeyTarget(int key, bool shift, bool ctrl, bool* wrapped, bool* defaultProcessing);
  // Scrolls a cell that a key moved the focus to into view.
  void ShowKeyTarget(const CCellID& next, int key, bool shift, bool wrapped);
  // A typed character (WM_CHAR): starts an edit of the focus cell with it.
  void OnChar(int character, Qt::KeyboardModifiers modifiers);
  // The editor's report: takes the text and passes a Tab or navigation key on.
  void OnEndInPlaceEdit(const GridCellInfo& item);

  // Mouse handlers (grid_mouse.cpp), as the window's button and move messages.
  void OnLButtonDown(QPoint point, Qt::KeyboardModifiers keys);
  void OnLButtonUp(QPoint point);
  void OnLButtonDblClk(QPoint point);
  void OnRButtonUp(QPoint point);
  void OnMouseMove(QPoint point, bool buttonDown);
  // The cursor for the mouse mode.
  void UpdateCursor();
  // Whether the point lies in the text area of the cell.
  bool IsInTextArea(const CCellID& cell, QPoint point);
  // The divider under the pointer (no button held): modes 8 and 6, or back to 0.
  void UpdateDividerHover(QPoint point);
  // Starts sizing a column (mode 9) or a row (mode 7) from a press on its divider;
  // false, back in mode 0, when there is nothing to size.
  bool BeginDividerSizing(bool columns, QPoint point);
  // Applies the size a divider drag ended at; false when the cell has no origin.
  bool EndDividerSizing(bool columns, QPoint point);
  // Selects to the cell through the mouse mode; the focus follows to a non-fixed cell
  // and in the column and row modes.
  void SelectThroughMode(const CCellID& cell);
  // Shows the title tip over the cell under the pointer when its text does not fit.
  void ShowTitleTip(QPoint point);
  // Empties the dragged cells a move left that the drop did not write.
  void EmptyMovedCells(const std::set<CCellID>& dragged);

  int controlId_ = 0;
  HWND owner_ = nullptr;
  std::uint32_t scrollBarState_ = 0;
  int vertScrollRange_ = 0;
  int horzScrollRange_ = 0;
  bool inSize_ = false;  // a size change is being handled (showing a bar resizes)
  QTimer autoScrollTimer_;

  bool allowRowResize_ = true;
  bool allowColumnResize_ = true;
  bool columnsSizeToZero_ = true;
  bool rowsSizeToZero_ = true;
  bool hiddenColumnsUnhide_ = true;
  bool hiddenRowsUnhide_ = true;
  bool leftButtonDown_ = false;
  QPoint leftButtonDownPoint_;
  QPoint lastMousePoint_;
  CCellID leftClickDownCell_;
  // Where a divider drag may go: the tracking line's position is held in it, as the
  // cursor was confined to it.
  int trackingMin_ = 0;
  int trackingMax_ = 0;
  // The tracking line of a divider drag (a 2-pixel line at lastMousePoint_), shown in
  // modes 7 and 9.
  bool trackingLine_ = false;
  int wheelRemainder_ = 0;
  CTitleTip titleTip_;
  CGridDropTarget dropTarget_;
  // The cell a drag last went over, and the cells the last drop into this grid wrote.
  CCellID lastDragOverCell_;
  std::set<CCellID> droppedCells_;

  // Printing: options, then what OnBeginPrinting sets.
  bool printColors_ = true;
  int headerHeight_ = 2;  // character heights
  int footerHeight_ = 2;
  int leftMargin_ = 4;  // character widths
  int rightMargin_ = 4;
  int gap_ = 1;  // character heights between the header or footer and the grid
  bool proportionalPrinting_ = false;
  QSize charSize_;
  QSize pagePixels_;
  GridPageLayout printPage_;
  int pagesDown_ = 0;
  int pagesAcross_ = 0;
  // The band of the page being printed: rows and columns [first, end).
  int printRow_ = 0;
  int printRowEnd_ = 0;
  int printCol_ = 0;
  int printColEnd_ = 0;
  std::optional<QFont> printFont_;
};
