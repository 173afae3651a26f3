#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <QWidget>

#include "controls/support/main_window.h"
#include "editors/background/swf_back_select_dialog.h"
#include "model/settings/lang_text.h"
#include "tests/app/app_fixture.h"
#include "tests/support/eventually.h"
#include "tests/support/screenshot.h"

namespace {

class ChooserTest : public apptest::AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    SelectLanguageFile(2);
  }
};

TEST_F(ChooserTest, CellsToggleAndComeBackInNumberOrder) {
  CSwfBackSelectDialog chooser;
  chooser.show();
  EXPECT_EQ(chooser.OkButton().text(), QStringLiteral("OK"));
  EXPECT_EQ(chooser.CancelButton().text(), QStringLiteral("Cancel"));
  EXPECT_EQ(chooser.Cell(0).geometry(), QRect(30, 30, 64, 32));
  EXPECT_EQ(chooser.Cell(7).geometry(), QRect(240, 70, 64, 32));
  EXPECT_EQ(chooser.Cell(21).geometry(), QRect(100, 230, 64, 32));
  EXPECT_TRUE(chooser.SelectedBackgrounds().empty());
  // Every cell plays its own picture: none is left on the black ground of a missing one.
  for (int n = 0; n < CSwfBackSelectDialog::kCellCount; ++n) {
    const QImage cell = chooser.Cell(n).grab().toImage();
    bool drawn = false;
    for (int y = 0; y < cell.height() && !drawn; ++y) {
      for (int x = 0; x < cell.width() && !drawn; ++x) drawn = (cell.pixel(x, y) & 0xFFFFFF) != 0;
    }
    EXPECT_TRUE(drawn) << n;
  }
  // and plays it on.
  const QImage first = chooser.Cell(0).grab().toImage();
  EXPECT_EVENTUALLY_WITHIN(chooser.Cell(0).grab().toImage() != first, 3000);

  QTest::mouseClick(&chooser.Cell(5), Qt::LeftButton);
  QTest::mouseClick(&chooser.Cell(2), Qt::LeftButton);
  EXPECT_EQ(chooser.SelectedBackgrounds(), (std::vector<int>{2, 5}));
  QTest::mouseClick(&chooser.Cell(9), Qt::LeftButton);
  QTest::mouseClick(&chooser.Cell(9), Qt::LeftButton);
  QTest::mouseClick(&chooser.Cell(21), Qt::RightButton);
  EXPECT_EQ(chooser.SelectedBackgrounds(), (std::vector<int>{2, 5}));

  // The cells outlive the window; an opening starts with none selected.
  chooser.hide();
  EXPECT_EQ(chooser.SelectedBackgrounds(), (std::vector<int>{2, 5}));
  chooser.show();
  EXPECT_TRUE(chooser.SelectedBackgrounds().empty());
}

TEST_F(ChooserTest, HoverFollowsTheCursorAtEachTick) {
  CSwfBackSelectDialog chooser;
  chooser.show();
  CGifDialog& cell = chooser.Cell(6);
  EXPECT_TRUE(cell.HoverTimer().isActive());
  EXPECT_EQ(cell.HoverTimer().interval(), 100);
  QPoint cursor;
  cell.SetCursorSource([&cursor] { return cursor; });
  const QPoint corner = cell.mapToGlobal(QPoint(0, 0));
  const QRgb unlit = cell.grab().toImage().pixel(1, 1);

  // Edges included, one past them not.
  for (const auto& [offset, inside] : {std::pair{QPoint(64, 32), true},
                                       {QPoint(0, 0), true},
                                       {QPoint(65, 10), false},
                                       {QPoint(10, -1), false}}) {
    cursor = corner + offset;
    cell.OnTimer();
    EXPECT_EQ(cell.Hovering(), inside) << offset.x() << "," << offset.y();
  }
  cursor = corner + QPoint(20, 10);
  cell.OnTimer();
  const QRgb lit = cell.grab().toImage().pixel(1, 1);
  EXPECT_NEAR(qRed(lit), qRed(unlit) + (255 - qRed(unlit)) * 120 / 255, 2);
  cursor = corner + QPoint(200, 10);
  cell.OnTimer();
  EXPECT_FALSE(cell.Hovering());
  EXPECT_EQ(cell.grab().toImage().pixel(1, 1), unlit);

  // The chooser as a person sees it: two cells selected, one lit.
  QTest::mouseClick(&chooser.Cell(1), Qt::LeftButton);
  QTest::mouseClick(&chooser.Cell(6), Qt::LeftButton);
  cursor = chooser.Cell(10).mapToGlobal(QPoint(30, 15));
  for (int n = 0; n < CSwfBackSelectDialog::kCellCount; ++n) {
    chooser.Cell(n).SetCursorSource([&cursor] { return cursor; });
    chooser.Cell(n).OnTimer();
  }
  EXPECT_TRUE(chooser.Cell(10).Hovering());
  EXPECT_FALSE(chooser.Cell(6).Hovering());
  SaveScreenshot(chooser, QStringLiteral("background_chooser"));
}

