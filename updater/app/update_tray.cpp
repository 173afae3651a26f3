#include "updater/app/update_tray.h"

#include <QSystemTrayIcon>

#include "platform/message_window.h"
#include "updater/app/update_look.h"
#include "updater/app/update_texts.h"
#include "updater/core/updater_messages.h"

UpdateTray::UpdateTray(HWND window, QObject* parent)
    : QObject(parent), window_(window), icon_(new QSystemTrayIcon(UpdaterIcon(), this)) {
  icon_->setToolTip(UpdateText(kTrayTitleText));
  connect(icon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason why) {
    LPARAM what = 0;
    if (why == QSystemTrayIcon::DoubleClick || why == QSystemTrayIcon::Trigger) {
      what = kTrayDoubleClick;
    } else if (why == QSystemTrayIcon::Context) {
      what = kTrayContextMenu;
    }
    // A window that has gone meanwhile has nothing to show.
    if (what != 0) static_cast<void>(PostMessage(window_, UM_TRAY_NOTIFY, 0, what));
  });
}

bool UpdateTray::Available() { return QSystemTrayIcon::isSystemTrayAvailable(); }

void UpdateTray::Show(const QString& title, const QString& text) {
  icon_->show();
  icon_->showMessage(title, text, QSystemTrayIcon::Information, kBalloonMs);
}

void UpdateTray::Remove() { icon_->hide(); }

bool UpdateTray::IsShown() const { return icon_->isVisible(); }
