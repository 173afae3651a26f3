// The screen-parameter pane over recording stand-ins of the project page, the preview
// frame and the send pane: selecting, adding and deleting screens, and its tabs.
#include <QDir>
#include <QFile>
#include <QTest>

#include <cstring>
#include <vector>

#include "controls/animation/pane_slide.h"
#include "controls/shell/pane_ids.h"
#include "controls/shell/program_messages.h"
#include "controls/shell/window_globals.h"
#include "device/common/device_icons.h"
#include "device/settings/screen_param_dialog.h"
#include "device/settings/screen_param_ids.h"
#include "device/settings/screen_tabs.h"
#include "model/common/app_dir.h"
#include "model/common/bounded_text.h"
#include "model/project/project_editing.h"
#include "model/project/project_file.h"
#include "model/project/project_globals.h"
#include "model/project/project_window.h"
#include "model/settings/lang_text.h"
#include "tests/app/app_fixture.h"
#include "tests/support/recording_window.h"
#include "tests/support/screenshot.h"

namespace {

using testsupport::Message;
using testsupport::RecordingWindow;

// A screen's fields up to its logo list, byte for byte.
std::vector<char> Bytes(const ScreenRecord& screen) {
  const auto* start = reinterpret_cast<const char*>(&screen);
  const auto* end = reinterpret_cast<const char*>(&screen.LogoFiles);
  return {start, end};
}

class ScreenParamPane : public apptest::AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    SelectLanguageFile(2);
    ClearProjectModel();
    SetSlidePause([](int) {});
    SetProjectWindow(project.Handle());
    PreviewFrameWindow = frame.Handle();
    PaneWindows[kSendPane] = sendPane.Handle();
    for (int i = 1; i <= 3; ++i) {
      ScreenRecord& screen = ScreenList.emplace_back();
      CopyBoundedText(screen.LedName, QStringLiteral("Screen %1").arg(i));
      screen.LedNo = 10 * i;
      screen.SendType = i == 2 ? kSendBySerialLine : kSendByNetwork;
      screen.Commport = i, screen.LedNumber = i, screen.LedColor = i - 1;
      screen.LedWidth = 64 * i, screen.LedHeight = 32;
      screen.ModuleWidth = 32, screen.ModuleHeight = 16;
    }
    for (RecordingWindow* window : {&project, &frame, &sendPane}) {
      window->onMessage = [this, window](const Message&) { order.push_back(window); };
    }
    // The shipped regular-module rows, none of them the screens' own values.
    ASSERT_TRUE(QDir().mkpath(GetAppDir() + QStringLiteral("Data")));
    ASSERT_TRUE(
        QFile::copy(QStringLiteral(QUENDRA_SOURCE_DIR "/resources/data/regular_modules.ini"),
                    GetAppDir() + QStringLiteral("Data/regular_modules.ini")));
    pane = std::make_unique<CScreenParamDialog>(nullptr);
    pane->resize(980, 637);
    pane->FillScreenList();
    pane->show();
    Forget();
  }
  void TearDown() override {
    pane.reset();
    SetProjectWindow(nullptr);
    PreviewFrameWindow = nullptr;
    PaneWindows[kSendPane] = nullptr;
    SetSlidePause({});
    ClearProjectModel();
    AppTest::TearDown();
  }
  void Forget() {
    project.Take();
    frame.Take();
    sendPane.Take();
    order.clear();
  }
  ScreenRecord& Screen(int index) { return *std::next(ScreenList.begin(), index); }
  int Selected() { return pane->ScreenListBox().currentRow(); }
  void Send(UINT msg, WPARAM wParam, LPARAM lParam = 0) {
    SendMessage(pane->Handle(), msg, wParam, lParam);
  }
  // Whether the three pages that edit a screen point at it.
  bool PagesShow(const ScreenRecord* screen) {
    for (int page = CScreenParamDialog::kCommunicationPage; page <= CScreenParamDialog::kScanPage;
         ++page) {
      if (pane->Page(page).Screen() != screen) return false;
    }
    return true;
  }

  RecordingWindow project, frame, sendPane;
  std::vector<const RecordingWindow*> order;  // which stand-in got each message
  std::unique_ptr<CScreenParamDialog> pane;
};

