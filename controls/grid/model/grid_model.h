#pragma once
// Everything of the grid control that is not its window: colours, modes, counts, row
// heights and column widths, the cells (owned), the four default cells, the focus and
// selection, and the grid operations that work on them, painting included (QPainter,
// no widgets). Where an operation needs the window (repainting, scroll bars, the client
// area, notifying the owner) it calls a virtual hook that does nothing here, so the
// table file works on a GridModel without a window and CGridCtrl fills the hooks in.

#include <QPainter>
#include <QPoint>

#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <vector>

#include "controls/grid/model/cell_id.h"
#include "controls/grid/model/grid_cell.h"
#include "controls/grid/model/grid_records.h"
#include "render/raster/color_ref.h"
#include "render/raster/pixel_rect.h"

class ImageList;
class QMimeData;
class QObject;

// Grid-line modes.
constexpr int GVL_NONE = 0;
constexpr int GVL_HORZ = 1;
constexpr int GVL_VERT = 2;
constexpr int GVL_BOTH = 3;

// Mouse modes: what a mouse action (or a key that selects like one) is doing.
constexpr int MOUSE_NOTHING = 0;
constexpr int MOUSE_SELECT_ALL = 1;
constexpr int MOUSE_SELECT_COL = 2;
constexpr int MOUSE_SELECT_ROW = 3;
constexpr int MOUSE_SELECT_CELLS = 4;
constexpr int MOUSE_OVER_ROW_DIVIDER = 6;
constexpr int MOUSE_SIZING_ROW = 7;
constexpr int MOUSE_OVER_COL_DIVIDER = 8;
constexpr int MOUSE_SIZING_COL = 9;
constexpr int MOUSE_PREPARE_EDIT = 10;
constexpr int MOUSE_PREPARE_DRAG = 11;
constexpr int MOUSE_DRAGGING = 12;

// How close to a divider, in pixels, a point lies on it.
constexpr int kResizeCaptureRange = 3;

// Fills the display record of a place in virtual mode, instead of the owner; the
// second argument is the value given with the callback.
using GridCallback = std::function<void(GridCellInfo*, LPARAM)>;

// Makes the cells of a grid; may throw std::bad_alloc, which the shape operations
// report as running out of memory.
using GridCellFactory = std::function<std::unique_ptr<CGridCellBase>()>;

// Orders two cells for sorting: negative, 0 or positive; the third argument is the
// caller's value.
using GridCompareFunc = int (*)(const CGridCellBase*, const CGridCellBase*, LPARAM);

// Compares the two texts code unit by code unit (unsigned 16-bit): -1 or 1 at the first
// difference, a prefix first, 0 when equal or when either cell is null.
int CompareCellText(const CGridCellBase* a, const CGridCellBase* b, LPARAM value);

class GridModel {
 public:
  GridModel();
  virtual ~GridModel();
  GridModel(const GridModel&) = delete;
  GridModel& operator=(const GridModel&) = delete;

