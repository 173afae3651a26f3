// The project page: the selection road and the pages, the tree over the model and
// the page's messages, keys and the context menu, the preview's program choice, and a
// picture of the main window with a project of three screens.
#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QFile>
#include <QLineEdit>
#include <QTabBar>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include <utility>

#include "app/main_window/quendra_dlg.h"
#include "app/tree/main_dialog.h"
#include "app/tree/project_tree_items.h"
#include "app/tree/tree_menus.h"
#include "controls/animation/pane_slide.h"
#include "controls/shell/program_messages.h"
#include "controls/shell/project_page_ids.h"
#include "controls/shell/window_globals.h"
#include "device/info/led_info_dialog.h"
#include "editors/area_rect/area_set_dialog.h"
#include "editors/background/back_dialog.h"
#include "editors/clock/clock_dialog.h"
#include "editors/program_page/program_dialog.h"
#include "model/common/bounded_text.h"
#include "model/project/project_editing.h"
#include "model/project/project_file.h"
#include "model/project/project_globals.h"
#include "model/settings/lang_text.h"
#include "model/settings/ui/dlg_lang_text.h"
#include "sdk/Corvanix.h"
#include "tests/app/app_fixture.h"
#include "tests/app/tree/project_page_fixture.h"
#include "tests/support/screenshot.h"

using namespace pagetest;

TEST_F(ProjectPageTest, SelectionRoadDrivesFrameCanvasStatusAndPages) {
  MakeProject();
  Open();
  // The first screen is selected after the build.
  ASSERT_EQ(Tree().currentItem(), Item(0));
  EXPECT_EQ(CurrentSelection, &AsProjectItem(Item(0))->Ref());
  EXPECT_EQ(frame.Take(), std::vector<Message>{Message(UM_SCREEN_SIZE_CHANGED, 128, 32)});
  EXPECT_EQ(canvas.Take(), std::vector<Message>{Canvas(kOpMinus1, 0)});
  EXPECT_EQ(mainWindow.Take(), std::vector<Message>{Message(UM_STATUS_REFRESH, 0, 0)});
  EXPECT_EQ(ShownPages(), std::vector<PageSlot>{PageSlot::Summary});
  EXPECT_FALSE(page->TabControl().isVisibleTo(page.get()));
  EXPECT_EQ(
      static_cast<CLedInfoDialog&>(page->Page(PageSlot::Summary)).FieldText(CLedInfoDialog::kSize),
      QStringLiteral("128 * 32"));
  EXPECT_EQ(PaletteKind, 1);

  // A program: the canvas drops what it played before it edits the new list.
  Select(Item(0, 0));
  EXPECT_EQ(canvas.Take(), (std::vector<Message>{Canvas(0, 0), Canvas(1, 0)}));
  EXPECT_EQ(CanvasAreaList, (std::vector<AreaRecord*>{a1, a2}));
  EXPECT_EQ(ShownPages(), (std::vector<PageSlot>{PageSlot::Program, PageSlot::Border}));
  EXPECT_EQ(page->Tabs().count(), 1);

  // An area of the same program: its position, the list kept.
  std::get<ClockAreaInfo>(a2->Kind).ClockType = 1;  // square
  a2->IsUseBack = 1;
  Select(Item(0, 0, 1));
  EXPECT_EQ(canvas.Take(), std::vector<Message>{Canvas(1, 2)});
  EXPECT_EQ(CanvasAreaList, (std::vector<AreaRecord*>{a1, a2}));
  EXPECT_EQ(ShownPages(),
            (std::vector<PageSlot>{PageSlot::AreaRect, PageSlot::AnalogClock, PageSlot::Border}));
  EXPECT_EQ(page->Tabs().count(), 2);
  EXPECT_TRUE(static_cast<CBackDialog&>(page->Page(PageSlot::Background)).UseCheck().isChecked());
  // The clock page shows the area's record.
  EXPECT_EQ(
      static_cast<CClockDialog&>(page->Page(PageSlot::AnalogClock)).FaceTypeList().currentIndex(),
      1);
  EXPECT_EQ(static_cast<CAreaSetDialog&>(page->Page(PageSlot::AreaRect)).NameEdit().text(),
            QStringLiteral("Watch"));
  page->Tabs().setCurrentIndex(1);
  EXPECT_TRUE(page->Page(PageSlot::Background).isVisibleTo(page.get()));
  EXPECT_FALSE(page->Page(PageSlot::Border).isVisibleTo(page.get()));

  // An area of another program rebuilds the list; an unknown kind has no content page.
  Select(Item(0, 1, 0));
  EXPECT_EQ(canvas.Take(), (std::vector<Message>{Canvas(0, 0), Canvas(1, 1)}));
  EXPECT_EQ(CanvasAreaList, std::vector<AreaRecord*>{b1});
  EXPECT_EQ(ShownPages(), (std::vector<PageSlot>{PageSlot::AreaRect, PageSlot::Border}));

  // The palette follows colour types 0 and 1; type 3 leaves it.
  Select(Item(1));
  EXPECT_EQ(frame.Take(), std::vector<Message>{Message(UM_SCREEN_SIZE_CHANGED, 64, 16)});
  EXPECT_TRUE(CanvasAreaList.empty());
  EXPECT_EQ(PaletteKind, 2);
  EXPECT_EQ(CurrentScreenNo, 2);
  Select(Item(2, 0));
  EXPECT_EQ(PaletteKind, 2);
  EXPECT_EQ(CurrentScreenNo, 3);
}

