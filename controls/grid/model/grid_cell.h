#pragma once
// The cells of the grid. A cell holds the text, image, user value, state, drawing
// format, colours, font and margin of one place and draws itself into a rectangle;
// every attribute it leaves unset (format and margin -1, colours kDefaultColor, no
// font) comes from one of the grid's four default cells, chosen by the cell's fixed-row
// and fixed-column bits. Rectangles handed to the cells are the grid's: a cell's
// rectangle ends on the pixel row and column its grid lines use.

#include <QFont>
#include <QObject>
#include <QPainter>
#include <QPoint>
#include <QPointer>
#include <QSize>
#include <QString>

#include <cstdint>
#include <memory>

#include "controls/grid/model/cell_id.h"
#include "controls/grid/model/grid_records.h"
#include "render/raster/log_font.h"
#include "render/raster/pixel_rect.h"

class GridModel;
class CGridDefaultCell;

// What an in-place editor opens with. The start decides the editor's first step:
// character 1 (the mouse or F2) or 13 (Enter) puts the caret at the end; 8 (Backspace)
// also deletes the last character; 9 (Tab), 32 (space), 0 (an input-method text
// follows) and a navigation key passed on after an edit (byKey, 33-40) select the
// text; any other character replaces it. Only a start by the mouse (1) lets the
// navigation keys move the caret rather than end the edit.
struct CellEditRequest {
  int row = -1;
  int col = -1;
  PixelRect rect;               // the cell, in the grid's client coordinates
  std::uint32_t alignment = 0;  // DT_LEFT, DT_CENTER or DT_RIGHT, from the cell's format
  int controlId = 0;
  QString text;       // the cell's text
  int character = 1;  // a character code, or a key's virtual-key number
  bool byKey = false;
};

// Where a grid prints a page: the printer's painter, whether the printer has only two
// colours, and whether cells print their colours (else black text, nothing filled).
struct GridPrintTarget {
  QPainter* painter = nullptr;
  bool twoColors = false;
  bool printColors = true;
};

class CGridCellBase {
 public:
  CGridCellBase() = default;
  virtual ~CGridCellBase() = default;
  CGridCellBase(const CGridCellBase&) = delete;
  CGridCellBase& operator=(const CGridCellBase&) = delete;

  virtual void SetText(const QString& text) = 0;
  virtual void SetImage(int image) = 0;
  virtual void SetData(LPARAM data) = 0;
  virtual void SetState(std::uint32_t state) { state_ = state; }
  virtual void SetFormat(std::uint32_t format) = 0;
  virtual void SetTextColor(ColorRef color) = 0;
  virtual void SetBackColor(ColorRef color) = 0;
  virtual void SetFont(const LogFontW* font) = 0;
  virtual void SetMargin(int margin) = 0;
  virtual void SetGrid(GridModel* grid) = 0;
  virtual void SetCoords(int row, int col) = 0;

  virtual QString GetText() const = 0;
  virtual QString GetTitleTipText() const { return GetText(); }
  virtual int GetImage() const = 0;
  virtual LPARAM GetData() const = 0;
  virtual std::uint32_t GetState() const { return state_; }
  virtual std::uint32_t GetFormat() const = 0;
  virtual ColorRef GetTextColor() const = 0;
  virtual ColorRef GetBackColor() const = 0;
  // Null when neither the cell nor its default cell has a font.
  virtual const LogFontW* GetFont() const = 0;
  virtual QFont GetFontObject() const = 0;
  virtual GridModel* GetGrid() const = 0;
  virtual QObject* GetEditWnd() const = 0;
  virtual int GetMargin() const = 0;
  // The grid's default cell for this cell's fixed bits; null without a grid.
  virtual CGridDefaultCell* GetDefaultCell() const;

