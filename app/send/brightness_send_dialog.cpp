#include "app/send/brightness_send_dialog.h"

#include <QPainter>

#include <algorithm>

#include "app/send/schedule_controls.h"
#include "controls/dialogs/style_message_dialog.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"
#include "model/settings/ui/dlg_lang_text.h"

namespace {

constexpr QLatin1StringView kSection("BRIGHTNESS");
constexpr QLatin1StringView kTextSection("IDD_TIMEBRIGHTNESSSET_DIALOG");
constexpr int kTimedId = 1352;
constexpr int kManualId = 1353;
constexpr int kSliderId = 1269;
constexpr int kBrightLabelId = 1373;
constexpr int kDarkLabelId = 1372;
constexpr int kFirstColumnLabelId = 1369;
constexpr int kFirstSlotCheckId = 1357;  // then start and end picker, per slot three ids
constexpr int kFirstLevelId = 1366;
constexpr int kBadSlotText = 1013;
constexpr int kWarningStyle = 64;
constexpr int kDefaultStartHours[] = {6, 12, 17};
constexpr int kDefaultEndHours[] = {11, 16, 21};

// Where the controls stand.
constexpr int kColumnLefts[] = {160, 270, 380};  // start, end, level
constexpr int kSlotTops[] = {62, 94, 126};
constexpr QSize kPickerSize(90, 24);
constexpr QSize kLevelSize(110, 24);
constexpr QSize kButtonSize(75, 23);
constexpr int kTextPadding = 12;  // a push button's frame and margins around its text
constexpr int kButtonTop = 224;
constexpr QPoint kSetTimed(210, kButtonTop);
constexpr QPoint kSetManual(300, kButtonTop);
constexpr int kCancelBrightnessWidth = 160;
constexpr int kButtonGap = 10;
constexpr int kRightMargin = 35;  // from Exit to the dialog's edge, the pointer included
constexpr SeeThroughDialog::CalloutPointer kPointer{24, 36, 25};

QString SlotKey(const char* name, int slot) {
  return QLatin1StringView(name) + QString::number(slot + 1);
}
QString TimeKey(const char* name, int slot, const char* part) {
  return SlotKey(name, slot) + QLatin1StringView(part);
}

}  // namespace

CSetBrightnessSendDlg::CSetBrightnessSendDlg(TimeBrightnessInfo& schedule, QWidget* parent)
    : SeeThroughDialog(kRightInset, kBottomInset, parent), schedule_(schedule) {
  setModal(true);
  CreateControls();
  ApplyLanguage();
  FitButtonRow();
  LoadSettings();
}

void CSetBrightnessSendDlg::CreateControls() {
  SetControlId(&timed_, kTimedId);
  SetControlId(&manual_, kManualId);
  timed_.setGeometry(20, 14, 300, 22);
  manual_.setGeometry(20, 160, 300, 22);
  connect(&timed_, &QRadioButton::clicked, this, [this] { SwitchMode(kTimed); });
  connect(&manual_, &QRadioButton::clicked, this, [this] { SwitchMode(kManual); });
  for (int column = 0; column < 3; ++column) {
    QLabel& label = columnLabels_[static_cast<std::size_t>(column)];
    label.setParent(this);
    SetControlId(&label, kFirstColumnLabelId + column);
    label.setGeometry(kColumnLefts[column], 40, kLevelSize.width(), 20);
  }
  for (int s = 0; s < kSlotCount; ++s) {
    ScheduleSlotRow& row = slots_[static_cast<std::size_t>(s)];
    const int top = kSlotTops[s];
    const int firstId = kFirstSlotCheckId + 3 * s;
    row.Create(this, {firstId, firstId + 1, firstId + 2, kFirstLevelId + s});
    row.check->setGeometry(40, top, 115, 24);
    row.start->setGeometry(QRect(QPoint(kColumnLefts[0], top), kPickerSize));
    row.end->setGeometry(QRect(QPoint(kColumnLefts[1], top), kPickerSize));
    row.level->setGeometry(QRect(QPoint(kColumnLefts[2], top), kLevelSize));
    connect(row.check, &QCheckBox::clicked, this, [this, s] { EnableSlot(s); });
  }
  SetControlId(&slider_, kSliderId);
  slider_.setRange(0, kMaxLevel);
  slider_.setTickInterval(1);
  slider_.setTickPosition(QSlider::TicksBelow);
  slider_.setPageStep(1);
  slider_.setGeometry(150, 186, 280, 28);
  SetControlId(&darkLabel_, kDarkLabelId);
  SetControlId(&brightLabel_, kBrightLabelId);
  darkLabel_.setGeometry(40, 190, 100, 20);
  darkLabel_.setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  brightLabel_.setGeometry(440, 190, 100, 20);

  SetControlId(&set_, kSetId);
  SetControlId(&cancelBrightness_, kCancelBrightnessId);
  SetControlId(&exit_, kExitId);
  set_.setDefault(true);
  connect(&set_, &QPushButton::clicked, this, &CSetBrightnessSendDlg::OnSet);
  connect(&cancelBrightness_, &QPushButton::clicked, this, [this] { Finish(kCancelBrightness); });
  connect(&exit_, &QPushButton::clicked, this, [this] { Finish(kExit); });
}

