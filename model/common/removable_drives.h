#pragma once
// The removable drives of the machine: the mounted volumes whose disk is removable
// or attached by USB. Each is named by its mount point with a trailing "/".

#include <QString>
#include <QStringList>

// Appends the mount point of every removable volume to drives, in mount order, then
// every existing folder of the environment variable QUENDRA_REMOVABLE_DRIVES (a
// ":"-separated list, so a folder can stand in for a USB disk).
void ListRemovableDrives(QStringList& drives);

// The same over a given mount table and sysfs root.
void ListRemovableDrives(QStringList& drives, const QString& mountInfoPath, const QString& sysRoot);
