#pragma once
// CListBoxQx: a list box of variable-height items with an optional icon each from an
// image list, items that can be disabled one by one (still selectable, drawn grey, a
// double click on them ignored), text wrapped at the list's width for measuring, and
// the selection shown as a blue two-band gradient. Each item holds a record
// (CListBoxQxItem) with the caller's value.
//
// A list box that draws differently overrides DrawItemText, DrawItemSelection and
// DrawItemIcon.

#include <QListWidget>

#include <cstdint>
#include <optional>
#include <vector>

#include "controls/support/image_list.h"
#include "platform/window_handle.h"
#include "render/raster/color_ref.h"
#include "render/raster/pixel_rect.h"

struct CListBoxQxItem {
  LPARAM value = 0;           // the caller's value (SetItemData), pointer-sized
  std::int32_t reserved = 0;  // always 0
  int image = 0;              // the item's icon in the list box's image list
  std::uint32_t format = 0;   // DrawText flags added when the text is measured
  std::uint32_t flags = 0;    // kItemDisabled
};
Q_DECLARE_METATYPE(CListBoxQxItem)

constexpr std::uint32_t kItemDisabled = 0x1;
constexpr int kListBoxError = -1;

// The colour a selected item is drawn with, and the start of its gradient's lower band.
constexpr ColorRef kSelectionBlue = MakeColorRef(119, 196, 243);

// The row colours of the selection gradient over a height: two fifths (rounded down)
// from RGB(194,235,255) towards darker, the rest from kSelectionBlue towards lighter.
std::vector<ColorRef> SelectionGradientRows(int height);

class CListBoxQx : public QListWidget {
 public:
  explicit CListBoxQx(QWidget* parent = nullptr);

  // Appends the text with a record of that image (value 0); returns its index.
  int AddString(const QString& text, int image);
  // Inserts at the index (-1 appends); the index, or kListBoxError for one past the end.
  int InsertString(int index, const QString& text, int image);
  // Deletes the item and its record; the number of items left, or kListBoxError.
  int DeleteString(int index);
  // Deletes every item with its record.
  void ResetContent();
  // Stores the value in the item's record (made zeroed when it has none): 0, or
  // kListBoxError without change for an index outside the list.
  int SetItemData(int index, LPARAM value);
  // The value of the item's record; 0 without a record, kListBoxError outside.
  LPARAM GetItemData(int index) const;
  // Replaces the item by the text with image 1 and value 0; the index or kListBoxError.
  int ReplaceString(int index, const QString& text);
  // Replaces the item's text in place, keeping its record and selection; the index
  // or kListBoxError.
  int SetItemText(int index, const QString& text);
  // Drops every item's record, last to first; the items stay.
  void FreeAllItemData();
  // The whole record (flags and format included); nullopt without one or outside.
  std::optional<CListBoxQxItem> GetItemRecord(int index) const;
  int SetItemRecord(int index, const CListBoxQxItem& record);

  // The icons, drawn at the list's image size; nullptr (the start) for none. The list
  // belongs to the caller and must outlive its use here.
  void SetImageList(const ImageList* images);
  // How a selected item is highlighted: 0 (the start) the whole item, 1 the text
  // area right of the icon column, 2 the text's own extent.
  void SetSelectionLook(int look);

  // The height of the item at a width: its text wrapped at that width, at least the
  // icon's height + 4 with an image list, plus 4. 0 outside the list.
  int MeasureItem(int index, int width) const;
  // Paints the item into its rectangle; nothing for an item without a record.
  void DrawItem(QPainter& painter, int index, const PixelRect& itemRect, bool selected,
                bool listEnabled);

 protected:
  // Fills the rectangle with the colour, or draws the selection gradient over it when
  // the colour is kSelectionBlue.
  virtual void DrawItemText(int index, QPainter& painter, const PixelRect& itemRect,
                            const PixelRect& textRect, bool disabled, bool selected,
                            ColorRef color);
  // The same for the icon column (the image rectangle's columns over the item's
  // height), the gradient over the whole item.
  virtual void DrawItemSelection(int index, QPainter& painter, const PixelRect& itemRect,
                                 const PixelRect& imageRect, bool disabled, bool selected,
                                 ColorRef color);
  // Draws the icon 3 pixels right and 2 down inside the image rectangle, in the
  // disabled form for a disabled item.
  virtual void DrawItemIcon(int index, QPainter& painter, const PixelRect& itemRect,
                            const PixelRect& imageRect, int image, bool disabled, bool selected);

  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  int Insert(int index, const QString& text, const CListBoxQxItem& record);

  const ImageList* images_ = nullptr;
  int selectionLook_ = 0;
};
