#pragma once
// The limits and settings of one check, transfer or install. The defaults are the
// program's; tests lower the limits and give their own certificate authority.

#include <QString>

#include <cstdint>
#include <functional>

// A point of the install where a test may make it fail or stop (a crash).
enum class InstallStep {
  Stage,   // before an entry is staged; index: the entry's number
  Rename,  // after an entry has replaced its target; index: how many have so far
};

struct UpdateOptions {
  // Certificate authorities to trust instead of the system's store; empty: the store.
  QString caFile;
  // A transfer that connects in no more than this many seconds...
  long connectTimeoutSec = 15;
  // ...and then moves at least one byte a second over every window of this length.
  long lowSpeedWindowSec = 60;
  // The version check ends after this long, however the server drips its answer.
  long versionCheckLimitMs = 30000;
  std::int64_t maxVersionFileBytes = 64 * 1024;
  std::int64_t maxPackageBytes = std::int64_t{1} << 30;
  // The package unpacked: entries and bytes.
  std::int64_t maxEntries = 10000;
  std::int64_t maxUnpackedBytes = std::int64_t{4} << 30;
  // A setup script still running after this long is killed and the install undone.
  int scriptTimeoutMs = 5 * 60 * 1000;
  // Called at each InstallStep; false makes that step fail. Tests only.
  std::function<bool(InstallStep step, int index)> installHook;
};
