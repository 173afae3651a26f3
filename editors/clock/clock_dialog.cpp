#include "editors/clock/clock_dialog.h"

#include <QLabel>

#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"

namespace {

// Labels 1476-1483 take texts 1000-1007.
constexpr int kFirstLabelId = 1476;
constexpr int kLabelCount = 8;
constexpr int kFirstLabelText = 1000;
// The words of the face and minute-mark lists, and of the hour-mark list.
constexpr int kShapeTexts[] = {1008, 1009};
constexpr int kHourMarkTexts[] = {1012, 1013, 1014, 1015};
constexpr int kMarkSizes = 9;  // "0" to "8", index i for a width of 2 x i

// The place of a label and the controls of each row: a left column of labels with
// their controls, and the hands' colours on the right.
constexpr int kLabelLeft = 8;
constexpr int kLabelWidth = 100;
constexpr int kControlLeft = 110;
constexpr int kMarkTypeWidth = 130;
constexpr int kMarkSizeWidth = 50;
constexpr int kRightLabelLeft = 346;
constexpr int kRightLabelWidth = 120;
constexpr int kRightButtonLeft = 470;
constexpr int kHeight = 22;
constexpr int kColorWidth = 40;
constexpr int kRowTops[] = {8, 38, 68, 98, 132, 166};

QRect Row(int row, int left, int width) { return QRect(left, kRowTops[row], width, kHeight); }
QRect LabelRow(int row, int left, int width) {
  return QRect(left, kRowTops[row] + 2, width, kHeight - 4);
}

QStringList LangTexts(std::initializer_list<int> numbers) {
  QStringList texts;
  for (int number : numbers) texts << ReadLangText(lang_section::IDD_CLOCK_DIALOG, number);
  return texts;
}

// Empties the list and fills it with texts; the selection stays at its index.
void Refill(QComboBox& list, const QStringList& texts) {
  const int selected = list.currentIndex();
  list.clear();
  list.addItems(texts);
  list.setCurrentIndex(selected);
}

}  // namespace

CClockDialog::CClockDialog(QWidget* parent) : ClockPage(parent, SizeRule{kMaxFontSize, true}) {
  const int labelRows[kLabelCount] = {0, 1, 2, 3, 0, 1, 2, 4};
  for (int label = 0; label < kLabelCount; ++label) {
    const bool right = label >= 4 && label <= 6;
    MakeControl<QLabel>(this, kFirstLabelId + label,
                        LabelRow(labelRows[label], right ? kRightLabelLeft : kLabelLeft,
                                 right ? kRightLabelWidth : kLabelWidth));
  }
  faceType_ = MakeList(this, 1228, Row(0, kControlLeft, kMarkTypeWidth), {});
  BindIndex(faceType_, &ClockAreaInfo::ClockType);
  sign_ =
      MakeList(this, 1229, Row(1, kControlLeft, 48), {QStringLiteral("+"), QStringLiteral("-")});
  BindIndex(sign_, &ClockAreaInfo::TimeLagType);
  offset_ = AddTimePicker(1230, Row(1, kControlLeft + 52, 70), QStringLiteral("HH:mm"),
                          {&ClockAreaInfo::HourNum, &ClockAreaInfo::MiniteNum, nullptr});

  const int sizeLeft = kControlLeft + kMarkTypeWidth + 4;
  const int colorLeft = sizeLeft + kMarkSizeWidth + 4;
  hourMarkType_ = MakeList(this, 1231, Row(2, kControlLeft, kMarkTypeWidth), {});
  BindIndex(hourMarkType_, &ClockAreaInfo::HourMarkType);
  hourMarkSize_ =
      AddMarkSizeList(1051, Row(2, sizeLeft, kMarkSizeWidth), &ClockAreaInfo::HourMarkWidth);
  AddColorButton(1119, &ClockAreaInfo::HourMarkColor, Row(2, colorLeft, kColorWidth), true);
  minuteMarkType_ = MakeList(this, 1233, Row(3, kControlLeft, kMarkTypeWidth), {});
  BindIndex(minuteMarkType_, &ClockAreaInfo::MiniteMarkType);
  minuteMarkSize_ =
      AddMarkSizeList(1052, Row(3, sizeLeft, kMarkSizeWidth), &ClockAreaInfo::MiniteMarkWidth);
  AddColorButton(1120, &ClockAreaInfo::MiniteMarkColor, Row(3, colorLeft, kColorWidth), true);

  AddColorButton(1121, &ClockAreaInfo::HourPointerColor, Row(0, kRightButtonLeft, kColorWidth),
                 true);
  AddColorButton(1122, &ClockAreaInfo::MinitePointerColor, Row(1, kRightButtonLeft, kColorWidth),
                 true);
  AddColorButton(1125, &ClockAreaInfo::SecondPointerColor, Row(2, kRightButtonLeft, kColorWidth),
                 true);

  text_ = AddTextEdit(1234, Row(4, kControlLeft, kFontRowWidth + 4 + kColorWidth),
                      &ClockAreaInfo::ShowStr);
  AddFontRow({1235, 1236, {1123, 1124, 1126}}, QPoint(kControlLeft, kRowTops[5]));
  AddColorButton(1127, &ClockAreaInfo::ShowStrFont_FontColor,
                 Row(5, kControlLeft + kFontRowWidth + 4, kColorWidth), true);
  ApplyLanguage();
}

QComboBox* CClockDialog::AddMarkSizeList(int id, const QRect& place,
                                         std::int32_t ClockAreaInfo::*field) {
  QStringList sizes;
  for (int size = 0; size < kMarkSizes; ++size) sizes << QString::number(size);
  QComboBox* list = MakeList(this, id, place, sizes);
  connect(list, &QComboBox::activated, this, [this, field](int index) {
    Store([&](ClockAreaInfo& record) { record.*field = 2 * index; });
  });
  return list;
}

void CClockDialog::ApplyLanguage() {
  for (int label = 0; label < kLabelCount; ++label) {
    static_cast<void>(SetDlgItemLangText(this, kFirstLabelId + label,
                                         lang_section::IDD_CLOCK_DIALOG, kFirstLabelText + label));
  }
  const QStringList shapes = LangTexts({kShapeTexts[0], kShapeTexts[1]});
  Refill(*faceType_, shapes);
  Refill(*hourMarkType_,
         LangTexts({kHourMarkTexts[0], kHourMarkTexts[1], kHourMarkTexts[2], kHourMarkTexts[3]}));
  Refill(*minuteMarkType_, shapes);
}

void CClockDialog::Load(const ClockAreaInfo& record) {
  // A width of 0 or less shows index 0; a width past the list shows no entry.
  hourMarkSize_->setCurrentIndex(record.HourMarkWidth <= 0 ? 0 : record.HourMarkWidth / 2);
  minuteMarkSize_->setCurrentIndex(record.MiniteMarkWidth <= 0 ? 0 : record.MiniteMarkWidth / 2);
}