  // --- Colours and modes ---
  ColorRef GetGridBkColor() const { return gridBkColor_; }
  void SetGridBkColor(ColorRef color) { gridBkColor_ = color; }
  ColorRef GetGridLineColor() const { return gridLineColor_; }
  void SetGridLineColor(ColorRef color) { gridLineColor_ = color; }
  ColorRef GetTitleTipBackClr() const { return titleTipBackColor_; }
  void SetTitleTipBackClr(ColorRef color) { titleTipBackColor_ = color; }
  ColorRef GetTitleTipTextClr() const { return titleTipTextColor_; }
  void SetTitleTipTextClr(ColorRef color) { titleTipTextColor_ = color; }
  bool GetVirtualMode() const { return virtualMode_; }
  // Only on an empty grid: cells and virtual mode do not mix.
  void SetVirtualMode(bool on);
  int GetGridLines() const { return gridLines_; }
  void SetGridLines(int mode) { gridLines_ = mode; }
  bool IsEditable() const { return editable_; }
  void SetEditable(bool on) { editable_ = on; }
  bool GetModified() const { return modified_; }
  void SetModified(bool on) { modified_ = on; }
  bool GetDragAndDrop() const { return dragAndDrop_; }
  void EnableDragAndDrop(bool on) { dragAndDrop_ = on; }
  bool GetListMode() const { return listMode_; }
  void SetListMode(bool on) { listMode_ = on; }
  bool GetSingleRowSelection() const { return singleRowSelection_; }
  void SetSingleRowSelection(bool on) { singleRowSelection_ = on; }
  bool GetSingleColSelection() const { return singleColSelection_; }
  void SetSingleColSelection(bool on) { singleColSelection_ = on; }
  bool GetAllowDraw() const { return allowDraw_; }
  void SetAllowDraw(bool on) { allowDraw_ = on; }
  bool IsSelectable() const { return enableSelection_; }
  void EnableSelection(bool on) { enableSelection_ = on; }
  bool GetFixedColumnSelection() const { return fixedColumnSelection_; }
  void SetFixedColumnSelection(bool on) { fixedColumnSelection_ = on; }
  bool GetFixedRowSelection() const { return fixedRowSelection_; }
  void SetFixedRowSelection(bool on) { fixedRowSelection_ = on; }
  bool GetHeaderSort() const { return sortOnHeaderClick_; }
  void SetHeaderSort(bool on) { sortOnHeaderClick_ = on; }
  bool GetHandleTabKey() const { return handleTabKey_; }
  void SetHandleTabKey(bool on) { handleTabKey_ = on; }
  // Kept as state: the window is always double-buffered by its backing store.
  bool GetDoubleBuffering() const { return doubleBuffer_; }
  void SetDoubleBuffering(bool on) { doubleBuffer_ = on; }
  bool GetTitleTips() const { return titleTips_; }
  void EnableTitleTips(bool on) { titleTips_ = on; }
  bool GetTrackFocusCell() const { return trackFocusCell_; }
  void SetTrackFocusCell(bool on) { trackFocusCell_ = on; }
  bool GetFrameFocusCell() const { return frameFocusCell_; }
  void SetFrameFocusCell(bool on) { frameFocusCell_ = on; }
  int GetAutoSizeStyle() const { return autoSizeStyle_; }
  void SetAutoSizeStyle(int style) { autoSizeStyle_ = style; }
  int GetSortColumn() const { return sortColumn_; }
  void SetSortColumn(int col) { sortColumn_ = col; }
  bool GetSortAscending() const { return sortAscending_; }
  void SetSortAscending(bool on) { sortAscending_ = on; }
  // Lines a wheel notch scrolls; -1 scrolls a page.
  int GetWheelScrollLines() const { return wheelScrollLines_; }
  void SetWheelScrollLines(int lines) { wheelScrollLines_ = lines; }
  // The sort function of SortColumn; null sorts with CompareCellText.
  GridCompareFunc GetCompareFunction() const { return compareFunction_; }
  void SetCompareFunction(GridCompareFunc function) { compareFunction_ = function; }
  // In virtual mode the callback, when set, answers the display requests of GetCell.
  void SetCallbackFunc(GridCallback callback, LPARAM param) {
    callback_ = std::move(callback);
    callbackParam_ = param;
  }
  ImageList* GetImageList() const { return imageList_; }
  void SetImageList(ImageList* list) { imageList_ = list; }  // not owned

  // --- Default cells ---
  // By (in a fixed row, in a fixed column): normal, fixed column, fixed row, corner.
  CGridDefaultCell* GetDefaultCell(bool fixedRow, bool fixedCol);
  const CGridDefaultCell* GetDefaultCell(bool fixedRow, bool fixedCol) const;
  // Follows a palette change: default colours that were the system's move with it.
  void OnSysColorChange();
  // Gives the four default cells the font and repaints.
  void SetGridFont(const LogFontW& font);
  const LogFontW* GetGridFont() const { return cellDefault_.GetFont(); }