TEST_F(ProjectPageTest, TreeShowsTheModelAndWritesChecksAndNewScreensToIt) {
  MakeProject();
  Open({[] { return QDate(2024, 2, 29); }, {}, {}, {}});
  ASSERT_EQ(Tree().topLevelItemCount(), 3);
  EXPECT_EQ(Item(0)->text(0), QStringLiteral("Screen A"));
  EXPECT_EQ(Item(0, 1)->text(0), QStringLiteral("P2"));
  EXPECT_EQ(Item(0, 0, 1)->text(0), QStringLiteral("Watch"));
  EXPECT_TRUE(Item(0, 0)->isExpanded());
  EXPECT_EQ(Item(0, 0)->checkState(0), Qt::Checked);
  EXPECT_EQ(Item(0, 1)->checkState(0), Qt::Unchecked);
  EXPECT_FALSE(Item(0)->data(0, Qt::CheckStateRole).isValid());
  EXPECT_FALSE(Item(0, 0, 0)->data(0, Qt::CheckStateRole).isValid());
  EXPECT_EQ(TreeImageOf(AsProjectItem(Item(0, 0, 1))->Ref()), kAnalogClockArea + 1);
  EXPECT_EQ(a2->TreeItem, Item(0, 0, 1));

  // A toggle is the record's check at once, and what the project file keeps.
  Item(0, 0)->setCheckState(0, Qt::Unchecked);
  Item(0, 1)->setCheckState(0, Qt::Checked);
  EXPECT_EQ(ScreenList.front().Programs[0]->CheckState, 0);
  const QString path = GetAppDir() + QStringLiteral("project/checks.kqprj");
  ASSERT_EQ(SaveProjectXml(path), 1);
  ClearProjectModel();
  page->DeleteAllItems();
  ASSERT_EQ(LoadProjectXml(path), 1);
  page->BuildTreeFromModel();
  EXPECT_EQ(Item(0, 0)->checkState(0), Qt::Unchecked);
  EXPECT_EQ(Item(0, 1)->checkState(0), Qt::Checked);

  // A new screen gets its root last and one program with the defaults; a year on from
  // 29 February is 28 February.
  ScreenRecord& d = AddScreen(QStringLiteral("Screen D"), 0);
  SendMessage(page->Handle(), UM_SCREEN_ROOT, 0, reinterpret_cast<LPARAM>(&d));
  ASSERT_EQ(Tree().topLevelItemCount(), 4);
  ASSERT_EQ(d.Programs.size(), 1u);
  const ProgramRecord& fresh = *d.Programs[0];
  EXPECT_EQ(ReadBoundedText(fresh.ProgramName), QStringLiteral("Program1"));
  EXPECT_EQ(std::tuple(fresh.PlayTime, fresh.LoopCount, fresh.StartHour, fresh.EndHour),
            std::tuple(60, 1, 6, 21));
  EXPECT_EQ(std::tuple(fresh.StartYear, fresh.StartMonth, fresh.StartDay), std::tuple(2024, 2, 29));
  EXPECT_EQ(std::tuple(fresh.EndYear, fresh.EndMonth, fresh.EndDay), std::tuple(2025, 2, 28));
  EXPECT_EQ(std::tuple(fresh.BorderColor, fresh.BorderStyle, fresh.CheckState),
            std::tuple(255u, 1, 1));
  EXPECT_EQ(Tree().currentItem(), Item(3, 0));
  EXPECT_EQ(Item(3, 0)->checkState(0), Qt::Checked);

  // 2 selects; 1 past the last root changes nothing.
  SendMessage(page->Handle(), UM_SCREEN_ROOT, 2, 1);
  EXPECT_EQ(Tree().currentItem(), Item(1));
  SendMessage(page->Handle(), UM_SCREEN_ROOT, 1, 4);
  EXPECT_EQ(Tree().topLevelItemCount(), 4);
  EXPECT_EQ(Tree().currentItem(), Item(1));

  // Renames show the records' names.
  CopyBoundedText(d.LedName, QStringLiteral("Renamed"));
  SendMessage(page->Handle(), UM_RENAME_SCREEN_NODE, reinterpret_cast<WPARAM>(&d), 0);
  EXPECT_EQ(Item(3)->text(0), QStringLiteral("Renamed"));

  // Deleting roots frees their programs; the last one leaves nothing selected.
  Select(Item(0, 0, 1));
  while (Tree().topLevelItemCount() > 0) SendMessage(page->Handle(), UM_SCREEN_ROOT, 1, 0);
  EXPECT_EQ(CurrentSelection, nullptr);
  EXPECT_TRUE(CanvasAreaList.empty());
  EXPECT_EQ(page->ListedProgramItem(), nullptr);
  ASSERT_FALSE(canvas.received.empty());
  EXPECT_EQ(canvas.received.back(), Canvas(kOpMinus1, 0));
  EXPECT_TRUE(ShownPages().empty());
  for (const ScreenRecord& screen : ScreenList) EXPECT_TRUE(screen.Programs.empty());
}

