// The splash window's fade, the About box's texts, ripple, link and command, and the
// guide pane's frame and its controls that do nothing.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/canvas/frame_dialog.h"
#include "app/language/language_texts.h"
#include "app/main_window/about_dialog.h"
#include "app/main_window/guide_dialog.h"
#include "app/main_window/quendra_dlg.h"
#include "app/main_window/start_dialog.h"
#include "controls/shell/main_window_ids.h"
#include "controls/shell/pane_ids.h"
#include "controls/shell/window_globals.h"
#include "model/settings/lang_text.h"
#include "render/effects/ripple.h"
#include "tests/app/main_window/main_window_fixture.h"
#include "tests/support/cut_texts.h"
#include "tests/support/screenshot.h"

namespace {

using apptest::AppTest;
using apptest::MainWindowTest;

// Records the alphas the splash shows; keeps a picture of the first fade step.
class RecordingSplash : public CStartDialog {
 public:
  RecordingSplash() : CStartDialog(0) {}
  std::vector<int> alphas;

 protected:
  void ShowAlpha(int alpha) override {
    CStartDialog::ShowAlpha(alpha);
    alphas.push_back(alpha);
    if (alpha == 252) SaveScreenshot(*this, QStringLiteral("start_dialog"));
  }
};

// The ripple's picture in the square of radius 6 around at.
QImage Around(CAboutDialog& box, QPoint at) {
  return box.Ripple().Picture().copy(QRect(at - QPoint(6, 6), QSize(13, 13)));
}

}  // namespace

TEST_F(AppTest, SplashFadesIn63StepsAndClosesByItself) {
  RecordingSplash splash;
  EXPECT_EQ(splash.DoModal(), QDialog::Rejected);
  std::vector<int> expected{255};
  for (int alpha = 252; alpha >= 4; alpha -= 4) expected.push_back(alpha);
  EXPECT_EQ(expected.size(), 64u);
  EXPECT_EQ(splash.alphas, expected);
  EXPECT_FALSE(splash.isVisible());
}

TEST_F(MainWindowTest, PreviewFrameShowsOnlyAfterTheSplash) {
  bool splashSeen = false;
  bool frameShownDuringSplash = true;
  QTimer watch;
  watch.setInterval(0);
  QObject::connect(&watch, &QTimer::timeout, [&] {
    if (!dynamic_cast<CStartDialog*>(QApplication::activeModalWidget())) return;
    splashSeen = true;
    frameShownDuringSplash = false;
    for (QWidget* top : QApplication::topLevelWidgets())
      if (dynamic_cast<CFrameDialog*>(top) && top->isVisible()) frameShownDuringSplash = true;
    watch.stop();
  });
  watch.start();
  CQuendraDlg window(Hooks());
  EXPECT_TRUE(splashSeen);
  EXPECT_FALSE(frameShownDuringSplash);
  EXPECT_TRUE(window.PreviewFrame().isVisible());
}

TEST_F(AppTest, AboutBoxTextsInEnglishAndChinese) {
  const struct {
    int language;
    const char* caption;
    const char* ok;
  } cases[] = {{2, "About", "OK"}, {1, "关于", "确定"}};
  for (const auto& each : cases) {
    SelectLanguageFile(each.language);
    CAboutDialog box(nullptr, [](const QUrl&) { return true; });
    EXPECT_EQ(box.windowTitle(), QString::fromUtf8(each.caption));
    EXPECT_EQ(box.findChild<QPushButton*>(QStringLiteral("1438"))->text(),
              QString::fromUtf8(each.ok));
  }
  SelectLanguageFile(2);
}

