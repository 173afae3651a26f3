#pragma once
// CListCtrlEx: a report-style list that shows a progress bar in one column of a row,
// driven by the text of another column, the status column: the sending code writes a
// percentage or a result word there (see progress_status.h) and the bar follows at the
// next paint. The bars are painted by the list's item delegate, so they follow
// scrolling and column resizing, and only rows in view are painted.
//
// The user sets both columns before adding rows; a row shows a bar only when
// InsertProgressItem inserted it while both were set, so rows and bars stay in step.

#include <QTreeWidget>

#include <optional>

#include "controls/lists/progress_status.h"
#include "platform/window_handle.h"

class CListCtrlEx : public QTreeWidget {
 public:
  explicit CListCtrlEx(QWidget* parent = nullptr);

  // The column the bars are painted in, and the column whose text drives them;
  // -1 (the start) means none.
  void SetBarColumn(int column);
  int BarColumn() const { return barColumn_; }
  void SetStatusColumn(int column);
  int StatusColumn() const { return statusColumn_; }
  void SetStatusWords(const StatusWords& words);

  // Inserts a row at the index (past the end: appended) with the text in its first
  // column; it has a bar when both columns are set. Returns the row's index.
  int InsertProgressItem(int row, const QString& text);
  // Deletes every row with its bar.
  void DeleteAllProgressItems();

  int GetItemCount() const { return topLevelItemCount(); }
  // False for a row outside the list.
  [[nodiscard]] bool SetItemText(int row, int column, const QString& text);
  QString GetItemText(int row, int column) const;
  // A caller's value per row, pointer-sized; false for a row outside the list.
  [[nodiscard]] bool SetItemData(int row, LPARAM value);
  // 0 for a row outside the list or without a value.
  LPARAM GetItemData(int row) const;

  // The value of the row's bar, 0-100, or nullopt when it shows none (no bar, a
  // column unset, or a status that hides it).
  std::optional<int> RowPercent(int row) const;

 private:
  void RepaintBar(QTreeWidgetItem* item, int column);

  int barColumn_ = -1;
  int statusColumn_ = -1;
  StatusWords words_;
};