  // --- Shape and cells (1 success, 0 refusal; negative counts are refused) ---
  int GetRowCount() const { return rowCount_; }
  int GetColumnCount() const { return colCount_; }
  int GetFixedRowCount() const { return fixedRows_; }
  int GetFixedColumnCount() const { return fixedCols_; }
  [[nodiscard]] bool SetRowCount(int rows);
  [[nodiscard]] bool SetColumnCount(int cols);
  [[nodiscard]] bool SetFixedRowCount(int fixedRows);
  [[nodiscard]] bool SetFixedColumnCount(int fixedCols);
  // The factory CreateCell makes cells with; CGridCell when none is set.
  void SetCellFactory(GridCellFactory factory) { cellFactory_ = std::move(factory); }
  // A new cell for the place, with its grid, fixed bits and resolved format; null when
  // the factory gives none.
  virtual std::unique_ptr<CGridCellBase> CreateCell(int row, int col);
  // Clears the cell's state (and its selection) and deletes it.
  virtual void DestroyCell(int row, int col);
  // New rows and columns. Index -1 appends; InsertRow refuses an index at the row
  // count, InsertColumn appends there. The new index, or -1 when refused.
  int InsertRow(int index = -1);
  int InsertColumn(int index = -1);
  bool DeleteRow(int row);
  bool DeleteColumn(int col);
  void DeleteAllItems();
  // The cell at a place, null out of range or where there is none. In virtual mode one
  // cell of the grid, filled for the place by the callback or the owner (-177): it
  // holds the place until the next call.
  CGridCellBase* GetCell(int row, int col) const;
  // Puts the cell at the place and hands the one that was there back through `cell`;
  // false (nothing exchanged) in virtual mode or out of range.
  bool SetCell(int row, int col, std::unique_ptr<CGridCellBase>& cell);
  // Fills the members of info that its mask names from the cell at (info->row,
  // info->col); false when there is no such cell.
  bool GetCellInfo(GridCellInfo* info) const;
  QString GetCellText(int row, int col) const;
  // Sets the text and marks the cell modified; false in virtual mode or without a cell.
  bool SetCellText(int row, int col, const QString& text);
  // No modified mark and no repaint; false in virtual mode or without a cell.
  bool SetCellFormat(int row, int col, std::uint32_t format);
  bool SetCellBackColor(int row, int col, ColorRef color);
  bool SetCellTextColor(int row, int col, ColorRef color);
  bool IsCellEditable(const CCellID& cell) const;
  bool IsCellSelected(int row, int col) const;
  // Sets the state bits, keeping the selected-cell set in step with the selected bit.
  [[nodiscard]] bool SetCellState(int row, int col, std::uint32_t state);
  std::uint32_t GetCellState(int row, int col) const;
  // Marks the cell modified (row and column 0 or more), drops the sort column when the
  // column is negative or the sort column, and marks the grid modified.
  void SetCellModified(int row, int col);
  const std::set<CCellID>& GetSelectedCells() const { return selectedCells_; }
  CCellID GetFocusCell() const { return focusCell_; }
  // Moves the focus (a fixed row or column becomes the first non-fixed one) and
  // redraws the cells that show it; returns the previous focus cell.
  CCellID SetFocusCell(CCellID cell);
  CCellID SetFocusCell(int row, int col) { return SetFocusCell(CCellID(row, col)); }

