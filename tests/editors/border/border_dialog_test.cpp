#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "app/language/language_texts.h"
#include "controls/color/color_picker.h"
#include "controls/dialogs/style_message_dialog.h"
#include "controls/shell/program_messages.h"
#include "editors/border/border_dialog.h"
#include "editors/border/border_rules.h"
#include "model/settings/lang_sections.h"
#include "model/settings/ui/dlg_lang_text.h"
#include "tests/editors/page_fixture.h"
#include "tests/support/screenshot.h"

namespace {

using editortest::RectOf;
using testsupport::Message;

constexpr std::uint32_t kGreen = 0x00FF00;

class BorderPageTest : public editortest::PageTest {
 protected:
  void SetUp() override {
    PageTest::SetUp();
    // Every fit warning is counted and closed with its OK button.
    QObject::connect(&closer_, &QTimer::timeout, [this] {
      auto* box = dynamic_cast<CStyleMessageDialog*>(QApplication::activeModalWidget());
      if (!box) return;
      ++warnings;
      shown = box->Message();
      // The warning's look: its icon, OK alone.
      EXPECT_EQ(box->Background(), CStyleMessageDialog(shown, 48).Background());
      qobject_cast<QPushButton*>(FindControl(box, kIdcMessageOk))->click();
    });
    closer_.start(5);
  }
  void TearDown() override {
    closer_.stop();
    CanvasAreaList.clear();
    PageTest::TearDown();
  }

  CBorderDialog& Border() { return PageAt<CBorderDialog>(PageSlot::Border); }
  // A screen of that colour type and size, the program's border on, one area at rect;
  // selecting the program lists its areas on the canvas. The area is a clock, whose
  // page sends the canvas nothing of its own.
  void OpenOn(int ledColor, int width, int height, QRect rect) {
    Open(width, height, 0, rect);
    area->AreaType = kDigitalClockArea;
    area->Kind = MakeKindRecord(kDigitalClockArea);
    page->BuildTreeFromModel();
    ScreenList.front().LedColor = ledColor;
    program->IsUseBorder = area->IsUseBorder = 1;
    program->BorderWidth = area->BorderWidth = 1;
  }
  void Choose(QComboBox& combo, int index) {
    combo.setCurrentIndex(index);
    emit combo.activated(index);
  }
  // The messages the canvas got since the last call, after posted commands arrived.
  std::vector<Message> Sent() {
    QApplication::processEvents();
    return canvas.Take();
  }

  int warnings = 0;
  QString shown;  // the last warning's text