  virtual bool IsDefaultFont() const = 0;
  virtual bool IsEditing() const = 0;
  virtual bool IsFocused() const { return (GetState() & GVIS_FOCUSED) != 0; }
  virtual bool IsFixed() const { return (GetState() & GVIS_FIXED) != 0; }
  virtual bool IsFixedCol() const { return (GetState() & GVIS_FIXEDCOL) != 0; }
  virtual bool IsFixedRow() const { return (GetState() & GVIS_FIXEDROW) != 0; }
  virtual bool IsSelected() const { return (GetState() & GVIS_SELECTED) != 0; }
  virtual bool IsReadOnly() const { return (GetState() & GVIS_READONLY) != 0; }
  virtual bool IsModified() const { return (GetState() & GVIS_MODIFIED) != 0; }
  virtual bool IsDropHighlighted() const { return (GetState() & GVIS_DROPHILITED) != 0; }

  // Takes the source's attributes, its resolved format and margin as its own.
  virtual void CopyFrom(const CGridCellBase& source);
  virtual void Reset();

  // Paints the cell into the rectangle; erase fills a default back colour too. False
  // without a grid or default cell, or for an empty rectangle; true after drawing and
  // for a member of a merged block other than its origin, which draws nothing.
  [[nodiscard]] virtual bool Draw(QPainter* painter, int row, int col, PixelRect rect, bool erase);

  // Prints the cell into the rectangle (from the edge before it + 1 to its own edge):
  // the painter's pen and brush frame it, then its colours as the target allows, the
  // raised edge of a fixed cell when grid lines are on, its image and its text as Draw
  // lays it out; without an own font the painter's font is kept. True when printed and
  // for a member of a merged block other than its origin, which prints nothing; false
  // without a grid, default cell or painter, or for a rectangle under a pixel.
  [[nodiscard]] virtual bool PrintCell(const GridPrintTarget& target, int row, int col,
                                       PixelRect rect);

  // The text's part of the cell rectangle: right of the image when there is one.
  [[nodiscard]] virtual bool GetTextRect(PixelRect* rect) const;
  [[nodiscard]] virtual bool GetTitleTipRect(PixelRect* rect) const { return GetTextRect(rect); }
  // The size of a text as the cell draws it (margins included); the default cell's
  // width and height for an empty text.
  virtual QSize GetTextExtent(const QString& text) const;
  // The size the cell's own text and image need.
  virtual QSize GetCellExtent() const;

  // Opens an in-place editor over the rectangle through the grid (or types the
  // character into the one already open); false when the cell has none. The base has
  // no editor.
  virtual bool Edit(int, int, const PixelRect&, QPoint, int, int, bool) { return false; }
  virtual bool CheckEditText(const QString&) { return true; }
  // Asks an open editor to finish.
  virtual void EndEdit();
  virtual void OnEndEdit();

  // Mouse notifications; the grid sends them from its mouse handlers.
  virtual void OnMouseEnter() {}
  virtual void OnMouseOver() {}
  virtual void OnMouseLeave() {}
  virtual void OnClick(QPoint) {}
  virtual void OnClickDown(QPoint) {}
  virtual void OnRClick(QPoint) {}
  virtual void OnDblClick(QPoint) {}
  // The grid window keeps the standard arrow cursor over a cell.
  virtual bool OnSetCursor() { return true; }

  virtual bool IsNotMerged() const { return !inMergedBlock_; }
  virtual CCellBlock GetMergeRange() const { return mergeRange_; }
  virtual bool IsMergedIntoOther() const { return mergedIntoOther_; }
  virtual CCellID GetMergeOrigin() const { return mergeOrigin_; }
  // Stores the origin; returns whether the cell is now merged into another.
  [[nodiscard]] virtual bool SetMergeOrigin(int row, int col);

  // Merge bookkeeping the grid's merge operations write.
  void SetMergeRange(const CCellBlock& range) { mergeRange_ = range; }
  void SetInMergedBlock(bool inBlock) { inMergedBlock_ = inBlock; }

 protected:
  // Clears the state and the merge bookkeeping.
  void ResetBase();
  virtual void SetEditing(bool editing, QObject* editWnd) = 0;