  // --- Selection ---
  int GetMouseMode() const { return mouseMode_; }
  void SetMouseMode(int mode) { mouseMode_ = mode; }
  CCellID GetSelectionStartCell() const { return selectionStartCell_; }
  void SetSelectionStartCell(const CCellID& cell) { selectionStartCell_ = cell; }
  // Keeps the present selection; it is merged into every new range until emptied, so
  // that a selection can be added to.
  void KeepPreviousSelection() { prevSelectedCells_ = selectedCells_; }
  void ClearPreviousSelection() { prevSelectedCells_.clear(); }
  // Selects (or deselects) a range; with select, the cells outside it lose the
  // selection. With force repaint the changed cells are painted at once.
  void SetSelectedRange(int minRow, int minCol, int maxRow, int maxCol, bool forceRepaint = false,
                        bool select = true);
  void SetSelectedRange(const CCellBlock& range, bool forceRepaint = false, bool select = true) {
    SetSelectedRange(range.minRow, range.minCol, range.maxRow, range.maxCol, forceRepaint, select);
  }
  void SelectAllCells();
  // From the selection start cell to the cell: whole columns, whole rows, or a block.
  void SelectColumns(const CCellID& cell);
  void SelectRows(const CCellID& cell, bool forceRepaint = false, bool select = true);
  void SelectCells(const CCellID& cell, bool forceRepaint = false, bool select = true);
  // Selects to the cell the way the mouse mode does.
  void ExtendSelectionTo(const CCellID& cell);
  // Deselects everything and removes the focus.
  void ClearSelection();
  // The smallest and largest selected row and column; (row count, column count, -1,
  // -1) when nothing is selected.
  CCellBlock GetSelectionBounds() const;

  // --- Sizes (pixels; -1 for an index out of range) ---
  int GetRowHeight(int row) const;
  int GetColumnWidth(int col) const;
  [[nodiscard]] bool SetRowHeight(int row, int height);
  [[nodiscard]] bool SetColumnWidth(int col, int width);
  // Sums of sizes, clamped to the int range.
  int GetFixedRowHeight() const;
  int GetFixedColumnWidth() const;
  int GetGridHeight() const;
  int GetGridWidth() const;
  // Fits a shown column's width to the widest cell of the rows the style chooses (bit 1
  // the fixed rows, bit 2 the others; 0 takes the default style), 0 when no cell
  // exists. False for a column out of range or hidden.
  [[nodiscard]] bool AutoSizeColumn(int col, int style = 0);
  // Fits a shown row's height to the tallest cell of the row.
  [[nodiscard]] bool AutoSizeRow(int row);
  // The width or height of the block the cell belongs to; its own column's or row's
  // when it is in none (-1 out of range).
  int GetMergedWidth(int row, int col) const;
  int GetMergedHeight(int row, int col) const;

  // --- Merging ---
  // The origin of the block the cell is merged into, else the cell itself.
  CCellID GetMergeOriginOf(int row, int col) const;
  // Merges the rectangle into its top-left cell, after unmerging every block that meets
  // it; the other cells' texts are emptied. False (nothing changed) for a rectangle that
  // is inverted or leaves the grid, and in virtual mode, which has no cells to hold it.
  [[nodiscard]] bool MergeCells(int minRow, int minCol, int maxRow, int maxCol);
  // Unmerges the whole block of every cell of the rectangle; emptied texts stay empty.
  void UnmergeRange(int minRow, int minCol, int maxRow, int maxCol);
  void UnmergeSelection();

  // --- Sorting (the non-fixed rows, on one column) ---
  // Marks the column as the sort column and sorts with the grid's compare function.
  // False, with nothing changed, when a merged block lies in the rows to sort.
  [[nodiscard]] bool SortColumn(int col, bool ascending);
  [[nodiscard]] bool SortColumnWith(GridCompareFunc compare, int col, bool ascending);
  // Sorts rows low to high (-1: the last row) on the column; rows move whole, with
  // their heights, and equal rows are not exchanged. False for a column out of range,
  // fewer than two rows, virtual mode, or a merged block in the rows.
  [[nodiscard]] bool QuickSortRows(GridCompareFunc compare, int col, bool ascending, LPARAM value,
                                   int low, int high = -1);

