#pragma once
// The updater's tray icon (icon 128, the tip "Quendra - Updating..."): shown with an
// information balloon while the updater works in the background. Its clicks reach the
// window as UM_TRAY_NOTIFY: kTrayDoubleClick for a click or double click (some trays
// report no double clicks), kTrayContextMenu for the context button.

#include <QObject>

#include "platform/window_handle.h"

class QSystemTrayIcon;

class UpdateTray : public QObject {
 public:
  static constexpr int kBalloonMs = 3000;

  explicit UpdateTray(HWND window, QObject* parent = nullptr);

  // False where the desktop has no tray (the offscreen platform, many desktops).
  static bool Available();

  // Adds the icon and shows the balloon with the title and text.
  void Show(const QString& title, const QString& text);
  void Remove();
  bool IsShown() const;

 private:
  HWND window_;
  QSystemTrayIcon* icon_;
};
