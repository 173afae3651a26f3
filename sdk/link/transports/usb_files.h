#pragma once
// Files of a USB disk that a card reads later, under <UsbRoot>/marvane/.

#include <QString>

// Makes sure every level of path exists as a folder; false when one could not be
// made (or a level is a file).
bool CreateDirectoryPath(const QString& path);

// The "marvane" folder under a USB root given with "\" or "/" separators, with or
// without a trailing one; empty for an empty root.
QString UsbCommandFolder(const QString& usbRoot);