TEST_F(ScreenParamPane, SelectingLoadsAScreenWithoutChangingIt) {
  const QString saved = GetAppDir() + QStringLiteral("before.kqprj");
  ASSERT_EQ(SaveProjectXml(saved), 1);
  std::vector<std::vector<char>> before;
  for (const ScreenRecord& screen : ScreenList) before.push_back(Bytes(screen));
  for (int index : {2, 0, 1}) {
    pane->ScreenListBox().setCurrentRow(index);
    const ScreenRecord& screen = Screen(index);
    EXPECT_EQ(CurrentScreenNo, screen.LedNo);
    EXPECT_EQ(PaletteKind, index == 1 ? 2 : 1);  // colour type 2 leaves it as it was
    EXPECT_TRUE(PagesShow(&screen));
    const Message size{UM_SCREEN_SIZE_CHANGED, static_cast<WPARAM>(screen.LedWidth), 32};
    EXPECT_EQ(frame.Take(), std::vector<Message>{size});
    EXPECT_EQ(project.Take(), (std::vector<Message>{{UM_SCREEN_ROOT, 2, index}}));
  }
  for (int index = 0; index < 3; ++index) EXPECT_EQ(Bytes(Screen(index)), before[index]) << index;
  const QString after = GetAppDir() + QStringLiteral("after.kqprj");
  ASSERT_EQ(SaveProjectXml(after), 1);
  QFile first(saved), second(after);
  ASSERT_TRUE(first.open(QIODevice::ReadOnly) && second.open(QIODevice::ReadOnly));
  EXPECT_EQ(first.readAll(), second.readAll());

  // A right press selects the entry under the pointer; a rename shows the new name.
  QListWidget& list = pane->ScreenListBox();
  QTest::mousePress(list.viewport(), Qt::RightButton, {},
                    list.visualItemRect(list.item(2)).center());
  EXPECT_EQ(Selected(), 2);
  EXPECT_EQ(CurrentScreenNo, 30);
  CopyBoundedText(Screen(2).LedName, u"Gate");
  Send(UM_RENAME_SCREEN_NODE, 0);
  EXPECT_EQ(list.item(2)->text(), QStringLiteral("Gate"));
  EXPECT_EQ(Selected(), 2);
  Screen(2).LedWidth = 100;
  Forget();
  Send(UM_LOAD_SELECTION, 0);
  EXPECT_EQ(frame.Take(), (std::vector<Message>{{UM_SCREEN_SIZE_CHANGED, 100, 32}}));
}

TEST_F(ScreenParamPane, AddedAndFoundScreensAreListedSelectedAndRooted) {
  pane->ScreenListBox().setCurrentRow(1);  // the serial screen, card number 2
  Forget();
  QTest::mouseClick(pane->Button(IDC_ADD_SCREEN), Qt::LeftButton);
  ASSERT_EQ(ScreenList.size(), 4u);
  ScreenRecord& added = ScreenList.back();
  EXPECT_EQ(ReadBoundedText(added.LedName), QStringLiteral("LED4"));
  EXPECT_EQ(std::tie(added.LedNo, added.SendType, added.LedNumber, added.Commport),
            std::tuple(31, kSendBySerialLine, 3, 2));
  EXPECT_EQ(pane->ScreenListBox().count(), 4);
  EXPECT_EQ(Selected(), 3);
  EXPECT_EQ(CurrentScreenNo, 31);
  EXPECT_TRUE(PagesShow(&added));
  EXPECT_EQ(project.Take(),
            (std::vector<Message>{{UM_SCREEN_ROOT, 2, 3},
                                  {UM_SCREEN_ROOT, 0, reinterpret_cast<LPARAM>(&added)}}));

  LedSettingInfo card{};
  CopyBoundedText(card.IpAddress, u"10.1.2.3");
  card.Width = 128, card.Height = 64, card.ColorType = 1;
  Send(UM_ADD_FOUND_SCREEN, reinterpret_cast<WPARAM>(&card));
  ASSERT_EQ(ScreenList.size(), 5u);
  EXPECT_EQ(std::tie(ScreenList.back().LedIp, ScreenList.back().LedWidth),
            std::tuple(0x0A010203u, 128));
  EXPECT_EQ(pane->ScreenListBox().item(4)->text(), QStringLiteral("LED5"));
  EXPECT_EQ(Selected(), 4);
}

