// The analog clock, digital clock and countdown pages: what each control stores, the
// size rules, loads that write nothing, hidden pages and records out of range.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QRadioButton>
#include <QTest>

#include <cstddef>
#include <cstring>
#include <functional>

#include "controls/shell/program_messages.h"
#include "editors/clock/clock_dialog.h"
#include "editors/clock/digital_clock_dialog.h"
#include "editors/clock/time_dialog.h"
#include "model/settings/lang_sections.h"
#include "tests/editors/page_fixture.h"
#include "tests/support/screenshot.h"

namespace {

// Lets the colour buttons' posted commands arrive.
void Settle() { QCoreApplication::processEvents(); }

QStringList Entries(const QComboBox& list) {
  QStringList texts;
  for (int i = 0; i < list.count(); ++i) texts << list.itemText(i);
  return texts;
}

// Chooses an entry as a click in the drop-down list does.
void Choose(QComboBox& list, int index) {
  ASSERT_GE(index, 0);
  list.setCurrentIndex(index);
  emit list.activated(index);
}

// Types text over the whole text of an editable list, with the keyboard focus, where
// a list may complete what is typed.
void Type(QComboBox& list, const QString& text) {
  QWidget* window = list.window();
  window->show();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  list.lineEdit()->setFocus();
  list.lineEdit()->selectAll();
  QTest::keyClicks(list.lineEdit(), text);
}

template <typename Record>
bool Same(const Record& a, const Record& b) {
  return std::memcmp(&a, &b, sizeof(Record)) == 0;
}

class ClockPagesTest : public editortest::PageTest {
 protected:
  // A 64 x 64 area holding the record, not yet selected.
  template <typename Record>
  Record& MakeArea(std::int32_t kind, const Record& record) {
    Open(128, 64, 0, QRect(0, 0, 64, 64));
    area->AreaType = kind;
    area->Kind = record;
    return std::get<Record>(area->Kind);
  }
  void SelectArea() {
    Select(AreaItem());
    Settle();
  }
  void Reload(MessageWindow& page) {
    SendMessage(page.Handle(), UM_LOAD_SELECTION, 1, 0);
    Settle();
  }
  // Screenshots of the page in English and in Chinese; inChinese runs before the
  // second.
  template <typename Page>
  void SaveInBothLanguages(
      Page& page, const QString& name, const std::function<void()>& inChinese = [] {}) {
    SaveScreenshot(page, name + QStringLiteral("_english"));
    SelectLanguageFile(1);
    page.ApplyLanguage();
    inChinese();
    SaveScreenshot(page, name + QStringLiteral("_chinese"));
    SelectLanguageFile(2);
    page.ApplyLanguage();
  }
};

ClockAreaInfo AnalogClock() {
  ClockAreaInfo clock{};
  CopyBoundedText(clock.ShowStr, u"Quendra");
  CopyBoundedText(clock.ShowStrFont_FontName, u"DejaVu Sans");
  clock.ShowStrFont_FontSize = 14;
  clock.ShowStrFont_FontColor = 0xFF, clock.ShowStrFont_FontItalic = 1;
  clock.HourNum = 2, clock.MiniteNum = 30;
  clock.ClockType = 1;
  clock.HourMarkColor = 0xFF00, clock.HourMarkType = 3, clock.HourMarkWidth = 7;
  clock.MiniteMarkColor = 0xFF0000, clock.MiniteMarkType = 1, clock.MiniteMarkWidth = 4;
  clock.HourPointerColor = 0xFFFF, clock.MinitePointerColor = 0xFF00FF;
  clock.SecondPointerColor = 0xFFFF00;
  clock.HourPointerWidth = 5, clock.MinutePointerWidth = 3, clock.SecondPointerWidth = 1;
  clock.IsShowDate = 1, clock.DateFormat = 4;
  CopyBoundedText(clock.DateFont_FontName, u"DejaVu Serif");
  clock.DateFont_FontSize = 10, clock.DateFont_FontColor = 0xFF, clock.DateFont_FontBold = 1;
  clock.IsShowWeek = 1, clock.WeekFormat = 2;
  CopyBoundedText(clock.WeekFont_FontName, u"DejaVu Sans Mono");
  clock.WeekFont_FontSize = 11, clock.WeekFont_FontColor = 0xFF00, clock.WeekFont_FontItalic = 1;
  return clock;
}

TEST_F(ClockPagesTest, AnalogClockStoresWhatItsControlsShow) {
  const ClockAreaInfo start = AnalogClock();
  ClockAreaInfo& clock = MakeArea(kAnalogClockArea, start);
  SelectArea();
  auto& page = PageAt<CClockDialog>(PageSlot::AnalogClock);
  EXPECT_TRUE(Same(clock, start));  // the loaded colours came back unchanged
  EXPECT_EQ(page.HourMarkSizeList().currentText(), QStringLiteral("3"));
  EXPECT_EQ(page.MinuteMarkSizeList().currentText(), QStringLiteral("2"));
  EXPECT_EQ(page.OffsetPicker().time(), QTime(2, 30));
  EXPECT_EQ(page.SizeList().currentText(), QStringLiteral("14"));
  EXPECT_EQ(Entries(page.SizeList()),
            QString("8 9 10 11 12 14 16 18 20 22 24 28 36 48 72").split(' '));
  for (QComboBox* sizes : {&page.HourMarkSizeList(), &page.MinuteMarkSizeList()})
    EXPECT_EQ(Entries(*sizes), QString("0 1 2 3 4 5 6 7 8").split(' '));
  const auto untouched = [&] {
    constexpr std::size_t from = offsetof(ClockAreaInfo, HourPointerWidth);
    return std::memcmp(reinterpret_cast<const char*>(&clock) + from,
                       reinterpret_cast<const char*>(&start) + from,
                       sizeof(ClockAreaInfo) - from) == 0;
  };

  Choose(page.HourMarkSizeList(), 3);
  EXPECT_EQ(clock.HourMarkWidth, 6);
  Choose(page.MinuteMarkSizeList(), 8);
  EXPECT_EQ(clock.MiniteMarkWidth, 16);
  Choose(page.FaceTypeList(), 0);
  Choose(page.SignList(), 1);
  Choose(page.HourMarkTypeList(), 2);
  Choose(page.MinuteMarkTypeList(), 0);
  EXPECT_EQ(std::tie(clock.ClockType, clock.TimeLagType, clock.HourMarkType, clock.MiniteMarkType),
            std::tuple(0, 1, 2, 0));
  page.OffsetPicker().setTime(QTime(3, 45));
  EXPECT_EQ(std::tie(clock.HourNum, clock.MiniteNum), std::tuple(3, 45));

  // Typed sizes: 0 or no number store 9, above 200 store 200, each shown as stored.
  const struct {
    const char* typed;
    int stored;
    const char* shown;
  } sizes[] = {{"1", 1, "1"},   {"5", 5, "5"},       {"0", 9, "9"},
               {"abc", 9, "9"}, {"300", 200, "200"}, {"200", 200, "200"}};
  for (const auto& size : sizes) {
    Type(page.SizeList(), QString::fromLatin1(size.typed));
    EXPECT_EQ(clock.ShowStrFont_FontSize, size.stored) << size.typed;
    EXPECT_EQ(page.SizeList().currentText(), QString::fromLatin1(size.shown)) << size.typed;
  }
  Choose(page.SizeList(), page.SizeList().findText(QStringLiteral("12")));
  EXPECT_EQ(clock.ShowStrFont_FontSize, 12);

  // A face typed is not stored; one chosen is.
  Type(page.FaceList(), QStringLiteral("DejaVu Serif"));
  EXPECT_EQ(ReadBoundedText(clock.ShowStrFont_FontName), QStringLiteral("DejaVu Sans"));
  Choose(page.FaceList(), page.FaceList().findText(QStringLiteral("DejaVu Serif")));
  EXPECT_EQ(ReadBoundedText(clock.ShowStrFont_FontName), QStringLiteral("DejaVu Serif"));

  page.TextEdit().clear();
  QTest::keyClicks(&page.TextEdit(), QString(64, QLatin1Char('x')));
  EXPECT_EQ(ReadBoundedText(clock.ShowStr), QString(63, QLatin1Char('x')));

  page.StyleButton(0).click();
  page.StyleButton(2).click();
  EXPECT_EQ(std::tie(clock.ShowStrFont_FontBold, clock.ShowStrFont_FontItalic,
                     clock.ShowStrFont_FontUnderLine),
            std::tuple(1, 1, 1));
  page.StyleButton(0).click();
  EXPECT_EQ(clock.ShowStrFont_FontBold, 0);

  const std::pair<int, std::uint32_t ClockAreaInfo::*> colors[] = {
      {1119, &ClockAreaInfo::HourMarkColor},      {1120, &ClockAreaInfo::MiniteMarkColor},
      {1121, &ClockAreaInfo::HourPointerColor},   {1122, &ClockAreaInfo::MinitePointerColor},
      {1125, &ClockAreaInfo::SecondPointerColor}, {1127, &ClockAreaInfo::ShowStrFont_FontColor}};
  for (const auto& [id, field] : colors) {
    page.ColorButton(id)->SetColor(0x123456 + id);
    Settle();
    EXPECT_EQ(clock.*field, 0x123456u + id) << id;
  }
  EXPECT_TRUE(untouched());
}

TEST_F(ClockPagesTest, AnalogClockKeepsItsSelectionsThroughALanguageSwitch) {
  MakeArea(kAnalogClockArea, AnalogClock());
  SelectArea();
  auto& page = PageAt<CClockDialog>(PageSlot::AnalogClock);
  SaveInBothLanguages(page, QStringLiteral("clock_dialog"), [&page] {
    const auto texts = [](std::initializer_list<int> numbers) {
      QStringList list;
      for (int number : numbers) list << ReadLangText(lang_section::IDD_CLOCK_DIALOG, number);
      return list;
    };
    EXPECT_EQ(Entries(page.FaceTypeList()), texts({1008, 1009}));
    EXPECT_EQ(Entries(page.HourMarkTypeList()), texts({1012, 1013, 1014, 1015}));
    EXPECT_EQ(Entries(page.MinuteMarkTypeList()), texts({1008, 1009}));
    EXPECT_EQ(Entries(page.SignList()), QStringList({"+", "-"}));
    EXPECT_EQ(page.FaceTypeList().currentIndex(), 1);
    EXPECT_EQ(page.HourMarkTypeList().currentIndex(), 3);
    EXPECT_EQ(page.MinuteMarkTypeList().currentIndex(), 1);
    const int labels[][2] = {{1476, 1000}, {1477, 1001}, {1478, 1002}, {1479, 1003},
                             {1480, 1004}, {1481, 1005}, {1482, 1006}, {1483, 1007}};
    EXPECT_EQ(editortest::WrongLangText(page, lang_section::IDD_CLOCK_DIALOG, labels), 0);
    EXPECT_EQ(page.HourMarkSizeList().currentText(), QStringLiteral("3"));
    EXPECT_EQ(page.FaceList().currentText(), QStringLiteral("DejaVu Sans"));
  });
}

TEST_F(ClockPagesTest, DigitalClockStoresItsFieldsAndLeavesTypedSizes) {
  DigitalClockAreaInfo start{};
  CopyBoundedText(start.ShowStrFont_FontName, u"DejaVu Sans");
  start.ShowStrFont_FontSize = 12;
  start.TimeFormat = 2, start.TimeColor = 0xFF;
  start.IsShowHour = start.IsShowMinite = start.IsShowSecond = 1;
  start.HourType = 2, start.YearType = 1;
  DigitalClockAreaInfo& clock = MakeArea(kDigitalClockArea, start);
  auto& page = PageAt<CDigitalClockDialog>(PageSlot::DigitalClock);

  // Before the first load there is no record to change.
  Type(page.SizeList(), QStringLiteral("30"));
  Choose(page.SignList(), 1);
  page.PartCheck(0).click();
  page.OffsetPicker().setTime(QTime(1, 2));
  EXPECT_TRUE(Same(clock, start));

  SelectArea();
  EXPECT_TRUE(Same(clock, start));
  EXPECT_EQ(page.SizeList().currentText(), QStringLiteral("12"));
  EXPECT_TRUE(page.PartCheck(6).isChecked());
  EXPECT_FALSE(page.PartCheck(0).isChecked());
  EXPECT_TRUE(page.SingleLineRadio().isChecked());
  for (const char* typed : {"abc", "0"}) {
    Type(page.SizeList(), QString::fromLatin1(typed));
    EXPECT_EQ(clock.ShowStrFont_FontSize, 9);
    EXPECT_EQ(page.SizeList().currentText(), QString::fromLatin1(typed));
  }
  Type(page.SizeList(), QStringLiteral("300"));
  EXPECT_EQ(clock.ShowStrFont_FontSize, 300);
  Choose(page.SignList(), 1);
  EXPECT_EQ(clock.TimeLagType, 1);
  page.OffsetPicker().setTime(QTime(23, 59));
  EXPECT_EQ(std::tie(clock.HourNum, clock.MiniteNum), std::tuple(23, 59));
  EXPECT_EQ(Entries(page.DateFormatList()),
            QStringList({"YYYY年MM月DD日", "YY年MM月DD日", "MM/DD/YYYY", "YYYY/MM/DD", "YYYY-MM-DD",
                         "YYYY.MM.DD", "MM.DD.YYYY", "DD.MM.YYYY"}));
  EXPECT_EQ(Entries(page.TimeFormatList()),
            QStringList({"HH时mm分ss秒", "HH時mm分ss秒", "HH:mm:ss", "上午 HH:mm:ss", "AM HH:mm:ss",
                         "HH:mm:ss 上午", "HH:mm:ss AM"}));
  EXPECT_EQ(Entries(page.WeekFormatList()), QStringList({"星期X", "Monday", "Mon."}));
  Choose(page.DateFormatList(), 7);
  Choose(page.TimeFormatList(), 6);
  Choose(page.WeekFormatList(), 2);
  EXPECT_EQ(std::tie(clock.DateFormat, clock.TimeFormat, clock.WeekFormat), std::tuple(7, 6, 2));

  std::int32_t DigitalClockAreaInfo::*const parts[] = {
      &DigitalClockAreaInfo::IsShowYear,  &DigitalClockAreaInfo::IsShowMonth,
      &DigitalClockAreaInfo::IsShowDay,   &DigitalClockAreaInfo::IsShowWeek,
      &DigitalClockAreaInfo::IsShowHour,  &DigitalClockAreaInfo::IsShowMinite,
      &DigitalClockAreaInfo::IsShowSecond};
  const int partIds[] = {1243, 1097, 1244, 1099, 1245, 1246, 1247};
  for (int part = 0; part < 7; ++part) {
    const std::int32_t before = clock.*parts[part];
    qobject_cast<QCheckBox*>(FindControl(&page, partIds[part]))->click();
    EXPECT_EQ(clock.*parts[part], 1 - before) << part;
  }
  page.SeveralLinesRadio().click();
  EXPECT_EQ(clock.IsMutleLineShow, 1);
  page.SingleLineRadio().click();
  EXPECT_EQ(clock.IsMutleLineShow, 0);

  const std::pair<int, std::uint32_t DigitalClockAreaInfo::*> colors[] = {
      {1122, &DigitalClockAreaInfo::DateColor},
      {1123, &DigitalClockAreaInfo::TimeColor},
      {1124, &DigitalClockAreaInfo::WeekColor},
      {1118, &DigitalClockAreaInfo::ShowStrFont_FontColor}};
  for (const auto& [id, field] : colors) {
    page.ColorButton(id)->SetColor(0x10000 + id);
    Settle();
    EXPECT_EQ(clock.*field, 0x10000u + id) << id;
  }
  QTest::keyClicks(&page.TextEdit(), QString(128, QLatin1Char('d')));
  EXPECT_EQ(ReadBoundedText(clock.FixedText), QString(127, QLatin1Char('d')));
  EXPECT_EQ(std::tie(clock.HourType, clock.YearType), std::tuple(2, 1));

  Choose(page.DateFormatList(), 0);
  Choose(page.TimeFormatList(), 3);
  page.TextEdit().setText(QStringLiteral("Quendra"));
  SaveInBothLanguages(page, QStringLiteral("digital_clock_dialog"), [&page] {
    const int texts[][2] = {{1485, 1000}, {1486, 1001}, {1487, 1002}, {1488, 1003}, {1243, 1004},
                            {1097, 1005}, {1244, 1006}, {1099, 1007}, {1245, 1008}, {1246, 1009},
                            {1247, 1010}, {1489, 1011}, {1248, 1012}, {1249, 1013}, {1490, 1014},
                            {1491, 1015}, {1492, 1016}};
    EXPECT_EQ(editortest::WrongLangText(page, lang_section::IDD_DIGITALCLOCK_DIALOG, texts), 0);
  });
}

TEST_F(ClockPagesTest, CountdownStoresItsTargetUnitsAndFormats) {
  TimeAreaInfo start{};
  start.nYear = 2030, start.nMonth = 1, start.nDay = 31;
  start.nHour = 10, start.nMinute = 20, start.nSecond = 30;
  start.IsShowDay = 1;
  CopyBoundedText(start.ShowStrFont_FontName, u"DejaVu Sans");
  start.ShowStrFont_FontSize = 12;
  TimeAreaInfo& countdown = MakeArea(kCountdownArea, start);
  SelectArea();
  auto& page = PageAt<CTimeDialog>(PageSlot::Countdown);
  EXPECT_TRUE(Same(countdown, start));
  EXPECT_EQ(page.DatePicker().date(), QDate(2030, 1, 31));
  EXPECT_EQ(page.TimePicker().time(), QTime(10, 20, 30));
  EXPECT_EQ(FindControl(&page, 1117), &page.DatePicker());
  EXPECT_EQ(FindControl(&page, 1219), &page.TimePicker());

  page.TimePicker().setCurrentSection(QDateTimeEdit::SecondSection);
  page.TimePicker().stepBy(5);
  EXPECT_EQ(std::tie(countdown.nHour, countdown.nMinute, countdown.nSecond),
            std::tuple(10, 20, 35));
  page.DatePicker().setCurrentSection(QDateTimeEdit::MonthSection);
  page.DatePicker().stepBy(1);  // 31 January becomes 28 February
  EXPECT_EQ(std::tie(countdown.nYear, countdown.nMonth, countdown.nDay), std::tuple(2030, 2, 28));

  for (const char* typed : {"abc", "0"}) {
    Type(page.SizeList(), QString::fromLatin1(typed));
    EXPECT_EQ(countdown.ShowStrFont_FontSize, 9) << typed;
  }
  Type(page.SizeList(), QStringLiteral("300"));
  EXPECT_EQ(countdown.ShowStrFont_FontSize, 300);
  Choose(page.SizeList(), page.SizeList().findText(QStringLiteral("48")));
  EXPECT_EQ(countdown.ShowStrFont_FontSize, 48);

  EXPECT_EQ(Entries(page.FormatList()),
            QStringList({"XX天XX时XX分XX秒", "XX天XX時XX分XX秒", "XXDayXXHourXXMinXXSec",
                         "XXdXXhXXmXXs", "XX:XX:XX:XX"}));
  for (int format = 4; format >= 0; --format) {
    Choose(page.FormatList(), format);
    EXPECT_EQ(countdown.ShowType, format);
  }
  std::int32_t TimeAreaInfo::*const units[] = {&TimeAreaInfo::IsShowDay, &TimeAreaInfo::IsShowHour,
                                               &TimeAreaInfo::IsShowMinute,
                                               &TimeAreaInfo::IsShowSecond};
  const int unitIds[] = {1098, 1100, 1101, 1102};
  for (int unit = 0; unit < 4; ++unit) {
    const std::int32_t before = countdown.*units[unit];
    qobject_cast<QCheckBox*>(FindControl(&page, unitIds[unit]))->click();
    EXPECT_EQ(countdown.*units[unit], 1 - before) << unit;
  }
  page.SeveralLinesRadio().click();
  EXPECT_EQ(countdown.IsMutleLineShow, 1);
  page.SingleLineRadio().click();
  EXPECT_EQ(countdown.IsMutleLineShow, 0);
  page.ColorButton(1221)->SetColor(0xFF00);
  page.ColorButton(1220)->SetColor(0xFF0000);
  Settle();
  EXPECT_EQ(std::tie(countdown.TimeStrColor, countdown.ShowStrFont_FontColor),
            std::tuple(0xFF00u, 0xFF0000u));
  QTest::keyClicks(&page.TextEdit(), QString(128, QLatin1Char('c')));
  EXPECT_EQ(ReadBoundedText(countdown.ShowStr), QString(127, QLatin1Char('c')));
  page.StyleButton(1).click();
  EXPECT_EQ(countdown.ShowStrFont_FontItalic, 1);

  page.TextEdit().setText(QStringLiteral("Quendra"));
  SaveInBothLanguages(page, QStringLiteral("time_dialog"), [&page] {
    const int texts[][2] = {{1533, 1000}, {1534, 1001}, {1535, 1002}, {1098, 1003},
                            {1100, 1004}, {1101, 1005}, {1102, 1006}, {1536, 1007},
                            {1055, 1008}, {1056, 1009}, {1537, 1010}, {1538, 1011}};
    EXPECT_EQ(editortest::WrongLangText(page, lang_section::IDD_TIME_DIALOG, texts), 0);
  });
}

// A record out of range loads every control from the new record, the pickers at the
// nearest valid value, and stays as it is until the user changes that picker; a
// hidden page stores nothing.
TEST_F(ClockPagesTest, AnalogClockOutOfRangeLoadsWholeAndHiddenStoresNothing) {
  ClockAreaInfo& analog = MakeArea(kAnalogClockArea, AnalogClock());
  SelectArea();
  auto& analogPage = PageAt<CClockDialog>(PageSlot::AnalogClock);
  ClockAreaInfo far = AnalogClock();
  far.HourNum = 25, far.MiniteNum = -1, far.ClockType = 0, far.HourMarkWidth = 2;
  CopyBoundedText(far.ShowStr, u"Far");
  far.ShowStrFont_FontSize = 33, far.SecondPointerColor = 0x0000FF;
  analog = far;
  Reload(analogPage);
  EXPECT_TRUE(Same(analog, far));
  EXPECT_EQ(analogPage.OffsetPicker().time(), QTime(23, 0));
  EXPECT_EQ(analogPage.FaceTypeList().currentIndex(), 0);
  EXPECT_EQ(analogPage.HourMarkSizeList().currentText(), QStringLiteral("1"));
  EXPECT_EQ(analogPage.TextEdit().text(), QStringLiteral("Far"));
  EXPECT_EQ(analogPage.SizeList().currentText(), QStringLiteral("33"));
  EXPECT_EQ(analogPage.ColorButton(1125)->GetColor(), 0x0000FFu);
  analogPage.OffsetPicker().setTime(QTime(4, 5));
  EXPECT_EQ(std::tie(analog.HourNum, analog.MiniteNum), std::tuple(4, 5));
  Select(ProgramItem());
  analogPage.OffsetPicker().setTime(QTime(6, 7));
  Type(analogPage.SizeList(), QStringLiteral("20"));
  EXPECT_EQ(std::tie(analog.HourNum, analog.ShowStrFont_FontSize), std::tuple(4, 33));
}

TEST_F(ClockPagesTest, DigitalClockOutOfRangeLoadsWholeAndHiddenStoresNothing) {
  DigitalClockAreaInfo& digital = MakeArea(kDigitalClockArea, DigitalClockAreaInfo{});
  SelectArea();
  auto& digitalPage = PageAt<CDigitalClockDialog>(PageSlot::DigitalClock);
  DigitalClockAreaInfo farDigital{};
  farDigital.HourNum = -1, farDigital.MiniteNum = 75, farDigital.TimeLagType = 1;
  farDigital.DateFormat = 5, farDigital.IsShowDay = 1, farDigital.IsMutleLineShow = 1;
  CopyBoundedText(farDigital.FixedText, u"Far");
  digital = farDigital;
  Reload(digitalPage);
  EXPECT_TRUE(Same(digital, farDigital));
  EXPECT_EQ(digitalPage.OffsetPicker().time(), QTime(0, 59));
  EXPECT_EQ(digitalPage.SignList().currentText(), QStringLiteral("+"));
  EXPECT_EQ(digitalPage.DateFormatList().currentIndex(), 5);
  EXPECT_TRUE(digitalPage.PartCheck(2).isChecked());
  EXPECT_TRUE(digitalPage.SeveralLinesRadio().isChecked());
  EXPECT_EQ(digitalPage.TextEdit().text(), QStringLiteral("Far"));
  digitalPage.OffsetPicker().setTime(QTime(1, 2));
  EXPECT_EQ(std::tie(digital.HourNum, digital.MiniteNum), std::tuple(1, 2));
  Select(ProgramItem());
  digitalPage.OffsetPicker().setTime(QTime(3, 4));
  EXPECT_EQ(digital.HourNum, 1);
}

TEST_F(ClockPagesTest, CountdownOutOfRangeLoadsWholeAndHiddenStoresNothing) {
  TimeAreaInfo& countdown = MakeArea(kCountdownArea, TimeAreaInfo{});
  SelectArea();
  auto& countdownPage = PageAt<CTimeDialog>(PageSlot::Countdown);
  TimeAreaInfo farCountdown{};
  farCountdown.nYear = 2031, farCountdown.nMonth = 4, farCountdown.nDay = 31;
  farCountdown.nHour = 24, farCountdown.nMinute = 61, farCountdown.nSecond = -5;
  farCountdown.ShowType = 3, farCountdown.IsShowSecond = 1;
  CopyBoundedText(farCountdown.ShowStr, u"Far");
  countdown = farCountdown;
  Reload(countdownPage);
  EXPECT_TRUE(Same(countdown, farCountdown));
  EXPECT_EQ(countdownPage.DatePicker().date(), QDate(2031, 4, 30));
  EXPECT_EQ(countdownPage.TimePicker().time(), QTime(23, 59, 0));
  EXPECT_EQ(countdownPage.FormatList().currentIndex(), 3);
  EXPECT_TRUE(countdownPage.UnitCheck(3).isChecked());
  EXPECT_EQ(countdownPage.TextEdit().text(), QStringLiteral("Far"));
  countdown.nYear = 10000, countdown.nMonth = 13, countdown.nDay = 32;  // past the last ones
  Reload(countdownPage);
  EXPECT_EQ(countdownPage.DatePicker().date(), QDate(9999, 12, 31));
  countdownPage.DatePicker().setDate(QDate(2031, 5, 1));
  EXPECT_EQ(std::tie(countdown.nMonth, countdown.nDay), std::tuple(5, 1));
  EXPECT_EQ(countdown.nHour, 24);  // the time picker was not changed
  Select(ProgramItem());
  countdownPage.DatePicker().setDate(QDate(2032, 6, 2));
  countdownPage.TimePicker().setTime(QTime(1, 1, 1));
  EXPECT_EQ(std::tie(countdown.nYear, countdown.nSecond), std::tuple(2031, -5));
}

}  // namespace
