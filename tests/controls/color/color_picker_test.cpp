// The colour picker with its pop-up, driven by pointer events: choosing by drag and by
// click, leaving without a choice, the commands its owner gets, the palette kinds, the
// remembered cell and the colour dialog.
#include <gtest/gtest.h>

#include <QApplication>
#include <QColorDialog>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <vector>

#include "controls/color/color_picker.h"
#include "controls/color/palette_layout.h"
#include "model/project/project_globals.h"
#include "model/settings/ui/dlg_lang_text.h"
#include "platform/message_window.h"
#include "tests/support/screenshot.h"

namespace {

constexpr int kPickerId = 1221;

// A page that records the commands its controls post.
class CommandPage : public QWidget, public MessageWindow {
 public:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == WM_COMMAND) commands.push_back({wParam, lParam});
    return 0;
  }
  std::vector<std::pair<WPARAM, LPARAM>> commands;
};

// A page with a picker and its buddy label, PaletteKind set for the test.
class PickerTest : public ::testing::Test {
 protected:
  explicit PickerTest(int paletteKind = kFullPalette) : savedKind_(PaletteKind) {
    PaletteKind = paletteKind;
    page_.resize(300, 260);
    page_.move(40, 40);
    picker_ = new CColorPicker(&page_);
    picker_->setGeometry(20, 20, 48, 22);
    SetControlId(picker_, kPickerId);
    buddy_ = new QLabel(&page_);
    buddy_->setGeometry(80, 20, 80, 22);
    picker_->SetBuddy(buddy_);
    page_.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&page_));
  }
  ~PickerTest() override { PaletteKind = savedKind_; }

  QWindow* PageWindow() { return page_.windowHandle(); }
  QPoint OnPage(QPoint pickerPoint) { return picker_->mapTo(&page_, pickerPoint); }
  // A client point of the open pop-up, in the page window's coordinates.
  QPoint PaletteClient(QPoint client) {
    const QPoint global = picker_->Palette()->mapToGlobal(client + QPoint(1, 1));
    return page_.mapFromGlobal(global);
  }
  QPoint CellCentre(int cell) {
    return PaletteClient(PaletteCellFrame(picker_->PaletteKindInUse(), cell).topLeft() +
                         QPoint(4, 4));
  }
  void Settle() { QCoreApplication::processEvents(); }

  int savedKind_;
  CommandPage page_;
  CColorPicker* picker_;
  QLabel* buddy_;
};

TEST_F(PickerTest, DragFromTheButtonOntoACellChoosesIt) {
  picker_->SetColor(MakeColorRef(1, 2, 3));
  Settle();
  page_.commands.clear();
  QTest::mousePress(PageWindow(), Qt::LeftButton, {}, OnPage({10, 10}));
  ASSERT_TRUE(picker_->IsPaletteOpen());
  EXPECT_EQ(picker_->Palette()->geometry().topLeft(), picker_->mapToGlobal(QPoint(0, 21)));
  const int cell = 5 + 19 * 7;  // red 153, green 204, blue 51
  QTest::mouseMove(PageWindow(), CellCentre(cell));
  EXPECT_EQ(picker_->Palette()->CurrentColor(), MakeColorRef(153, 204, 51));
  SaveScreenshot(*picker_->Palette(), "color_palette_full");
  SaveScreenshot(page_, "color_picker_open");
  QTest::mouseRelease(PageWindow(), Qt::LeftButton, {}, CellCentre(cell));
  Settle();
  EXPECT_FALSE(picker_->IsPaletteOpen());
  EXPECT_EQ(picker_->GetColor(), MakeColorRef(153, 204, 51));
  EXPECT_EQ(buddy_->text(), "#99CC33");
  ASSERT_EQ(page_.commands.size(), 1u);
  EXPECT_EQ(page_.commands[0].first, MakeWParam(kPickerId, 0));
  EXPECT_EQ(page_.commands[0].second, reinterpret_cast<LPARAM>(picker_));
  EXPECT_EQ(picker_->LastCell(), cell);
  SaveScreenshot(page_, "color_picker_closed");
}

TEST_F(PickerTest, ClickOpensThePaletteAndAClickOnACellChooses) {
  QTest::mouseClick(PageWindow(), Qt::LeftButton, {}, OnPage({10, 10}));
  ASSERT_TRUE(picker_->IsPaletteOpen());
  // Off the cells the colour at opening stands; a click on a line chooses nothing new.
  QTest::mouseMove(PageWindow(), PaletteClient({19, 5}));
  EXPECT_EQ(picker_->Palette()->CurrentColor(), picker_->GetColor());
  QTest::mouseClick(PageWindow(), Qt::LeftButton, {}, CellCentre(0));
  Settle();
  EXPECT_FALSE(picker_->IsPaletteOpen());
  EXPECT_EQ(picker_->GetColor(), MakeColorRef(255, 255, 255));
  EXPECT_EQ(page_.commands.size(), 1u);
  EXPECT_FALSE(picker_->isDown());
}

