#pragma once
// CQuendraApp: the start of the main program, in order: one instance per user (a lock
// in the user's runtime folder; a second start says so in the chosen language and ends), the
// ".kqprj" association, the process's random source, the folders "project",
// "UserData" and "Temp", the menu look from the settings, the swap of a waiting new
// updater, the updater's start, and the main window until it closes.

#include <QString>

#include <functional>

// What the start takes from outside, replaceable in tests.
struct StartupHooks {
  std::function<void(const QString& text, const QString& caption)> showBox;
  std::function<void(const QString& program)> launch;  // starts a program, detached
  std::function<int()> runMainWindow;                  // builds and runs the main window
  int updaterWaitMs = 5000;  // how long the swap waits for the updater, and for the file
};

// The instance lock: "Quendra6.lock" in the user's runtime folder; empty without one.
QString InstanceLockPath();

// Replaces the updater by the waiting new one, when there is one: asks a running
// updater to quit (UM_QUIT_UPDATER) until it is gone, then renames "update._exe" over
// "update" (retrying while that fails) and makes it executable, dispatching messages
// throughout. Gives up after waitMs in either step, keeping "update._exe" for the next
// start. True when the new updater is in place.
bool SwapWaitingUpdater(int waitMs);

class CQuendraApp {
 public:
  explicit CQuendraApp(StartupHooks hooks = {});

  // Runs the program. False when another instance holds the lock (the box shown);
  // else true once the main window has closed, with the lock released.
  bool InitInstance();

 private:
  StartupHooks hooks_;
};