  // --- Places and visibility ---
  bool IsValid(int row, int col) const;
  bool IsValid(const CCellID& cell) const { return IsValid(cell.row, cell.col); }
  // The first non-fixed cell the scroll positions show (cached).
  CCellID GetFirstVisibleCell();
  // The non-fixed cells that the client area shows; the rectangle they cover.
  CCellBlock GetVisibleCellBlock(PixelRect* rect = nullptr);
  // The top-left pixel of a cell in client coordinates (left of or above the fixed
  // cells for a cell before the first visible one); false outside the grid.
  [[nodiscard]] bool GetCellOrigin(int row, int col, QPoint* origin);
  // The cell's rectangle, its right and bottom edge on its grid lines; a merge origin
  // gives its whole block.
  [[nodiscard]] bool GetCellRect(int row, int col, PixelRect* rect);
  [[nodiscard]] bool GetCellRangeRect(const CCellBlock& range, PixelRect* rect);
  bool IsCellVisible(int row, int col);
  // The cell under a client point (-1 for no row or no column); a merged cell gives its
  // origin. Without allowFixed a point over the fixed cells finds none.
  CCellID GetCellFromPoint(QPoint point, bool allowFixed = true);
  // Whether a point lies on a row divider in the fixed columns, or on a column divider
  // in the fixed rows, within the resize capture range (a merged block's far edge is its
  // divider).
  bool IsOverRowDivider(QPoint point);
  bool IsOverColumnDivider(QPoint point);
  // Empties the top-left cache; the window then recomputes its scroll bars.
  virtual void UpdateScrollBars();

  // --- Editing and the clipboard text ---
  // Sets a cell's text as an edit does: only in an editable cell whose edit the owner
  // does not veto (-175), and only when the text changes; the new text stays when
  // CheckEditText and the owner (-176) accept it, the cell then marked modified and
  // redrawn, else the old text is put back.
  void SetCellTextChecked(int row, int col, const QString& text);
  // Whether an edited text may stand: the cell's CheckEditText, true without a cell.
  virtual bool CheckEditText(int row, int col, const QString& text);
  // Takes the text of a finished in-place edit: a changed text is set and then kept or
  // put back as CheckEditText and the owner (-176) decide; the cell forgets its editor.
  virtual void AcceptCellEdit(int row, int col, const QString& text);
  // Ends the in-place edit of the focus cell, if any.
  virtual void CloseCellEditor();
  // Empties the selected cells through SetCellTextChecked (an editable grid only).
  void OnEditClearSelection();
  // The selection as text/plain (JoinClipboardText): selected cells give their text,
  // the others empty fields, hidden rows and columns nothing. Null when nothing valid
  // is selected.
  std::unique_ptr<QMimeData> CopySelectionText();
  // Writes the text of the data into the grid from a start cell (SplitClipboardText):
  // line by line down, field by field right, past hidden rows and columns, up to the
  // grid's edges, each cell through SetCellTextChecked and deselected. Then selects the
  // written range (selectPasted) or clears the selection. The cells written are added
  // to `written` when given. False when the start cell is outside the grid or
  // read-only, the grid is not editable, or the data holds no text.
  bool PasteSelectionText(int row, int col, const QMimeData* data, bool selectPasted,
                          std::set<CCellID>* written = nullptr);

  // --- In-place editor hooks: the window opens and ends the editors of the cells ---
  // Opens an editor for the request; null when none opens.
  virtual QObject* OpenCellEditor(const CellEditRequest&) { return nullptr; }
  // Makes the editor finish: it reports its text back and closes.
  virtual void EndCellEditor(QObject*) {}
  // Types a character into an open editor.
  virtual void SendCharToEditor(QObject*, int) {}

  // --- Painting ---
  // Paints the grid cells that meet the clip rectangle (client coordinates).
  virtual void OnDraw(QPainter& painter, const PixelRect& clip);
  // Redraws one cell: with a painter at once, else by invalidating its rectangle.
  bool RedrawCell(int row, int col, QPainter* painter = nullptr);
  // Repaints the whole control when it has a window and drawing is allowed.
  void Refresh();

  // --- Notifications to the owner (the reply, 0 without a window) ---
  LRESULT SendMessageToParent(int row, int col, int code);
  LRESULT SendDisplayRequestToParent(GridDisplayInfo* info);
  LRESULT SendCacheHintToParent(const CCellBlock& range);

