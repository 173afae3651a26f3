// The road through the main window: Settings > Screen parameters asks for the access
// code, the right one opens the screen parameters on the current screen, and the
// screens added, deleted and selected there show in the project tree and the frame.
#include <QTest>
#include <QTreeWidget>

#include "controls/shell/main_window_ids.h"
#include "controls/shell/pane_ids.h"
#include "controls/shell/program_messages.h"
#include "device/access/access_code.h"
#include "device/access/lock_dialog.h"
#include "device/settings/screen_param_dialog.h"
#include "device/settings/screen_param_ids.h"
#include "model/project/project_globals.h"
#include "tests/app/main_window/main_window_fixture.h"
#include "tests/support/screenshot.h"

namespace {

class GuardedScreenPane : public apptest::MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    window = std::make_unique<CQuendraDlg>(Hooks());
    window->show();
  }
  void TearDown() override {
    window.reset();
    MainWindowTest::TearDown();
  }
  void Command(WPARAM id) { SendMessage(window->Handle(), WM_COMMAND, id, 0); }
  CLockDialog& AccessPane() { return static_cast<CLockDialog&>(window->Pane(kAccessCodePane)); }
  CScreenParamDialog& ScreenPane() {
    return static_cast<CScreenParamDialog&>(window->Pane(kScreenParamPane));
  }
  void EnterCode(const QString& code) {
    AccessPane().CodeEdit().setText(code);
    QTest::keyClick(&AccessPane().CodeEdit(), Qt::Key_Return);
  }
  QTreeWidget& Tree() { return window->ProjectPage().Tree(); }
  // The screen root of the tree's current item.
  int TreeRootSelected() {
    QTreeWidgetItem* item = Tree().currentItem();
    while (item != nullptr && item->parent() != nullptr) item = item->parent();
    return Tree().indexOfTopLevelItem(item);
  }
  void Click(int id) { QTest::mouseClick(ScreenPane().Button(id), Qt::LeftButton); }

  std::unique_ptr<CQuendraDlg> window;
};

TEST_F(GuardedScreenPane, TheCodeOpensTheScreensWithTreeAndFrameFollowing) {
  ASSERT_EQ(ScreenList.size(), 1u);  // the default screen of a first start
  AccessPane().CodeEdit().setText(QStringLiteral("stale"));
  Command(ID_SETTINGS_SCREEN_PARAMS);
  EXPECT_EQ(CurrentPaneIndex, kAccessCodePane);
  EXPECT_EQ(AccessPane().Mode(), kAccessScreenParams);
  EXPECT_TRUE(AccessPane().CodeEdit().text().isEmpty());
  EnterCode(QStringLiteral("4260"));
  EXPECT_EQ(asked, QStringList(ReadLangText(QStringLiteral("IDD_LOCK_DIALOG"), 1001)));
  EXPECT_EQ(CurrentPaneIndex, kAccessCodePane);
  EnterCode(QStringLiteral("426"));
  EXPECT_EQ(CurrentPaneIndex, kScreenParamPane);
  EXPECT_TRUE(ScreenPane().isVisible());
  EXPECT_FALSE(window->ToolBar().isVisible());

  Click(IDC_ADD_SCREEN);
  Click(IDC_ADD_SCREEN);
  ASSERT_EQ(ScreenList.size(), 3u);
  EXPECT_EQ(Tree().topLevelItemCount(), 3);
  EXPECT_EQ(Tree().topLevelItem(2)->childCount(), 1);  // a new screen's first program
  EXPECT_EQ(TreeRootSelected(), 2);
  ScreenList.back().LedWidth = 96;
  ScreenPane().ScreenListBox().setCurrentRow(0);
  EXPECT_EQ(TreeRootSelected(), 0);
  EXPECT_EQ(CurrentScreenNo, ScreenList.front().LedNo);
  ScreenPane().ScreenListBox().setCurrentRow(2);
  EXPECT_EQ(window->PreviewFrame().ScreenSize(), QSize(96, 32));
  EXPECT_FALSE(SaveScreenshot(*window, QStringLiteral("screen_param_pane")).isEmpty());

  ScreenPane().ScreenListBox().setCurrentRow(0);
  Click(IDC_DELETE_SCREEN);
  EXPECT_EQ(ScreenList.size(), 2u);
  EXPECT_EQ(Tree().topLevelItemCount(), 2);
  EXPECT_EQ(ScreenPane().ScreenListBox().currentRow(), 1);
  EXPECT_EQ(TreeRootSelected(), 1);
  EXPECT_EQ(window->PreviewFrame().ScreenSize(), QSize(96, 32));

  // Back on the project page another screen becomes current; the pane opens on it.
  QTest::mouseClick(&ScreenPane().BackButton(), Qt::LeftButton);
  EXPECT_EQ(CurrentPaneIndex, 0);
  Tree().setCurrentItem(Tree().topLevelItem(0));
  Command(ID_SETTINGS_SCREEN_PARAMS);
  EnterCode(QStringLiteral("426"));
  EXPECT_EQ(ScreenPane().ScreenListBox().count(), 2);
  EXPECT_EQ(ScreenPane().ScreenListBox().currentRow(), 0);
  EXPECT_EQ(TreeRootSelected(), 0);
  QTest::mouseClick(&ScreenPane().BackButton(), Qt::LeftButton);

  // The boot logo and the administrator's pane ask in their own modes.
  Command(ID_SETTINGS_BOOT_LOGO);
  EXPECT_EQ(AccessPane().Mode(), kAccessBootLogo);
  QTest::keyClick(&AccessPane().CodeEdit(), Qt::Key_Escape);
  EXPECT_EQ(CurrentPaneIndex, 0);
  Command(ID_SETTINGS_ADMINISTRATOR);
  EXPECT_EQ(AccessPane().Mode(), kAccessAdministrator);
  EXPECT_EQ(CurrentPaneIndex, kAccessCodePane);
}

}  // namespace
