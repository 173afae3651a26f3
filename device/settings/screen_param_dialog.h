#pragma once
// CScreenParamDialog: task pane 1, the screen parameters. It lists the project's
// screens, adds a screen beside the selected one or from a found card, deletes the
// selected one (never the last), and shows the pages that edit the selected screen
// on tabs: communication, basic parameters and, for custom modules, scan settings.
// Every edit goes at once into the ScreenRecord of ScreenList the pages point at;
// selecting a screen makes it the current screen and selects it in the project tree.
//
// Loading never runs an edit handler: the list's and tabs' handlers hang on the
// user's changes, and every change made here blocks their signals.

#include <QListWidget>
#include <QPushButton>

#include <array>
#include <map>

#include "controls/lists/list_box_qx.h"
#include "controls/shell/task_pane.h"
#include "controls/support/image_list.h"
#include "device/settings/basic_set_dialog.h"
#include "device/settings/communication_set_dialog.h"
#include "device/settings/scan_set_dialog.h"
#include "device/settings/screen_pages.h"
#include "sdk/Corvanix.h"

class CScreenParamDialog : public TaskPane {
 public:
  // The pages in tab order; the advanced page has no tab.
  enum PageIndex { kCommunicationPage, kBasicPage, kScanPage, kAdvancedPage, kPageCount };

  explicit CScreenParamDialog(QWidget* parent);

  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  // Lists every screen of ScreenList in order, selects the entry at `selected` (the
  // first when there is none such) and loads that screen.
  void FillScreenList(int selected = 0);
  // Loads the selected screen: the pages point at it, it becomes the current screen,
  // the preview frame takes its size and the project tree selects it.
  void OnSelchangeScreenList();
  // Adds a screen beside the selected one, or from a found card, and selects it.
  void OnAddScreen();
  void OnAddFoundScreen(const LedSettingInfo& card);
  // Deletes the selected screen with its programs, unless it is the only one.
  void OnDeleteScreen();
  // Tabs 0, 1 and, with wParam 0, 2; the selected tab stays.
  void OnScreenTabs(WPARAM wParam);
  // The texts of the buttons, the captions, the tabs' pictures and the Back tip.
  void ApplyLanguage();

  CListBoxQx& ScreenListBox() { return list_; }
  QListWidget& Tabs() { return tabs_; }
  ScreenPage& Page(int index) { return *pages_[static_cast<std::size_t>(index)]; }
  // The page shown, by tab index.
  int CurrentTab() const { return currentTab_; }
  // The button of that control id; null for another id.
  QPushButton* Button(int id);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  // The picture of a tab in the current language, painted when first needed.
  QPixmap TabImage(int tab);
  void AddTab();
  void SelectTab(int tab);
  void OnTabChange(int tab);
  void AppendScreen(ScreenRecord record);
  void RenameSelectedEntry();
  // Points the pages that edit a screen at it; null points them at none.
  void LoadPages(ScreenRecord* screen);
  QRect ListPanelRect() const;

  ImageList screenImages_{QSize(32, 32)};
  std::map<int, QImage> tabImages_;  // by ScreenTabImageIndex
  CListBoxQx list_;
  QWidget tabControl_;
  QListWidget tabs_;
  std::array<ScreenPage*, kPageCount> pages_{};
  std::array<QPushButton*, 3> buttons_{};  // add, delete, refresh
  int currentTab_ = 0;
  QString caption_;
  QString listCaption_;
};
