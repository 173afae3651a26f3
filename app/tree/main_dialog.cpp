#include "app/tree/main_dialog.h"

#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>

#include <algorithm>

#include "app/builder/program_builder.h"
#include "app/prerender/screen_program.h"
#include "app/tree/play_programs.h"
#include "app/tree/project_tree_items.h"
#include "app/tree/tree_menus.h"
#include "controls/dialogs/style_message_dialog.h"
#include "controls/shell/program_messages.h"
#include "controls/shell/window_globals.h"
#include "model/project/project_editing.h"
#include "model/project/project_globals.h"
#include "model/project/screen_import.h"
#include "model/project/selection.h"
#include "model/settings/ui/dlg_lang_text.h"

namespace {

// UM_CANVAS_COMMAND operations the road sends.
constexpr WPARAM kCanvasReset = 0;  // drop every player and the edit canvas
constexpr WPARAM kCanvasEdit = 1;   // edit the listed program, lParam the selected position
constexpr WPARAM kCanvasBlank = static_cast<WPARAM>(-1);  // drop everything, show nothing

MainDialogHooks WithDefaults(MainDialogHooks hooks) {
  if (!hooks.today) hooks.today = [] { return QDate::currentDate(); };
  if (!hooks.now) hooks.now = [] { return QDateTime::currentDateTime(); };
  if (!hooks.ask) hooks.ask = ShowStyleMessage;
  if (!hooks.showMenu) {
    hooks.showMenu = [](KvMenu& menu, const QPoint& at) { return menu.exec(at); };
  }
  return hooks;
}

void SendScreenSize(const ScreenRecord* screen) {
  if (!screen) return;
  SendMessage(PreviewFrameWindow, UM_SCREEN_SIZE_CHANGED, static_cast<WPARAM>(screen->LedWidth),
              screen->LedHeight);
}

// The 1-based position of the area in CanvasAreaList, found by its tree item; 0 when
// it is not there.
LPARAM CanvasPositionOf(const QTreeWidgetItem* areaItem) {
  const auto it = std::find_if(CanvasAreaList.begin(), CanvasAreaList.end(),
                               [areaItem](const AreaRecord* a) { return a->TreeItem == areaItem; });
  return it == CanvasAreaList.end() ? 0 : (it - CanvasAreaList.begin()) + 1;
}

bool InScreenList(const ScreenRecord* screen) {
  return std::any_of(ScreenList.begin(), ScreenList.end(),
                     [screen](const ScreenRecord& s) { return &s == screen; });
}

bool IsUnder(const QTreeWidgetItem* item, const QTreeWidgetItem& root) {
  for (; item; item = item->parent()) {
    if (item == &root) return true;
  }
  return false;
}

}  // namespace

CMainDialog::CMainDialog(QWidget* parent, MainDialogHooks hooks)
    : QWidget(parent), hooks_(WithDefaults(std::move(hooks))) {
  OnInitDialog();
}

CMainDialog::~CMainDialog() {
  if (ProjectTreeControl == tree_) ProjectTreeControl = nullptr;
  if (AreaPageWindow == pages_[static_cast<std::size_t>(PageSlot::AreaRect)].handle) {
    AreaPageWindow = nullptr;
  }
  // The items go with the tree: nothing may point into them afterwards.
  DeleteAllItems();
}

void CMainDialog::OnInitDialog() {
  setAutoFillBackground(true);
  CreateToolBar();
  CreateAddAreaStrip();
  CreateTree();
  CreatePages();
  ApplyLanguage();
  RegisterLanguageTexts();
  ProjectTreeControl = tree_;
}

void CMainDialog::CreateTree() {
  tree_ = new QTreeWidget(this);
  SetControlId(tree_, IDC_TREE);
  tree_->setHeaderHidden(true);
  tree_->setIconSize(QSize(24, 24));
  tree_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tree_->setSelectionMode(QAbstractItemView::SingleSelection);
  tree_->setContextMenuPolicy(Qt::CustomContextMenu);
  tree_->setGeometry(74, 36, kPagesLeft - 80, height() - 40);
  connect(tree_, &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem* current) { OnTreeSelChanged(current); });
  connect(tree_, &QTreeWidget::itemChanged, this,
          [this](QTreeWidgetItem* item) { OnCheckChanged(item); });
  connect(tree_, &QTreeWidget::customContextMenuRequested, this,
          [this](const QPoint& pos) { OnTreeRightClick(pos); });
  WatchKeys(tree_);
}