 protected:
  // Window hooks; the defaults stand for a grid without a window.
  virtual bool HasWindow() const { return false; }
  virtual PixelRect GetClientRect() const { return {}; }
  // Scroll positions in pixels of the non-fixed area.
  virtual int GetHorzScrollPos() const { return 0; }
  virtual int GetVertScrollPos() const { return 0; }
  virtual void InvalidateRect(const PixelRect&) {}
  // Paints the rectangle at once.
  virtual void RepaintRect(const PixelRect&) {}
  // Shows the wait cursor (true) and takes it away again.
  virtual void ShowWaitCursor(bool) {}
  virtual void InvalidateAll() {}
  // Sends the record (its header filled in but for the sender) to the owner.
  virtual LRESULT NotifyOwner(NMHDR*) { return 0; }
  // Tells the user that memory ran out while the grid grew.
  virtual void ReportOutOfMemory() {}

  // Empties the top-left cache; every shape and size change makes it stale.
  void ResetTopLeftCache() {
    topLeftCell_ = CCellID();
    topLeftHint_ = {};
  }
  // A scroll position changed: the cache is stale, but it is where the next one is
  // looked for from, as long as no size changed.
  void ScrollPositionChanged() { topLeftCell_ = CCellID(); }
  // Every row to the normal default cell's height and every column to its width.
  void ResetSizesToDefault();

 private:
  // Sets the fixed bits of a cell placed in a fixed row or column.
  void PlaceCell(CGridCellBase& cell, int row, int col) const;
  // Sets or clears a cell's focused bit and redraws it, with the fixed cells of its
  // row and column when they track the focus and that row or column changes.
  void ShowFocus(const CCellID& cell, const CCellID& other, bool focused);
  // The stored cell at a place, null in virtual mode.
  CGridCellBase* StoredCell(int row, int col) const;
  // Refills the virtual-mode cell for a place (GetCell in virtual mode).
  CGridCellBase* FillVirtualCell(int row, int col);
  // The rectangle that redrawing a visible cell covers; false when nothing is drawn.
  bool CellRedrawRect(int row, int col, PixelRect* rect);
  // Redraws a cell for a selection change, at once with force repaint.
  void RedrawSelectionCell(int row, int col, bool forceRepaint);
  // Sets or clears a cell's selected bit.
  void SetSelectedBit(int row, int col, bool selected);
  // Sets a changed text and keeps it when CheckEditText and the owner (-176) accept it,
  // marking the cell modified and redrawing it; else puts the old text back.
  void CommitCellText(int row, int col, const QString& oldText, const QString& text);
  // Shape-change epilogue: grid modified, sort dropped, scroll bars, repaint.
  void FinishShapeChange();
  [[nodiscard]] bool GrowRows(int rows);
  // How a shape change moves the blocks along its axis: a row or column inserted or
  // deleted at the index, or the count cut to the index.
  enum class BlockShift { kInsert, kDelete, kClip };
  // Moves a block's span [first, last] along the change's axis; the span is left empty
  // (last < first) when the change removed all of it.
  static void ShiftSpan(int& first, int& last, BlockShift shift, int index);
  // The blocks of the grid as their origins hold them.
  std::vector<CCellBlock> MergedBlocks() const;
  // After a shape change: clears every cell's merge fields and merges the blocks again
  // as the change moved them (along rows or columns); a block left with one cell stays
  // unmerged.
  void RestoreBlocks(const std::vector<CCellBlock>& blocks, bool rows, BlockShift shift, int index);
  // Marks the cells of a block inside the grid as merged into its top-left cell.
  void MarkBlock(const CCellBlock& block);
  // Clears the merge fields of the block's cells.
  void ClearBlock(const CCellBlock& block);
  bool BlockMeetsRows(int low, int high) const;
  // QuickSortRows without looking for blocks: the arguments checked, then the sort.
  [[nodiscard]] bool SortRange(GridCompareFunc compare, int col, bool ascending, LPARAM value,
                               int low, int high);
  // Sorts with the function; CompareCellText's order is taken from the texts read once.
  void SortRowsWith(GridCompareFunc compare, int col, bool ascending, LPARAM value, int low,
                    int high);
  // Sorts rows low to high in the order's sense (its Key of a row, Compare of two keys,
  // and Exchange to follow two rows exchanged); recursion only into the smaller part.
  template <typename Order>
  void SortRows(Order& order, bool ascending, int low, int high);
  // Exchanges two rows' cells and heights; the cells' places are set after the sort.
  void ExchangeRows(int a, int b);
  [[nodiscard]] bool GrowColumns(int cols);
  void EraseBackground(QPainter& painter, const PixelRect& clip, const PixelRect& visibleRect);
  void DrawGridLines(QPainter& painter, const CCellBlock& visible, const PixelRect& visibleRect);
  // One of the four cell passes: rows and columns from their first index and start.
  // A merged block is drawn once, from its origin, at the first of its cells met; the
  // origins drawn are kept in `drawnBlocks` across the passes.
  void DrawCellPass(QPainter& painter, const PixelRect& clip, int firstRow, int lastRow,
                    int rowStart, int firstCol, int lastCol, int colStart,
                    std::set<CCellID>& drawnBlocks);
  void DrawCellAt(QPainter& painter, int row, int col, const PixelRect& rect,
                  std::set<CCellID>& drawnBlocks);

