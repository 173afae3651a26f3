#pragma once
#include <QString>

// True when the path names an existing file (anything but a folder).
bool FileExists(const QString& path);

// True when the path names an existing folder.
bool DirExists(const QString& path);

// Creates every missing folder of the path; "\" and "/" both separate. True when the
// folder exists afterwards (also when it already did, or another process made it at
// the same time); false for an empty path or when a level cannot be made, for
// example because a file stands in its place.
[[nodiscard]] bool CreateDirTree(const QString& path);