QPushButton& CSetBrightnessSendDlg::Button(int controlId) {
  if (controlId == kSetId) return set_;
  return controlId == kCancelBrightnessId ? cancelBrightness_ : exit_;
}

void CSetBrightnessSendDlg::ApplyLanguage() {
  const int keys[][2] = {{kTimedId, 1000},     {kManualId, 1001}, {1369, 1002},
                         {1370, 1003},         {1371, 1004},      {1357, 1005},
                         {1360, 1006},         {1363, 1007},      {kBrightLabelId, 1008},
                         {kDarkLabelId, 1009}, {kSetId, 1010},    {kCancelBrightnessId, 1011}};
  for (const auto& [id, key] : keys)
    static_cast<void>(SetDlgItemLangText(this, id, kTextSection, key));
  static_cast<void>(SetDlgItemLangText(this, kExitId, lang_section::PUBLIC, 1001));

  QStringList levels;
  levels << FormatLangText(QStringLiteral("0(%s)"), {ReadLangText(kTextSection, 1009)});
  for (int level = 1; level < kMaxLevel; ++level) levels << QString::number(level);
  levels << FormatLangText(QStringLiteral("15(%s)"), {ReadLangText(kTextSection, 1008)});
  for (ScheduleSlotRow& row : slots_) {
    row.level->clear();
    row.level->addItems(levels);
  }
}

void CSetBrightnessSendDlg::FitButtonRow() {
  const int cancelWidth = std::max(kCancelBrightnessWidth, cancelBrightness_.sizeHint().width());
  cancelBrightness_.setGeometry(kSetManual.x(), kButtonTop, cancelWidth, kButtonSize.height());
  const int exitWidth = std::max(kButtonSize.width(), exit_.sizeHint().width());
  exit_.setGeometry(cancelBrightness_.geometry().right() + 1 + kButtonGap, kButtonTop, exitWidth,
                    kButtonSize.height());
  setFixedSize(std::max(kClientSize.width(), exit_.geometry().right() + 1 + kRightMargin),
               kClientSize.height());
}