TEST_F(AppTest, AboutBoxRipplesUnderTheMouseAndEveryTickAndOpensItsLink) {
  SelectLanguageFile(2);
  std::vector<QUrl> opened;
  CAboutDialog box(nullptr, [&opened](const QUrl& url) {
    opened.push_back(url);
    return true;
  });
  // The first drop, read before the ripple's own ticks can spread it.
  ASSERT_TRUE(box.Ripple().IsBound());
  EXPECT_EQ(box.Ripple().HeightAt(170, 90), CAboutDialog::kTimerDepth);
  box.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));

  // A move over the picture reaches the box through the ripple's view.
  const QPoint pointer(40, 40);
  const QImage before = Around(box, pointer);
  QTest::mouseMove(&box, pointer);
  box.Ripple().RippleTimerProc();
  EXPECT_NE(Around(box, pointer), before);

  // Below the picture nothing is rippled.
  const QImage bottom = Around(box, QPoint(170, 173));
  QTest::mouseMove(&box, QPoint(170, 300));
  box.Ripple().RippleTimerProc();
  EXPECT_EQ(Around(box, QPoint(170, 173)), bottom);

  for (int step = 0; step < 20; ++step) box.Ripple().RippleTimerProc();
  const QImage middle = Around(box, CAboutDialog::kDropPoint);
  SendMessage(box.Handle(), WM_TIMER, CAboutDialog::kDropTimer, 0);
  box.Ripple().RippleTimerProc();
  EXPECT_NE(Around(box, CAboutDialog::kDropPoint), middle);
  for (int step = 0; step < 12; ++step) box.Ripple().RippleTimerProc();
  box.update();
  SaveScreenshot(box, QStringLiteral("about_dialog"));

  auto* link = box.findChild<QLabel*>(QStringLiteral("1572"));
  QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(20, link->height() / 2));
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], QUrl(QString::fromLatin1(CAboutDialog::kMakerPage)));
}

TEST_F(MainWindowTest, AboutCommandOpensTheBoxModallyAndOkClosesIt) {
  CQuendraDlg window(Hooks());
  int opened = 0;
  for (int round = 0; round < 20; ++round) {  // the sanitizer build finds what leaks
    QTimer::singleShot(0, [&opened] {
      auto* box = dynamic_cast<CAboutDialog*>(QApplication::activeModalWidget());
      if (box == nullptr) return;
      ++opened;
      box->findChild<QPushButton*>(QStringLiteral("1438"))->click();
    });
    window.OnCommand(ID_HELP_ABOUT);
  }
  EXPECT_EQ(opened, 20);
}

TEST_F(MainWindowTest, GuidePaneFramesAllButItsButtonStripAndItsControlsDoNothing) {
  CQuendraDlg window(Hooks());
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  QWidget& pane = window.Pane(kGuidePane);
  ASSERT_NE(dynamic_cast<CGuideDialog*>(&pane), nullptr);
  EXPECT_EQ(PaneWindows[kGuidePane], dynamic_cast<CGuideDialog&>(pane).Handle());
  EXPECT_FALSE(pane.isVisible());
  window.ShowTaskPane(kGuidePane);
  ASSERT_TRUE(pane.isVisible());
  SaveScreenshot(pane, QStringLiteral("guide_dialog"));
  EXPECT_EQ(pane.findChild<QAbstractButton*>(QStringLiteral("1004"))->text(), "Finish");
  EXPECT_EQ(CutTextsInTranslations(pane, ReloadAllTexts, QStringLiteral("guide_dialog")), "");

  const QImage picture = pane.grab().toImage();
  const QRgb outline = qRgb(84, 166, 213);
  auto rowHas = [&picture, outline](int y) {
    for (int x = 0; x < picture.width(); ++x)
      if (picture.pixel(x, y) == outline) return true;
    return false;
  };
  const int frameBottom = picture.height() - CGuideDialog::kFrameBottomGap - 1;
  EXPECT_TRUE(rowHas(frameBottom));
  for (int y = frameBottom + 1; y < picture.height(); ++y) EXPECT_FALSE(rowHas(y)) << y;

  for (const char* id : {"1001", "1002", "1004", "1048", "1049"}) {
    auto* control = pane.findChild<QAbstractButton*>(QString::fromLatin1(id));
    ASSERT_NE(control, nullptr) << id;
    QTest::mouseClick(control, Qt::LeftButton);
    EXPECT_EQ(CurrentPaneIndex, kGuidePane) << id;
    EXPECT_TRUE(pane.isVisible()) << id;
  }
}
