#pragma once
// Reading a file by a path that a caller or a stored record names. Such a path may
// name a FIFO, whose open blocks until a writer comes, a device that never ends, or a
// folder; so the file is opened without blocking and kept only when it is a regular
// file. Every file read by such a path goes through here.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <limits>

#include "model/common/unique_fd.h"

// Opens path for reading into *file and gives the file's size in *size when size is
// not null. 0, or an errno value: the open's or fstat's own, EISDIR for a folder,
// EINVAL for anything else that is not a regular file (FIFO, device, socket).
[[nodiscard]] int OpenRegularFile(const QString& path, UniqueFd* file, std::int64_t* size = nullptr);

// The whole content of the regular file at path. 0, an error of OpenRegularFile,
// EFBIG when the file is larger than maxBytes (nothing is allocated then), or the
// read's (EIO when the file ends early). *bytes is changed only on success.
[[nodiscard]] int ReadRegularFile(const QString& path, QByteArray* bytes,
                    std::int64_t maxBytes = std::numeric_limits<qsizetype>::max());

// Whether path is a regular file whose whole content is data. The size is compared
// first, so a file of another size costs no read. False when it cannot be read.
bool RegularFileHolds(const QString& path, QByteArrayView data);
