#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QTimeEdit>
#include <QToolButton>

#include "controls/shell/program_messages.h"
#include "controls/support/digit_spin_edit.h"
#include "editors/program_page/program_dialog.h"
#include "model/settings/ui/dlg_lang_text.h"
#include "tests/editors/page_fixture.h"
#include "tests/support/screenshot.h"

namespace {

constexpr int kSunday = 6;

class ProgramPageTest : public editortest::PageTest {
 protected:
  CProgramDialog& ProgramPage() { return PageAt<CProgramDialog>(PageSlot::Program); }
  void Reload() { SendMessage(ProgramPage().Handle(), UM_LOAD_SELECTION, 1, 0); }
  // Lets a slide of the schedule section run its steps on their timer to the end.
  void AwaitSlide() {
    EXPECT_TRUE(QTest::qWaitFor([this] { return !ProgramPage().Sliding(); }));
  }
  void Step(DigitSpinEdit& edit, int from, bool up) {
    edit.ShowValue(from);
    (up ? edit.UpButton() : edit.DownButton()).click();
  }
};

TEST_F(ProgramPageTest, SpinsAndTypedValuesKeepTheirRanges) {
  Open(64, 32, 0);
  Select(ProgramItem());
  DigitSpinEdit& count = ProgramPage().CountEdit();
  DigitSpinEdit& duration = ProgramPage().DurationEdit();
  // Each edit and its arrows carry their ids.
  const std::pair<int, QWidget*> ids[] = {
      {1032, &count.Edit()}, {1053, &count}, {1030, &duration.Edit()}, {1052, &duration}};
  for (const auto& [id, control] : ids) EXPECT_EQ(FindControl(&ProgramPage(), id), control) << id;
  Step(count, 1, false);
  EXPECT_EQ(program->LoopCount, 1);
  Step(count, 0, false);
  EXPECT_EQ(program->LoopCount, 1);
  EXPECT_EQ(count.Edit().text(), QStringLiteral("1"));
  Step(count, 255, true);
  EXPECT_EQ(program->LoopCount, 255);
  ProgramPage().DurationRadio().click();
  Step(duration, 1, false);
  EXPECT_EQ(program->PlayTime, 1);
  Step(duration, 65535, true);
  EXPECT_EQ(program->PlayTime, 65535);
  duration.Edit().clear();
  QTest::keyClicks(&duration.Edit(), QStringLiteral("120"));
  EXPECT_EQ(std::tie(program->PlayTime, program->LoopCount), std::tuple(120, 255));

  ProgramPage().CountRadio().click();
  count.Edit().clear();
  for (char key : {'3', '0', '0'}) QTest::keyClick(&count.Edit(), key);
  EXPECT_EQ(count.Edit().text(), QStringLiteral("30"));
  EXPECT_EQ(program->LoopCount, 30);
  QTest::keyClick(&count.Edit(), Qt::Key_Backspace);
  QTest::keyClick(&count.Edit(), Qt::Key_Backspace);
  EXPECT_EQ(program->LoopCount, 3);  // an emptied edit leaves the last value

  // The play mode enables its own edit.
  for (const bool byDuration : {true, false}) {
    (byDuration ? ProgramPage().DurationRadio() : ProgramPage().CountRadio()).click();
    EXPECT_EQ(std::tuple(program->StopType, duration.isEnabled(), count.isEnabled()),
              std::tuple(byDuration ? 1 : 0, byDuration, !byDuration));
  }
}

TEST_F(ProgramPageTest, ChecksWriteTheirOwnFields) {
  Open(64, 32, 0);
  program->WeekVaule = 0x2B;
  program->IsWeek = 1;
  Select(ProgramItem());
  EXPECT_TRUE(ProgramPage().WeekdayCheck(0).isChecked());  // Monday, bit 1
  EXPECT_FALSE(ProgramPage().WeekdayCheck(1).isChecked());
  EXPECT_TRUE(ProgramPage().WeekdayCheck(kSunday).isChecked());  // bit 0
  ProgramPage().WeekdayCheck(kSunday).click();
  EXPECT_EQ(program->WeekVaule, 0x2A);
  ProgramPage().WeekdayCheck(kSunday).click();
  EXPECT_EQ(program->WeekVaule, 0x2B);
  for (int day = 0; day < 7; ++day) {
    const std::int32_t before = program->WeekVaule;
    ProgramPage().WeekdayCheck(day).click();
    EXPECT_EQ(program->WeekVaule ^ before, 1 << ((day + 1) % 7)) << day;
  }
  ProgramPage().WeekCheck().click();
  EXPECT_EQ(program->IsWeek, 0);
  EXPECT_FALSE(ProgramPage().WeekdayCheck(3).isEnabled());
  ProgramPage().DateCheck().click();
  EXPECT_EQ(program->IsDate, 1);
  EXPECT_TRUE(ProgramPage().StartDate().isEnabled());
  EXPECT_FALSE(ProgramPage().StartTime().isEnabled());
  ProgramPage().TimeCheck().click();
  EXPECT_EQ(std::tie(program->IsTime, program->IsDate), std::tuple(1, 1));
  EXPECT_TRUE(ProgramPage().EndTime().isEnabled());
}

TEST_F(ProgramPageTest, LoadingWritesNothingAndSlidesOnlyOnAChange) {
  Open(64, 32, 0);
  program->IsProgramTiming = 1;
  program->StartHour = 6, program->StartMinute = 30, program->StartSecond = 59;
  program->StartYear = 2026, program->StartMonth = 3, program->StartDay = 1;
  program->EndHour = 20, program->EndMinute = 15;
  program->EndYear = 2026, program->EndMonth = 12, program->EndDay = 31;
  Select(ProgramItem());
  const QPoint checkAt = ProgramPage().TimingCheck().pos();
  const QPoint frameAt = ProgramPage().TimingFrame().pos();
  const QPoint weekAt = ProgramPage().WeekCheck().pos();
  EXPECT_TRUE(ProgramPage().TimingShown());
  EXPECT_EQ(ProgramPage().StartTime().time(), QTime(6, 30, 59));
  // Shown as the card's hours and ISO dates.
  EXPECT_EQ(std::pair(ProgramPage().EndTime().text(), ProgramPage().EndDate().text()),
            std::pair(QStringLiteral("20:15"), QStringLiteral("2026-12-31")));
  ProgramPage().StartDate().setDate(QDate(2026, 4, 2));
  ProgramPage().EndDate().setDate(QDate(2027, 5, 3));
  EXPECT_EQ(std::tie(program->StartYear, program->StartMonth, program->StartDay, program->EndYear,
                     program->EndMonth, program->EndDay),
            std::tuple(2026, 4, 2, 2027, 5, 3));
  Reload();
  EXPECT_EQ(ProgramPage().TimingCheck().pos(), checkAt);
  ProgramPage().EndTime().setTime(QTime(22, 10));
  ProgramPage().StartTime().stepBy(1);  // the hour; the seconds stay
  EXPECT_EQ(std::tie(program->StartHour, program->StartMinute, program->StartSecond,
                     program->EndHour, program->EndMinute, program->EndSecond),
            std::tuple(7, 30, 59, 22, 10, 0));

  // A stored month 13 shows the nearest date, leaves the record and loads the rest.
  program->StartYear = 1900, program->StartMonth = 13;
  program->LoopCount = 7, program->StopType = 1;
  program->IsProgramTiming = 0;
  CopyBoundedText(program->ProgramName, u"Late");
  Reload();
  EXPECT_EQ(program->StartMonth, 13);
  EXPECT_EQ(ProgramPage().StartDate().date(), QDate(1900, 12, 2));
  EXPECT_EQ(ProgramPage().CountEdit().Edit().text(), QStringLiteral("7"));
  EXPECT_EQ(ProgramPage().NameEdit().text(), QStringLiteral("Late"));
  EXPECT_EQ(
      std::tuple(ProgramPage().DurationRadio().isChecked(),
                 ProgramPage().DurationEdit().isEnabled(), ProgramPage().CountEdit().isEnabled()),
      std::tuple(true, true, false));
  EXPECT_FALSE(ProgramPage().TimingShown());
  AwaitSlide();
  EXPECT_EQ(ProgramPage().TimingCheck().pos(), checkAt + QPoint(0, 180));
  EXPECT_EQ(ProgramPage().TimingFrame().pos(), frameAt + QPoint(560, 0));
  EXPECT_EQ(ProgramPage().WeekCheck().pos(), weekAt + QPoint(0, 200));
  EXPECT_EQ(program->IsProgramTiming, 0);

  ProgramPage().TimingCheck().click();
  EXPECT_EQ(program->IsProgramTiming, 1);
  AwaitSlide();
  EXPECT_EQ(ProgramPage().TimingCheck().pos(), checkAt);
}

TEST_F(ProgramPageTest, NameLanguageAndPaint) {
  Open(64, 32, 0);
  program->IsProgramTiming = 1;
  Select(ProgramItem());
  for (const QString& key : {QStringLiteral("A"), QStringLiteral("B")}) {
    QTest::keyClicks(&ProgramPage().NameEdit(), key);
    EXPECT_EQ(ProgramItem()->text(0), ReadBoundedText(program->ProgramName));
  }
  EXPECT_EQ(ProgramItem()->text(0), QStringLiteral("ShowAB"));
  QTest::keyClicks(&ProgramPage().NameEdit(), QString(70, u'n'));
  EXPECT_EQ(ProgramPage().NameEdit().text().size(), 63);

  const int texts[][2] = {{1075, 1000}, {1076, 1001}, {1077, 1002}, {1078, 1003}, {1521, 1004},
                          {1522, 1005}, {1073, 1006}, {1027, 1007}, {1069, 1008}, {1070, 1009},
                          {1028, 1010}, {1071, 1011}, {1072, 1012}, {1031, 1013}, {1058, 1014},
                          {1059, 1015}, {1060, 1016}, {1061, 1017}, {1062, 1018}, {1063, 1019},
                          {1064, 1020}};
  SelectLanguageFile(1);
  ProgramPage().ApplyLanguage();
  EXPECT_EQ(editortest::WrongLangText(ProgramPage(), QStringLiteral("IDD_PROGRAM_DIALOG"), texts),
            0);
  SelectLanguageFile(2);
  ProgramPage().ApplyLanguage();

  const QColor line(119, 196, 243);
  QImage on = ProgramPage().grab().toImage();
  EXPECT_EQ(std::pair(on.pixelColor(61, 199), on.pixelColor(499, 253)), std::pair(line, line));
  EXPECT_NE(on.pixelColor(5, 5), on.pixelColor(5, 60));  // the caption band
  SaveScreenshot(ProgramPage(), QStringLiteral("program_dialog_timing_on"));
  // The schedule's frame lies on the page and holds every check of the section.
  const QRect frame = FindControl(&ProgramPage(), 1074)->geometry();
  EXPECT_TRUE(ProgramPage().rect().contains(frame)) << frame.bottom();
  for (QCheckBox* day : ProgramPage().findChildren<QCheckBox*>()) {
    if (day != &ProgramPage().TimingCheck()) {
      EXPECT_TRUE(frame.contains(day->geometry())) << day->text().toStdString();
    }
  }
  ProgramPage().TimingCheck().click();
  AwaitSlide();
  QImage off = ProgramPage().grab().toImage();
  EXPECT_NE(off.pixelColor(61, 199), line);
  EXPECT_NE(off.pixelColor(499, 253), line);
  SaveScreenshot(ProgramPage(), QStringLiteral("program_dialog_timing_off"));
  SelectLanguageFile(1);
  ProgramPage().ApplyLanguage();
  ProgramPage().TimingCheck().click();
  AwaitSlide();
  SaveScreenshot(ProgramPage(), QStringLiteral("program_dialog_chinese"));
  SelectLanguageFile(2);
}

}  // namespace