TEST_F(ScreenParamPane, DeletingTellsSendPaneAndTreeThenSelectsTheLast) {
  pane->ScreenListBox().setCurrentRow(1);
  Forget();
  QTest::mouseClick(pane->Button(IDC_DELETE_SCREEN), Qt::LeftButton);
  ASSERT_GE(order.size(), 2u);
  EXPECT_EQ(order[0], &sendPane);  // the groups let go of the screen before the tree
  EXPECT_EQ(order[1], &project);
  EXPECT_EQ(sendPane.Take(), (std::vector<Message>{{UM_SCREEN_DELETED, 0, 20}}));
  EXPECT_EQ(project.Take(), (std::vector<Message>{{UM_SCREEN_ROOT, 1, 1}, {UM_SCREEN_ROOT, 2, 1}}));
  ASSERT_EQ(ScreenList.size(), 2u);
  EXPECT_EQ(pane->ScreenListBox().count(), 2);
  EXPECT_EQ(pane->ScreenListBox().item(1)->text(), QStringLiteral("Screen 3"));
  EXPECT_EQ(Selected(), 1);
  EXPECT_EQ(CurrentScreenNo, 30);
  EXPECT_TRUE(PagesShow(&Screen(1)));

  // Down to the last screen, which stays.
  QTest::mouseClick(pane->Button(IDC_DELETE_SCREEN), Qt::LeftButton);
  Forget();
  QTest::mouseClick(pane->Button(IDC_DELETE_SCREEN), Qt::LeftButton);
  EXPECT_EQ(ScreenList.size(), 1u);
  EXPECT_EQ(pane->ScreenListBox().count(), 1);
  EXPECT_TRUE(project.Take().empty());
  EXPECT_TRUE(sendPane.Take().empty());
  EXPECT_TRUE(PagesShow(&ScreenList.front()));
}

TEST(ScreenTabs, FourPicturesPerLanguageAndNamesShownWhole) {
  EXPECT_EQ(ScreenTabImageIndex(1, 0), 0);
  EXPECT_EQ(ScreenTabImageIndex(2, 1), 5);
  EXPECT_EQ(ScreenTabImageIndex(6, 3), 23);
  EXPECT_EQ(ScreenTabImageIndex(7, 3), 23);  // past the last language: the last
  EXPECT_EQ(ScreenTabImageIndex(0, 2), 2);   // no language chosen yet: the first
  // A long name takes a smaller font and shows whole: nothing runs off the bottom.
  const QImage tab = PaintScreenTab(DeviceIcon::Basic, QStringLiteral("Card settings"));
  for (int x = 0; x < tab.width(); ++x) {
    EXPECT_EQ(qAlpha(tab.pixel(x, tab.height() - 1)), 0) << x;
  }
}

