#pragma once
// The package's digest: MD5 of the whole file. The digest comes from the same server
// as the package, so it catches damage in transit or on disk, nothing more.

#include <QString>

// MD5 of the file as 32 upper-case hex digits; "" when the file is missing, not a
// regular file or cannot be read to its end.
QString FileDigest(const QString& path);

// True when both are 32 hex digits and equal without regard to case. Anything else,
// an empty text in particular, matches nothing.
bool DigestMatches(const QString& digest, const QString& expected);
