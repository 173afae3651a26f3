#include <gtest/gtest.h>

#include <QApplication>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include "controls/shell/program_messages.h"
#include "controls/support/digit_spin_edit.h"
#include "editors/area_rect/area_rect_rules.h"
#include "editors/area_rect/area_set_dialog.h"
#include "model/settings/ui/dlg_lang_text.h"
#include "tests/editors/page_fixture.h"
#include "tests/support/screenshot.h"

namespace {

using editortest::Message;

class AreaPageTest : public editortest::PageTest {
 protected:
  CAreaSetDialog& AreaPage() { return PageAt<CAreaSetDialog>(PageSlot::AreaRect); }
  DigitSpinEdit& Field(CAreaSetDialog::Field field) { return AreaPage().FieldEdit(field); }
  // Replaces the field's text by typing.
  void Type(CAreaSetDialog::Field field, const QString& text) {
    Field(field).Edit().clear();
    QTest::keyClicks(&Field(field).Edit(), text);
  }
  void LoseFocus(CAreaSetDialog::Field field) {
    QFocusEvent out(QEvent::FocusOut);
    QApplication::sendEvent(&Field(field).Edit(), &out);
  }
  QRect Rect() const { return editortest::RectOf(*area); }
  void FireSizeTimer() {
    SendMessage(AreaPage().Handle(), WM_TIMER, CAreaSetDialog::kSizeTimer, 0);
  }
};

const Message kReload{UM_CANVAS_RELOAD, 0, 0};

TEST(AreaRectRulesTest, KeepAreasInsideTheProgramBorder) {
  EXPECT_EQ(ClampAreaPosition(50, 99, 100, 2), 2);  // longer than the inside: at the border
  // An area ending on the border stays; one a dot past it moves back inside.
  for (const auto& [p, position] : {std::pair{68, 68}, {69, 68}}) {
    EXPECT_EQ(ClampAreaPosition(p, 30, 100, 2), position) << p;
    const AreaSpan span = ClampAreaLength(p, 30, 100, 2);
    EXPECT_EQ(std::tie(span.position, span.length), std::tuple(position, 30)) << p;
  }
  // An area no wider than both borders is made one wider.
  EXPECT_EQ(std::pair(ClampAreaLength(10, 4, 100, 2).length, ClampAreaLength(10, 5, 100, 2).length),
            std::pair(5, 5));
  const AreaSpan filled = ClampAreaLength(40, 200, 100, 2);
  EXPECT_EQ(std::tie(filled.position, filled.length), std::tuple(2, 96));
  EXPECT_EQ(ClampAreaLength(1, 10, 4, 2).length, 1);  // a screen narrower than its border
}

TEST_F(AreaPageTest, TypedPositionsAndSizesAreClampedAndShown) {
  Open(100, 40, 2, QRect(40, 4, 10, 8));
  Select(AreaItem());
  EXPECT_EQ(Field(CAreaSetDialog::kX).Edit().text(), QStringLiteral("40"));

  Type(CAreaSetDialog::kX, QStringLiteral("88"));
  EXPECT_EQ(Rect(), QRect(88, 4, 10, 8));
  Type(CAreaSetDialog::kX, QStringLiteral("89"));  // shown clamped and selected at once
  EXPECT_EQ(Rect(), QRect(88, 4, 10, 8));
  EXPECT_EQ(Field(CAreaSetDialog::kX).Edit().text(), QStringLiteral("88"));
  EXPECT_EQ(Field(CAreaSetDialog::kX).Edit().selectedText(), QStringLiteral("88"));
  Type(CAreaSetDialog::kX, QStringLiteral("1"));  // below the border: shown when left
  EXPECT_EQ(Rect().left(), 2);
  EXPECT_EQ(Field(CAreaSetDialog::kX).Edit().text(), QStringLiteral("1"));
  LoseFocus(CAreaSetDialog::kX);
  EXPECT_EQ(Field(CAreaSetDialog::kX).Edit().text(), QStringLiteral("2"));

  // A width wider than the inside puts the area at the border across the inside.
  Type(CAreaSetDialog::kWidth, QStringLiteral("500"));
  EXPECT_EQ(Rect(), QRect(2, 4, 96, 8));
  EXPECT_EQ(Field(CAreaSetDialog::kWidth).Edit().text(), QStringLiteral("96"));
  EXPECT_EQ(Field(CAreaSetDialog::kX).Edit().text(), QStringLiteral("2"));
  EXPECT_TRUE(canvas.Take().empty());  // sizes reach the canvas only when settled

  // Letters never reach the edit.
  QTest::keyClicks(&Field(CAreaSetDialog::kY).Edit(), QStringLiteral("x"));
  EXPECT_EQ(Field(CAreaSetDialog::kY).Edit().text(), QStringLiteral("4"));
  Type(CAreaSetDialog::kY, QStringLiteral("31"));  // the bottom within the screen's height
  EXPECT_EQ(Rect(), QRect(2, 30, 96, 8));
}

TEST_F(AreaPageTest, BorderSizesAndNoBorder) {
  Open(100, 40, 3, QRect(10, 10, 20, 10));
  Select(AreaItem());
  Type(CAreaSetDialog::kWidth, QStringLiteral("6"));
  EXPECT_EQ(Rect().width(), 7);
  EXPECT_EQ(Field(CAreaSetDialog::kWidth).Edit().text(), QStringLiteral("6"));
  FireSizeTimer();  // the page shows what it stored
  EXPECT_EQ(Field(CAreaSetDialog::kWidth).Edit().text(), QStringLiteral("7"));
  Type(CAreaSetDialog::kWidth, QStringLiteral("7"));
  EXPECT_EQ(Rect().width(), 7);
  // A spin click shows the raised minimum at once.
  Type(CAreaSetDialog::kHeight, QStringLiteral("8"));
  Field(CAreaSetDialog::kHeight).DownButton().click();
  Field(CAreaSetDialog::kHeight).DownButton().click();
  EXPECT_EQ(Rect().height(), 7);
  EXPECT_EQ(Field(CAreaSetDialog::kHeight).Edit().selectedText(), QStringLiteral("7"));
  // So does a spin past the border.
  Type(CAreaSetDialog::kX, QStringLiteral("3"));
  Field(CAreaSetDialog::kX).DownButton().click();
  EXPECT_EQ(Field(CAreaSetDialog::kX).Edit().selectedText(), QStringLiteral("3"));

  program->BorderWidth = 0;
  Type(CAreaSetDialog::kX, QStringLiteral("93"));
  EXPECT_EQ(Rect().left(), 93);
  EXPECT_EQ(area->AreaRect_Right, 100);
}

TEST_F(AreaPageTest, SpinsWriteAtOnceAndSizeEditsReloadTheCanvasOnce) {
  Open(100, 40, 2, QRect(10, 10, 20, 10));
  Select(AreaItem());
  Field(CAreaSetDialog::kX).UpButton().click();
  Field(CAreaSetDialog::kY).DownButton().click();
  EXPECT_EQ(Rect(), QRect(11, 9, 20, 10));
  EXPECT_EQ(Field(CAreaSetDialog::kX).Edit().text(), QStringLiteral("11"));
  EXPECT_EQ(AreaPage().PendingReloadMs(), 0u);
  EXPECT_TRUE(canvas.Take().empty());

  Type(CAreaSetDialog::kWidth, QStringLiteral("30"));
  Type(CAreaSetDialog::kHeight, QStringLiteral("12"));
  EXPECT_EQ(AreaPage().PendingReloadMs(), 1000u);
  EXPECT_TRUE(canvas.Take().empty());
  FireSizeTimer();
  EXPECT_EQ(canvas.Take(), std::vector<Message>{kReload});
  EXPECT_EQ(AreaPage().PendingReloadMs(), 0u);
  Field(CAreaSetDialog::kWidth).UpButton().click();
  EXPECT_EQ(AreaPage().PendingReloadMs(), 2000u);
  EXPECT_EQ(Rect(), QRect(11, 9, 31, 12));

  // The canvas moved the area and asks the page to show it.
  area->AreaRect_Left = 50;
  area->AreaRect_Right = 70;
  SendMessage(AreaPageWindow, UM_LOAD_SELECTION, 0, 0);
  EXPECT_EQ(Field(CAreaSetDialog::kX).Edit().text(), QStringLiteral("50"));
  EXPECT_EQ(Field(CAreaSetDialog::kWidth).Edit().text(), QStringLiteral("20"));
}

TEST_F(AreaPageTest, NameRenamesTheItemAndLanguageAndPaint) {
  Open(100, 40, 0);
  Select(AreaItem());
  QTest::keyClicks(&AreaPage().NameEdit(), QStringLiteral("Z"));
  EXPECT_EQ(AreaItem()->text(0), QStringLiteral("SignZ"));
  QTest::keyClicks(&AreaPage().NameEdit(), QString(70, u'n'));
  EXPECT_EQ(AreaPage().NameEdit().text().size(), 64);
  EXPECT_EQ(ReadBoundedText(area->AreaName).size(), 63);
  EXPECT_EQ(AreaItem()->text(0), ReadBoundedText(area->AreaName));

  const int texts[][2] = {{1456, 1000}, {1457, 1001}, {1458, 1002}};
  SelectLanguageFile(1);
  AreaPage().ApplyLanguage();
  EXPECT_EQ(editortest::WrongLangText(AreaPage(), QStringLiteral("IDD_AREASET_DIALOG"), texts), 0);
  SelectLanguageFile(2);
  AreaPage().ApplyLanguage();

  const QImage picture = AreaPage().grab().toImage();
  EXPECT_NE(picture.pixelColor(5, 5), picture.pixelColor(5, 60));  // the caption band
  SaveScreenshot(AreaPage(), QStringLiteral("area_set_dialog"));
  SelectLanguageFile(1);
  AreaPage().ApplyLanguage();
  SaveScreenshot(AreaPage(), QStringLiteral("area_set_dialog_chinese"));
  SelectLanguageFile(2);
}

}  // namespace