TEST_F(ScreenParamPane, TabsFollowTheModuleKindAndKeepTheirSelection) {
  QListWidget& tabs = pane->Tabs();
  ASSERT_EQ(tabs.count(), 3);
  EXPECT_TRUE(pane->Page(CScreenParamDialog::kCommunicationPage).isVisibleTo(pane.get()));
  // The pages lie 78 pixels in from the tab control's left edge, one from the others.
  const QRect inner = pane->Page(CScreenParamDialog::kCommunicationPage).parentWidget()->rect();
  for (int page = 0; page < CScreenParamDialog::kPageCount; ++page) {
    EXPECT_EQ(pane->Page(page).geometry(), inner.adjusted(78, 1, -1, -1)) << page;
  }
  tabs.setCurrentRow(1);
  EXPECT_EQ(pane->CurrentTab(), 1);
  EXPECT_TRUE(pane->Page(CScreenParamDialog::kBasicPage).isVisibleTo(pane.get()));
  EXPECT_FALSE(pane->Page(CScreenParamDialog::kCommunicationPage).isVisibleTo(pane.get()));
  Send(UM_SCREEN_TABS, 1);
  EXPECT_EQ(std::tuple(tabs.count(), pane->CurrentTab()), std::tuple(2, 1));
  EXPECT_EQ(tabs.currentRow(), 1);
  Send(UM_SCREEN_TABS, 0);
  EXPECT_EQ(std::tuple(tabs.count(), pane->CurrentTab()), std::tuple(3, 1));
  tabs.setCurrentRow(2);
  EXPECT_TRUE(pane->Page(CScreenParamDialog::kScanPage).isVisibleTo(pane.get()));
  Send(UM_SCREEN_TABS, 0);
  EXPECT_EQ(std::tuple(tabs.count(), tabs.currentRow()), std::tuple(3, 2));
  // The scan tab goes while it shows: the basic page takes its place.
  Send(UM_SCREEN_TABS, 1);
  EXPECT_EQ(std::tuple(tabs.count(), tabs.currentRow(), pane->CurrentTab()), std::tuple(2, 1, 1));
  EXPECT_TRUE(pane->Page(CScreenParamDialog::kBasicPage).isVisibleTo(pane.get()));
  EXPECT_FALSE(pane->Page(CScreenParamDialog::kScanPage).isVisibleTo(pane.get()));
  EXPECT_FALSE(pane->Page(CScreenParamDialog::kAdvancedPage).isVisibleTo(pane.get()));
  tabs.setCurrentRow(0);
  EXPECT_EQ(pane->CurrentTab(), 0);
  EXPECT_TRUE(pane->Page(CScreenParamDialog::kCommunicationPage).isVisibleTo(pane.get()));
}

// The tab pictures are painted when a language first needs them.
TEST_F(ScreenParamPane, TabPicturesAndButtonTextsFollowTheLanguage) {
  auto tabPicture = [this](int tab) {
    return pane->Tabs()
        .item(tab)
        ->icon()
        .pixmap(kScreenTabImageSize)
        .toImage()
        .convertToFormat(QImage::Format_ARGB32_Premultiplied);
  };
  auto painted = [this](int language, int tab, DeviceIcon icon) {
    const ScreenPage& page = pane->Page(tab);
    return PaintScreenTab(icon, PageNameIn(language, page.Section(), page.CaptionKey()));
  };
  EXPECT_EQ(tabPicture(1), painted(2, 1, DeviceIcon::Basic));
  SelectLanguageFile(1);
  pane->ApplyLanguage();
  EXPECT_EQ(tabPicture(1), painted(1, 1, DeviceIcon::Basic));
  EXPECT_NE(tabPicture(1), painted(2, 1, DeviceIcon::Basic));
  const int buttons[] = {IDC_ADD_SCREEN, IDC_DELETE_SCREEN, IDC_REFRESH_SCREENS};
  for (int i = 0; i < 3; ++i) {  // the buttons' texts follow too
    EXPECT_EQ(pane->Button(buttons[i])->text(), ReadLangText("IDD_SCREENPARAM_DIALOG", 1000 + i));
  }
  SelectLanguageFile(2);
  pane->ApplyLanguage();
  EXPECT_EQ(tabPicture(0), painted(2, 0, DeviceIcon::Communication));
}

}  // namespace
