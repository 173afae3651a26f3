#pragma once
// CMainDialog (IDD_MAIN_DIALOG): the project page of the main window. On its left the
// project tree over the model (screens, their programs, the programs' areas), the
// strip of seven add-area buttons beside it and the toolbar above it; on its right
// the property pages that fit the selected item. Selecting an item makes it the
// CurrentSelection and re-targets the preview frame, the canvas, the status bar and
// the pages. The model owns the records; changes go to the model first, then to the
// items. The frame, the canvas and the main window are reached through their
// published handles.

#include <QDate>
#include <QDateTime>
#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>

#include "app/tree/left_ctrl_tracker.h"
#include "controls/animation/step_animation.h"
#include "controls/shell/project_page_ids.h"
#include "model/project/clear_project.h"
#include "model/project/project_records.h"
#include "platform/message_window.h"

class CMyToolBar;
class CToolbarFrame;
class KvMenu;
class ProjectTreeItem;
class QAction;
class QPushButton;
class QTabBar;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

// The property pages by their place on the page.
enum class PageSlot {
  Summary,
  Program,
  AreaRect,
  SingleLine,  // the content pages of area kinds 1-7 follow in kind order
  ImageText,
  FlashWords,
  DigitalClock,
  AnalogClock,
  Countdown,
  Files,
  Border,
  Background,
};
constexpr int kPageCount = 12;

// What the page takes from outside, replaceable in tests.
struct MainDialogHooks {
  std::function<QDate()> today;    // the start date of a new program
  std::function<QDateTime()> now;  // the countdown of a new countdown area starts here
  // Asks the user (ShowStyleMessage): text and style in, the button pressed out.
  std::function<int(const QString& text, int style)> ask;
  // Shows a context menu at a screen point and answers the chosen action or null.
  std::function<QAction*(KvMenu& menu, const QPoint& globalPos)> showMenu;
};

class CMainDialog : public QWidget, public MessageWindow, public ProjectTreeItems {
 public:
  // The add-area buttons by area kind 1-7 (index kind - 1).
  static constexpr int kAddAreaButtonIds[7] = {
      IDC_ADD_SINGLE_LINE,  IDC_ADD_IMAGE_TEXT, IDC_ADD_FLASH_WORDS, IDC_ADD_DIGITAL_CLOCK,
      IDC_ADD_ANALOG_CLOCK, IDC_ADD_COUNTDOWN,  IDC_ADD_FILES};
  // The width of the tree column left of the pages.
  static constexpr int kPagesLeft = 275;

  explicit CMainDialog(QWidget* parent = nullptr, MainDialogHooks hooks = {});
  ~CMainDialog() override;

  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  // The buttons' and tabs' texts from the current language file.
  void ApplyLanguage();

  // Fills PlayList for the preview from the selection (see play_programs.h).
  int CollectPlayPrograms(int flag);

  // The tree over ScreenList after a project was loaded: every screen with its
  // programs and areas in model order, programs expanded, the first screen selected.
  void BuildTreeFromModel();
  // The branch of one screen built again from the model after an import replaced its
  // programs, or appended for a screen that has no item yet; the screen selected.
  void ShowScreenBranch(ScreenRecord& screen);

  // Removes every item without running the selection road (ClearProject).
  void DeleteAllItems() override;

  QTreeWidget& Tree() { return *tree_; }
  QWidget& Page(PageSlot slot);
  QTabBar& Tabs() { return *tabBar_; }
  QWidget& TabControl() { return *tabControl_; }
  QToolButton& AddAreaButton(int kind);
  QPushButton& CollapseButton() { return *collapse_; }
  CMyToolBar& ToolBar() { return *toolbar_; }
  bool StripShown() const { return stripShown_; }
  // The program item whose areas CanvasAreaList holds, or null.
  QTreeWidgetItem* ListedProgramItem() const { return listed_; }

 protected:
  // The page's keys (PreTranslateMessage): those of its own controls.
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Enter, Esc and Space that reach the page are consumed.
  void keyPressEvent(QKeyEvent* event) override;
  // The tree and the tab control reach down to the page's bottom.
  void resizeEvent(QResizeEvent* event) override;

  // The program or area item last copied, or null.
  QTreeWidgetItem* copiedItem_ = nullptr;

 public:
  // A property page and its handle.
  struct PageWindow {
    QWidget* widget = nullptr;
    HWND handle = nullptr;
  };

 private:
  void OnInitDialog();
  void CreateTree();
  void CreateAddAreaStrip();
  void CreateToolBar();
  void CreatePages();
  // The page of a slot, made (with its texts registered) the first time.
  PageWindow& MadePage(PageSlot slot);
  // The page in the table of windows a language switch re-texts.
  void RegisterLanguageTexts();
  void WatchKeys(QWidget* control);

  // The selection road and the pages.
  static void SendCanvas(WPARAM operation, LPARAM argument);
  void OnTreeSelChanged(QTreeWidgetItem* current);
  void ListProgram(ProjectTreeItem& programItem);
  void ClearSelection();
  void ShowPagesForSelection();
  void ShowPages(std::initializer_list<PageSlot> shown, int tabCount);
  void HideAllPages();
  void LoadPage(PageSlot slot);
  void OnTabSelChange(int tab);
  void SelectItem(QTreeWidgetItem* item);

  // Input.
  void OnTreeRightClick(const QPoint& pos);
  bool HitsItemContent(QTreeWidgetItem* item, const QPoint& pos) const;
  bool PreTranslateKey(QObject* watched, const QKeyEvent& key);
  void OnCollapse();
  void OnAddAreaButton(int kind);
  void OnCheckChanged(QTreeWidgetItem* item);

  // Commands and messages.
  void OnCommand(WPARAM command);
  void AddProgram();
  void AddProgramTo(ProjectTreeItem& screenItem);
  void ShowAddAreaPopup();
  void AddArea(int kind);
  void CopyItem();
  void PasteItem();
  void DeleteItem();
  void DeleteArea(ProjectTreeItem& item, AreaRecord& area);
  void DeleteProgram(ProjectTreeItem& item, ProgramRecord& program);
  void MoveItem(bool up);
  // The program a new or pasted area goes to: the selected program, the parent of a
  // selected area, or the first program of a selected screen; null when none.
  ProjectTreeItem* TargetProgramItem();
  void OnScreenRoot(WPARAM operation, LPARAM argument);
  void AddScreenRoot(ScreenRecord& screen);
  void DeleteScreenRoot(LPARAM index);
  void RenameScreenItem(const ScreenRecord* screen);
  void RetextSelectedItem();
  // Clears every reference into the item and its descendants before they go.
  void ForgetItemsUnder(QTreeWidgetItem& item);

  MainDialogHooks hooks_;
  QTreeWidget* tree_ = nullptr;
  QPushButton* collapse_ = nullptr;
  std::array<QToolButton*, 7> addAreaButtons_{};
  CToolbarFrame* toolbarFrame_ = nullptr;
  CMyToolBar* toolbar_ = nullptr;
  QWidget* tabControl_ = nullptr;
  QTabBar* tabBar_ = nullptr;
  std::array<PageWindow, kPageCount> pages_{};
  QTreeWidgetItem* listed_ = nullptr;
  bool stripWanted_ = true;  // the collapse flag
  bool stripShown_ = true;
  StepAnimation stripAnimation_;  // the add-area strip sliding in or out
  LeftCtrlTracker leftCtrl_;
};