TEST_F(PickerTest, LeavingWithoutAChoiceChangesNothing) {
  const ColorRef before = picker_->GetColor();
  // Escape after a preview.
  QTest::mouseClick(PageWindow(), Qt::LeftButton, {}, OnPage({10, 10}));
  QTest::mouseMove(PageWindow(), CellCentre(40));
  QTest::keyClick(picker_->Palette(), Qt::Key_Escape);
  Settle();
  EXPECT_FALSE(picker_->IsPaletteOpen());
  EXPECT_EQ(picker_->GetColor(), before);
  // A click outside before any move.
  QTest::mouseClick(PageWindow(), Qt::LeftButton, {}, OnPage({10, 10}));
  ASSERT_TRUE(picker_->IsPaletteOpen());
  QTest::mouseClick(PageWindow(), Qt::LeftButton, {}, QPoint(280, 20));
  Settle();
  EXPECT_FALSE(picker_->IsPaletteOpen());
  EXPECT_EQ(picker_->GetColor(), before);
  EXPECT_TRUE(page_.commands.empty());
  // Choosing the colour the picker has posts nothing either.
  picker_->SetColor(MakeColorRef(0, 0, 0));
  Settle();
  page_.commands.clear();
  QTest::mouseClick(PageWindow(), Qt::LeftButton, {}, OnPage({10, 10}));
  QTest::mouseClick(PageWindow(), Qt::LeftButton, {}, CellCentre(1));
  Settle();
  EXPECT_FALSE(picker_->IsPaletteOpen());
  EXPECT_TRUE(page_.commands.empty());
  EXPECT_EQ(buddy_->text(), "#000000");
}

TEST_F(PickerTest, EyedropperOutsideTheFullPaletteArrowBelowItsCells) {
  QTest::mouseClick(PageWindow(), Qt::LeftButton, {}, OnPage({10, 10}));
  CColorPalette* palette = picker_->Palette();
  const QPoint outside(280, 240);
  QTest::mouseMove(PageWindow(), outside);
  EXPECT_EQ(palette->cursor().shape(), Qt::BitmapCursor);
  // The offscreen platform pictures its windows, so the page's own pixel is read.
  const ColorRef pagePixel = QRgbToColorRef(page_.grab().toImage().pixel(outside));
  EXPECT_EQ(palette->CurrentColor(), pagePixel);
  QTest::mouseMove(PageWindow(), PaletteClient({60, 130}));
  EXPECT_EQ(palette->cursor().shape(), Qt::ArrowCursor);
  EXPECT_EQ(palette->CurrentColor(), picker_->GetColor());
  QTest::mouseMove(PageWindow(), outside);
  QTest::mouseClick(PageWindow(), Qt::LeftButton, {}, outside);
  Settle();
  EXPECT_EQ(picker_->GetColor(), pagePixel);
}

class StripTest : public PickerTest {
 protected:
  StripTest() : PickerTest(kRedGreenYellowStrip) {}
};

TEST_F(StripTest, KindsGiveTheirStripsAndTheLastCellIsFramedAgain) {
  const int kinds[][2] = {{kRedStrip, 51}, {kRedGreenYellowStrip, 101}, {kSevenColorStrip, 201}};
  for (const auto& [kind, width] : kinds) {
    PaletteKind = kind;
    picker_->OpenPalette();
    ASSERT_TRUE(picker_->IsPaletteOpen());
    EXPECT_EQ(picker_->Palette()->size(), QSize(width, 26)) << kind;
    EXPECT_FALSE(picker_->Palette()->MoreColorsButton()->isVisible());
    SaveScreenshot(*picker_->Palette(), QStringLiteral("color_palette_strip%1").arg(kind));
    QTest::keyClick(picker_->Palette(), Qt::Key_Escape);
    Settle();
  }
  // A negative program-wide kind leaves the choice to the picker.
  PaletteKind = -1;
  picker_->SetOwnPaletteKind(kSevenColorStrip);
  picker_->SetStripWithoutBlack(true);
  QTest::mousePress(PageWindow(), Qt::LeftButton, {}, OnPage({10, 10}));
  EXPECT_EQ(picker_->PaletteKindInUse(), kSevenColorStrip);
  EXPECT_EQ(picker_->Palette()->size(), QSize(176, 26));
  QTest::mouseMove(PageWindow(), CellCentre(5));
  QTest::mouseRelease(PageWindow(), Qt::LeftButton, {}, CellCentre(5));
  Settle();
  EXPECT_EQ(picker_->GetColor(), MakeColorRef(255, 0, 255));
  EXPECT_EQ(picker_->LastCell(), 5);

  picker_->OpenPalette();
  EXPECT_EQ(picker_->Palette()->Cell(), 5);
  const QImage shown = picker_->Palette()->grab().toImage();
  SaveScreenshot(*picker_->Palette(), "color_palette_strip_without_black");
  // The dotted frame runs along the cell's own top row.
  int framePixels = 0;
  for (int x = 125; x < 149; ++x) framePixels += shown.pixel(1 + x, 1) == qRgb(226, 65, 130);
  EXPECT_GE(framePixels, 8);
  EXPECT_EQ(shown.pixel(1 + 112, 1), qRgb(0, 255, 255));  // the cell before is unframed
}

TEST_F(PickerTest, MoreColoursTakesTheDialogsColour) {
  QTest::mouseClick(PageWindow(), Qt::LeftButton, {}, OnPage({10, 10}));
  QAbstractButton* more = picker_->Palette()->MoreColorsButton();
  ASSERT_TRUE(more->isVisible());
  // Answers the dialog once it is up.
  bool answered = false;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) return;
    poll.stop();
    dialog->setCurrentColor(QColor(10, 20, 30));
    dialog->accept();
    answered = true;
  });
  poll.start(10);
  const QPoint centre = page_.mapFromGlobal(more->mapToGlobal(QPoint(8, 8)));
  QTest::mouseClick(PageWindow(), Qt::LeftButton, {}, centre);
  EXPECT_FALSE(picker_->IsPaletteOpen());
  EXPECT_TRUE(QTest::qWaitFor([&] { return answered; }, 2000));
  Settle();
  EXPECT_EQ(picker_->GetColor(), MakeColorRef(10, 20, 30));
  EXPECT_EQ(page_.commands.size(), 1u);
}

}  // namespace
