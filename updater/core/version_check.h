#pragma once
// Asking the server whether a newer version exists, and fetching its package.

#include <QString>

#include <atomic>

#include "platform/window_handle.h"
#include "updater/core/update_options.h"

// The version file's keys, section "UPDATE".
struct ServerVersion {
  QString version;
  QString packageUrl;  // "URL"
  QString md5;         // "MD5"
  QString message;     // "Message", each '^' turned into a line break
};

// The results of CheckVersion.
enum : int {
  kVersionNew = 0,
  kVersionNoUrl = 1,       // "update.cfg" has no [UPDATE] "URL"
  kVersionNotFetched = 2,  // the version file did not arrive, or its "Version" is empty
  kVersionUpToDate = 3,
};

// Makes "UpdateData/", deletes the old version file and fetches the new one from
// "update.cfg"'s "URL" on a worker thread while this thread dispatches its messages;
// then compares the server's "Version" with "update.cfg"'s as plain case-sensitive
// text: new only when the server's is greater ("1.10" is older than "1.9").
// *server is filled when the version file arrived. The fetch ends (kVersionNotFetched)
// after options.versionCheckLimitMs, or as soon as *cancel is set (cancel may be null).
int CheckVersion(const UpdateOptions& options, ServerVersion* server,
                 std::atomic<bool>* cancel = nullptr);

enum class PackageFetch {
  AlreadyThere,  // "UpdateData/update.zip" already has the digest "MD5"
  Downloaded,
  Failed,  // refused address, transfer failed or cancelled; no package left
};

// Gets the package from server.packageUrl into "UpdateData/update.zip", unless the
// one there already matches server.md5, while this thread dispatches its messages.
// Progress and cancel as CBindCallback; window and cancel may be null.
PackageFetch FetchPackage(const ServerVersion& server, const UpdateOptions& options, HWND window,
                          std::atomic<bool>* cancel);
