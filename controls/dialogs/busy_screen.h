#pragma once
// BusyScreen: while it lives, the main window is disabled and the busy window shown
// over it (or over a given screen rectangle). Its end destroys the busy window, then
// enables and activates the main window again.

#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>

#include <memory>
#include <optional>

#include "controls/dialogs/loading_dialog.h"

class BusyScreen {
 public:
  // The busy window shows text; with busyRect (screen pixels) it covers that
  // rectangle, else it is centred on the main window.
  explicit BusyScreen(const QString& text, std::optional<QRect> busyRect = std::nullopt);
  ~BusyScreen();
  BusyScreen(const BusyScreen&) = delete;
  BusyScreen& operator=(const BusyScreen&) = delete;

  // The busy window while it is shown, else null.
  QWidget* Window() const { return busy_->Window(); }

 private:
  QPointer<QWidget> mainWindow_;
  std::unique_ptr<CLoadingDialog> busy_;
};
