#pragma once
// Installing a downloaded package over the program folder, all or nothing:
// 1. the package's digest is checked again and every entry checked (CheckPackage),
//    and every path it writes is walked in the program folder: nothing is written
//    when a link, or a file where a folder goes, lies on the way;
// 2. each file is unpacked into "UpdateData/staging/", its size and CRC checked, its
//    mode and DOS time set and made durable;
// 3. a journal "UpdateData/install.journal" lists the swap; then each staged file
//    replaces its target by rename, the old one kept in "UpdateData/backup/" (the old
//    setup script goes there too);
// 4. the package's own "setup.sh", when it brought one, runs in the program folder
//    and is deleted;
// 5. the journal is deleted (the install is done), then staging and backup.
// A failure in 3 or 4 moves everything back; RecoverInterruptedInstall does the same
// for a journal a crash left. A running program keeps its old file open: a rename
// never writes into it.

#include <QString>

#include "platform/window_handle.h"
#include "updater/core/update_options.h"

enum class InstallResult : int {
  Installed = 0,
  DigestMismatch = 1,  // the package is not the one the version file names
  BadPackage = 2,      // CheckPackage refused it
  BlockedPath = 3,     // a link, or a file where a folder goes, in the program folder
  NoSpace = 4,
  StageFailed = 5,     // unreadable data, a bad CRC or size, or a failed write
  SwapFailed = 6,      // a rename failed; the old program is back
  ScriptFailed = 7,    // the setup script failed or ran too long; the old program is back
  Interrupted = 8,     // an install (this or an earlier one) could not be undone; its
                       // journal stays for RecoverInterruptedInstall
};

// Installs "UpdateData/update.zip" when its digest matches expectedMd5. window (may
// be null) is sent UM_EXTRACT_FILE with a const QString* path of each file unpacked.
InstallResult InstallPackage(const QString& expectedMd5, const UpdateOptions& options,
                             HWND window);

// Undoes the swap of an install that a crash interrupted, if any. True when no
// journal is left (also when there was none).
bool RecoverInterruptedInstall();
