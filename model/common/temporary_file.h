#pragma once
// Creating a temporary file beside a target, safely against whatever someone left at
// its name: a hard link to another file would get the new content written through it,
// a symbolic link would send it elsewhere, a FIFO would hang the open. So a leftover
// of that name is removed first and the file is created new, never through a link and
// never waiting; the result is checked to be a regular file.

#include <QString>

#include <sys/types.h>

#include "model/common/unique_fd.h"

// Creates path afresh for writing into *file. 0, or an errno value: the removal's
// (other than ENOENT), the create's (EEXIST when something took the name again in
// between), or EINVAL when the result is not a regular file.
[[nodiscard]] int CreateTemporaryFile(const QString& path, UniqueFd* file, mode_t mode = 0666);