TEST_F(ProjectPageTest, KeysAndContextMenu) {
  MakeProject();
  Open();
  page->show();
  page->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(page.get()));
  Select(Item(0, 0));
  Tree().setFocus();

  QTest::keyClick(&Tree(), Qt::Key_Delete);
  auto sendKey = [this](QEvent::Type type, int key, Qt::KeyboardModifiers mods, quint32 native) {
    QKeyEvent event(type, key, mods, 0, native, 0);
    QApplication::sendEvent(&Tree(), &event);
  };
  sendKey(QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier, LeftCtrlTracker::kControlL);
  sendKey(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier, 'c');
  sendKey(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier, 'v');
  sendKey(QEvent::KeyRelease, Qt::Key_Control, Qt::NoModifier, LeftCtrlTracker::kControlL);
  // The right Ctrl alone copies nothing.
  sendKey(QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier, LeftCtrlTracker::kControlR);
  sendKey(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier, 'c');
  sendKey(QEvent::KeyRelease, Qt::Key_Control, Qt::NoModifier, LeftCtrlTracker::kControlR);
  // W and S move; the type-ahead search never sees them ("Sign", "Screen B" exist).
  QTest::keyClick(&Tree(), Qt::Key_W);
  QTest::keyClick(&Tree(), Qt::Key_S);
  EXPECT_EQ(page->commands, (std::vector<WPARAM>{ID_TREE_DELETE, ID_TREE_COPY, ID_TREE_PASTE,
                                                 ID_TREE_MOVE_UP, ID_TREE_MOVE_DOWN}));
  // The delete was cancelled; the pasted copy of P1 went up and back down.
  EXPECT_EQ(asked.size(), 1u);
  EXPECT_EQ(Tree().currentItem(), Item(0, 2));
  EXPECT_EQ(Item(0, 2)->text(0), QStringLiteral("P1"));

  // Space does not toggle the check; Tab goes to the canvas and the tree keeps focus.
  QTest::keyClick(&Tree(), Qt::Key_Space);
  EXPECT_EQ(ScreenList.front().Programs[0]->CheckState, 1);
  canvas.Take();
  QTest::keyClick(&Tree(), Qt::Key_Tab);
  EXPECT_EQ(canvas.Take(), std::vector<Message>{Message(UM_CANVAS_KEY, 9, 0)});
  EXPECT_EQ(QApplication::focusWidget(), &Tree());

  // Empty space: no menu, the selection kept.
  QWidget* viewport = Tree().viewport();
  const QPoint empty(viewport->width() / 2, viewport->height() - 5);
  ASSERT_EQ(Tree().itemAt(empty), nullptr);
  QContextMenuEvent onEmpty(QContextMenuEvent::Mouse, empty, viewport->mapToGlobal(empty));
  QApplication::sendEvent(viewport, &onEmpty);
  EXPECT_EQ(menusShown, 0);
  EXPECT_EQ(Tree().currentItem(), Item(0, 2));

  page->SetCopiedItem(nullptr);
  // On a screen's label: it is selected; what a screen cannot do is disabled, and
  // paste while nothing is copied.
  const QPoint onLabel = Tree().visualItemRect(Item(1)).topLeft() + QPoint(40, 5);
  QContextMenuEvent onScreen(QContextMenuEvent::Mouse, onLabel, viewport->mapToGlobal(onLabel));
  QApplication::sendEvent(viewport, &onScreen);
  ASSERT_EQ(menusShown, 1);
  EXPECT_EQ(Tree().currentItem(), Item(1));
  for (UINT disabled : {ID_TREE_MENU_PREVIEW, ID_TREE_MENU_COPY, ID_TREE_MENU_PASTE,
                        ID_TREE_MENU_DELETE, ID_TREE_MENU_MOVE_UP, ID_TREE_MENU_MOVE_DOWN}) {
    EXPECT_FALSE(MenuItemEnabled(disabled)) << disabled;
  }
  EXPECT_TRUE(MenuItemEnabled(ID_TREE_MENU_ADD_PROGRAM));
  EXPECT_EQ(menuItems[kAddAreaPopupPosition].first, 0u);  // the add-area popup

  // With a copied item paste is offered, and the page says a copy waits.
  page->SetCopiedItem(Item(0, 0, 0));
  EXPECT_EQ(SendMessage(page->Handle(), UM_HAS_COPIED_ITEM, 0, 0), 1);
  QApplication::sendEvent(viewport, &onScreen);
  EXPECT_TRUE(MenuItemEnabled(ID_TREE_MENU_PASTE));
  // Deleting the root that holds the copy clears it.
  SendMessage(page->Handle(), UM_SCREEN_ROOT, 1, 0);
  EXPECT_EQ(SendMessage(page->Handle(), UM_HAS_COPIED_ITEM, 0, 0), 0);
}

