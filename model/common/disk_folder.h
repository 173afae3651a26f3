#pragma once
// A folder below the root of a removable disk, reached without following a symbolic
// link. Whoever had the disk before may have planted a link at any name the program
// writes ("marvane", a card folder, a card file); written or deleted through, it would
// replace or remove files anywhere the user may write. So each level is opened from
// the one above with O_NOFOLLOW | O_DIRECTORY, and files are created, replaced and
// removed relative to the last one; a link anywhere is refused, never followed.

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include "model/common/unique_fd.h"

class DiskFolder {
 public:
  // Opens the folder at relative ("/" or "\" separated) below root, the disk's mount
  // point, making each missing level when create is set. 0, or an errno value: ELOOP
  // when a level is a symbolic link, ENOTDIR when it is something else but a folder,
  // EINVAL for an empty root or a level "." or "..", or the failing call's own.
  [[nodiscard]] int Open(const QString& root, const QString& relative, bool create);

  // Writes data as the whole content of the file name in the folder: into a new
  // "<name>.tmp", synced and renamed over name, then the folder synced. 0, or an
  // errno value: ELOOP when name is a symbolic link (it is left as it is), or the
  // failing call's own; the file is then as it was.
  [[nodiscard]] int WriteFile(const QString& name, QByteArrayView data) const;

  // Removes the file name. 0, also when there is none; ELOOP when name is a symbolic
  // link (it is left as it is), else the failing call's errno value.
  [[nodiscard]] int RemoveFile(const QString& name) const;

 private:
  UniqueFd fd_;
};