 private:
  void DrawFixedEdge(QPainter& painter, PixelRect& rect, int row, int col) const;
  void DrawSortArrow(QPainter& painter, PixelRect& rect) const;
  void DrawText(QPainter& painter, const PixelRect& rect, ColorRef textColor) const;

  std::uint32_t state_ = 0;
  CCellBlock mergeRange_;
  bool mergedIntoOther_ = false;
  CCellID mergeOrigin_;
  bool inMergedBlock_ = false;
};

class CGridCell : public CGridCellBase {
 public:
  CGridCell() { Reset(); }

  void SetText(const QString& text) override { text_ = text; }
  void SetImage(int image) override { image_ = image; }
  void SetData(LPARAM data) override { data_ = data; }
  void SetFormat(std::uint32_t format) override { format_ = format; }
  void SetTextColor(ColorRef color) override { textColor_ = color; }
  void SetBackColor(ColorRef color) override { backColor_ = color; }
  void SetFont(const LogFontW* font) override;
  void SetMargin(int margin) override { margin_ = margin; }
  void SetGrid(GridModel* grid) override { grid_ = grid; }
  void SetCoords(int, int) override {}

  QString GetText() const override { return text_; }
  int GetImage() const override { return image_; }
  LPARAM GetData() const override { return data_; }
  std::uint32_t GetFormat() const override;
  ColorRef GetTextColor() const override { return textColor_; }
  ColorRef GetBackColor() const override { return backColor_; }
  const LogFontW* GetFont() const override;
  QFont GetFontObject() const override;
  GridModel* GetGrid() const override { return grid_; }
  QObject* GetEditWnd() const override { return editWnd_; }
  int GetMargin() const override;

  bool IsDefaultFont() const override { return font_ == nullptr; }
  bool IsEditing() const override { return editing_; }

  // Opens the grid's editor with the cell's text and alignment and the start
  // (CellEditRequest); an editor already open gets the character typed.
  bool Edit(int row, int col, const PixelRect& rect, QPoint point, int controlId, int character,
            bool byKey) override;

  void Reset() override;

 protected:
  void SetEditing(bool editing, QObject* editWnd) override;
  const LogFontW* OwnFont() const { return font_.get(); }

 private:
  QString text_;
  LPARAM data_ = 0;
  int image_ = -1;
  std::uint32_t format_ = 0xFFFFFFFF;
  ColorRef textColor_ = kDefaultColor;
  ColorRef backColor_ = kDefaultColor;
  std::unique_ptr<LogFontW> font_;
  int margin_ = -1;
  bool editing_ = false;
  GridModel* grid_ = nullptr;
  QPointer<QObject> editWnd_;  // the in-place editor deletes itself
};

// A cell that supplies defaults: it owns its font and the default row height and
// column width measured from it, and always reads as read-only.
class CGridDefaultCell : public CGridCell {
 public:
  // Format 0x8824, default colours, size 30 x 10, then the message font (the
  // application's font) through SetFont.
  CGridDefaultCell();

  void SetData(LPARAM) override {}
  void SetState(std::uint32_t) override {}
  std::uint32_t GetState() const override { return CGridCell::GetState() | GVIS_READONLY; }
  // Stores the font and measures margin, width and height from it; null is ignored.
  void SetFont(const LogFontW* font) override;
  const LogFontW* GetFont() const override { return OwnFont(); }
  QFont GetFontObject() const override { return fontObject_; }

  std::uint32_t GetExtraValue() const { return extraValue_; }
  void SetExtraValue(std::uint32_t value) { extraValue_ = value; }
  int GetWidth() const { return width_; }
  int GetHeight() const { return height_; }
  void SetWidth(int width) { width_ = width; }
  void SetHeight(int height) { height_ = height; }

  // Tests stand in for a session without a screen: false makes SetFont take the
  // fallback margin 3, width 40 and height 16.
  static void SetScreenContextForTest(bool available);

 private:
  int width_ = 30;
  int height_ = 10;
  QFont fontObject_;
  std::uint32_t extraValue_ = 0;
};
