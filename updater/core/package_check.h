#pragma once
// The check of a package before anything of it is written: every entry must name a
// plain file or folder inside the program folder, and the whole must stay within the
// limits. The result is the plan the install follows.

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

#include "updater/core/update_options.h"

// The longest entry name in bytes; a longer one would be cut and name another file.
inline constexpr int kMaxEntryNameBytes = 260;

struct PackageEntry {
  // The entry's place in the archive's central directory (minizip's unz64_file_pos).
  std::uint64_t directoryOffset = 0;
  std::uint64_t fileNumber = 0;
  QStringList parts;  // the path below the program folder, one folder or file a part
  bool isFolder = false;
  std::uint64_t size = 0;  // declared, unpacked
  std::uint32_t crc = 0;
  int mode = -1;  // 0755 or 0644 from a Unix entry's attributes; -1 when it has none
  std::uint32_t dosDateTime = 0;
};

struct PackagePlan {
  std::vector<PackageEntry> entries;  // in archive order
  std::uint64_t totalBytes = 0;       // declared, unpacked
  bool hasSetupScript = false;        // a file "setup.sh" at the top
};

enum class PackageError {
  None,
  Unreadable,     // not a zip archive, or a read failed
  TooManyEntries,
  BadName,        // does not decode; absolute; empty, "." or ".." part; ':' or control
  LongName,
  SpecialFile,    // a link, device, FIFO or socket
  Encrypted,
  Repeated,       // the same name twice, or a file where another entry has a folder
  Reserved,       // under "UpdateData/"
  TooLarge,
};

// Splits an entry name at '/' and '\' into parts. A trailing separator marks a
// folder. False for a name that is absolute ("/", "\", "C:"), has an empty, "." or
// ".." part, a part longer than a file name can be, a ':' or a control character.
bool SplitEntryName(const QString& name, QStringList* parts, bool* isFolder);

// Reads the archive's directory and checks every entry; *plan is filled on None.
PackageError CheckPackage(const QString& zipPath, const UpdateOptions& options,
                          PackagePlan* plan);
