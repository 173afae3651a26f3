#pragma once
// Streams of a compound file (the container of .xls workbooks: a FAT file system in a
// file, versions 3 and 4), read by sector. Nothing the file declares is trusted:
// every sector lies inside the file, chains end where the table says or are refused,
// and no stream, table or directory grows past its bound.

#include <QByteArray>
#include <QStringView>

#include <cstdint>

#include "model/common/unique_fd.h"

enum class StreamStatus { Read, Missing, Damaged };

// Reads the stream of that name (compared regardless of case, as the format does) in
// the root storage of the compound file open as file, size bytes long. Missing when
// the root holds no such stream; Damaged when the file is not a compound file or is
// malformed, or the stream is longer than maxBytes.
[[nodiscard]] StreamStatus ReadRootStream(const UniqueFd& file, std::int64_t size, QStringView name,
                                          std::int64_t maxBytes, QByteArray* stream);
