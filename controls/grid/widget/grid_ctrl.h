#pragma once
// The grid control: a scroll area whose viewport paints a GridModel, and a message
// window, so that owners address it by handle and receive its WM_NOTIFY messages.
// The viewport is the client area without scroll bars; its scroll bars hold the pixel
// positions of the non-fixed area. Qt's backing store double-buffers every paint.

#include <QAbstractScrollArea>
#include <QFont>
#include <QRect>
#include <QTimer>

#include <cstdint>
#include <optional>

#include "controls/grid/model/grid_model.h"
#include "controls/grid/model/grid_print_layout.h"
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

// Virtual-key numbers of the keys the grid handles; letters and digits are their own
// capitals.
constexpr int VK_TAB = 9;
constexpr int VK_PRIOR = 33;
constexpr int VK_NEXT = 34;
constexpr int VK_END = 35;
constexpr int VK_HOME = 36;
constexpr int VK_LEFT = 37;
constexpr int VK_UP = 38;
constexpr int VK_RIGHT = 39;
constexpr int VK_DOWN = 40;
constexpr int VK_INSERT = 45;
constexpr int VK_DELETE = 46;
constexpr int VK_F2 = 113;

class CGridCtrl : public QAbstractScrollArea, public GridModel, public MessageWindow {
 public:
  // The control id Create gives the window.
  static constexpr int kControlId = 100;
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
  bool event(QEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

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

  int controlId_ = 0;
  HWND owner_ = nullptr;
  std::uint32_t scrollBarState_ = 0;
  int vertScrollRange_ = 0;
  int horzScrollRange_ = 0;
  bool inSize_ = false;  // a size change is being handled (showing a bar resizes)
  QTimer autoScrollTimer_;

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