TEST_F(ProjectPageTest, PreviewPlaysTheSelectedProgramOrTheWholeScreen) {
  MakeProject();
  Open();
  Select(Item(0));
  EXPECT_EQ(page->CollectPlayPrograms(1), 0);
  EXPECT_EQ(page->CollectPlayPrograms(0), 1);
  ASSERT_EQ(PlayList.size(), 2u);  // the unchecked P2 too
  EXPECT_EQ(PlayList[1].Areas, std::vector<AreaRecord*>{b1});

  Select(Item(0, 0, 1));
  EXPECT_EQ(page->CollectPlayPrograms(1), 1);
  ASSERT_EQ(PlayList.size(), 1u);
  EXPECT_EQ(PlayList[0].Program, ScreenList.front().Programs[0].get());
  EXPECT_EQ(PlayList[0].Areas, (std::vector<AreaRecord*>{a1, a2}));

  Select(Item(1));
  EXPECT_EQ(page->CollectPlayPrograms(0), 0);
  EXPECT_TRUE(PlayList.empty());
}

TEST_F(ProjectPageTest, BuildsTheProgramSetOfAScreenForSending) {
  ScreenRecord& screen = AddScreen(QStringLiteral("Screen D"), 1, 64, 16);
  AddNamedProgram(screen, QStringLiteral("P4"), 1);
  Open();
  EXPECT_EQ(SendMessage(page->Handle(), UM_BUILD_SCREEN_PROGRAM, 0, 0), 0);
  const auto set = reinterpret_cast<ProgramHandle>(
      SendMessage(page->Handle(), UM_BUILD_SCREEN_PROGRAM, reinterpret_cast<WPARAM>(&screen), 0));
  ASSERT_NE(set, nullptr);
  EXPECT_EQ(KQ_GenerateProgramData(set), KQ_OK);
  EXPECT_EQ(KQ_DeleteProgram(set), 1);
}

