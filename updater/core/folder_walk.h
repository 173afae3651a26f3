#pragma once
// Walking below the program folder from its descriptor, one part at a time, never
// following a link: a link planted in the folder cannot lead a write outside it.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "model/common/unique_fd.h"

// A part as the file system names it.
QByteArray PartName(const QString& part);

// Opens the folder at path (a folder, or "" for root itself).
int OpenFolder(const QString& path, UniqueFd* folder);

// Opens the folder parts[0]/.../parts[count - 1] below root. With create, missing
// folders are made (0755). 0, or an errno value: ELOOP for a link on the way, ENOTDIR
// for something else that is not a folder, ENOENT for a missing one without create.
int OpenFolderBelow(int root, const QStringList& parts, qsizetype count, bool create,
                    UniqueFd* folder);

// Removes the files of a flat folder below parent and then the folder; true when it
// is gone (or was never there).
bool RemoveFlatFolder(int parent, const char* name);
