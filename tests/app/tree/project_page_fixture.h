#pragma once
// The project page under test: recording stand-ins for the canvas, the frame and the
// main window, a page whose commands are recorded, and a project to build it over.
#include <QApplication>
#include <QTreeWidget>

#include <functional>
#include <tuple>
#include <utility>
#include <vector>

#include "app/tree/main_dialog.h"
#include "app/tree/project_tree_items.h"
#include "app/tree/tree_menus.h"
#include "controls/shell/program_messages.h"
#include "controls/shell/window_globals.h"
#include "controls/support/command_action.h"
#include "model/common/bounded_text.h"
#include "model/project/project_editing.h"
#include "model/project/project_globals.h"
#include "model/settings/lang_text.h"
#include "tests/app/app_fixture.h"
#include "tests/support/recording_window.h"

namespace pagetest {

using testsupport::Message;
using testsupport::RecordingWindow;

// The page with the commands it gets recorded and a copied item settable.
class RecordingPage : public CMainDialog {
 public:
  using CMainDialog::CMainDialog;
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == WM_COMMAND) commands.push_back(wParam);
    return CMainDialog::WindowProc(msg, wParam, lParam);
  }
  void SetCopiedItem(QTreeWidgetItem* item) { copiedItem_ = item; }
  std::vector<WPARAM> commands;
};

constexpr WPARAM kOpMinus1 = static_cast<WPARAM>(-1);

inline Message Canvas(WPARAM op, LPARAM arg) { return {UM_CANVAS_COMMAND, op, arg}; }

inline ScreenRecord& AddScreen(const QString& name, int ledColor, int width = 128,
                               int height = 32) {
  ScreenRecord& screen = ScreenList.emplace_back();
  CopyBoundedText(screen.LedName, name);
  screen.LedNo = static_cast<int>(ScreenList.size());
  screen.LedColor = ledColor;
  screen.LedWidth = width;
  screen.LedHeight = height;
  return screen;
}

inline ProgramRecord& AddNamedProgram(ScreenRecord& screen, const QString& name, int checked) {
  ProgramRecord& program = AddProgram(screen);
  CopyBoundedText(program.ProgramName, name);
  program.CheckState = checked;
  return program;
}

inline AreaRecord& AddNamedArea(ProgramRecord& program, int kind, const QString& name) {
  AreaRecord* area = AddArea(program, kind);
  if (!area) {  // a kind the model does not make: made by hand, as a damaged file gives
    area = program.Areas.emplace_back(std::make_unique<AreaRecord>()).get();
    area->AreaType = kind;
    area->OwnerProgram = &program;
    area->OwnerScreen = program.OwnerScreen;
  }
  CopyBoundedText(area->AreaName, name);
  return *area;
}

class ProjectPageTest : public apptest::AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    SelectLanguageFile(2);
    ClearProjectModel();
    PreviewCanvasWindow = canvas.Handle();
    PreviewFrameWindow = frame.Handle();
    MainWindowHandle = mainWindow.Handle();
  }
  void TearDown() override {
    page.reset();
    PreviewCanvasWindow = PreviewFrameWindow = MainWindowHandle = nullptr;
    ClearProjectModel();
    AppTest::TearDown();
  }

  // Screen A (single colour): program P1 with a single line and an analog clock,
  // program P2 (unchecked) with an area of an unknown kind; screen B (two colours)
  // without programs; screen C (colour type 3) with one program.
  void MakeProject() {
    ScreenRecord& a = AddScreen(QStringLiteral("Screen A"), 0);
    ProgramRecord& p1 = AddNamedProgram(a, QStringLiteral("P1"), 1);
    a1 = &AddNamedArea(p1, kSingleLineArea, QStringLiteral("Sign"));
    a2 = &AddNamedArea(p1, kAnalogClockArea, QStringLiteral("Watch"));
    ProgramRecord& p2 = AddNamedProgram(a, QStringLiteral("P2"), 0);
    b1 = &AddNamedArea(p2, 9, QStringLiteral("Odd"));
    AddScreen(QStringLiteral("Screen B"), 1, 64, 16);
    ScreenRecord& c = AddScreen(QStringLiteral("Screen C"), 3);
    AddNamedProgram(c, QStringLiteral("P3"), 1);
  }

  void Open(MainDialogHooks hooks = {}) {
    if (!hooks.showMenu) {
      hooks.showMenu = [this](KvMenu& menu, const QPoint&) -> QAction* {
        ++menusShown;
        menuItems.clear();
        QAction* chosen = nullptr;
        for (int i = 0; i < menu.actions().size(); ++i) {
          const KvMenuData data = *menu.ItemData(i);
          menuItems.emplace_back(data.commandId, menu.actions()[i]->isEnabled());
          if (data.commandId == chooseCommand) chosen = menu.actions()[i];
          for (QAction* inPopup :
               menu.GetSubMenu(i) ? menu.GetSubMenu(i)->actions() : QList<QAction*>()) {
            if (CommandIdOf(inPopup) == chooseCommand) chosen = inPopup;
          }
        }
        if (onMenu) onMenu(menu);
        return chooseCommand ? chosen : nullptr;
      };
    }
    if (!hooks.ask) {
      hooks.ask = [this](const QString& text, int style) {
        asked.emplace_back(text, style);
        return askAnswer;
      };
    }
    page = std::make_unique<RecordingPage>(nullptr, std::move(hooks));
    page->resize(793, 552);
    page->BuildTreeFromModel();
  }

  QTreeWidget& Tree() { return page->Tree(); }
  QTreeWidgetItem* Item(int screen, int program = -1, int area = -1) {
    QTreeWidgetItem* item = Tree().topLevelItem(screen);
    if (item && program >= 0) item = item->child(program);
    if (item && area >= 0) item = item->child(area);
    return item;
  }
  void Select(QTreeWidgetItem* item) {
    canvas.Take();
    frame.Take();
    mainWindow.Take();
    Tree().setCurrentItem(item);
  }
  // The pages shown, by slot.
  std::vector<PageSlot> ShownPages() {
    std::vector<PageSlot> shown;
    for (int slot = 0; slot < kPageCount; ++slot) {
      if (page->Page(static_cast<PageSlot>(slot)).isVisibleTo(page.get())) {
        shown.push_back(static_cast<PageSlot>(slot));
      }
    }
    return shown;
  }
  bool MenuItemEnabled(UINT command) {
    for (const auto& [id, enabled] : menuItems) {
      if (id == command) return enabled;
    }
    ADD_FAILURE() << "no menu item " << command;
    return false;
  }

  RecordingWindow canvas, frame, mainWindow;
  std::unique_ptr<RecordingPage> page;
  AreaRecord *a1 = nullptr, *a2 = nullptr, *b1 = nullptr;
  int menusShown = 0;
  UINT chooseCommand = 0;  // the command the menus answer, 0 none
  std::function<void(KvMenu&)> onMenu;
  std::vector<std::pair<QString, int>> asked;  // the page's questions, with their style
  int askAnswer = 2;                           // Cancel
  std::vector<std::pair<UINT, bool>> menuItems;
};

}  // namespace pagetest
