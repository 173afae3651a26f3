// CMainDialog: the commands that change the project. The model changes first, then
// the items; an item leaves the tree before its records are freed, so the selection
// road always runs on live records.

#include <QCursor>
#include <QTreeWidget>

#include <memory>

#include "app/tree/main_dialog.h"
#include "app/tree/new_area.h"
#include "app/tree/new_program.h"
#include "app/tree/project_tree_items.h"
#include "app/tree/tree_menus.h"
#include "controls/dialogs/style_message_dialog.h"
#include "controls/shell/program_messages.h"
#include "controls/shell/project_page_ids.h"
#include "controls/shell/window_globals.h"
#include "controls/support/command_action.h"
#include "model/project/area_copy.h"
#include "model/project/project_editing.h"
#include "model/project/project_globals.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"

namespace {

// The context menu's copy, paste and delete come back as the toolbar's, in the same order.
constexpr WPARAM kMenuToToolbarCommand = ID_TREE_MENU_COPY - ID_TREE_COPY;
static_assert(ID_TREE_MENU_PASTE - ID_TREE_PASTE == kMenuToToolbarCommand &&
              ID_TREE_MENU_DELETE - ID_TREE_DELETE == kMenuToToolbarCommand);

// UM_CANVAS_COMMAND operations the commands send.
constexpr WPARAM kCanvasAddLast = 4;     // a player for the last area of CanvasAreaList
constexpr WPARAM kCanvasRemoveLast = 5;  // drop the last player and list entry
constexpr WPARAM kCanvasPause = 6;       // stop drawing until the next reset

constexpr int kDeleteProgramText = 1010;       // IDD_MAIN_DIALOG
constexpr int kAskOkCancelInformation = 0x41;  // ShowStyleMessage style
constexpr WPARAM kPlaySelectedProgram = 1;     // UM_PLAY_TOGGLE's wParam

ProjectTreeItem* RootOf(QTreeWidgetItem* item) {
  while (item && item->parent()) item = item->parent();
  return AsProjectItem(item);
}

}  // namespace

void CMainDialog::OnCommand(WPARAM command) {
  switch (command) {
    case ID_TREE_ADD_PROGRAM:
    case ID_TREE_MENU_ADD_PROGRAM: AddProgram(); break;
    case ID_TREE_ADD_AREA: ShowAddAreaPopup(); break;
    case ID_TREE_COPY: CopyItem(); break;
    case ID_TREE_PASTE: PasteItem(); break;
    case ID_TREE_DELETE: DeleteItem(); break;
    case ID_TREE_MOVE_UP:
    case ID_TREE_MENU_MOVE_UP: MoveItem(true); break;
    case ID_TREE_MOVE_DOWN:
    case ID_TREE_MENU_MOVE_DOWN: MoveItem(false); break;
    case ID_TREE_MENU_COPY:
    case ID_TREE_MENU_PASTE:
    case ID_TREE_MENU_DELETE:
      SendMessage(Handle(), WM_COMMAND, command - kMenuToToolbarCommand, 0);
      break;
    case ID_TREE_MENU_PREVIEW:
      SendMessage(MainWindowHandle, UM_PLAY_TOGGLE, kPlaySelectedProgram, 0);
      break;
    default:
      if (const int kind = AddAreaKindOf(static_cast<UINT>(command))) AddArea(kind);
      break;
  }
}

void CMainDialog::AddProgram() {
  if (ProjectTreeItem* screenItem = RootOf(tree_->currentItem())) AddProgramTo(*screenItem);
}

void CMainDialog::AddProgramTo(ProjectTreeItem& screenItem) {
  ScreenRecord* screen = screenItem.Ref().Screen();
  if (!screen) return;
  ProgramRecord& program = ::AddProgram(*screen);
  SetNewProgramDefaults(program, hooks_.today());
  program.CheckState = 1;  // a new program is chosen for sending
  ProjectTreeItem* item = NewProgramItem(program);
  screenItem.addChild(item);
  screenItem.setExpanded(true);
  SelectItem(item);
  tree_->setFocus();
}

void CMainDialog::ShowAddAreaPopup() {
  ProjectTreeItem* selected = AsProjectItem(tree_->currentItem());
  if (selected && selected->Ref().Screen()) return;
  const std::unique_ptr<KvMenu> menu = BuildAddAreaMenu();
  static_cast<void>(SendCommandOf(hooks_.showMenu(*menu, QCursor::pos()), Handle()));
}

ProjectTreeItem* CMainDialog::TargetProgramItem() {
  ProjectTreeItem* selected = AsProjectItem(tree_->currentItem());
  if (!selected) return nullptr;
  const TreeItemRef& ref = selected->Ref();
  if (ref.Program()) return selected;
  if (ref.Area()) return AsProjectItem(selected->parent());
  return ref.Screen() ? AsProjectItem(selected->child(0)) : nullptr;
}