TEST_F(ProjectPageTest, MainWindowShowsAProjectOfThreeScreens) {
  SetSlidePause([](int) {});
  CQuendraDlg window({[] { return QDateTime(QDate(2026, 12, 9), QTime(10, 0)); },
                      [](const QString&, int) { return 1; },
                      [] {},
                      {},
                      {},
                      {},
                      0});
  MainWindowHandle = window.Handle();  // the shell published itself
  ClearProject(window.ProjectPage());
  ScreenRecord& shop = AddScreen(QStringLiteral("Shop front"), 1, 192, 48);
  ProgramRecord& morning = AddNamedProgram(shop, QStringLiteral("Morning"), 1);
  const char* names[] = {"Welcome line",  "Menu pages", "Sale words", "Time",
                         "Station clock", "Opening in", "Photos"};
  for (int kind = kSingleLineArea; kind <= kFilesArea; ++kind) {
    AddNamedArea(morning, kind, QString::fromLatin1(names[kind - 1]));
  }
  AddNamedProgram(shop, QStringLiteral("Evening"), 0);
  AddNamedProgram(AddScreen(QStringLiteral("Gate"), 0), QStringLiteral("Notice"), 1);
  AddNamedProgram(AddScreen(QStringLiteral("Hall"), 0), QStringLiteral("Timetable"), 1);
  window.ProjectPage().BuildTreeFromModel();
  QTreeWidget& tree = window.ProjectPage().Tree();
  tree.setCurrentItem(tree.topLevelItem(0)->child(0)->child(4));
  window.show();
  EXPECT_EQ(tree.topLevelItem(0)->child(0)->childCount(), 7);
  EXPECT_TRUE(window.ProjectPage().Page(PageSlot::AnalogClock).isVisible());
  EXPECT_FALSE(SaveScreenshot(window, QStringLiteral("main_dialog_project")).isEmpty());

  // The add-area strip slides out and the tree widens by as much; and back.
  CMainDialog& page = window.ProjectPage();
  const QRect open = tree.geometry();
  QTest::mouseClick(&page.CollapseButton(), Qt::LeftButton);
  EXPECT_FALSE(page.StripShown());
  EXPECT_EQ(tree.geometry(), open.adjusted(-60, 0, 0, 0));
  EXPECT_LT(page.AddAreaButton(1).geometry().right(), 0);
  EXPECT_EQ(page.CollapseButton().text(), QStringLiteral(">"));
  EXPECT_FALSE(SaveScreenshot(window, QStringLiteral("main_dialog_strip_closed")).isEmpty());
  QTest::mouseClick(&page.CollapseButton(), Qt::LeftButton);
  EXPECT_EQ(tree.geometry(), open);
  EXPECT_GT(page.AddAreaButton(1).geometry().left(), 0);

  // A program with its schedule on: the schedule's frame ends above the tab control.
  morning.IsProgramTiming = 1;
  tree.setCurrentItem(tree.topLevelItem(0)->child(0));
  QWidget& programPage = page.Page(PageSlot::Program);
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return !static_cast<CProgramDialog&>(programPage).Sliding(); }));
  const QRect frame = FindControl(&programPage, 1074)->geometry().translated(programPage.pos());
  EXPECT_LT(frame.bottom(), programPage.geometry().bottom());
  EXPECT_FALSE(SaveScreenshot(window, QStringLiteral("main_dialog_program_schedule")).isEmpty());
  SetSlidePause({});
}
