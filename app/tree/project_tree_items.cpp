#include "app/tree/project_tree_items.h"

#include <QIcon>
#include <QPixmap>

#include <array>

#include "app/tree/tree_art.h"
#include "model/common/bounded_text.h"

namespace {

const QIcon& TreeIcon(int image) {
  static const std::array<QIcon, kTreeImageCount> icons = [] {
    std::array<QIcon, kTreeImageCount> made;
    for (int i = 0; i < kTreeImageCount; ++i) {
      made[static_cast<std::size_t>(i)] = QIcon(QPixmap::fromImage(PaintTreeImage(i)));
    }
    return made;
  }();
  static const QIcon none;
  if (image < 0 || image >= kTreeImageCount) return none;
  return icons[static_cast<std::size_t>(image)];
}

ProjectTreeItem* NewItem(TreeItemRef ref) {
  auto* item = new ProjectTreeItem(ref);
  item->setText(0, TreeLabelOf(ref));
  item->setIcon(0, TreeIcon(TreeImageOf(ref)));
  return item;
}

}  // namespace

ProjectTreeItem::ProjectTreeItem(TreeItemRef ref) : QTreeWidgetItem(kType), ref_(ref) {
  // Labels are never edited in place: they always show the records' names.
  setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
}

ProjectTreeItem* AsProjectItem(QTreeWidgetItem* item) {
  return item && item->type() == ProjectTreeItem::kType ? static_cast<ProjectTreeItem*>(item)
                                                        : nullptr;
}

int TreeImageOf(const TreeItemRef& ref) {
  if (ref.Screen()) return 0;
  if (ref.Program()) return 1;
  if (const AreaRecord* area = ref.Area()) return area->AreaType + 1;
  return -1;
}

QString TreeLabelOf(const TreeItemRef& ref) {
  if (const ScreenRecord* screen = ref.Screen()) return ReadBoundedText(screen->LedName);
  if (const ProgramRecord* program = ref.Program()) return ReadBoundedText(program->ProgramName);
  if (const AreaRecord* area = ref.Area()) return ReadBoundedText(area->AreaName);
  return {};
}

ProjectTreeItem* NewScreenItem(ScreenRecord& screen) {
  ProjectTreeItem* item = NewItem(TreeItemRef::Of(screen));
  screen.TreeItem = item;
  return item;
}

ProjectTreeItem* NewProgramItem(ProgramRecord& program) {
  ProjectTreeItem* item = NewItem(TreeItemRef::Of(program));
  item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
  item->setCheckState(0, program.CheckState ? Qt::Checked : Qt::Unchecked);
  program.TreeItem = item;
  return item;
}

ProjectTreeItem* NewAreaItem(AreaRecord& area) {
  ProjectTreeItem* item = NewItem(TreeItemRef::Of(area));
  area.TreeItem = item;
  return item;
}

void AddAreaItems(ProjectTreeItem& programItem, ProgramRecord& program) {
  for (const auto& area : program.Areas) programItem.addChild(NewAreaItem(*area));
}

void AddProgramItems(ProjectTreeItem& screenItem, ScreenRecord& screen) {
  for (const auto& program : screen.Programs) {
    ProjectTreeItem* programItem = NewProgramItem(*program);
    screenItem.addChild(programItem);
    AddAreaItems(*programItem, *program);
  }
}

void ExpandScreenBranch(QTreeWidgetItem& screenItem) {
  screenItem.setExpanded(true);
  for (int i = 0; i < screenItem.childCount(); ++i) screenItem.child(i)->setExpanded(true);
}

ProjectTreeItem* FindScreenItem(const QTreeWidget& tree, const ScreenRecord& screen) {
  for (int i = 0; i < tree.topLevelItemCount(); ++i) {
    ProjectTreeItem* item = AsProjectItem(tree.topLevelItem(i));
    if (item && item->Ref().Record == &screen) return item;
  }
  return nullptr;
}