 private:
  QTimer closer_;
};

const Message kProgramChanged{UM_CANVAS_COMMAND, 0, 0};
const Message kAreaChanged{UM_CANVAS_RELOAD, 0, 0};

TEST(BorderRules, WidthFollowsFamilyAndStyle) {
  const int single[21] = {1, 1, 1, 2, 2, 2, 3, 3, 3, 3, 3, 3, 4, 4, 4, 4, 7, 7, 7, 7, 1};
  const int dazzle[27] = {1, 2, 2, 2, 2, 3, 3, 3, 3, 3, 3, 3, 4, 4,
                          4, 4, 4, 4, 7, 7, 7, 7, 7, 7, 7, 7, 1};
  for (int style = 0; style < 21; ++style) EXPECT_EQ(GetBorderWidth(0, style), single[style]);
  for (int style = 0; style < 27; ++style) EXPECT_EQ(GetBorderWidth(1, style), dazzle[style]);
  // A screen with no room inside the border still keeps a pixel of each area.
  EXPECT_EQ(PushInsideBorder(QRect(0, 0, 5, 5), 8, 8, 4), QRect(4, 4, 1, 1));
}

TEST_F(BorderPageTest, SwitchingOffAndOnAndTheSingleColourScreen) {
  OpenOn(0, 64, 32, QRect(0, 0, 64, 32));
  area->BorderValue = 12, area->BorderWidth = 4;
  program->BorderType = 1, program->BorderValue = 5, program->BorderWidth = 3;
  Select(AreaItem());
  Border().UseCheck().click();
  EXPECT_EQ(area->BorderWidth, 0);
  EXPECT_FALSE(Border().Styles(0).isEnabled());
  Border().UseCheck().click();
  EXPECT_EQ(area->BorderWidth, 4);
  EXPECT_EQ(Sent(), (std::vector<Message>{kAreaChanged, kAreaChanged}));

  // A stored dazzle border loads as the thinnest single-colour style.
  Select(ProgramItem());
  EXPECT_EQ(std::tie(program->BorderType, program->BorderValue, program->BorderWidth),
            std::tuple(0, 0, 1));
  EXPECT_TRUE(Border().SingleRadio().isChecked());
  EXPECT_FALSE(Border().DazzleRadio().isEnabled());
  EXPECT_FALSE(Border().Styles(1).isEnabled());
  EXPECT_EQ(Border().Styles(0).currentIndex(), 0);
  EXPECT_TRUE(Sent().empty());
  // A border that is off stays at width 0.
  program->IsUseBorder = 0, program->BorderType = 1, program->BorderWidth = 0;
  Select(AreaItem());
  Select(ProgramItem());
  EXPECT_EQ(program->BorderWidth, 0);
}

TEST_F(BorderPageTest, AnAreaBorderMustLeaveAPixelInside) {
  OpenOn(2, 64, 32, QRect(10, 0, 14, 20));
  SelectLanguageFile(1);
  Select(AreaItem());
  Choose(Border().Styles(0), 16);
  EXPECT_EQ(warnings, 1);
  EXPECT_EQ(shown, QStringLiteral("流水框超出区域大小，请重新选择流水边框或将区域调大。"));
  EXPECT_EQ(std::tie(area->BorderValue, area->BorderWidth), std::tuple(0, 1));
  EXPECT_EQ(Border().Styles(0).currentIndex(), 0);
  area->AreaRect_Right = 25;
  area->AreaRect_Bottom = 14;  // wide enough now, but too low
  Choose(Border().Styles(0), 16);
  EXPECT_EQ(warnings, 2);
  EXPECT_EQ(area->BorderWidth, 1);
  area->AreaRect_Bottom = 15;
  Choose(Border().Styles(0), 16);
  EXPECT_EQ(warnings, 2);
  EXPECT_EQ(std::tie(area->BorderValue, area->BorderWidth), std::tuple(16, 7));
}

TEST_F(BorderPageTest, AProgramBorderPushesItsAreasInside) {
  OpenOn(2, 64, 32, QRect(0, 0, 64, 32));
  AreaRecord& small = testsupport::PlaceArea(*program, kSingleLineArea, 0, 0, 12, 10);
  AreaRecord& far = testsupport::PlaceArea(*program, kSingleLineArea, 50, 20, 62, 31);
  page->BuildTreeFromModel();
  Select(ProgramItem());
  Choose(Border().Styles(0), 12);
  EXPECT_EQ(program->BorderWidth, 4);
  EXPECT_EQ(RectOf(*area), QRect(4, 4, 56, 24));
  EXPECT_EQ(RectOf(small), QRect(4, 4, 12, 10));
  EXPECT_EQ(RectOf(far), QRect(48, 17, 12, 11));  // back inside with its size kept
  EXPECT_EQ(warnings, 0);
  EXPECT_EQ(Sent(), std::vector<Message>{kProgramChanged});
  ScreenList.front().LedHeight = 8;  // too low for a width of 4
  Choose(Border().Styles(0), 12);
  EXPECT_EQ(std::tuple(warnings, program->BorderWidth, RectOf(*area)),
            std::tuple(1, 1, QRect(4, 1, 56, 6)));
}

TEST_F(BorderPageTest, AnAreaTooSmallForTheProgramBorderResetsItOnceAndShowsIt) {
  OpenOn(2, 64, 32, QRect(10, 10, 20, 6));
  AreaRecord& after = testsupport::PlaceArea(*program, kSingleLineArea, 0, 0, 20, 2);
  page->BuildTreeFromModel();
  program->BorderType = 1;
  Select(ProgramItem());
  Choose(Border().Styles(1), 12);
  EXPECT_EQ(warnings, 1);
  EXPECT_EQ(std::tie(program->BorderValue, program->BorderWidth), std::tuple(0, 1));
  EXPECT_EQ(Border().Styles(1).currentIndex(), 0);
  EXPECT_EQ(RectOf(*area), QRect(10, 10, 20, 6));
  EXPECT_EQ(RectOf(after), QRect(1, 1, 20, 2));
  EXPECT_EQ(Sent(), std::vector<Message>{kProgramChanged});
  Choose(Border().Styles(1), 0);  // already the thinnest: nothing to reset or say
  EXPECT_EQ(warnings, 1);
}

TEST_F(BorderPageTest, EveryChangeTellsTheCanvasOnceAndTheStoredColourNothing) {
  OpenOn(2, 64, 32, QRect(0, 0, 64, 32));
  program->BorderColor = area->BorderColor = kGreen;
  for (QTreeWidgetItem* item : {ProgramItem(), AreaItem()}) {
    Select(item);
    const Message changed = item == ProgramItem() ? kProgramChanged : kAreaChanged;
    EXPECT_TRUE(Sent().empty());
    Border().ColorButton().SetColor(kGreen);
    EXPECT_TRUE(Sent().empty());
    const std::vector<std::function<void()>> changes = {
        [&] { Border().UseCheck().click(); },
        [&] { Border().UseCheck().click(); },
        [&] { Border().DazzleRadio().click(); },
        [&] { Choose(Border().Styles(1), 3); },
        [&] { Border().SingleRadio().click(); },
        [&] { Choose(Border().Styles(0), 4); },
        [&] { Border().DazzleRadio().click(); },  // its list still shows style 3
        [&] { Choose(Border().EffectList(), 2); },
        [&] { Choose(Border().SpeedList(), 9); },
        [&] { Border().ColorButton().SetColor(0x0000FF); },
    };
    for (const auto& change : changes) {
      change();
      EXPECT_EQ(Sent(), std::vector<Message>{changed});
    }
  }
  EXPECT_EQ(std::tie(area->BorderType, area->BorderValue, area->BorderWidth, area->BorderStyle,
                     area->BorderSpeed, area->BorderColor),
            std::tuple(1, 3, 2, 2, 9, 0x0000FFu));
}

TEST_F(BorderPageTest, PicturesAndTextsInBothLanguages) {
  OpenOn(1, 64, 32, QRect(0, 0, 64, 32));  // two colours: dazzle borders too
  program->BorderType = 1, program->BorderValue = 5, program->BorderWidth = 3;
  program->BorderStyle = 2, program->BorderSpeed = 9;
  area->BorderValue = 4, area->BorderWidth = 2, area->BorderColor = kGreen;
  EXPECT_EQ(Border().SpeedList().count(), 32);
  EXPECT_EQ(Border().SpeedList().itemText(0), QStringLiteral("1(fastest)"));
  EXPECT_EQ(Border().SpeedList().itemText(31), QStringLiteral("32(slowest)"));
  EXPECT_EQ(Border().Styles(1).itemText(25), QStringLiteral("7"));
  for (int language : {1, 2}) {
    SelectLanguageFile(language);
    ReloadAllTexts();  // the page is registered with the project page's texts
    const QString suffix = language == 1 ? QStringLiteral("chinese") : QStringLiteral("english");
    Select(ProgramItem());
    const int texts[][2] = {{1026, 1000}, {1048, 1001}, {1183, 1002},
                            {1050, 1003}, {1474, 1004}, {1475, 1005}};
    EXPECT_EQ(editortest::WrongLangText(Border(), lang_section::IDD_BORDER_DIALOG, texts), 0);
    EXPECT_TRUE(Border().DazzleRadio().isChecked());
    EXPECT_EQ(std::tuple(Border().Styles(0).isEnabled(), Border().ColorButton().isEnabled(),
                         Border().Styles(1).isEnabled(), Border().Styles(1).currentIndex(),
                         Border().EffectList().currentIndex(), Border().SpeedList().currentIndex(),
                         Border().EffectList().isEnabled(), Border().SpeedList().isEnabled()),
              std::tuple(false, false, true, 5, 2, 9, true, true));
    SaveScreenshot(*page, QStringLiteral("border_dialog_program_dazzle_") + suffix);
    Select(AreaItem());
    QComboBox& styles = Border().Styles(0);
    styles.showPopup();
    QWidget* list = styles.view()->window();
    QImage shot = page->grab().toImage();
    QPainter painter(&shot);
    painter.drawPixmap(page->mapFromGlobal(list->mapToGlobal(QPoint(0, 0))), list->grab());
    painter.end();
    SavePicture(shot, QStringLiteral("border_dialog_area_list_open_") + suffix);
    styles.hidePopup();
  }
  EXPECT_EQ(Border().EffectList().itemText(1), QStringLiteral("Clockwise"));
}

}  // namespace