QWidget& CMainDialog::Page(PageSlot slot) { return *MadePage(slot).widget; }

QToolButton& CMainDialog::AddAreaButton(int kind) {
  return *addAreaButtons_[static_cast<std::size_t>(std::clamp(kind, 1, 7) - 1)];
}

int CMainDialog::CollectPlayPrograms(int flag) {
  return ::CollectPlayPrograms(CurrentSelection, flag);
}

// The selection road -------------------------------------------------------------

void CMainDialog::SendCanvas(WPARAM operation, LPARAM argument) {
  SendMessage(PreviewCanvasWindow, UM_CANVAS_COMMAND, operation, argument);
}

void CMainDialog::OnTreeSelChanged(QTreeWidgetItem* current) {
  ProjectTreeItem* item = AsProjectItem(current);
  if (!item) {
    // An emptied tree leaves nothing selected; otherwise nothing happens.
    if (tree_->topLevelItemCount() == 0) ClearSelection();
    return;
  }
  TreeItemRef& ref = item->Ref();
  SelectTreeItem(&ref);
  SendScreenSize(ScreenOf(ref));
  if (ref.Screen()) {
    CanvasAreaList.clear();
    listed_ = nullptr;
    SendCanvas(kCanvasBlank, 0);
  } else if (ref.Program()) {
    ListProgram(*item);
    SendCanvas(kCanvasEdit, 0);
  } else if (ref.Area()) {
    if (ProjectTreeItem* programItem = AsProjectItem(item->parent())) ListProgram(*programItem);
    SendCanvas(kCanvasEdit, CanvasPositionOf(item));
  }
  SendMessage(MainWindowHandle, UM_STATUS_REFRESH, 0, 0);
  ShowPagesForSelection();
}

void CMainDialog::ListProgram(ProjectTreeItem& programItem) {
  ProgramRecord* program = programItem.Ref().Program();
  if (!program) return;
  program->TreeItem = &programItem;
  if (&programItem == listed_) return;
  // The canvas drops the previous program's players before the list changes under it.
  SendCanvas(kCanvasReset, 0);
  CanvasAreaList.clear();
  for (int i = 0; i < programItem.childCount(); ++i) {
    ProjectTreeItem* areaItem = AsProjectItem(programItem.child(i));
    AreaRecord* area = areaItem ? areaItem->Ref().Area() : nullptr;
    if (!area) continue;
    area->TreeItem = areaItem;
    CanvasAreaList.push_back(area);
  }
  listed_ = &programItem;
}

void CMainDialog::ClearSelection() {
  SelectTreeItem(nullptr);
  CanvasAreaList.clear();
  listed_ = nullptr;
  SendCanvas(kCanvasBlank, 0);
  HideAllPages();
}

void CMainDialog::SelectItem(QTreeWidgetItem* item) {
  if (tree_->currentItem() == item) {
    OnTreeSelChanged(item);
  } else {
    tree_->setCurrentItem(item);
  }
}

void CMainDialog::OnCheckChanged(QTreeWidgetItem* item) {
  ProjectTreeItem* programItem = AsProjectItem(item);
  ProgramRecord* program = programItem ? programItem->Ref().Program() : nullptr;
  if (program) program->CheckState = item->checkState(0) == Qt::Checked ? 1 : 0;
}

// Building the tree from the model ---------------------------------------------

void CMainDialog::DeleteAllItems() {
  const bool blocked = tree_->blockSignals(true);
  tree_->clear();
  tree_->blockSignals(blocked);
  // The references lived in the items.
  CurrentSelection = nullptr;
  listed_ = nullptr;
  copiedItem_ = nullptr;
}

void CMainDialog::BuildTreeFromModel() {
  DeleteAllItems();
  for (ScreenRecord& screen : ScreenList) {
    ProjectTreeItem* item = NewScreenItem(screen);
    AddProgramItems(*item, screen);
    tree_->addTopLevelItem(item);
    ExpandScreenBranch(*item);
  }
  if (tree_->topLevelItemCount() == 0) {
    ClearSelection();
    return;
  }
  SelectItem(tree_->topLevelItem(0));
}

