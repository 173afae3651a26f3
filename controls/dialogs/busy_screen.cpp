#include "controls/dialogs/busy_screen.h"

#include "controls/support/main_window.h"

BusyScreen::BusyScreen(const QString& text, std::optional<QRect> busyRect)
    : mainWindow_(MainWindow()), busy_(std::make_unique<CLoadingDialog>()) {
  if (mainWindow_) mainWindow_->setEnabled(false);
  busy_->ShowBusy(text, busyRect, mainWindow_.data());
}

BusyScreen::~BusyScreen() {
  busy_.reset();
  if (!mainWindow_) return;
  mainWindow_->setEnabled(true);
  mainWindow_->activateWindow();
}