  ColorRef gridBkColor_ = 0;
  ColorRef gridLineColor_ = MakeColorRef(192, 192, 192);
  ColorRef crWindowText_ = 0;
  ColorRef crWindowColour_ = 0;
  ColorRef cr3DFace_ = 0;
  ColorRef crShadow_ = 0;
  ColorRef titleTipBackColor_ = kDefaultColor;
  ColorRef titleTipTextColor_ = kDefaultColor;
  bool virtualMode_ = false;
  int gridLines_ = GVL_BOTH;
  bool editable_ = true;
  bool modified_ = false;
  bool dragAndDrop_ = false;
  bool listMode_ = false;
  bool singleRowSelection_ = false;
  bool singleColSelection_ = false;
  bool allowDraw_ = true;
  bool enableSelection_ = true;
  bool fixedColumnSelection_ = true;
  bool fixedRowSelection_ = true;
  bool sortOnHeaderClick_ = false;
  bool handleTabKey_ = true;
  bool doubleBuffer_ = true;
  bool titleTips_ = true;
  bool trackFocusCell_ = true;
  bool frameFocusCell_ = true;
  int autoSizeStyle_ = 3;
  int rowCount_ = 0;
  int fixedRows_ = 0;
  int colCount_ = 0;
  int fixedCols_ = 0;
  std::vector<int> rowHeights_;
  std::vector<int> colWidths_;
  GridCellFactory cellFactory_;
  CGridDefaultCell cellDefault_;
  CGridDefaultCell cellFixedColDef_;
  CGridDefaultCell cellFixedRowDef_;
  CGridDefaultCell cellFixedRowColDef_;
  ImageList* imageList_ = nullptr;
  std::vector<std::vector<std::unique_ptr<CGridCellBase>>> rows_;
  CCellID focusCell_;
  CCellID topLeftCell_;
  // Where the last top-left cell started: (row, its pixel offset), (column, offset).
  struct TopLeftHint {
    int row = -1;
    std::int64_t rowOffset = 0;
    int col = -1;
    std::int64_t colOffset = 0;
  } topLeftHint_;
  CCellID selectionStartCell_;
  int mouseMode_ = MOUSE_NOTHING;
  GridCallback callback_;
  LPARAM callbackParam_ = 0;
  std::unique_ptr<CGridCell> virtualCell_;
  int wheelScrollLines_ = 3;
  // Keyed by the whole (row, column) pair, so no two places share a key.
  std::set<CCellID> selectedCells_;
  std::set<CCellID> prevSelectedCells_;
  bool sortAscending_ = true;
  int sortColumn_ = -1;
  GridCompareFunc compareFunction_ = nullptr;
};

// Gives the fixed cells of a table their light blue (the three fixed default cells).
void SetGridFixedCellColor(GridModel& grid);