void CMainDialog::ShowScreenBranch(ScreenRecord& screen) {
  ProjectTreeItem* item = FindScreenItem(*tree_, screen);
  if (item) {
    for (int i = 0; i < item->childCount(); ++i) ForgetItemsUnder(*item->child(i));
    qDeleteAll(item->takeChildren());
    item->setText(0, TreeLabelOf(item->Ref()));
  } else {
    item = NewScreenItem(screen);
    tree_->addTopLevelItem(item);
  }
  screen.TreeItem = item;
  AddProgramItems(*item, screen);
  ExpandScreenBranch(*item);
  SelectItem(item);
}

void CMainDialog::ForgetItemsUnder(QTreeWidgetItem& item) {
  if (IsUnder(listed_, item)) listed_ = nullptr;
  if (IsUnder(copiedItem_, item)) copiedItem_ = nullptr;
  // The selection is the current item's reference.
  if (IsUnder(tree_->currentItem(), item)) CurrentSelection = nullptr;
}

// Messages and commands ---------------------------------------------------------

namespace {

// The program set of the screen's checked programs, sent as it is built here: stale
// text and table frame files rendered again and flash content recorded first. The
// receiver owns it (KQ_DeleteProgram); null without a screen.
ProgramHandle BuildScreenProgramFor(ScreenRecord* screen, const ProjectTreeItems& tree) {
  if (screen == nullptr) return nullptr;
  ScreenSendJob job;
  CollectCheckedPrograms(*screen, tree, job, false);
  return PrepareScreenProgram(job).release();
}

}  // namespace

LRESULT CMainDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_COMMAND: OnCommand(wParam); break;
    case UM_RENAME_SCREEN_NODE:
      RenameScreenItem(reinterpret_cast<const ScreenRecord*>(wParam));
      break;
    case UM_SCREEN_ROOT: OnScreenRoot(wParam, lParam); break;
    case UM_RETEXT_SELECTED_NODE: RetextSelectedItem(); break;
    case UM_HAS_COPIED_ITEM: return copiedItem_ ? 1 : 0;
    case UM_BUILD_SCREEN_PROGRAM:
      return reinterpret_cast<LRESULT>(
          BuildScreenProgramFor(reinterpret_cast<ScreenRecord*>(wParam), *this));
    default: break;
  }
  return MessageWindow::WindowProc(msg, wParam, lParam);
}

void CMainDialog::OnScreenRoot(WPARAM operation, LPARAM argument) {
  switch (operation) {
    case 0: {
      auto* screen = reinterpret_cast<ScreenRecord*>(argument);
      if (InScreenList(screen)) AddScreenRoot(*screen);
      break;
    }
    case 1: DeleteScreenRoot(argument); break;
    case 2:
      if (argument >= 0 && argument < tree_->topLevelItemCount()) {
        SelectItem(tree_->topLevelItem(static_cast<int>(argument)));
      }
      break;
    case 3: {
      auto* screen = reinterpret_cast<ScreenRecord*>(argument);
      if (InScreenList(screen)) ShowScreenBranch(*screen);
      break;
    }
    default: break;
  }
}

void CMainDialog::AddScreenRoot(ScreenRecord& screen) {
  ProjectTreeItem* item = NewScreenItem(screen);
  tree_->addTopLevelItem(item);
  SelectItem(item);
  // A new screen always starts with one program.
  AddProgram();
}

void CMainDialog::DeleteScreenRoot(LPARAM index) {
  if (index < 0 || index >= tree_->topLevelItemCount()) return;
  QTreeWidgetItem* root = tree_->topLevelItem(static_cast<int>(index));
  ForgetItemsUnder(*root);
  // Taken out first, so the selection moves to an item whose records stay; then the
  // screen's programs and areas are freed and the items deleted.
  std::unique_ptr<QTreeWidgetItem> taken(tree_->takeTopLevelItem(static_cast<int>(index)));
  if (ProjectTreeItem* item = AsProjectItem(taken.get())) {
    static_cast<void>(FreeScreenBranch(item->Ref()));
  }
  if (tree_->topLevelItemCount() == 0) ClearSelection();
  tree_->setFocus();
}

void CMainDialog::RenameScreenItem(const ScreenRecord* screen) {
  if (!screen) return;
  if (ProjectTreeItem* item = FindScreenItem(*tree_, *screen)) {
    item->setText(0, TreeLabelOf(item->Ref()));
  }
}

void CMainDialog::RetextSelectedItem() {
  QTreeWidgetItem* item = tree_->currentItem();
  if (!item || !CurrentSelection || CurrentSelection->Screen()) return;
  item->setText(0, TreeLabelOf(*CurrentSelection));
}