void CMainDialog::AddArea(int kind) {
  ProjectTreeItem* selected = AsProjectItem(tree_->currentItem());
  // A screen without programs gets its first one, which becomes the selection.
  if (selected && selected->Ref().Screen() && selected->childCount() == 0) AddProgram();
  ProjectTreeItem* programItem = TargetProgramItem();
  ProgramRecord* program = programItem ? programItem->Ref().Program() : nullptr;
  AreaRecord* area = program ? AddNewArea(*program, kind, hooks_.now()) : nullptr;
  if (!area) return;
  ProjectTreeItem* item = NewAreaItem(*area);
  programItem->addChild(item);
  CanvasAreaList.push_back(area);
  SendCanvas(kCanvasAddLast, 0);
  programItem->setExpanded(true);
  SelectItem(item);
  tree_->setFocus();
}

void CMainDialog::CopyItem() {
  ProjectTreeItem* selected = AsProjectItem(tree_->currentItem());
  if (selected && !selected->Ref().Screen()) copiedItem_ = selected;
}

void CMainDialog::PasteItem() {
  ProjectTreeItem* copied = AsProjectItem(copiedItem_);
  if (!copied || !tree_->currentItem()) return;
  ProjectTreeItem* pasted = nullptr;
  if (const AreaRecord* source = copied->Ref().Area()) {
    ProjectTreeItem* programItem = TargetProgramItem();
    ProgramRecord* program = programItem ? programItem->Ref().Program() : nullptr;
    if (!program) return;
    // Content files that cannot be copied are left out: the copy shows those pages empty.
    AreaRecord* area = PasteAreaCopy(*source, *program).area;
    pasted = NewAreaItem(*area);
    programItem->addChild(pasted);
    CanvasAreaList.push_back(area);
    SendCanvas(kCanvasAddLast, 0);
  } else if (const ProgramRecord* source = copied->Ref().Program()) {
    ProjectTreeItem* screenItem = RootOf(tree_->currentItem());
    ScreenRecord* screen = screenItem ? screenItem->Ref().Screen() : nullptr;
    if (!screen) return;
    ProgramRecord* program = PasteProgramCopy(*source, *screen).program;
    pasted = NewProgramItem(*program);
    AddAreaItems(*pasted, *program);
    screenItem->addChild(pasted);
    pasted->setExpanded(true);
  }
  if (!pasted) return;
  SelectItem(pasted);
  tree_->setFocus();
}

void CMainDialog::DeleteItem() {
  ProjectTreeItem* selected = AsProjectItem(tree_->currentItem());
  if (!selected) return;
  if (AreaRecord* area = selected->Ref().Area()) {
    DeleteArea(*selected, *area);
  } else if (ProgramRecord* program = selected->Ref().Program()) {
    DeleteProgram(*selected, *program);
  }
  tree_->setFocus();
}

void CMainDialog::DeleteArea(ProjectTreeItem& item, AreaRecord& area) {
  QTreeWidgetItem* programItem = item.parent();
  if (!programItem) return;
  // The canvas drops the selected area, its last entry; without an edit canvas the
  // list still holds it, and it goes here.
  SendCanvas(kCanvasRemoveLast, 0);
  std::erase(CanvasAreaList, &area);
  ForgetItemsUnder(item);
  // Taking the item out selects the next one; then the record goes.
  const std::unique_ptr<QTreeWidgetItem> taken(
      programItem->takeChild(programItem->indexOfChild(&item)));
  static_cast<void>(RemoveArea(area));  // false only for a record its program does not hold
}

void CMainDialog::DeleteProgram(ProjectTreeItem& item, ProgramRecord& program) {
  ProjectTreeItem* screenItem = AsProjectItem(item.parent());
  ScreenRecord* screen = screenItem ? screenItem->Ref().Screen() : nullptr;
  if (!screen) return;
  const QString question = ReadLangText(lang_section::IDD_MAIN_DIALOG, kDeleteProgramText);
  if (hooks_.ask(question, kAskOkCancelInformation) != kIdOk) return;
  SendCanvas(kCanvasPause, 0);
  ForgetItemsUnder(item);
  // Taking the item out selects the next one (the road resets the canvas for another
  // program or blanks it for the screen); then the records go.
  const std::unique_ptr<QTreeWidgetItem> taken(
      screenItem->takeChild(screenItem->indexOfChild(&item)));
  static_cast<void>(RemoveProgram(program));  // false only for a record its screen does not hold
  // A screen always keeps a program.
  if (screen->Programs.empty()) AddProgramTo(*screenItem);
}

void CMainDialog::MoveItem(bool up) {
  ProjectTreeItem* selected = AsProjectItem(tree_->currentItem());
  QTreeWidgetItem* parent = selected ? selected->parent() : nullptr;
  if (!parent) return;  // screens do not move
  const int row = parent->indexOfChild(selected);
  const int neighbourRow = up ? row - 1 : row + 1;
  if (neighbourRow < 0 || neighbourRow >= parent->childCount()) return;
  const TreeItemRef& ref = selected->Ref();
  const bool moved = ref.Program() ? MoveProgram(*ref.Program(), up)
                     : ref.Area()  ? MoveArea(*ref.Area(), up)
                                   : false;
  if (!moved) return;
  // The neighbour goes to the other side; the selected item keeps its selection.
  QTreeWidgetItem* neighbour = parent->takeChild(neighbourRow);
  parent->insertChild(row, neighbour);
  if (ref.Area() == nullptr) neighbour->setExpanded(true);  // a program shows its areas
}