void CSetBrightnessSendDlg::LoadSettings() {
  for (int s = 0; s < kSlotCount; ++s) {
    ScheduleSlotRow& slot = slots_[static_cast<std::size_t>(s)];
    slot.check->setChecked(ReadScheduleSetting(kSection, SlotKey("CheckTime", s), 0, 0, 1) == 1);
    slot.level->setCurrentIndex(
        ReadScheduleSetting(kSection, SlotKey("BrightnessData", s), kMaxLevel, 0, kMaxLevel));
    slot.start->setTime(ReadScheduleTime(kSection, TimeKey("StartTime", s, "Hour"),
                                         TimeKey("StartTime", s, "Minute"), kDefaultStartHours[s]));
    slot.end->setTime(ReadScheduleTime(kSection, TimeKey("EndTime", s, "Hour"),
                                       TimeKey("EndTime", s, "Minute"), kDefaultEndHours[s]));
  }
  slider_.setValue(ReadScheduleSetting(kSection, QStringLiteral("ManullyBrightnessData"), kMaxLevel,
                                       0, kMaxLevel));
  const Mode mode = static_cast<Mode>(
      ReadScheduleSetting(kSection, QStringLiteral("RadioTime"), kTimed, kTimed, kManual));
  ModeRadio(mode).setChecked(true);
  SwitchMode(mode);
}

bool CSetBrightnessSendDlg::StoreSettings() const {
  bool stored = WriteScheduleSetting(kSection, QStringLiteral("RadioTime"), mode_);
  stored &=
      WriteScheduleSetting(kSection, QStringLiteral("ManullyBrightnessData"), slider_.value());
  for (int s = 0; s < kSlotCount; ++s) {
    const ScheduleSlotRow& slot = slots_[static_cast<std::size_t>(s)];
    stored &= WriteScheduleSetting(kSection, SlotKey("CheckTime", s), slot.check->isChecked());
    stored &=
        WriteScheduleSetting(kSection, SlotKey("BrightnessData", s), slot.level->currentIndex());
    stored &= WriteScheduleTime(kSection, TimeKey("StartTime", s, "Hour"),
                                TimeKey("StartTime", s, "Minute"), slot.start->time());
    stored &= WriteScheduleTime(kSection, TimeKey("EndTime", s, "Hour"),
                                TimeKey("EndTime", s, "Minute"), slot.end->time());
  }
  return stored;
}

void CSetBrightnessSendDlg::SwitchMode(Mode mode) {
  mode_ = mode;
  const bool timed = mode == kTimed;
  for (QLabel& label : columnLabels_) label.setEnabled(timed);
  for (ScheduleSlotRow& row : slots_) row.Enable(timed);
  slider_.setEnabled(!timed);
  brightLabel_.setEnabled(!timed);
  darkLabel_.setEnabled(!timed);
  // Wider than the usual button only for a text that needs it.
  const int setWidth = std::max(kButtonSize.width(),
                                set_.fontMetrics().horizontalAdvance(set_.text()) + kTextPadding);
  set_.setGeometry(QRect(timed ? kSetTimed : kSetManual, QSize(setWidth, kButtonSize.height())));
  cancelBrightness_.setVisible(timed);
}

void CSetBrightnessSendDlg::EnableSlot(int s) {
  slots_.at(static_cast<std::size_t>(s)).Enable(mode_ == kTimed);
}

void CSetBrightnessSendDlg::OnSet() {
  // The choice is made only as the dialog closes: one that ends otherwise (its
  // parent gone) after a refused Set must not send.
  settingsStored_ = StoreSettings();
  if (mode_ == kManual) {
    manualLevel_ = slider_.value();
    Finish(kSet);
    return;
  }
  const ScheduleSlots chosen = ReadSlots(slots_);
  if (HasSlotNotBeforeItsEnd(chosen)) {
    static_cast<void>(ShowStyleMessage(ReadLangText(kTextSection, kBadSlotText), kWarningStyle));
    return;
  }
  BrightnessSchedule stored{};
  PutBrightnessSlots(chosen, stored);
  schedule_ = CardBrightnessSchedule(stored);
  Finish(kSet);
}

void CSetBrightnessSendDlg::Finish(Choice choice) {
  choice_ = choice;
  done(QDialog::Accepted);
}

void CSetBrightnessSendDlg::reject() { Finish(kExit); }

void CSetBrightnessSendDlg::PaintSurface(QPainter& painter, QSize size) {
  PaintRightCallout(painter, size, kPointer);
}
