#include "device/commands/brightness_dialog.h"

#include <QGridLayout>
#include <QSignalBlocker>

#include <algorithm>

#include "controls/dialogs/style_message_dialog.h"
#include "device/commands/command_dialog_ids.h"
#include "model/project/current_screen.h"
#include "model/settings/fixed_texts.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"

namespace {

constexpr int kManualStatus = 27;
constexpr int kScheduleStatus = 43;
constexpr int kEmptySlotText = 1013;

QString Text(int key) { return ReadLangText(lang_section::IDD_TIMEBRIGHTNESSSET_DIALOG, key); }

void Name(QWidget& widget, int id) { widget.setObjectName(QString::number(id)); }

}  // namespace

CTimeBrightnessSetDialog::CTimeBrightnessSetDialog(ScreenRecord& screen, QWidget* parent,
                                                   AskUser ask)
    : QDialog(parent),
      screen_(screen),
      ask_(ask ? std::move(ask) : AskUser(ShowStyleMessage)),
      byTime_(this),
      manual_(this),
      level_(Qt::Horizontal, this),
      dark_(this),
      bright_(this),
      startLabel_(this),
      endLabel_(this),
      levelLabel_(this),
      send_(this),
      cancelSchedule_(this) {
  Name(byTime_, IDC_BRIGHTNESS_BY_TIME);
  Name(manual_, IDC_BRIGHTNESS_MANUAL);
  Name(level_, IDC_BRIGHTNESS_LEVEL);
  Name(send_, IDC_BRIGHTNESS_SEND);
  Name(cancelSchedule_, IDC_BRIGHTNESS_CANCEL_SCHEDULE);
  level_.setRange(0, kBrightnessLevels - 1);
  level_.setTickPosition(QSlider::TicksBelow);
  for (QPushButton* button : {&send_, &cancelSchedule_}) button->setAutoDefault(false);

  auto* grid = new QGridLayout(this);
  grid->addWidget(&manual_, 0, 0, 1, 4);
  grid->addWidget(&dark_, 1, 0);
  grid->addWidget(&level_, 1, 1, 1, 2);
  grid->addWidget(&bright_, 1, 3);
  grid->addWidget(&byTime_, 2, 0, 1, 4);
  grid->addWidget(&startLabel_, 3, 1);
  grid->addWidget(&endLabel_, 3, 2);
  grid->addWidget(&levelLabel_, 3, 3);
  for (int i = 0; i < kScheduleSlots; ++i) {
    ScheduleSlotRow& row = rows_[i];
    row.Create(this, {IDC_BRIGHTNESS_SLOT_CHECK[i], IDC_BRIGHTNESS_SLOT_START[i],
                      IDC_BRIGHTNESS_SLOT_END[i], IDC_BRIGHTNESS_SLOT_LEVEL[i]});
    row.AddTo(*grid, 4 + i);
    // User edits only: loading sets the controls with signals blocked.
    connect(row.check, &QCheckBox::clicked, this, [this] {
      StoreSlots();
      EnableByMode();
    });
    connect(row.start, &QTimeEdit::timeChanged, this, [this] { StoreSlots(); });
    connect(row.end, &QTimeEdit::timeChanged, this, [this] { StoreSlots(); });
    connect(row.level, &QComboBox::activated, this, [this] { StoreSlots(); });
  }
  grid->addWidget(&send_, 7, 1);
  grid->addWidget(&cancelSchedule_, 7, 2, 1, 2);

  connect(&byTime_, &QRadioButton::clicked, this, [this] { OnModeChosen(); });
  connect(&manual_, &QRadioButton::clicked, this, [this] { OnModeChosen(); });
  connect(&send_, &QPushButton::clicked, this, [this] { OnSend(); });
  connect(&cancelSchedule_, &QPushButton::clicked, this, [this] { OnCancelSchedule(); });
  ApplyLanguage();
  LoadFromScreen();
}

void CTimeBrightnessSetDialog::ApplyLanguage() {
  setWindowTitle(ReadLangTextOrFixed(lang_section::IDD_BRIGHTNESS_DIALOG, 1001));
  byTime_.setText(Text(1000));
  manual_.setText(Text(1001));
  startLabel_.setText(Text(1002));
  endLabel_.setText(Text(1003));
  levelLabel_.setText(Text(1004));
  for (int i = 0; i < kScheduleSlots; ++i) rows_[i].check->setText(Text(1005 + i));
  bright_.setText(Text(1008));
  dark_.setText(Text(1009));
  send_.setText(Text(1010));
  cancelSchedule_.setText(Text(1011));
}

void CTimeBrightnessSetDialog::LoadFromScreen() {
  const QSignalBlocker levelBlocker(&level_);
  level_.setValue(std::clamp(screen_.BrightnessValue, 0, kBrightnessLevels - 1));
  (screen_.IsTimeBrightness != 0 ? byTime_ : manual_).setChecked(true);
  const ScheduleSlots times = BrightnessSlotsOf(screen_.TimeBrightness);
  for (int i = 0; i < kScheduleSlots; ++i) rows_[i].Load(times[i]);
  EnableByMode();
}

void CTimeBrightnessSetDialog::OnModeChosen() {
  screen_.IsTimeBrightness = byTime_.isChecked() ? 1 : 0;
  EnableByMode();
}

void CTimeBrightnessSetDialog::StoreSlots() {
  PutBrightnessSlots(ReadSlots(rows_), screen_.TimeBrightness);
}

void CTimeBrightnessSetDialog::EnableByMode() {
  const bool byTime = byTime_.isChecked();
  level_.setEnabled(!byTime);
  for (ScheduleSlotRow& row : rows_) row.Enable(byTime);
}

void CTimeBrightnessSetDialog::StoreLevel() { screen_.BrightnessValue = level_.value(); }

void CTimeBrightnessSetDialog::OnSend() {
  StoreLevel();
  if (screen_.IsTimeBrightness != 0) {
    if (HasEnabledEmptySlot(BrightnessSlotsOf(screen_.TimeBrightness))) {
      ask_(Text(kEmptySlotText), kStyleInformation);
      return;
    }
    SendSchedule();
    return;
  }
  CommInfo info = CardLinkOf(screen_);
  const std::int32_t level = screen_.BrightnessValue;
  if (RunReportedDeviceCall(this, kManualStatus,
                            [&] { return KQ_BrightnessControl(&info, level); }) == KQ_OK) {
    ShowUsbDiskNotice(screen_, ask_);
  }
}

void CTimeBrightnessSetDialog::OnCancelSchedule() {
  BrightnessSchedule& schedule = screen_.TimeBrightness;
  schedule.TimeFlag1 = schedule.TimeFlag2 = schedule.TimeFlag3 = 0;
  for (ScheduleSlotRow& row : rows_) {
    const QSignalBlocker blocker(row.check);
    row.check->setChecked(false);
  }
  EnableByMode();
  StoreLevel();
  if (screen_.IsTimeBrightness != 0) SendSchedule();
}

void CTimeBrightnessSetDialog::SendSchedule() {
  CommInfo info = CardLinkOf(screen_);
  const TimeBrightnessInfo schedule = CardBrightnessSchedule(screen_.TimeBrightness);
  if (RunReportedDeviceCall(this, kScheduleStatus,
                            [&] { return KQ_TimeBrightnessControl(&info, &schedule); }) == KQ_OK) {
    ShowUsbDiskNotice(screen_, ask_);
  }
}

void CTimeBrightnessSetDialog::done(int result) {
  StoreLevel();
  QDialog::done(result);
}
