#include "controls/lists/list_box_qx.h"

#include <QIcon>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QStyledItemDelegate>

#include <algorithm>
#include <array>

#include "controls/support/draw_text.h"
#include "controls/support/gradient_rows.h"
#include "controls/support/sys_color.h"

namespace {

constexpr int kRecordRole = Qt::UserRole;
constexpr ColorRef kWhite = MakeColorRef(255, 255, 255);
// The icon's place in its column: the column is the icon + 6 wide and + 4 high.
constexpr int kIconLeft = 3;
constexpr int kIconTop = 2;
constexpr int kItemPadding = 4;

// Measures and paints every item through its list box.
class ListBoxDelegate : public QStyledItemDelegate {
 public:
  explicit ListBoxDelegate(CListBoxQx* list) : QStyledItemDelegate(list), list_(list) {}

  QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex& index) const override {
    const int width = list_->viewport()->width();
    return {width, list_->MeasureItem(index.row(), width)};
  }

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    const QRect& r = option.rect;
    list_->DrawItem(*painter, index.row(),
                    {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()},
                    option.state.testFlag(QStyle::State_Selected),
                    option.state.testFlag(QStyle::State_Enabled));
  }

 private:
  CListBoxQx* list_;
};

std::optional<CListBoxQxItem> RecordOf(const QListWidgetItem* item) {
  if (item == nullptr) return std::nullopt;
  const QVariant data = item->data(kRecordRole);
  if (!data.canConvert<CListBoxQxItem>()) return std::nullopt;
  return data.value<CListBoxQxItem>();
}

void SetRecord(QListWidgetItem* item, const CListBoxQxItem& record) {
  item->setData(kRecordRole, QVariant::fromValue(record));
}

// Draws the selection gradient, one pixel row at a time, over the rectangle.
void DrawSelectionGradient(QPainter& painter, const PixelRect& rect) {
  const std::vector<ColorRef> rows = SelectionGradientRows(rect.Height());
  for (std::size_t row = 0; row < rows.size(); ++row) {
    painter.fillRect(rect.left, rect.top + static_cast<int>(row), rect.Width(), 1,
                     QColor(ColorRefToQRgb(rows[row])));
  }
}

}  // namespace

std::vector<ColorRef> SelectionGradientRows(int height) {
  const int upper = std::max(0, height) * 2 / 5;
  const int lower = std::max(0, height) - upper;
  std::vector<ColorRef> rows;
  if (upper > 0) {
    const float n = static_cast<float>(upper);
    rows = GradientRows(MakeColorRef(194, 235, 255), {-65 / n, -29 / n, -6 / n}, upper);
  }
  if (lower > 0) {
    const float step = 8 / static_cast<float>(lower);
    const std::vector<ColorRef> band = GradientRows(kSelectionBlue, {step, step, step}, lower);
    rows.insert(rows.end(), band.begin(), band.end());
  }
  return rows;
}

CListBoxQx::CListBoxQx(QWidget* parent) : QListWidget(parent) {
  setUniformItemSizes(false);
  setResizeMode(QListView::Adjust);  // heights follow the width the text wraps at
  setItemDelegate(new ListBoxDelegate(this));
}

int CListBoxQx::Insert(int index, const QString& text, const CListBoxQxItem& record) {
  auto* item = new QListWidgetItem(text);
  SetRecord(item, record);
  insertItem(index, item);
  return index;
}

int CListBoxQx::AddString(const QString& text, int image) {
  return Insert(count(), text, {.image = image});
}

int CListBoxQx::InsertString(int index, const QString& text, int image) {
  if (index == -1) index = count();
  if (index < 0 || index > count()) return kListBoxError;
  return Insert(index, text, {.image = image});
}

int CListBoxQx::DeleteString(int index) {
  if (index < 0 || index >= count()) return kListBoxError;
  delete takeItem(index);
  return count();
}

void CListBoxQx::ResetContent() { clear(); }

int CListBoxQx::SetItemData(int index, LPARAM value) {
  QListWidgetItem* entry = item(index);
  if (entry == nullptr) return kListBoxError;
  CListBoxQxItem record = RecordOf(entry).value_or(CListBoxQxItem{});
  record.value = value;
  SetRecord(entry, record);
  return 0;
}

LPARAM CListBoxQx::GetItemData(int index) const {
  const QListWidgetItem* entry = item(index);
  if (entry == nullptr) return kListBoxError;
  return RecordOf(entry).value_or(CListBoxQxItem{}).value;
}

int CListBoxQx::ReplaceString(int index, const QString& text) {
  if (DeleteString(index) == kListBoxError) return kListBoxError;
  return Insert(index, text, {.image = 1});
}

int CListBoxQx::SetItemText(int index, const QString& text) {
  QListWidgetItem* entry = item(index);
  if (entry == nullptr) return kListBoxError;
  entry->setText(text);
  return index;
}

void CListBoxQx::FreeAllItemData() {
  for (int index = count() - 1; index >= 0; --index) item(index)->setData(kRecordRole, {});
}

