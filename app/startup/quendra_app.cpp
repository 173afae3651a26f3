#include "app/startup/quendra_app.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QMessageBox>
#include <QProcess>

#include <cstdio>

#include "app/language/language_switch.h"
#include "app/main_window/quendra_dlg.h"
#include "controls/buttons/menu_style.h"
#include "controls/dialogs/style_message_dialog.h"
#include "model/common/app_dir.h"
#include "model/common/app_paths.h"
#include "model/common/file_association.h"
#include "model/common/file_system.h"
#include "model/settings/fixed_texts.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"
#include "model/settings/settings_file.h"
#include "platform/blocking_call.h"
#include "platform/runtime_folder.h"
#include "platform/window_channel.h"
#include "render/common/random_source.h"
#include "render/flash/process_flash_host.h"
#include "render/flash/swf_dialog.h"

namespace {

// Between two requests to the updater, and between two tries of the rename.
constexpr int kSwapPollMs = 10;
// After the swap, as the updater's installer expects.
constexpr int kAfterSwapMs = 30;

// Texts of the start's notices (PUBLIC section).
constexpr int kNoRunFolderText = 1006;
constexpr int kAlreadyRunningText = 1007;
constexpr int kNoticeCaptionText = 1008;

// A start's notice in the language the user chose, as the main window reads it.
QString NoticeText(int key) {
  SelectLanguageFile(StoredLanguageChoice());
  return ReadLangTextOrFixed(lang_section::PUBLIC, key);
}

StartupHooks WithDefaults(StartupHooks hooks) {
  if (!hooks.showBox) {
    hooks.showBox = [](const QString& text, const QString& caption) {
      QMessageBox::information(nullptr, caption, text);
    };
  }
  if (!hooks.launch) {
    // Like the shell's start: nothing is reported when the program does not start.
    hooks.launch = [](const QString& program) {
      static_cast<void>(QProcess::startDetached(program, {}, GetAppDir()));
    };
  }
  if (!hooks.runMainWindow) {
    hooks.runMainWindow = [] {
      CQuendraDlg dialog;
      return dialog.RunModal();
    };
  }
  return hooks;
}

}  // namespace

QString InstanceLockPath() {
  const QString folder = UserRuntimeFolder();
  return folder.isEmpty() ? QString() : folder + QStringLiteral("/Quendra6.lock");
}

bool SwapWaitingUpdater(int waitMs) {
  const QString waiting = GetAppDir() + kWaitingUpdaterFile;
  if (!FileExists(waiting)) return false;
  const QDeadlineTimer quitDeadline(waitMs);
  while (WindowClassExists(kUpdaterWindowClass)) {
    if (quitDeadline.hasExpired()) return false;
    // An updater that went away meanwhile needs no telling.
    static_cast<void>(PostToWindowClass(kUpdaterWindowClass, UM_QUIT_UPDATER, 0, 0));
    WaitPumping(kSwapPollMs);
  }
  const QString updater = GetAppDir() + kUpdaterFile;
  const QDeadlineTimer renameDeadline(waitMs);
  // One rename replaces the old file, even while something still runs it.
  while (std::rename(QFile::encodeName(waiting).constData(),
                     QFile::encodeName(updater).constData()) != 0) {
    if (renameDeadline.hasExpired()) return false;
    WaitPumping(kSwapPollMs);
  }
  static_cast<void>(QFile::setPermissions(
      updater, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                   QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther));
  WaitPumping(kAfterSwapMs);
  return true;
}

CQuendraApp::CQuendraApp(StartupHooks hooks) : hooks_(WithDefaults(std::move(hooks))) {}

bool CQuendraApp::InitInstance() {
  const QString lockPath = InstanceLockPath();
  if (lockPath.isEmpty()) {
    hooks_.showBox(NoticeText(kNoRunFolderText), NoticeText(kNoticeCaptionText));
    return false;
  }
  QLockFile lock(lockPath);
  lock.setStaleLockTime(0);  // stale only when its process has ended
  if (!lock.tryLock(0)) {
    hooks_.showBox(NoticeText(kAlreadyRunningText), NoticeText(kNoticeCaptionText));
    return false;
  }
  // Failures here are left for the next start, as the folders' are.
  static_cast<void>(EnsureProjectFileAssociation());
  SeedProcessRandom(static_cast<std::uint64_t>(QDateTime::currentSecsSinceEpoch()));
  // Flash content plays when the helper and Ruffle are installed; else nothing plays it.
  static_cast<void>(UseInstalledFlashPlayer());
  // A flash-word recording whose control call fails tells the user in the styled box.
  SetFlashWordNotice([](const QString& text) { static_cast<void>(ShowStyleMessage(text, 0)); });
  for (const AppFolder folder : {AppFolder::Project, AppFolder::UserData, AppFolder::Temp}) {
    static_cast<void>(QDir().mkpath(AppFolderPath(folder)));
  }
  KvMenuStyle::SetClassicTheme(ReadIniInt(QStringLiteral("CONFIG"), QStringLiteral("ClassicTheme"),
                                          QStringLiteral("setting.cfg")) == 1);
  static_cast<void>(SwapWaitingUpdater(hooks_.updaterWaitMs));
  hooks_.launch(GetAppDir() + kUpdaterFile);
  hooks_.runMainWindow();
  return true;
}
