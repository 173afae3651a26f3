#pragma once
// CUpdateApp: the start of the updater, in order: one instance per user (the lock
// "Quendra6 Update.lock" in the user's runtime folder; a second start ends at once),
// the window class "Quendra6 Update" (UM_CHECK_UPDATE and UM_QUIT_UPDATER reach the
// window), the undo of an install a crash interrupted, then the window, hidden, until
// the program is told to end.

#include <QString>

#include <memory>

#include "platform/window_channel.h"
#include "platform/window_handle.h"

// "Quendra6 Update.lock" in the user's runtime folder; empty without one.
QString UpdaterLockPath();

// Serves the window class "Quendra6 Update" for the window: UM_CHECK_UPDATE and
// UM_QUIT_UPDATER reach it, every other message is dropped.
std::unique_ptr<WindowChannel> ServeUpdaterWindowClass(HWND window);

class CUpdateApp {
 public:
  // Runs the updater and returns the program's exit code: 0 when it was told to end,
  // and when another instance runs; 1 when it has no runtime folder or cannot serve
  // its window class.
  int InitInstance();
};
