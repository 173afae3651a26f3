#include "device/commands/time_on_off_dialog.h"

#include <QGridLayout>

#include "controls/dialogs/style_message_dialog.h"
#include "device/commands/command_dialog_ids.h"
#include "model/project/current_screen.h"
#include "model/settings/fixed_texts.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"

namespace {

constexpr int kPowerScheduleStatus = 24;
constexpr int kEmptySlotText = 1013;

QString Text(int key) { return ReadLangText(lang_section::IDD_TIMEONOFF_DIALOG, key); }

void Name(QWidget& widget, int id) { widget.setObjectName(QString::number(id)); }

}  // namespace

CTimeOnOffDialog::CTimeOnOffDialog(QWidget* parent, AskUser ask)
    : QDialog(parent),
      ask_(ask ? std::move(ask) : AskUser(ShowStyleMessage)),
      scheduleOff_(this),
      scheduleOn_(this),
      onLabel_(this),
      offLabel_(this),
      send_(this) {
  Name(scheduleOff_, IDC_POWER_SCHEDULE_OFF);
  Name(scheduleOn_, IDC_POWER_SCHEDULE_ON);
  Name(send_, IDC_POWER_SEND);
  send_.setAutoDefault(false);
  scheduleOff_.setChecked(true);

  auto* grid = new QGridLayout(this);
  grid->addWidget(&scheduleOff_, 0, 0);
  grid->addWidget(&scheduleOn_, 0, 1, 1, 2);
  grid->addWidget(&onLabel_, 1, 1);
  grid->addWidget(&offLabel_, 1, 2);
  for (int i = 0; i < kScheduleSlots; ++i) {
    ScheduleSlotRow& row = rows_[i];
    row.Create(this, {IDC_POWER_SLOT_CHECK[i], IDC_POWER_SLOT_ON[i], IDC_POWER_SLOT_OFF[i]});
    row.AddTo(*grid, 2 + i);
    connect(row.check, &QCheckBox::clicked, this, [this] { EnableByMode(); });
  }
  grid->addWidget(&send_, 5, 2);
  connect(&scheduleOff_, &QRadioButton::clicked, this, [this] { EnableByMode(); });
  connect(&scheduleOn_, &QRadioButton::clicked, this, [this] { EnableByMode(); });
  connect(&send_, &QPushButton::clicked, this, [this] { OnSend(); });
  ApplyLanguage();
  EnableByMode();
}

void CTimeOnOffDialog::ApplyLanguage() {
  setWindowTitle(ReadLangTextOrFixed(lang_section::IDD_TIMEONOFF_DIALOG, 1008));
  send_.setText(Text(1000));
  scheduleOn_.setText(Text(1001));
  scheduleOff_.setText(Text(1002));
  onLabel_.setText(Text(1003));
  offLabel_.setText(Text(1004));
  for (int i = 0; i < kScheduleSlots; ++i) rows_[i].check->setText(Text(1005 + i));
}

void CTimeOnOffDialog::LoadFromScreen(const ScreenRecord& screen) {
  screen_.SendType = screen.SendType;
  screen_.NetworkType = screen.NetworkType;
  screen_.LedIp = screen.LedIp;
  screen_.Commport = screen.Commport;
  screen_.Bps = screen.Bps;
  (screen.IsTimeOnOff != 0 ? scheduleOn_ : scheduleOff_).setChecked(true);
  const ScheduleSlots times = PowerSlotsOf(screen.TimeOnOff);
  for (int i = 0; i < kScheduleSlots; ++i) rows_[i].Load(times[i]);
  EnableByMode();
}

void CTimeOnOffDialog::StoreToScreen(ScreenRecord& screen) const {
  screen.IsTimeOnOff = scheduleOn_.isChecked() ? 1 : 0;
  PutPowerSlots(ReadSlots(rows_), screen.TimeOnOff);
}

void CTimeOnOffDialog::EnableByMode() {
  for (ScheduleSlotRow& row : rows_) row.Enable(scheduleOn_.isChecked());
}

void CTimeOnOffDialog::OnSend() {
  const ScheduleSlots times = ReadSlots(rows_);
  const bool scheduleOn = scheduleOn_.isChecked();
  // A cancelled schedule sends no slot, so no slot can hold it back.
  if (scheduleOn && HasEnabledEmptySlot(times)) {
    ask_(ReadLangText(lang_section::IDD_TIMEBRIGHTNESSSET_DIALOG, kEmptySlotText),
         kStyleInformation);
    return;
  }
  PowerSchedule schedule{};
  if (scheduleOn) PutPowerSlots(times, schedule);
  const TimeOnOffInfo record = CardPowerSchedule(schedule);
  CommInfo info = CardLinkOf(screen_);
  if (RunReportedDeviceCall(this, kPowerScheduleStatus,
                            [&] { return KQ_TimePowerOnOff(&info, &record); }) == KQ_OK) {
    ShowUsbDiskNotice(screen_, ask_);
  }
}
