#include "device/lock/led_locker_dialog.h"

#include <QDateTime>
#include <QPainter>

#include "controls/dialogs/style_message_dialog.h"
#include "controls/shell/pane_ids.h"
#include "device/common/device_icons.h"
#include "device/lock/led_locker_ids.h"
#include "model/painting/painting_helpers.h"
#include "model/project/current_screen.h"
#include "model/settings/fixed_texts.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"
#include "sdk/Corvanix.h"

namespace {

constexpr int kLockStatus = 34;
constexpr int kUnlockStatus = 37;
constexpr std::int32_t kLockCancelled = 1;
constexpr std::int32_t kLocked = 2;
const QRect kPanel(120, 40, 560, 500);  // (120, 40)-(680, 540)
constexpr int kCaptionIconSize = 32;
constexpr int kAdministratorMenuText = 2003;  // the menu item that leads here
constexpr int kLockText = 1001;
constexpr int kUnlockText = 1002;

QString Text(int key) { return ReadLangText(lang_section::IDD_LEDLOCKER_DIALOG, key); }

}  // namespace

CLedLockerDialog::CLedLockerDialog(QWidget* parent, const PlayClock& clock, AskUser ask)
    : TaskPane(kLockerPane, parent, IDC_LOCKER_BACK),
      ask_(ask ? std::move(ask) : AskUser(ShowStyleMessage)),
      label_(this),
      date_(this),
      time_(this),
      lock_(this),
      unlock_(this) {
  label_.setObjectName(QString::number(IDC_LOCKER_LABEL));
  lock_.setObjectName(QString::number(IDC_LOCKER_LOCK));
  unlock_.setObjectName(QString::number(IDC_LOCKER_UNLOCK));
  label_.setWordWrap(true);
  date_.setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
  date_.setCalendarPopup(true);
  time_.setDisplayFormat(QStringLiteral("HH:mm"));
  const QDateTime now = QDateTime::fromSecsSinceEpoch(clock.NowSeconds());
  date_.setDate(now.date());
  time_.setTime(QTime(now.time().hour(), now.time().minute()));
  connect(&lock_, &QPushButton::clicked, this, [this] { OnLock(); });
  connect(&unlock_, &QPushButton::clicked, this, [this] { OnUnlock(); });
  ApplyLanguage();
}

void CLedLockerDialog::ApplyLanguage() {
  label_.setText(Text(1000));
  lock_.setText(ReadLangTextOrFixed(lang_section::IDD_LEDLOCKER_DIALOG, kLockText));
  unlock_.setText(ReadLangTextOrFixed(lang_section::IDD_LEDLOCKER_DIALOG, kUnlockText));
  caption_ = ReadLangText(lang_section::IDR_MENU_MAIN, kAdministratorMenuText);
  BackButton().SetTipText(ReadLangText(lang_section::PUBLIC, 1004), true);
  update();
}

void CLedLockerDialog::LoadLockTime() {
  const ScreenRecord* screen = GetCurrentScreen();
  if (screen == nullptr) return;
  const QDate date(screen->Year, screen->Month, screen->Day);
  if (!date.isValid()) return;
  date_.setDate(date);
  const bool validTime =
      screen->Hour >= 0 && screen->Hour < 24 && screen->Minute >= 0 && screen->Minute < 60;
  time_.setTime(validTime ? QTime(screen->Hour, screen->Minute) : QTime(0, 0));
}

void CLedLockerDialog::OnLock() {
  ScreenRecord* screen = GetCurrentScreen();
  if (screen == nullptr) return;
  CommInfo info = CardLinkOf(*screen);
  const QDate date = date_.date();
  const QTime time = time_.time();
  if (RunReportedDeviceCall(this, kLockStatus, [&] {
        return KQ_TimeLocker(&info, date.year(), date.month(), date.day(), time.hour(),
                             time.minute(), 0);
      }) != KQ_OK) {
    return;
  }
  // The call dispatched messages: the screen is looked up again before it is written.
  screen = GetCurrentScreen();
  if (screen == nullptr) return;
  screen->Year = date.year();
  screen->Month = date.month();
  screen->Day = date.day();
  screen->Hour = time.hour();
  screen->Minute = time.minute();
  screen->LockState = kLocked;
  ShowUsbDiskNotice(*screen, ask_);
}

void CLedLockerDialog::OnUnlock() {
  ScreenRecord* screen = GetCurrentScreen();
  if (screen == nullptr) return;
  CommInfo info = CardLinkOf(*screen);
  if (RunReportedDeviceCall(this, kUnlockStatus, [&] { return KQ_CancelLocker(&info); }) != KQ_OK) {
    return;
  }
  screen = GetCurrentScreen();
  if (screen == nullptr) return;
  screen->LockState = kLockCancelled;
  ShowUsbDiskNotice(*screen, ask_);
}

void CLedLockerDialog::resizeEvent(QResizeEvent* event) {
  TaskPane::resizeEvent(event);
  label_.setGeometry(kPanel.left() + 60, kPanel.top() + 90, 440, 48);
  date_.setGeometry(kPanel.left() + 60, kPanel.top() + 170, 200, 32);
  time_.setGeometry(kPanel.left() + 300, kPanel.top() + 170, 200, 32);
  lock_.setGeometry(kPanel.left() + 60, kPanel.top() + 260, 200, 40);
  unlock_.setGeometry(kPanel.left() + 300, kPanel.top() + 260, 200, 40);
}

void CLedLockerDialog::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  DrawPanelFrame(QString(), true, true, painter, kPanel);
  DrawCaptionBand(
      this, caption_,
      QIcon(QPixmap::fromImage(PaintDeviceIcon(DeviceIcon::AccessCode, kCaptionIconSize))),
      painter);
}
