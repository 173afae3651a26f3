#include "controls/lists/list_ctrl_ex.h"

#include <QApplication>
#include <QPainter>
#include <QStyleOptionProgressBar>
#include <QStyledItemDelegate>

#include <algorithm>

namespace {

constexpr int kValueRole = Qt::UserRole;
constexpr int kHasBarRole = Qt::UserRole + 1;
// The bar's inset from its cell on every side, in pixels.
constexpr int kBarInset = 2;

// Paints each cell as usual and, in the bar column of a row with a bar, the bar over it.
class ProgressBarDelegate : public QStyledItemDelegate {
 public:
  explicit ProgressBarDelegate(CListCtrlEx* list) : QStyledItemDelegate(list), list_(list) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyledItemDelegate::paint(painter, option, index);
    if (index.column() != list_->BarColumn() || index.parent().isValid()) return;
    const std::optional<int> percent = list_->RowPercent(index.row());
    if (!percent) return;
    QStyleOptionProgressBar bar;
    bar.initFrom(list_);
    bar.rect = option.rect.adjusted(kBarInset, kBarInset, -kBarInset, -kBarInset);
    bar.minimum = 0;
    bar.maximum = 100;
    bar.progress = *percent;
    bar.textVisible = false;
    bar.state |= QStyle::State_Horizontal;
    list_->style()->drawControl(QStyle::CE_ProgressBar, &bar, painter, list_);
  }

 private:
  CListCtrlEx* list_;
};

}  // namespace

CListCtrlEx::CListCtrlEx(QWidget* parent) : QTreeWidget(parent) {
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setUniformRowHeights(true);
  setAllColumnsShowFocus(true);
  setItemDelegate(new ProgressBarDelegate(this));
  connect(this, &QTreeWidget::itemChanged, this, &CListCtrlEx::RepaintBar);
}

void CListCtrlEx::SetBarColumn(int column) {
  barColumn_ = column;
  viewport()->update();
}

void CListCtrlEx::SetStatusColumn(int column) {
  statusColumn_ = column;
  viewport()->update();
}

void CListCtrlEx::SetStatusWords(const StatusWords& words) {
  words_ = words;
  viewport()->update();
}

int CListCtrlEx::InsertProgressItem(int row, const QString& text) {
  const int at = std::clamp(row, 0, topLevelItemCount());
  auto* item = new QTreeWidgetItem;
  item->setText(0, text);
  item->setData(0, kHasBarRole, barColumn_ >= 0 && statusColumn_ >= 0);
  insertTopLevelItem(at, item);
  return at;
}

void CListCtrlEx::DeleteAllProgressItems() { clear(); }

bool CListCtrlEx::SetItemText(int row, int column, const QString& text) {
  QTreeWidgetItem* item = topLevelItem(row);
  if (item == nullptr || column < 0) return false;
  item->setText(column, text);
  return true;
}

QString CListCtrlEx::GetItemText(int row, int column) const {
  const QTreeWidgetItem* item = topLevelItem(row);
  return item == nullptr ? QString() : item->text(column);
}

bool CListCtrlEx::SetItemData(int row, LPARAM value) {
  QTreeWidgetItem* item = topLevelItem(row);
  if (item == nullptr) return false;
  item->setData(0, kValueRole, QVariant::fromValue<qint64>(value));
  return true;
}

LPARAM CListCtrlEx::GetItemData(int row) const {
  const QTreeWidgetItem* item = topLevelItem(row);
  return item == nullptr ? 0 : static_cast<LPARAM>(item->data(0, kValueRole).toLongLong());
}

std::optional<int> CListCtrlEx::RowPercent(int row) const {
  const QTreeWidgetItem* item = topLevelItem(row);
  if (item == nullptr || barColumn_ < 0 || statusColumn_ < 0 ||
      !item->data(0, kHasBarRole).toBool()) {
    return std::nullopt;
  }
  return StatusToPercent(item->text(statusColumn_), words_);
}

void CListCtrlEx::RepaintBar(QTreeWidgetItem* item, int column) {
  // A new status changes the bar in another column, which the view would not repaint.
  if (column == statusColumn_ && barColumn_ >= 0) update(indexFromItem(item, barColumn_));
}