TEST_F(ChooserTest, TheBalloonIsCutOutOfTheSeeThroughColour) {
  CSwfBackSelectDialog chooser;
  chooser.show();
  const QImage& surface = chooser.Surface();
  const int w = CSwfBackSelectDialog::kClientSize.width();
  const int h = CSwfBackSelectDialog::kClientSize.height();
  ASSERT_EQ(surface.size(), QSize(w, h));
  const QRgb key = SeeThroughDialog::kSeeThroughColor;
  EXPECT_EQ(surface.pixel(0, h - 1), key);  // left of the pointer
  EXPECT_EQ(surface.pixel(w - 1, h - 1), key);
  EXPECT_EQ(surface.pixel(0, 0), key);  // the rounded corner
  EXPECT_EQ(surface.pixel(w / 2, 0), qRgb(84, 165, 213));
  EXPECT_EQ(surface.pixel(0, h / 2), qRgb(84, 165, 213));
  EXPECT_EQ(surface.pixel(w / 2, h / 2), qRgb(255, 255, 255));
  EXPECT_EQ(surface.pixel(w - 1, h / 2), qRgb(120, 120, 120));   // the shadow, right
  EXPECT_EQ(surface.pixel(w / 2, h - 26), qRgb(120, 120, 120));  // and below
  // The pointer joins the balloon without an outline; its tip is outlined.
  EXPECT_EQ(surface.pixel(w - 40, h - 27), qRgb(255, 255, 255));
  EXPECT_EQ(surface.pixel(w - 40, h - 20), qRgb(255, 255, 255));
  EXPECT_EQ(surface.pixel(w - 38, h - 1), qRgb(84, 165, 213));
  EXPECT_EQ(surface.pixel(w / 2, h - 27), qRgb(84, 165, 213));
  // The window is masked to the drawn pixels.
  EXPECT_FALSE(chooser.mask().contains(QPoint(0, h - 1)));
  EXPECT_TRUE(chooser.mask().contains(QPoint(w / 2, h / 2)));
}

TEST_F(ChooserTest, PlacedByInsetsFromTheMainWindowOnItsScreen) {
  QWidget main;
  main.setGeometry(100, 60, 700, 500);
  main.show();
  SetMainWindow(&main);
  CSwfBackSelectDialog chooser;
  chooser.show();
  const QRect frame = main.frameGeometry();
  EXPECT_EQ(chooser.pos(),
            QPoint(frame.x() + frame.width() - 334 - 85, frame.y() + frame.height() - 340 - 135));
  SetMainWindow(nullptr);

  const QRect screen(0, 0, 1000, 700);
  EXPECT_EQ(
      SeeThroughDialog::PlaceByInsets(QRect(0, 0, 800, 600), QSize(300, 200), 85, 135, screen),
      QPoint(415, 265));
  // Kept on the screen: a main window at its edges moves the dialog back in.
  EXPECT_EQ(
      SeeThroughDialog::PlaceByInsets(QRect(-50, -400, 300, 500), QSize(300, 200), 85, 135, screen),
      QPoint(0, 0));
  EXPECT_EQ(
      SeeThroughDialog::PlaceByInsets(QRect(900, 650, 800, 600), QSize(300, 200), 0, 0, screen),
      QPoint(700, 500));
}

}  // namespace
