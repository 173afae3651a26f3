#pragma once
// The model half of selecting a project-tree item.

#include "model/project/project_records.h"

// The screen an item belongs to: the screen itself, or the owner screen of a program
// or area; null for a reference of no known kind.
ScreenRecord* ScreenOf(const TreeItemRef& item);

// Makes `item` the selection: CurrentSelection points at it, CurrentScreenNo becomes
// its screen's LedNo and PaletteKind follows the screen's colour type. Null clears
// the selection and leaves the rest. The view stores its tree-item handles in the
// records itself.
void SelectTreeItem(TreeItemRef* item);
