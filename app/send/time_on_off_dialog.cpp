#include "app/send/time_on_off_dialog.h"

#include <QPainter>

#include "app/send/schedule_controls.h"
#include "controls/dialogs/style_message_dialog.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"
#include "model/settings/ui/dlg_lang_text.h"

namespace {

constexpr QLatin1StringView kSection("ONOFF_TIMEINFO");
constexpr QLatin1StringView kTextSection("IDD_TIMEONOFF_DIALOG");
constexpr QLatin1StringView kBadSlotSection("IDD_TIMEBRIGHTNESSSET_DIALOG");
constexpr int kBadSlotText = 1013;
constexpr int kWarningStyle = 64;
constexpr int kSetTimingId = 1373;
constexpr int kCancelTimingId = 1374;
constexpr int kOnLabelId = 1541;
constexpr int kOffLabelId = 1542;
constexpr int kFirstSlotCheckId = 1096;
constexpr int kFirstPickerId = 1117;  // on, off, per slot two ids
constexpr int kOkId = 1;
constexpr int kCancelId = 2;

constexpr int kOnLeft = 160;
constexpr int kOffLeft = 260;
constexpr int kSlotTops[] = {80, 112, 144};
constexpr QSize kPickerSize(90, 24);
constexpr QSize kButtonSize(75, 23);

QString SlotKey(const char* name, int slot, const char* part = "") {
  return QLatin1StringView(name) + QString::number(slot + 1) + QLatin1StringView(part);
}

}  // namespace

CTimeOnOffLedSetDialog::CTimeOnOffLedSetDialog(TimeOnOffInfo& schedule, QWidget* parent)
    : SeeThroughDialog(kRightInset, kBottomInset, parent), schedule_(schedule) {
  setFixedSize(kClientSize);
  setModal(true);
  CreateControls();
  ApplyLanguage();
  LoadSettings();
}

void CTimeOnOffLedSetDialog::CreateControls() {
  SetControlId(&set_, kSetTimingId);
  SetControlId(&cancel_, kCancelTimingId);
  set_.setGeometry(20, 14, 160, 22);
  cancel_.setGeometry(190, 14, 176, 22);
  SetControlId(&onLabel_, kOnLabelId);
  SetControlId(&offLabel_, kOffLabelId);
  // The column labels may be wider than the pickers below them, up to the next column.
  onLabel_.setGeometry(kOnLeft, 54, kOffLeft - kOnLeft, 20);
  offLabel_.setGeometry(kOffLeft, 54, kOffLeft - kOnLeft, 20);
  for (int s = 0; s < kSlotCount; ++s) {
    ScheduleSlotRow& row = slots_[static_cast<std::size_t>(s)];
    const int top = kSlotTops[s];
    row.Create(this, {kFirstSlotCheckId + s, kFirstPickerId + 2 * s, kFirstPickerId + 2 * s + 1});
    row.check->setGeometry(40, top, 115, 24);
    row.start->setGeometry(QRect(QPoint(kOnLeft, top), kPickerSize));
    row.end->setGeometry(QRect(QPoint(kOffLeft, top), kPickerSize));
    connect(row.check, &QCheckBox::clicked, this, [this, s] { EnableSlot(s); });
  }
  SetControlId(&ok_, kOkId);
  SetControlId(&cancelButton_, kCancelId);
  ok_.setGeometry(QRect(QPoint(190, 190), kButtonSize));
  cancelButton_.setGeometry(QRect(QPoint(275, 190), kButtonSize));
  ok_.setDefault(true);
  connect(&ok_, &QPushButton::clicked, this, &CTimeOnOffLedSetDialog::OnOK);
  connect(&cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
}

void CTimeOnOffLedSetDialog::ApplyLanguage() {
  const int keys[][2] = {{kSetTimingId, 1001},         {kCancelTimingId, 1002},
                         {kOnLabelId, 1003},           {kOffLabelId, 1004},
                         {kFirstSlotCheckId, 1005},    {kFirstSlotCheckId + 1, 1006},
                         {kFirstSlotCheckId + 2, 1007}};
  for (const auto& [id, key] : keys) {
    static_cast<void>(SetDlgItemLangText(this, id, kTextSection, key));
  }
  static_cast<void>(SetDlgItemLangText(this, kOkId, lang_section::PUBLIC, 1000));
  static_cast<void>(SetDlgItemLangText(this, kCancelId, lang_section::PUBLIC, 1001));
}

void CTimeOnOffLedSetDialog::LoadSettings() {
  for (int s = 0; s < kSlotCount; ++s) {
    ScheduleSlotRow& slot = slots_[static_cast<std::size_t>(s)];
    slot.check->setChecked(ReadScheduleSetting(kSection, SlotKey("CheckTime", s), 0, 0, 1) == 1);
    slot.start->setTime(ReadScheduleTime(kSection, SlotKey("ONTime", s, "Hour"),
                                         SlotKey("ONTime", s, "Minute"), 0));
    slot.end->setTime(ReadScheduleTime(kSection, SlotKey("OFFTime", s, "Hour"),
                                       SlotKey("OFFTime", s, "Minute"), 0));
    EnableSlot(s);
  }
  ChoiceRadio(static_cast<Choice>(ReadScheduleSetting(kSection, QStringLiteral("TimeRadio"),
                                                      kSetTiming, kSetTiming, kCancelTiming)))
      .setChecked(true);
}

bool CTimeOnOffLedSetDialog::StoreSettings() const {
  bool stored = WriteScheduleSetting(kSection, QStringLiteral("TimeRadio"),
                                     cancel_.isChecked() ? kCancelTiming : kSetTiming);
  for (int s = 0; s < kSlotCount; ++s) {
    const ScheduleSlotRow& slot = slots_[static_cast<std::size_t>(s)];
    stored &= WriteScheduleSetting(kSection, SlotKey("CheckTime", s), slot.check->isChecked());
    stored &= WriteScheduleTime(kSection, SlotKey("ONTime", s, "Hour"),
                                SlotKey("ONTime", s, "Minute"), slot.start->time());
    stored &= WriteScheduleTime(kSection, SlotKey("OFFTime", s, "Hour"),
                                SlotKey("OFFTime", s, "Minute"), slot.end->time());
  }
  return stored;
}

void CTimeOnOffLedSetDialog::EnableSlot(int s) {
  slots_.at(static_cast<std::size_t>(s)).Enable(true);
}

void CTimeOnOffLedSetDialog::OnOK() {
  const ScheduleSlots chosen = ReadSlots(slots_);
  if (HasSlotNotBeforeItsEnd(chosen)) {
    static_cast<void>(ShowStyleMessage(ReadLangText(kBadSlotSection, kBadSlotText), kWarningStyle));
    return;
  }
  settingsStored_ = StoreSettings();
  choice_ = cancel_.isChecked() ? kCancelTiming : kSetTiming;
  PowerSchedule stored{};
  PutPowerSlots(chosen, stored);
  schedule_ = CardPowerSchedule(stored);
  accept();
}

void CTimeOnOffLedSetDialog::PaintSurface(QPainter& painter, QSize size) {
  const int middle = size.height() / 2;
  PaintRightCallout(painter, size, {middle - 12, middle - 1, middle - 12});
}
