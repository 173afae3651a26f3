#pragma once
// What the pages that list an area's items share (flash words, files): the item of
// the selected row, a selection made without running the list's handlers, a row moved
// with its item, and an item's frame file deleted.

#include <QListWidget>
#include <QSignalBlocker>
#include <QString>

#include <cstddef>
#include <utility>
#include <vector>

// The item of the list's selected row, or null (no items, no row).
template <typename Item>
Item* SelectedListItem(const QListWidget& list, std::vector<Item>* items) {
  const int row = list.currentRow();
  if (items == nullptr || row < 0 || row >= static_cast<int>(items->size())) return nullptr;
  return &(*items)[static_cast<std::size_t>(row)];
}

// Selects the row without running the list's selection handlers.
void SelectRowQuietly(QListWidget& list, int row);

// Swaps the selected row and its item with those step rows away (-1 the one before,
// +1 the one after); the row stays selected, without running the list's handlers.
// Nothing at either end.
template <typename Item>
void MoveSelectedRow(QListWidget& list, std::vector<Item>& items, int step) {
  const int row = list.currentRow();
  const int target = row + step;
  const int count = static_cast<int>(items.size());
  if (row < 0 || row >= count || target < 0 || target >= count || list.count() != count) return;
  std::swap(items[static_cast<std::size_t>(row)], items[static_cast<std::size_t>(target)]);
  const QSignalBlocker blocker(&list);
  list.insertItem(target, list.takeItem(row));
  list.setCurrentRow(target);
}

// Deletes the frame file of the content named by the GUID text, when there is one.
void RemoveFrameFileOf(const QString& guid);