std::optional<CListBoxQxItem> CListBoxQx::GetItemRecord(int index) const {
  return RecordOf(item(index));
}

int CListBoxQx::SetItemRecord(int index, const CListBoxQxItem& record) {
  QListWidgetItem* entry = item(index);
  if (entry == nullptr) return kListBoxError;
  SetRecord(entry, record);
  return 0;
}

void CListBoxQx::SetImageList(const ImageList* images) {
  images_ = images;
  doItemsLayout();
}

void CListBoxQx::SetSelectionLook(int look) {
  selectionLook_ = look;
  viewport()->update();
}

int CListBoxQx::MeasureItem(int index, int width) const {
  const QListWidgetItem* entry = item(index);
  if (entry == nullptr) return 0;
  int height = MeasureTextInRect(font(), entry->text(), width, DT_WORDBREAK).height();
  if (images_ != nullptr) height = std::max(height, images_->ImageSize().height() + kItemPadding);
  return height + kItemPadding;
}

void CListBoxQx::DrawItem(QPainter& painter, int index, const PixelRect& itemRect, bool selected,
                          bool listEnabled) {
  const std::optional<CListBoxQxItem> record = RecordOf(item(index));
  if (!record) return;
  const ColorRef window = SysColor(COLOR_WINDOW);
  const ColorRef windowText = SysColor(COLOR_WINDOWTEXT);
  const bool disabled = !listEnabled || (record->flags & kItemDisabled) != 0;

  PixelRect imageRect;  // empty without an image list: the text starts at x 0
  if (images_ != nullptr) {
    const QSize icon = images_->ImageSize();
    imageRect = {itemRect.left, itemRect.top, itemRect.left + icon.width() + 6,
                 itemRect.top + icon.height() + 4};
  }
  const PixelRect textArea = {imageRect.right, itemRect.top, itemRect.right, itemRect.bottom};
  const QString text = item(index)->text();
  const QSize extent =
      MeasureTextInRect(font(), text, textArea.Width(), DT_WORDBREAK | record->format);
  const PixelRect textRect = {textArea.left, textArea.top, textArea.left + extent.width(),
                              textArea.top + extent.height()};

  if (images_ != nullptr) {
    const bool highlight = selected && !disabled && selectionLook_ == 0;
    DrawItemSelection(index, painter, itemRect, imageRect, disabled, selected,
                      highlight ? kSelectionBlue : window);
  }
  ColorRef textColor = windowText;
  ColorRef background = window;
  if (disabled) {
    textColor = SysColor(COLOR_GRAYTEXT);
  } else if (selected) {
    textColor = ~windowText & 0xFFFFFF;
    background = kSelectionBlue;
  }
  DrawItemText(index, painter, itemRect, selectionLook_ == 2 ? textRect : textArea, disabled,
               selected, background);
  if (images_ != nullptr) {
    DrawItemIcon(index, painter, itemRect, imageRect, record->image, disabled, selected);
  }
  painter.save();
  painter.setFont(font());
  painter.setPen(QColor(ColorRefToQRgb(textColor)));
  DrawTextInRect(painter, text, {textRect.left, textRect.top, itemRect.right, itemRect.bottom},
                 DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
  painter.restore();
}

void CListBoxQx::DrawItemText(int, QPainter& painter, const PixelRect&, const PixelRect& textRect,
                              bool, bool, ColorRef color) {
  if (color == kSelectionBlue) {
    DrawSelectionGradient(painter, textRect);
  } else {
    painter.fillRect(textRect.ToQRect(), QColor(ColorRefToQRgb(color)));
  }
}

void CListBoxQx::DrawItemSelection(int, QPainter& painter, const PixelRect& itemRect,
                                   const PixelRect& imageRect, bool, bool, ColorRef color) {
  if (color == kSelectionBlue) {
    DrawSelectionGradient(painter, itemRect);
  } else {
    const PixelRect column = {imageRect.left, imageRect.top, imageRect.right,
                              imageRect.top + itemRect.Height()};
    painter.fillRect(column.ToQRect(), QColor(ColorRefToQRgb(color)));
  }
}

void CListBoxQx::DrawItemIcon(int, QPainter& painter, const PixelRect&, const PixelRect& imageRect,
                              int image, bool disabled, bool) {
  const QImage picture = images_ == nullptr ? QImage() : images_->GetImage(image);
  if (picture.isNull()) return;
  const QIcon icon(QPixmap::fromImage(picture));
  painter.drawPixmap(imageRect.left + kIconLeft, imageRect.top + kIconTop,
                     icon.pixmap(images_->ImageSize(), disabled ? QIcon::Disabled : QIcon::Normal));
}

void CListBoxQx::mouseDoubleClickEvent(QMouseEvent* event) {
  const std::optional<CListBoxQxItem> record = RecordOf(itemAt(event->position().toPoint()));
  if (record && (record->flags & kItemDisabled) != 0) {
    event->accept();  // a disabled item's double click goes no further
    return;
  }
  QListWidget::mouseDoubleClickEvent(event);
}
