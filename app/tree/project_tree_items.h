#pragma once
// The items of the project tree. Each carries the TreeItemRef of the record it shows,
// at a stable address for CurrentSelection; the records belong to the model, and
// each record's TreeItem is the item that shows it. Labels show the records' names.

#include <QTreeWidget>
#include <QTreeWidgetItem>

#include "model/project/project_records.h"

class ProjectTreeItem : public QTreeWidgetItem {
 public:
  static constexpr int kType = QTreeWidgetItem::UserType + 47;

  explicit ProjectTreeItem(TreeItemRef ref);
  TreeItemRef& Ref() { return ref_; }

 private:
  TreeItemRef ref_;
};

// The item as a project item; null for null or another kind of item.
ProjectTreeItem* AsProjectItem(QTreeWidgetItem* item);

// The tree's image of an item: 0 a screen, 1 a program, AreaType + 1 an area.
int TreeImageOf(const TreeItemRef& ref);

// The record's name: LedName, ProgramName or AreaName.
QString TreeLabelOf(const TreeItemRef& ref);

// New items for a record, labelled, with their image; the record's TreeItem is set.
// A program item has a check box, checked when CheckState is non-zero.
ProjectTreeItem* NewScreenItem(ScreenRecord& screen);
ProjectTreeItem* NewProgramItem(ProgramRecord& program);
ProjectTreeItem* NewAreaItem(AreaRecord& area);

// Appends the items of a program's areas under its item, in model order.
void AddAreaItems(ProjectTreeItem& programItem, ProgramRecord& program);

// Appends the items of a screen's programs and their areas under its item, in model
// order.
void AddProgramItems(ProjectTreeItem& screenItem, ScreenRecord& screen);

// Expands a screen item and its program items; the item must be in a tree.
void ExpandScreenBranch(QTreeWidgetItem& screenItem);

// The root item that shows the screen; null when none does.
ProjectTreeItem* FindScreenItem(const QTreeWidget& tree, const ScreenRecord& screen);
