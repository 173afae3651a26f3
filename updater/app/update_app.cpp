#include "updater/app/update_app.h"

#include <QApplication>
#include <QLockFile>

#include <cstdio>

#include "platform/runtime_folder.h"
#include "updater/app/update_dlg.h"
#include "updater/app/update_texts.h"
#include "updater/core/package_install.h"

QString UpdaterLockPath() {
  const QString folder = UserRuntimeFolder();
  return folder.isEmpty() ? QString()
                          : folder + u'/' + kUpdaterWindowClass + QStringLiteral(".lock");
}

std::unique_ptr<WindowChannel> ServeUpdaterWindowClass(HWND window) {
  return std::make_unique<WindowChannel>(kUpdaterWindowClass, window,
                                         std::vector<UINT>{UM_CHECK_UPDATE, UM_QUIT_UPDATER});
}

int CUpdateApp::InitInstance() {
  const QString lockPath = UpdaterLockPath();
  if (lockPath.isEmpty()) {
    std::fputs("update: no private runtime folder\n", stderr);
    return 1;
  }
  QLockFile lock(lockPath);
  lock.setStaleLockTime(0);  // stale only when its process has ended
  if (!lock.tryLock(0)) return 0;
  // Hiding the last window (the notice's end, the tray) never ends the updater.
  QApplication::setQuitOnLastWindowClosed(false);
  SelectUpdaterLanguage();
  CUpdateDlg dialog;
  const std::unique_ptr<WindowChannel> channel = ServeUpdaterWindowClass(dialog.Handle());
  if (!channel->IsListening()) {
    std::fputs("update: cannot serve the window class \"Quendra6 Update\"\n", stderr);
    return 1;
  }
  // What cannot be undone now stays journaled: the next install tries again first.
  if (!RecoverInterruptedInstall()) {
    std::fputs("update: an interrupted install could not be undone yet\n", stderr);
  }
  dialog.OnInitDialog();
  return QApplication::exec();
}
