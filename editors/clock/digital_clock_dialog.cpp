#include "editors/clock/digital_clock_dialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>

#include "model/settings/lang_sections.h"

namespace {

// The formats the card and the preview know, by index (shown as they stand in every
// language).
const QStringList kDateFormats = {
    QStringLiteral(u"YYYY年MM月DD日"), QStringLiteral(u"YY年MM月DD日"),
    QStringLiteral("MM/DD/YYYY"),      QStringLiteral("YYYY/MM/DD"),
    QStringLiteral("YYYY-MM-DD"),      QStringLiteral("YYYY.MM.DD"),
    QStringLiteral("MM.DD.YYYY"),      QStringLiteral("DD.MM.YYYY")};
const QStringList kTimeFormats = {QStringLiteral(u"HH时mm分ss秒"), QStringLiteral(u"HH時mm分ss秒"),
                                  QStringLiteral("HH:mm:ss"),      QStringLiteral(u"上午 HH:mm:ss"),
                                  QStringLiteral("AM HH:mm:ss"),   QStringLiteral(u"HH:mm:ss 上午"),
                                  QStringLiteral("HH:mm:ss AM")};
const QStringList kWeekFormats = {QStringLiteral(u"星期X"), QStringLiteral("Monday"),
                                  QStringLiteral("Mon.")};

// Control ids with their text numbers.
constexpr int kLangTexts[][2] = {
    {1485, 1000}, {1486, 1001}, {1487, 1002}, {1488, 1003}, {1243, 1004}, {1097, 1005},
    {1244, 1006}, {1099, 1007}, {1245, 1008}, {1246, 1009}, {1247, 1010}, {1489, 1011},
    {1248, 1012}, {1249, 1013}, {1490, 1014}, {1491, 1015}, {1492, 1016}};

// The part checks in the order of PartCheck, with their fields.
struct PartCheckPlace {
  int id;
  std::int32_t DigitalClockAreaInfo::*field;
};
constexpr PartCheckPlace kPartChecks[] = {
    {1243, &DigitalClockAreaInfo::IsShowYear},  {1097, &DigitalClockAreaInfo::IsShowMonth},
    {1244, &DigitalClockAreaInfo::IsShowDay},   {1099, &DigitalClockAreaInfo::IsShowWeek},
    {1245, &DigitalClockAreaInfo::IsShowHour},  {1246, &DigitalClockAreaInfo::IsShowMinite},
    {1247, &DigitalClockAreaInfo::IsShowSecond}};
constexpr int kDateParts = 4;  // the first row of checks; the time's below it

// A left column of labels with their controls in eight rows, and the time difference
// and line choice on the right.
constexpr int kLabelLeft = 8;
constexpr int kLabelWidth = 104;
constexpr int kControlLeft = 114;
constexpr int kFormatWidth = 140;
constexpr int kColorWidth = 40;
constexpr int kCheckWidth = 90;  // "День нед." whole
constexpr int kRightLeft = 306;
constexpr int kRightWidth = 206;
constexpr int kHeight = 22;
constexpr int kRowPitch = 26;
constexpr int kFirstRowTop = 6;

QRect Row(int row, int left, int width) {
  return QRect(left, kFirstRowTop + row * kRowPitch, width, kHeight);
}
QRect LabelRow(int row, int left = kLabelLeft, int width = kLabelWidth) {
  return QRect(left, kFirstRowTop + row * kRowPitch + 2, width, kHeight - 4);
}

}  // namespace

CDigitalClockDialog::CDigitalClockDialog(QWidget* parent) : ClockPage(parent, SizeRule{}) {
  struct FormatRow {
    int labelId;
    int listId;
    const QStringList& entries;
    std::int32_t DigitalClockAreaInfo::*format;
    int colorId;
    std::uint32_t DigitalClockAreaInfo::*color;
    QComboBox*& list;
  };
  const FormatRow formats[] = {{1485, 1241, kDateFormats, &DigitalClockAreaInfo::DateFormat, 1122,
                                &DigitalClockAreaInfo::DateColor, dateFormat_},
                               {1486, 1242, kTimeFormats, &DigitalClockAreaInfo::TimeFormat, 1123,
                                &DigitalClockAreaInfo::TimeColor, timeFormat_},
                               {1487, 1054, kWeekFormats, &DigitalClockAreaInfo::WeekFormat, 1124,
                                &DigitalClockAreaInfo::WeekColor, weekFormat_}};
  for (int row = 0; row < 3; ++row) {
    const FormatRow& format = formats[row];
    MakeControl<QLabel>(this, format.labelId, LabelRow(row));
    format.list =
        MakeList(this, format.listId, Row(row, kControlLeft, kFormatWidth), format.entries);
    BindIndex(format.list, format.format);
    AddColorButton(format.colorId, format.color,
                   Row(row, kControlLeft + kFormatWidth + 4, kColorWidth), true);
  }

  MakeControl<QLabel>(this, 1490, LabelRow(0, kRightLeft, kRightWidth));
  sign_ = MakeList(this, 1052, Row(1, kRightLeft, 48), {QStringLiteral("-"), QStringLiteral("+")});
  BindIndex(sign_, &DigitalClockAreaInfo::TimeLagType);
  offset_ =
      AddTimePicker(1250, Row(1, kRightLeft + 52, 70), QStringLiteral("HH:mm"),
                    {&DigitalClockAreaInfo::HourNum, &DigitalClockAreaInfo::MiniteNum, nullptr});
  MakeControl<QLabel>(this, 1489, LabelRow(2, kRightLeft, kRightWidth));
  single_ = MakeControl<QRadioButton>(this, 1248, Row(3, kRightLeft, 100));
  several_ = MakeControl<QRadioButton>(this, 1249, Row(3, kRightLeft + 102, 104));
  BindRadios(single_, several_, &DigitalClockAreaInfo::IsMutleLineShow);

  MakeControl<QLabel>(this, 1488, LabelRow(4));
  for (int part = 0; part < static_cast<int>(parts_.size()); ++part) {
    const int row = part < kDateParts ? 4 : 5;
    const int column = part < kDateParts ? part : part - kDateParts;
    QCheckBox* check = MakeControl<QCheckBox>(
        this, kPartChecks[part].id, Row(row, kControlLeft + column * kCheckWidth, kCheckWidth));
    BindCheck(check, kPartChecks[part].field);
    parts_[static_cast<std::size_t>(part)] = check;
  }

  MakeControl<QLabel>(this, 1491, LabelRow(6));
  text_ = AddTextEdit(1251, Row(6, kControlLeft, kFontRowWidth + 4 + kColorWidth),
                      &DigitalClockAreaInfo::FixedText);
  MakeControl<QLabel>(this, 1492, LabelRow(7));
  AddFontRow({1252, 1253, {1254, 1255, 1256}}, Row(7, kControlLeft, 0).topLeft());
  AddColorButton(1118, &DigitalClockAreaInfo::ShowStrFont_FontColor,
                 Row(7, kControlLeft + kFontRowWidth + 4, kColorWidth), true);
  ApplyLanguage();
}

void CDigitalClockDialog::ApplyLanguage() {
  for (const auto& [id, text] : kLangTexts) {
    static_cast<void>(SetDlgItemLangText(this, id, lang_section::IDD_DIGITALCLOCK_DIALOG, text));
  }
}
