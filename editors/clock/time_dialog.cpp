#include "editors/clock/time_dialog.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QRadioButton>

#include "model/settings/lang_sections.h"

namespace {

// The display formats the card and the preview know, by ShowType.
const QStringList kFormats = {QStringLiteral(u"XX天XX时XX分XX秒"),
                              QStringLiteral(u"XX天XX時XX分XX秒"),
                              QStringLiteral("XXDayXXHourXXMinXXSec"),
                              QStringLiteral("XXdXXhXXmXXs"), QStringLiteral("XX:XX:XX:XX")};

// Control ids with their text numbers.
constexpr int kLangTexts[][2] = {{1533, 1000}, {1534, 1001}, {1535, 1002}, {1098, 1003},
                                 {1100, 1004}, {1101, 1005}, {1102, 1006}, {1536, 1007},
                                 {1055, 1008}, {1056, 1009}, {1537, 1010}, {1538, 1011}};

// The unit checks in the order of UnitCheck, with their fields.
struct UnitCheckPlace {
  int id;
  std::int32_t TimeAreaInfo::*field;
};
constexpr UnitCheckPlace kUnitChecks[] = {{1098, &TimeAreaInfo::IsShowDay},
                                          {1100, &TimeAreaInfo::IsShowHour},
                                          {1101, &TimeAreaInfo::IsShowMinute},
                                          {1102, &TimeAreaInfo::IsShowSecond}};

// A column of labels, each with its controls on its row.
constexpr int kLabelLeft = 8;
constexpr int kLabelWidth = 96;
constexpr int kControlLeft = 108;
constexpr int kColorWidth = 40;
constexpr int kCheckWidth = 84;
constexpr int kHeight = 22;
constexpr int kRowPitch = 30;
constexpr int kFirstRowTop = 8;

QRect Row(int row, int left, int width) {
  return QRect(left, kFirstRowTop + row * kRowPitch, width, kHeight);
}
QRect LabelRow(int row) {
  return QRect(kLabelLeft, kFirstRowTop + row * kRowPitch + 2, kLabelWidth, kHeight - 4);
}

}  // namespace

CTimeDialog::CTimeDialog(QWidget* parent) : ClockPage(parent, SizeRule{}) {
  const int labelIds[] = {1533, 1534, 1535, 1536, 1537, 1538};
  for (int row = 0; row < 6; ++row) MakeControl<QLabel>(this, labelIds[row], LabelRow(row));

  format_ = MakeList(this, 1051, Row(0, kControlLeft, 190), kFormats);
  BindIndex(format_, &TimeAreaInfo::ShowType);
  AddColorButton(1221, &TimeAreaInfo::TimeStrColor, Row(0, kControlLeft + 194, kColorWidth), false);

  date_ = MakeControl<QDateEdit>(this, 1117, Row(1, kControlLeft, 110));
  date_->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
  date_->setCalendarPopup(true);
  date_->setMinimumDate(QDate(kEarliestYear, 1, 1));
  connect(date_, &QDateEdit::dateChanged, this, [this](QDate date) { OnDateChanged(date); });
  time_ = AddTimePicker(1219, Row(1, kControlLeft + 114, 90), QStringLiteral("HH:mm:ss"),
                        {&TimeAreaInfo::nHour, &TimeAreaInfo::nMinute, &TimeAreaInfo::nSecond});

  for (int unit = 0; unit < static_cast<int>(units_.size()); ++unit) {
    QCheckBox* check = MakeControl<QCheckBox>(
        this, kUnitChecks[unit].id, Row(2, kControlLeft + unit * kCheckWidth, kCheckWidth));
    BindCheck(check, kUnitChecks[unit].field);
    units_[static_cast<std::size_t>(unit)] = check;
  }
  single_ = MakeControl<QRadioButton>(this, 1055, Row(3, kControlLeft, 120));
  several_ = MakeControl<QRadioButton>(this, 1056, Row(3, kControlLeft + 124, 140));
  BindRadios(single_, several_, &TimeAreaInfo::IsMutleLineShow);

  text_ = AddTextEdit(1257, Row(4, kControlLeft, kFontRowWidth + 4 + kColorWidth),
                      &TimeAreaInfo::ShowStr);
  AddFontRow({1258, 1259, {1119, 1120, 1121}}, Row(5, kControlLeft, 0).topLeft());
  AddColorButton(1220, &TimeAreaInfo::ShowStrFont_FontColor,
                 Row(5, kControlLeft + kFontRowWidth + 4, kColorWidth), false);
  ApplyLanguage();
}

void CTimeDialog::ApplyLanguage() {
  for (const auto& [id, text] : kLangTexts) {
    static_cast<void>(SetDlgItemLangText(this, id, lang_section::IDD_TIME_DIALOG, text));
  }
}

void CTimeDialog::Load(const TimeAreaInfo& record) {
  date_->setDate(NearestDate(record.nYear, record.nMonth, record.nDay));
}

void CTimeDialog::OnDateChanged(QDate date) {
  const bool valid = date.isValid();
  Store([&](TimeAreaInfo& record) {
    record.nYear = valid ? date.year() : 0;
    record.nMonth = valid ? date.month() : 0;
    record.nDay = valid ? date.day() : 0;
  });
}
