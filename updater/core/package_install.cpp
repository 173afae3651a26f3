#include "updater/core/package_install.h"

#include <QFile>
#include <QSet>

#include <fcntl.h>
#include <minizip/unzip.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <memory>
#include <vector>

#include "model/common/app_dir.h"
#include "model/common/app_paths.h"
#include "model/common/atomic_file.h"
#include "model/common/regular_file.h"
#include "platform/message_window.h"
#include "updater/core/digest.h"
#include "updater/core/folder_walk.h"
#include "updater/core/install_journal.h"
#include "updater/core/package_check.h"
#include "updater/core/setup_script.h"
#include "updater/core/update_files.h"
#include "updater/core/updater_messages.h"

namespace {

constexpr char kStagingName[] = "staging";
constexpr char kBackupName[] = "backup";
constexpr char kJournalName[] = "install.journal";
constexpr std::int64_t kMaxJournalBytes = 16 << 20;  // 10,000 entries of 260 bytes fit
constexpr std::size_t kCopyBlockBytes = 64 * 1024;
constexpr int kDefaultMode = 0644;
// Kept of a replaced file's mode: no setuid, setgid, sticky or write for others.
constexpr int kKeptModeBits = 0775;

struct ZipCloser {
  void operator()(void* zip) const { unzClose(zip); }
};
using ZipHandle = std::unique_ptr<void, ZipCloser>;

// The descriptors of the folders an install works in.
struct Folders {
  UniqueFd root;     // the program folder
  UniqueFd data;     // its "UpdateData/"
  UniqueFd staging;  // "UpdateData/staging/"
  UniqueFd backup;   // "UpdateData/backup/"
};

QByteArray NumberName(int number) { return QByteArray::number(number); }

bool Exists(int folder, const QByteArray& name) {
  struct stat status {};
  return fstatat(folder, name.constData(), &status, AT_SYMLINK_NOFOLLOW) == 0;
}

int OpenRootAndData(bool create, Folders* folders) {
  if (const int error = OpenFolder(GetAppDir(), &folders->root); error != 0) return error;
  return OpenFolderBelow(folders->root.Get(), {AppFolderName(AppFolder::UpdateData)}, 1, create,
                         &folders->data);
}

// Makes (when missing) and opens a work folder below "UpdateData/".
bool OpenWorkFolder(int data, const char* name, UniqueFd* folder) {
  if (mkdirat(data, name, 0700) != 0 && errno != EEXIST) return false;
  return OpenFolderBelow(data, {QString::fromLatin1(name)}, 1, false, folder) == 0;
}

void RemoveWorkFolders(const Folders& folders) {
  RemoveFlatFolder(folders.data.Get(), kStagingName);
  RemoveFlatFolder(folders.data.Get(), kBackupName);
}

// Walks the existing folders of parts[0..depth) from root. *reached: how many exist;
// *deepest: the last of them. False for a link or a non-folder on the way.
bool WalkExisting(const QStringList& parts, qsizetype depth, qsizetype* reached,
                  UniqueFd* deepest) {
  for (*reached = 0; *reached < depth; ++*reached) {
    UniqueFd next(openat(deepest->Get(), PartName(parts[*reached]).constData(),
                         O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!next.Valid()) return errno == ENOENT;
    *deepest = std::move(next);
  }
  return true;
}

// Walks each target in the program folder and writes the journal's plan and each
// file's mode. False when a link or a file where a folder goes lies on the way.
bool PlanSwap(int root, const PackagePlan& plan, InstallJournal* journal, std::vector<int>* modes) {
  QSet<QString> newFolders;
  for (std::size_t i = 0; i < plan.entries.size(); ++i) {
    const PackageEntry& entry = plan.entries[i];
    const qsizetype depth = entry.parts.size() - (entry.isFolder ? 0 : 1);
    UniqueFd deepest(fcntl(root, F_DUPFD_CLOEXEC, 0));
    qsizetype reached = 0;
    if (!deepest.Valid() || !WalkExisting(entry.parts, depth, &reached, &deepest)) {
      return false;
    }
    for (qsizetype level = reached; level < depth; ++level) {
      const QStringList folder = entry.parts.first(level + 1);
      if (!newFolders.contains(folder.join(u'/'))) journal->newFolders.push_back(folder);
      newFolders.insert(folder.join(u'/'));
    }
    modes->push_back(entry.mode >= 0 ? entry.mode : kDefaultMode);
    if (entry.isFolder) continue;
    struct stat old {};
    const bool hasOld =
        reached == depth && fstatat(deepest.Get(), PartName(entry.parts.last()).constData(), &old,
                                    AT_SYMLINK_NOFOLLOW) == 0;
    if (hasOld && S_ISDIR(old.st_mode)) return false;
    if (hasOld && S_ISREG(old.st_mode) && entry.mode < 0) {
      modes->back() = static_cast<int>(old.st_mode) & kKeptModeBits;
    }
    journal->actions.push_back({static_cast<int>(i), true, hasOld, entry.parts});
  }
  // The old setup script goes, so that only the package's own can run.
  struct stat script {};
  if (!plan.hasSetupScript && fstatat(root, kSetupScriptName, &script, AT_SYMLINK_NOFOLLOW) == 0 &&
      !S_ISDIR(script.st_mode)) {
    journal->actions.push_back({static_cast<int>(plan.entries.size()),
                                false,
                                true,
                                {QString::fromLatin1(kSetupScriptName)}});
  }
  return true;
}

bool EnoughSpace(int folder, std::uint64_t bytes) {
  struct statvfs status {};
  return fstatvfs(folder, &status) == 0 &&
         static_cast<std::uint64_t>(status.f_bavail) * status.f_frsize >= bytes;
}

// The DOS date and time (local) as a time of this system.
timespec DosTime(std::uint32_t dos) {
  tm local{};
  local.tm_year = static_cast<int>((dos >> 25) & 0x7F) + 80;
  local.tm_mon = static_cast<int>((dos >> 21) & 0x0F) - 1;
  local.tm_mday = static_cast<int>((dos >> 16) & 0x1F);
  local.tm_hour = static_cast<int>((dos >> 11) & 0x1F);
  local.tm_min = static_cast<int>((dos >> 5) & 0x3F);
  local.tm_sec = static_cast<int>(dos & 0x1F) * 2;
  local.tm_isdst = -1;
  return {mktime(&local), 0};
}

// Copies the open entry; false past its declared size or when it ends short.
bool CopyEntry(void* zip, const UniqueFd& file, std::uint64_t size) {
  std::vector<char> block(kCopyBlockBytes);
  std::uint64_t written = 0;
  for (;;) {
    const int got = unzReadCurrentFile(zip, block.data(), static_cast<unsigned>(block.size()));
    if (got < 0) return false;
    if (got == 0) return written == size;
    if (static_cast<std::uint64_t>(got) > size - written) return false;
    if (file.WriteAll(block.data(), static_cast<std::size_t>(got)) != 0) return false;
    written += static_cast<std::uint64_t>(got);
  }
}

bool StageEntry(void* zip, int staging, const QByteArray& name, const PackageEntry& entry,
                int mode) {
  UniqueFd file(openat(staging, name.constData(),
                       O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
  if (!file.Valid() || unzOpenCurrentFile(zip) != UNZ_OK) return false;
  const bool copied = CopyEntry(zip, file, entry.size);
  // Checks the CRC once the whole entry has been read.
  const bool closed = unzCloseCurrentFile(zip) == UNZ_OK;
  const timespec time = DosTime(entry.dosDateTime);
  const timespec times[2] = {time, time};
  const bool ok = copied && closed && fchmod(file.Get(), static_cast<mode_t>(mode)) == 0 &&
                  futimens(file.Get(), times) == 0;
  return file.Close() == 0 && ok;
}

bool StageAll(const QString& package, const PackagePlan& plan, const std::vector<int>& modes,
              const UpdateOptions& options, HWND window, int staging) {
  zlib_filefunc64_def files;
  fill_fopen64_filefunc(&files);
  const ZipHandle zip(unzOpen2_64(QFile::encodeName(package).constData(), &files));
  if (!zip) return false;
  for (std::size_t i = 0; i < plan.entries.size(); ++i) {
    const PackageEntry& entry = plan.entries[i];
    if (entry.isFolder) continue;
    if (options.installHook && !options.installHook(InstallStep::Stage, static_cast<int>(i))) {
      return false;
    }
    unz64_file_pos position{entry.directoryOffset, entry.fileNumber};
    unz_file_info64 info{};
    if (unzGoToFilePos64(zip.get(), &position) != UNZ_OK ||
        unzGetCurrentFileInfo64(zip.get(), &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK ||
        info.crc != entry.crc || info.uncompressed_size != entry.size) {
      return false;
    }
    if (window != nullptr) {
      const QString path = GetAppDir() + entry.parts.join(u'/');
      SendMessage(window, UM_EXTRACT_FILE, 0, reinterpret_cast<LPARAM>(&path));
    }
    if (!StageEntry(zip.get(), staging, NumberName(static_cast<int>(i)), entry, modes[i])) {
      return false;
    }
  }
  // One flush of the file system makes every staged file durable at once.
  return syncfs(staging) == 0;
}

bool WriteJournal(const Folders& folders, const InstallJournal& journal) {
  return WriteFileAtomically(UpdateDataPath(kJournalName), EncodeJournal(journal)) &&
         fsync(folders.data.Get()) == 0;
}

bool Swap(const Folders& folders, const InstallJournal& journal, const UpdateOptions& options) {
  const int root = folders.root.Get();
  for (const QStringList& folder : journal.newFolders) {
    UniqueFd made;
    if (OpenFolderBelow(root, folder, folder.size(), true, &made) != 0) return false;
  }
  int renamed = 0;
  for (const SwapAction& action : journal.actions) {
    UniqueFd parent;
    if (OpenFolderBelow(root, action.parts, action.parts.size() - 1, false, &parent) != 0) {
      return false;
    }
    const QByteArray leaf = PartName(action.parts.last());
    const QByteArray number = NumberName(action.number);
    if (action.hasOld &&
        renameat(parent.Get(), leaf.constData(), folders.backup.Get(), number.constData()) != 0) {
      return false;
    }
    if (action.hasNew &&
        renameat(folders.staging.Get(), number.constData(), parent.Get(), leaf.constData()) != 0) {
      return false;
    }
    ++renamed;
    if (options.installHook && !options.installHook(InstallStep::Rename, renamed)) return false;
  }
  return syncfs(root) == 0;
}

// Puts back what the journal's swap changed, in reverse order. Safe to repeat: each
// step looks at where the files are now.
bool UndoSwap(const Folders& folders, const InstallJournal& journal) {
  bool ok = true;
  for (auto action = journal.actions.rbegin(); action != journal.actions.rend(); ++action) {
    UniqueFd parent;
    const int error = OpenFolderBelow(folders.root.Get(), action->parts, action->parts.size() - 1,
                                      false, &parent);
    const QByteArray leaf = PartName(action->parts.last());
    const QByteArray number = NumberName(action->number);
    if (action->hasOld && Exists(folders.backup.Get(), number)) {
      ok &= error == 0 &&
            renameat(folders.backup.Get(), number.constData(), parent.Get(), leaf.constData()) == 0;
    } else if (action->hasNew && !action->hasOld && error == 0 &&
               !Exists(folders.staging.Get(), number)) {
      ok &= unlinkat(parent.Get(), leaf.constData(), 0) == 0 || errno == ENOENT;
    }
  }
  for (auto folder = journal.newFolders.rbegin(); folder != journal.newFolders.rend(); ++folder) {
    UniqueFd parent;
    if (OpenFolderBelow(folders.root.Get(), *folder, folder->size() - 1, false, &parent) == 0) {
      unlinkat(parent.Get(), PartName(folder->last()).constData(), AT_REMOVEDIR);
    }
  }
  return syncfs(folders.root.Get()) == 0 && ok;
}

// Ends an install or an undo: the journal goes first (from then on there is nothing
// to undo), then the staged and backed-up files.
bool Finish(const Folders& folders) {
  if (unlinkat(folders.data.Get(), kJournalName, 0) != 0 && errno != ENOENT) return false;
  fsync(folders.data.Get());
  RemoveWorkFolders(folders);
  return true;
}

bool Undo(const Folders& folders, const InstallJournal& journal) {
  return UndoSwap(folders, journal) && Finish(folders);
}

InstallResult SwapAndRun(const Folders& folders, const InstallJournal& journal,
                         const PackagePlan& plan, const UpdateOptions& options) {
  if (!WriteJournal(folders, journal)) {
    unlinkat(folders.data.Get(), kJournalName, 0);
    RemoveWorkFolders(folders);
    return InstallResult::StageFailed;
  }
  // Each failure from here on moves everything back; one that cannot be moved back
  // keeps its journal for RecoverInterruptedInstall.
  if (!Swap(folders, journal, options)) {
    return Undo(folders, journal) ? InstallResult::SwapFailed : InstallResult::Interrupted;
  }
  if (plan.hasSetupScript) {
    const ScriptResult script =
        RunSetupScript(GetAppDir(), QString::fromLatin1(kSetupScriptName), options.scriptTimeoutMs);
    unlinkat(folders.root.Get(), kSetupScriptName, 0);
    if (script != ScriptResult::Succeeded) {
      return Undo(folders, journal) ? InstallResult::ScriptFailed : InstallResult::Interrupted;
    }
  }
  if (syncfs(folders.root.Get()) != 0 || !Finish(folders)) {
    return Undo(folders, journal) ? InstallResult::SwapFailed : InstallResult::Interrupted;
  }
  return InstallResult::Installed;
}

}  // namespace

InstallResult InstallPackage(const QString& expectedMd5, const UpdateOptions& options,
                             HWND window) {
  if (!RecoverInterruptedInstall()) return InstallResult::Interrupted;
  const QString package = UpdateDataPath(kPackageName);
  if (!DigestMatches(FileDigest(package), expectedMd5)) return InstallResult::DigestMismatch;
  PackagePlan plan;
  if (CheckPackage(package, options, &plan) != PackageError::None) {
    return InstallResult::BadPackage;
  }
  Folders folders;
  if (OpenRootAndData(true, &folders) != 0) return InstallResult::StageFailed;
  InstallJournal journal;
  std::vector<int> modes;
  if (!PlanSwap(folders.root.Get(), plan, &journal, &modes)) return InstallResult::BlockedPath;
  if (!EnoughSpace(folders.data.Get(), plan.totalBytes)) return InstallResult::NoSpace;
  RemoveWorkFolders(folders);  // leftovers of an install that ended before its journal
  if (!OpenWorkFolder(folders.data.Get(), kStagingName, &folders.staging) ||
      !OpenWorkFolder(folders.data.Get(), kBackupName, &folders.backup) ||
      !StageAll(package, plan, modes, options, window, folders.staging.Get())) {
    RemoveWorkFolders(folders);
    return InstallResult::StageFailed;
  }
  return SwapAndRun(folders, journal, plan, options);
}

bool RecoverInterruptedInstall() {
  Folders folders;
  const int error = OpenRootAndData(false, &folders);
  if (error == ENOENT) return true;  // no "UpdateData/", so no journal
  if (error != 0) return false;
  if (!Exists(folders.data.Get(), kJournalName)) return true;
  QByteArray bytes;
  InstallJournal journal;
  if (ReadRegularFile(UpdateDataPath(kJournalName), &bytes, kMaxJournalBytes) != 0 ||
      !DecodeJournal(bytes, &journal) ||
      !OpenWorkFolder(folders.data.Get(), kStagingName, &folders.staging) ||
      !OpenWorkFolder(folders.data.Get(), kBackupName, &folders.backup)) {
    return false;
  }
  return Undo(folders, journal);
}
